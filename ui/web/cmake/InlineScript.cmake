# Writes a page with a program's script put in its place (@PROGRAM_SCRIPT@).
#   cmake -DPAGE=<index.html> -DSCRIPT=<program.js> -DOUTPUT=<index.html> -P InlineScript.cmake

file(READ "${SCRIPT}" PROGRAM_SCRIPT)
string(FIND "${PROGRAM_SCRIPT}" "</script" closes)
if(NOT closes EQUAL -1)
    message(FATAL_ERROR "${SCRIPT} would close the page's script element")
endif()
configure_file("${PAGE}" "${OUTPUT}" @ONLY)
