#include "ccx/ccxeditor.h"
#include "ccxfixtures.h"
#include "support/scriptedplatform.h"
#include "support/tempfolder.h"

#include <gtest/gtest.h>

namespace tessaro {
namespace {

using test::ccxFixture;
using test::ccxFixtureBytes;
using test::RecordedMessage;
using Texts = std::vector<std::string>;

RecordedMessage warning(const std::string& text) {
    return {text, "CCX File Editor", MessageIcon::Exclamation, MessageButtons::Ok};
}

RecordedMessage question(const std::string& text, MessageButtons buttons) {
    return {text, "CCX File Editor", MessageIcon::Question, buttons};
}

bool isClear(const CcxLevel& level) {
    CcxLevel clear = level;
    clear.clear();
    return level == clear;
}

struct Level {
    int number;
    std::string title;
};

// Records list changes as "+1" (inserted), "-1" (removed), "=1..3" (changed).
class RecordingObserver : public ListObserver {
public:
    Texts calls;
    void rowsInserted(int f, int l) override { record("+", f, l); }
    void rowsRemoved(int f, int l) override { record("-", f, l); }
    void rowsChanged(int f, int l) override { record("=", f, l); }
    void listReset() override { calls.emplace_back("reset"); }

private:
    void record(const char* what, int f, int l) {
        calls.push_back(what + std::to_string(f) + (f == l ? "" : ".." + std::to_string(l)));
    }
};

class CcxEditorTest : public testing::Test {
protected:
    test::TempFolder folder;
    test::ScriptedPlatform platform;
    CcxEditor editor{platform};

    // An open document listing these levels, each with one prologue page that
    // names it ("B's page"), so a test can follow where a level's data went.
    void openList(const std::vector<Level>& levels, int selected) {
        CcxDocument document;
        document.fileName = (folder / "set.ccx").string();
        std::vector<std::int16_t> numbers;
        for (const auto& [number, title] : levels) {
            auto& level = document.level(number);
            level.title = title;
            level.prologue.count = 1;
            level.prologue.page(1).text = title + "'s page";
            numbers.push_back(static_cast<std::int16_t>(number));
            document.levelCount = static_cast<std::int16_t>(number);
        }
        editor.installDocument(document, numbers);
        editor.selectEntry(selected);
    }
    Texts entries() const {
        Texts texts;
        for (int i = 0; i < static_cast<int>(editor.levelList().size()); ++i)
            texts.push_back(editor.entryText(i));
        return texts;
    }
    // Copies the fixture into the folder and opens the copy; its path.
    std::string openCopy(const std::string& fixture) {
        const auto name = std::filesystem::path(fixture).filename().string();
        const auto path = folder.write(name, ccxFixtureBytes(fixture)).string();
        platform.chooseFile(path, fixture);
        editor.open();
        return path;
    }
};

// The list operations, each from a small list with one entry selected.
struct ListCase {
    const char* name;
    std::vector<Level> start;
    int selected;
    void (CcxEditor::*operation)();
    Texts entries;
    int selectedAfter;
    int shownLevel;
    int levelCount;
    const char* message = nullptr;
};

const std::vector<Level> kABC = {{1, "A"}, {2, "B"}, {3, "C"}};

using E = CcxEditor;

// Start list, selected position, operation; then the entries, the selected
// position, the level shown and levelCount afterwards, and any message.
// clang-format off
const ListCase kListCases[] = {
    {"DeleteLeavesAGap", kABC, 1, &E::deleteLevel, {"1. A", "3. C"}, 1, 3, 3},
    {"DeleteAndRenumberClosesIt", kABC, 1, &E::deleteAndRenumber, {"1. A", "2. C"}, 1, 2, 2},
    {"DeleteTheLast", kABC, 2, &E::deleteLevel, {"1. A", "2. B"}, 1, 2, 2},
    {"DeleteAndRenumberTheLast", kABC, 2, &E::deleteAndRenumber, {"1. A", "2. B"}, 1, 2, 2},
    {"DeleteTheOnlyLevel", {{1, "A"}}, 0, &E::deleteLevel, {"1. A"}, 0, 1, 1,
     "Error - must have at least one level"},
    {"DeleteAndRenumberTheOnlyLevel", {{1, "A"}}, 0, &E::deleteAndRenumber, {"1. A"}, 0, 1, 1,
     "Error - must have at least one level"},
    {"InsertAfterTheLast", kABC, 2, &E::insertAfter, {"1. A", "2. B", "3. C", "4. "}, 2, 3, 4},
    {"InsertAfterIntoAGap", {{1, "A"}, {3, "C"}}, 0, &E::insertAfter,
     {"1. A", "2. ", "3. C"}, 0, 1, 3},
    {"InsertAfterRenumbers", kABC, 0, &E::insertAfter, {"1. A", "2. ", "3. B", "4. C"}, 0, 1, 4},
    {"InsertBeforeRenumbers", {{1, "A"}, {2, "B"}}, 0, &E::insertBefore,
     {"1. ", "2. A", "3. B"}, 1, 2, 3},
    {"InsertBeforeAFirstAboveOne", {{3, "C"}, {4, "D"}}, 0, &E::insertBefore,
     {"2. ", "3. C", "4. D"}, 1, 3, 4},
    {"InsertBeforeIntoAOneNumberGap", {{1, "A"}, {3, "C"}}, 1, &E::insertBefore,
     {"1. A", "2. ", "3. C"}, 2, 3, 3},
    {"InsertAfterAtTheHighestNumber", {{1, "A"}, {999, "Z"}}, 0, &E::insertAfter,
     {"1. A", "999. Z"}, 0, 1, 999, "Error - there are already 999 levels in this set"},
    {"InsertBeforeAtTheHighestNumber", {{1, "A"}, {999, "Z"}}, 0, &E::insertBefore,
     {"1. A", "999. Z"}, 0, 1, 999, "Error - there are already 999 levels in this set"},
    {"MoveUp", {{4, "A"}, {5, "B"}}, 1, &E::moveUp, {"4. B", "5. A"}, 0, 4, 5},
    {"MoveDown", {{4, "A"}, {5, "B"}}, 0, &E::moveDown, {"4. B", "5. A"}, 1, 5, 5},
    {"MoveUpTheFirst", {{4, "A"}, {5, "B"}}, 0, &E::moveUp, {"4. A", "5. B"}, 0, 4, 5},
    {"MoveDownTheLast", {{4, "A"}, {5, "B"}}, 1, &E::moveDown, {"4. A", "5. B"}, 1, 5, 5},
    // A shift across a gap leaves no copy behind at the number it left.
    {"DeleteAndRenumberAcrossAGap", {{1, "A"}, {2, "B"}, {5, "E"}}, 1, &E::deleteAndRenumber,
     {"1. A", "4. E"}, 1, 4, 4},
    {"InsertAfterAcrossAGap", {{1, "A"}, {2, "B"}, {4, "D"}}, 0, &E::insertAfter,
     {"1. A", "2. ", "3. B", "5. D"}, 0, 1, 5},
    {"InsertBeforeAcrossAGap", {{1, "A"}, {3, "C"}}, 0, &E::insertBefore,
     {"1. ", "2. A", "4. C"}, 1, 2, 4},
};
// clang-format on

class CcxListOperation : public CcxEditorTest, public testing::WithParamInterface<ListCase> {};

TEST_P(CcxListOperation, MovesEntriesAndTheirLevels) {
    const auto& c = GetParam();
    openList(c.start, c.selected);
    (editor.*c.operation)();
    EXPECT_EQ(entries(), c.entries);
    EXPECT_EQ(editor.selectedEntry(), c.selectedAfter);
    EXPECT_EQ(editor.shownLevelNumber(), c.shownLevel);
    EXPECT_EQ(editor.document().currentLevel, c.shownLevel);
    EXPECT_EQ(editor.document().levelCount, c.levelCount);
    EXPECT_EQ(platform.lastMessage(),
              c.message ? warning(c.message) : test::ScriptedPlatform().lastMessage());
    // Each level's data went with its title; every other number is clear, so
    // no level is ever written twice.
    std::vector<bool> listed(kMaxCcxLevels + 1, false);
    for (const auto& [number, title] : editor.levelList()) {
        listed[static_cast<std::size_t>(number)] = true;
        const auto& level = editor.document().level(number);
        if (title.empty()) {
            EXPECT_TRUE(isClear(level)) << "new level " << number;
        } else {
            EXPECT_EQ(level.prologue.page(1).text, title + "'s page") << "level " << number;
        }
    }
    for (int number = 1; number <= kMaxCcxLevels; ++number) {
        if (!listed[static_cast<std::size_t>(number)]) {
            ASSERT_TRUE(isClear(editor.document().level(number))) << "level " << number;
        }
    }
    // The shown fields are the selected level's.
    EXPECT_EQ(editor.shown().title,
              editor.levelList()[static_cast<std::size_t>(c.selectedAfter)].title);
}

INSTANTIATE_TEST_SUITE_P(CcxEditor, CcxListOperation, testing::ValuesIn(kListCases),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(CcxEditorTest, UnstoredEditsGoWhereTheLevelGoes) {
    RecordingObserver observer;
    editor.setListObserver(&observer);
    openList({{4, "A"}, {5, "B"}}, 1);
    // Typing changes the entry at once; the level keeps its title until stored.
    editor.titleEdit("B!");
    EXPECT_EQ(entries(), (Texts{"4. A", "5. B!"}));
    EXPECT_EQ(editor.document().level(5).title, "B");
    editor.shown().author = "Bee";
    editor.shown().ms = CompatChoice::Yes;
    editor.shown().pageText = "edited";
    observer.calls.clear();
    editor.moveUp();
    EXPECT_EQ(entries(), (Texts{"4. B!", "5. A"}));
    const auto& moved = editor.document().level(4);
    EXPECT_EQ(moved.title + moved.author + moved.compatAttributes, "B!Beems=\"yes\"");
    EXPECT_EQ(moved.prologue.page(1).text, "edited");
    EXPECT_EQ(observer.calls, (Texts{"=1", "=0", "=0"}));

    // Insert After renumbers the rows below in one change.
    observer.calls.clear();
    editor.insertAfter();
    EXPECT_EQ(observer.calls, (Texts{"+1", "=2"}));
    // Delete drops the shown level's edits.
    editor.titleEdit("dropped");
    editor.deleteLevel();
    EXPECT_EQ(entries(), (Texts{"5. ", "6. A"}));
    EXPECT_TRUE(isClear(editor.document().level(4)));
}

TEST_F(CcxEditorTest, PagesAndColours) {
    CcxDocument document;
    document.fileName = "set.ccx";
    document.levelCount = 1;
    auto& prologue = document.level(1).prologue;
    prologue.count = 3;
    prologue.page(1) = {"one", 1, 0x0000FF, 0xFFFFFF};
    prologue.page(2) = {"two", 0, 0, 0};
    prologue.page(3) = {"three", 1, 0x00FF00, 0x000000};
    editor.installDocument(document, {1});
    const auto& shown = editor.shown();
    const auto& pages = editor.document().level(1).prologue;
    const auto page = [&shown] {
        return std::to_string(shown.pageNumber) + " of " + std::to_string(shown.pageCount);
    };

    // Paging stores the shown page; a page without colours keeps the sample.
    editor.shown().pageText = "one!";
    editor.nextPage();
    EXPECT_EQ(pages.page(1).text, "one!");
    EXPECT_EQ(shown.pageText, "two");
    EXPECT_FALSE(shown.pageHasOwnColors);
    EXPECT_EQ(shown.pageBackColor, 0x0000FFu);
    platform.colors = {0x123456, std::nullopt};
    editor.choosePageBackColor();
    editor.choosePageFontColor();                        // cancelled: nothing changes
    EXPECT_EQ(pages.page(2), (CcxPage{"two", 0, 0, 0})); // not stored yet
    editor.nextPage();
    editor.previousPage();
    EXPECT_EQ(pages.page(2), (CcxPage{"two", 1, 0x123456, 0xFFFFFF}));
    EXPECT_EQ(shown.pageBackColor, 0x123456u);
    editor.nextPage();
    editor.nextPage(); // already on the last page
    EXPECT_EQ(page(), "3 of 3");

    // Add Page keeps the shown page; the eleventh page is refused in its pane only.
    editor.previousPage();
    for (int i = 0; i < 8; ++i)
        editor.addPage();
    EXPECT_EQ(page(), "2 of 10");
    EXPECT_EQ(platform.lastMessage(), warning("You can only have 10 pages in the prologue."));
    editor.shown().pageText = "two!";
    EXPECT_EQ(editor.choosePane(CcxPane::Epilogue), (CommandResult{"addPage", true}));
    EXPECT_EQ(pages.page(2).text, "two!"); // stored into the pane shown before
    EXPECT_EQ(page(), "1 of 0");
    EXPECT_FALSE(shown.pageEditable);
    editor.addPage();
    EXPECT_EQ(page(), "1 of 1");
    EXPECT_TRUE(shown.pageEditable);
    // A pane always opens at page 1, also the pane already shown.
    EXPECT_EQ(editor.choosePane(CcxPane::Prologue), (CommandResult{"thePage", true}));
    editor.nextPage();
    editor.choosePane(CcxPane::Prologue);
    EXPECT_EQ(page(), "1 of 10");

    // Delete Page: No keeps it; Yes moves the later pages down.
    editor.nextPage();
    platform.answers = {MessageAnswer::No, MessageAnswer::Yes};
    editor.deletePage();
    EXPECT_EQ(platform.lastMessage(),
              question("Are you sure you want to delete this page?", MessageButtons::YesNo));
    EXPECT_EQ(pages.count, 10);
    editor.deletePage();
    EXPECT_EQ(page(), "2 of 9");
    EXPECT_EQ(shown.pageText, "three");
    EXPECT_EQ(pages.page(10), CcxPage{});
    platform.answers.assign(9, MessageAnswer::Yes);
    for (int i = 0; i < 8; ++i)
        editor.deletePage();
    EXPECT_EQ(page(), "1 of 1");
    editor.deletePage();
    EXPECT_EQ(page(), "1 of 0");
    EXPECT_FALSE(shown.pageEditable || shown.pageHasOwnColors);
    editor.deletePage();
    EXPECT_EQ(platform.lastMessage(), warning("Error - there are no pages to delete."));

    // The set's colours, at any time.
    platform.colors = {0x010203};
    editor.chooseDefaultFontColor();
    EXPECT_TRUE(editor.document().hasDefaultColors);
    EXPECT_EQ(editor.document().defaultFontColor, 0x010203u);
    EXPECT_EQ(platform.dialogs.back().title, "Set Default Page Font Color");
    EXPECT_EQ(platform.unscriptedQuestions, 0);
}

TEST_F(CcxEditorTest, ImportTitles) {
    const auto report = [this](const std::string& levelLines) {
        const auto path = folder.write("report.txt", "CCLP1.dat\r\n\r\nTitles\r\n" + levelLines);
        platform.chooseFile(path.string(), "report.txt");
    };
    std::vector<Level> ten;
    for (int n = 1; n <= 10; ++n)
        ten.push_back({n, n == 1 ? "Stored" : ""});
    openList(ten, 1);
    editor.titleEdit("Typed");
    const auto title = [this](int level) { return editor.document().level(level).title; };

    // No: only empty stored titles; the typed title stays in the box.
    report("  1. Red Door\r\n 10. Ice  Maze   Hall\r\n  2. Beach\r\n 12. Far Away\r\n"
           "Total: 149 levels\r\n  3. Not Read\r\n");
    platform.answer(MessageAnswer::No);
    editor.importTitles();
    EXPECT_EQ(platform.lastMessage(),
              question("Overwrite any existing titles?", MessageButtons::YesNo));
    EXPECT_EQ(title(1) + "|" + title(10) + "|" + title(2) + "|" + title(12) + "|" + title(3),
              "Stored|IceMaze Hall|Beach|Far Away|"); // 12 has no entry
    EXPECT_EQ(entries()[1], "2. Beach");
    EXPECT_EQ(entries()[9], "10. IceMaze Hall");
    EXPECT_EQ(editor.shown().title, "Typed");
    editor.selectEntry(0);
    EXPECT_EQ(title(2), "Typed"); // the typed title wins when stored

    // Yes: every title, and the box shows the selected level's; a short
    // line ends the import.
    report("  1. Red Door\r\n  5.\r\n  6. Never\r\n");
    platform.answer(MessageAnswer::Yes);
    editor.importTitles();
    EXPECT_EQ(entries()[0], "1. Red Door");
    EXPECT_EQ(editor.shown().title, "Red Door");
    EXPECT_EQ(title(6), "");

    // Refused only when the first line names no set and the second is empty.
    const auto other = folder.write("other.txt", "Titles\r\nnot empty\r\nx\r\n  7. Seven\r\n");
    const auto bad = folder.write("bad.txt", "Titles\r\n\r\n  7. X\r\n");
    for (const auto& file : {other, bad, folder / "none.txt"}) {
        platform.chooseFile(file.string(), "report.txt");
        platform.answer(MessageAnswer::Yes);
        editor.importTitles();
    }
    EXPECT_EQ(title(7), "Seven");
    EXPECT_EQ(platform.messages.back(), warning("Error - invalid Tabulin text file"));
    EXPECT_EQ(platform.messages.end()[-2], warning("Error - invalid Tabulin text file"));
    EXPECT_EQ(platform.dialogs.back().title, "Import Titles from Tabulin Text File");
    EXPECT_EQ(platform.dialogs.back().filterOrPrompt, "Tabulin Text Output Files (.txt)|*.txt");
}

TEST_F(CcxEditorTest, StartUpNewAndExit) {
    // Start-up: No runs Open; cancelled, the window has no document, its
    // commands do nothing and Exit asks nothing.
    platform.answer(MessageAnswer::No);
    platform.cancelFileDialog();
    editor.startUp();
    EXPECT_EQ(platform.lastMessage(),
              question("Do you want to start a new CCX file?", MessageButtons::YesNo));
    EXPECT_EQ(platform.dialogs.back().title, "Open CCX File for Editing");
    editor.insertAfter();
    editor.addPage();
    EXPECT_TRUE(editor.exit().done);
    EXPECT_EQ(platform.messages.size(), 1u);

    // New: the number of levels, then where the file goes.
    const auto path = (folder / "new.ccx").string();
    for (const auto& [answer, levels] : std::vector<std::pair<std::string, int>>{
             {" 12 ", 12}, {"999", 999}, {"1000", 0}, {"0", 0}, {"-5", 0}, {"ten", 0}, {"", -1}}) {
        SCOPED_TRACE(answer);
        platform.messages.clear();
        platform.lineInputs.push_back(answer);
        if (levels > 0)
            platform.chooseFile(path, "new.ccx");
        CcxEditor fresh(platform);
        fresh.newFile();
        EXPECT_EQ(fresh.levelList().size(), static_cast<std::size_t>(std::max(levels, 0)));
        if (levels > 0) {
            EXPECT_EQ(fresh.entryText(levels - 1), std::to_string(levels) + ". ");
            EXPECT_EQ(fresh.document().levelCount, levels);
            EXPECT_EQ(fresh.document().fileName, path);
            EXPECT_EQ(fresh.shownLevelNumber(), 1);
            const auto& dialog = platform.dialogs.back();
            EXPECT_EQ(dialog.title + dialog.filterOrPrompt,
                      "Select Location to Save CCX FileCCX Files|*.ccx");
            EXPECT_TRUE(dialog.confirmOverwrite);
        }
        EXPECT_EQ(platform.messages,
                  levels == 0
                      ? std::vector<RecordedMessage>{warning("Error - invalid number of levels")}
                      : std::vector<RecordedMessage>{});
    }
    const auto& input = platform.dialogs.at(1);
    EXPECT_EQ(input.title + "|" + input.filterOrPrompt,
              "New CCX File|Enter the number of levels in the level set:");

    // New over an open document: its shown fields do not leak into the new set.
    openList({{1, "A"}}, 0);
    editor.titleEdit("Shown");
    editor.shown().ms = CompatChoice::Yes;
    platform.answer(MessageAnswer::No);
    platform.lineInputs.push_back("2");
    platform.chooseFile(path, "new.ccx");
    editor.newFile();
    EXPECT_TRUE(isClear(editor.document().level(1)));
    EXPECT_EQ(entries(), (Texts{"1. ", "2. "}));
    EXPECT_EQ(editor.shown().ms, CompatChoice::Ignore);
    EXPECT_FALSE(std::filesystem::exists(path)); // written only by Save

    // Exit: Cancel keeps the document; Yes saves it first.
    platform.answer(MessageAnswer::Cancel);
    EXPECT_FALSE(editor.exit().done);
    EXPECT_EQ(platform.lastMessage(),
              question("Save changes to " + path + "?", MessageButtons::YesNoCancel));
    platform.answer(MessageAnswer::Yes);
    EXPECT_TRUE(editor.exit().done);
    EXPECT_TRUE(std::filesystem::exists(path));
    EXPECT_EQ(platform.unscriptedQuestions, 0);
}

TEST_F(CcxEditorTest, OpenAndSave) {
    RecordingObserver observer;
    editor.setListObserver(&observer);
    const auto own = openCopy("written/full-panes.ccx");
    EXPECT_EQ(platform.dialogs.at(0).filterOrPrompt, "CCX Files|*.ccx");
    EXPECT_EQ(observer.calls, (Texts{"reset", "=0"}));
    EXPECT_EQ(entries(), (Texts{"1. Ten and ten", "2. ", "3. ", "4. Last one"}));
    EXPECT_TRUE(editor.shown().pageEditable);
    editor.titleEdit("Edited");
    const auto before = editor.document();

    // Cancelled at the file or at "Save changes to ...?": nothing happens.
    const auto other = ccxFixture("other-tool.ccx").string();
    platform.cancelFileDialog();
    editor.open();
    platform.chooseFile(other, "other-tool.ccx");
    platform.answer(MessageAnswer::Cancel);
    editor.open();
    EXPECT_EQ(platform.messages,
              (std::vector<RecordedMessage>{
                  question("Save changes to " + own + "?", MessageButtons::YesNoCancel)}));
    // Answered No, then the chosen file turns out broken: all stays as it was.
    const auto broken = ccxFixture("missing-end.ccx").string();
    platform.chooseFile(broken, "missing-end.ccx");
    platform.answer(MessageAnswer::No);
    editor.open();
    EXPECT_EQ(platform.lastMessage(),
              warning("Error in line 33 of \"" + broken +
                      "\": the file ends before the line \"</levelset>\". The file was not "
                      "opened."));
    EXPECT_TRUE(editor.document() == before);
    EXPECT_EQ(editor.shown().title, "Edited");
    EXPECT_EQ(folder.read("full-panes.ccx"), ccxFixtureBytes("written/full-panes.ccx"));

    // Answered Yes: the edits are saved, then the other file opens with the
    // set's colours; a file without a colours line keeps the sample, unticked.
    platform.chooseFile(other, "other-tool.ccx");
    platform.answer(MessageAnswer::Yes);
    editor.open();
    auto edited = ccxFixtureBytes("written/full-panes.ccx");
    edited.replace(edited.find("Ten and ten"), 11, "Edited");
    EXPECT_EQ(folder.read("full-panes.ccx"), edited);
    EXPECT_EQ(editor.document().fileName, other);
    EXPECT_TRUE(editor.document().hasDefaultColors);
    EXPECT_EQ(editor.document().defaultBackColor, 0x402010u);
    platform.answer(MessageAnswer::No);
    openCopy("written/minimal-header.ccx");
    EXPECT_FALSE(editor.document().hasDefaultColors);
    EXPECT_EQ(editor.document().defaultBackColor, 0x402010u);
    EXPECT_EQ(editor.document().defaultFontColor, 0xF0F0F0u);

    // A level named twice opens, with a warning naming both lines.
    platform.answer(MessageAnswer::No);
    openCopy("loose-layout.ccx");
    EXPECT_EQ(entries(), (Texts{"1. Alpha", "3. Gamma"}));
    EXPECT_EQ(platform.lastMessage(),
              warning("Level 1 is named in line 27 and again in line 37.\nSuch a level keeps the "
                      "title, author and compatibility of its last line, and the pages of all of "
                      "them."));
    EXPECT_EQ(platform.unscriptedQuestions, 0);
}

TEST_F(CcxEditorTest, ASaveThatFailsSaysSoAndChangesNothing) {
    namespace fs = std::filesystem;
    const auto locked = folder.write("locked.ccx", "old contents");
    fs::permissions(locked, fs::perms::owner_read);
    for (const auto& target : {locked, folder / "missing" / "set.ccx"}) {
        auto document = test::demoDocument();
        document.fileName = target.string();
        editor.installDocument(document, {1, 2});
        EXPECT_FALSE(editor.save());
        EXPECT_EQ(platform.lastMessage(), warning("Error - cannot save \"" + target.string() +
                                                  "\". The file on disk is unchanged."));
        // Neither Open nor Exit goes on when the save it asked for fails.
        platform.chooseFile(ccxFixture("written/minimal-header.ccx").string(),
                            "minimal-header.ccx");
        platform.answers = {MessageAnswer::Yes, MessageAnswer::Yes};
        editor.open();
        EXPECT_FALSE(editor.exit().done);
        EXPECT_EQ(editor.document().fileName, target.string());
        EXPECT_EQ(entries(), (Texts{"1. First", "2. Second"}));
    }
    EXPECT_EQ(folder.read("locked.ccx"), "old contents");
    EXPECT_FALSE(fs::exists(folder / "missing"));
    fs::permissions(locked, fs::perms::owner_write, fs::perm_options::add);
}

} // namespace
} // namespace tessaro
