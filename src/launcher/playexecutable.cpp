#include "launcher/playexecutable.h"

#include "common/casefold.h"
#include "common/paths.h"
#include "common/safewriter.h"
#include "launcher/playpipeline.h"

namespace tessaro {

namespace {
constexpr const char* kTitle = "Tessaro";
}

bool createPlayExecutable(Platform& platform, const std::string& programFolder,
                          const std::string& startFolder) {
    const auto choice = platform.openFileDialog("Browse for original Chips.exe...",
                                                "Chip's Challenge programs|*.exe", startFolder);
    if (!choice || choice->path.empty())
        return false;
    const auto target = joinAndClean(programFolder, kPlayExecutableName);
    if (!copyFileReplacing(toPath(choice->path), toPath(target))) {
        platform.tell("Tessaro could not copy " + choice->path + " to " + target +
                          ". Check that the file can be read and that ludex.exe is not in use "
                          "(close the game first).",
                      kTitle, MessageIcon::Exclamation);
        return false;
    }
    platform.tell("You now have a Ludex.exe file that you can use to play.", kTitle,
                  MessageIcon::None);
    return true;
}

bool toggleCreateEntry(Platform& platform, bool shown) {
    if (!shown)
        return true;
    const auto answer = platform.message(
        "Are you sure you want to hide the Create Ludex option?\r\n(You can re-enable this option "
        "by pressing Shift-H again.)",
        "Hide Create Ludex Option?", MessageIcon::Question, MessageButtons::YesNo);
    return answer != MessageAnswer::Yes;
}

std::optional<AlternateExecutable> browseAlternateExecutable(Platform& platform,
                                                             const std::string& startFolder) {
    const auto choice = platform.openFileDialog("Select Alternate EXE for Playing Level Sets",
                                                "Chip's EXE Files|*.exe", startFolder);
    // Cancel keeps the executable already chosen; Backspace in the field is
    // the way back to the default one.
    if (!choice || choice->path.empty())
        return std::nullopt;
    const AlternateExecutable picked{choice->path, choice->name};
    if (equalsIgnoreCase(picked.name, "Chips.exe")) {
        const auto answer = platform.message(
            "This file appears to be your original CHIPS.EXE file. Are you sure you want to use it "
            "to play custom sets?\r\n(It will be difficult to access your original scores once you "
            "start playing other level sets with your CHIPS.EXE; it is recommended that you create "
            "a separate EXE for playing other sets.)",
            kTitle, MessageIcon::Question, MessageButtons::YesNo);
        if (answer != MessageAnswer::Yes)
            return std::nullopt;
    }
    return picked;
}

} // namespace tessaro
