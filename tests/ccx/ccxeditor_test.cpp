#include "ccx/ccxeditor.h"
#include "common/textfile.h"
#include "support/scriptedplatform.h"
#include "support/tempfolder.h"

#include <gtest/gtest.h>

#include <sstream>
#include <tuple>

namespace tessaro {
namespace {

using test::RecordedMessage;
using Texts = std::vector<std::string>;
using Messages = std::vector<RecordedMessage>;
using E = CcxEditor;

std::string ccxFixture(const std::string& name) {
    return (std::filesystem::path(TESSARO_TEST_DATA) / "ccx" / name).string();
}
// A message of the editor: a warning, or a question with these buttons.
RecordedMessage said(const std::string& text, MessageButtons buttons = MessageButtons::Ok) {
    const bool asks = buttons != MessageButtons::Ok;
    return {text, "CCX File Editor", asks ? MessageIcon::Question : MessageIcon::Exclamation,
            buttons};
}
bool isClear(const CcxLevel& level) {
    CcxLevel clear = level;
    clear.clear();
    return level == clear;
}

// Records list changes as "+1" (inserted), "-1" (removed), "=1..3" (changed).
struct RecordingObserver : ListObserver {
    Texts calls;
    void rowsInserted(int f, int l) override { record("+", f, l); }
    void rowsRemoved(int f, int l) override { record("-", f, l); }
    void rowsChanged(int f, int l) override { record("=", f, l); }
    void listReset() override { calls.emplace_back("reset"); }
    void record(const char* what, int f, int l) {
        calls.push_back(what + std::to_string(f) + (f == l ? "" : ".." + std::to_string(l)));
    }
};

class CcxEditorTest : public testing::Test {
protected:
    test::TempFolder folder;
    test::ScriptedPlatform platform;
    CcxEditor editor{platform};
    RecordingObserver observer;
    void TearDown() override { EXPECT_EQ(platform.unscriptedQuestions, 0); }

    // A document of these levels ("1A 3C": level 1 titled A, level 3 titled C),
    // each with one prologue page that names it ("C's page").
    void openList(const std::string& levels, int selected) {
        CcxDocument document;
        document.fileName = (folder / "set.ccx").string();
        std::vector<std::int16_t> numbers;
        std::istringstream words(levels);
        for (std::string word; words >> word;) {
            std::size_t digits = 0;
            numbers.push_back(static_cast<std::int16_t>(std::stoi(word, &digits)));
            auto& level = document.level(numbers.back());
            level.title = word.substr(digits);
            level.prologue.count = 1;
            level.prologue.page(1).text = level.title + "'s page";
        }
        document.levelCount = numbers.back();
        editor.installDocument(document, numbers);
        editor.selectEntry(selected);
        editor.setListObserver(&observer);
    }
    // The list's entries, joined by "|".
    std::string entries() const {
        std::string texts;
        for (int i = 0; i < static_cast<int>(editor.levelList().size()); ++i)
            texts += (i == 0 ? "" : "|") + editor.entryText(i);
        return texts;
    }
};

// Start list, selection, operation; then entries, selection, level shown, levelCount, message.
struct ListCase {
    const char* name;
    std::string start;
    int selected;
    void (CcxEditor::*operation)();
    std::string entries;
    int selectedAfter, shownLevel, levelCount;
    const char* message = nullptr;
};

const char* const kOnly = "Error - must have at least one level";
const char* const kFull = "Error - there are already 999 levels in this set";

const ListCase kListCases[] = {
    {"DeleteLeavesAGap", "1A 2B 3C", 1, &E::deleteLevel, "1. A|3. C", 1, 3, 3},
    {"DeleteAndRenumberClosesIt", "1A 2B 3C", 1, &E::deleteAndRenumber, "1. A|2. C", 1, 2, 2},
    {"DeleteTheLast", "1A 2B 3C", 2, &E::deleteLevel, "1. A|2. B", 1, 2, 2},
    {"DeleteAndRenumberTheLast", "1A 2B 3C", 2, &E::deleteAndRenumber, "1. A|2. B", 1, 2, 2},
    {"DeleteTheOnlyLevel", "1A", 0, &E::deleteLevel, "1. A", 0, 1, 1, kOnly},
    {"DeleteAndRenumberTheOnlyLevel", "1A", 0, &E::deleteAndRenumber, "1. A", 0, 1, 1, kOnly},
    {"InsertAfterTheLast", "1A 2B 3C", 2, &E::insertAfter, "1. A|2. B|3. C|4. ", 2, 3, 4},
    {"InsertAfterIntoAGap", "1A 3C", 0, &E::insertAfter, "1. A|2. |3. C", 0, 1, 3},
    {"InsertAfterRenumbers", "1A 2B 3C", 0, &E::insertAfter, "1. A|2. |3. B|4. C", 0, 1, 4},
    {"InsertBeforeRenumbers", "1A 2B", 0, &E::insertBefore, "1. |2. A|3. B", 1, 2, 3},
    {"InsertBeforeAFirstAboveOne", "3C 4D", 0, &E::insertBefore, "2. |3. C|4. D", 1, 3, 4},
    {"InsertBeforeIntoAOneNumberGap", "1A 3C", 1, &E::insertBefore, "1. A|2. |3. C", 2, 3, 3},
    {"InsertAfterAtTheHighestNumber", "1A 999Z", 0, &E::insertAfter, "1. A|999. Z", 0, 1, 999,
     kFull},
    {"InsertBeforeAtTheHighestNumber", "1A 999Z", 0, &E::insertBefore, "1. A|999. Z", 0, 1, 999,
     kFull},
    {"MoveUp", "4A 5B", 1, &E::moveUp, "4. B|5. A", 0, 4, 5},
    {"MoveDown", "4A 5B", 0, &E::moveDown, "4. B|5. A", 1, 5, 5},
    {"MoveUpTheFirst", "4A 5B", 0, &E::moveUp, "4. A|5. B", 0, 4, 5},
    {"MoveDownTheLast", "4A 5B", 1, &E::moveDown, "4. A|5. B", 1, 5, 5},
    // A shift across a gap leaves no copy behind at the number it left.
    {"DeleteAndRenumberAcrossAGap", "1A 2B 5E", 1, &E::deleteAndRenumber, "1. A|4. E", 1, 4, 4},
    {"InsertAfterAcrossAGap", "1A 2B 4D", 0, &E::insertAfter, "1. A|2. |3. B|5. D", 0, 1, 5},
    {"InsertBeforeAcrossAGap", "1A 3C", 0, &E::insertBefore, "1. |2. A|4. C", 1, 2, 4},
};

class CcxListOperation : public CcxEditorTest, public testing::WithParamInterface<ListCase> {};

TEST_P(CcxListOperation, MovesEntriesAndTheirLevels) {
    const auto& c = GetParam();
    openList(c.start, c.selected);
    (editor.*c.operation)();
    EXPECT_EQ(entries(), c.entries);
    EXPECT_EQ((std::vector<int>{editor.selectedEntry(), editor.shownLevelNumber(),
                                editor.document().currentLevel, editor.document().levelCount}),
              (std::vector{c.selectedAfter, c.shownLevel, c.shownLevel, c.levelCount}));
    EXPECT_EQ(platform.messages, c.message ? Messages{said(c.message)} : Messages{});
    // Each level's data went with its title; every other number is clear.
    const auto& list = editor.levelList();
    for (int number = 1; number <= kMaxCcxLevels; ++number) {
        const auto& level = editor.document().level(number);
        const auto entry = std::find_if(list.begin(), list.end(),
                                        [number](const auto& e) { return e.number == number; });
        if (entry == list.end() || entry->title.empty())
            ASSERT_TRUE(isClear(level)) << "level " << number;
        else
            EXPECT_EQ(level.prologue.page(1).text, entry->title + "'s page") << "level " << number;
    }
    EXPECT_EQ(editor.shown().title, list[static_cast<std::size_t>(c.selectedAfter)].title);
}

INSTANTIATE_TEST_SUITE_P(CcxEditor, CcxListOperation, testing::ValuesIn(kListCases),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(CcxEditorTest, UnstoredEditsGoWhereTheLevelGoes) {
    openList("4A 5B", 1);
    // Typing changes the entry at once; the level keeps its title until stored.
    editor.titleEdit("B!");
    EXPECT_EQ(entries() + editor.document().level(5).title, "4. A|5. B!B");
    editor.shown().author = "Bee";
    editor.shown().ms = CompatChoice::Yes;
    editor.shown().pageText = "edited";
    observer.calls.clear();
    editor.moveUp();
    const auto& moved = editor.document().level(4);
    EXPECT_EQ(moved.title + moved.author + moved.compatAttributes + moved.prologue.page(1).text,
              "B!Beems=\"yes\"edited");
    // Insert After renumbers the rows below in one change.
    editor.insertAfter();
    EXPECT_EQ(observer.calls, (Texts{"=1", "=0", "=0", "+1", "=2"}));
    // Delete drops the shown level's edits.
    editor.titleEdit("dropped");
    editor.deleteLevel();
    EXPECT_EQ(entries(), "5. |6. A");
    EXPECT_TRUE(isClear(editor.document().level(4)));
}

TEST_F(CcxEditorTest, PagesAndColours) {
    openList("1A", 0);
    const auto& shown = editor.shown();
    const auto& pages = editor.document().level(1).prologue;
    const auto page = [&shown] {
        return shown.pageText + " " + std::to_string(shown.pageNumber) + "/" +
               std::to_string(shown.pageCount);
    };

    // Paging stores the shown page with its colours; one without its own keeps the sample.
    editor.addPage();
    editor.addPage();
    editor.nextPage();
    editor.shown().pageText = "two";
    platform.colors = {0x123456, std::nullopt};
    editor.choosePageBackColor();
    editor.choosePageFontColor(); // cancelled: nothing changes
    editor.nextPage();
    editor.nextPage(); // already on the last page
    EXPECT_EQ(page(), " 3/3");
    EXPECT_EQ(std::tuple(shown.pageHasOwnColors, shown.pageBackColor),
              std::tuple(false, 0x123456u));
    editor.shown().pageText = "three";
    editor.previousPage();
    EXPECT_EQ(pages.page(2), (CcxPage{"two", 1, 0x123456, 0xFFFFFF}));

    // Add Page keeps the shown page; the eleventh page is refused in its pane only.
    for (int i = 0; i < 8; ++i)
        editor.addPage();
    EXPECT_EQ(page(), "two 2/10");
    EXPECT_EQ(platform.lastMessage(), said("You can only have 10 pages in the prologue."));
    editor.shown().pageText = "two!";
    EXPECT_EQ(editor.choosePane(CcxPane::Epilogue), (CommandResult{"addPage", true}));
    EXPECT_EQ(pages.page(2).text, "two!"); // stored into the pane shown before
    EXPECT_EQ(page() + std::to_string(shown.pageEditable), " 1/00");
    editor.addPage();
    EXPECT_EQ(page() + std::to_string(shown.pageEditable), " 1/11");
    // A pane always opens at page 1, also the pane already shown.
    EXPECT_EQ(editor.choosePane(CcxPane::Prologue), (CommandResult{"thePage", true}));
    editor.nextPage();
    editor.choosePane(CcxPane::Prologue);
    EXPECT_EQ(page(), "A's page 1/10");

    // Delete Page: No keeps it; Yes moves the later pages down.
    editor.nextPage();
    platform.answers = {MessageAnswer::No, MessageAnswer::Yes};
    editor.deletePage();
    EXPECT_EQ(platform.lastMessage(),
              said("Are you sure you want to delete this page?", MessageButtons::YesNo));
    EXPECT_EQ(pages.count, 10);
    editor.deletePage();
    EXPECT_EQ(page(), "three 2/9");
    EXPECT_EQ(pages.page(10), CcxPage{});
    platform.answers.assign(9, MessageAnswer::Yes);
    for (int i = 0; i < 10; ++i)
        editor.deletePage();
    EXPECT_EQ(page() + std::to_string(shown.pageEditable || shown.pageHasOwnColors), " 1/00");
    EXPECT_EQ(platform.lastMessage(), said("Error - there are no pages to delete."));

    // The set's colours, at any time.
    platform.colors = {0x010203};
    editor.chooseDefaultFontColor();
    EXPECT_EQ(editor.document().defaultFontColor, 0x010203u);
    EXPECT_EQ(platform.dialogs.back().title, "Set Default Page Font Color");
}

TEST_F(CcxEditorTest, ImportTitles) {
    const auto report = [this](const std::string& text, MessageAnswer answer) {
        platform.chooseFile(folder.write("report.txt", text).string(), "report.txt");
        platform.answer(answer);
        editor.importTitles();
    };
    openList("1Stored 2 3 4 5 6 7 8 9 10", 1);
    editor.titleEdit("Typed");
    const auto title = [this](int level) { return editor.document().level(level).title; };

    // No: only empty stored titles; the typed title stays in the box.
    report("CCLP1.dat\r\n\r\nTitles\r\n  1. Red Door\r\n 10. Ice  Maze   Hall\r\n  2. Beach\r\n"
           " 12. Far Away\r\nTotal: 149 levels\r\n  3. Not Read\r\n",
           MessageAnswer::No);
    EXPECT_EQ(platform.lastMessage(),
              said("Overwrite any existing titles?", MessageButtons::YesNo));
    EXPECT_EQ(title(1) + "|" + title(10) + "|" + title(2) + "|" + title(12) + "|" + title(3),
              "Stored|IceMaze Hall|Beach|Far Away|"); // 12 has no entry
    EXPECT_EQ(editor.entryText(1) + "|" + editor.entryText(9), "2. Beach|10. IceMaze Hall");
    EXPECT_EQ(editor.shown().title, "Typed");
    editor.selectEntry(0);
    EXPECT_EQ(title(2), "Typed"); // the typed title wins when stored

    // Yes: every title, and the box shows the selected level's; a short line ends it.
    report("CCLP1.dat\r\n\r\nTitles\r\n  1. Red Door\r\n  5.\r\n  6. Never\r\n",
           MessageAnswer::Yes);
    EXPECT_EQ(editor.entryText(0) + "|" + editor.shown().title + "|" + title(6),
              "1. Red Door|Red Door|");

    // Refused only when the first line names no set and the second is empty.
    report("Titles\r\nnot empty\r\nx\r\n  7. Seven\r\n", MessageAnswer::Yes);
    report("Titles\r\n\r\n  7. X\r\n", MessageAnswer::Yes);
    EXPECT_EQ(title(7), "Seven");
    EXPECT_EQ(platform.messages.back(), said("Error - invalid Tabulin text file"));
    EXPECT_EQ(platform.dialogs.back().title + platform.dialogs.back().filterOrPrompt,
              "Import Titles from Tabulin Text FileTabulin Text Output Files (.txt)|*.txt");
}

TEST_F(CcxEditorTest, StartUpNewAndExit) {
    // Start-up: No runs Open; cancelled, commands do nothing and Exit asks nothing.
    platform.answer(MessageAnswer::No);
    platform.cancelFileDialog();
    editor.startUp();
    editor.insertAfter();
    editor.addPage();
    EXPECT_TRUE(editor.exit().done);
    EXPECT_EQ(platform.messages,
              Messages{said("Do you want to start a new CCX file?", MessageButtons::YesNo)});
    EXPECT_EQ(platform.dialogs.back().title + "|" + platform.dialogs.back().filterOrPrompt,
              "Open CCX File for Editing|CCX Files|*.ccx");

    // New: the number of levels (refused outside 1 to 999), then where the file goes.
    const auto path = (folder / "new.ccx").string();
    std::string made;
    for (const char* answer : {" 12 ", "999", "", "1000", "0", "-5", "ten"}) {
        platform.messages.clear();
        platform.lineInputs = {answer};
        platform.fileChoices = {FileChoice{path, "new.ccx"}};
        CcxEditor fresh(platform);
        fresh.newFile();
        const int count = static_cast<int>(fresh.levelList().size());
        made += (count ? fresh.entryText(count - 1) + std::to_string(fresh.document().levelCount)
                       : "none") +
                (platform.messages.empty() ? "|" : "!|");
    }
    EXPECT_EQ(made, "12. 12|999. 999|none|none!|none!|none!|none!|");
    EXPECT_EQ(platform.lastMessage(), said("Error - invalid number of levels"));
    EXPECT_EQ(platform.dialogs.at(1).title + "|" + platform.dialogs.at(1).filterOrPrompt,
              "New CCX File|Enter the number of levels in the level set:");
    EXPECT_EQ(platform.dialogs.at(2).title + "|" + platform.dialogs.at(2).filterOrPrompt,
              "Select Location to Save CCX File|CCX Files|*.ccx");
    EXPECT_TRUE(platform.dialogs.at(2).confirmOverwrite);

    // New over an open document: its shown fields do not leak into the new set.
    openList("1A", 0);
    editor.titleEdit("Shown");
    editor.shown().ms = CompatChoice::Yes;
    platform.answer(MessageAnswer::No);
    platform.lineInputs = {"2"};
    platform.fileChoices = {FileChoice{path, "new.ccx"}};
    editor.newFile();
    EXPECT_TRUE(isClear(editor.document().level(1)));
    EXPECT_EQ(entries(), "1. |2. ");
    EXPECT_EQ(editor.shown().ms, CompatChoice::Ignore);
    EXPECT_EQ(editor.document().fileName + std::to_string(editor.shownLevelNumber()), path + "1");
    EXPECT_FALSE(std::filesystem::exists(path)); // written only by Save

    // Exit: Yes saves first; neither Open nor Exit goes on when that save fails.
    editor.document().fileName = (folder / "missing" / "new.ccx").string();
    const auto copy = folder.write("m.ccx", *readFileBytes(ccxFixture("other-tool.ccx")));
    platform.chooseFile(copy.string(), "m.ccx");
    platform.answers = {MessageAnswer::Yes, MessageAnswer::Yes, MessageAnswer::Yes};
    editor.open();
    EXPECT_FALSE(editor.exit().done);
    EXPECT_EQ(editor.document().levelCount, 2);
    editor.document().fileName = path;
    EXPECT_TRUE(editor.exit().done);
    EXPECT_EQ(platform.lastMessage(),
              said("Save changes to " + path + "?", MessageButtons::YesNoCancel));
    EXPECT_TRUE(std::filesystem::exists(path));
}

TEST_F(CcxEditorTest, OpenAndSave) {
    editor.setListObserver(&observer);
    const auto own = folder.write("own.ccx", *readFileBytes(ccxFixture("written/full-panes.ccx")));
    platform.chooseFile(own.string(), "own.ccx");
    editor.open();
    EXPECT_EQ(observer.calls, (Texts{"reset", "=0"}));
    EXPECT_EQ(entries(), "1. Ten and ten|2. |3. |4. Last one");
    editor.titleEdit("Edited");
    const auto before = editor.document();

    // Cancelled at the file or at "Save changes to ...?", or answered No and
    // the chosen file turns out broken: all stays as it was.
    const auto other = folder.write("other.ccx", *readFileBytes(ccxFixture("other-tool.ccx")));
    const auto broken = ccxFixture("missing-end.ccx");
    platform.fileChoices = {std::nullopt, FileChoice{other.string(), "o"}, FileChoice{broken, "b"}};
    platform.answers = {MessageAnswer::Cancel, MessageAnswer::No};
    for (int i = 0; i < 3; ++i)
        editor.open();
    const auto saveChanges =
        said("Save changes to " + own.string() + "?", MessageButtons::YesNoCancel);
    EXPECT_EQ(platform.messages,
              (Messages{saveChanges, saveChanges,
                        said("Error in line 33 of \"" + broken +
                             "\": the file ends before the line \"</levelset>\". The file was "
                             "not opened.")}));
    EXPECT_TRUE(editor.document() == before);
    EXPECT_EQ(editor.shown().title, "Edited");

    // Yes saves the edits, then the other file opens with the set's colours;
    // a file without a colours line keeps them, unticked.
    platform.chooseFile(other.string(), "other.ccx");
    platform.answer(MessageAnswer::Yes);
    editor.open();
    auto edited = *readFileBytes(ccxFixture("written/full-panes.ccx"));
    EXPECT_EQ(folder.read("own.ccx"), edited.replace(edited.find("Ten and ten"), 11, "Edited"));
    EXPECT_EQ(editor.document().fileName, other.string());
    const auto& d = editor.document();
    EXPECT_EQ(std::tuple(d.hasDefaultColors, d.defaultBackColor, d.defaultFontColor),
              std::tuple(true, 0x402010u, 0xF0F0F0u));
    platform.answer(MessageAnswer::No);
    editor.openFile(ccxFixture("written/minimal-header.ccx"));
    EXPECT_EQ(std::tuple(d.hasDefaultColors, d.defaultBackColor, d.defaultFontColor),
              std::tuple(false, 0x402010u, 0xF0F0F0u));

    // A level named twice opens, with a warning naming both lines.
    platform.answer(MessageAnswer::No);
    editor.openFile(ccxFixture("loose-layout.ccx"));
    EXPECT_EQ(entries(), "1. Alpha|3. Gamma");
    EXPECT_EQ(platform.lastMessage(),
              said("Level 1 is named in line 27 and again in line 37.\nSuch a level keeps the "
                   "title, author and compatibility of its last line, and the pages of all of "
                   "them."));
}

} // namespace
} // namespace tessaro
