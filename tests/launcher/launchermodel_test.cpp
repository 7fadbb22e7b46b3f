#include "common/paths.h"
#include "launcher/launchermodel.h"
#include "support/memorysettings.h"
#include "support/scriptedplatform.h"
#include "support/tempfolder.h"

#include <gtest/gtest.h>

namespace tessaro {
namespace {

using Writes = std::vector<test::MemorySettings::Write>;

class LauncherModelTest : public ::testing::Test {
protected:
    LauncherModel make() { return LauncherModel(platform, settings, home.str()); }

    test::TempFolder home;
    test::ScriptedPlatform platform;
    test::MemorySettings settings;
};

TEST_F(LauncherModelTest, FirstRunShowsTheProgramFolderAndDefaults) {
    home.write("b.DAT", "");
    home.write("A.ccl", "");
    home.write("c.ccf", "");
    home.write("notes.txt", "");
    auto model = make();
    model.start({home.root()}, home.root());
    EXPECT_EQ(model.folder(), home.str());
    EXPECT_EQ(model.files(), (std::vector<std::string>{"A.ccl", "b.DAT", "c.ccf"}));
    EXPECT_EQ(model.fakeLastLevel, "144");
    EXPECT_EQ(model.realLastLevel, "149");
    EXPECT_TRUE(model.alternateExecutable.empty());
    EXPECT_TRUE(model.iniFileName.empty());
    EXPECT_TRUE(model.createEntryShown);
    EXPECT_TRUE(settings.writes.empty());
}

TEST_F(LauncherModelTest, AVanishedFolderOpensItsParentAndNothingLeftTheSavedDrive) {
    settings.set("General", "LevelSetPath", (home / "gone" / "deeper").string());
    auto model = make();
    model.start({"/"}, "/");
    EXPECT_EQ(model.folder(), home.str());

    settings.set("General", "LevelSetDrive", "/no/such/drive");
    settings.set("General", "LevelSetPath", "not/a/full/path");
    auto fallen = make();
    fallen.start({"/also/missing", home.str()}, "/");
    EXPECT_EQ(fallen.drive(), home.str());
    EXPECT_EQ(fallen.folder(), home.str());

    // No drive at all can be read: the search stops after the last one.
    auto stuck = make();
    stuck.start({"/x", "/y"}, "/z");
    EXPECT_TRUE(stuck.drive().empty());
    EXPECT_TRUE(stuck.folder().empty());
    EXPECT_FALSE(stuck.openFolder("/no/such/folder"));
}

TEST_F(LauncherModelTest, TheFileSelectionGoesWithItsFolder) {
    home.write("a.dat", "");
    home.write("sub/a.dat", "");
    const auto root = pathRoot(home.str());
    auto model = make();
    model.start({root, (home / "sub").string()}, root);
    model.selectFile("a.dat");
    model.openFolder(home.str()); // the same folder again
    model.refreshFiles();
    EXPECT_EQ(model.selectedFile, "a.dat");
    // Another folder's a.dat is another set: nothing is selected there.
    model.openFolder((home / "sub").string());
    EXPECT_EQ(model.selectedFile, std::nullopt);
    model.selectFile("a.dat");
    model.selectDrive(root);
    EXPECT_EQ(model.folder(), home.str());
    EXPECT_EQ(model.selectedFile, std::nullopt);
    model.selectFile("a.dat");
    std::filesystem::remove(home / "a.dat");
    model.refreshFiles();
    EXPECT_EQ(model.selectedFile, std::nullopt);
}

TEST_F(LauncherModelTest, AFolderNamedOutsideAsciiIsBrowsedAndItsSetsPlayed) {
    home.write("ludex.exe", std::string(50000, '\0'));
    home.write("Иван/Café.dat", "café levels");
    auto model = make();
    model.start({home.root()}, home.root());
    const auto& entries = model.folderEntries();
    const auto ivan = std::find_if(entries.begin(), entries.end(),
                                   [](const FolderListEntry& e) { return e.name == "Иван"; });
    ASSERT_NE(ivan, entries.end());
    ASSERT_TRUE(model.openFolder(ivan->path));
    EXPECT_EQ(model.folder(), fromPath(home / "Иван"));
    EXPECT_EQ(model.files(), std::vector<std::string>{"Café.dat"});
    model.selectFile("Café.dat");
    EXPECT_TRUE(model.play().done);
    EXPECT_EQ(home.read("ludex.exe").substr(19060, 16), "Caf\xE9.dat        ");
    EXPECT_EQ(home.read("tessaro.7"), "café levels");
}

// "tessaro FILE" plays the file as the window's Play Selected File does, with
// the saved settings, wherever the lists were.
TEST_F(LauncherModelTest, APlayFromTheCommandLineIsTheWindowsPlay) {
    home.write("ludex.exe", std::string(50000, '\0'));
    const auto set = home.write("sets/CCLP2.DAT", "level data");
    settings.set("General", "PlayRunner", "runner --fast");
    settings.set("General", "FakeLastLevel", "10");
    auto window = make();
    window.start({home.root()}, home.root());
    window.openFolder((home / "sets").string());
    window.selectFile("CCLP2.DAT");
    EXPECT_TRUE(window.play().done);
    const auto windowExe = home.read("ludex.exe");

    home.write("ludex.exe", std::string(50000, '\0'));
    auto commandLine = make();
    commandLine.start({home.root()}, home.root());
    EXPECT_TRUE(commandLine.playFile(fromPath(set)).done);
    ASSERT_EQ(platform.starts.size(), 2u);
    EXPECT_EQ(platform.starts[1], platform.starts[0]);
    EXPECT_EQ(home.read("ludex.exe"), windowExe);
    EXPECT_TRUE(platform.messages.empty());

    EXPECT_FALSE(commandLine.playFile(fromPath(home / "sets" / "missing.dat")).done);
    EXPECT_EQ(platform.lastMessage().text,
              "Tessaro cannot play " + fromPath(home / "sets" / "missing.dat") +
                  ": it is not a level set or CCF file in a folder Tessaro can read.");
    EXPECT_EQ(platform.starts.size(), 2u);
}

TEST_F(LauncherModelTest, ExitSavesTheEightSettingsInOrderAndStartReadsThemBack) {
    auto model = make();
    model.start({home.root()}, home.root());
    model.fakeLastLevel = "abc"; // saved as typed, caught only when playing
    model.realLastLevel = "200";
    model.iniFileName = "mine.ini";
    model.alternateExecutable = "/games/CHIPS.EXE";
    model.alternateExecutableName = "CHIPS.EXE";
    model.createEntryShown = false;
    settings.writes.clear();
    model.saveSettings();
    EXPECT_EQ(settings.writes, (Writes{{"General", "FakeLastLevel", "abc"},
                                       {"General", "RealLastLevel", "200"},
                                       {"General", "LudexNotCreated", "False"},
                                       {"General", "LevelSetDrive", home.root()},
                                       {"General", "LevelSetPath", home.str()},
                                       {"General", "LudexPath", "/games/CHIPS.EXE"},
                                       {"General", "LudexName", "CHIPS.EXE"},
                                       {"General", "INIPath", "mine.ini"}}));

    auto again = make();
    again.start({home.root()}, home.root());
    EXPECT_EQ(again.fakeLastLevel, "abc");
    EXPECT_EQ(again.realLastLevel, "200");
    EXPECT_EQ(again.iniFileName, "mine.ini");
    EXPECT_EQ(again.alternateExecutable, "/games/CHIPS.EXE");
    EXPECT_EQ(again.alternateExecutableName, "CHIPS.EXE");
    EXPECT_FALSE(again.createEntryShown);
}

TEST_F(LauncherModelTest, AlternateExecutableAndTheChipsExeQuestion) {
    auto model = make();
    model.start({home.root()}, home.root());
    platform.chooseFile("/games/other.exe", "other.exe");
    model.browseAlternateExecutable();
    EXPECT_EQ(model.alternateExecutable, "/games/other.exe");
    EXPECT_EQ(model.alternateExecutableName, "other.exe");

    platform.chooseFile("/games/chips.EXE", "chips.EXE");
    platform.answer(MessageAnswer::No);
    model.browseAlternateExecutable();
    EXPECT_EQ(model.alternateExecutable, "/games/other.exe");
    ASSERT_EQ(platform.messages.size(), 1u);
    EXPECT_EQ(platform.messages[0],
              (test::RecordedMessage{
                  "This file appears to be your original CHIPS.EXE file. Are you sure you want to "
                  "use it to play custom sets?\r\n(It will be difficult to access your original "
                  "scores once you start playing other level sets with your CHIPS.EXE; it is "
                  "recommended that you create a separate EXE for playing other sets.)",
                  "Tessaro", MessageIcon::Question, MessageButtons::YesNo}));
    EXPECT_EQ(platform.dialogs[0].title, "Select Alternate EXE for Playing Level Sets");
    EXPECT_EQ(platform.dialogs[0].filterOrPrompt, "Chip's EXE Files|*.exe");

    platform.chooseFile("/games/CHIPS.EXE", "CHIPS.EXE");
    platform.answer(MessageAnswer::Yes);
    model.browseAlternateExecutable();
    EXPECT_EQ(model.alternateExecutableName, "CHIPS.EXE");

    // Cancel keeps the chosen executable.
    platform.cancelFileDialog();
    model.browseAlternateExecutable();
    EXPECT_EQ(model.alternateExecutable, "/games/CHIPS.EXE");
    EXPECT_EQ(model.alternateExecutableName, "CHIPS.EXE");

    // The dialog starts in the chosen executable's folder, else in the listed one.
    EXPECT_EQ(platform.dialogs[0].startFolderOrDefault, home.str());
    const auto mine = home.write("games/mine.exe", "").string();
    platform.chooseFile(mine, "mine.exe");
    model.browseAlternateExecutable();
    platform.cancelFileDialog();
    model.browseAlternateExecutable();
    EXPECT_EQ(platform.dialogs.back().startFolderOrDefault, (home / "games").string());
}

TEST_F(LauncherModelTest, CreatingAndHidingThePlayExecutableEntry) {
    home.write("game/CHIPS.EXE", "MZ original game");
    auto model = make();
    model.start({home.root()}, home.root());

    platform.cancelFileDialog();
    model.createPlayExecutable();
    EXPECT_TRUE(model.createEntryShown);
    EXPECT_FALSE(std::filesystem::exists(home / "ludex.exe"));
    EXPECT_EQ(platform.dialogs[0].startFolderOrDefault, model.folder());

    platform.chooseFile((home / "game" / "nothing.exe").string(), "nothing.exe");
    model.createPlayExecutable();
    EXPECT_TRUE(model.createEntryShown);
    EXPECT_EQ(platform.lastMessage().title, "Tessaro");
    EXPECT_EQ(platform.lastMessage().icon, MessageIcon::Exclamation);

    platform.chooseFile((home / "game" / "CHIPS.EXE").string(), "CHIPS.EXE");
    model.createPlayExecutable();
    EXPECT_EQ(home.read("ludex.exe"), "MZ original game");
    EXPECT_FALSE(model.createEntryShown);
    EXPECT_EQ(platform.lastMessage(),
              (test::RecordedMessage{"You now have a Ludex.exe file that you can use to play.",
                                     "Tessaro", MessageIcon::None, MessageButtons::Ok}));
    EXPECT_EQ(platform.dialogs.back().title, "Browse for original Chips.exe...");
    EXPECT_EQ(platform.dialogs.back().filterOrPrompt, "Chip's Challenge programs|*.exe");

    // A second creation replaces the copy.
    home.write("game/CHIPS.EXE", "MZ newer game");
    platform.chooseFile((home / "game" / "CHIPS.EXE").string(), "CHIPS.EXE");
    model.createPlayExecutable();
    EXPECT_EQ(home.read("ludex.exe"), "MZ newer game");

    // Hiding a shown entry asks; No keeps it shown.
    model.createEntryShown = true;
    platform.answer(MessageAnswer::No);
    model.toggleCreateEntry();
    EXPECT_TRUE(model.createEntryShown);
    EXPECT_EQ(platform.lastMessage(),
              (test::RecordedMessage{"Are you sure you want to hide the Create Ludex option?\r\n"
                                     "(You can re-enable this option by pressing Shift-H again.)",
                                     "Hide Create Ludex Option?", MessageIcon::Question,
                                     MessageButtons::YesNo}));
}

} // namespace
} // namespace tessaro
