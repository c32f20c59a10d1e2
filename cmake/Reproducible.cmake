# Two builds of the same commit give the same bytes, wherever and whenever
# they run: no build folder reaches a binary, and every time stamp a package
# stores is the time of the last commit (SOURCE_DATE_EPOCH, the
# reproducible-builds.org convention; a value already in the environment
# wins, as dpkg-buildpackage sets it from debian/changelog).
#
# Sets VELMORA_SOURCE_DATE_EPOCH, which the Windows packaging hands to
# cmake -E tar. (The installer stores no times at all: SetDateSave off.)

if(DEFINED ENV{SOURCE_DATE_EPOCH})
    set(VELMORA_SOURCE_DATE_EPOCH "$ENV{SOURCE_DATE_EPOCH}")
else()
    execute_process(COMMAND git log -1 --format=%ct
        WORKING_DIRECTORY "${PROJECT_SOURCE_DIR}"
        OUTPUT_VARIABLE VELMORA_SOURCE_DATE_EPOCH
        OUTPUT_STRIP_TRAILING_WHITESPACE
        ERROR_QUIET)
endif()
if(NOT VELMORA_SOURCE_DATE_EPOCH MATCHES "^[0-9]+$")
    # An unpacked source archive without git: a fixed date rather than the
    # time of the build.
    set(VELMORA_SOURCE_DATE_EPOCH 0)
endif()
message(STATUS "Time stamps of the packages: ${VELMORA_SOURCE_DATE_EPOCH} (SOURCE_DATE_EPOCH)")

# Debug information, __FILE__ and the like name files relative to the source
# and build folders. When both match (a build folder inside the source
# tree), the later option wins.
add_compile_options(
    "-ffile-prefix-map=${PROJECT_SOURCE_DIR}/=./"
    "-ffile-prefix-map=${PROJECT_BINARY_DIR}/=build/")

# Windows programs: no link time in the PE header (and so a checksum that
# stays the same).
if(WIN32)
    add_link_options(-Wl,--no-insert-timestamp)
endif()
