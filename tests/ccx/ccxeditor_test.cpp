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
using Messages = std::vector<RecordedMessage>;
using E = CcxEditor;
using A = MessageAnswer;
using B = MessageButtons;
namespace fs = std::filesystem;

// A message of the editor: a warning, or a question with these buttons.
RecordedMessage said(const std::string& text, B buttons = B::Ok) {
    const auto icon = buttons == B::Ok ? MessageIcon::Exclamation : MessageIcon::Question;
    return {text, "CCX File Editor", icon, buttons};
}

// Records list changes as "+1" (inserted), "-1" (removed), "=1..3" (changed).
struct RecordingObserver : ListObserver {
    std::vector<std::string> calls;
    void rowsInserted(int f, int l) override { record("+", f, l); }
    void rowsRemoved(int f, int l) override { record("-", f, l); }
    void rowsChanged(int f, int l) override { record("=", f, l); }
    void record(const char* what, int f, int l) {
        calls.push_back(what + std::to_string(f) + (f == l ? "" : ".." + std::to_string(l)));
    }
};

class CcxEditorTest : public testing::Test {
protected:
    test::TempFolder folder;
    test::ScriptedPlatform platform;
    CcxEditor editor{platform};
    void TearDown() override { EXPECT_EQ(platform.unscriptedQuestions, 0); }
    static std::string fixture(const std::string& name) { return TESSARO_TEST_DATA "/ccx/" + name; }

    // A document of these levels ("1A [3C]": level 1 titled A, level 3 titled C and selected), each
    // with one prologue page that names it ("C's page").
    void openList(const std::string& levels) {
        CcxDocument document;
        document.fileName = (folder / "set.ccx").string();
        std::vector<std::int16_t> numbers;
        std::size_t selected = 0;
        std::istringstream words(levels);
        for (std::string word; words >> word;) {
            if (std::erase_if(word, [](char c) { return c == '[' || c == ']'; }) > 0)
                selected = numbers.size();
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
    }
    // The list's entries, joined by "|", the selected one in brackets.
    std::string entries() const {
        std::string texts;
        for (std::size_t i = 0; i < editor.levelList().size(); ++i)
            texts += (i == editor.selectedEntry() ? "|[" + editor.entryText(i) + "]"
                                                  : "|" + editor.entryText(i));
        return texts.substr(1);
    }
};

// Name, the list before and after the operation (as openList and entries), and its message.
using ListCase =
    std::tuple<const char*, const char*, CommandResult (CcxEditor::*)(), const char*, const char*>;

const char* const kOnly = "Error - must have at least one level";
const char* const kFull = "Error - there are already 999 levels in this set";

const ListCase kListCases[] = {
    {"DeleteLeavesAGap", "1A [2B] 3C", &E::deleteLevel, "1. A|[3. C]", ""},
    {"DeleteAndRenumberClosesIt", "1A [2B] 3C", &E::deleteAndRenumber, "1. A|[2. C]", ""},
    {"DeleteTheLast", "1A 2B [3C]", &E::deleteLevel, "1. A|[2. B]", ""},
    {"DeleteTheOnlyLevel", "[1A]", &E::deleteLevel, "[1. A]", kOnly},
    {"InsertAfterTheLast", "1A 2B [3C]", &E::insertAfter, "1. A|2. B|[3. C]|4. ", ""},
    {"InsertAfterIntoAGap", "[1A] 3C", &E::insertAfter, "[1. A]|2. |3. C", ""},
    {"InsertBeforeAFirstAboveOne", "[3C] 4D", &E::insertBefore, "2. |[3. C]|4. D", ""},
    {"InsertBeforeIntoAOneNumberGap", "1A [3C]", &E::insertBefore, "1. A|2. |[3. C]", ""},
    {"InsertAfterAtTheHighestNumber", "[1A] 999Z", &E::insertAfter, "[1. A]|999. Z", kFull},
    {"InsertBeforeAtTheHighestNumber", "[1A] 999Z", &E::insertBefore, "[1. A]|999. Z", kFull},
    {"MoveUp", "4A [5B]", &E::moveUp, "[4. B]|5. A", ""},
    {"MoveDown", "[4A] 5B", &E::moveDown, "4. B|[5. A]", ""},
    {"MoveUpTheFirst", "[4A] 5B", &E::moveUp, "[4. A]|5. B", ""},
    {"MoveDownTheLast", "4A [5B]", &E::moveDown, "4. A|[5. B]", ""},
    // A shift across a gap leaves no copy behind at the number it left.
    {"DeleteAndRenumberAcrossAGap", "1A [2B] 5E", &E::deleteAndRenumber, "1. A|[4. E]", ""},
    {"InsertAfterAcrossAGap", "[1A] 2B 4D", &E::insertAfter, "[1. A]|2. |3. B|5. D", ""},
    {"InsertBeforeAcrossAGap", "[1A] 3C", &E::insertBefore, "1. |[2. A]|4. C", ""},
};

class CcxListOperation : public CcxEditorTest, public testing::WithParamInterface<ListCase> {};

// The selected entry's level is shown, and the set ends at the last entry.
TEST_P(CcxListOperation, MovesEntriesAndTheirLevels) {
    const auto& [name, start, operation, after, message] = GetParam();
    openList(start);
    (editor.*operation)();
    EXPECT_EQ(entries(), after);
    const auto& list = editor.levelList();
    const auto& selected = list.at(editor.selectedEntry().value());
    EXPECT_EQ(
        std::tuple(editor.shownLevelNumber(), editor.document().levelCount, editor.shown().title),
        std::tuple(selected.number, list.back().number, selected.title));
    EXPECT_EQ(platform.messages, *message ? Messages{said(message)} : Messages{});
    // Each level's data went with its title; every other number is clear.
    for (int number = 1; number <= kMaxCcxLevels; ++number) {
        const auto& level = editor.document().level(number);
        const auto entry = std::find_if(list.begin(), list.end(),
                                        [number](const auto& e) { return e.number == number; });
        if (entry == list.end() || entry->title.empty())
            ASSERT_EQ(level, CcxLevel{}) << "level " << number;
        else
            EXPECT_EQ(level.prologue.page(1).text, entry->title + "'s page") << "level " << number;
    }
}

INSTANTIATE_TEST_SUITE_P(CcxEditor, CcxListOperation, testing::ValuesIn(kListCases),
                         [](const auto& info) { return std::string(std::get<0>(info.param)); });

TEST_F(CcxEditorTest, UnstoredEditsAndImportedTitles) {
    openList("4A [5B]");
    // Typing changes the entry at once; the level keeps its title until stored.
    editor.titleEdit("B!");
    EXPECT_EQ(entries() + editor.document().level(5).title, "4. A|[5. B!]B");
    editor.shown().author = "Bee";
    editor.shown().pageText = "edited";
    RecordingObserver observer;
    editor.setListObserver(&observer);
    editor.moveUp();
    const auto& moved = editor.document().level(4);
    EXPECT_EQ(moved.title + moved.author + moved.compatAttributes + moved.prologue.page(1).text,
              "B!Beeedited");
    // The view hears of every row with new text; Insert After renumbers those below at once.
    editor.insertAfter();
    EXPECT_EQ(observer.calls, (std::vector<std::string>{"=1", "=0", "=0", "+1", "=2"}));

    const auto report = [this](const std::string& name, A answer) {
        platform.chooseFile(fixture("tabulin/" + name), name);
        platform.answer(answer);
        editor.importTitles();
    };
    openList("1Stored [2] 3 4 5 6 7 8 9 10");
    editor.titleEdit("Typed");
    const auto title = [this](int level) { return editor.document().level(level).title; };

    // No: only empty stored titles; the typed title stays in the box.
    report("titles.txt", A::No);
    EXPECT_EQ(platform.lastMessage(), said("Overwrite any existing titles?", B::YesNo));
    EXPECT_EQ(title(1) + "|" + title(10) + "|" + title(2) + "|" + title(12) + "|" + title(3),
              "Stored|IceMaze Hall|Beach|Far Away|"); // 12 has no entry
    EXPECT_EQ(editor.shown().title, "Typed");
    editor.selectEntry(0);
    EXPECT_EQ(title(2), "Typed"); // the typed title wins when stored

    // Yes: every title, and the box shows the selected level's; a short line ends it.
    report("short-line.txt", A::Yes);
    EXPECT_EQ(editor.entryText(0) + "|" + editor.shown().title + "|" + title(6),
              "1. Red Door|Red Door|");

    // Refused only when the first line names no set and the second is empty.
    report("no-set-name.txt", A::Yes);
    report("no-set-name-empty-line.txt", A::Yes);
    EXPECT_EQ(title(7), "Seven");
    EXPECT_EQ(platform.messages.back(), said("Error - invalid Tabulin text file"));
    EXPECT_EQ(platform.dialogs.back().title + platform.dialogs.back().filterOrPrompt,
              "Import Titles from Tabulin Text FileTabulin Text Output Files (.txt)|*.txt|"
              "Level sets|*.dat;*.ccl");
}

TEST_F(CcxEditorTest, PagesAndColours) {
    openList("[1A]");
    const auto& shown = editor.shown();
    auto& pages = editor.document().level(1).prologue;
    // "text 2/3", "editable" when it is, and "own" with its own colours.
    const auto page = [&shown] {
        return shown.pageText + " " + std::to_string(shown.pageNumber) + "/" +
               std::to_string(shown.pageCount) + (shown.pageEditable ? " editable" : "") +
               (shown.pageHasOwnColors ? " own" : "");
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
    EXPECT_EQ(page(), " 3/3 editable");
    EXPECT_EQ(shown.pageBackColor, 0x123456u);
    editor.shown().pageText = "three";
    editor.previousPage();
    EXPECT_EQ(pages.page(2), (CcxPage{"two", 1, 0x123456, 0xFFFFFF}));

    // Add Page keeps the shown page; the eleventh page is refused in its pane only.
    for (int i = 0; i < 8; ++i)
        editor.addPage();
    EXPECT_EQ(page(), "two 2/10 editable own");
    EXPECT_EQ(platform.lastMessage(), said("You can only have 10 pages in the prologue."));
    editor.shown().pageText = "two!";
    EXPECT_EQ(editor.choosePane(CcxPane::Epilogue), (CommandResult{"addPage", true}));
    EXPECT_EQ(pages.page(2).text, "two!"); // stored into the pane shown before
    EXPECT_EQ(page(), " 1/0");
    editor.deletePage();
    EXPECT_EQ(platform.lastMessage(), said("Error - there are no pages to delete."));
    editor.addPage();
    EXPECT_EQ(page(), " 1/1 editable");
    // A pane always opens at page 1, also the pane already shown.
    EXPECT_EQ(editor.choosePane(CcxPane::Prologue), (CommandResult{"thePage", true}));
    editor.nextPage();
    editor.choosePane(CcxPane::Prologue);
    EXPECT_EQ(page(), "A's page 1/10 editable");

    // Delete Page asks first; Yes moves every later page down, the last one included.
    pages.page(10).text = "ten";
    platform.answers = {A::No, A::Yes};
    editor.deletePage();
    EXPECT_EQ(platform.lastMessage(), said("Are you sure you want to delete this page?", B::YesNo));
    EXPECT_EQ(pages.count, 10);
    editor.deletePage();
    EXPECT_EQ(pages.page(1), (CcxPage{"two!", 1, 0x123456, 0xFFFFFF}));
    EXPECT_EQ(pages.page(9).text + editor.shown().pageText + std::to_string(pages.count),
              "tentwo!9");
    EXPECT_EQ(pages.page(10), CcxPage{});
}

TEST_F(CcxEditorTest, StartUpNewAndExit) {
    // Start-up: No runs Open; cancelled, Exit asks nothing.
    platform.answer(A::No);
    platform.cancelFileDialog();
    editor.startUp();
    EXPECT_TRUE(editor.exit().done);
    EXPECT_EQ(platform.messages, Messages{said("Do you want to start a new CCX file?", B::YesNo)});

    // New asks to save, then for the file, then for 1 to 999 levels; the old fields do not leak.
    const auto path = (folder / "new.ccx").string();
    openList("[1A]");
    editor.titleEdit("Shown");
    editor.shown().ms = CompatChoice::Yes;
    std::string made;
    for (const char* answer : {" 12 ", "999", "", "1000", "0", "-5", "ten"}) {
        platform.messages.clear();
        platform.answer(A::No);
        platform.lineInputs = {answer};
        platform.fileChoices = {FileChoice{path, "new.ccx"}};
        editor.newFile();
        made += std::to_string(editor.document().levelCount) +
                (platform.messages.size() > 1 ? "!|" : "|");
    }
    EXPECT_EQ(made, "12|999|999|999!|999!|999!|999!|");
    EXPECT_EQ(platform.lastMessage(), said("Error - invalid number of levels"));
    EXPECT_EQ(editor.document().level(1), CcxLevel{});
    EXPECT_EQ(std::tuple(editor.shown().ms, editor.document().fileName, fs::exists(path)),
              std::tuple(CompatChoice::Ignore, path, false)); // written only by Save
    std::string dialogs;
    for (std::size_t i = 0; i < 3; ++i)
        dialogs += platform.dialogs.at(i).title + "|" + platform.dialogs.at(i).filterOrPrompt + "|";
    EXPECT_EQ(dialogs,
              "Open CCX File for Editing|CCX Files|*.ccx|Select Location to Save CCX File|CCX "
              "Files|*.ccx|New CCX File|Enter the number of levels in the level set:|");
    EXPECT_TRUE(platform.dialogs.at(1).confirmOverwrite);

    // Exit: Yes saves first; neither Open nor Exit goes on when that save fails.
    editor.document().fileName = (folder / "missing" / "new.ccx").string();
    platform.chooseFile(fixture("other-tool.ccx"), "other-tool.ccx");
    platform.answers = {A::Yes, A::Yes, A::Yes};
    editor.open();
    EXPECT_EQ(std::tuple(editor.exit().done, editor.document().levelCount), std::tuple(false, 999));
    editor.document().fileName = path;
    EXPECT_TRUE(editor.exit().done);
    EXPECT_TRUE(fs::exists(path));
}

TEST_F(CcxEditorTest, OpenAndSave) {
    const auto own = folder.write("own.ccx", *readFileBytes(fixture("written/full-panes.ccx")));
    editor.openFile(own.string());
    EXPECT_EQ(entries(), "[1. Ten and ten]|2. |3. |4. Last one");
    editor.titleEdit("Edited");
    const auto before = editor.document();

    // Cancelled at the file, or No and the file turns out broken: all stays as it was.
    const auto broken = fixture("missing-end.ccx");
    platform.fileChoices = {std::nullopt, FileChoice{broken, "b"}};
    platform.answer(A::No);
    editor.open();
    editor.open();
    EXPECT_EQ(platform.messages,
              (Messages{said("Save changes to " + own.string() + "?", B::YesNoCancel),
                        said("Error in line 33 of \"" + broken +
                             "\": the file ends before the line \"</levelset>\". The file was "
                             "not opened.")}));
    EXPECT_TRUE(editor.document() == before && editor.shown().title == "Edited");

    // Yes saves; another file brings its colours, one without a colours line keeps them, unticked.
    const auto other = fixture("other-tool.ccx");
    platform.answer(A::Yes);
    editor.openFile(other);
    auto edited = readFileBytes(fixture("written/full-panes.ccx"))->str();
    EXPECT_EQ(folder.read("own.ccx"), edited.replace(edited.find("Ten and ten"), 11, "Edited"));
    const auto& d = editor.document();
    EXPECT_EQ(std::tuple(d.hasDefaultColors, d.defaultBackColor, d.defaultFontColor),
              std::tuple(true, 0x402010u, 0xF0F0F0u));
    platform.answer(A::No);
    editor.openFile(fixture("written/minimal-header.ccx"));
    EXPECT_EQ(std::tuple(d.hasDefaultColors, d.defaultBackColor, d.defaultFontColor),
              std::tuple(false, 0x402010u, 0xF0F0F0u));

    // A level named twice opens, with a warning naming both lines, then one naming the lines that a
    // save drops (as the stray lines below show).
    platform.answer(A::No);
    editor.openFile(fixture("loose-layout.ccx"));
    EXPECT_EQ(entries(), "[1. Alpha]|3. Gamma");
    EXPECT_EQ(platform.messages.end()[-2],
              said("Level 1 is named in line 27 and again in line 37.\nSuch a level keeps the "
                   "title, author and compatibility of its last line, and the pages of all of "
                   "them."));

    // Ten unread lines are named, the rest counted.
    const auto stray = "x\r\nx\r\nx\r\nx\r\nx\r\nx\r\nx\r\nx\r\nx\r\nx\r\nx\r\nx\r\n";
    const auto path =
        folder.write("stray.ccx", readFileBytes(fixture("text-after-cdata.ccx"))->str() + stray);
    platform.answer(A::No);
    editor.openFile(path.string());
    EXPECT_EQ(platform.lastMessage(),
              said(path.string() + " has lines that Tessaro does not read (lines 19, 20, 21, 22, "
                                   "23, 24, 25, 26, 27, 28 and 2 more). They will not be kept "
                                   "when you save."));
}

// Save writes over a file another program changed since Open (or one that was there before New)
// only when the user says so, asked once per change; No leaves that program's file, and also stops
// the Exit that saved.
struct DiskChangeCase {
    const char* label;
    bool byNew = false;   // made by New at the file's path instead of opened from it
    bool changed = false; // another program writes the file (before New: makes it) first
    CommandResult (E::*command)() = &E::save;
    std::vector<MessageAnswer> answers = {}; // to "Save changes to" (Exit), then the question
    bool done = false; // the command went on, and the file holds the editor's version
};

const DiskChangeCase kDiskChanges[] = {
    {.label = "Unchanged", .done = true},
    {.label = "ChangedYes", .changed = true, .answers = {A::Yes}, .done = true},
    {.label = "ChangedNo", .changed = true, .answers = {A::No}},
    {.label = "ChangedExitNo", .changed = true, .command = &E::exit, .answers = {A::Yes, A::No}},
    {.label = "NewWhereNoFileIs", .byNew = true, .done = true},
    {.label = "NewOverAFile", .byNew = true, .changed = true, .answers = {A::Yes}, .done = true},
};

class CcxDiskChange : public CcxEditorTest, public testing::WithParamInterface<DiskChangeCase> {};

// The question comes last; a second Save then writes without asking again.
TEST_P(CcxDiskChange, AsksBeforeSavingOverAnotherProgramsChange) {
    const auto& c = GetParam();
    const auto path = (folder / "set.ccx").string();
    if (c.byNew && c.changed)
        folder.write("set.ccx", "another program's");
    platform.lineInputs = {"2"};
    platform.chooseFile(path, "set.ccx");
    if (c.byNew)
        editor.newFile();
    else
        editor.openFile(
            folder.write("set.ccx", *readFileBytes(fixture("text-after-cdata.ccx"))).string());
    if (!c.byNew && c.changed)
        folder.write("set.ccx", "another program's");
    editor.titleEdit("Mine");
    platform.answers.assign(c.answers.begin(), c.answers.end());
    EXPECT_EQ((editor.*c.command)().done, c.done);
    EXPECT_EQ(folder.read("set.ccx").find("<!-- Mine -->") != std::string::npos, c.done);
    EXPECT_EQ(platform.lastMessage() == said(path + " has been changed by another program since "
                                                    "it was opened. Save your version over it?",
                                             B::YesNo),
              c.changed);
    EXPECT_TRUE(editor.save().done);
}

INSTANTIATE_TEST_SUITE_P(CcxEditor, CcxDiskChange, testing::ValuesIn(kDiskChanges),
                         [](const auto& info) { return std::string(info.param.label); });

} // namespace
} // namespace tessaro
