#pragma once

#include "common/folderlisting.h"
#include "common/platform.h"
#include "common/settings.h"
#include "launcher/playpipeline.h"

#include <optional>
#include <string>
#include <vector>

namespace tessaro {

// The main window's state and commands: the drive, folder and file lists, the
// play inputs, the create-entry visibility, and the settings they come from.
class LauncherModel {
public:
    static constexpr const char* kSection = "General";
    static constexpr const char* kFilePatterns = "*.dat;*.ccl;*.ccf";

    LauncherModel(Platform& platform, SettingsStore& settings, std::string programFolder);

    // Reads the settings and fills the lists: the saved drive (or the first of
    // drives that can be read), the saved folder (or the drive's root), then
    // the play inputs and the create entry.
    void start(const std::vector<std::string>& drives, const std::string& currentDrive);

    // Exit: saves the settings in their fixed order.
    void saveSettings();

    const std::vector<std::string>& drives() const { return m_drives; }
    const std::string& drive() const { return m_drive; }
    const std::string& folder() const { return m_folder; }
    const std::vector<FolderListEntry>& folderEntries() const { return m_folderEntries; }
    const std::vector<std::string>& files() const { return m_files; }
    const std::string& programFolder() const { return m_programFolder; }

    // Points the folder list at the drive; false (nothing changes) when the
    // drive cannot be read.
    bool selectDrive(const std::string& drive);
    // Points the folder and file lists at the folder; false (nothing changes)
    // when it cannot be read.
    bool openFolder(const std::string& folder);
    // Reads the file list again (after a CCF file was saved, for example). A
    // selected name that is still there stays selected.
    void refreshFiles();

    void selectFile(std::optional<std::string> name) { selectedFile = std::move(name); }

    // Play Selected File; done when the game was started.
    CommandResult play();
    // cmdBrowse.
    void browseAlternateExecutable();
    // Backspace or Delete in alternateExecutable: back to the default play executable.
    void clearAlternateExecutable() { alternateExecutable.clear(); }
    // NoLudex.
    void createPlayExecutable();
    // Shift+H.
    void toggleCreateEntry();

    // The play inputs as the window's fields hold them.
    std::optional<std::string> selectedFile;
    std::string alternateExecutable;
    std::string alternateExecutableName;
    std::string fakeLastLevel = "144";
    std::string realLastLevel = "149";
    std::string iniFileName;
    bool createEntryShown = true;

private:
    Platform& m_platform;
    SettingsStore& m_settings;
    std::string m_programFolder;
    std::vector<std::string> m_drives;
    std::string m_drive;
    std::string m_folder;
    std::vector<FolderListEntry> m_folderEntries;
    std::vector<std::string> m_files;
};

} // namespace tessaro
