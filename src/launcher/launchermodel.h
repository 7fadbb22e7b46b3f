#pragma once

#include "common/commandresult.h"
#include "common/foldernavigator.h"
#include "common/platform.h"
#include "common/settings.h"
#include "launcher/playpipeline.h"
#include "launcher/setdetails.h"
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

    // A choice in the file list; the Set Details pane reads the chosen set.
    CommandResult selectFile(std::optional<std::string> name);

    // Play Selected File, with what Play With chose; done when the game or
    // Tile World was started. A file that is not a CCF file and does not
    // start with a level-set signature is played only when the player says
    // so. When the game is chosen but the play executable is missing and
    // Tile World is found, a question first offers to play the selected set
    // in Tile World (Yes also chooses Tile World with the MS rules in Play
    // With). The game started is remembered, so that the next play asks
    // before replacing its files while it runs. A missing play executable
    // shows the create entry again; a set that cannot be read refreshes the
    // file list.
    CommandResult play();
    // A play asked for on the command line: the lists go to the file's folder
    // and the file is played as Play Selected File plays it. A file those
    // lists do not show is refused with a message, unless it starts with a
    // level-set signature.
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
    // View > Set Details.
    CommandResult showSetDetails(bool shown);

    // The selected set as the Set Details pane shows it, read when the
    // selection (or the listed folder) changed; empty when nothing is selected.
    const SetDetails& setDetails() const { return m_setDetails; }
    // The pane's note on the last levels: the boxes', or a CCF file's own.
    std::string lastLevelWarning() const;
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
    bool setDetailsShown = true;
    // Where the game keeps its score file (scoreFileStartFolder).
    std::string scoreFolder;
    PlayWith playWith = PlayWith::Game;
    // Tessaro's folder for the DAC files of Tile World plays.
    std::string tileWorldFolder;

private:
    Platform& m_platform;
    SettingsStore& m_settings;
    std::string m_programFolder;
    FolderNavigator m_folders;
    std::optional<StartedGame> m_startedGame; // the game the last play started

    // Runs a move of the folder list; a move to another folder clears the
    // file selection, since that name may stand for another file there.
    template <typename Move> CommandResult moveFolders(Move move);
    // Reads the selected set again when the selection or the folder changed
    // (always with force).
    void readSetDetails(bool force = false);
    // True unless the selected file looks like neither a level set nor a CCF
    // file and the player chose not to play it.
    bool confirmLevelSet();

    SetDetails m_setDetails;
    std::optional<SetDetailsSource> m_setDetailsSource;

    PlayInputs playInputs() const;
    // True when the play goes to Tile World: chosen in Play With, or
    // accepted in the question a play without the play executable asks.
    bool playsInTileWorld(const PlayInputs& inputs);
};

} // namespace tessaro
