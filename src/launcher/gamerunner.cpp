#include "launcher/gamerunner.h"

#include "common/dialogfolder.h"
#include "launcher/launchermodel.h"
#include "launcher/playpipeline.h"

namespace tessaro {

namespace {

constexpr const char* kTitle = "Tessaro";

#ifdef _WIN32
constexpr const char* kRunnerFilter = "Programs|*.exe;*.bat;*.cmd";
#else
constexpr const char* kRunnerFilter = "All files|*";
#endif

} // namespace

std::string runnerSetting(const std::string& program) {
    if (program.find_first_of(" \t") == std::string::npos)
        return program;
    return "\"" + program + "\"";
}

CommandResult chooseGameRunner(Platform& platform, SettingsStore& settings,
                               const std::string& startFolder) {
    const auto current = settings.get(LauncherModel::kSection, kPlayRunnerKey, "");
    if (!current.empty()) {
        const auto answer = platform.message(
            "Tessaro starts the game through this program:\r\n" + current +
                "\r\n\r\nDo you want to choose another program?\r\n(No: start the game without "
                "one. Cancel: keep this one.)",
            kTitle, MessageIcon::Question, MessageButtons::YesNoCancel);
        if (answer == MessageAnswer::No) {
            settings.set(LauncherModel::kSection, kPlayRunnerKey, "");
            return CommandResult::succeeded();
        }
        if (answer != MessageAnswer::Yes)
            return CommandResult::failed();
    }
    const auto words = splitCommandWords(current);
    const auto choice =
        platform.openFileDialog("Browse for the program that starts the game...", kRunnerFilter,
                                dialogStartFolder(words.empty() ? "" : words.front(), startFolder));
    if (!choice || choice->path.empty())
        return CommandResult::failed();
    // The setting has no way to write a quote inside a quoted word.
    if (choice->path.find('"') != std::string::npos) {
        platform.tell("Tessaro cannot start the game through " + choice->path +
                          " because its name holds a double quote. Rename it and choose it again.",
                      kTitle, MessageIcon::Exclamation);
        return CommandResult::failed();
    }
    settings.set(LauncherModel::kSection, kPlayRunnerKey, runnerSetting(choice->path));
    return CommandResult::succeeded();
}

} // namespace tessaro
