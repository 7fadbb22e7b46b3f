#pragma once

#include <functional>
#include <optional>
#include <string>

namespace tessaro {

// What the choice of the score file dialogs' first folder looks at, so it can
// be tried without touching the real system.
struct StartFolderEnvironment {
    std::optional<std::string> windowsFolder; // the Windows folder the system reports (Windows)
    std::optional<std::string> winePrefix;    // WINEPREFIX
    std::optional<std::string> home;          // the user's home folder
    std::function<bool(const std::string&)> isFolder;

    // The running system's values.
    static StartFolderEnvironment fromSystem();
};

// Where the game keeps its score file: the Windows folder the system reports,
// when there is one; otherwise the Wine prefix's windows folder
// ($WINEPREFIX/drive_c/windows, by default ~/.wine/drive_c/windows) when
// present; otherwise the home folder (empty when there is none, which leaves
// the choice to the system).
std::string scoreFileStartFolder(const StartFolderEnvironment& environment);

} // namespace tessaro
