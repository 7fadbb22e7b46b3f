#pragma once

#include "common/commandresult.h"
#include "common/platform.h"

#include <filesystem>
#include <optional>
#include <string>

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

// What the system around the play provides.
struct PlayEnvironment {
    std::string programFolder;
    std::string playRunner; // the PlayRunner setting; empty for none
};

// The play executable, the INI name and the path of the level-set copy that a
// play uses.
struct PlayPaths {
    std::string executable;
    std::string iniName;
    std::string dataCopy;
};

PlayPaths computePlayPaths(const PlayInputs& inputs, const std::string& programFolder);

// Play Selected File: checks the play executable and the last levels, patches
// the executable, copies the chosen set (or the set a CCF file names) to
// "tessaro.7" beside it and starts it. Every message goes through platform;
// done means the game was started.
CommandResult playSelectedFile(const PlayInputs& inputs, const PlayEnvironment& environment,
                               Platform& platform);

// How the game executable is started: through the runner when one is set
// (its words split like a command line, quotes grouping words; the executable
// last), else directly on Windows, else through wine for an "MZ" file and
// directly for anything else. The working folder is the executable's folder.
StartRequest buildStartRequest(const std::string& executable, const std::string& playRunner);

// Splits a runner setting into words; double quotes group words with spaces.
std::vector<std::string> splitCommandWords(const std::string& text);

} // namespace tessaro
