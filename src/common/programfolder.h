#pragma once

#include "common/paths.h"

#include <optional>

namespace tessaro {

// What decides where Tessaro keeps "ludex.exe", "tessaro.7" and its CCF files.
struct ProgramFolderFacts {
    std::optional<Utf8Path> tessaroHome{}; // TESSARO_HOME, when set
    Utf8Path executableFolder{};           // the folder of Tessaro's own executable
    bool portableMarker = false;           // it holds a file "tessaro-portable"
    bool ownedByUser = false;              // it is the own folder of the user running Tessaro
    Utf8Path userDataFolder{};             // the per-user data folder
};

// The program folder:
// 1. TESSARO_HOME when set and not empty;
// 2. the executable's folder for a portable copy: it holds "tessaro-portable",
//    or it is the user's own and lies under none of /usr, /opt, "Program Files"
//    and "Program Files (x86)";
// 3. otherwise (an installed Tessaro, also when run as root) the per-user data
//    folder.
Utf8Path chooseProgramFolder(const ProgramFolderFacts& facts, char separator = kPathSeparator);

// True when the folder lies in a folder programs are installed in: /usr or
// /opt ("/" separator), a drive's "Program Files" or "Program Files (x86)"
// folder, in any case ("\" separator).
bool isInstallFolder(const Utf8Path& folder, char separator = kPathSeparator);

// The facts about the executable's folder, read from the file system.
ProgramFolderFacts readProgramFolderFacts(const std::optional<Utf8Path>& tessaroHome,
                                          const Utf8Path& executableFolder,
                                          const Utf8Path& userDataFolder);

// The program folder chosen on the facts read from the file system, created
// when missing.
Utf8Path findProgramFolder(const std::optional<Utf8Path>& tessaroHome,
                           const Utf8Path& executableFolder, const Utf8Path& userDataFolder);

} // namespace tessaro
