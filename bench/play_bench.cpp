// Play Selected File of a 100 KB level set through the main window's model,
// with a runner that ends at once, beside the same file work done with the
// system's own calls and posix_spawn: the executable read and patched in its
// eight fields, the set read, both written beside their targets and flushed,
// two renames and one flush of their folder, the runner started in a session of its own in the
// program folder. Once on disk (the temporary folder) and once on tmpfs (/dev/shm).

#include "benchsupport.h"
#include "common/paths.h"
#include "gui/qtplatform.h"
#include "launcher/launchermodel.h"
#include "rawio.h"
#include "support/memorysettings.h"

#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstring>
#include <string>
#include <vector>

#include <spawn.h>
#include <sys/wait.h>

extern char** environ;

namespace {

using namespace tessaro;
using namespace tessaro::bench;

const char* const kRunner = "/bin/true";
constexpr std::size_t kExecutableSize = 128 * 1024;
constexpr std::size_t kLevelSetSize = 100 * 1024;

// The program folder with its play executable, and a folder with the set.
struct PlayFolder {
    explicit PlayFolder(const fs::path& base) : scratch("play", base) {
        scratch.write("ludex.exe", std::string(kExecutableSize, '\xAB'));
        fs::create_directory(scratch / "sets");
        std::string levels(kLevelSetSize, '\0');
        for (std::size_t i = 0; i < levels.size(); ++i)
            levels[i] = static_cast<char>(i * 31 % 251);
        // A level-set signature, or the play first asks whether to play it.
        levels.replace(0, 4, "\xAC\xAA\x02\x00", 4);
        scratch.write("sets/SET.DAT", levels);
    }
    ScratchFolder scratch;
};

// The real platform, except that a message box (a play that failed) ends
// the run instead of waiting for a click. A runner of the play before that has
// not ended yet is played over, as the raw play does.
class BenchPlatform : public QtPlatform {
public:
    std::string failure;
    MessageAnswer message(const std::string& text, const std::string&, MessageIcon,
                          MessageButtons) override {
        if (text.starts_with("The game is still running "))
            return MessageAnswer::Yes;
        failure = text;
        return MessageAnswer::No;
    }
};

bool usable(benchmark::State& state, const fs::path& base) {
    std::error_code error;
    if (fs::is_directory(base, error))
        return true;
    state.SkipWithError(("no folder " + fromPath(base)).c_str());
    return false;
}

void play(benchmark::State& state, const fs::path& base) {
    if (!usable(state, base))
        return;
    PlayFolder folder(base);
    BenchPlatform platform;
    test::MemorySettings settings;
    settings.values[{LauncherModel::kSection, "PlayRunner"}] = kRunner;
    LauncherModel model(platform, settings, fromPath(folder.scratch.path()));
    model.start({"/"}, "/");
    model.openFolder(fromPath(folder.scratch / "sets"));
    model.selectFile("SET.DAT");
    for (auto _ : state) {
        if (!model.play().done || !platform.failure.empty()) {
            state.SkipWithError(("the play failed: " + platform.failure).c_str());
            break;
        }
    }
}

// The runner started with posix_spawn in a session of its own in the folder,
// and reaped as the platform reaps: without waiting after a start, the rest
// at the end.
class RawRunner {
public:
    RawRunner(const fs::path& folder, const std::string& argument)
        : m_program(kRunner), m_argument(argument) {
        posix_spawnattr_init(&m_attributes);
        posix_spawnattr_setflags(&m_attributes, POSIX_SPAWN_SETSID);
        posix_spawn_file_actions_init(&m_actions);
        posix_spawn_file_actions_addchdir_np(&m_actions, folder.c_str());
    }
    ~RawRunner() {
        for (const pid_t child : m_unreaped)
            ::waitpid(child, nullptr, 0);
        posix_spawn_file_actions_destroy(&m_actions);
        posix_spawnattr_destroy(&m_attributes);
    }
    RawRunner(const RawRunner&) = delete;
    RawRunner& operator=(const RawRunner&) = delete;

    bool start() {
        char* argv[] = {m_program.data(), m_argument.data(), nullptr};
        pid_t id = -1;
        if (posix_spawn(&id, kRunner, &m_actions, &m_attributes, argv, environ) != 0)
            return false;
        m_unreaped.push_back(id);
        std::erase_if(m_unreaped,
                      [](pid_t child) { return ::waitpid(child, nullptr, WNOHANG) != 0; });
        return true;
    }

private:
    std::string m_program, m_argument;
    posix_spawnattr_t m_attributes;
    posix_spawn_file_actions_t m_actions;
    std::vector<pid_t> m_unreaped;
};

// What a play cannot do with less.
void rawPlay(benchmark::State& state, const fs::path& base) {
    if (!usable(state, base))
        return;
    PlayFolder folder(base);
    const auto executable = folder.scratch / "ludex.exe";
    const auto dataCopy = folder.scratch / "tessaro.7";
    auto executableTemporary = executable, dataTemporary = dataCopy;
    executableTemporary += ".tmp";
    dataTemporary += ".tmp";
    RawRunner runner(folder.scratch.path(), executable.native());
    for (auto _ : state) {
        auto bytes = rawReadFile(executable);
        // The INI, section and data file names, then the five last-level fields.
        std::memcpy(bytes.data() + 19048, "tessaro.ini", 11);
        std::memcpy(bytes.data() + 19060, "SET.DAT\0\0\0\0\0\0\0\0\0", 16);
        std::memcpy(bytes.data() + 19156, "tessaro.7", 9);
        for (const std::size_t at : {37305, 37312, 47636, 47892, 47900})
            std::memcpy(bytes.data() + at, "\x90\x00", 2);
        const auto set = rawReadFile(folder.scratch / "sets" / "SET.DAT");
        if (!rawWriteFile(executableTemporary, bytes, true) ||
            !rawWriteFile(dataTemporary, set, true) ||
            std::rename(executableTemporary.c_str(), executable.c_str()) != 0 ||
            std::rename(dataTemporary.c_str(), dataCopy.c_str()) != 0 ||
            !rawFlushFolder(folder.scratch.path()) || !runner.start()) {
            state.SkipWithError("the raw play failed");
            break;
        }
    }
}

// The start alone, through the platform and through posix_spawn: the runner
// in the program folder, reaped as the platform reaps.
void start(benchmark::State& state) {
    BenchPlatform platform;
    const StartRequest request{kRunner, {"ludex.exe"}, fs::temp_directory_path()};
    for (auto _ : state)
        benchmark::DoNotOptimize(platform.startProgram(request));
}

void rawStart(benchmark::State& state) {
    RawRunner runner(fs::temp_directory_path(), "ludex.exe");
    for (auto _ : state)
        runner.start();
}

const fs::path kDisk = fs::temp_directory_path();
const fs::path kTmpfs = "/dev/shm";

} // namespace

BENCHMARK_CAPTURE(rawPlay, disk, kDisk)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK_CAPTURE(play, disk, kDisk)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK_CAPTURE(rawPlay, tmpfs, kTmpfs)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK_CAPTURE(play, tmpfs, kTmpfs)->Unit(benchmark::kMillisecond)->UseRealTime();

BENCHMARK(rawStart)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(start)->Unit(benchmark::kMillisecond)->UseRealTime();

BENCHMARK_MAIN();
