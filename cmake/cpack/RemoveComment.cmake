# Run by cpack on the staged files before it packs them (CPACK_PRE_BUILD_SCRIPTS):
# removes the compilers' version notes (.comment), which no program needs,
# from the program, as Debian's own strip step does.

find_program(OBJCOPY objcopy REQUIRED)
execute_process(
    COMMAND "${OBJCOPY}" --remove-section=.comment
        "${CPACK_TEMPORARY_DIRECTORY}${CPACK_PACKAGING_INSTALL_PREFIX}/bin/velmora2-name-generator"
    COMMAND_ERROR_IS_FATAL ANY)
