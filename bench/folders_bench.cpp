// Work over big folders: the DacGen batch over a DATA folder of 10,000 level
// sets beside creating the same 20,000 files raw, listing a folder of 20,000
// files beside a raw directory walk, and the main window opening folders of
// 1,000, 10,000 and 100,000 level sets beside readdir and sort of the same
// names.

#include "benchsupport.h"
#include "common/foldernavigator.h"
#include "common/textfile.h"
#include "dacgen/dacgenerator.h"
#include "launcher/launchermodel.h"
#include "levelset/dacfile.h"
#include "rawio.h"
#include "support/memorysettings.h"

#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstdio>
#include <dirent.h>
#include <string>
#include <vector>

namespace {

using namespace tessaro;
using namespace tessaro::bench;

constexpr int kDacSets = 10000;
constexpr int kListedFiles = 20000;

// "Set00001.dat" ..., every fifth spelt in capitals and every seventh a
// ".ccl", as a collection gathered from many places looks.
std::string levelSetName(int n) {
    char name[32];
    std::snprintf(name, sizeof name, "%s%05d.%s", n % 5 == 0 ? "SET" : "Set", n,
                  n % 7 == 0 ? "ccl" : (n % 5 == 0 ? "DAT" : "dat"));
    return name;
}

const ScratchFolder& scratch() {
    static const ScratchFolder folder("folders");
    return folder;
}

// A folder holding count empty level set files, made once.
std::filesystem::path levelSetFolder(const std::string& name, int count) {
    const auto folder = scratch() / name;
    if (!std::filesystem::exists(folder)) {
        std::filesystem::create_directories(folder);
        for (int n = 1; n <= count; ++n)
            rawWriteFile(folder / levelSetName(n), {}, false);
    }
    return folder;
}

std::filesystem::path emptyFolder(const std::string& name) {
    const auto folder = scratch() / name;
    std::filesystem::remove_all(folder);
    std::filesystem::create_directories(folder);
    return folder;
}

void countFiles(benchmark::State& state, int files) {
    state.counters["per file"] =
        benchmark::Counter(static_cast<double>(state.iterations()) * files,
                           benchmark::Counter::kIsRate | benchmark::Counter::kInvert);
}

// The DAC files' bytes made beforehand: the floor is only the file system.
std::vector<std::pair<std::string, std::string>> dacFilesOfAllSets() {
    std::vector<std::pair<std::string, std::string>> files;
    for (int n = 1; n <= kDacSets; ++n) {
        const auto name = levelSetName(n);
        for (const auto ruleset : {DacRuleset::MS, DacRuleset::Lynx})
            files.emplace_back(dacFileName(name, ruleset),
                               joinLinesCrLf(dacFileLines(name, ruleset, DacOptions{})));
    }
    return files;
}

// Every DAC file written into a folder of its own by write, each iteration.
template <typename Write>
void writeEachDacFile(benchmark::State& state, const char* folderName, Write write) {
    const auto files = dacFilesOfAllSets();
    const auto sets = emptyFolder(folderName);
    for (auto _ : state) {
        for (const auto& [name, bytes] : files)
            if (!write(sets / name, bytes))
                state.SkipWithError("a file could not be written");
    }
    countFiles(state, 2 * kDacSets);
}

// Creates each file and writes its bytes, as the first batch into an empty
// SETS folder would.
void rawCreateDacFiles(benchmark::State& state) {
    writeEachDacFile(state, "raw-sets", [](const fs::path& path, const std::string& bytes) {
        return rawWriteFile(path, bytes, false);
    });
}

// The same, each file written beside, flushed to disk and renamed over its
// name: what replacing a file safely costs at the least.
void rawReplaceDacFiles(benchmark::State& state) {
    writeEachDacFile(state, "raw-safe-sets", rawReplaceFile);
}

// The same with one wait for the disk for all of them: every file written
// beside its name, the file system flushed once (syncfs), then each renamed.
void rawReplaceDacFilesOneSync(benchmark::State& state) {
    const auto files = dacFilesOfAllSets();
    const auto sets = emptyFolder("raw-synced-sets");
    for (auto _ : state) {
        for (const auto& [name, bytes] : files)
            if (!rawWriteFile(sets / (name + ".tmp"), bytes, false))
                state.SkipWithError("a file could not be written");
        const int folder = ::open(sets.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
        if (folder < 0 || ::syncfs(folder) != 0)
            state.SkipWithError("the files could not be flushed");
        ::close(folder);
        for (const auto& [name, bytes] : files) {
            const auto target = sets / name;
            if (std::rename((sets / (name + ".tmp")).c_str(), target.c_str()) != 0)
                state.SkipWithError("a file could not be renamed");
        }
    }
    countFiles(state, 2 * kDacSets);
}

// "Generate DAC Files" with both rulesets: lists the DATA folder again and
// writes (or replaces) two files a set.
void dacGenerateAll(benchmark::State& state) {
    const auto data = levelSetFolder("data", kDacSets);
    const auto sets = emptyFolder("sets");
    QuietPlatform platform;
    test::MemorySettings settings;
    DacGenerator generator({"/"}, scratch().path());
    if (!generator.chooseDataFolder(data.string()).done ||
        !generator.chooseSetsFolder(sets.string()).done)
        state.SkipWithError("the folders could not be chosen");
    for (auto _ : state) {
        if (!generator.GenerateAll(platform, settings).done)
            state.SkipWithError("the batch failed");
    }
    if (generator.levelSets().size() != kDacSets)
        state.SkipWithError("not every level set was listed");
    countFiles(state, 2 * kDacSets);
}

// The names of the regular files in a folder, read with the system's own calls.
std::vector<std::string> rawNames(const std::filesystem::path& folder) {
    std::vector<std::string> names;
    DIR* dir = ::opendir(folder.c_str());
    while (const dirent* entry = ::readdir(dir)) {
        if (entry->d_type == DT_REG)
            names.emplace_back(entry->d_name);
    }
    ::closedir(dir);
    return names;
}

void rawDirectoryWalk(benchmark::State& state) {
    const auto folder = levelSetFolder("listed", kListedFiles);
    for (auto _ : state)
        benchmark::DoNotOptimize(rawNames(folder));
    countFiles(state, kListedFiles);
}

// The raw walk with the names sorted byte by byte: the floor of any sorted list.
void rawDirectoryWalkSorted(benchmark::State& state) {
    const auto folder = levelSetFolder("listed", kListedFiles);
    for (auto _ : state) {
        auto names = rawNames(folder);
        std::sort(names.begin(), names.end());
        benchmark::DoNotOptimize(names);
    }
    countFiles(state, kListedFiles);
}

// The level sets of the folder as the DacGen and main windows list them.
void listLevelSets(benchmark::State& state) {
    const auto folder = levelSetFolder("listed", kListedFiles);
    for (auto _ : state) {
        auto names = listMatchingFiles(folder, "*.dat;*.ccl");
        if (names.size() != kListedFiles)
            state.SkipWithError("not every file was listed");
        benchmark::DoNotOptimize(names);
    }
    countFiles(state, kListedFiles);
}

// A folder of state.range(0) level sets, for the rows measured at 1,000,
// 10,000 and 100,000 files.
std::filesystem::path sizedFolder(const benchmark::State& state) {
    const auto files = static_cast<int>(state.range(0));
    return levelSetFolder("sized-" + std::to_string(files), files);
}

// The floor of the main window's listing: readdir over the folder and the
// names sorted byte by byte.
void rawReaddirAndSort(benchmark::State& state) {
    const auto folder = sizedFolder(state);
    for (auto _ : state) {
        auto names = rawNames(folder);
        std::sort(names.begin(), names.end());
        benchmark::DoNotOptimize(names);
    }
    countFiles(state, static_cast<int>(state.range(0)));
}

// One step of the main window into the folder: the folder opened in its
// folder list, its sub-folders and its level sets listed.
void mainWindowOpenFolder(benchmark::State& state) {
    const auto folder = sizedFolder(state);
    FolderNavigator navigator({"/"}, LauncherModel::kFilePatterns);
    for (auto _ : state) {
        if (!navigator.openFolder(folder.string()) ||
            navigator.files().size() != static_cast<std::size_t>(state.range(0)))
            state.SkipWithError("the folder was not listed");
    }
    countFiles(state, static_cast<int>(state.range(0)));
}

// A batch takes seconds (rawReplaceDacFiles minutes): one at a time.
BENCHMARK(rawCreateDacFiles)->Unit(benchmark::kMillisecond)->Iterations(1);
BENCHMARK(rawReplaceDacFiles)->Unit(benchmark::kMillisecond)->Iterations(1);
BENCHMARK(rawReplaceDacFilesOneSync)->Unit(benchmark::kMillisecond)->Iterations(1);
BENCHMARK(dacGenerateAll)->Unit(benchmark::kMillisecond)->Iterations(1);
BENCHMARK(rawDirectoryWalk)->Unit(benchmark::kMillisecond);
BENCHMARK(rawDirectoryWalkSorted)->Unit(benchmark::kMillisecond);
BENCHMARK(listLevelSets)->Unit(benchmark::kMillisecond);
BENCHMARK(rawReaddirAndSort)->Unit(benchmark::kMillisecond)->Arg(1000)->Arg(10000)->Arg(100000);
BENCHMARK(mainWindowOpenFolder)->Unit(benchmark::kMillisecond)->Arg(1000)->Arg(10000)->Arg(100000);

} // namespace

BENCHMARK_MAIN();
