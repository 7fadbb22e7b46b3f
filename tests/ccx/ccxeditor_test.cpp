#include "ccx/ccxeditor.h"
#include "ccx/ccxwriter.h"
#include "ccxfixtures.h"
#include "support/scriptedplatform.h"
#include "support/tempfolder.h"

#include <gtest/gtest.h>

namespace tessaro {
namespace {

using test::ccxFixture;
using test::ccxFixtureBytes;
using test::demoDocument;
using test::RecordedMessage;
using Entries = std::vector<std::string>;

class RecordingObserver : public CcxLevelListObserver {
public:
    std::vector<std::string> calls;
    void entryAboutToBeInserted(int p) override { calls.push_back("+?" + std::to_string(p)); }
    void entryInserted(int p) override { calls.push_back("+" + std::to_string(p)); }
    void entryAboutToBeRemoved(int p) override { calls.push_back("-?" + std::to_string(p)); }
    void entryRemoved(int p) override { calls.push_back("-" + std::to_string(p)); }
    void entryChanged(int p) override { calls.push_back("=" + std::to_string(p)); }
    void entriesAboutToBeReset() override { calls.emplace_back("reset?"); }
    void entriesReset() override { calls.emplace_back("reset"); }
};

// Level 4 "Four" with two prologue pages, the first in its own colours;
// level 6 "Six" with odd attribute text and no pages.
CcxDocument twoLevels() {
    CcxDocument document;
    document.fileName = "sets/two.ccx";
    document.levelCount = 6;
    auto& four = document.level(4);
    four.title = "Four";
    four.author = "Ann";
    four.compatAttributes = "lynx=\"yes\" ms=\"no\"";
    four.prologue.count = 2;
    four.prologue.page(1) = {"p1", 1, 0x112233, 0x445566};
    four.prologue.page(2).text = "p2";
    document.level(6).title = "Six";
    document.level(6).compatAttributes = "ms=\"YES\" pedantic";
    return document;
}

TEST(CcxEditor, ShowsAndStoresLevelsAndPages) {
    test::ScriptedPlatform platform;
    CcxEditor editor(platform);
    EXPECT_EQ(editor.label1(), "File Name:");
    EXPECT_FALSE(editor.saveEnabled());

    editor.controls().levelTitle = "left over from before";
    editor.installDocument(twoLevels(), {"4. Four", "6. Six"});
    const auto& c = editor.controls();
    const auto& document = editor.document();
    EXPECT_EQ(editor.label1(), "File Name: sets/two.ccx");
    EXPECT_TRUE(editor.saveEnabled());
    EXPECT_EQ(editor.selectedEntry(), 0);
    EXPECT_EQ(document.currentLevel, 4);
    EXPECT_FALSE(document.skipNextLevelStore);
    EXPECT_EQ(document.level(4).title, "Four"); // the leftover title was not stored
    EXPECT_EQ(editor.curLevNum(), "4");
    EXPECT_EQ(c.levelTitle, "Four");
    EXPECT_EQ(c.levelAuthor, "Ann");
    EXPECT_EQ(c.levelMs, CompatChoice::No);
    EXPECT_EQ(c.levelLx, CompatChoice::Yes);
    EXPECT_EQ(c.levelPed, CompatChoice::Ignore);
    EXPECT_EQ(c.pageNum, "Page 1 of 2");
    EXPECT_EQ(c.thePage, "p1");
    EXPECT_TRUE(c.thePageEnabled);
    EXPECT_TRUE(c.check2);
    EXPECT_EQ(c.colorLabelBack, 0x112233u);
    EXPECT_EQ(c.colorLabelFont, 0x445566u);

    // Edits reach the level when another level is selected.
    editor.controls().levelTitle = "Four!";
    editor.controls().thePage = "p1 edited";
    editor.controls().check2 = false;
    editor.selectEntry(1);
    const auto& four = document.level(4);
    EXPECT_EQ(four.title, "Four!");
    EXPECT_EQ(four.compatAttributes, "ms=\"no\" lynx=\"yes\"");
    EXPECT_EQ(four.prologue.page(1), (CcxPage{"p1 edited", 0, 0x112233, 0x445566}));

    // Level 6: "YES" is not "yes"; a bare word without a value is Ignore.
    EXPECT_EQ(editor.curLevNum(), "6");
    EXPECT_EQ(c.levelMs, CompatChoice::No);
    EXPECT_EQ(c.levelPed, CompatChoice::Ignore);
    EXPECT_EQ(c.pageNum, "Page 1 of 0");
    EXPECT_EQ(c.thePage, "");
    EXPECT_FALSE(c.thePageEnabled);
    EXPECT_FALSE(c.check2);
    EXPECT_EQ(c.colorLabelBack, 0x112233u); // the sample keeps its colours

    editor.controls().thePage = "typed into an empty pane";
    editor.storeShownLevel();
    EXPECT_EQ(document.level(6).prologue, CcxPageList{});
    EXPECT_EQ(document.level(6).compatAttributes, "ms=\"no\"");

    editor.selectEntry(0);
    editor.showPage(2, CcxPane::Prologue);
    EXPECT_EQ(c.pageNum, "Page 2 of 2");
    EXPECT_EQ(editor.shownPageNumber(), 2);
    EXPECT_EQ(c.thePage, "p2");
    editor.controls().check2 = true;
    editor.controls().colorLabelBack = 0xABCDEF;
    editor.storeShownPage();
    EXPECT_EQ(four.prologue.page(2), (CcxPage{"p2", 1, 0xABCDEF, 0x445566}));
    editor.showPage(0, CcxPane::Epilogue);
    EXPECT_EQ(c.pageNum, "Page 1 of 0");
    EXPECT_EQ(editor.shownPageNumber(), 1);
    EXPECT_FALSE(c.thePageEnabled);
    editor.controls().pageNum = "Page 3 of 7";
    EXPECT_EQ(editor.shownPageNumber(), 3);
}

TEST(CcxEditor, BuildsCompatAttributesAndResets) {
    test::ScriptedPlatform platform;
    CcxEditor editor(platform);
    EXPECT_EQ(editor.buildCompatAttributes(), "");
    editor.controls().levelPed = CompatChoice::No;
    EXPECT_EQ(editor.buildCompatAttributes(), "pedantic=\"no\"");
    editor.controls().levelMs = CompatChoice::Yes;
    EXPECT_EQ(editor.buildCompatAttributes(), "ms=\"yes\" pedantic=\"no\"");
    editor.controls().levelLx = CompatChoice::No;
    EXPECT_EQ(editor.buildCompatAttributes(), "ms=\"yes\" lynx=\"no\" pedantic=\"no\"");

    editor.installDocument(demoDocument(), {"1. First", "2. Second"});
    editor.document().fileName = "demo.ccx";
    editor.controls().shownPane = CcxPane::Epilogue;
    editor.resetDocument();
    const auto& document = editor.document();
    EXPECT_EQ(document.fileName, "");
    EXPECT_EQ(document.levelCount, 0);
    EXPECT_EQ(document.currentLevel, 0);
    EXPECT_EQ(document.description, "");
    EXPECT_EQ(document.msChoice, CompatChoice::Ignore);
    EXPECT_FALSE(document.hasDefaultColors);
    EXPECT_EQ(document.level(1).title, "");
    EXPECT_EQ(document.level(1).prologue.count, 0);
    EXPECT_EQ(document.level(1).prologue.page(1).text, "");
    EXPECT_EQ(document.level(1).prologue.page(1).hasOwnColors, 0);
    EXPECT_EQ(document.level(1).prologue.page(1).backColor, 0x800000u); // colours stay
    EXPECT_EQ(editor.controls().shownPane, CcxPane::Prologue);
    EXPECT_FALSE(editor.controls().check2);
    EXPECT_EQ(editor.controls().thePage, "");
    EXPECT_EQ(editor.controls().levelTitle, "First"); // level controls stay
    EXPECT_EQ(editor.levelList(), (Entries{"1. First", "2. Second"}));
    // Nothing is stored into a reset document.
    editor.storeShownLevel();
    EXPECT_EQ(document.level(1).title, "");
}

TEST(CcxEditor, OpenReadsTheWholeFileAndSaveWritesItBack) {
    test::TempFolder folder;
    const auto path = folder.write("demo.ccx", ccxFixtureBytes("demo-set.ccx")).string();
    test::ScriptedPlatform platform;
    RecordingObserver observer;
    CcxEditor editor(platform);
    editor.setLevelListObserver(&observer);

    platform.chooseFile(path, "demo.ccx");
    editor.open();
    ASSERT_EQ(platform.dialogs.size(), 1u);
    EXPECT_EQ(platform.dialogs[0].title, "Open CCX File for Editing");
    EXPECT_EQ(platform.dialogs[0].filterOrPrompt, "CCX Files|*.ccx");
    EXPECT_TRUE(platform.messages.empty());
    EXPECT_EQ(observer.calls, (Entries{"reset?", "reset"}));
    EXPECT_EQ(editor.levelList(), (Entries{"1. First", "2. Second"}));
    EXPECT_EQ(editor.label1(), "File Name: " + path);
    EXPECT_TRUE(editor.saveEnabled());
    EXPECT_EQ(editor.controls().levelTitle, "First");
    auto expected = demoDocument();
    expected.fileName = path;
    expected.currentLevel = 1;
    EXPECT_EQ(editor.document(), expected);

    EXPECT_TRUE(editor.save());
    EXPECT_EQ(folder.read("demo.ccx"), ccxFixtureBytes("demo-set.ccx"));
    editor.controls().levelTitle = "Renamed";
    EXPECT_TRUE(editor.save());
    EXPECT_NE(folder.read("demo.ccx").find("<!-- Renamed -->\r\n"), std::string::npos);
    EXPECT_EQ(editor.document().currentLevel, 1);
    EXPECT_EQ(platform.unscriptedQuestions, 0);
}

TEST(CcxEditor, AFailedOpenLeavesNoDocumentWhenNoneWasOpen) {
    test::ScriptedPlatform platform;
    CcxEditor editor(platform);
    const auto path = ccxFixture("page-eleven.ccx").string();
    platform.chooseFile(path, "page-eleven.ccx");
    editor.open();
    EXPECT_EQ(
        platform.messages,
        (std::vector<RecordedMessage>{
            {"Error in line 73 of \"" + path +
                 "\": level 1 has more than 10 pages in its prologue. The file was not opened.",
             "CCX File Editor", MessageIcon::Exclamation, MessageButtons::Ok}}));
    EXPECT_EQ(editor.document().fileName, "");
    EXPECT_FALSE(editor.saveEnabled());
    EXPECT_EQ(editor.label1(), "File Name:");
    EXPECT_TRUE(editor.levelList().empty());
    EXPECT_EQ(editor.document().level(1).title, "");

    const auto missing = ccxFixture("no-such-file.ccx").string();
    platform.chooseFile(missing, "no-such-file.ccx");
    editor.open();
    EXPECT_EQ(platform.lastMessage().text, "Error - the file \"" + missing + "\" cannot be read.");
    EXPECT_EQ(editor.document().fileName, "");
}

TEST(CcxEditor, AFailedOpenKeepsTheOpenDocumentAndItsFile) {
    test::TempFolder folder;
    const auto own = folder.write("own.ccx", ccxFixtureBytes("full-panes.ccx")).string();
    test::ScriptedPlatform platform;
    CcxEditor editor(platform);
    platform.chooseFile(own, "own.ccx");
    editor.open();
    ASSERT_TRUE(editor.saveEnabled());
    editor.controls().levelTitle = "Edited but not saved";
    const auto before = editor.document();
    const auto entriesBefore = editor.levelList();

    // Answered No to saving, then the chosen file turns out broken.
    platform.chooseFile(ccxFixture("missing-end.ccx").string(), "missing-end.ccx");
    platform.answer(MessageAnswer::No);
    editor.open();
    ASSERT_EQ(platform.messages.size(), 2u);
    EXPECT_EQ(platform.messages[0],
              (RecordedMessage{"Save changes to " + own + "?", "CCX File Editor",
                               MessageIcon::Question, MessageButtons::YesNoCancel}));
    EXPECT_NE(platform.messages[1].text.find("line 33"), std::string::npos);
    EXPECT_EQ(editor.document(), before);
    EXPECT_EQ(editor.levelList(), entriesBefore);
    EXPECT_EQ(editor.label1(), "File Name: " + own);
    EXPECT_EQ(editor.controls().levelTitle, "Edited but not saved");
    EXPECT_EQ(folder.read("own.ccx"), ccxFixtureBytes("full-panes.ccx"));

    // A later Save writes the document that is still open, edits included.
    ASSERT_TRUE(editor.save());
    auto edited = ccxFixtureBytes("full-panes.ccx");
    edited.replace(edited.find("Ten and ten"), 11, "Edited but not saved");
    EXPECT_EQ(folder.read("own.ccx"), edited);
}

TEST(CcxEditor, OpenStopsOnCancelAndSavesWhenAskedTo) {
    test::TempFolder folder;
    const auto own = folder.write("own.ccx", ccxFixtureBytes("demo-set.ccx")).string();
    const auto other = folder.write("other.ccx", ccxFixtureBytes("minimal-header.ccx")).string();
    test::ScriptedPlatform platform;
    CcxEditor editor(platform);

    platform.cancelFileDialog();
    editor.open();
    EXPECT_TRUE(platform.messages.empty());
    EXPECT_EQ(editor.document().fileName, "");

    platform.chooseFile(own, "own.ccx");
    editor.open();
    editor.controls().levelAuthor = "New Author";

    platform.chooseFile(other, "other.ccx");
    platform.answer(MessageAnswer::Cancel);
    editor.open();
    EXPECT_EQ(editor.document().fileName, own);
    EXPECT_EQ(editor.controls().levelAuthor, "New Author");
    EXPECT_EQ(folder.read("own.ccx"), ccxFixtureBytes("demo-set.ccx"));

    platform.chooseFile(other, "other.ccx");
    platform.answer(MessageAnswer::Yes);
    editor.open();
    EXPECT_NE(folder.read("own.ccx").find("author=\"New Author\""), std::string::npos);
    EXPECT_EQ(editor.document().fileName, other);
    EXPECT_EQ(editor.levelList(), Entries{"1. Only"});
    EXPECT_EQ(editor.controls().levelAuthor, "");
    EXPECT_EQ(platform.unscriptedQuestions, 0);
}

TEST(CcxEditor, ASaveThatFailsSaysSoAndChangesNothing) {
    test::TempFolder folder;
    test::ScriptedPlatform platform;
    CcxEditor editor(platform);
    auto document = demoDocument();
    document.fileName = (folder / "missing" / "set.ccx").string();
    editor.installDocument(document, {"1. First", "2. Second"});
    EXPECT_FALSE(editor.save());
    EXPECT_EQ(platform.lastMessage(),
              (RecordedMessage{"Error - cannot save \"" + document.fileName +
                                   "\". The file on disk is unchanged.",
                               "CCX File Editor", MessageIcon::Exclamation, MessageButtons::Ok}));
    EXPECT_FALSE(std::filesystem::exists(folder / "missing"));

    // A read-only file is left alone, and Open does not go on after the
    // save it was asked for failed.
    const auto locked = folder.write("locked.ccx", "old contents");
    std::filesystem::permissions(locked, std::filesystem::perms::owner_read |
                                             std::filesystem::perms::group_read);
    document.fileName = locked.string();
    editor.installDocument(document, {"1. First", "2. Second"});
    platform.chooseFile(ccxFixture("minimal-header.ccx").string(), "minimal-header.ccx");
    platform.answer(MessageAnswer::Yes);
    editor.open();
    EXPECT_EQ(platform.messages.size(), 3u);
    EXPECT_EQ(platform.lastMessage().text,
              "Error - cannot save \"" + locked.string() + "\". The file on disk is unchanged.");
    EXPECT_EQ(folder.read("locked.ccx"), "old contents");
    EXPECT_EQ(editor.document().fileName, locked.string());
    EXPECT_EQ(editor.levelList(), (Entries{"1. First", "2. Second"}));
    std::filesystem::permissions(locked, std::filesystem::perms::owner_write,
                                 std::filesystem::perm_options::add);
}

TEST(CcxEditor, TellsTheObserverOfEveryListChange) {
    test::ScriptedPlatform platform;
    CcxEditor editor(platform);
    RecordingObserver observer;
    editor.setLevelListObserver(&observer);
    editor.installDocument(twoLevels(), {"4. Four", "6. Six"});
    editor.selectEntry(1);
    observer.calls.clear();

    editor.insertEntry(1, "5. ");
    EXPECT_EQ(editor.selectedEntry(), 2); // still on level 6
    editor.setEntryText(1, "5. Five");
    editor.removeEntry(0);
    EXPECT_EQ(editor.selectedEntry(), 1);
    editor.removeEntry(1);
    EXPECT_EQ(editor.selectedEntry(), -1);
    EXPECT_EQ(editor.levelList(), Entries{"5. Five"});
    EXPECT_EQ(observer.calls, (Entries{"+?1", "+1", "=1", "-?0", "-0", "-?1", "-1"}));
    EXPECT_EQ(editor.document().currentLevel, 6); // list changes load nothing
}

} // namespace
} // namespace tessaro
