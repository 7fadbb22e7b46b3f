#pragma once

#include "common/commandresult.h"
#include "common/platform.h"
#include "common/programsearch.h"

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <variant>

namespace tessaro {

inline constexpr const char* kPlayExecutableName = "ludex.exe";
inline constexpr const char* kDefaultIniName = "tessaro.ini";
inline constexpr const char* kDataCopyName = "tessaro.7";

// The main window's inputs at the moment of a play.
struct PlayInputs {
    std::string alternateExecutable; // full path of the alternate play executable; empty: ludex.exe
    std::string
        alternateExecutableName; // that executable's bare name, as the browse dialog gave it
    std::string fakeLastLevel;   // as typed
    std::string realLastLevel;   // as typed
    std::string iniFileName;     // empty: tessaro.ini
    std::string folder;          // the folder whose files are listed
    std::optional<std::string> selectedFile; // bare name selected in the file list
};

// The game a play started: its process, the file played (as the file list
// names it) and the level-set copy it reads.
struct StartedGame {
    StartedProcess process;
    std::string set;
    std::string dataCopy;
};

// What the system around the play provides.
struct PlayEnvironment {
    std::string programFolder;
    std::string playRunner; // the PlayRunner setting; empty for none
    // Where wine is looked for, when the game did not start through it, to
    // tell the player whether it is missing (PATH's form).
    std::optional<std::string> searchPath = systemSearchPath();
    // The game an earlier play started, if any.
    std::optional<StartedGame> earlierGame = std::nullopt;
    // Where Debian's wine finds its loaders (see wineLacks32BitLoader).
    std::filesystem::path wineLoaderFolder = "/usr/lib/wine";
};

// The play executable and the path of the level-set copy that a play uses.
struct PlayPaths {
    std::string executable;
    std::string dataCopy;
};

// What a play did, beyond its result: the launcher keeps the game it started
// and brings its lists and menu up to date.
struct PlayOutcome {
    CommandResult result;
    std::optional<StartedGame> started; // the game this play started
    bool executableMissing = false;     // no play executable was found
    bool levelSetUnreadable = false;    // the chosen level set could not be read
};

PlayPaths computePlayPaths(const PlayInputs& inputs, const std::string& programFolder);

// True when the play executable (ludex.exe, or the alternate one) can be
// opened for reading: the first check of every game play.
bool hasPlayExecutable(const PlayInputs& inputs, const std::string& programFolder);

// True when the wine found on searchPath is Debian's (it lies, links
// followed, in the "bin" folder beside loaderFolder's parent, /usr/bin for
// /usr/lib/wine) and loaderFolder holds its 64-bit loader "wine64" but not
// the 32-bit "wine" of the wine32 package: that Wine cannot run the game,
// a 16-bit program. Decided from the files alone; any other Wine is left to
// try.
bool wineLacks32BitLoader(const std::string& searchPath, const std::filesystem::path& loaderFolder);

// Play Selected File: checks the play executable, the last levels and the
// length of the INI name (at most 11 characters, the executable's field),
// patches the executable, copies the chosen set (or the set a CCF file names) to
// "tessaro.7" beside it and starts it. Every message goes through platform;
// done means the game was started. While the earlier game still runs from
// the same "tessaro.7", the player is asked before its files are replaced;
// when a ".dat" or ".ccl" play cannot change its files, the player chooses
// whether the game starts with the set they held before.
// The score section and the INI name are written in Windows-1252 (see
// toWindows1252); a name that code page cannot hold is refused before
// anything is written. A start that fails is reported with what would help:
// the PlayRunner setting, a 16-bit runner on Windows, or how to get Wine when
// none is found on searchPath. A Wine without its 32-bit loader
// (wineLacks32BitLoader) is not started: the message says how to add it, or
// to play in Tile World through Play With.
PlayOutcome playSelectedFile(const PlayInputs& inputs, const PlayEnvironment& environment,
                             Platform& platform);

// The last levels typed in the main window, as every play checks them: each
// a whole number from 1 to 32767, the real one not below the fake one. A
// refused box is reported through platform and the result focuses it.
struct LastLevels {
    std::int16_t fake = 0;
    std::int16_t real = 0;
};
std::variant<LastLevels, CommandResult> checkLastLevels(const PlayInputs& inputs,
                                                        Platform& platform);

// True when the selected file is played as a CCF file: its name ends in
// "ccf", in exactly that case.
bool isCcfPlay(const std::string& name);

// What a CCF file gives a play: the level set it names (the field as stored
// and the path it stands for, see ccfLevelSetPath in ccf/ccffile.h) and its last levels.
struct CcfPlay {
    std::string levelSetField;
    std::filesystem::path levelSet;
    std::int16_t fake = 0;
    std::int16_t real = 0;
};

// Reads the selected CCF file as every CCF play reads it; nothing, with the
// reason told through platform, when it cannot be read, holds fewer than the
// four fields or a last level that is not a number.
std::optional<CcfPlay> readCcfPlay(const PlayInputs& inputs, Platform& platform);

// How the game executable is started: through the runner when one is set
// (its words split like a command line, quotes grouping words; the executable
// last), else directly on Windows, else through wine for an "MZ" file and
// directly for anything else. The working folder is the executable's folder.
StartRequest buildStartRequest(const std::string& executable, const std::string& playRunner);

// Splits a runner setting into words; double quotes group words with spaces.
std::vector<std::string> splitCommandWords(const std::string& text);

} // namespace tessaro
