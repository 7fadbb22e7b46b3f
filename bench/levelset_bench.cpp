// A level set of 149 levels (about 110 KB, titles, passwords and hints, as
// full as a large set gets) read from its file beside the raw read of the
// same file, and read from bytes already in memory.
//
// With glibc, each round of readSetFile frees enough (the file's bytes and the
// levels) for the heap to be given back to the system, so every round pays
// page faults that a running program, whose heap stays, does not. Run with
// GLIBC_TUNABLES=glibc.malloc.trim_threshold=67108864 to see the read alone.

#include "benchsupport.h"
#include "common/paths.h"
#include "levelset/levelsetreader.h"
#include "rawio.h"
#include "support/levelsetwriter.h"

#include <benchmark/benchmark.h>

#include <string>

namespace {

using namespace tessaro;
using namespace tessaro::bench;

constexpr std::size_t kLevels = 149;

const std::string& setBytes() {
    static const std::string bytes = [] {
        auto set = test::numberedSet(static_cast<int>(kLevels));
        // A layer of mixed tiles with runs, about as long as a busy level's.
        set.layer.clear();
        for (int run = 0; set.layer.size() < 330; ++run)
            set.layer += run % 4 ? std::string(1, static_cast<char>(run % 0x6F))
                                 : std::string("\xFF\x09\x01", 3);
        for (auto& level : set.levels)
            level.hint = "Collect every chip, then find the way out before the time runs out.";
        return test::writeLevelSet(set);
    }();
    return bytes;
}

const std::filesystem::path& setFile() {
    static const ScratchFolder folder("levelset");
    static const auto file = folder.write("full.dat", setBytes());
    return file;
}

void countBytes(benchmark::State& state) {
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * setBytes().size()));
    state.SetLabel(std::to_string(setBytes().size()) + " bytes");
}

void rawRead(benchmark::State& state) {
    for (auto _ : state) {
        auto bytes = rawReadFile(setFile());
        benchmark::DoNotOptimize(bytes);
    }
    countBytes(state);
}

void readSetFile(benchmark::State& state) {
    const auto path = fromPath(setFile());
    for (auto _ : state) {
        auto set = readLevelSet(path);
        if (!set || set->levels.size() != kLevels || !set->problems.empty())
            state.SkipWithError("the set was not read whole");
        benchmark::DoNotOptimize(set);
    }
    countBytes(state);
}

void parseSetBytes(benchmark::State& state) {
    for (auto _ : state) {
        auto set = parseLevelSet(setBytes());
        benchmark::DoNotOptimize(set);
    }
    countBytes(state);
}

BENCHMARK(rawRead)->Unit(benchmark::kMicrosecond);
BENCHMARK(readSetFile)->Unit(benchmark::kMicrosecond);
BENCHMARK(parseSetBytes)->Unit(benchmark::kMicrosecond);

} // namespace

BENCHMARK_MAIN();
