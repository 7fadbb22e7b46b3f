#pragma once

// What the benchmarks share: a scratch folder of their own and a Platform
// that answers every question the same way. Settings kept in memory are the
// tests' own (support/memorysettings.h).

#include "common/platform.h"

#include <filesystem>
#include <fstream>
#include <spawn.h>
#include <string>
#include <string_view>
#include <unistd.h>
#include <vector>

namespace tessaro::bench {

namespace fs = std::filesystem;

// A folder under the system's temporary folder (or the base given), removed
// with everything in it when it goes.
class ScratchFolder {
public:
    explicit ScratchFolder(const std::string& name,
                           const fs::path& base = fs::temp_directory_path())
        : m_folder(base / ("tessaro-bench-" + name + "-" + std::to_string(::getpid()))) {
        fs::create_directories(m_folder);
    }
    ~ScratchFolder() {
        std::error_code error;
        fs::remove_all(m_folder, error);
    }
    ScratchFolder(const ScratchFolder&) = delete;
    ScratchFolder& operator=(const ScratchFolder&) = delete;

    fs::path operator/(const std::string& name) const { return m_folder / name; }
    const fs::path& path() const { return m_folder; }

    fs::path write(const std::string& name, std::string_view bytes) const {
        const auto file = m_folder / name;
        std::ofstream(file, std::ios::binary)
            .write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
        return file;
    }

private:
    fs::path m_folder;
};

// A program started with its standard output into a pipe: its process id and
// the pipe's reading end, or an id of 0 when it did not start. The arguments
// begin with the program's path.
struct PipedChild {
    pid_t id = 0;
    int output = -1;
};

inline PipedChild spawnWithPipedOutput(std::vector<std::string> arguments) {
    int pipeEnds[2];
    if (::pipe(pipeEnds) != 0)
        return {};
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, pipeEnds[1], 1);
    posix_spawn_file_actions_addclose(&actions, pipeEnds[0]);
    posix_spawn_file_actions_addclose(&actions, pipeEnds[1]);
    std::vector<char*> argv;
    for (auto& argument : arguments)
        argv.push_back(argument.data());
    argv.push_back(nullptr);
    pid_t child = 0;
    const int spawned = posix_spawn(&child, argv[0], &actions, nullptr, argv.data(), environ);
    ::close(pipeEnds[1]);
    posix_spawn_file_actions_destroy(&actions);
    if (spawned != 0) {
        ::close(pipeEnds[0]);
        return {};
    }
    return {child, pipeEnds[0]};
}

// Says OK to every box and No to every question; every dialog is cancelled.
class QuietPlatform : public Platform {
public:
    int messages = 0;

    MessageAnswer message(const std::string&, const std::string&, MessageIcon,
                          MessageButtons buttons) override {
        ++messages;
        return buttons == MessageButtons::Ok ? MessageAnswer::Ok : MessageAnswer::No;
    }
    std::optional<FileChoice> openFileDialog(const std::string&, const std::string&,
                                             const std::string&) override {
        return std::nullopt;
    }
    std::optional<FileChoice> saveFileDialog(const std::string&, const std::string&,
                                             const std::string&, bool) override {
        return std::nullopt;
    }
    std::optional<std::string> lineInput(const std::string&, const std::string&,
                                         const std::string&) override {
        return std::nullopt;
    }
    std::optional<ColorValue> colorDialog(const std::string&) override { return std::nullopt; }
    std::optional<StartedProcess> startProgram(const StartRequest&) override {
        return std::nullopt;
    }
    bool isRunning(const StartedProcess&) override { return false; }
    bool openUrl(const std::string&) override { return false; }
};

} // namespace tessaro::bench
