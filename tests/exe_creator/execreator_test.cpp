#include "common/paths.h"
#include "exe_creator/execreator.h"
#include "gameexe/gameexe.h"
#include "support/memorysettings.h"
#include "support/scriptedplatform.h"
#include "support/tempfolder.h"

#include <gtest/gtest.h>

namespace tessaro {
namespace {

class ExeCreatorTest : public ::testing::Test {
protected:
    test::TempFolder folder;
    test::ScriptedPlatform platform;
    test::MemorySettings settings;
    ExeCreator creator{platform, settings};
    const std::filesystem::path original = folder.write("game/ORIGINAL.EXE", test::makeGameExe());
    const std::string chips = folder.write("chips.Exe", test::makeGameExe()).string();

    void expectOk(const CommandResult& result, const std::string& message,
                  MessageIcon icon = MessageIcon::Exclamation, MessageButtons buttons = {}) {
        EXPECT_EQ(creator.ok(), result) << message;
        EXPECT_EQ(platform.lastMessage(),
                  (test::RecordedMessage{message, creator.caption(), icon, buttons}));
    }
};

// Names that fit their fields exactly are written unpadded.
TEST_F(ExeCreatorTest, OkChecksEachFieldThenWritesTheCopy) {
    creator.setMode(ExeCreatorMode::ExeCreator);
    platform.cancelFileDialog();
    expectOk(CommandResult::failed(), "You need to select an original EXE");
    EXPECT_EQ(platform.dialogs.back().title + "|" + platform.dialogs.back().filterOrPrompt,
              "Browse for original .exe...|Chip's EXE files|*.exe");
    creator.originalExe = chips;
    const std::string mine = (folder / "MINE.EXE").string();
    platform.chooseFile(mine, "MINE.EXE");
    expectOk(CommandResult::failed(), "You need to select a new EXE");
    EXPECT_EQ(platform.dialogs.back().title, "Browse for place to save new .exe...");
    expectOk(CommandResult::refused("NewIni"), "You need to type the name of your INI file");
    creator.iniName = "myscores.ini";
    expectOk(CommandResult::refused("NewIni"),
             "Error - the INI file name must be 11 characters or less");
    creator.iniName = "eleven.char";
    expectOk(CommandResult::refused("NewDat"), "You need to type the name of your level set");
    creator.dataName = "CCLP10.DAT";
    expectOk(CommandResult::refused("NewDat"),
             "Error - the data file name must be 9 characters or less");

    EXPECT_FALSE(std::filesystem::exists(mine));
    creator.dataName = "NAME1.DAT";
    expectOk(CommandResult::succeeded(), "Your new exe file (" + mine + ") is ready to play.",
             MessageIcon::None);
    EXPECT_EQ(folder.read("MINE.EXE"),
              test::patched(original, 144, 149, "NAME1.DAT", "eleven.char"));
    creator.originalExe = (folder / "GONE.EXE").string();
    expectOk(CommandResult::failed(), "Could not copy the original exe file (" +
                                          creator.originalExe + ") to " + mine +
                                          ". No new exe file was written.");
    // Level checks come before these; a level that is not a number counts as 0.
    const std::tuple<const char*, const char*, const char*> levels[] = {
        {"", "", "lev144"},         {"abc", "xyz", "lev144"},  {"144", "xyz", "lev149"},
        {"1000", "1000", "lev144"}, {"999", "1000", "lev149"}, {"150", "149", "lev149"}};
    for (const auto& [fake, real, focus] : levels) {
        creator.fakeLastLevel = fake, creator.realLastLevel = real;
        expectOk(CommandResult::refused(focus), std::string("Invalid level ") + (focus + 3));
    }
}

// Each mode keeps its own original executable: Quorvel never works on the remembered one.
TEST_F(ExeCreatorTest, EachModeKeepsItsOwnOriginalAndQuorvelWritesInPlace) {
    const auto switchTo = [&](ExeCreatorMode m) { return creator.setMode(m), creator.originalExe; };
    settings.set("EXE Creator", "OriginalExe", "/saved/CHIPS.EXE");
    EXPECT_EQ(switchTo(ExeCreatorMode::ExeCreator), "/saved/CHIPS.EXE");
    creator.originalExe = original.string();
    EXPECT_EQ(switchTo(ExeCreatorMode::Quorvel), "");
    creator.originalExe = chips;
    EXPECT_EQ(switchTo(ExeCreatorMode::ExeCreator), original.string());
    EXPECT_EQ(switchTo(ExeCreatorMode::Quorvel), chips);
    creator.fakeLastLevel = "20";
    // The game's own executable (by its name in any case) has no copy to go back to: No keeps it.
    // Any other name is changed without asking (the fault table's Quorvel rows).
    platform.answers = {MessageAnswer::No, MessageAnswer::Yes};
    expectOk(CommandResult::failed(),
             chips + " is the game's own executable. Change its last levels in place? (Use EXE "
                     "Creator to make a copy instead.)",
             MessageIcon::Question, MessageButtons::YesNo);
    EXPECT_EQ(folder.read("chips.Exe"), test::makeGameExe());
    expectOk(CommandResult::succeeded(), "Thank you for using Quorvel. Please use again!",
             MessageIcon::None);
    EXPECT_EQ(folder.read("chips.Exe"), test::patched(original, 20, 149));
    creator.exit();
    EXPECT_EQ(settings.get("EXE Creator", "OriginalExe", ""), "/saved/CHIPS.EXE");
    creator.setMode(ExeCreatorMode::ExeCreator);
    creator.exit(); // EXE Creator's Exit keeps its original
    EXPECT_EQ(settings.get("EXE Creator", "OriginalExe", ""), original.string());
}

} // namespace
} // namespace tessaro
