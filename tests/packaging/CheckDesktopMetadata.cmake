# Checks the desktop entry and the AppStream metainfo as desktops and
# software centres judge them.
#   cmake -DDESKTOP_FILE=<file.desktop> -DMETAINFO_FILE=<file.metainfo.xml> -P CheckDesktopMetadata.cmake

execute_process(COMMAND desktop-file-validate "${DESKTOP_FILE}"
    RESULT_VARIABLE result OUTPUT_VARIABLE output ERROR_VARIABLE output)
if(NOT result EQUAL 0 OR output)
    message(FATAL_ERROR "desktop-file-validate:\n${output}")
endif()

# Without the network: the .example host can hold neither the screenshot nor
# the home page, bug tracker and source pages, so fetching them fails.
# AppStream 0.16 (Debian 12) does not know <developer> yet, which newer
# software centres read in place of the old <developer_name>; that one note
# is expected, any other finding fails.
execute_process(COMMAND appstreamcli validate --pedantic --no-net "${METAINFO_FILE}"
    RESULT_VARIABLE result OUTPUT_VARIABLE output ERROR_VARIABLE output)
string(REGEX REPLACE "I: [^\n]*: unknown-tag developer\n" "" findings "${output}")
if(NOT result EQUAL 0 OR findings MATCHES "(^|\n)[EWIP]: ")
    message(FATAL_ERROR "appstreamcli validate:\n${output}")
endif()

# Software centres cut summaries longer than 35 characters, and list the
# program under the metainfo's categories and menus under the desktop entry's.
file(READ "${METAINFO_FILE}" metainfo)
string(REGEX MATCH "<summary>([^<]*)</summary>" _ "${metainfo}")
string(LENGTH "${CMAKE_MATCH_1}" length)
if(length GREATER 35)
    message(FATAL_ERROR "the summary has ${length} characters, more than 35: ${CMAKE_MATCH_1}")
endif()
string(REGEX MATCHALL "<category>[^<]*</category>" categories "${metainfo}")
list(TRANSFORM categories REPLACE "</?category>" "")
file(READ "${DESKTOP_FILE}" desktop_entry)
string(REGEX MATCH "\nCategories=([^\n]*[^;\n])" _ "${desktop_entry}")
set(desktop_categories "${CMAKE_MATCH_1}")
if(NOT categories STREQUAL desktop_categories)
    message(FATAL_ERROR "categories differ: metainfo ${categories}, desktop entry ${desktop_categories}")
endif()
message(STATUS "desktop entry and metainfo valid; categories ${categories}")
