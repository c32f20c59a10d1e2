# Writes a page with a program put in it: its script in place of
# @PROGRAM_SCRIPT@ and its WebAssembly, in base64, in place of @PROGRAM_CODE@.
#   cmake -DPAGE=<index.html> -DSCRIPT=<program.js> -DCODE=<program.wasm>
#         -DOUTPUT=<index.html> -P InlineScript.cmake

file(READ "${SCRIPT}" PROGRAM_SCRIPT)
string(FIND "${PROGRAM_SCRIPT}" "</script" closes)
if(NOT closes EQUAL -1)
    message(FATAL_ERROR "${SCRIPT} would close the page's script element")
endif()
find_program(BASE64 base64 REQUIRED)
execute_process(COMMAND "${BASE64}" --wrap=0 "${CODE}"
    OUTPUT_VARIABLE PROGRAM_CODE COMMAND_ERROR_IS_FATAL ANY)
configure_file("${PAGE}" "${OUTPUT}" @ONLY)
