// A score file as full as the game lets it get: 999 level sets of 149 solved
// levels each (about 3.7 MB). Loading the last set and saving it in place,
// each beside the raw read (and read and replace) of the same file; the INI
// File Editor's list operations on a section of 999 entries.

#include "benchsupport.h"
#include "rawio.h"
#include "score_ini/inieditor.h"
#include "scorefile/scoresection.h"

#include <benchmark/benchmark.h>

#include <string>

namespace {

using namespace tessaro;
using namespace tessaro::bench;

constexpr int kSets = 999;
constexpr int kLevelsPerSet = 149;

std::string setName(int set) {
    return "levelset" + std::to_string(set) + ".dat";
}

std::string sectionText(const std::string& name, int levels) {
    std::string text = "[" + name + "]\r\nHighest Level=" + std::to_string(levels) + "\r\n";
    int score = 0;
    std::string lines;
    for (int level = 1; level <= levels; ++level) {
        const int levelScore = 500 * level + 10000 + level % 97;
        score += levelScore;
        lines += "Level" + std::to_string(level) + "=PW" + std::to_string(1000 + level) + "," +
                 std::to_string(100 + level % 300) + "," + std::to_string(levelScore) + "\r\n";
    }
    return text + "Current Score=" + std::to_string(score) + "\r\n" + lines;
}

const ScratchFolder& scratch() {
    static const ScratchFolder folder("score-ini");
    return folder;
}

// The full score file, written once.
const std::filesystem::path& fullFile() {
    static const std::filesystem::path file = [] {
        std::string text;
        for (int set = 1; set <= kSets; ++set)
            text += sectionText(setName(set), kLevelsPerSet);
        return scratch().write("full.ini", text);
    }();
    return file;
}

void countBytes(benchmark::State& state) {
    const auto size = static_cast<std::int64_t>(std::filesystem::file_size(fullFile()));
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations()) * size);
    state.SetLabel(std::to_string(size) + " bytes");
}

// The read into a string, zeroed by its resize before the read.
void rawRead(benchmark::State& state) {
    const auto& file = fullFile();
    for (auto _ : state) {
        auto bytes = rawReadFile(file);
        benchmark::DoNotOptimize(bytes);
    }
    countBytes(state);
}

// The floor of a load: the same read into memory not cleared first.
void rawReadIntoUnclearedMemory(benchmark::State& state) {
    const auto& file = fullFile();
    for (auto _ : state) {
        auto bytes = rawReadUncleared(file);
        benchmark::DoNotOptimize(bytes.data.get());
        benchmark::ClobberMemory();
    }
    countBytes(state);
}

void loadLastSection(benchmark::State& state) {
    const auto path = fullFile().string();
    for (auto _ : state) {
        auto loaded = LoadScoreSection(path, setName(kSets));
        if (!loaded || loaded->levelEntries.size() != kLevelsPerSet)
            state.SkipWithError("the last section was not loaded");
        benchmark::DoNotOptimize(loaded);
    }
    countBytes(state);
}

// What a load does after the read: the set found and its levels listed, from
// the file's bytes already in memory.
void parseLastSection(benchmark::State& state) {
    const auto bytes = rawReadFile(fullFile());
    for (auto _ : state) {
        auto section = parseScoreSection(bytes, setName(kSets));
        if (!section || section->levelEntries.size() != kLevelsPerSet)
            state.SkipWithError("the last section was not found");
        benchmark::DoNotOptimize(section);
    }
    countBytes(state);
}

void rawReadAndReplace(benchmark::State& state) {
    const auto file = scratch() / "raw.ini";
    std::filesystem::copy_file(fullFile(), file, std::filesystem::copy_options::overwrite_existing);
    for (auto _ : state) {
        const auto bytes = rawReadFile(file);
        if (!rawReplaceFile(file, bytes))
            state.SkipWithError("the file could not be replaced");
    }
    countBytes(state);
}

// Saving the last section in place leaves it where it is, so every save
// writes the same file again.
void saveLastSectionInPlace(benchmark::State& state) {
    const auto file = scratch() / "saved.ini";
    std::filesystem::copy_file(fullFile(), file, std::filesystem::copy_options::overwrite_existing);
    auto loaded = LoadScoreSection(file.string(), setName(kSets));
    auto& section = loaded.value();
    for (auto _ : state) {
        if (SaveSectionInPlace(section) != SaveResult::Saved)
            state.SkipWithError("the section was not saved");
    }
    countBytes(state);
}

// The editor with a set of 999 solved levels loaded, the first one selected.
IniEditor& fullSetEditor() {
    static QuietPlatform platform;
    static IniEditor editor(platform);
    if (!editor.editingEnabled()) {
        editor.iniFileName = scratch().write("one-set.ini", sectionText("full.dat", 999)).string();
        editor.setName = "full.dat";
        editor.getInfo();
    }
    editor.select(0);
    return editor;
}

// Insert Before on the first entry renumbers and rescores all the others;
// measured on 998 entries, since 999 leave no number free. Delete Entry
// there restores the list, untimed.
void editorInsertBeforeFirst(benchmark::State& state) {
    auto& editor = fullSetEditor();
    if (editor.entryCount() != 999)
        state.SkipWithError("the set was not loaded");
    editor.deleteEntry();
    for (auto _ : state) {
        editor.select(0);
        editor.insertBefore();
        state.PauseTiming();
        editor.select(0);
        editor.deleteEntry();
        state.ResumeTiming();
    }
    editor.select(0);
    editor.insertBefore();
}

void editorDeleteFirst(benchmark::State& state) {
    auto& editor = fullSetEditor();
    for (auto _ : state) {
        editor.select(0);
        editor.deleteEntry();
        state.PauseTiming();
        editor.select(0);
        editor.insertBefore();
        state.ResumeTiming();
    }
}

// The first entry moved down to the end, one Move Down at a time.
void editorMoveDownAcrossTheList(benchmark::State& state) {
    auto& editor = fullSetEditor();
    for (auto _ : state) {
        editor.select(0);
        for (int move = 1; move < 999; ++move)
            editor.moveDown();
    }
    state.counters["per move"] =
        benchmark::Counter(static_cast<double>(state.iterations()) * 998,
                           benchmark::Counter::kIsRate | benchmark::Counter::kInvert);
}

BENCHMARK(rawRead)->Unit(benchmark::kMillisecond);
BENCHMARK(rawReadIntoUnclearedMemory)->Unit(benchmark::kMillisecond);
BENCHMARK(loadLastSection)->Unit(benchmark::kMillisecond);
BENCHMARK(parseLastSection)->Unit(benchmark::kMillisecond);
BENCHMARK(rawReadAndReplace)->Unit(benchmark::kMillisecond);
BENCHMARK(saveLastSectionInPlace)->Unit(benchmark::kMillisecond);
BENCHMARK(editorInsertBeforeFirst)->Unit(benchmark::kMicrosecond);
BENCHMARK(editorDeleteFirst)->Unit(benchmark::kMicrosecond);
BENCHMARK(editorMoveDownAcrossTheList)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
