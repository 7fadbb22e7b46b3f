#include "common/paths.h"
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
                                       std::optional<std::string> home,
                                       std::optional<std::string> windowsFolder = {}) {
    return {std::move(windowsFolder), std::move(winePrefix), std::move(home),
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
        list.log.clear();
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

TEST_F(IniEditorTest, AReadOnlyScoreFileIsNotReplaced) {
    loadSet("Level1=AAAA\r\n");
    const auto locked = folder.write("locked.ini", "[other]\r\n");
    for (const auto& file : {folder / "scores.ini", locked})
        std::filesystem::permissions(file, std::filesystem::perms::owner_read);
    editor.insertAfter();
    editor.save();
    platform.chooseFile(locked.string(), "locked.ini");
    editor.saveAs();
    ASSERT_EQ(platform.messages.size(), 2u);
    EXPECT_EQ(platform.messages[0].text, IniEditor::kFileNotWritten);
    EXPECT_EQ(platform.messages[1].text, IniEditor::kSaveAsFailed);
    EXPECT_EQ(folder.read("scores.ini"), "[set.dat]\r\nLevel1=AAAA\r\n");
    EXPECT_EQ(folder.read("locked.ini"), "[other]\r\n");
}

TEST_F(IniEditorTest, NoEditMakesALevelNumberOutsideOneTo999) {
    std::string full;
    for (int i = 1; i <= 999; ++i)
        full += "Level" + std::to_string(i) + "=\r\n";
    loadSet(full);
    const test::RecordedMessage setIsFull{"Error - there are already 999 levels in this set",
                                          "INI File Editor", MessageIcon::Exclamation,
                                          MessageButtons::Ok};
    editor.select(0);
    editor.insertBefore();
    EXPECT_EQ(platform.lastMessage(), setIsFull);
    editor.select(998);
    editor.insertAfter();
    EXPECT_EQ(platform.messages.size(), 2u);
    EXPECT_EQ(editor.entryCount(), 999u);
    EXPECT_FALSE(editor.hasUnsavedChanges());

    // Only an entry that would pass 999 stops an insert.
    loadSet("Level1=A\r\nLevel999=B\r\n");
    editor.select(1);
    editor.insertAfter();
    editor.select(0);
    editor.insertAfter();
    EXPECT_EQ(rows(), (Lines{"Level001=A", "Level999=B", "Level003="}));
    EXPECT_EQ(platform.messages.size(), 3u);

    // Two entries numbered 1: deleting the first would renumber the second to 0.
    loadSet("Level1=A\r\nLevel1=B\r\nLevel2=C\r\n");
    editor.select(0);
    editor.deleteEntry();
    EXPECT_EQ(
        platform.lastMessage(),
        (test::RecordedMessage{"Error - deleting this entry would renumber Level001 to "
                               "Level000. Levels must be numbered 1 to 999.",
                               "INI File Editor", MessageIcon::Exclamation, MessageButtons::Ok}));
    EXPECT_EQ(editor.entryCount(), 3u);
    editor.select(1);
    editor.deleteEntry();
    editor.save();
    EXPECT_EQ(folder.read("scores.ini"),
              "[set.dat]\r\nCurrent Score=0\r\nLevel1=A\r\nLevel1=C\r\n");

    // Keys outside 1 to 999 in the file stay as they are, through every save.
    loadSet("Highest Level=1\r\nLevel0=ZERO\r\nLevel1=A\r\nLevel1000=BIG\r\n");
    editor.save();
    editor.getInfo();
    editor.save();
    EXPECT_EQ(folder.read("scores.ini"), "[set.dat]\r\nHighest Level=1\r\nCurrent Score=0\r\n"
                                         "Level1=A\r\nLevel0=ZERO\r\nLevel1000=BIG\r\n");
}

TEST_F(IniEditorTest, ClosingWithUnsavedEditsAsksFirst) {
    loadSet("Level1=AAAA,10,600\r\nLevel2=BBBB\r\n");
    const auto file = folder.read("scores.ini");
    EXPECT_TRUE(editor.confirmClose());
    editor.select(1);
    editor.moveUp();
    editor.moveDown(); // back as loaded
    EXPECT_TRUE(editor.confirmClose());
    EXPECT_TRUE(platform.messages.empty());

    editor.deleteScore();
    editor.select(0);
    editor.deleteScore();
    platform.answer(MessageAnswer::Cancel);
    EXPECT_FALSE(editor.confirmClose());
    EXPECT_EQ(platform.lastMessage(),
              (test::RecordedMessage{"Save changes to " + (folder / "scores.ini").string() + "?",
                                     "INI File Editor", MessageIcon::Question,
                                     MessageButtons::YesNoCancel}));
    platform.answer(MessageAnswer::No);
    EXPECT_TRUE(editor.confirmClose());
    EXPECT_EQ(folder.read("scores.ini"), file);

    // Yes saves; a save that fails keeps the window open.
    std::filesystem::remove(folder / "scores.ini");
    platform.answer(MessageAnswer::Yes);
    EXPECT_FALSE(editor.confirmClose());
    EXPECT_EQ(platform.lastMessage().text.substr(0, 40),
              "Error - The INI file couldn't be read, s");
    folder.write("scores.ini", file);
    platform.answer(MessageAnswer::Yes);
    EXPECT_TRUE(editor.confirmClose());
    EXPECT_FALSE(editor.hasUnsavedChanges());
    EXPECT_EQ(folder.read("scores.ini"),
              "[set.dat]\r\nCurrent Score=0\r\nLevel1=AAAA\r\nLevel2=BBBB\r\n");

    // Save As saves too, adding ".ini" to a name without an extension.
    editor.insertBefore();
    platform.chooseFile((folder / "copy").string(), "copy");
    editor.saveAs();
    EXPECT_TRUE(std::filesystem::exists(folder / "copy.ini"));
    EXPECT_FALSE(std::filesystem::exists(folder / "copy"));
    EXPECT_FALSE(editor.hasUnsavedChanges());
    editor.insertBefore();
    platform.chooseFile((folder / "scores.old").string(), "scores.old");
    editor.saveAs();
    EXPECT_TRUE(std::filesystem::exists(folder / "scores.old"));
    EXPECT_EQ(platform.unscriptedQuestions, 0);
}

// The set name is looked up, and saved, as the game wrote it: in Windows-1252.
TEST_F(IniEditorTest, SetNamesAreFoundInTheGamesCodePage) {
    const std::string ini = "[Caf\xE9.dat]\r\nLevel1=CAFE\r\n[Don\x92t.dat]\r\nLevel1=DONT\r\n";
    editor.iniFileName = fromPath(folder.write("Иван/scores.ini", ini));
    for (const auto& [name, row] :
         {std::pair{"Café.dat", "Level001=CAFE"}, std::pair{"Don’t.dat", "Level001=DONT"}}) {
        editor.setName = name;
        editor.getInfo();
        EXPECT_EQ(rows(), Lines{row}) << name;
    }
    editor.setName = "Иван.dat"; // no section the game wrote can have that name
    editor.getInfo();
    EXPECT_EQ(platform.lastMessage().text, IniEditor::kSetNotFound);
    EXPECT_EQ(rows(), Lines{"Level001=DONT"});
    editor.save();
    EXPECT_NE(folder.read("Иван/scores.ini").find("[Caf\xE9.dat]\r\nLevel1=CAFE\r\n[Don\x92t.dat]"),
              std::string::npos);
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
}

TEST(ScoreFileStartFolder, WindowsThenTheWinePrefixThenHome) {
    const std::string wine = "/p/drive_c/windows";
    const std::string homeWine = "/home/u/.wine/drive_c/windows";
    const std::string windows = "D:\\Win";
    // The folder Windows reports, not a fixed C:\WINDOWS.
    EXPECT_EQ(scoreFileStartFolder(environmentWith({windows, wine}, "/p", "/home/u", windows)),
              windows);
    EXPECT_EQ(scoreFileStartFolder(environmentWith({"C:\\WINDOWS", wine}, "/p", "/home/u")), wine);
    EXPECT_EQ(scoreFileStartFolder(environmentWith({wine, homeWine}, "/p/", "/home/u")), wine);
    EXPECT_EQ(scoreFileStartFolder(environmentWith({homeWine}, std::nullopt, "/home/u")), homeWine);
    // A prefix set but without a windows folder: the default prefix is not tried.
    EXPECT_EQ(scoreFileStartFolder(environmentWith({homeWine}, "/p", "/home/u")), "/home/u");
    EXPECT_EQ(scoreFileStartFolder(environmentWith({}, std::nullopt, std::nullopt)), "");
#ifdef _WIN32
    const auto system = StartFolderEnvironment::fromSystem();
    ASSERT_TRUE(system.windowsFolder);
    EXPECT_EQ(scoreFileStartFolder(system), *system.windowsFolder);
#endif
}

} // namespace
} // namespace tessaro
