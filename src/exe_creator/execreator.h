#pragma once

#include "common/commandresult.h"
#include "common/dialogfolder.h"
#include "common/platform.h"
#include "common/settings.h"

#include <cstdint>
#include <optional>
#include <string>

namespace tessaro {

// The window either writes a re-targeted copy of a game executable, or (as
// Quorvel) rewrites the last levels of an executable in place.
enum class ExeCreatorMode { ExeCreator, Quorvel };

// Where the last original executable used for a copy is kept.
inline constexpr const char* kExeCreatorSection = "EXE Creator";
inline constexpr const char* kOriginalExeKey = "OriginalExe";

// What the EXE Creator window shows, and its commands. The browse dialogs
// start in the folder of the file their field names, else in the folder
// currentFolder gives (the main window's).
class ExeCreator {
public:
    ExeCreator(Platform& platform, SettingsStore& settings, CurrentFolder currentFolder = {});

    std::string originalExe;
    std::string newExe;
    std::string iniName;
    std::string dataName;
    std::string fakeLastLevel = "144";
    std::string realLastLevel = "149";

    ExeCreatorMode mode() const { return m_mode; }
    // Switches the mode, also while the window is open. Each mode keeps its
    // own original executable: switching shows that mode's last choice, first
    // the saved setting in EXE Creator mode and nothing in Quorvel mode, so an
    // executable chosen to copy from never becomes Quorvel's in-place target.
    // Every other field stays. A new window has the EXE Creator layout but an
    // empty originalExe until its mode is set.
    CommandResult setMode(ExeCreatorMode mode);

    // "EXE Creator" or "Quorvel".
    std::string caption() const;
    // The headings of the four path fields, one per line with a blank line
    // between (CR LF line ends); only the first heading in Quorvel mode.
    std::string headings() const;
    // Whether the new exe's fields (new exe, INI and data names) are shown.
    bool showsNewExeFields() const { return m_mode == ExeCreatorMode::ExeCreator; }

    CommandResult browseOriginal();
    CommandResult browseNew();
    // OK: checks the fields (a new INI name of at most 11 characters and a
    // data name of at most 9, the executable's fields) and writes the copy or
    // the levels, telling the player the outcome; done when the file was
    // written. Quorvel asks before changing a file named CHIPS.EXE (any case),
    // the game's own executable.
    CommandResult ok();
    // Exit, before the window closes: remembers originalExe in EXE Creator mode.
    CommandResult exit();

private:
    CommandResult refuse(const std::string& text, const std::string& focus);
    CommandResult createExe(std::int16_t fake, std::int16_t real);
    CommandResult patchInPlace(std::int16_t fake, std::int16_t real);

    std::string startFolder(const std::string& field) const;

    Platform& m_platform;
    SettingsStore& m_settings;
    CurrentFolder m_currentFolder;
    ExeCreatorMode m_mode = ExeCreatorMode::ExeCreator;
    bool m_modeChosen = false;
    // The other mode's original executable, once that mode has been shown.
    std::optional<std::string> m_otherOriginalExe;
};

} // namespace tessaro
