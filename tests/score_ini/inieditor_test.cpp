#include "score_ini/inieditor.h"
#include "support/scriptedplatform.h"
#include "support/tempfolder.h"

#include <gtest/gtest.h>

namespace tessaro {
namespace {

using Lines = std::vector<std::string>;

class IniEditorTest : public testing::Test {
protected:
    test::TempFolder folder;
    test::ScriptedPlatform platform;
    // Only the Wine prefix "/p" has a Windows folder: dialogs start there.
    IniEditor editor{platform,
                     {std::nullopt, "/p", "/home/u", [](auto& path) { return path[1] == 'p'; }}};

    void loadSet(const std::string& lines) {
        editor.iniFileName = folder.write("scores.ini", "[set.dat]\r\n" + lines).string();
        editor.setName = "set.dat";
        editor.getInfo();
    }

    static test::RecordedMessage box(const std::string& text,
                                     MessageIcon icon = MessageIcon::Exclamation,
                                     const std::string& title = "INI File Editor") {
        return {text, title, icon, MessageButtons::Ok};
    }

    Lines rows() const {
        Lines rows;
        for (std::size_t i = 0; i < editor.entryCount(); ++i)
            rows.push_back(editor.entryText(i));
        return rows;
    }
};

TEST_F(IniEditorTest, EditsKeepTheRestOfTheValueAndRescoreByPosition) {
    loadSet("Level1=AAAA\r\nLevel3=CCCC,120,2160\r\nLevel4=\r\n");
    editor.select(1);
    // Every bad answer, Cancel included, is refused; an unsolved entry takes a time silently.
    platform.lineInputs = {"100", "-1", std::nullopt, "W", "ABCDEFGHIJ", "A=B", "50", "ABCDEFGHI"};
    for (int i = 0; i < 3; ++i)
        editor.changeTime();
    for (int i = 0; i < 3; ++i)
        editor.changePassword();
    editor.select(0);
    editor.changeTime();
    editor.select(2);
    editor.changePassword();
    EXPECT_EQ(rows(), (Lines{"Level001=AAAA", "Level003=W,100,1960", "Level004=ABCDEFGHI"}));
    const auto time = box("Error - not a valid level time", MessageIcon::Information, "Tessaro");
    const auto password = box("Error - invalid password", MessageIcon::Information, "Tessaro");
    EXPECT_EQ(platform.messages, (std::vector{time, time, password, password}));
    EXPECT_EQ(platform.dialogs[0].title + "|" + platform.dialogs[3].filterOrPrompt,
              "Enter New Time|Enter the new password (1-9 characters, 4 is preferred):");

    loadSet("Level1=AAAA,100,1500\r\nLevel2=BBBB=tail\r\nLevel5=CCCC,120,2160\r\n");
    editor.select(2);
    editor.moveUp(); // 10 x 120 + the level 2 bonus after two steps, 640
    EXPECT_EQ(rows(), (Lines{"Level001=AAAA,100,1500", "Level002=CCCC,120,1840", "Level005=BBBB"}));
    // The text after a second "=" moves with its value.
    EXPECT_EQ(fileLine(editor.section()->levelEntries[2]), "Level5=BBBB=tail");
    EXPECT_EQ(editor.selection(), 1u);
    editor.moveDown();
    editor.moveDown(); // already last
    EXPECT_EQ(editor.selection(), 2u);
    editor.select(0);
    editor.moveUp(); // already first

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

    editor.select(0);
    editor.deleteEntry();
    EXPECT_EQ(editor.selection(), 0u);
    editor.select(4);
    editor.deleteEntry();
    EXPECT_EQ(editor.selection(), std::nullopt);
    editor.deleteEntry(); // nothing selected
    EXPECT_EQ(rows(), (Lines{"Level001=", "Level002=BBBB", "Level003=", "Level006=CCCC,120,2480"}));

    // No edit makes a level number outside 1 to 999: the highest number runs out, not the count.
    loadSet("Level1=\r\nLevel999=\r\n");
    editor.select(0);
    editor.insertBefore();
    EXPECT_EQ(platform.lastMessage(), box("Error - there are already 999 levels in this set"));
    EXPECT_FALSE(editor.hasUnsavedChanges());

    // Two entries numbered 1: deleting the first would renumber the second to 0.
    loadSet("Level1=A\r\nLevel1=B\r\nLevel2=C\r\n");
    editor.select(0);
    editor.deleteEntry();
    EXPECT_EQ(platform.lastMessage(),
              box("Error - deleting this entry would renumber Level001 to Level000. Levels must "
                  "be numbered 1 to 999."));
    editor.select(1);
    editor.deleteEntry();
    editor.save();
    EXPECT_EQ(folder.read("scores.ini"),
              "[set.dat]\r\nCurrent Score=0\r\nLevel1=A\r\nLevel1=C\r\n");
}

// Failed loads keep the set and the file Save writes to; failed writes are the fault table's.
TEST_F(IniEditorTest, GetInfoSaveAndCloseSayWhatWentWrong) {
    loadSet("Highest Level=1\r\nLevel1=AAAA\r\n");
    editor.select(0);
    editor.setName = "SET.DAT";
    editor.getInfo();
    editor.iniFileName = (folder / "absent.ini").string();
    editor.getInfo();
    editor.insertAfter();
    editor.save();
    editor.insertAfter();
    std::filesystem::remove(folder / "scores.ini");
    platform.answer(MessageAnswer::Yes); // the save fails: the window stays
    EXPECT_FALSE(editor.confirmClose());
    platform.answer(MessageAnswer::No);
    EXPECT_TRUE(editor.confirmClose());
    const auto notRead = box("Error - The INI file couldn't be read, saving could not continue.\n"
                             "Please use Save As if you would like to save these scores.");
    const test::RecordedMessage question{
        "Save changes to " + (folder / "scores.ini").string() + "?", "INI File Editor",
        MessageIcon::Question, MessageButtons::YesNoCancel};
    EXPECT_EQ(platform.messages,
              (std::vector{box("The specified level set couldn't be found in the INI file."),
                           box("The INI file couldn't be opened."), question, notRead, question}));

    // Save As still writes the edits, adding ".ini" to a bare name; Cancel does nothing.
    platform.cancelFileDialog();
    platform.chooseFile((folder / "copy").string(), "copy");
    editor.saveAs();
    editor.saveAs();
    EXPECT_EQ(folder.read("copy.ini"), "[set.dat]\r\nHighest Level=3\r\nCurrent "
                                       "Score=0\r\nLevel1=AAAA\r\nLevel2=\r\nLevel3=\r\n\r\n");
    const auto& dialog = platform.dialogs.back();
    EXPECT_EQ(dialog.title + "|" + dialog.filterOrPrompt + "|" + dialog.startFolderOrDefault,
              "Save To File|Chip's Challenge score files (.ini)|*.ini|/p/drive_c/windows");
    EXPECT_EQ(platform.messages.size(), 5u);
    EXPECT_FALSE(editor.hasUnsavedChanges());
}

} // namespace
} // namespace tessaro
