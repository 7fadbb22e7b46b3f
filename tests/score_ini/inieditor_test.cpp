#include "score_ini/inieditor.h"
#include "support/scriptedplatform.h"
#include "support/tempfolder.h"

#include <gtest/gtest.h>

#include <set>
#include <utility>

#ifdef __linux__
#include <fcntl.h>
#include <unistd.h>
#endif

namespace tessaro {
namespace {

using Lines = std::vector<std::string>;

// Writes down each change of the level list as a window's list model hears
// of it: "i2 I2" for a row inserted at 2, "r"/"R" for a removed row, "c1-2"
// for changed rows, "z Z" for a new list.
struct ListLog : ListObserver {
    std::string log;
    void add(char what, int first, int last = -1) {
        log += std::string(log.empty() ? "" : " ") + what +
               (first < 0 ? "" : std::to_string(first)) +
               (last < 0 ? "" : "-" + std::to_string(last));
    }
    void rowsAboutToBeInserted(int first, int) override { add('i', first); }
    void rowsInserted(int first, int) override { add('I', first); }
    void rowsAboutToBeRemoved(int first, int) override { add('r', first); }
    void rowsRemoved(int first, int) override { add('R', first); }
    void rowsChanged(int first, int last) override { add('c', first, last); }
    void listAboutToBeReset() override { add('z', -1); }
    void listReset() override { add('Z', -1); }
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
    IniEditor editor{platform};
    ListLog list;

    // Loads a section "[set.dat]" holding the given lines.
    void loadSet(const std::string& lines) {
        editor.setLevelListObserver(&list);
        editor.iniFileName = folder.write("scores.ini", "[set.dat]\r\n" + lines).string();
        editor.setName = "set.dat";
        editor.getInfo();
        ASSERT_TRUE(editor.editingEnabled());
        EXPECT_EQ(std::exchange(list.log, {}), "z Z");
    }

    static test::RecordedMessage box(const std::string& text,
                                     const std::string& title = "INI File Editor",
                                     MessageIcon icon = MessageIcon::Exclamation) {
        return {text, title, icon, MessageButtons::Ok};
    }

    Lines rows() const {
        Lines rows;
        for (std::size_t i = 0; i < editor.entryCount(); ++i)
            rows.push_back(editor.entryText(i));
        return rows;
    }
};

// Each edit tells the list only of the rows it changed.
TEST_F(IniEditorTest, ListEditsKeepNumbersInPlaceAndRescoreByPosition) {
    loadSet("Level1=AAAA,100,1500\r\nLevel2=BBBB=tail\r\nLevel5=CCCC,120,2160\r\n");
    editor.select(2);
    editor.moveUp(); // 10 x 120 + the level 2 bonus after two steps, 640
    EXPECT_EQ(rows(), (Lines{"Level001=AAAA,100,1500", "Level002=CCCC,120,1840", "Level005=BBBB"}));
    // The text after a second "=" moves with its value.
    EXPECT_EQ(fileLine(editor.section()->levelEntries[2]), "Level5=BBBB=tail");
    EXPECT_EQ(fileLine(editor.section()->levelEntries[1]), "Level2=CCCC,120,1840");
    EXPECT_EQ(editor.selection(), 1u);
    editor.moveDown();
    editor.moveDown(); // already last
    EXPECT_EQ(editor.selection(), 2u);
    editor.select(0);
    editor.moveUp(); // already first
    editor.select(std::nullopt);
    editor.moveUp();
    EXPECT_EQ(std::exchange(list.log, {}), "c1-2 c1-2");

    // Inserting renumbers each later entry from its own number.
    editor.select(2);
    editor.insertBefore();
    EXPECT_EQ(editor.selection(), 3u);
    editor.select(0);
    editor.insertAfter();
    editor.select(4);
    editor.insertAfter(); // a new entry is numbered by its position
    EXPECT_EQ(rows(), (Lines{"Level001=AAAA,100,1500", "Level002=", "Level003=BBBB",
                             "Level004=", "Level007=CCCC,120,2800", "Level006="}));
    EXPECT_EQ(editor.selection(), 4u);
    EXPECT_EQ(std::exchange(list.log, {}), "i2 I2 c3-3 i1 I1 c2-4 i5 I5");

    editor.select(0);
    editor.deleteEntry();
    EXPECT_EQ(editor.selection(), 0u);
    editor.select(4);
    editor.deleteEntry();
    EXPECT_EQ(editor.selection(), std::nullopt);
    editor.deleteEntry(); // nothing selected
    EXPECT_EQ(rows(), (Lines{"Level001=", "Level002=BBBB", "Level003=", "Level006=CCCC,120,2480"}));
    EXPECT_EQ(std::exchange(list.log, {}), "r0 R0 c0-4 r4 R4");
}

TEST_F(IniEditorTest, TimePasswordAndScoreEditsKeepTheRestOfTheValue) {
    loadSet("Level1=AAAA\r\nLevel3=CCCC,120,2160\r\nLevel4=\r\n");
    editor.select(1);
    // Every bad answer, Cancel included, is refused.
    platform.lineInputs = {"100", "abc",        "", "-1",   "40000", std::nullopt,
                           "W",   "ABCDEFGHIJ", "", "AB,C", "A=B",   "A\r\nB"};
    for (int i = 0; i < 6; ++i)
        editor.changeTime();
    for (int i = 0; i < 6; ++i)
        editor.changePassword();
    EXPECT_EQ(rows()[1], "Level003=W,100,1960");
    EXPECT_EQ(platform.messages.size(), 10u);
    EXPECT_EQ(platform.messages[0],
              box("Error - not a valid level time", "Tessaro", MessageIcon::Information));
    EXPECT_EQ(platform.messages[9],
              box("Error - invalid password", "Tessaro", MessageIcon::Information));
    EXPECT_EQ(platform.dialogs[0].title + "|" + platform.dialogs[0].filterOrPrompt,
              "Enter New Time|Enter your new time for the level:");
    EXPECT_EQ(platform.dialogs[6].title + "|" + platform.dialogs[6].filterOrPrompt,
              "Enter New Password|Enter the new password (1-9 characters, 4 is preferred):");

    // An unsolved entry, or none selected, takes a valid time silently.
    platform.lineInputs = {"50", "50", "ABCDEFGHI"};
    editor.select(0);
    editor.changeTime();
    editor.select(std::nullopt);
    editor.changeTime();
    editor.select(2);
    editor.changePassword();
    editor.select(1);
    editor.deleteScore();
    EXPECT_EQ(rows(), (Lines{"Level001=AAAA", "Level003=W", "Level004=ABCDEFGHI"}));
    EXPECT_EQ(platform.messages.size(), 10u);
}

TEST_F(IniEditorTest, GetInfoFailuresKeepTheLoadedSetAndItsFile) {
    loadSet("Highest Level=1\r\nLevel1=AAAA\r\n");
    editor.select(0);
    editor.setName = "SET.DAT";
    editor.getInfo();
    editor.iniFileName = (folder / "absent.ini").string();
    editor.getInfo();
    EXPECT_EQ(platform.messages,
              (std::vector{box("The specified level set couldn't be found in the INI file."),
                           box("The INI file couldn't be opened.")}));
    EXPECT_EQ(editor.selection(), 0u);

    // Later changes to the fields do not move the target of Save.
    editor.iniFileName = "elsewhere.ini";
    editor.insertAfter();
    editor.save();
    EXPECT_EQ(folder.read("scores.ini"),
              "[set.dat]\r\nHighest Level=2\r\nCurrent Score=0\r\nLevel1=AAAA\r\nLevel2=\r\n");
}

TEST_F(IniEditorTest, SaveAndSaveAsSayWhatWentWrong) {
    const std::string saveAsLastly = "\nPlease use Save As if you would like to save these scores.";
    platform.chooseFile((folder / "scores.ini").string(), "scores.ini");
    editor.browse();
    EXPECT_EQ(platform.dialogs[0].title + "|" + platform.dialogs[0].filterOrPrompt,
              "Browse for INI File|Chip's Challenge score files (.ini)|*.ini");
    EXPECT_EQ(platform.dialogs[0].startFolderOrDefault,
              scoreFileStartFolder(StartFolderEnvironment::fromSystem()));
    EXPECT_EQ(editor.iniFileName, (folder / "scores.ini").string());
    loadSet("Level1=AAAA\r\n");

    std::string many;
    for (int i = 1; i <= 999; ++i)
        many += "[set" + std::to_string(i) + ".dat]\r\n";
    folder.write("scores.ini", many + "[set.dat]\r\n");
    editor.save();
    EXPECT_EQ(platform.lastMessage(),
              box("Error - More than 999 level sets in the INI file, saving could not continue." +
                  saveAsLastly));
    std::filesystem::remove(folder / "scores.ini");
    editor.save();
    EXPECT_EQ(platform.lastMessage().text,
              "Error - The INI file couldn't be read, saving could not continue." + saveAsLastly);
    EXPECT_FALSE(std::filesystem::exists(folder / "scores.ini"));

    // Save As still writes the edits; Cancel or an empty name does nothing.
    platform.messages.clear();
    platform.cancelFileDialog();
    platform.chooseFile("", "");
    platform.chooseFile((folder / "copy.ini").string(), "copy.ini");
    platform.chooseFile((folder / "no" / "copy.ini").string(), "copy.ini");
    for (int i = 0; i < 4; ++i)
        editor.saveAs();
    EXPECT_EQ(folder.read("copy.ini"), "[set.dat]\r\nCurrent Score=0\r\nLevel1=AAAA\r\n\r\n");
    EXPECT_EQ(platform.dialogs.back().title + "|" + platform.dialogs.back().filterOrPrompt,
              "Save To File|Chip's Challenge score files (.ini)|*.ini");
    EXPECT_EQ(
        platform.messages,
        (std::vector{box("Error - The file couldn't be written, the scores were not saved.")}));
#ifdef __linux__
    // A file that reads but cannot be replaced: its link under /proc.
    const int file = ::open(folder.write("scores.ini", "[set.dat]\r\n").c_str(), O_RDONLY);
    editor.iniFileName = "/proc/self/fd/" + std::to_string(file);
    editor.getInfo();
    editor.save();
    ::close(file);
    EXPECT_EQ(platform.lastMessage().text,
              "Error - The INI file couldn't be written, saving could not continue." +
                  saveAsLastly);
#endif
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
