// The stack protector's guard value and what ends the program when a check
// finds a stack or a buffer overrun, in place of libssp's. libssp seeds its
// guard through advapi32's CryptoAPI, which loads advapi32 and a
// cryptographic provider at every start. This guard is seeded the way
// Windows' own compiler seeds its stack cookie, from what kernel32 and the
// processor tell at once: the time, the process and thread ids, the tick
// count, the performance and time stamp counters, and the addresses ASLR
// picks at random (the stack's and the program's). It is set in a TLS
// callback, which Windows runs before the program's entry point, so before
// any protected function of the program has a frame on the stack.

#include <windows.h>

#include <cstdint>

// The value until the seed replaces it; never taken again afterwards.
constexpr std::uint64_t UnseededGuard = 0x2b992ddfa232;

extern "C" {

std::uint64_t __stack_chk_guard = UnseededGuard;

// A protected function's guard was overwritten, or a checked copy (from
// _FORTIFY_SOURCE) would have run past its buffer: the process is ended on
// the spot, running none of its own code on the way (no handler, no atexit,
// no DLL detach), as Windows' own compiler does: by a fast fail (Windows 8
// and later), else by TerminateProcess, its status a stack buffer overrun.
[[noreturn]] void __stack_chk_fail()
{
    if (IsProcessorFeaturePresent(PF_FASTFAIL_AVAILABLE)) {
        asm volatile("int $0x29" : : "c"(FAST_FAIL_STACK_COOKIE_CHECK_FAILURE));
    }
    TerminateProcess(GetCurrentProcess(), STATUS_STACK_BUFFER_OVERRUN);
    __builtin_trap();
}

[[noreturn]] void __chk_fail()
{
    __stack_chk_fail();
}

} // extern "C"

namespace {

// Spreads every bit of a part over all 64 (the finish of SplitMix64), so
// that no source, however few bits of it change, cancels another out.
constexpr std::uint64_t stir(std::uint64_t value)
{
    value = (value ^ (value >> 30)) * 0xbf58476d1ce4e5b9;
    value = (value ^ (value >> 27)) * 0x94d049bb133111eb;
    return value ^ (value >> 31);
}

[[gnu::no_stack_protector]] void WINAPI seedGuard(PVOID image, DWORD reason, PVOID)
{
    if (reason != DLL_PROCESS_ATTACH) {
        return; // a thread starting: frames with the guard are on the stack
    }
    FILETIME time;
    GetSystemTimeAsFileTime(&time);
    LARGE_INTEGER counter;
    QueryPerformanceCounter(&counter);
    const std::uint64_t parts[] = {
        (std::uint64_t{time.dwHighDateTime} << 32) | time.dwLowDateTime,
        GetCurrentProcessId(),
        GetCurrentThreadId(),
        GetTickCount64(),
        static_cast<std::uint64_t>(counter.QuadPart),
        __builtin_ia32_rdtsc(),
        reinterpret_cast<std::uintptr_t>(&time),
        reinterpret_cast<std::uintptr_t>(image),
    };
    std::uint64_t guard = 0;
    for (std::uint64_t part : parts) {
        guard = stir(guard + part + 0x9e3779b97f4a7c15);
    }
    __stack_chk_guard = guard == UnseededGuard ? guard + 1 : guard;
}

} // namespace

// Between mingw-w64's own TLS callbacks (.CRT$XLA to .CRT$XLZ, its first in
// .CRT$XLC), so it runs first.
extern "C" [[gnu::section(".CRT$XLB"), gnu::used]] const PIMAGE_TLS_CALLBACK velmoraSeedStackGuard =
    seedGuard;
