// Start-up time and peak memory of the program against floors measured in
// the same run on the current X display (run it under xvfb-run), the last
// of them the floor the goal is set against. On Linux: a bare window of the
// same size, that window with one line of text, which is the least any
// window with a caption costs, and that text in the program's own font, the
// floor. Under wine: the bare window, the window with sixteen controls of
// the kinds the program has, made the plainest way, and the floor, the
// window with one line of text. Start-up is the time from starting the
// process to the X server mapping its window, in wall time and in CPU time
// of the process's threads; peak memory is the process's VmHWM once the
// window has been up for a moment.
//
// Every round starts each program once, the order rotating from
// round to round, so that none always pays for starting first (under wine,
// the first start after a pause is the slow one); the figures are medians
// with the middle half of the rounds as their spread.
//
// With --launcher, each program is started through that command; so the
// Windows build is measured under wine against Win32 floors of its own:
//
//   bench_startup [--launcher wine] <program> <baseline>... <floor> [rounds]

#include "benchtiming.h"

#include <X11/Xlib.h>

#include <algorithm>
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
    double cpuMs = 0.0;
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

// CPU time the process's threads have had so far, to the nanosecond.
double cpuMilliseconds(pid_t pid)
{
    double nanoseconds = 0.0;
    std::error_code error;
    for (const auto& thread :
         std::filesystem::directory_iterator("/proc/" + std::to_string(pid) + "/task", error)) {
        std::ifstream schedstat(thread.path() / "schedstat");
        double onCpu = 0.0;
        if (schedstat >> onCpu) {
            nanoseconds += onCpu;
        }
    }
    return nanoseconds / 1e6;
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
            sample.cpuMs = cpuMilliseconds(pid);
            break;
        }
    }
    std::this_thread::sleep_for(std::chrono::milliseconds(300)); // let it paint
    sample.peakMiB = peakResidentMiB(pid);
    kill(pid, SIGTERM);
    waitpid(pid, nullptr, 0);
    return sample;
}

// The value below which the given share of values lie.
double quantile(std::vector<double> values, double share)
{
    std::sort(values.begin(), values.end());
    return values[static_cast<std::size_t>(share * static_cast<double>(values.size() - 1) + 0.5)];
}

using Samples = std::vector<std::vector<double>>;

// Each program is named by its file; the first is ours, the last the floor
// the goal is set against.
void report(const char* figure, const char* unit, const std::vector<std::string>& names,
            const Samples& samples, double target)
{
    std::printf("%s\n", figure);
    for (std::size_t program = 0; program < samples.size(); ++program) {
        std::printf("  %-30s %7.1f %-3s  middle half %.1f to %.1f\n", names[program].c_str(),
                    bench::median(samples[program]), unit, quantile(samples[program], 0.25),
                    quantile(samples[program], 0.75));
    }
    const double ours = bench::median(samples[0]);
    std::printf("  ratio to %s %.2f (goal at most %.2f);", names.back().c_str(),
                ours / bench::median(samples.back()), target);
    for (std::size_t program = 1; program + 1 < samples.size(); ++program) {
        std::printf(" to %s %.2f;", names[program].c_str(),
                    ours / bench::median(samples[program]));
    }
    std::printf("\n");
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
    // The programs, then the number of rounds if the last argument is one.
    std::vector<const char*> programs(argv + 1, argv + argc);
    int rounds = 21;
    if (!programs.empty() && std::atoi(programs.back()) > 0) {
        rounds = std::atoi(programs.back());
        programs.pop_back();
    }
    if (programs.size() < 2) {
        std::fprintf(stderr, "usage: %s [--launcher command] <program> <baseline>... <floor> [rounds]\n",
                     argv[0]);
        return 2;
    }
    const std::size_t count = programs.size();
    Display* display = XOpenDisplay(nullptr);
    if (display == nullptr) {
        std::fprintf(stderr, "no X display; run under xvfb-run\n");
        return 2;
    }
    // One unmeasured start of each warms the file cache.
    for (const char* program : programs) {
        measure(display, launcher, program);
    }
    Samples start(count);
    Samples cpu(count);
    Samples peak(count);
    for (int round = 0; round < rounds; ++round) {
        for (std::size_t turn = 0; turn < count; ++turn) {
            const std::size_t program = (round + turn) % count;
            const Sample sample = measure(display, launcher, programs[program]);
            start[program].push_back(sample.startupMs);
            cpu[program].push_back(sample.cpuMs);
            peak[program].push_back(sample.peakMiB);
        }
    }
    // The goal: within 5% of the floor, on Linux and under wine alike.
    const double target = 1.05;
    std::printf("medians of %d rounds, the order of the programs rotating\n", rounds);
    std::vector<std::string> names;
    for (const char* program : programs) {
        names.push_back(std::filesystem::path(program).filename().string());
    }
    report("start to window shown, wall time:", "ms", names, start, target);
    report("start to window shown, CPU time:", "ms", names, cpu, target);
    report("peak resident memory:", "MiB", names, peak, target);
    std::printf("file sizes:");
    for (const char* program : programs) {
        std::printf(" %.0f KiB", std::filesystem::file_size(program) / 1024.0);
    }
    std::printf("\n");
    XCloseDisplay(display);
    return 0;
}
