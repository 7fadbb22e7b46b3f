// Reading and writing the largest CCX document there can be (999 levels, 10
// prologue and 10 epilogue pages of 1 KB each), measured beside the raw read
// and write of the same bytes; opening it into the editor and the level list
// operations on it, beside the bare moving of its levels.

#include "ccx/ccxeditor.h"
#include "ccx/ccxreader.h"
#include "ccx/ccxwriter.h"
#include "ccxbenchdata.h"
#include "rawio.h"

#include <benchmark/benchmark.h>

#include <algorithm>
#include <string>

namespace {

using namespace tessaro;
using namespace tessaro::bench;

void countBytes(benchmark::State& state) {
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations()) *
                            static_cast<std::int64_t>(fullBytes().size()));
    state.SetLabel(std::to_string(fullBytes().size()) + " bytes");
}

// What every reader run starts from: an empty document made and dropped.
void emptyDocument(benchmark::State& state) {
    for (auto _ : state) {
        CcxDocument document;
        benchmark::DoNotOptimize(document);
    }
}

// A copy of the largest document, as an undo step or a round trip check takes.
void copyFullDocument(benchmark::State& state) {
    fullDocument();
    for (auto _ : state) {
        CcxDocument copy = fullDocument();
        benchmark::DoNotOptimize(copy);
    }
}

void rawRead(benchmark::State& state) {
    const auto path = scratch() / "full.ccx";
    for (auto _ : state) {
        auto bytes = rawReadFile(path);
        benchmark::DoNotOptimize(bytes);
    }
    countBytes(state);
}

void ccxRead(benchmark::State& state) {
    const auto path = scratch() / "full.ccx";
    for (auto _ : state) {
        auto result = readCcxFile(path, CcxDocument{});
        if (!result.ok())
            state.SkipWithError("the benchmark file was refused");
        benchmark::DoNotOptimize(result);
    }
    countBytes(state);
}

// Reading the full file into memory not cleared first, as readFileBytes
// reads.
void rawReadIntoUnclearedMemory(benchmark::State& state) {
    const auto path = scratch() / "full.ccx";
    for (auto _ : state) {
        auto bytes = rawReadUncleared(path);
        benchmark::DoNotOptimize(bytes);
    }
    countBytes(state);
}

// A set of the usual size (about 100 KB) read again and again: its raw read
// and the reader.
void rawReadReal(benchmark::State& state) {
    const auto path = scratch() / "real.ccx";
    for (auto _ : state) {
        auto bytes = rawReadUncleared(path);
        benchmark::DoNotOptimize(bytes);
    }
    state.SetLabel(std::to_string(realBytes().size()) + " bytes");
}

void ccxReadReal(benchmark::State& state) {
    const auto path = scratch() / "real.ccx";
    for (auto _ : state) {
        auto result = readCcxFile(path, CcxDocument{});
        if (!result.ok())
            state.SkipWithError("the benchmark file was refused");
        benchmark::DoNotOptimize(result);
    }
    state.SetLabel(std::to_string(realBytes().size()) + " bytes");
}

// What the document read from that set owns, made with nothing read: its
// copy makes each of its strings, page blocks and levels.
void copyRealDocument(benchmark::State& state) {
    realDocument();
    for (auto _ : state) {
        CcxDocument copy = realDocument();
        benchmark::DoNotOptimize(copy);
    }
}

void ccxParse(benchmark::State& state) {
    for (auto _ : state) {
        auto result = parseCcxFile(fullBytes(), CcxDocument{});
        benchmark::DoNotOptimize(result);
    }
    countBytes(state);
}

void rawWrite(benchmark::State& state) {
    const auto path = scratch() / "raw.ccx";
    for (auto _ : state)
        if (!rawWriteFile(path, fullBytes(), false))
            state.SkipWithError("the raw file could not be written");
    countBytes(state);
}

// The floor under every save: the bytes written to a temporary file beside
// the target, flushed to the disk, and renamed over the target, with the
// system's calls and nothing else.
void rawAtomicWrite(benchmark::State& state) {
    const auto path = scratch() / "raw-atomic.ccx";
    for (auto _ : state)
        if (!rawReplaceFile(path, fullBytes()))
            state.SkipWithError("the raw file could not be written");
    countBytes(state);
}

void ccxWrite(benchmark::State& state) {
    const auto path = scratch() / "written.ccx";
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

// The editor with the full document open, its first level selected.
CcxEditor& openEditor() {
    static BenchPlatform platform;
    static CcxEditor editor(platform);
    if (!editor.documentOpen())
        editor.open();
    editor.selectEntry(0);
    return editor;
}

void editorOpen(benchmark::State& state) {
    BenchPlatform platform;
    CcxEditor editor(platform);
    for (auto _ : state) {
        editor.open();
        if (editor.levelList().size() != kMaxCcxLevels)
            state.SkipWithError("the benchmark file was not opened");
    }
    countBytes(state);
}

// The floor under every shift: moving 999 levels one place along.
void rawShiftLevels(benchmark::State& state) {
    std::vector<CcxLevel> levels;
    for (int n = 1; n <= kMaxCcxLevels; ++n)
        levels.push_back(fullDocument().level(n));
    for (auto _ : state) {
        std::rotate(levels.begin(), levels.end() - 1, levels.end());
        benchmark::DoNotOptimize(levels.data());
    }
}

// Insert Before on the first entry shifts every level up; Delete and
// Renumber there shifts them back. Each is timed while the other restores.
void editorInsertBeforeFirst(benchmark::State& state) {
    auto& editor = openEditor();
    editor.deleteAndRenumber(); // 998 levels: room for one more
    editor.selectEntry(0);
    for (auto _ : state) {
        editor.insertBefore();
        state.PauseTiming();
        editor.selectEntry(0);
        editor.deleteAndRenumber();
        editor.selectEntry(0);
        state.ResumeTiming();
    }
    editor.insertBefore();
}

void editorDeleteAndRenumberFirst(benchmark::State& state) {
    auto& editor = openEditor();
    for (auto _ : state) {
        editor.deleteAndRenumber();
        state.PauseTiming();
        editor.selectEntry(0);
        editor.insertBefore();
        editor.selectEntry(0);
        state.ResumeTiming();
    }
}

// The first level moved down to the end of the list, one Move Down at a time.
void editorMoveDownAcrossTheList(benchmark::State& state) {
    auto& editor = openEditor();
    for (auto _ : state) {
        for (int move = 1; move < kMaxCcxLevels; ++move)
            editor.moveDown();
        state.PauseTiming();
        editor.selectEntry(0);
        state.ResumeTiming();
    }
    state.counters["per move"] =
        benchmark::Counter(static_cast<double>(state.iterations()) * (kMaxCcxLevels - 1),
                           benchmark::Counter::kIsRate | benchmark::Counter::kInvert);
}

// Every page of the first level shown in turn: Next Page through the
// prologue, the epilogue chosen, Next Page through it, the prologue chosen.
void editorPagesThroughTheLevel(benchmark::State& state) {
    auto& editor = openEditor();
    for (auto _ : state) {
        for (const auto pane : {CcxPane::Epilogue, CcxPane::Prologue}) {
            for (int page = 1; page < kMaxCcxPages; ++page)
                editor.nextPage();
            editor.choosePane(pane);
        }
    }
    state.counters["per step"] =
        benchmark::Counter(static_cast<double>(state.iterations()) * 2 * kMaxCcxPages,
                           benchmark::Counter::kIsRate | benchmark::Counter::kInvert);
}

BENCHMARK(emptyDocument)->Unit(benchmark::kMicrosecond);
BENCHMARK(copyFullDocument)->Unit(benchmark::kMillisecond);
BENCHMARK(rawRead)->Unit(benchmark::kMillisecond);
BENCHMARK(rawReadIntoUnclearedMemory)->Unit(benchmark::kMillisecond);
BENCHMARK(ccxRead)->Unit(benchmark::kMillisecond);
BENCHMARK(rawReadReal)->Unit(benchmark::kMicrosecond);
BENCHMARK(ccxReadReal)->Unit(benchmark::kMicrosecond);
BENCHMARK(copyRealDocument)->Unit(benchmark::kMicrosecond);
BENCHMARK(ccxParse)->Unit(benchmark::kMillisecond);
BENCHMARK(rawWrite)->Unit(benchmark::kMillisecond);
BENCHMARK(rawAtomicWrite)->Unit(benchmark::kMillisecond);
BENCHMARK(ccxWrite)->Unit(benchmark::kMillisecond);
BENCHMARK(ccxFormat)->Unit(benchmark::kMillisecond);
BENCHMARK(editorOpen)->Unit(benchmark::kMillisecond);
BENCHMARK(rawShiftLevels)->Unit(benchmark::kMicrosecond);
BENCHMARK(editorInsertBeforeFirst)->Unit(benchmark::kMicrosecond);
BENCHMARK(editorDeleteAndRenumberFirst)->Unit(benchmark::kMicrosecond);
BENCHMARK(editorMoveDownAcrossTheList)->Unit(benchmark::kMillisecond);
BENCHMARK(editorPagesThroughTheLevel)->Unit(benchmark::kMicrosecond);

} // namespace

BENCHMARK_MAIN();
