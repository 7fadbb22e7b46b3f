// The first open of a CCX file, as a user meets it: a freshly started
// process (ccx_open_probe) reads the file once, into a CcxDocument, beside
// the same process reading the same file raw into memory not cleared first
// (and through readFileBytes, as the reader reads it). Two more rows say
// what owning the page texts costs at the least: the raw read followed by
// copying its bytes into as many strings as the document has page texts,
// and the same with the file read 1 MB at a time into one block used again
// (a reader that never holds the whole file). Each iteration starts a new
// probe; the time is the probe's own, from before its read to after it. For
// the largest file there can be (21.6 MB) and a set of the usual size (about
// 100 KB), both made here and read from the page cache.

#include "ccxbenchdata.h"

#include <benchmark/benchmark.h>

#include <chrono>
#include <cstdio>
#include <spawn.h>
#include <string>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

extern char** environ;

namespace {

using namespace tessaro;
using namespace tessaro::bench;

struct ProbeTimes {
    double wall = -1;   // seconds of the read; negative when the probe failed
    double cpu = 0;     // the probe's processor seconds during the read
    double process = 0; // seconds from starting the probe to its end
};

ProbeTimes runProbe(const std::string& mode, const std::string& file, int pieces) {
    const auto program =
        std::filesystem::read_symlink("/proc/self/exe").parent_path() / "ccx_open_probe";
    const auto start = std::chrono::steady_clock::now();
    const auto child = spawnWithPipedOutput(
        {program.string(), mode, (scratch() / file).string(), std::to_string(pieces)});
    char output[64] = {};
    std::size_t got = 0;
    while (child.id != 0 && got + 1 < sizeof output) {
        const auto n = ::read(child.output, output + got, sizeof output - 1 - got);
        if (n <= 0)
            break;
        got += static_cast<std::size_t>(n);
    }
    int status = 0;
    if (child.id != 0) {
        ::close(child.output);
        ::waitpid(child.id, &status, 0);
    }
    const auto end = std::chrono::steady_clock::now();
    long long wallNs = 0;
    long long cpuNs = 0;
    if (child.id == 0 || !WIFEXITED(status) || WEXITSTATUS(status) != 0 ||
        std::sscanf(output, "%lld %lld", &wallNs, &cpuNs) != 2)
        return {};
    return {wallNs / 1e9, cpuNs / 1e9, std::chrono::duration<double>(end - start).count()};
}

void firstOpen(benchmark::State& state, const char* mode, const char* file) {
    const auto& document = std::string(file) == "full.ccx" ? fullDocument() : realDocument();
    const int pieces = pageCount(document);
    double cpu = 0;
    double process = 0;
    for (auto _ : state) {
        const auto times = runProbe(mode, file, pieces);
        if (times.wall < 0) {
            state.SkipWithError("the probe failed");
            break;
        }
        state.SetIterationTime(times.wall);
        cpu += times.cpu;
        process += times.process;
    }
    state.counters["read CPU ms"] =
        benchmark::Counter(cpu * 1000, benchmark::Counter::kAvgIterations);
    state.counters["process ms"] =
        benchmark::Counter(process * 1000, benchmark::Counter::kAvgIterations);
    state.SetLabel(
        std::to_string((std::string(file) == "full.ccx" ? fullBytes() : realBytes()).size()) +
        " bytes, " + std::to_string(pieces) + " pages");
}

BENCHMARK_CAPTURE(firstOpen, full_raw, "raw", "full.ccx")
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(firstOpen, full_bytes, "bytes", "full.ccx")
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(firstOpen, full_owned, "owned", "full.ccx")
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(firstOpen, full_pieces, "pieces", "full.ccx")
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(firstOpen, full_ccx, "ccx", "full.ccx")
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(firstOpen, real_raw, "raw", "real.ccx")
    ->UseManualTime()
    ->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(firstOpen, real_owned, "owned", "real.ccx")
    ->UseManualTime()
    ->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(firstOpen, real_ccx, "ccx", "real.ccx")
    ->UseManualTime()
    ->Unit(benchmark::kMicrosecond);

} // namespace

BENCHMARK_MAIN();
