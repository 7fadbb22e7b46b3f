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

    // The kind, title and filter of a file dialog the player saw.
    std::string dialogSeen(std::size_t index) const {
        const auto& dialog = platform.dialogs.at(index);
        return (dialog.kind == test::DialogKind::Open ? "Open: " : "Save: ") + dialog.title + " (" +
               dialog.filterOrPrompt + ")";
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
    EXPECT_EQ(dialogSeen(0), "Open: Browse for original .exe... (Chip's EXE files|*.exe)");
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
    EXPECT_EQ(dialogSeen(2), "Save: Browse for place to save new .exe... (Chip's EXE files|*.exe)");
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

} // namespace
} // namespace tessaro
