#include "exe_creator/execreator.h"
#include "gameexe.h"
#include "support/memorysettings.h"
#include "support/scriptedplatform.h"
#include "support/tempfolder.h"

#include <gtest/gtest.h>

namespace tessaro {
namespace {

using test::makeGameExe;
using test::RecordedMessage;
using test::withLevels;

RecordedMessage refusal(const std::string& text, const std::string& title) {
    return {text, title, MessageIcon::Exclamation, MessageButtons::Ok};
}

class ExeCreatorTest : public ::testing::Test {
  protected:
    ExeCreatorTest() {
        folder.write("CHIPS.EXE", original);
        settings.values[{"EXE Creator", "OriginalExe"}] = (folder / "CHIPS.EXE").string();
        creator.setMode(ExeCreatorMode::ExeCreator);
    }

    // Fields that pass every check.
    void fillAll() {
        creator.newExe = (folder / "MINE.EXE").string();
        creator.newIni = "mine.ini";
        creator.newDat = "MINE.DAT";
    }

    test::TempFolder folder;
    const std::string original = makeGameExe();
    test::ScriptedPlatform platform;
    test::MemorySettings settings;
    ExeCreator creator{platform, settings};
};

TEST_F(ExeCreatorTest, LevelChecksComeInOrderWithTheirFocus) {
    fillAll();
    struct Case {
        std::string lev144, lev149, text, focus;
    };
    const Case cases[] = {
        {"", "", "Invalid level 144", "lev144"},
        {"144", "", "Invalid level 149", "lev149"},
        {"abc", "xyz", "Invalid level 144", "lev144"}, // not a number counts as 0
        {"144", "xyz", "Invalid level 149", "lev149"},
        {"0", "149", "Invalid level 144", "lev144"},
        {"1000", "1000", "Invalid level 144", "lev144"},
        {"999", "1000", "Invalid level 149", "lev149"},
        {"150", "149", "Invalid level 149", "lev149"},
        {"99999", "149", "Invalid level 144", "lev144"}, // beyond 16 bits
    };
    for (const auto& c : cases) {
        creator.lev144 = c.lev144;
        creator.lev149 = c.lev149;
        platform.messages.clear();
        EXPECT_EQ(creator.ok(), c.focus) << c.lev144 << "/" << c.lev149;
        ASSERT_EQ(platform.messages.size(), 1u);
        EXPECT_EQ(platform.messages[0], refusal(c.text, "EXE Creator"));
    }
    EXPECT_FALSE(std::filesystem::exists(folder / "MINE.EXE"));
    EXPECT_TRUE(platform.dialogs.empty());
}

TEST_F(ExeCreatorTest, MissingPathsOpenTheirBrowseDialogAtOnce) {
    creator.origExe.clear();
    platform.chooseFile("C:\\GAMES\\CHIPS.EXE", "CHIPS.EXE");
    EXPECT_EQ(creator.ok(), "");
    EXPECT_EQ(platform.lastMessage(), refusal("You need to select an original EXE", "EXE Creator"));
    ASSERT_EQ(platform.dialogs.size(), 1u);
    EXPECT_EQ(platform.dialogs[0].kind, test::DialogKind::Open);
    EXPECT_EQ(platform.dialogs[0].title, "Browse for original .exe...");
    EXPECT_EQ(platform.dialogs[0].filterOrPrompt, "Chip's EXE files|*.exe");
    EXPECT_EQ(creator.origExe, "C:\\GAMES\\CHIPS.EXE");

    // The empty original is noticed before the levels are read.
    creator.origExe.clear();
    creator.lev144 = "0";
    platform.cancelFileDialog();
    creator.ok();
    EXPECT_EQ(platform.lastMessage().text, "You need to select an original EXE");
    EXPECT_EQ(creator.origExe, "");
    creator.lev144 = "144";

    creator.origExe = (folder / "CHIPS.EXE").string();
    platform.chooseFile("C:\\GAMES\\NEW.EXE", "NEW.EXE");
    EXPECT_EQ(creator.ok(), "");
    EXPECT_EQ(platform.lastMessage(), refusal("You need to select a new EXE", "EXE Creator"));
    ASSERT_EQ(platform.dialogs.size(), 3u);
    EXPECT_EQ(platform.dialogs[2].kind, test::DialogKind::Save);
    EXPECT_EQ(platform.dialogs[2].title, "Browse for place to save new .exe...");
    EXPECT_EQ(platform.dialogs[2].filterOrPrompt, "Chip's EXE files|*.exe");
    EXPECT_EQ(creator.newExe, "C:\\GAMES\\NEW.EXE");

    EXPECT_EQ(creator.ok(), "NewIni");
    EXPECT_EQ(platform.lastMessage(),
              refusal("You need to type the name of your INI file", "EXE Creator"));
    creator.newIni = "x.ini";
    EXPECT_EQ(creator.ok(), "NewDat");
    EXPECT_EQ(platform.lastMessage(),
              refusal("You need to type the name of your level set", "EXE Creator"));
    EXPECT_EQ(platform.unscriptedQuestions, 0);
}

TEST_F(ExeCreatorTest, OkWritesTheNewExeAndSaysSo) {
    fillAll();
    creator.lev144 = " 999 ";
    creator.lev149 = "999";
    EXPECT_EQ(creator.ok(), "");
    const auto newExe = (folder / "MINE.EXE").string();
    EXPECT_EQ(platform.lastMessage(),
              (RecordedMessage{"Your new exe file (" + newExe + ") is ready to play.",
                               "EXE Creator", MessageIcon::None, MessageButtons::Ok}));
    auto expected = withLevels(original, 999, 999);
    expected.replace(19156, 9, "MINE.DAT ");
    expected.replace(19048, 11, "mine.ini   ");
    EXPECT_EQ(folder.read("MINE.EXE"), expected);
    EXPECT_EQ(folder.read("CHIPS.EXE"), original);
}

TEST_F(ExeCreatorTest, AFailedCopyIsReportedNotCelebrated) {
    fillAll();
    creator.origExe = (folder / "GONE.EXE").string();
    creator.ok();
    const auto newExe = (folder / "MINE.EXE").string();
    ASSERT_EQ(platform.messages.size(), 1u);
    EXPECT_EQ(platform.lastMessage(),
              refusal("Could not copy the original exe file (" + creator.origExe + ") to " +
                          newExe + ". No new exe file was written.",
                      "EXE Creator"));
    EXPECT_FALSE(std::filesystem::exists(folder / "MINE.EXE"));
}

TEST_F(ExeCreatorTest, QuorvelRewritesOnlyTheLevelsInPlace) {
    fillAll();
    creator.setMode(ExeCreatorMode::Quorvel);
    creator.origExe = (folder / "CHIPS.EXE").string();
    creator.lev144 = "10";
    creator.lev149 = "12";
    EXPECT_EQ(creator.ok(), "");
    EXPECT_EQ(platform.lastMessage(),
              (RecordedMessage{"Thank you for using Quorvel. Please use again!", "Quorvel",
                               MessageIcon::None, MessageButtons::Ok}));
    EXPECT_EQ(folder.read("CHIPS.EXE"), withLevels(original, 10, 12));
    EXPECT_FALSE(std::filesystem::exists(folder / "MINE.EXE"));

    creator.lev144 = "";
    creator.ok();
    EXPECT_EQ(platform.lastMessage(), refusal("Invalid level 144", "Quorvel"));

    creator.lev144 = "10";
    creator.origExe = (folder / "GONE.EXE").string();
    creator.ok();
    EXPECT_EQ(platform.lastMessage(),
              refusal("Could not write the new levels into " + creator.origExe +
                          ". Check that the file exists and is not read-only.",
                      "Quorvel"));
    EXPECT_FALSE(std::filesystem::exists(folder / "GONE.EXE"));
}

TEST_F(ExeCreatorTest, SwitchingModesKeepsFieldsButRefillsTheOriginal) {
    EXPECT_EQ(creator.caption(), "EXE Creator");
    EXPECT_EQ(creator.label1(), "Name of the original .exe:\r\n\r\nName of the new .exe:\r\n\r\n"
                                "Name of new ini file:\r\n\r\nName of new chips.dat file:");
    EXPECT_TRUE(creator.showsNewExeFields());

    fillAll();
    creator.lev144 = "5";
    creator.origExe = "typed elsewhere";
    creator.setMode(ExeCreatorMode::Quorvel);
    EXPECT_EQ(creator.caption(), "Quorvel");
    EXPECT_EQ(creator.label1(), "Name of the original .exe:");
    EXPECT_FALSE(creator.showsNewExeFields());
    EXPECT_EQ(creator.origExe, "typed elsewhere");

    creator.setMode(ExeCreatorMode::ExeCreator);
    EXPECT_EQ(creator.origExe, (folder / "CHIPS.EXE").string());
    EXPECT_EQ(creator.newIni, "mine.ini");
    EXPECT_EQ(creator.newDat, "MINE.DAT");
    EXPECT_EQ(creator.lev144, "5");
    EXPECT_EQ(creator.lev149, "149");
}

TEST_F(ExeCreatorTest, ExitRemembersTheOriginalOnlyInExeCreatorMode) {
    settings.writes.clear();
    creator.origExe = "C:\\CHIPS\\CHIPS.EXE";
    creator.exit();
    EXPECT_EQ(settings.writes, (std::vector<test::MemorySettings::Write>{
                                   {"EXE Creator", "OriginalExe", "C:\\CHIPS\\CHIPS.EXE"}}));

    creator.setMode(ExeCreatorMode::Quorvel);
    creator.origExe = "C:\\OTHER.EXE";
    creator.exit();
    EXPECT_EQ(settings.writes.size(), 1u);

    // A window opened straight into Quorvel mode starts with an empty original.
    test::MemorySettings fresh;
    fresh.values[{"EXE Creator", "OriginalExe"}] = "C:\\CHIPS\\CHIPS.EXE";
    ExeCreator quorvel(platform, fresh);
    quorvel.setMode(ExeCreatorMode::Quorvel);
    EXPECT_EQ(quorvel.origExe, "");
}

} // namespace
} // namespace tessaro
