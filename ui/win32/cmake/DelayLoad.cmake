# velmora_delay_import_library(<target> <dll> <function>...)
# Makes <target>, an import library through which Windows loads <dll> at the
# first call of one of its functions instead of at start. The program calls
# the functions as usual; only what it links against changes.
find_program(VELMORA_DLLTOOL NAMES x86_64-w64-mingw32-dlltool dlltool REQUIRED)

function(velmora_delay_import_library target dll)
    set(definitions "${CMAKE_CURRENT_BINARY_DIR}/${target}.def")
    list(JOIN ARGN "\n" exports)
    file(WRITE "${definitions}" "LIBRARY ${dll}\nEXPORTS\n${exports}\n")
    set(library "${CMAKE_CURRENT_BINARY_DIR}/lib${target}.a")
    add_custom_command(OUTPUT "${library}"
        COMMAND "${VELMORA_DLLTOOL}" --input-def "${definitions}" --dllname ${dll}
            --output-delaylib "${library}"
        DEPENDS "${definitions}"
        VERBATIM)
    add_custom_target(${target}_import DEPENDS "${library}")
    add_library(${target} INTERFACE)
    target_link_libraries(${target} INTERFACE "${library}")
    add_dependencies(${target} ${target}_import)
endfunction()
