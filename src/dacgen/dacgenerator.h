#pragma once

#include "common/commandresult.h"
#include "common/foldernavigator.h"
#include "levelset/dacfile.h"

#include <filesystem>
#include <string>
#include <vector>

namespace tessaro {

class Platform;
class SettingsStore;

// The state and the commands of the DacGen window: the five options, the
// DATA folder with its level sets, and the SETS folder the DAC files go to.
class DacGenerator {
public:
    static constexpr const char* kCaption = "DacGen";
    static constexpr const char* kErrorTitle = "Tessaro DacGen";
    static constexpr const char* kSection = "DacGen";
    static constexpr const char* kLevelSetPatterns = "*.dat;*.ccl";

    // drives: the drive selectors' entries (root paths); programFolder is
    // where a saved folder falls back to when nothing of it is left.
    DacGenerator(std::vector<std::string> drives, std::filesystem::path programFolder);

    // Opening: the options and both folders from the settings (a folder that
    // has vanished gives way to its nearest existing parent), then the DATA
    // folder's level sets. A stored option that is not a number is off.
    void load(const SettingsStore& settings);

    // The nine settings of the window, as Exit writes them.
    CommandResult save(SettingsStore& settings) const;

    DacOptions& options() { return m_options; }
    const DacOptions& options() const { return m_options; }
    const FolderNavigator& data() const { return m_data; }
    const FolderNavigator& sets() const { return m_sets; }

    // The level set files of the DATA folder, as listed last.
    const std::vector<std::string>& levelSets() const { return m_data.files(); }

    // Folder and drive choices; the DATA ones list the level sets again.
    // Not done (nothing changes) when the folder or drive cannot be read.
    CommandResult chooseDataFolder(const std::string& folder);
    CommandResult chooseDataDrive(const std::string& drive);
    CommandResult chooseSetsFolder(const std::string& folder);
    CommandResult chooseSetsDrive(const std::string& drive);

    // Lists the DATA folder's level sets again.
    void relist() { m_data.refreshFiles(); }

    // "Generate DAC Files": DAC files for every level set of the DATA folder,
    // with a message for each refusal, failure and the outcome. Done when the
    // batch completed: the settings are then saved and the window closes.
    CommandResult GenerateAll(Platform& platform, SettingsStore& settings);

    // Double-click on a level set: its DAC files and a message; the settings
    // are not saved and the window stays open.
    CommandResult GenerateOne(Platform& platform, const std::string& setName);

private:
    bool refuseWithoutRuleset(Platform& platform) const;
    // Writes the sets' files; the ones that could not be written are
    // reported and left out of the returned count.
    int writeSets(Platform& platform, const std::vector<std::string>& setNames) const;

    std::filesystem::path m_programFolder;
    DacOptions m_options;
    FolderNavigator m_data;
    FolderNavigator m_sets;
};

} // namespace tessaro
