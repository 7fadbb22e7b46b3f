#include "common/safewriter.h"
#include "exe_creator/execreator.h"
#include "gameexe.h"
#include "support/memorysettings.h"
#include "support/scriptedplatform.h"
#include "support/tempfolder.h"

#include <gtest/gtest.h>

namespace tessaro {
namespace {

using test::RecordedMessage;

class ExeCreatorTest : public ::testing::Test {
protected:
    test::TempFolder folder;
    test::ScriptedPlatform platform;
    test::MemorySettings settings;
    ExeCreator creator{platform, settings};
    const std::string original = test::makeGameExe();
    const std::string chips = folder.write("CHIPS.EXE", original).string();

    RecordedMessage box(const std::string& text, const char* title = "EXE Creator") {
        return {text, title, MessageIcon::Exclamation, MessageButtons::Ok};
    }
};

// Level checks come in order; a level that is not a number counts as 0.
TEST_F(ExeCreatorTest, LevelChecksComeInOrderWithTheirFocus) {
    creator.originalExe = chips; // a level let through would ask for the new exe
    struct Case {
        std::string fakeLastLevel, realLastLevel, focus;
    };
    const Case cases[] = {
        {"", "", "lev144"},        {"144", "", "lev149"},    {"abc", "xyz", "lev144"},
        {"144", "xyz", "lev149"},  {"0", "149", "lev144"},   {"1000", "1000", "lev144"},
        {"999", "1000", "lev149"}, {"150", "149", "lev149"}, {"99999", "149", "lev144"},
    };
    for (const auto& c : cases) {
        creator.fakeLastLevel = c.fakeLastLevel;
        creator.realLastLevel = c.realLastLevel;
        platform.messages.clear();
        EXPECT_EQ(creator.ok(), CommandResult::refused(c.focus))
            << c.fakeLastLevel << "/" << c.realLastLevel;
        ASSERT_EQ(platform.messages.size(), 1u);
        EXPECT_EQ(platform.messages[0], box("Invalid level " + c.focus.substr(3)));
    }
    EXPECT_TRUE(platform.dialogs.empty());
}

// Names the executable's fields cannot hold whole are refused before anything
// is written; names that fit exactly are written unpadded.
TEST(ExeCreator, NamesLongerThanTheirFieldsAreRefusedBeforeAnythingIsWritten) {
    test::TempFolder folder;
    test::ScriptedPlatform platform;
    test::MemorySettings settings;
    ExeCreator creator{platform, settings};
    creator.setMode(ExeCreatorMode::ExeCreator);
    const auto original = test::makeGameExe();
    creator.originalExe = folder.write("CHIPS.EXE", original).string();
    creator.newExe = (folder / "NEW.EXE").string();
    struct Case {
        std::string iniName, dataName, focus, message;
    };
    const Case cases[] = {
        {"myscores.ini", "NAME1.DAT", "NewIni",
         "Error - the INI file name must be 11 characters or less"},
        {"myscore.ini", "CCLP10.DAT", "NewDat",
         "Error - the data file name must be 9 characters or less"},
    };
    for (const auto& c : cases) {
        creator.iniName = c.iniName;
        creator.dataName = c.dataName;
        platform.messages.clear();
        EXPECT_EQ(creator.ok().focus, c.focus);
        EXPECT_EQ(platform.lastMessage(),
                  (test::RecordedMessage{c.message, "EXE Creator", MessageIcon::Exclamation,
                                         MessageButtons::Ok}));
        EXPECT_FALSE(std::filesystem::exists(folder / "NEW.EXE"));
    }
    creator.dataName = "CCLP1.DAT";
    EXPECT_TRUE(creator.ok().done);
    EXPECT_EQ(folder.read("NEW.EXE"),
              test::patched(original, 144, 149, "CCLP1.DAT", "myscore.ini"));
}

// Each mode shows its own last original executable; dialogs start in the
// folder of the file a field names, else in the main window's folder.
TEST(ExeCreator, EachModeKeepsItsOwnOriginalAndDialogsStartBesideIt) {
    test::TempFolder folder;
    test::ScriptedPlatform platform;
    test::MemorySettings settings;
    settings.set("EXE Creator", "OriginalExe", "/saved/CHIPS.EXE");
    std::string mainFolder = "/levels";
    ExeCreator creator{platform, settings, [&mainFolder] { return mainFolder; }};
    creator.setMode(ExeCreatorMode::ExeCreator);
    EXPECT_EQ(creator.originalExe, "/saved/CHIPS.EXE");
    const auto copyFrom = folder.write("game/CHIPS.EXE", "").string();
    platform.chooseFile(copyFrom, "CHIPS.EXE");
    creator.browseOriginal();
    EXPECT_EQ(platform.dialogs.back().startFolderOrDefault, "/levels");

    creator.setMode(ExeCreatorMode::Quorvel);
    EXPECT_EQ(creator.originalExe, "");
    platform.chooseFile("/games/PLAY.EXE", "PLAY.EXE");
    creator.browseOriginal();
    creator.setMode(ExeCreatorMode::ExeCreator);
    EXPECT_EQ(creator.originalExe, copyFrom);
    creator.setMode(ExeCreatorMode::ExeCreator);
    EXPECT_EQ(creator.originalExe, copyFrom);
    platform.cancelFileDialog();
    creator.browseOriginal();
    EXPECT_EQ(creator.originalExe, copyFrom);
    EXPECT_EQ(platform.dialogs.back().startFolderOrDefault, (folder / "game").string());
    creator.setMode(ExeCreatorMode::Quorvel);
    EXPECT_EQ(creator.originalExe, "/games/PLAY.EXE");

    mainFolder = "/other";
    platform.cancelFileDialog();
    creator.browseNew();
    EXPECT_EQ(platform.dialogs.back().startFolderOrDefault, "/other");
}

TEST_F(ExeCreatorTest, MissingPathsOpenTheirDialogsAndTheCopyIsReported) {
    creator.setMode(ExeCreatorMode::ExeCreator);
    platform.cancelFileDialog();
    EXPECT_EQ(creator.ok(), CommandResult::failed());
    EXPECT_EQ(platform.lastMessage(), box("You need to select an original EXE"));
    EXPECT_EQ(platform.dialogs.back().title, "Browse for original .exe...");
    EXPECT_EQ(platform.dialogs.back().filterOrPrompt, "Chip's EXE files|*.exe");

    creator.originalExe = chips;
    const std::string mine = (folder / "MINE.EXE").string();
    platform.chooseFile(mine, "MINE.EXE");
    EXPECT_EQ(creator.ok(), CommandResult::failed());
    EXPECT_EQ(platform.lastMessage(), box("You need to select a new EXE"));
    EXPECT_EQ(platform.dialogs.back().title, "Browse for place to save new .exe...");
    EXPECT_EQ(creator.newExe, mine);
    EXPECT_EQ(creator.ok(), CommandResult::refused("NewIni"));
    EXPECT_EQ(platform.lastMessage(), box("You need to type the name of your INI file"));
    creator.iniName = "eleven.char";
    EXPECT_EQ(creator.ok(), CommandResult::refused("NewDat"));
    EXPECT_EQ(platform.lastMessage(), box("You need to type the name of your level set"));
    EXPECT_FALSE(std::filesystem::exists(mine));

    creator.dataName = "NAME1.DAT";
    EXPECT_EQ(creator.ok(), CommandResult::succeeded());
    EXPECT_EQ(platform.lastMessage(),
              (RecordedMessage{"Your new exe file (" + mine + ") is ready to play.", "EXE Creator",
                               MessageIcon::None, MessageButtons::Ok}));
    EXPECT_EQ(folder.read("MINE.EXE"),
              test::patched(original, 144, 149, "NAME1.DAT", "eleven.char"));

    creator.originalExe = (folder / "GONE.EXE").string();
    EXPECT_EQ(creator.ok(), CommandResult::failed());
    EXPECT_EQ(platform.lastMessage(),
              box("Could not copy the original exe file (" + creator.originalExe + ") to " + mine +
                  ". No new exe file was written."));
    creator.originalExe = chips;
    ScopedWriteFailure full(WriteStep::Write); // a disk that fills up part-way
    EXPECT_EQ(creator.ok(), CommandResult::failed());
    EXPECT_EQ(platform.lastMessage(),
              box("Could not write the new names and levels into the new exe file (" + mine +
                  "). No new exe file was written."));
    EXPECT_EQ(folder.read("MINE.EXE"),
              test::patched(original, 144, 149, "NAME1.DAT", "eleven.char"));
}

// Quorvel works on the executable it is given, never on the remembered one.
TEST_F(ExeCreatorTest, QuorvelWritesTheLevelsInPlaceAndLeavesTheSettingAlone) {
    settings.values[{"EXE Creator", "OriginalExe"}] = "C:\\CHIPS\\CHIPS.EXE";
    creator.setMode(ExeCreatorMode::Quorvel);
    EXPECT_EQ(creator.originalExe, "");
    EXPECT_EQ(creator.caption() + "|" + creator.headings(), "Quorvel|Name of the original .exe:");
    EXPECT_FALSE(creator.showsNewExeFields());
    creator.originalExe = chips;
    creator.setMode(ExeCreatorMode::Quorvel);
    creator.fakeLastLevel = "20";
    EXPECT_EQ(creator.ok(), CommandResult::succeeded());
    EXPECT_EQ(platform.lastMessage(),
              (RecordedMessage{"Thank you for using Quorvel. Please use again!", "Quorvel",
                               MessageIcon::None, MessageButtons::Ok}));
    EXPECT_EQ(folder.read("CHIPS.EXE"), test::patched(original, 20, 149));
    creator.originalExe = (folder / "GONE.EXE").string();
    EXPECT_EQ(creator.ok(), CommandResult::failed());
    EXPECT_EQ(platform.lastMessage(),
              box("Could not write the new levels into " + creator.originalExe +
                      ". Check that the file exists and is not read-only.",
                  "Quorvel"));
    creator.exit();
    EXPECT_TRUE(settings.writes.empty());

    // EXE Creator mode fills the original from the setting again; its Exit keeps it.
    creator.setMode(ExeCreatorMode::ExeCreator);
    EXPECT_EQ(creator.originalExe, "C:\\CHIPS\\CHIPS.EXE");
    creator.originalExe = chips;
    creator.exit();
    EXPECT_EQ(settings.get("EXE Creator", "OriginalExe", ""), chips);
}

} // namespace
} // namespace tessaro
