// The stack protector as the program is built with it (cmake/Hardening.cmake),
// seen from outside: this program starts itself with a length, prints the
// guard as its first constructor saw it and as main sees it, and writes that
// many bytes into a buffer of 16 on its stack, or copies them there with
// memcpy, which _FORTIFY_SOURCE checks; or prints it around a thread it starts.

#include "wine/checks/checks.h"

#include <windows.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

extern "C" std::uint64_t __stack_chk_guard;

namespace {

// The guard as the program's own constructors see it.
const std::uint64_t GuardAtFirstConstructor = __stack_chk_guard;

// Given 32, fills its buffer, the 8 bytes above it and the guard above
// those, and stops short of the return address (as GCC 12 lays out the frame).
[[gnu::noinline]] void overrun(int length)
{
    char buffer[16];
    volatile char* end = buffer;
    for (int index = 0; index < length; ++index) {
        end[index] = 'x';
    }
    std::printf("filled %.16s\n", buffer);
}

// The same length copied at once, which _FORTIFY_SOURCE checks before it copies.
[[gnu::noinline]] void copy(int length)
{
    static const char source[64] = {};
    char buffer[16];
    std::memcpy(buffer, source, length);
    std::printf("copied %.16s\n", buffer);
}

// Threads start while frames with the guard are on the stack, so the guard
// stays as it was; seeded again, this frame's own check would end the
// program on return. The thread writes the guard as it sees it into the frame.
[[gnu::noinline]] void acrossAThread()
{
    char inThread[17] = {};
    const std::uint64_t before = __stack_chk_guard;
    const auto read = [](void* text) -> DWORD {
        return std::snprintf(static_cast<char*>(text), 17, "%016llx", __stack_chk_guard);
    };
    const HANDLE thread = CreateThread(nullptr, 0, read, inThread, 0, nullptr);
    WaitForSingleObject(thread, INFINITE);
    CloseHandle(thread);
    std::printf("thread %016llx %s %016llx\n", before, inThread, __stack_chk_guard);
}

struct Start
{
    DWORD status;
    std::string output;
    unsigned long long guards[5]; // first constructor, main; before, in, after a thread
};

// This program started with these arguments, through the command
// interpreter, which ends with its status; what it prints is passed on.
Start startOverrun(const char* arguments)
{
    char self[MAX_PATH];
    GetModuleFileNameA(nullptr, self, MAX_PATH);
    FILE* child = _popen((std::string("\"") + self + "\" " + arguments).c_str(), "r");
    Start start{};
    char line[256];
    while (std::fgets(line, sizeof line, child) != nullptr) {
        std::fputs(line, stdout);
        start.output += line;
    }
    start.status = static_cast<DWORD>(_pclose(child));
    std::sscanf(start.output.c_str(), "guard %llx %llx thread %llx %llx %llx", &start.guards[0],
                &start.guards[1], &start.guards[2], &start.guards[3], &start.guards[4]);
    return start;
}

} // namespace

int main(int argc, char** argv)
{
    if (argc > 1) {
        std::setvbuf(stdout, nullptr, _IONBF, 0); // all of it out before the end
        std::printf("guard %016llx %016llx\n",
                    static_cast<unsigned long long>(GuardAtFirstConstructor),
                    static_cast<unsigned long long>(__stack_chk_guard));
        std::strcmp(argv[1], "thread") == 0 ? acrossAThread()
        : argc > 2                          ? copy(std::atoi(argv[2]))
                                            : overrun(std::atoi(argv[1]));
        std::puts("returned");
        return EXIT_SUCCESS;
    }
    testing::Checks check;
    const Start first = startOverrun("32");
    const Start second = startOverrun("32");
    for (const Start& start : {first, second}) {
        check(start.status == STATUS_STACK_BUFFER_OVERRUN &&
                  start.output.find("returned") == std::string::npos,
              "an overrun stack ends the program at once, as a stack buffer overrun");
    }
    const Start copied = startOverrun("copy 32");
    check(copied.status == STATUS_STACK_BUFFER_OVERRUN &&
              copied.output.find("copied") == std::string::npos,
          "a copy past its buffer is stopped before it copies, and ends the program");
    constexpr std::uint64_t unseeded = 0x2b992ddfa232; // ui/win32/stackguard.cpp
    check(first.guards[0] == first.guards[1] && first.guards[1] != unseeded,
          "the guard is seeded before the program's first constructor runs");
    const Start threaded = startOverrun("thread");
    const unsigned long long* guards = threaded.guards;
    check(threaded.status == EXIT_SUCCESS &&
              threaded.output.find("returned") != std::string::npos && guards[1] != 0 &&
              guards[1] != unseeded && guards[2] == guards[1] && guards[3] == guards[1] &&
              guards[4] == guards[1],
          "a thread started later finds the guard as it was, and the frame under it returns");
    // Seeded well, two guards differ in about half their bits, in both halves.
    const std::uint64_t apart = first.guards[1] ^ second.guards[1];
    check(__builtin_popcountll(apart) >= 16 && (apart >> 32) != 0 && (apart & 0xffffffff) != 0,
          "the guard differs from one start to the next in bits all over");
    return check.finish();
}
