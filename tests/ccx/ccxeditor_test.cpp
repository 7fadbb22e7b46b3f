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
using Entries = std::vector<std::string>;

class RecordingObserver : public CcxLevelListObserver {
public:
    Entries calls;
    void entryAboutToBeInserted(int p) override { calls.push_back("+?" + std::to_string(p)); }
    void entryInserted(int p) override { calls.push_back("+" + std::to_string(p)); }
    void entryAboutToBeRemoved(int p) override { calls.push_back("-?" + std::to_string(p)); }
    void entryRemoved(int p) override { calls.push_back("-" + std::to_string(p)); }
    void entryChanged(int p) override { calls.push_back("=" + std::to_string(p)); }
    void entriesAboutToBeReset() override { calls.emplace_back("reset?"); }
    void entriesReset() override { calls.emplace_back("reset"); }
};

class CcxEditorTest : public testing::Test {
protected:
    test::TempFolder folder;
    test::ScriptedPlatform platform;
    CcxEditor editor{platform};
    RecordingObserver observer;

    // Copies the fixture into the folder and opens the copy; its path.
    std::string openCopy(const std::string& fixture) {
        const auto path = folder.write(fixture, ccxFixtureBytes(fixture)).string();
        platform.chooseFile(path, fixture);
        editor.open();
        return path;
    }
    static RecordedMessage warning(const std::string& text) {
        return {text, "CCX File Editor", MessageIcon::Exclamation, MessageButtons::Ok};
    }
};

TEST_F(CcxEditorTest, ShowsAndStoresLevelsAndPages) {
    auto document = test::demoDocument();
    document.fileName = "sets/demo.ccx";
    document.level(2).compatAttributes = "ms=\"YES\" pedantic";
    editor.controls().levelTitle = "left over from before";
    editor.installDocument(document, {"1. First", "2. Second"});
    const auto& c = editor.controls();
    const auto& first = editor.document().level(1);
    EXPECT_EQ(editor.label1(), "File Name: sets/demo.ccx");
    EXPECT_TRUE(editor.saveEnabled());
    EXPECT_EQ(first.title, "First"); // the leftover title was not stored
    EXPECT_EQ(c.levelTitle, "First");
    EXPECT_EQ(c.levelMs, CompatChoice::Yes);
    EXPECT_EQ(c.pageNum, "Page 1 of 1");
    EXPECT_EQ(c.thePage, first.prologue.page(1).text);
    EXPECT_TRUE(c.thePageEnabled && c.check2);
    EXPECT_EQ(c.colorLabelBack, 0x800000u);

    // Edits reach the level when another level is selected.
    editor.controls().levelTitle = "First!";
    editor.controls().levelLx = CompatChoice::No;
    editor.controls().thePage = "edited";
    editor.controls().check2 = false;
    editor.selectEntry(1);
    EXPECT_EQ(first.title, "First!");
    EXPECT_EQ(first.compatAttributes, "ms=\"yes\" lynx=\"no\"");
    EXPECT_EQ(first.prologue.page(1), (CcxPage{"edited", 0, 0x800000, 0x00FFFF}));

    // Level 2: "YES" is not "yes"; a bare word without a value is Ignore.
    EXPECT_EQ(editor.curLevNum(), "2");
    EXPECT_EQ(c.levelMs, CompatChoice::No);
    EXPECT_EQ(c.levelPed, CompatChoice::Ignore);
    EXPECT_EQ(c.pageNum, "Page 1 of 0");
    EXPECT_FALSE(c.thePageEnabled);
    editor.controls().thePage = "typed into an empty pane";
    editor.storeShownLevel();
    EXPECT_EQ(editor.document().level(2).prologue, CcxPageList{});
    EXPECT_EQ(editor.document().level(2).compatAttributes, "ms=\"no\"");

    editor.selectEntry(0);
    editor.controls().shownPane = CcxPane::Epilogue;
    editor.showPage(1, CcxPane::Epilogue);
    EXPECT_EQ(c.pageNum, "Page 1 of 1");
    EXPECT_EQ(c.thePage, "Well done.");
    editor.controls().check2 = true;
    editor.controls().colorLabelBack = 0xABCDEF;
    editor.storeShownPage();
    EXPECT_EQ(first.epilogue.page(1), (CcxPage{"Well done.", 1, 0xABCDEF, 0x00FFFF}));
}

TEST_F(CcxEditorTest, OpenReadsTheWholeFileAndSaveWritesItBack) {
    editor.setLevelListObserver(&observer);
    const auto path = openCopy("demo-set.ccx");
    ASSERT_EQ(platform.dialogs.size(), 1u);
    EXPECT_EQ(platform.dialogs[0].title, "Open CCX File for Editing");
    EXPECT_EQ(platform.dialogs[0].filterOrPrompt, "CCX Files|*.ccx");
    EXPECT_EQ(observer.calls, (Entries{"reset?", "reset"}));
    EXPECT_EQ(editor.levelList(), (Entries{"1. First", "2. Second"}));
    EXPECT_EQ(editor.label1(), "File Name: " + path);
    auto expected = test::demoDocument();
    expected.fileName = path;
    expected.currentLevel = 1;
    EXPECT_TRUE(editor.document() == expected);

    EXPECT_TRUE(editor.save());
    EXPECT_EQ(folder.read("demo-set.ccx"), ccxFixtureBytes("demo-set.ccx"));
}

TEST_F(CcxEditorTest, AFailedOpenNamesTheLine) {
    const auto eleven = ccxFixture("page-eleven.ccx").string();
    platform.chooseFile(eleven, "page-eleven.ccx");
    editor.open();
    EXPECT_EQ(platform.lastMessage(),
              warning("Error in line 73 of \"" + eleven +
                      "\": level 1 has more than 10 pages in its prologue. The file was not "
                      "opened."));
    const auto missing = ccxFixture("no-such-file.ccx").string();
    platform.chooseFile(missing, "no-such-file.ccx");
    editor.open();
    EXPECT_EQ(platform.lastMessage(),
              warning("Error - the file \"" + missing + "\" cannot be read."));
    EXPECT_EQ(editor.label1(), "File Name:");
    EXPECT_FALSE(editor.saveEnabled());
}

TEST_F(CcxEditorTest, OpenAsksToSaveTheOpenDocumentFirst) {
    const auto own = openCopy("full-panes.ccx");
    editor.controls().levelTitle = "Edited";
    const auto before = editor.document();
    const auto other = ccxFixture("minimal-header.ccx").string();
    platform.cancelFileDialog();
    editor.open();
    platform.chooseFile(other, "minimal-header.ccx");
    platform.answer(MessageAnswer::Cancel);
    editor.open();
    EXPECT_EQ(platform.messages,
              (std::vector<RecordedMessage>{{"Save changes to " + own + "?", "CCX File Editor",
                                             MessageIcon::Question, MessageButtons::YesNoCancel}}));

    // Answered No, then the chosen file turns out broken: all stays as it was.
    platform.chooseFile(ccxFixture("missing-end.ccx").string(), "missing-end.ccx");
    platform.answer(MessageAnswer::No);
    editor.open();
    EXPECT_NE(platform.lastMessage().text.find("line 33"), std::string::npos);
    EXPECT_TRUE(editor.document() == before);
    EXPECT_EQ(editor.label1(), "File Name: " + own);
    EXPECT_EQ(editor.controls().levelTitle, "Edited");
    EXPECT_EQ(folder.read("full-panes.ccx"), ccxFixtureBytes("full-panes.ccx"));

    // Answered Yes: the edits are saved, then the other file opens.
    platform.chooseFile(other, "minimal-header.ccx");
    platform.answer(MessageAnswer::Yes);
    editor.open();
    auto edited = ccxFixtureBytes("full-panes.ccx");
    edited.replace(edited.find("Ten and ten"), 11, "Edited");
    EXPECT_EQ(folder.read("full-panes.ccx"), edited);
    EXPECT_EQ(editor.document().fileName, other);
    EXPECT_EQ(editor.levelList(), Entries{"1. Only"});
    EXPECT_EQ(platform.unscriptedQuestions, 0);
}

TEST_F(CcxEditorTest, ASaveThatFailsSaysSoAndChangesNothing) {
    namespace fs = std::filesystem;
    const auto locked = folder.write("locked.ccx", "old contents");
    fs::permissions(locked, fs::perms::owner_read);
    for (const auto& target : {locked, folder / "missing" / "set.ccx"}) {
        auto document = test::demoDocument();
        document.fileName = target.string();
        editor.installDocument(document, {"1. First", "2. Second"});
        EXPECT_FALSE(editor.save());
        EXPECT_EQ(platform.lastMessage(), warning("Error - cannot save \"" + target.string() +
                                                  "\". The file on disk is unchanged."));
        // Open does not go on when the save it asked for fails.
        platform.chooseFile(ccxFixture("minimal-header.ccx").string(), "minimal-header.ccx");
        platform.answer(MessageAnswer::Yes);
        editor.open();
        EXPECT_EQ(editor.document().fileName, target.string());
        EXPECT_EQ(editor.levelList(), (Entries{"1. First", "2. Second"}));
    }
    EXPECT_EQ(folder.read("locked.ccx"), "old contents");
    EXPECT_FALSE(fs::exists(folder / "missing"));
    fs::permissions(locked, fs::perms::owner_write, fs::perm_options::add);
}

TEST_F(CcxEditorTest, TellsTheObserverOfEveryListChange) {
    editor.setLevelListObserver(&observer);
    editor.installDocument(test::demoDocument(), {"1. First", "2. Second"});
    editor.selectEntry(1);
    observer.calls.clear();

    editor.insertEntry(1, "5. ");
    EXPECT_EQ(editor.selectedEntry(), 2); // still on level 2
    editor.setEntryText(1, "5. Five");
    editor.removeEntry(0);
    EXPECT_EQ(editor.selectedEntry(), 1);
    editor.removeEntry(1);
    EXPECT_EQ(editor.selectedEntry(), -1);
    EXPECT_EQ(editor.levelList(), Entries{"5. Five"});
    EXPECT_EQ(observer.calls, (Entries{"+?1", "+1", "=1", "-?0", "-0", "-?1", "-1"}));
    EXPECT_EQ(editor.document().currentLevel, 2); // list changes load nothing
}

} // namespace
} // namespace tessaro
