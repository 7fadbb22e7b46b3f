#pragma once

#include "common/commandresult.h"
#include "common/dialogfolder.h"
#include "common/listobserver.h"
#include "common/platform.h"
#include "scorefile/scoresection.h"
#include "scorefile/startfolder.h"

#include <cstddef>
#include <map>
#include <optional>
#include <string>

namespace tessaro {

// The INI File Editor's state and commands: the two text fields, the loaded
// section, the selected level entry and whether the editing buttons work.
// Positions are 0-based; the entry at position i is rescored as level i + 1.
class IniEditor {
public:
    static constexpr const char* kCaption = "INI File Editor";
    static constexpr const char* kSetNameNote =
        "DAT/CCL/CCF file name:\n(include the extension)\nNote - if the INI has only one level "
        "set in it, you might have to type \"Chip's Challenge\" here.";
    static constexpr const char* kFilter = "Chip's Challenge score files (.ini)|*.ini";

    static constexpr const char* kSetNotFound =
        "The specified level set couldn't be found in the INI file.";
    static constexpr const char* kFileNotOpened = "The INI file couldn't be opened.";
    static constexpr const char* kTooManySections =
        "Error - More than 999 level sets in the INI file, saving could not continue.\n"
        "Please use Save As if you would like to save these scores.";
    static constexpr const char* kFileNotRead =
        "Error - The INI file couldn't be read, saving could not continue.\n"
        "Please use Save As if you would like to save these scores.";
    static constexpr const char* kFileNotWritten =
        "Error - The INI file couldn't be written, saving could not continue.\n"
        "Please use Save As if you would like to save these scores.";
    static constexpr const char* kSaveAsFailed =
        "Error - The file couldn't be written, the scores were not saved.";
    static constexpr const char* kInvalidTime = "Error - not a valid level time";
    static constexpr const char* kInvalidPassword = "Error - invalid password";
    static constexpr const char* kSetIsFull = "Error - there are already 999 levels in this set";
    // The game numbers levels 1 to 999; the editor never makes another number.
    static constexpr int kHighestLevel = 999;

    // currentFolder names the main window's folder, where Get Info looks for
    // the level set first.
    explicit IniEditor(Platform& platform,
                       StartFolderEnvironment environment = StartFolderEnvironment::fromSystem(),
                       CurrentFolder currentFolder = {});

    // Hears of every change of the level list, row by row; null for none.
    void setLevelListObserver(ListObserver* observer) { m_observer = observer; }

    // The score file's path and the level set's file name as the player typed
    // them, in UTF-8 like every path. "Get Info" looks the set up by its
    // Windows-1252 name, as the game wrote it.
    std::string iniFileName;
    std::string setName;

    // False until the first successful "Get Info", true from then on.
    bool editingEnabled() const { return m_section.has_value(); }
    // Whether the entries differ from what Get Info loaded or a save wrote.
    bool hasUnsavedChanges() const;
    const std::optional<ScoreSection>& section() const { return m_section; }

    std::size_t entryCount() const;
    // The list's text for an entry, "Level007=..."; position < entryCount().
    std::string entryText(std::size_t position) const;
    const std::vector<std::string>& extraLines() const;
    // The title of the entry's level (by its number) in the set the section is
    // named after, in UTF-8; empty when the set or the level was not found.
    // Get Info looks for the set in the main window's folder, then beside the
    // score file; a section named after a ".ccf" file takes the set that CCF
    // file names. The title is kept apart from the entry: it is not part of
    // its text, its order or what a save writes.
    std::string levelTitle(std::size_t position) const;

    std::optional<std::size_t> selection() const { return m_selection; }
    // Selects a position (ignored past the end) or nothing.
    void select(std::optional<std::size_t> position);

    // Insert Before and Insert After are refused when an entry would be
    // numbered past 999, Delete Entry when one would be renumbered to 0.
    // Save As adds ".ini" to a name without an extension. The buttons, in
    // the order the window shows them. Each is done when it did what it was
    // asked (a refusal, a cancelled dialog or a failed write is not):
    CommandResult browse();
    CommandResult getInfo();
    CommandResult insertBefore();
    CommandResult insertAfter();
    CommandResult moveUp();
    CommandResult moveDown();
    CommandResult deleteEntry();
    CommandResult deleteScore();
    CommandResult changeTime();
    CommandResult changePassword();
    // The game writes the score file while it runs. Save first reads the
    // section as it is in the file now and compares it with the section as
    // it was loaded or last saved, level by level:
    //  - unchanged in the file: the editor's section is written;
    //  - changed in the file and no edit here: nothing is written, the list
    //    shows the section as it now is in the file;
    //  - changed in the file on levels no edit here touched: both are kept,
    //    the file's levels with the edited ones put in;
    //  - changed on a level edited here, or levels were inserted, deleted or
    //    moved here (which renumbers them): "The game has saved new scores
    //    for <set> since you loaded it (levels 2 and 3). Save your edits over
    //    them?" Yes writes the editor's levels, No loads the section from the
    //    file and drops the edits, Cancel changes nothing.
    // The lines that are not level lines always come from the file as it is
    // now. Save As onto the loaded file is a Save.
    CommandResult save();
    CommandResult saveAs();

    // Before the window closes (Exit, its close button, the main window's
    // Exit) and before Get Info replaces the list: with unsaved changes, asks
    // "Save changes to <file>?". Yes saves in place, No drops the edits,
    // Cancel keeps them. True when the window may close (done); a save that
    // failed keeps it open.
    CommandResult confirmClose();

private:
    std::vector<LevelEntry>& entries() { return m_section->levelEntries; }
    // Renumbers each entry from position first on by delta and rescores it
    // from the level it had to the level of its position.
    void shiftFrom(std::size_t first, int delta);
    // Exchanges the values of positions s - 1 and s, each rescored for its new level.
    void swapWithPrevious(std::size_t s);
    void changed(std::size_t first, std::size_t last);
    ListObserver& observer();
    void tell(const std::string& text, MessageIcon icon);
    // Refuses an insert when the new entry's number or that of an entry
    // renumbered from position first on would pass 999.
    bool refuseInsert(int newNumber, std::size_t first);
    bool saveInPlace();
    // Writes m_section in place and reports a failure.
    bool writeInPlace();
    // Shows section as the file holds it now, with nothing unsaved.
    void show(ScoreSection section);
    // The entries are kept in a file now (entries) and in the loaded file (inPlace).
    void markSaved(bool inPlace);
    // Reads the titles of the set named setName, if it is found.
    void findLevelTitles();

    Platform& m_platform;
    StartFolderEnvironment m_environment;
    CurrentFolder m_currentFolder;
    // The found set's titles by level number.
    std::map<int, std::string> m_titles;
    ListObserver* m_observer = nullptr;
    std::optional<ScoreSection> m_section;
    std::optional<std::size_t> m_selection;
    // The entries as loaded or last saved.
    std::vector<LevelEntry> m_savedEntries;
    // The section as the file held it when loaded, last saved, or last read
    // by a save that put the edits among the file's levels.
    std::optional<ScoreSection> m_onDisk;
    // An insert, delete or move since then: the levels' numbers may have shifted.
    bool m_renumbered = false;
};

} // namespace tessaro
