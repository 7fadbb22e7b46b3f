#include "score_ini/inieditor.h"
#include "support/scriptedplatform.h"
#include "support/tempfolder.h"

#include <gtest/gtest.h>

#include <set>

namespace tessaro {
namespace {

using Lines = std::vector<std::string>;

// Keeps a copy of the list rows from the editor's row notifications only, the
// way the window does, and counts how many rows it had to redraw.
class MirrorView : public EntryListView {
public:
    explicit MirrorView(const IniEditor& editor) : m_editor(editor) {}

    Lines rows;
    std::size_t redrawn = 0;

    void entriesReset() override {
        rows.clear();
        for (std::size_t i = 0; i < m_editor.entryCount(); ++i)
            rows.push_back(m_editor.entryText(i));
    }
    void entryInserted(std::size_t position) override {
        rows.insert(rows.begin() + static_cast<std::ptrdiff_t>(position),
                    m_editor.entryText(position));
        ++redrawn;
    }
    void entryRemoved(std::size_t position) override {
        rows.erase(rows.begin() + static_cast<std::ptrdiff_t>(position));
    }
    void entriesChanged(std::size_t first, std::size_t last) override {
        for (std::size_t i = first; i <= last; ++i)
            rows.at(i) = m_editor.entryText(i);
        redrawn += last - first + 1;
    }
    void extraLinesChanged() override {}

private:
    const IniEditor& m_editor;
};

StartFolderEnvironment environmentWith(std::set<std::string> folders,
                                       std::optional<std::string> winePrefix,
                                       std::optional<std::string> home) {
    return {std::move(winePrefix), std::move(home),
            [folders](const std::string& path) { return folders.count(path) != 0; }};
}

class IniEditorTest : public testing::Test {
protected:
    test::TempFolder folder;
    test::ScriptedPlatform platform;
    IniEditor editor{platform, environmentWith({}, std::nullopt, "/home/player")};
    MirrorView view{editor};

    void SetUp() override { editor.setView(&view); }

    // Loads a section "[set.dat]" holding the given lines.
    void loadSet(const std::string& lines) {
        editor.setIniFileText(folder.write("scores.ini", "[set.dat]\r\n" + lines).string());
        editor.setSetNameText("set.dat");
        editor.getInfo();
        ASSERT_TRUE(editor.editingEnabled());
    }

    // The rows the view shows, checked against the editor's own list.
    Lines rows() {
        Lines fromEditor;
        for (std::size_t i = 0; i < editor.entryCount(); ++i)
            fromEditor.push_back(editor.entryText(i));
        EXPECT_EQ(view.rows, fromEditor) << "the view missed a row change";
        return fromEditor;
    }
};

TEST_F(IniEditorTest, InsertBeforeRenumbersByOwnNumberAndRescoresByPosition) {
    loadSet("Level1=AAAA,100,1500\r\nLevel2=BBBB\r\nLevel5=CCCC,120,2160\r\n");
    editor.select(2);
    editor.insertBefore();
    EXPECT_EQ(rows(), (Lines{"Level001=AAAA,100,1500", "Level002=BBBB",
                             "Level003=", "Level006=CCCC,120,2480"}));
    EXPECT_EQ(editor.selection(), 3u);

    editor.select(0);
    editor.insertBefore();
    EXPECT_EQ(rows(), (Lines{"Level001=", "Level002=AAAA,100,2000", "Level003=BBBB",
                             "Level004=", "Level007=CCCC,120,2800"}));
    EXPECT_EQ(editor.selection(), 1u);
    EXPECT_EQ(view.redrawn, 2u + 1u + 4u);
}

TEST_F(IniEditorTest, InsertAfterTheLastEntryRenumbersNothing) {
    loadSet("Level1=AAAA,100,1500\r\nLevel2=BBBB\r\n");
    editor.select(1);
    editor.insertAfter();
    EXPECT_EQ(rows(), (Lines{"Level001=AAAA,100,1500", "Level002=BBBB", "Level003="}));
    EXPECT_EQ(editor.selection(), 1u);

    editor.select(0);
    editor.insertAfter();
    EXPECT_EQ(rows(), (Lines{"Level001=AAAA,100,1500", "Level002=", "Level003=BBBB", "Level004="}));
    EXPECT_EQ(editor.selection(), 0u);

    // Saved right away, the new entry is a key with nothing after "=".
    editor.save();
    EXPECT_TRUE(platform.messages.empty());
    EXPECT_EQ(folder.read("scores.ini"), "[set.dat]\r\nCurrent Score=1500\r\n"
                                         "Level1=AAAA,100,1500\r\nLevel2=\r\nLevel3=BBBB\r\n"
                                         "Level4=\r\n");
}

TEST_F(IniEditorTest, DeleteEntryShiftsTheRestDownAndRescoresThem) {
    loadSet("Level1=AAAA\r\nLevel2=BBBB,50,1300\r\nLevel3=CCCC,120,2160\r\n");
    editor.select(0);
    editor.deleteEntry();
    EXPECT_EQ(rows(), (Lines{"Level001=BBBB,50,900", "Level002=CCCC,120,1840"}));
    EXPECT_EQ(editor.selection(), 0u);

    editor.select(1);
    editor.deleteEntry();
    EXPECT_EQ(rows(), (Lines{"Level001=BBBB,50,900"}));
    EXPECT_EQ(editor.selection(), std::nullopt);
    editor.deleteEntry(); // nothing selected
    EXPECT_EQ(rows().size(), 1u);

    editor.select(0);
    editor.deleteEntry();
    EXPECT_EQ(rows(), Lines{});
    EXPECT_EQ(editor.selection(), std::nullopt);
}

TEST_F(IniEditorTest, MovesCarryTheValueAndTheSelection) {
    loadSet("Level1=AAAA\r\nLevel2=BBBB\r\nLevel3=CCCC,120,2160\r\n");
    editor.select(2);
    editor.moveUp();
    EXPECT_EQ(rows(), (Lines{"Level001=AAAA", "Level002=CCCC,120,1840", "Level003=BBBB"}));
    EXPECT_EQ(editor.selection(), 1u);

    editor.moveDown();
    EXPECT_EQ(rows(), (Lines{"Level001=AAAA", "Level002=BBBB", "Level003=CCCC,120,2160"}));
    EXPECT_EQ(editor.selection(), 2u);

    editor.moveDown(); // already last
    editor.select(0);
    editor.moveUp(); // already first
    editor.select(std::nullopt);
    editor.moveUp();
    editor.moveDown();
    EXPECT_EQ(rows(), (Lines{"Level001=AAAA", "Level002=BBBB", "Level003=CCCC,120,2160"}));
    EXPECT_EQ(view.redrawn, 4u);
}

TEST_F(IniEditorTest, ChangeTimeAdjustsTheScoreAndRefusesBadTimes) {
    loadSet("Level1=AAAA\r\nLevel3=CCCC,120,2160\r\n");
    editor.select(1);
    platform.lineInputs = {"100", "abc", "", "-1", "40000", std::nullopt};
    for (int i = 0; i < 6; ++i)
        editor.changeTime();
    EXPECT_EQ(rows()[1], "Level003=CCCC,100,1960");
    // Every bad answer, Cancel included, is refused.
    EXPECT_EQ(platform.messages.size(), 5u);
    EXPECT_EQ(platform.lastMessage().text, "Error - not a valid level time");

    // A password-only entry, or none selected, takes a valid time silently.
    platform.lineInputs = {"50", "50"};
    editor.select(0);
    editor.changeTime();
    editor.select(std::nullopt);
    editor.changeTime();
    EXPECT_EQ(rows(), (Lines{"Level001=AAAA", "Level003=CCCC,100,1960"}));
    EXPECT_EQ(platform.messages.size(), 5u);
}

TEST_F(IniEditorTest, ChangePasswordAndDeleteScoreKeepTheRestOfTheValue) {
    loadSet("Level1=AAAA\r\nLevel2=BBBB,120,2160\r\nLevel3=\r\n");
    editor.select(1);
    platform.lineInputs = {"W", "ABCDEFGHIJ", "", "AB,C", "A=B"};
    for (int i = 0; i < 5; ++i)
        editor.changePassword();
    EXPECT_EQ(rows()[1], "Level002=W,120,2160");
    EXPECT_EQ(platform.messages.size(), 4u);
    EXPECT_EQ(platform.lastMessage().text, "Error - invalid password");

    editor.select(2);
    platform.lineInputs = {"ABCDEFGHI"};
    editor.changePassword();
    editor.select(1);
    editor.deleteScore();
    editor.select(0);
    editor.deleteScore();
    EXPECT_EQ(rows(), (Lines{"Level001=AAAA", "Level002=W", "Level003=ABCDEFGHI"}));
}

TEST_F(IniEditorTest, GetInfoFailuresKeepTheLoadedSet) {
    EXPECT_FALSE(editor.editingEnabled());
    editor.insertBefore(); // nothing loaded: nothing happens
    editor.changeTime();
    EXPECT_TRUE(platform.dialogs.empty());

    loadSet("Highest Level=1\r\nLevel1=AAAA\r\n");
    editor.select(0);
    editor.setSetNameText("SET.DAT");
    editor.getInfo();
    editor.setIniFileText((folder / "absent.ini").string());
    editor.getInfo();
    EXPECT_EQ(platform.messages.size(), 2u);
    EXPECT_TRUE(editor.editingEnabled());
    EXPECT_EQ(rows(), Lines{"Level001=AAAA"});
    EXPECT_EQ(editor.selection(), 0u);

    // Later changes to the fields do not move the target of Save.
    editor.setIniFileText("elsewhere.ini");
    editor.insertAfter();
    editor.save();
    EXPECT_EQ(folder.read("scores.ini"),
              "[set.dat]\r\nHighest Level=2\r\nCurrent Score=0\r\nLevel1=AAAA\r\nLevel2=\r\n");
    EXPECT_EQ(editor.extraLines(), Lines{"Highest Level=2"});
}

TEST(ScoreFileStartFolder, WindowsThenTheWinePrefixThenHome) {
    const std::string wine = "/p/drive_c/windows";
    const std::string homeWine = "/home/u/.wine/drive_c/windows";
    EXPECT_EQ(scoreFileStartFolder(environmentWith({"C:\\WINDOWS", wine}, "/p", "/home/u")),
              "C:\\WINDOWS");
    EXPECT_EQ(scoreFileStartFolder(environmentWith({wine, homeWine}, "/p/", "/home/u")), wine);
    EXPECT_EQ(scoreFileStartFolder(environmentWith({homeWine}, std::nullopt, "/home/u")), homeWine);
    // A prefix set but without a windows folder: the default prefix is not tried.
    EXPECT_EQ(scoreFileStartFolder(environmentWith({homeWine}, "/p", "/home/u")), "/home/u");
    EXPECT_EQ(scoreFileStartFolder(environmentWith({}, std::nullopt, std::nullopt)), "");
}

} // namespace
} // namespace tessaro
