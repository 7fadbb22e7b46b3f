// Reading and writing the largest CCX document there can be (999 levels, 10
// prologue and 10 epilogue pages of 1 KB each), measured beside the raw read
// and write of the same bytes.

#include "ccx/ccxreader.h"
#include "ccx/ccxwriter.h"
#include "common/safewriter.h"
#include "common/textfile.h"

#include <benchmark/benchmark.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <unistd.h>

namespace {

using namespace tessaro;
namespace fs = std::filesystem;

// 16 lines of 62 characters: 1 KB with the line ends between them.
std::string pageText(int level, int page) {
    std::string text;
    for (int line = 0; line < 16; ++line) {
        if (line > 0)
            text += "\r\n";
        std::string words = "<p>Level " + std::to_string(level) + ", page " + std::to_string(page) +
                            ", line " + std::to_string(line) + ": ";
        words.resize(62, 'x');
        text += words;
    }
    return text;
}

const CcxDocument& fullDocument() {
    static const CcxDocument document = [] {
        CcxDocument d;
        d.description = "Benchmark Set";
        d.author = "Bench";
        d.msChoice = CompatChoice::Yes;
        d.hasDefaultColors = true;
        d.levelCount = kMaxCcxLevels;
        for (int n = 1; n <= kMaxCcxLevels; ++n) {
            auto& level = d.level(n);
            level.title = "Level number " + std::to_string(n);
            level.author = "Author " + std::to_string(n % 17);
            level.compatAttributes = "ms=\"yes\" lynx=\"no\"";
            for (auto* list : {&level.prologue, &level.epilogue}) {
                list->count = kMaxCcxPages;
                for (int p = 1; p <= kMaxCcxPages; ++p)
                    list->page(p) = {pageText(n, p), static_cast<std::uint8_t>(p % 2), 0x102030,
                                     0xFFFFFF};
            }
        }
        return d;
    }();
    return document;
}

const std::string& fullBytes() {
    static const std::string bytes = formatCcxFile(fullDocument());
    return bytes;
}

class Scratch {
public:
    Scratch()
        : m_folder(fs::temp_directory_path() /
                   ("tessaro-ccx-bench-" + std::to_string(::getpid()))) {
        fs::create_directories(m_folder);
        std::ofstream(m_folder / "full.ccx", std::ios::binary) << fullBytes();
    }
    ~Scratch() {
        std::error_code error;
        fs::remove_all(m_folder, error);
    }
    fs::path file(const char* name) const { return m_folder / name; }

private:
    fs::path m_folder;
};

const Scratch& scratch() {
    static const Scratch folder;
    return folder;
}

void countBytes(benchmark::State& state) {
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations()) *
                            static_cast<std::int64_t>(fullBytes().size()));
    state.SetLabel(std::to_string(fullBytes().size()) + " bytes");
}

void rawRead(benchmark::State& state) {
    const auto path = scratch().file("full.ccx");
    for (auto _ : state) {
        auto bytes = readFileBytes(path);
        benchmark::DoNotOptimize(bytes);
    }
    countBytes(state);
}

void ccxRead(benchmark::State& state) {
    const auto path = scratch().file("full.ccx");
    for (auto _ : state) {
        auto result = readCcxFile(path, CcxDocument{});
        if (!result.ok())
            state.SkipWithError("the benchmark file was refused");
        benchmark::DoNotOptimize(result);
    }
    countBytes(state);
}

void ccxParse(benchmark::State& state) {
    for (auto _ : state) {
        auto result = parseCcxFile(fullBytes(), CcxDocument{});
        benchmark::DoNotOptimize(result);
    }
    countBytes(state);
}

void rawWrite(benchmark::State& state) {
    const auto path = scratch().file("raw.ccx");
    for (auto _ : state) {
        std::ofstream out(path, std::ios::binary | std::ios::trunc);
        out.write(fullBytes().data(), static_cast<std::streamsize>(fullBytes().size()));
        out.flush();
        benchmark::DoNotOptimize(out.good());
    }
    countBytes(state);
}

void rawAtomicWrite(benchmark::State& state) {
    const auto path = scratch().file("raw-atomic.ccx");
    for (auto _ : state)
        benchmark::DoNotOptimize(replaceFileAtomically(path, fullBytes()));
    countBytes(state);
}

void ccxWrite(benchmark::State& state) {
    const auto path = scratch().file("written.ccx");
    for (auto _ : state) {
        if (!writeCcxFile(path, fullDocument()))
            state.SkipWithError("the benchmark file could not be written");
    }
    countBytes(state);
}

void ccxFormat(benchmark::State& state) {
    for (auto _ : state) {
        auto bytes = formatCcxFile(fullDocument());
        benchmark::DoNotOptimize(bytes);
    }
    countBytes(state);
}

BENCHMARK(rawRead)->Unit(benchmark::kMillisecond);
BENCHMARK(ccxRead)->Unit(benchmark::kMillisecond);
BENCHMARK(ccxParse)->Unit(benchmark::kMillisecond);
BENCHMARK(rawWrite)->Unit(benchmark::kMillisecond);
BENCHMARK(rawAtomicWrite)->Unit(benchmark::kMillisecond);
BENCHMARK(ccxWrite)->Unit(benchmark::kMillisecond);
BENCHMARK(ccxFormat)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
