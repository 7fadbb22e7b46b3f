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
    platform.lineInputs = {"100"};
    editor.changeTime();
    EXPECT_EQ(rows()[1], "Level003=CCCC,100,1960");
    const auto& asked = platform.dialogs.back();
    EXPECT_EQ(asked.title, "Enter New Time");
    EXPECT_EQ(asked.filterOrPrompt, "Enter your new time for the level:");
    EXPECT_EQ(asked.startFolderOrDefault, "");

    for (const char* bad : {"abc", "", "-1", "40000"}) {
        platform.lineInputs = {bad};
        editor.changeTime();
        EXPECT_EQ(platform.lastMessage(),
                  (test::RecordedMessage{"Error - not a valid level time", "Tessaro",
                                         MessageIcon::Information, MessageButtons::Ok}))
            << bad;
    }
    platform.lineInputs = {std::nullopt}; // Cancel counts as an empty answer
    editor.changeTime();
    EXPECT_EQ(platform.messages.size(), 5u);
    EXPECT_EQ(rows()[1], "Level003=CCCC,100,1960");

    // A password-only entry, or none selected, takes a valid time silently.
    editor.select(0);
    platform.lineInputs = {"50"};
    editor.changeTime();
    editor.select(std::nullopt);
    platform.lineInputs = {"50"};
    editor.changeTime();
    EXPECT_EQ(rows(), (Lines{"Level001=AAAA", "Level003=CCCC,100,1960"}));
    EXPECT_EQ(platform.messages.size(), 5u);
    EXPECT_EQ(platform.unscriptedQuestions, 0);
}

TEST_F(IniEditorTest, ChangePasswordAndDeleteScoreKeepTheRestOfTheValue) {
    loadSet("Level1=AAAA\r\nLevel2=BBBB,120,2160\r\nLevel3=\r\n");
    editor.select(1);
    platform.lineInputs = {"W"};
    editor.changePassword();
    EXPECT_EQ(rows()[1], "Level002=W,120,2160");
    EXPECT_EQ(platform.dialogs.back().title, "Enter New Password");
    EXPECT_EQ(platform.dialogs.back().filterOrPrompt,
              "Enter the new password (1-9 characters, 4 is preferred):");

    for (const char* bad : {"ABCDEFGHIJ", "", "AB,C", "A=B"}) {
        platform.lineInputs = {bad};
        editor.changePassword();
        EXPECT_EQ(platform.lastMessage(),
                  (test::RecordedMessage{"Error - invalid password", "Tessaro",
                                         MessageIcon::Information, MessageButtons::Ok}))
            << bad;
    }
    EXPECT_EQ(rows()[1], "Level002=W,120,2160");

    editor.select(2);
    platform.lineInputs = {"ABCDEFGHI"};
    editor.changePassword();
    EXPECT_EQ(rows()[2], "Level003=ABCDEFGHI");

    editor.select(1);
    editor.deleteScore();
    editor.select(0);
    editor.deleteScore();
    EXPECT_EQ(rows(), (Lines{"Level001=AAAA", "Level002=W", "Level003=ABCDEFGHI"}));
}

TEST_F(IniEditorTest, GetInfoLoadsOnlyAnExactlyNamedSet) {
    EXPECT_FALSE(editor.editingEnabled());
    editor.insertBefore(); // nothing loaded: nothing happens
    editor.changeTime();
    EXPECT_TRUE(platform.dialogs.empty());

    loadSet("Highest Level=1\r\nLevel1=AAAA\r\n");
    editor.select(0);
    editor.setSetNameText("SET.DAT");
    editor.getInfo();
    EXPECT_EQ(
        platform.lastMessage(),
        (test::RecordedMessage{"The specified level set couldn't be found in the INI file.",
                               "INI File Editor", MessageIcon::Exclamation, MessageButtons::Ok}));
    // The loaded section and the selection stay.
    EXPECT_TRUE(editor.editingEnabled());
    EXPECT_EQ(rows(), Lines{"Level001=AAAA"});
    EXPECT_EQ(editor.selection(), 0u);
    EXPECT_EQ(editor.extraLines(), Lines{"Highest Level=1"});

    editor.setIniFileText((folder / "absent.ini").string());
    editor.getInfo();
    EXPECT_EQ(platform.lastMessage().text, "The INI file couldn't be opened.");
    EXPECT_EQ(rows(), Lines{"Level001=AAAA"});

    // Later changes to the fields do not move the target of Save.
    editor.setIniFileText("elsewhere.ini");
    editor.insertAfter();
    editor.save();
    EXPECT_EQ(folder.read("scores.ini"),
              "[set.dat]\r\nHighest Level=2\r\nCurrent Score=0\r\nLevel1=AAAA\r\nLevel2=\r\n");
    EXPECT_EQ(editor.extraLines(), Lines{"Highest Level=2"});
}

TEST_F(IniEditorTest, SaveFailuresSaySoAndKeepTheEditsForSaveAs) {
    loadSet("Level1=AAAA\r\n");
    std::string many;
    for (int i = 1; i <= 999; ++i)
        many += "[set" + std::to_string(i) + ".dat]\r\n";
    folder.write("scores.ini", many + "[set.dat]\r\nLevel1=AAAA\r\n");
    editor.select(0);
    editor.insertAfter();
    editor.save();
    EXPECT_EQ(platform.lastMessage(),
              (test::RecordedMessage{
                  "Error - More than 999 level sets in the INI file, saving could not continue.\n"
                  "Please use Save As if you would like to save these scores.",
                  "INI File Editor", MessageIcon::Exclamation, MessageButtons::Ok}));
    EXPECT_EQ(folder.read("scores.ini"), many + "[set.dat]\r\nLevel1=AAAA\r\n");

    std::filesystem::remove(folder / "scores.ini");
    editor.save();
    EXPECT_EQ(platform.lastMessage().text,
              "Error - The INI file couldn't be read, saving could not continue.\n"
              "Please use Save As if you would like to save these scores.");
    EXPECT_FALSE(std::filesystem::exists(folder / "scores.ini"));

    platform.cancelFileDialog();
    platform.chooseFile("", "");
    editor.saveAs();
    editor.saveAs();
    EXPECT_EQ(platform.messages.size(), 2u);
    platform.chooseFile((folder / "new.ini").string(), "new.ini");
    editor.saveAs();
    EXPECT_EQ(folder.read("new.ini"),
              "[set.dat]\r\nCurrent Score=0\r\nLevel1=AAAA\r\nLevel2=\r\n\r\n");
    const auto& asked = platform.dialogs.back();
    EXPECT_EQ(asked.kind, test::DialogKind::Save);
    EXPECT_EQ(asked.title, "Save To File");
    EXPECT_EQ(asked.filterOrPrompt, "Chip's Challenge score files (.ini)|*.ini");
    EXPECT_EQ(asked.startFolderOrDefault, "/home/player");

    platform.chooseFile((folder / "missing" / "new.ini").string(), "new.ini");
    editor.saveAs();
    EXPECT_EQ(
        platform.lastMessage(),
        (test::RecordedMessage{"Error - The file couldn't be written, the scores were not "
                               "saved.",
                               "INI File Editor", MessageIcon::Exclamation, MessageButtons::Ok}));
    EXPECT_EQ(platform.unscriptedQuestions, 0);
}

TEST(ScoreFileStartFolder, WindowsThenTheWinePrefixThenHome) {
    EXPECT_EQ(scoreFileStartFolder(
                  environmentWith({"C:\\WINDOWS", "/p/drive_c/windows"}, "/p", "/home/u")),
              "C:\\WINDOWS");
    EXPECT_EQ(scoreFileStartFolder(environmentWith(
                  {"/p/drive_c/windows", "/home/u/.wine/drive_c/windows"}, "/p/", "/home/u")),
              "/p/drive_c/windows");
    EXPECT_EQ(scoreFileStartFolder(
                  environmentWith({"/home/u/.wine/drive_c/windows"}, std::nullopt, "/home/u")),
              "/home/u/.wine/drive_c/windows");
    // A prefix set but without a windows folder: the default prefix is not tried.
    EXPECT_EQ(
        scoreFileStartFolder(environmentWith({"/home/u/.wine/drive_c/windows"}, "/p", "/home/u")),
        "/home/u");
    EXPECT_EQ(scoreFileStartFolder(environmentWith({}, std::nullopt, std::nullopt)), "");

    test::ScriptedPlatform platform;
    IniEditor editor(platform,
                     environmentWith({"/home/u/.wine/drive_c/windows"}, std::nullopt, "/home/u"));
    platform.chooseFile("/home/u/.wine/drive_c/windows/ENTPACK.INI", "ENTPACK.INI");
    editor.browse();
    EXPECT_EQ(editor.iniFileText(), "/home/u/.wine/drive_c/windows/ENTPACK.INI");
    platform.cancelFileDialog();
    editor.browse();
    EXPECT_EQ(editor.iniFileText(), "/home/u/.wine/drive_c/windows/ENTPACK.INI");
    const auto& asked = platform.dialogs.front();
    EXPECT_EQ(asked.kind, test::DialogKind::Open);
    EXPECT_EQ(asked.title, "Browse for INI File");
    EXPECT_EQ(asked.filterOrPrompt, "Chip's Challenge score files (.ini)|*.ini");
    EXPECT_EQ(asked.startFolderOrDefault, "/home/u/.wine/drive_c/windows");
}

} // namespace
} // namespace tessaro
