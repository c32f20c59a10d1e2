# Compiles and links the Windows launcher with the mingw-w64 cross compiler,
# with our warnings as errors. We cannot run Windows here; it must build.
#   cmake -DSOURCE_DIR=<repo> -DWORK_DIR=<scratch> -P BuildWindowsLauncher.cmake

find_program(MINGW_CXX x86_64-w64-mingw32-g++ REQUIRED)
file(MAKE_DIRECTORY "${WORK_DIR}")
execute_process(
    COMMAND "${MINGW_CXX}" -std=c++20 -Wall -Wextra -Wpedantic -Werror -I "${SOURCE_DIR}"
        "${SOURCE_DIR}/links/module1_windows.cpp"
        "${SOURCE_DIR}/tests/packaging/windows_launcher_check.cpp"
        -o "${WORK_DIR}/windows_launcher_check.exe" -lshell32 -luser32
    RESULT_VARIABLE result OUTPUT_VARIABLE output ERROR_VARIABLE output)
if(NOT result EQUAL 0)
    message(FATAL_ERROR "the Windows launcher does not build:\n${output}")
endif()
message(STATUS "built ${WORK_DIR}/windows_launcher_check.exe")
