#include "launcher/playpipeline.h"

#include "common/codepage.h"
#include "common/numbers.h"
#include "common/paths.h"
#include "common/programsearch.h"
#include "common/safewriter.h"
#include "common/textfile.h"
#include "gameexe/exepatch.h"
#include "levelset/ccffile.h"

#include <fstream>

namespace tessaro {

namespace {

constexpr const char* kTitle = "Tessaro";

const std::string kNoExecutableMessage =
    std::string("Error - you have not yet created a ludex.exe file. In the Play menu, select ") +
    "\"I haven't created a Ludex.exe yet\"" +
    ", or select an already existing EXE file by clicking the Browse button on the main screen.";

bool canOpenForReading(const std::string& path) {
    std::error_code error;
    if (std::filesystem::is_directory(toPath(path), error))
        return false;
    std::ifstream in(toPath(path), std::ios::binary);
    return in.is_open();
}

std::string tooLongMessage(const std::string& name, const char* extensions) {
    return "The file name " + name +
           " is too long. Please rename it so it is 16 characters or less (including the " +
           extensions + ") and try again.";
}

std::string unreadableNameMessage(const std::string& name) {
    return "The file name " + name +
           " holds letters the game cannot read. Please rename it using only the letters of "
           "Western European languages and try again.";
}

void warn(Platform& platform, const std::string& text) {
    platform.tell(text, kTitle, MessageIcon::Exclamation);
}

// The step at which a play could not change its files. Mismatched: the copy
// failed after the executable was replaced, and it could not be put back.
enum class PlayStep { Done, Executable, LevelSet, DataCopy, Mismatched };

// Puts the patched executable and a copy of the level set in place together,
// so the score section the game uses always belongs to the set it plays: both
// are written beside their targets first, then renamed over them; when the
// second rename fails the executable gets its old bytes back.
PlayStep replacePlayFiles(const PatchWriter& executable, const std::filesystem::path& levelSet,
                          const std::string& dataCopy) {
    SafeWriter exeWriter(executable.target());
    if (!executable.ok() || !exeWriter.prepare(executable.patchedBytes()))
        return PlayStep::Executable;
    const auto set = readFileBytes(levelSet);
    if (!set)
        return PlayStep::LevelSet;
    SafeWriter dataWriter(toPath(dataCopy));
    if (!dataWriter.prepare(*set))
        return PlayStep::DataCopy;
    // Both renames first, then one flush of their folder: a flush that fails
    // between them would leave the new executable with the old set.
    switch (SafeWriter::commitTogether({&exeWriter, &dataWriter})) {
    case 0:
        return PlayStep::Executable;
    case 1:
        return replaceFileAtomically(executable.target(), executable.originalBytes())
                   ? PlayStep::DataCopy
                   : PlayStep::Mismatched;
    default:
        return PlayStep::Done;
    }
}

constexpr const char* kInUse = " (it may be read-only, or the game may still be running)";

// What a ".dat" or ".ccl" play asks the player when it could not change its
// files: whether the game starts with what they held before.
std::string unchangedMessage(PlayStep step, const PlayPaths& paths, const std::string& levelSet) {
    std::string text;
    switch (step) {
    case PlayStep::Executable:
        text = "Tessaro could not change the play executable " + paths.executable + kInUse + ".";
        break;
    case PlayStep::LevelSet:
        text = "Tessaro could not read the level set " + levelSet + ".";
        break;
    default:
        text = "Tessaro could not copy the level set to " + paths.dataCopy + kInUse + ".";
        break;
    }
    return text + " Start the game anyway with the level set it held before?";
}

// The executable names the new set but "tessaro.7" still holds the old one:
// the game is not started, so no scores go under the wrong set's name.
std::string mismatchedMessage(const PlayPaths& paths) {
    return "Tessaro could not copy the level set to " + paths.dataCopy + kInUse +
           ", nor put the play executable " + paths.executable +
           " back as it was. The game was not started, so that no scores are kept under the "
           "wrong level set's name; play a level set again once both files can be written.";
}

PlayOutcome refusedAt(const char* control) {
    PlayOutcome outcome;
    outcome.result = CommandResult::refused(control);
    return outcome;
}

#ifndef _WIN32
bool startsWithMz(const std::string& path) {
    std::ifstream in(toPath(path), std::ios::binary);
    char header[2] = {};
    return in.read(header, 2) && header[0] == 'M' && header[1] == 'Z';
}
#endif

// Starts the play executable; says so, and what would help, when it cannot.
std::optional<StartedProcess> startGame(const std::string& executable,
                                        const PlayEnvironment& environment, Platform& platform) {
    const auto request = buildStartRequest(executable, environment.playRunner);
    const std::string cannotStart = "Tessaro could not start " + executable;
#ifndef _WIN32
    if (request.program == "wine" &&
        wineLacks32BitLoader(environment.searchPath.value_or(""), environment.wineLoaderFolder)) {
        warn(platform, cannotStart +
                           ": the Wine on this computer has no 32-bit part, which the game, a "
                           "16-bit Windows program, needs.\r\n\r\nOn Debian and Ubuntu: sudo "
                           "dpkg --add-architecture i386 && sudo apt update && sudo apt install "
                           "wine32:i386\r\n\r\nTo play without the game, choose Tile World in "
                           "the Play menu under \"Play With\".");
        return std::nullopt;
    }
#endif
    if (auto started = platform.startProgram(request))
        return started;
    if (!environment.playRunner.empty()) {
        warn(platform,
             cannotStart + ". Check the PlayRunner setting (" + environment.playRunner + ").");
        return std::nullopt;
    }
#ifdef _WIN32
    warn(platform, cannotStart +
                       ". The game is a 16-bit Windows program, which 64-bit Windows cannot "
                       "start by itself: install a 16-bit runner such as WineVDM and name it in "
                       "the PlayRunner setting.");
#else
    if (request.program != "wine") {
        warn(platform, cannotStart + ".");
    } else if (!findProgram("wine", environment.searchPath.value_or(""))) {
        warn(platform, cannotStart +
                           ": the game is a 16-bit Windows program, which needs Wine, and no "
                           "wine was found on the PATH. Install Wine (on Debian, the wine "
                           "package with 32-bit support: dpkg --add-architecture i386, then "
                           "apt-get update and apt-get install wine wine32), or name another "
                           "runner in the PlayRunner setting.");
    } else {
        warn(platform, cannotStart +
                           " through wine. Wine needs its 32-bit support to run the game (on "
                           "Debian, the wine32 package); or name another runner in the "
                           "PlayRunner setting.");
    }
#endif
    return std::nullopt;
}

// Starts the game for the set; done, with the game to remember, when it started.
PlayOutcome startPlay(const std::string& set, const PlayPaths& paths,
                      const PlayEnvironment& environment, Platform& platform) {
    PlayOutcome outcome;
    if (auto process = startGame(paths.executable, environment, platform)) {
        outcome.result = CommandResult::succeeded();
        outcome.started = StartedGame{*process, set, paths.dataCopy};
    }
    return outcome;
}

// A game an earlier play started from the same "tessaro.7" that still runs
// would have its files replaced under it: the player decides.
bool mayReplaceRunningGame(const std::string& set, const PlayPaths& paths,
                           const PlayEnvironment& environment, Platform& platform) {
    const auto& game = environment.earlierGame;
    if (!game || game->dataCopy != paths.dataCopy || !platform.isRunning(game->process))
        return true;
    return platform.message("The game is still running " + game->set + ". Playing " + set +
                                " replaces its levels under it. Play anyway?",
                            kTitle, MessageIcon::Question,
                            MessageButtons::YesNo) == MessageAnswer::Yes;
}

// iniName and section are in the game's code page.
PlayOutcome playCcf(const PlayInputs& inputs, std::string_view iniName, const std::string& section,
                    const PlayPaths& paths, const PlayEnvironment& environment,
                    Platform& platform) {
    const std::string& name = *inputs.selectedFile;
    const auto ccf = readCcfPlay(inputs, platform);
    if (!ccf)
        return {};
    if (section.size() > 16) {
        warn(platform, tooLongMessage(name, ".ccf"));
        return {};
    }
    if (!mayReplaceRunningGame(name, paths, environment, platform))
        return {};
    const auto writer = patchPlayFields(toPath(paths.executable),
                                        {iniName, kDataCopyName, section, ccf->fake, ccf->real});
    switch (replacePlayFiles(writer, ccf->levelSet, paths.dataCopy)) {
    case PlayStep::Done:
        break;
    case PlayStep::Executable:
        warn(platform, "The play executable " + paths.executable + " could not be written.");
        return {};
    case PlayStep::LevelSet:
    case PlayStep::DataCopy:
        warn(platform, "The level set " + fromWindows1252(ccf->levelSetField) + " named by " +
                           name + " could not be copied to " + paths.dataCopy + ".");
        return {};
    case PlayStep::Mismatched:
        warn(platform, mismatchedMessage(paths));
        return {};
    }
    return startPlay(name, paths, environment, platform);
}

} // namespace

PlayPaths computePlayPaths(const PlayInputs& inputs, const std::string& programFolder) {
    PlayPaths paths;
    if (inputs.alternateExecutable.empty()) {
        paths.executable = joinAndClean(programFolder, kPlayExecutableName);
        paths.dataCopy = joinAndClean(programFolder, kDataCopyName);
    } else {
        paths.executable = inputs.alternateExecutable;
        // The alternate executable's folder, with its trailing separator. When
        // the remembered name does not match the path's end, the folder is
        // taken from the path itself.
        std::string folder;
        const auto& name = inputs.alternateExecutableName;
        if (!name.empty() && inputs.alternateExecutable.size() >= name.size() &&
            inputs.alternateExecutable.compare(inputs.alternateExecutable.size() - name.size(),
                                               name.size(), name) == 0) {
            folder = inputs.alternateExecutable.substr(0, inputs.alternateExecutable.size() -
                                                              name.size());
        } else {
            const auto slash = inputs.alternateExecutable.find_last_of("/\\");
            folder = slash == std::string::npos ? std::string()
                                                : inputs.alternateExecutable.substr(0, slash + 1);
        }
        paths.dataCopy = folder + kDataCopyName;
    }
    return paths;
}

bool hasPlayExecutable(const PlayInputs& inputs, const std::string& programFolder) {
    return canOpenForReading(computePlayPaths(inputs, programFolder).executable);
}

bool wineLacks32BitLoader(const std::string& searchPath,
                          const std::filesystem::path& loaderFolder) {
    namespace fs = std::filesystem;
    const auto wine = findProgram("wine", searchPath);
    if (!wine)
        return false;
    std::error_code wineError, binError, loaderError;
    const auto wineFolder = fs::canonical(toPath(*wine), wineError).parent_path();
    const auto binFolder =
        fs::weakly_canonical(loaderFolder.parent_path().parent_path() / "bin", binError);
    return !wineError && !binError && wineFolder == binFolder &&
           fs::is_regular_file(loaderFolder / "wine64", loaderError) &&
           !fs::exists(loaderFolder / "wine", loaderError) && !loaderError;
}

PlayOutcome playSelectedFile(const PlayInputs& inputs, const PlayEnvironment& environment,
                             Platform& platform) {
    const auto paths = computePlayPaths(inputs, environment.programFolder);
    if (!canOpenForReading(paths.executable)) {
        warn(platform, kNoExecutableMessage);
        PlayOutcome outcome;
        outcome.executableMissing = true;
        return outcome;
    }
    const auto levels = checkLastLevels(inputs, platform);
    if (const auto* refusal = std::get_if<CommandResult>(&levels))
        return refusedAt(refusal->focus.c_str());
    const auto [fake, real] = std::get<LastLevels>(levels);
    // The game reads the INI name in its own code page.
    auto iniName = toWindows1252(inputs.iniFileName);
    if (!iniName) {
        warn(platform, "The INI file name " + inputs.iniFileName +
                           " holds letters the game cannot read. Please use only the letters of "
                           "Western European languages.");
        return refusedAt("theINIFile");
    }
    if (!inputs.selectedFile || inputs.selectedFile->empty())
        return {};
    // A longer name would be cut to fit the executable, and the game would
    // keep its scores in another file than the one the player named.
    if (iniName->size() > kIniNameWidth) {
        warn(platform, "Error - the INI file name must be 11 characters or less");
        return refusedAt("theINIFile");
    }
    if (iniName->empty())
        *iniName = kDefaultIniName;

    // The section name is the file's name as the game reads it.
    const std::string& name = *inputs.selectedFile;
    const auto section = toWindows1252(name);
    if (!section) {
        warn(platform, unreadableNameMessage(name));
        return {};
    }
    if (isCcfPlay(name))
        return playCcf(inputs, *iniName, *section, paths, environment, platform);

    if (section->size() > 16) {
        warn(platform, tooLongMessage(name, ".dat or .ccl"));
        return {};
    }
    if (!mayReplaceRunningGame(name, paths, environment, platform))
        return {};
    const auto writer =
        patchPlayFields(toPath(paths.executable), {*iniName, kDataCopyName, *section, fake, real});
    // When the files cannot be changed, the game can still start with what the
    // executable and "tessaro.7" hold, so the last set played stays playable.
    const auto levelSet = joinAndClean(inputs.folder, name);
    const auto step = replacePlayFiles(writer, toPath(levelSet), paths.dataCopy);
    if (step == PlayStep::Mismatched) {
        warn(platform, mismatchedMessage(paths));
        return {};
    }
    const bool startAnyway =
        step == PlayStep::Done ||
        platform.message(unchangedMessage(step, paths, levelSet), kTitle, MessageIcon::Question,
                         MessageButtons::YesNo) == MessageAnswer::Yes;
    auto outcome = startAnyway ? startPlay(name, paths, environment, platform) : PlayOutcome();
    outcome.levelSetUnreadable = step == PlayStep::LevelSet;
    return outcome;
}

std::variant<LastLevels, CommandResult> checkLastLevels(const PlayInputs& inputs,
                                                        Platform& platform) {
    const auto fake = toInt16(inputs.fakeLastLevel);
    if (!fake || *fake < 1) {
        warn(platform, "Error - invalid level 144");
        return CommandResult::refused("Text1");
    }
    const auto real = toInt16(inputs.realLastLevel);
    if (!real || *real < 1 || *real < *fake) {
        warn(platform, "Error - invalid level 149");
        return CommandResult::refused("Text2");
    }
    return LastLevels{*fake, *real};
}

std::optional<CcfPlay> readCcfPlay(const PlayInputs& inputs, Platform& platform) {
    const std::string& name = inputs.selectedFile.value_or("");
    const auto fields = readCcfFields(toPath(joinAndClean(inputs.folder, name)), 4);
    if (!fields) {
        warn(platform, "The CCF file " + name +
                           " could not be read or does not hold the four lines of a CCF file.");
        return std::nullopt;
    }
    const auto fake = toInt16((*fields)[1]);
    const auto real = toInt16((*fields)[2]);
    if (!fake || !real) {
        warn(platform, "The CCF file " + name + " holds a last level that is not a number.");
        return std::nullopt;
    }
    return CcfPlay{(*fields)[0], ccfLevelSetPath((*fields)[0]), *fake, *real};
}

bool isCcfPlay(const std::string& name) {
    return name.size() >= 3 && name.compare(name.size() - 3, 3, "ccf") == 0;
}

std::vector<std::string> splitCommandWords(const std::string& text) {
    std::vector<std::string> words;
    std::string word;
    bool inWord = false;
    bool quoted = false;
    for (const char c : text) {
        if (c == '"') {
            quoted = !quoted;
            inWord = true;
        } else if ((c == ' ' || c == '\t') && !quoted) {
            if (inWord)
                words.push_back(word);
            word.clear();
            inWord = false;
        } else {
            word.push_back(c);
            inWord = true;
        }
    }
    if (inWord)
        words.push_back(word);
    return words;
}

StartRequest buildStartRequest(const std::string& executable, const std::string& playRunner) {
    StartRequest request;
    request.workingFolder = toPath(executable).parent_path();
    auto runner = splitCommandWords(playRunner);
    if (!runner.empty()) {
        request.program = toPath(runner.front());
        request.arguments.assign(runner.begin() + 1, runner.end());
        request.arguments.push_back(executable);
        return request;
    }
#ifdef _WIN32
    request.program = toPath(executable);
#else
    if (startsWithMz(executable)) {
        request.program = "wine";
        request.arguments.push_back(executable);
    } else {
        request.program = toPath(executable);
    }
#endif
    return request;
}

} // namespace tessaro
