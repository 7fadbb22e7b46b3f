#include "launcher/tileworldplay.h"

#include "common/dialogfolder.h"
#include "common/numbers.h"
#include "common/paths.h"
#include "common/programsearch.h"
#include "common/safewriter.h"
#include "common/textfile.h"
#include "launcher/launchermodel.h"

#include <filesystem>
#include <system_error>
#include <utility>
#include <vector>

namespace tessaro {

namespace {

namespace fs = std::filesystem;

constexpr const char* kTitle = "Tessaro";
const std::string kMenuEntry = "\"Tile World Program…\"";

void warn(Platform& platform, const std::string& text) {
    platform.tell(text, kTitle, MessageIcon::Exclamation);
}

std::string missingMessage(const std::string& chosenProgram) {
    if (!chosenProgram.empty())
        return "Tessaro cannot find the Tile World program " + chosenProgram +
               ".\r\n\r\nChoose it again in the Play menu with " + kMenuEntry + ".";
#ifdef _WIN32
    return "Tessaro cannot find Tile World, which plays level sets without the original "
           "game.\r\n\r\nInstall Tile World (its program is tworld2.exe or tworld.exe), then "
           "choose it in the Play menu with " +
           kMenuEntry + ".";
#else
    return "Tessaro cannot find Tile World, which plays level sets without the original "
           "game.\r\n\r\nOn Debian and Ubuntu: sudo apt install tworld\r\n\r\nIf Tile World is "
           "installed elsewhere, choose its program in the Play menu with " +
           kMenuEntry + ".";
#endif
}

bool isFile(const fs::path& path) {
    std::error_code error;
    return fs::is_regular_file(path, error);
}

// The set a play hands Tile World: the folder it is read from, its bare name
// and the level after which Tile World ends it.
struct TileWorldSet {
    std::string folder;
    std::string name;
    int lastLevel = 0;
};

std::optional<TileWorldSet> setOfCcf(const PlayInputs& inputs, Platform& platform) {
    const auto ccf = readCcfPlay(inputs, platform);
    if (!ccf)
        return std::nullopt;
    const auto& ccfName = *inputs.selectedFile;
    if (ccf->fake < 1) {
        warn(platform, "The CCF file " + ccfName +
                           " holds a fake last level below 1, which Tile World cannot use.");
        return std::nullopt;
    }
    std::error_code error;
    const auto levelSet = fs::absolute(ccf->levelSet, error);
    if (error || !isFile(levelSet)) {
        warn(platform, "The level set " + fromPath(ccf->levelSet) + " named by " + ccfName +
                           " could not be found.");
        return std::nullopt;
    }
    return TileWorldSet{fromPath(levelSet.parent_path()), fromPath(levelSet.filename()), ccf->fake};
}

// A DAC file a play wrote: its name and bytes are exactly those a play
// writes for some set and last level. Anything else in the folder (a file
// the player wrote or changed, another program's) is not one.
bool isPlayDacFile(const fs::path& file) {
    constexpr std::uintmax_t kLargestPlayDac = 1024;
    std::error_code error;
    if (!fs::is_regular_file(fs::symlink_status(file, error)) ||
        fs::file_size(file, error) > kLargestPlayDac || error)
        return false;
    const auto bytes = readFileBytes(file);
    const auto lines = splitLines(bytes ? bytes->view() : std::string_view());
    const std::string_view lastLevelKey = "lastlevel=";
    if (lines.empty() || !lines.back().starts_with(lastLevelKey))
        return false;
    const auto lastLevel = toInt16(std::string_view(lines.back()).substr(lastLevelKey.size()));
    const auto name = fromPath(file.filename());
    for (const auto ruleset : {DacRuleset::MS, DacRuleset::Lynx}) {
        const auto suffix = dacFileName("", ruleset);
        if (lastLevel && name.size() > suffix.size() && name.ends_with(suffix) &&
            joinLinesCrLf(playDacFileLines(name.substr(0, name.size() - suffix.size()), ruleset,
                                           *lastLevel)) == *bytes)
            return true;
    }
    return false;
}

// Tile World lists every DAC file of its level-set folder and warns of each
// whose set is not in the data folder it was given, so the play removes the
// ones it wrote for other sets. One that cannot be removed only costs a
// line in Tile World's list.
void removeOtherPlayDacFiles(const fs::path& dacFolder, const fs::path& keep) {
    std::error_code error;
    std::vector<fs::path> others;
    for (fs::directory_iterator entry(dacFolder, error), end; !error && entry != end;
         entry.increment(error))
        if (entry->path().filename() != keep && isPlayDacFile(entry->path()))
            others.push_back(entry->path());
    for (const auto& file : others)
        fs::remove(file, error);
}

constexpr std::pair<PlayWith, const char*> kPlayWithSettings[] = {
    {PlayWith::Game, "game"},
    {PlayWith::TileWorldMS, "tileworld-ms"},
    {PlayWith::TileWorldLynx, "tileworld-lynx"}};

} // namespace

std::string playWithSetting(PlayWith choice) {
    for (const auto& [each, setting] : kPlayWithSettings)
        if (each == choice)
            return setting;
    return "game";
}

PlayWith playWithOf(const std::string& setting) {
    for (const auto& [choice, text] : kPlayWithSettings)
        if (setting == text)
            return choice;
    return PlayWith::Game;
}

CommandResult chooseTileWorldProgram(Platform& platform, SettingsStore& settings,
                                     const std::string& startFolder) {
#ifdef _WIN32
    constexpr const char* kFilter = "Programs|*.exe";
#else
    constexpr const char* kFilter = "All files|*";
#endif
    const auto current = settings.get(LauncherModel::kSection, kTileWorldProgramKey, "");
    const auto choice = platform.openFileDialog("Browse for the Tile World program...", kFilter,
                                                dialogStartFolder(current, startFolder));
    if (!choice || choice->path.empty())
        return CommandResult::failed();
    settings.set(LauncherModel::kSection, kTileWorldProgramKey, choice->path);
    return CommandResult::succeeded();
}

std::string tileWorldSearchPath() {
#ifdef _WIN32
    return systemSearchPath().value_or("");
#else
    return systemSearchPath().value_or("") + ":/usr/games";
#endif
}

std::optional<std::string> findTileWorld(const std::string& program,
                                         const std::string& searchPath) {
    if (!program.empty())
        return isFile(toPath(program)) ? std::optional(program) : std::nullopt;
#ifdef _WIN32
    if (auto found = findProgram("tworld2.exe", searchPath))
        return found;
    return findProgram("tworld.exe", searchPath);
#else
    return findProgram("tworld", searchPath);
#endif
}

CommandResult playInTileWorld(const PlayInputs& inputs, DacRuleset ruleset,
                              const TileWorldEnvironment& environment, Platform& platform) {
    const auto program = findTileWorld(environment.program, environment.searchPath);
    if (!program) {
        warn(platform, missingMessage(environment.program));
        return {};
    }
    const auto levels = checkLastLevels(inputs, platform);
    if (const auto* refusal = std::get_if<CommandResult>(&levels))
        return *refusal;
    if (!inputs.selectedFile || inputs.selectedFile->empty())
        return {};

    std::optional<TileWorldSet> set;
    if (isCcfPlay(*inputs.selectedFile))
        set = setOfCcf(inputs, platform);
    else
        set = TileWorldSet{inputs.folder, *inputs.selectedFile, std::get<LastLevels>(levels).fake};
    if (!set)
        return {};
    if (!isNameTileWorldCanOpen(set->name)) {
        warn(platform, "Tile World cannot open " + set->name + ". Please rename it and try again.");
        return {};
    }

    const auto dacFolder = toPath(environment.dacFolder);
    const auto dacName = dacFileName(set->name, ruleset);
    std::error_code error;
    fs::create_directories(dacFolder, error);
    if (!replaceFileAtomically(
            dacFolder / toPath(dacName),
            joinLinesCrLf(playDacFileLines(set->name, ruleset, set->lastLevel)))) {
        warn(platform, "Tessaro could not write " + joinAndClean(environment.dacFolder, dacName) +
                           ", the file that tells Tile World how to play " + set->name + ".");
        return {};
    }
    removeOtherPlayDacFiles(dacFolder, toPath(dacName));

    // "--" ends the options, so a set whose name begins with "-" is still a name.
    const StartRequest request{toPath(*program),
                               {"-D", set->folder, "-L", environment.dacFolder, "--", dacName},
                               dacFolder};
    if (!platform.startProgram(request)) {
        warn(platform, "Tessaro could not start Tile World (" + *program + ").");
        return {};
    }
    return CommandResult::succeeded();
}

} // namespace tessaro
