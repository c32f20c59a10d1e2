# Installs the build into a fresh prefix and checks that every file of the
# program and its desktop integration lands where desktops look for it.
#   cmake -DBUILD_DIR=<build> -DWORK_DIR=<scratch> -P CheckInstallTree.cmake

file(REMOVE_RECURSE "${WORK_DIR}")
execute_process(COMMAND "${CMAKE_COMMAND}" --install "${BUILD_DIR}" --prefix "${WORK_DIR}"
    RESULT_VARIABLE result OUTPUT_QUIET)
if(NOT result EQUAL 0)
    message(FATAL_ERROR "cmake --install failed: ${result}")
endif()

set(expected
    bin/velmora2-name-generator
    share/applications/org.example.velmora2namegen.desktop
    share/metainfo/org.example.velmora2namegen.metainfo.xml
    share/icons/hicolor/16x16/apps/org.example.velmora2namegen.png
    share/icons/hicolor/32x32/apps/org.example.velmora2namegen.png
    share/icons/hicolor/128x128/apps/org.example.velmora2namegen.png
    share/icons/hicolor/256x256/apps/org.example.velmora2namegen.png
    share/man/man1/velmora2-name-generator.1.gz
    share/doc/velmora2-name-generator/copyright
    share/doc/velmora2-name-generator/changelog.gz)
foreach(path IN LISTS expected)
    if(NOT EXISTS "${WORK_DIR}/${path}")
        message(FATAL_ERROR "not installed: ${path}")
    endif()
endforeach()
execute_process(COMMAND test -x "${WORK_DIR}/bin/velmora2-name-generator" RESULT_VARIABLE result)
if(NOT result EQUAL 0)
    message(FATAL_ERROR "the installed program is not executable")
endif()
message(STATUS "installed: ${expected}")
