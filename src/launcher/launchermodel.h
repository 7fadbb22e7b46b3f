#pragma once

#include "common/commandresult.h"
#include "common/foldernavigator.h"
#include "common/platform.h"
#include "common/settings.h"
#include "launcher/playpipeline.h"
#include "launcher/tileworldplay.h"

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

    // Reads the settings and fills the lists: the saved folder (when it has
    // vanished, its nearest existing parent; when nothing of it is left, the
    // saved drive or the first of drives that can be read), then the play
    // inputs and the create entry.
    void start(const std::vector<std::string>& drives, const std::string& currentDrive);

    // Exit: saves the settings in their fixed order.
    CommandResult exit();

    // The drive, folder and file lists.
    const FolderNavigator& folders() const { return m_folders; }
    const std::vector<std::string>& drives() const { return m_folders.drives(); }
    const std::string& drive() const { return m_folders.drive(); }
    const std::string& folder() const { return m_folders.folder(); }
    const std::vector<FolderListEntry>& folderEntries() const { return m_folders.entries(); }
    const std::vector<std::string>& files() const { return m_folders.files(); }
    const std::string& programFolder() const { return m_programFolder; }

    // Points the folder list at the drive (the folder last opened there); not
    // done (nothing changes) when the drive cannot be read.
    CommandResult selectDrive(const std::string& drive);
    // Points the folder and file lists at the folder; not done (nothing
    // changes) when it cannot be read. A new folder clears the file selection.
    CommandResult openFolder(const std::string& folder);
    // Reads the file list again (after a CCF file was saved, for example). A
    // selected name that is still there stays selected.
    CommandResult refreshFiles();

    void selectFile(std::optional<std::string> name) { selectedFile = std::move(name); }

    // Play Selected File, with what Play With chose; done when the game or
    // Tile World was started. When the game is chosen but the play
    // executable is missing and Tile World is found, a question first offers
    // to play the selected set in Tile World (Yes also chooses Tile World
    // with the MS rules in Play With).
    CommandResult play();
    // A play asked for on the command line: the lists go to the file's folder
    // and the file is played as Play Selected File plays it. A file those
    // lists do not show is refused with a message.
    CommandResult playFile(const std::string& path);
    // cmdBrowse: the dialog starts in the chosen executable's folder, else in
    // the listed folder; Cancel keeps the executable already chosen.
    CommandResult browseAlternateExecutable();
    // Backspace or Delete in alternateExecutable: back to the default play executable.
    CommandResult clearAlternateExecutable();
    // NoLudex.
    CommandResult createPlayExecutable();
    // Shift+H.
    CommandResult toggleCreateEntry();
    // GameRunner: the program that starts the game, kept at once (see gamerunner.h).
    CommandResult chooseGameRunner();
    // Play With: kept at once in the settings.
    CommandResult choosePlayWith(PlayWith choice);
    // TileWorldProgram: see tileworldplay.h.
    CommandResult chooseTileWorldProgram();

    // The play inputs as the window's fields hold them.
    std::optional<std::string> selectedFile;
    std::string alternateExecutable;
    std::string alternateExecutableName;
    std::string fakeLastLevel = "144";
    std::string realLastLevel = "149";
    std::string iniFileName;
    bool createEntryShown = true;
    PlayWith playWith = PlayWith::Game;
    // Tessaro's folder for the DAC files of Tile World plays.
    std::string tileWorldFolder;

private:
    Platform& m_platform;
    SettingsStore& m_settings;
    std::string m_programFolder;
    FolderNavigator m_folders;

    // Runs a move of the folder list; a move to another folder clears the
    // file selection, since that name may stand for another file there.
    template <typename Move> CommandResult moveFolders(Move move);

    PlayInputs playInputs() const;
    // True when the play goes to Tile World: chosen in Play With, or
    // accepted in the question a play without the play executable asks.
    bool playsInTileWorld(const PlayInputs& inputs);
};

} // namespace tessaro
