# The protections a distribution builds its own packages with.
#
# Linux: Debian's defaults from dpkg-buildflags with every hardening feature
# on (stack protector, _FORTIFY_SOURCE, format checks, RELRO with immediate
# binding; the compiler builds position-independent executables by itself),
# plus the stack clash protection that newer dpkg-buildflags turn on and this
# compiler already offers. (Their control-flow protection, -fcf-protection,
# would be lost here: Debian 12's C start files lack the marking the linker
# needs to mark the program, so it could never run enforced.)
# The Debian package's build gets them from debhelper (debian/rules), in the
# CXXFLAGS and LDFLAGS CMake starts with; any other build asks for them here,
# as CMake reads CXXFLAGS and LDFLAGS from the environment only when a build
# folder is first made, and CPPFLAGS never. Optimisation, debug information
# and file prefix maps stay with the build type and cmake/Reproducible.cmake.
#
# Windows (mingw-w64): the stack protector and _FORTIFY_SOURCE, whose
# run-time checks come from libssp, linked in statically like the rest of
# the runtime, but for the guard value and the failure handler, which are
# our own (ui/win32/stackguard.cpp): every program of the build
# links them ahead of libssp. ASLR, high-entropy ASLR and DEP are already
# the linker's defaults.
#
# The web (Emscripten): none of these exist for WebAssembly, whose code
# cannot be written to or jumped into and whose memory the browser's
# sandbox confines.
#
# _FORTIFY_SOURCE needs optimisation, so unoptimised builds (Debug, or no
# build type) go without it.

option(VELMORA_HARDENING "Build with the distribution's hardening flags" ON)
if(NOT VELMORA_HARDENING OR EMSCRIPTEN)
    return()
endif()

set(optimised "$<CONFIG:Release,RelWithDebInfo,MinSizeRel>")

if(WIN32)
    add_compile_options(-fstack-protector-strong "$<${optimised}:-D_FORTIFY_SOURCE=2>")
    add_link_options(-fstack-protector-strong)
    add_library(velmora_stack_guard STATIC "${PROJECT_SOURCE_DIR}/ui/win32/stackguard.cpp")
    target_link_libraries(velmora_stack_guard PRIVATE velmora_warnings)
    link_libraries(velmora_stack_guard)
    return()
endif()

find_program(DPKG_BUILDFLAGS dpkg-buildflags REQUIRED)
function(velmora_buildflags name out_var)
    execute_process(
        COMMAND "${CMAKE_COMMAND}" -E env DEB_BUILD_MAINT_OPTIONS=hardening=+all
            "${DPKG_BUILDFLAGS}" --get ${name}
        OUTPUT_VARIABLE flags OUTPUT_STRIP_TRAILING_WHITESPACE COMMAND_ERROR_IS_FATAL ANY)
    separate_arguments(flags UNIX_COMMAND "${flags}")
    list(FILTER flags EXCLUDE REGEX "^-(O.*|g.*|ffile-prefix-map=.*|fdebug-prefix-map=.*)$")
    list(TRANSFORM flags REPLACE "^(-D_FORTIFY_SOURCE=.*)$" "$<${optimised}:\\1>")
    set(${out_var} "${flags}" PARENT_SCOPE)
endfunction()

if(CMAKE_CXX_FLAGS MATCHES "-fstack-protector")
    set(cppflags "")
    set(cxxflags "")
    set(ldflags "")
else()
    velmora_buildflags(CPPFLAGS cppflags)
    velmora_buildflags(CXXFLAGS cxxflags)
    velmora_buildflags(LDFLAGS ldflags)
endif()
include(CheckCXXCompilerFlag)
check_cxx_compiler_flag(-fstack-clash-protection VELMORA_HAS_STACK_CLASH_PROTECTION)
if(VELMORA_HAS_STACK_CLASH_PROTECTION)
    list(APPEND cxxflags -fstack-clash-protection)
endif()
add_compile_options(${cppflags} ${cxxflags})
add_link_options(${ldflags})
message(STATUS "Hardening: ${cppflags} ${cxxflags} ${ldflags}")
