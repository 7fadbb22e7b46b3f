#pragma once

#include "ccx/ccxdocument.h"
#include "ccx/ccxlevellistobserver.h"
#include "ccx/ccxpane.h"
#include "ccx/compatchoice.h"
#include "common/colorvalue.h"
#include "common/platform.h"

#include <cstdint>
#include <string>
#include <vector>

namespace tessaro {

// The caption of the CCX File Editor window and the title of its messages.
inline constexpr const char* kCcxEditorCaption = "CCX File Editor";

// What the editor's level and page controls hold. The window shows these and
// writes the user's edits straight back into them; the operations of
// CcxEditor move them to and from the document.
struct CcxControls {
    std::string levelTitle;
    std::string levelAuthor;
    // The option buttons levelMsYes/levelMsNo/levelMsIg, levelLxYes/... and
    // levelPedYes/...
    CompatChoice levelMs = CompatChoice::Ignore;
    CompatChoice levelLx = CompatChoice::Ignore;
    CompatChoice levelPed = CompatChoice::Ignore;
    // The option buttons prologue and epilogue.
    CcxPane shownPane = CcxPane::Prologue;
    std::string thePage;
    bool thePageEnabled = false;
    // "Page 3 of 7": the only place the shown page number is kept.
    std::string pageNum = "Page 1 of 0";
    // Check2, "Set colors for this page only".
    bool check2 = false;
    // The colour sample colorLabel.
    ColorValue colorLabelBack = 0x000000;
    ColorValue colorLabelFont = 0xFFFFFF;
};

// The CCX File Editor without its window: the document, the controls that
// show the current level and page, the level list, and the operations that
// move fields between controls and document, save and open.
//
// The set's fields are bound to the document itself: the window shows
// document().description in setDescription, author in setAuthor, the three
// set choices in msYes/msNo/msIgnore and so on, hasDefaultColors in Check1
// and the default colours in colorSetLabel, and writes edits straight back.
//
// Messages go through the Platform with the title "CCX File Editor".
class CcxEditor {
public:
    explicit CcxEditor(Platform& platform);

    CcxDocument& document() { return m_document; }
    const CcxDocument& document() const { return m_document; }
    CcxControls& controls() { return m_controls; }
    const CcxControls& controls() const { return m_controls; }

    // levelList: its entries in list order and the selected position (-1 for
    // none). The observer (may be null) hears of every change.
    const std::vector<std::string>& levelList() const { return m_levelList; }
    int selectedEntry() const { return m_selected; }
    void setLevelListObserver(CcxLevelListObserver* observer) { m_observer = observer; }
    // Selects the entry and runs showLevel, as a click on it does.
    void selectEntry(int position);
    // Changes of the list; they keep the selection on the entry it was on
    // (none when that entry is removed) and load nothing.
    void replaceEntries(std::vector<std::string> entries);
    void insertEntry(int position, std::string text);
    void removeEntry(int position);
    void setEntryText(int position, std::string text);

    // curLevNum, Label1 and whether the Save menu entry is enabled.
    const std::string& curLevNum() const { return m_curLevNum; }
    const std::string& label1() const { return m_label1; }
    bool saveEnabled() const { return m_saveEnabled; }

    // Empties the document and the set controls, unticks Check2, selects the
    // prologue and empties thePage. Colours, the level controls, the list,
    // pageNum and curLevNum stay as they are.
    void resetDocument();

    // The page number shown in pageNum (1 for "Page 1 of 0").
    std::uint8_t shownPageNumber() const;
    // Loads page 1 to 10 of the pane of the current level into the page
    // controls; page 0 shows the empty "Page 1 of 0".
    void showPage(std::int16_t page, CcxPane pane);
    // Copies the page controls into the shown page of the current level;
    // nothing when the shown pane has no pages.
    void storeShownPage();
    // storeShownPage, then the current level's title, author and compatibility.
    void storeShownLevel();
    // The level's option buttons as attribute text (`ms="yes" lynx="no"`).
    std::string buildCompatAttributes() const;
    // Runs when an entry becomes selected: stores the shown level unless
    // skipNextLevelStore is set (which it clears), makes the entry's level
    // current and shows its fields and prologue page 1.
    void showLevel();

    // Writes the document to its file, after storing the shown level. The
    // file is replaced atomically; when that fails, or the file is marked
    // read-only, a message says so, the file stays as it was and this returns
    // false.
    bool save();

    // Asks for a file and reads it (after "Save changes to ...?" when a
    // document is open). The new document replaces the old one only when the
    // whole file was read; otherwise a message names the problem and its
    // line, and the old document (if any) stays open unchanged.
    void open();

    // "Save changes to <file>?" (Yes/No/Cancel) when a document is open.
    // False when the user cancels or the save asked for fails.
    bool confirmSaveChanges();

    // Puts a complete document (with its file name) and its level list in
    // place: resets the page controls, shows the file name in Label1, selects
    // the first entry without storing the controls into the new document,
    // and enables Save.
    void installDocument(CcxDocument document, std::vector<std::string> entries);

private:
    void resetPageControls();
    template <typename Change> void notify(Change change) {
        if (m_observer)
            change(*m_observer);
    }

    Platform& m_platform;
    CcxDocument m_document;
    CcxControls m_controls;
    std::vector<std::string> m_levelList;
    int m_selected = -1;
    CcxLevelListObserver* m_observer = nullptr;
    std::string m_curLevNum;
    std::string m_label1 = "File Name:";
    bool m_saveEnabled = false;
};

} // namespace tessaro
