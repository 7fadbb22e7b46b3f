#include "exe_creator/execreator.h"
#include "gameexe.h"
#include "support/memorysettings.h"
#include "support/scriptedplatform.h"
#include "support/tempfolder.h"

#include <gtest/gtest.h>

namespace tessaro {
namespace {

// Level checks come in order; a level that is not a number counts as 0.
TEST(ExeCreator, LevelChecksComeInOrderWithTheirFocus) {
    test::ScriptedPlatform platform;
    test::MemorySettings settings;
    ExeCreator creator{platform, settings};
    creator.originalExe = "C:\\CHIPS\\CHIPS.EXE"; // a level let through would ask for the new exe
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
        EXPECT_EQ(creator.ok(), c.focus) << c.fakeLastLevel << "/" << c.realLastLevel;
        ASSERT_EQ(platform.messages.size(), 1u);
        EXPECT_EQ(platform.messages[0].text, "Invalid level " + c.focus.substr(3));
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
        EXPECT_EQ(creator.ok(), c.focus);
        EXPECT_EQ(platform.lastMessage(),
                  (test::RecordedMessage{c.message, "EXE Creator", MessageIcon::Exclamation,
                                         MessageButtons::Ok}));
        EXPECT_FALSE(std::filesystem::exists(folder / "NEW.EXE"));
    }
    creator.dataName = "CCLP1.DAT";
    EXPECT_EQ(creator.ok(), "");
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

} // namespace
} // namespace tessaro
