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
    ExeCreator creator{platform, settings, [] { return std::string("/levels"); }};
    const std::filesystem::path original = folder.write("game/ORIGINAL.EXE", test::makeGameExe());
    const std::string chips = folder.write("CHIPS.EXE", test::makeGameExe()).string();

    RecordedMessage box(const std::string& text, const char* title = "EXE Creator") {
        return {text, title, MessageIcon::Exclamation, MessageButtons::Ok};
    }
    void expectRefused(const std::string& focus, const std::string& message) {
        EXPECT_EQ(creator.ok(), CommandResult::refused(focus)) << message;
        EXPECT_EQ(platform.lastMessage(), box(message));
    }
};

// Level checks come first, in order; a level that is not a number counts as 0.
TEST_F(ExeCreatorTest, LevelChecksComeInOrderWithTheirFocus) {
    creator.originalExe = chips; // a level let through would ask for the new exe
    struct Case {
        const char *fake, *real, *focus;
    };
    for (const auto& c : {Case{"", "", "lev144"}, Case{"abc", "xyz", "lev144"},
                          Case{"144", "xyz", "lev149"}, Case{"1000", "1000", "lev144"},
                          Case{"999", "1000", "lev149"}, Case{"150", "149", "lev149"}}) {
        creator.fakeLastLevel = c.fake;
        creator.realLastLevel = c.real;
        expectRefused(c.focus, std::string("Invalid level ") + (c.focus + 3));
    }
    EXPECT_TRUE(platform.dialogs.empty());
}

// Each check refuses before anything is written; names that fit exactly are
// written unpadded.
TEST_F(ExeCreatorTest, OkChecksEachFieldThenWritesTheCopy) {
    creator.setMode(ExeCreatorMode::ExeCreator);
    platform.cancelFileDialog();
    EXPECT_EQ(creator.ok(), CommandResult::failed());
    EXPECT_EQ(platform.lastMessage(), box("You need to select an original EXE"));
    EXPECT_EQ(platform.dialogs.back().title + "|" + platform.dialogs.back().filterOrPrompt,
              "Browse for original .exe...|Chip's EXE files|*.exe");
    creator.originalExe = chips;
    const std::string mine = (folder / "MINE.EXE").string();
    platform.chooseFile(mine, "MINE.EXE");
    EXPECT_EQ(creator.ok(), CommandResult::failed());
    EXPECT_EQ(platform.lastMessage(), box("You need to select a new EXE"));
    EXPECT_EQ(platform.dialogs.back().title, "Browse for place to save new .exe...");
    EXPECT_EQ(creator.newExe, mine);
    expectRefused("NewIni", "You need to type the name of your INI file");
    creator.iniName = "myscores.ini";
    expectRefused("NewIni", "Error - the INI file name must be 11 characters or less");
    creator.iniName = "eleven.char";
    expectRefused("NewDat", "You need to type the name of your level set");
    creator.dataName = "CCLP10.DAT";
    expectRefused("NewDat", "Error - the data file name must be 9 characters or less");
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
}

// Each mode shows its own last original executable, so Quorvel never works on
// the remembered one; dialogs start beside the named file, else in the main
// window's folder.
TEST_F(ExeCreatorTest, EachModeKeepsItsOwnOriginalAndQuorvelWritesInPlace) {
    settings.set("EXE Creator", "OriginalExe", "/saved/CHIPS.EXE");
    creator.setMode(ExeCreatorMode::ExeCreator);
    EXPECT_EQ(creator.originalExe, "/saved/CHIPS.EXE");
    platform.chooseFile(original.string(), "ORIGINAL.EXE");
    creator.browseOriginal();
    EXPECT_EQ(platform.dialogs.back().startFolderOrDefault, "/levels");

    creator.setMode(ExeCreatorMode::Quorvel);
    EXPECT_EQ(creator.originalExe, "");
    platform.chooseFile(chips, "CHIPS.EXE");
    creator.browseOriginal();
    creator.setMode(ExeCreatorMode::ExeCreator);
    platform.cancelFileDialog();
    creator.browseOriginal();
    EXPECT_EQ(creator.originalExe, original.string());
    EXPECT_EQ(platform.dialogs.back().startFolderOrDefault, (folder / "game").string());

    creator.setMode(ExeCreatorMode::Quorvel);
    EXPECT_EQ(creator.originalExe, chips);
    creator.fakeLastLevel = "20";
    EXPECT_EQ(creator.ok(), CommandResult::succeeded());
    EXPECT_EQ(platform.lastMessage(),
              (RecordedMessage{"Thank you for using Quorvel. Please use again!", "Quorvel",
                               MessageIcon::None, MessageButtons::Ok}));
    EXPECT_EQ(folder.read("CHIPS.EXE"), test::patched(original, 20, 149));
    creator.exit();
    EXPECT_EQ(settings.get("EXE Creator", "OriginalExe", ""), "/saved/CHIPS.EXE");
    creator.setMode(ExeCreatorMode::ExeCreator);
    creator.exit(); // EXE Creator's Exit keeps its original
    EXPECT_EQ(settings.get("EXE Creator", "OriginalExe", ""), original.string());
}

} // namespace
} // namespace tessaro
