# Builds the Debian package and its debug symbols package and checks them the
# way Debian does: their contents and dependencies, lintian, and the
# hardening of the packaged program.
#   cmake -DBUILD_DIR=<build> -DWORK_DIR=<scratch> -P CheckDebianPackage.cmake

file(REMOVE_RECURSE "${WORK_DIR}")
file(MAKE_DIRECTORY "${WORK_DIR}")
execute_process(COMMAND cpack --config "${BUILD_DIR}/CPackConfig.cmake" -G DEB -B "${WORK_DIR}"
    WORKING_DIRECTORY "${BUILD_DIR}" RESULT_VARIABLE result OUTPUT_VARIABLE output ERROR_VARIABLE output)
if(NOT result EQUAL 0)
    message(FATAL_ERROR "cpack failed:\n${output}")
endif()
file(GLOB package "${WORK_DIR}/*.deb")
file(GLOB debug_package "${WORK_DIR}/*-dbgsym_*.ddeb")
list(LENGTH package count)
list(LENGTH debug_package debug_count)
if(NOT count EQUAL 1 OR NOT debug_count EQUAL 1)
    message(FATAL_ERROR "expected one package and one debug symbols package: ${package} ${debug_package}")
endif()

execute_process(COMMAND dpkg-deb --contents ${package} OUTPUT_VARIABLE contents RESULT_VARIABLE result)
foreach(path
        ./usr/bin/velmora2-name-generator
        ./usr/share/applications/org.example.velmora2namegen.desktop
        ./usr/share/metainfo/org.example.velmora2namegen.metainfo.xml
        ./usr/share/icons/hicolor/16x16/apps/org.example.velmora2namegen.png
        ./usr/share/icons/hicolor/32x32/apps/org.example.velmora2namegen.png
        ./usr/share/icons/hicolor/128x128/apps/org.example.velmora2namegen.png
        ./usr/share/icons/hicolor/256x256/apps/org.example.velmora2namegen.png
        ./usr/share/man/man1/velmora2-name-generator.1.gz)
    string(FIND "${contents}" " ${path}\n" at)
    if(at EQUAL -1)
        message(FATAL_ERROR "the package lacks ${path}:\n${contents}")
    endif()
endforeach()

# Library dependencies are computed; the only hand-written ones are those the
# program needs at run time without linking to them.
execute_process(COMMAND dpkg-deb --field ${package} Depends Recommends OUTPUT_VARIABLE fields)
foreach(dependency libqt6widgets6 libqt6gui6 libqt6core6 fonts-liberation qt6-wayland)
    if(NOT fields MATCHES "[:,] ${dependency}( |,|\n)")
        message(FATAL_ERROR "the package neither depends on nor recommends ${dependency}:\n${fields}")
    endif()
endforeach()
string(REGEX MATCHALL "[:,] [a-z0-9.+-]+" named "${fields}")
list(FILTER named EXCLUDE REGEX "^[:,] (lib.*|fonts-liberation|qt6-wayland)$")
if(named)
    message(FATAL_ERROR "hand-written dependencies beyond the true ones: ${named}")
endif()
message(STATUS "${fields}")

# No error, warning or informational tag but the one cmake/Packaging.cmake explains.
execute_process(COMMAND lintian --pedantic --display-info --fail-on error,warning,info,pedantic
        --suppress-tags cannot-check-whether-usr-share-doc-symlink-points-to-foreign-package
        ${package} ${debug_package}
    RESULT_VARIABLE result OUTPUT_VARIABLE output ERROR_VARIABLE output)
if(NOT result EQUAL 0)
    message(FATAL_ERROR "lintian:\n${output}")
endif()

# Control-flow protection is left out: see cmake/Hardening.cmake.
set(tree "${WORK_DIR}/tree")
execute_process(COMMAND dpkg-deb --extract ${package} "${tree}" COMMAND_ERROR_IS_FATAL ANY)
execute_process(COMMAND hardening-check --nocfprotection "${tree}/usr/bin/velmora2-name-generator"
    RESULT_VARIABLE result OUTPUT_VARIABLE output ERROR_VARIABLE output)
if(NOT result EQUAL 0)
    message(FATAL_ERROR "hardening-check:\n${output}")
endif()
message(STATUS "${output}")
