# Builds the Debian package and checks its contents and dependencies.
#   cmake -DBUILD_DIR=<build> -DWORK_DIR=<scratch> -P CheckDebianPackage.cmake

file(REMOVE_RECURSE "${WORK_DIR}")
file(MAKE_DIRECTORY "${WORK_DIR}")
execute_process(COMMAND cpack --config "${BUILD_DIR}/CPackConfig.cmake" -G DEB -B "${WORK_DIR}"
    WORKING_DIRECTORY "${BUILD_DIR}" RESULT_VARIABLE result OUTPUT_VARIABLE output ERROR_VARIABLE output)
if(NOT result EQUAL 0)
    message(FATAL_ERROR "cpack failed:\n${output}")
endif()
file(GLOB packages "${WORK_DIR}/*.deb")
list(LENGTH packages count)
if(NOT count EQUAL 1)
    message(FATAL_ERROR "expected one package, found: ${packages}")
endif()

execute_process(COMMAND dpkg-deb --contents ${packages} OUTPUT_VARIABLE contents RESULT_VARIABLE result)
foreach(path
        ./usr/bin/velmora2-name-generator
        ./usr/share/applications/org.example.velmora2namegen.desktop
        ./usr/share/metainfo/org.example.velmora2namegen.metainfo.xml
        ./usr/share/icons/hicolor/16x16/apps/org.example.velmora2namegen.png
        ./usr/share/icons/hicolor/32x32/apps/org.example.velmora2namegen.png
        ./usr/share/icons/hicolor/128x128/apps/org.example.velmora2namegen.png)
    string(FIND "${contents}" " ${path}\n" at)
    if(at EQUAL -1)
        message(FATAL_ERROR "the package lacks ${path}:\n${contents}")
    endif()
endforeach()

execute_process(COMMAND dpkg-deb --field ${packages} Depends OUTPUT_VARIABLE depends)
foreach(dependency libqt6widgets6 libqt6gui6 libqt6core6 qt6-qpa-plugins fonts-liberation)
    if(NOT depends MATCHES "(^|, )${dependency}( |,|$|\n)")
        message(FATAL_ERROR "the package does not depend on ${dependency}: ${depends}")
    endif()
endforeach()
message(STATUS "Depends: ${depends}")
