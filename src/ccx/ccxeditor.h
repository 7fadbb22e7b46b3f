#pragma once

#include "ccx/ccxdocument.h"
#include "ccx/ccxpane.h"
#include "ccx/compatchoice.h"
#include "common/colorvalue.h"
#include "common/commandresult.h"
#include "common/listobserver.h"
#include "common/platform.h"

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

namespace tessaro {

// The caption of the CCX File Editor window and the title of its messages.
inline constexpr const char* kCcxEditorCaption = "CCX File Editor";

// What the editor shows of the current level and of the shown page, with the
// user's edits that are not yet stored into the document.
struct CcxShownFields {
    std::string title;
    std::string author;
    CompatChoice ms = CompatChoice::Ignore;
    CompatChoice lynx = CompatChoice::Ignore;
    CompatChoice pedantic = CompatChoice::Ignore;
    CcxPane pane = CcxPane::Prologue;
    // The page's HTML text, lines separated by CR LF.
    std::string pageText;
    bool pageEditable = false;
    // "Page 3 of 7": the shown page and the count beside it. A pane without
    // pages shows page 1 of 0.
    int pageNumber = 1;
    int pageCount = 0;
    bool pageHasOwnColors = false;
    // The page's colour sample; stored into the page only with its own colours.
    ColorValue pageBackColor = 0x000000;
    ColorValue pageFontColor = 0xFFFFFF;
};

// One entry of the level list: the level number it stands for and the title
// it shows ("7. Ice Cave").
struct CcxListEntry {
    std::int16_t number = 0;
    std::string title;

    bool operator==(const CcxListEntry&) const = default;
};

// The CCX File Editor without its window: the document, what the editing
// controls show, the level list, and every command of the window.
//
// The set's fields are the document's own (description, author, the three
// set choices, hasDefaultColors and the default colours, whose sample the
// window shows); the window edits them in place. The level list always
// stands in ascending order of level number. Commands do nothing while no
// document is open, except New, Open, Exit and the colour choices. Messages
// go through the Platform with the title "CCX File Editor".
class CcxEditor {
public:
    explicit CcxEditor(Platform& platform);

    CcxDocument& document() { return m_document; }
    const CcxDocument& document() const { return m_document; }
    CcxShownFields& shown() { return m_shown; }
    const CcxShownFields& shown() const { return m_shown; }

    bool documentOpen() const { return !m_document.fileName.empty(); }
    // The level the level controls show and store into, which the level
    // number label shows; 0 for none.
    int shownLevelNumber() const { return m_currentLevel; }

    // The level list, its entries' texts ("7. Ice Cave"), and the selected
    // position. The observer (may be null) hears of every change.
    const std::vector<CcxListEntry>& levelList() const { return m_levelList; }
    std::string entryText(std::size_t position) const;
    std::optional<std::size_t> selectedEntry() const { return m_selected; }
    void setListObserver(ListObserver* observer) { m_observer = observer; }

    // The title box's text was typed or set: the selected entry shows it.
    // The level's stored title follows when the level is stored.
    void titleEdit(std::string title);

    // Puts a complete document (with its file name) and its listed level
    // numbers in place and shows the first listed level, without storing the
    // shown fields into the new document.
    void installDocument(CcxDocument document, const std::vector<std::int16_t>& listed);

    // The commands. Each is done when it did what it was asked; a refusal,
    // a cancelled dialog or a failed write is not.

    // A click on an entry: stores the shown level, selects the entry and
    // shows its level's fields and prologue page 1.
    CommandResult selectEntry(std::size_t position);
    // The window has opened: asks whether to start a new file, then runs New
    // (Yes) or Open (No).
    CommandResult startUp();
    // New: after "Save changes to ...?", asks where the file will go (the
    // dialog asks before it replaces an existing file), then for the number
    // of levels (1 to 999), offering the level count of the ".dat" or ".ccl"
    // set of the same name beside it; then shows an empty set of that many
    // levels. The file is written only by Save.
    CommandResult newFile();
    // Asks for a file and reads it (after "Save changes to ...?" when a
    // document is open). The new document replaces the old one only when the
    // whole file was read; otherwise a message names the problem and its
    // line, and the old document (if any) stays open unchanged. A level the
    // file names twice is shown once, with a message naming both lines; the
    // lines of the file that saving would drop are named in one message.
    CommandResult open();
    // The same for a file already chosen (on the command line).
    CommandResult openFile(const std::string& path);
    // Writes the document to its file, after storing the shown level. When
    // another program has changed the file since it was read or last saved
    // (or, after New, made it), it first asks whether to save over it; No
    // leaves the file as it is, and the next Save does not ask again about
    // the same change. When the write fails a message says so and the file
    // stays as it was.
    CommandResult save();
    // Exit, by menu, title bar or the main window's Exit: done when the
    // window may close (nothing open, or "Save changes to <file>?" answered
    // and any save asked for done).
    CommandResult exit();

    // The level list's buttons.
    CommandResult insertBefore();
    CommandResult insertAfter();
    CommandResult deleteLevel();
    CommandResult deleteAndRenumber();
    CommandResult moveUp();
    CommandResult moveDown();

    // The page buttons. Choosing a pane stores the shown page and shows page
    // 1 of the pane; it asks to focus the page text, or "Add Page" when the
    // pane has no pages.
    CommandResult choosePane(CcxPane pane);
    CommandResult previousPage();
    CommandResult nextPage();
    CommandResult addPage();
    CommandResult deletePage();

    // The colour buttons: a colour dialog, whose colour goes into the page's
    // or the set's sample and ticks its check box. They work at any time.
    CommandResult choosePageBackColor();
    CommandResult choosePageFontColor();
    CommandResult chooseDefaultBackColor();
    CommandResult chooseDefaultFontColor();

    // Reads the level titles of a Tabulin text report, or of a level set (told
    // apart by its signature, each title going to the level of its number),
    // into the level list and the levels. A damaged set changes nothing and a
    // message names its first problem.
    CommandResult importTitles();

private:
    // "Save changes to ...?" (Yes/No/Cancel) when a document is open. False
    // when the user cancels or the save asked for fails.
    bool confirmSaveChanges();
    // True when the file is as it was read or last saved, or the user agrees
    // to save over another program's change.
    bool confirmOverwriteChangedFile(const std::filesystem::path& path);
    // Empties the document (keeping its colours), unticks the page's own
    // colours, shows the prologue and empties the page text. The list and
    // the page number stay as they are.
    void resetDocument();
    // Loads page 1 to 10 of the pane of the current level; 0 shows the
    // empty, disabled "Page 1 of 0".
    void showPage(int page, CcxPane pane);
    // Copies the page fields into the shown page of the current level;
    // nothing when the shown pane has no pages.
    void storeShownPage();
    // storeShownPage, then the current level's title, author and compatibility.
    void storeShownLevel();
    void tell(const std::string& text);
    void notify(void (ListObserver::*change)(int, int), std::size_t first, std::size_t last);
    void insertEntry(std::size_t position, CcxListEntry entry);
    void removeEntry(std::size_t position);
    void setEntryTitle(std::size_t position, std::string title);
    void replaceList(std::vector<CcxListEntry> entries);
    // Selects a position, makes its level current and shows its fields and
    // prologue page 1; first stores the shown fields into the current level,
    // or with store false drops them.
    void select(std::size_t position, bool store);
    // Renumbers the entries first..last by delta (+1 or -1), carrying each
    // level to its new number and its title into the entry; then clears
    // every number that no entry carries any more.
    void shiftEntries(std::size_t first, std::size_t last, int delta);
    void updateLevelCount();
    bool refuseInsertAtLimit();
    bool refuseDeleteOfOnlyLevel();
    // Clears the selected level and removes its entry, selecting the next entry
    // (the previous one for the last); the position it had, or none when
    // nothing was deleted.
    std::optional<std::size_t> removeSelectedLevel();
    // Move Up and Move Down: the selected level and its neighbour at that
    // position change places, and the selection follows the moved level.
    void swapWithNeighbour(std::size_t neighbour);
    std::optional<std::size_t> positionOfLevel(int number) const;
    CcxPageList& shownPane();
    CommandResult chooseColor(const char* title, ColorValue& color, bool& tick);

    Platform& m_platform;
    CcxDocument m_document;
    CcxShownFields m_shown;
    std::vector<CcxListEntry> m_levelList;
    std::optional<std::size_t> m_selected;
    // The level the level controls show; 0 for none.
    int m_currentLevel = 0;
    // The hash of the file's bytes as read or last saved (or last asked
    // about); none after New, when no file of the user's was there.
    std::optional<std::size_t> m_fileOnDisk;
    ListObserver* m_observer = nullptr;
};

} // namespace tessaro
