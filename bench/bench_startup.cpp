// Start-up time and peak memory of the program against a bare Qt window of
// the same size, and against that window with one line of text, measured in
// turn in one run on the current X display (run it under xvfb-run).
// Start-up is the time from starting the process to the X server mapping
// its window; peak memory is the process's VmHWM once the window has been
// up for a moment.
//
// With --launcher, each program is started through that command; so the
// Windows build is measured under wine against Win32 baselines of its own:
//
//   bench_startup [--launcher wine] <program> <bare-window> <bare-window-with-text> [runs]

#include "benchtiming.h"

#include <X11/Xlib.h>

#include <chrono>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <thread>
#include <vector>

#include <sys/wait.h>
#include <unistd.h>

namespace {

struct Sample
{
    double startupMs = 0.0;
    double peakMiB = 0.0;
};

double peakResidentMiB(pid_t pid)
{
    std::ifstream status("/proc/" + std::to_string(pid) + "/status");
    std::string line;
    while (std::getline(status, line)) {
        if (line.rfind("VmHWM:", 0) == 0) {
            return std::stod(line.substr(6)) / 1024.0;
        }
    }
    return 0.0;
}

// Starts program (through launcher, unless that is null) and waits for the
// first window it maps on the root window.
Sample measure(Display* display, const char* launcher, const char* program)
{
    XSelectInput(display, DefaultRootWindow(display), SubstructureNotifyMask);
    XSync(display, True); // drop events of earlier runs

    const auto start = std::chrono::steady_clock::now();
    const pid_t pid = fork();
    if (pid == 0) {
        if (launcher != nullptr) {
            execlp(launcher, launcher, program, static_cast<char*>(nullptr));
        } else {
            execl(program, program, static_cast<char*>(nullptr));
        }
        _exit(127);
    }
    Sample sample;
    for (;;) {
        XEvent event;
        XNextEvent(display, &event);
        if (event.type == MapNotify) {
            sample.startupMs =
                std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start)
                    .count();
            break;
        }
    }
    std::this_thread::sleep_for(std::chrono::milliseconds(300)); // let it paint
    sample.peakMiB = peakResidentMiB(pid);
    kill(pid, SIGTERM);
    waitpid(pid, nullptr, 0);
    return sample;
}

} // namespace

int main(int argc, char* argv[])
{
    const char* launcher = nullptr;
    if (argc > 2 && std::string(argv[1]) == "--launcher") {
        launcher = argv[2];
        argv += 2;
        argc -= 2;
    }
    if (argc < 4) {
        std::fprintf(stderr,
                     "usage: %s [--launcher command] <program> <bare-window> "
                     "<bare-window-with-text> [runs]\n",
                     argv[0]);
        return 2;
    }
    const int runs = argc > 4 ? std::atoi(argv[4]) : 21;
    Display* display = XOpenDisplay(nullptr);
    if (display == nullptr) {
        std::fprintf(stderr, "no X display; run under xvfb-run\n");
        return 2;
    }
    // One unmeasured start of each warms the file cache.
    for (int program = 1; program <= 3; ++program) {
        measure(display, launcher, argv[program]);
    }
    std::vector<double> start[3];
    std::vector<double> peak[3];
    for (int run = 0; run < runs; ++run) {
        for (int program = 0; program < 3; ++program) {
            const Sample sample = measure(display, launcher, argv[program + 1]);
            start[program].push_back(sample.startupMs);
            peak[program].push_back(sample.peakMiB);
        }
    }
    const auto report = [runs](const char* figure, const char* unit,
                               const std::vector<double>(&samples)[3]) {
        const double ours = bench::median(samples[0]);
        const double bare = bench::median(samples[1]);
        const double text = bench::median(samples[2]);
        std::printf("%-22s %6.1f %-3s  bare window %.1f %s (ratio %.2f; target <= 1.20), "
                    "bare window with text %.1f %s (ratio %.2f); medians of %d\n",
                    figure, ours, unit, bare, unit, ours / bare, text, unit, ours / text, runs);
    };
    report("start to window shown:", "ms", start);
    report("peak resident memory:", "MiB", peak);
    std::printf("program file size:      %.0f KiB  bare window %.0f KiB, bare window with text "
                "%.0f KiB\n",
                std::filesystem::file_size(argv[1]) / 1024.0,
                std::filesystem::file_size(argv[2]) / 1024.0,
                std::filesystem::file_size(argv[3]) / 1024.0);
    XCloseDisplay(display);
    return 0;
}
