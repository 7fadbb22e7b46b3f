// Time from starting a program to its main window's first frame: Tessaro
// (startup_probe_tessaro, which is Tessaro's own start with a watch for the
// first frame) beside a bare Qt main window and one with a menu bar and a
// label (startup_probe_qt). Each iteration starts a fresh process and stops
// the clock when the probe reports its first frame.
//
// The probes run with the platform plugin of the environment; without one
// (no QT_QPA_PLATFORM, no display) they run offscreen. Tessaro's settings and
// program folder are pointed at a scratch folder so no real ones are read or
// changed.

#include "benchsupport.h"

#include <benchmark/benchmark.h>

#include <chrono>
#include <cstdlib>
#include <spawn.h>
#include <string>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

extern char** environ;

namespace {

using namespace tessaro::bench;

std::filesystem::path probeFolder() {
    return std::filesystem::read_symlink("/proc/self/exe").parent_path();
}

const ScratchFolder& scratch() {
    static const ScratchFolder folder("startup");
    return folder;
}

struct StartTimes {
    double wall = -1; // seconds until the first line; negative without one
    double cpu = 0;   // seconds of processor time the probe used, all of it
};

// Starts the program and waits for its first line and its end.
StartTimes timeToFirstFrame(const std::filesystem::path& program, const char* argument) {
    std::vector<std::string> arguments = {program.string()};
    if (argument)
        arguments.push_back(argument);
    const auto start = std::chrono::steady_clock::now();
    const auto child = spawnWithPipedOutput(std::move(arguments));
    char got = 0;
    const bool framed = child.id != 0 && ::read(child.output, &got, 1) == 1;
    const auto end = std::chrono::steady_clock::now();
    int status = 0;
    struct rusage usage {};
    if (child.id != 0) {
        ::close(child.output);
        ::wait4(child.id, &status, 0, &usage);
    }
    if (!framed)
        return {};
    const auto seconds = [](const timeval& t) { return t.tv_sec + t.tv_usec / 1e6; };
    return {std::chrono::duration<double>(end - start).count(),
            seconds(usage.ru_utime) + seconds(usage.ru_stime)};
}

void measureStart(benchmark::State& state, const char* probe, const char* argument) {
    const auto program = probeFolder() / probe;
    double cpu = 0;
    for (auto _ : state) {
        const auto times = timeToFirstFrame(program, argument);
        if (times.wall < 0) {
            state.SkipWithError("the probe ended without a frame");
            break;
        }
        state.SetIterationTime(times.wall);
        cpu += times.cpu;
    }
    // The probe's own processor time (it ends right at its first frame):
    // steadier than the wall time when other work shares the machine.
    state.counters["probe CPU ms"] =
        benchmark::Counter(cpu * 1000, benchmark::Counter::kAvgIterations);
}

void qtEmptyMainWindow(benchmark::State& state) {
    measureStart(state, "startup_probe_qt", "empty");
}

void qtMainWindowWithMenuBar(benchmark::State& state) {
    measureStart(state, "startup_probe_qt", "menubar");
}

void tessaroMainWindow(benchmark::State& state) {
    measureStart(state, "startup_probe_tessaro", nullptr);
}

BENCHMARK(qtEmptyMainWindow)->UseManualTime()->Unit(benchmark::kMillisecond);
BENCHMARK(qtMainWindowWithMenuBar)->UseManualTime()->Unit(benchmark::kMillisecond);
BENCHMARK(tessaroMainWindow)->UseManualTime()->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv) {
    if (!std::getenv("QT_QPA_PLATFORM") && !std::getenv("DISPLAY") &&
        !std::getenv("WAYLAND_DISPLAY"))
        ::setenv("QT_QPA_PLATFORM", "offscreen", 1);
    ::setenv("TESSARO_HOME", (scratch() / "home").c_str(), 1);
    ::setenv("XDG_CONFIG_HOME", (scratch() / "config").c_str(), 1);
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
