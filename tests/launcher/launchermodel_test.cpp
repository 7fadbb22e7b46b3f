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
    LauncherModel started(std::vector<std::string> drives = {}, std::string drive = {}) {
        LauncherModel model(platform, settings, home.str());
        model.start(drives.empty() ? std::vector{home.root()} : drives,
                    drive.empty() ? home.root() : drive);
        return model;
    }

    test::TempFolder home;
    test::ScriptedPlatform platform;
    test::MemorySettings settings;
};

TEST_F(LauncherModelTest, FirstRunListsTheProgramFolderAndExitSavesTheEightSettingsInOrder) {
    for (const char* name : {"b.DAT", "A.ccl", "c.ccf", "notes.txt"})
        home.write(name, "");
    auto model = started();
    EXPECT_EQ(model.folder(), home.str());
    EXPECT_EQ(model.files(), (std::vector<std::string>{"A.ccl", "b.DAT", "c.ccf"}));
    EXPECT_TRUE(settings.writes.empty());
    model.fakeLastLevel = "abc"; // saved as typed, caught only when playing
    model.realLastLevel = "200";
    model.iniFileName = "mine.ini";
    model.alternateExecutable = "/games/CHIPS.EXE";
    model.alternateExecutableName = "CHIPS.EXE";
    model.createEntryShown = false;
    model.saveSettings();
    const Writes saved{
        {"General", "FakeLastLevel", "abc"},     {"General", "RealLastLevel", "200"},
        {"General", "LudexNotCreated", "False"}, {"General", "LevelSetDrive", home.root()},
        {"General", "LevelSetPath", home.str()}, {"General", "LudexPath", "/games/CHIPS.EXE"},
        {"General", "LudexName", "CHIPS.EXE"},   {"General", "INIPath", "mine.ini"}};
    EXPECT_EQ(settings.writes, saved);
    settings.writes.clear();
    started().saveSettings(); // what start read back is what it saves again
    EXPECT_EQ(settings.writes, saved);
}

TEST_F(LauncherModelTest, AVanishedFolderOpensItsParentAndNothingLeftTheSavedDrive) {
    settings.set("General", "LevelSetPath", (home / "gone" / "deeper").string());
    EXPECT_EQ(started().folder(), home.str());
    settings.set("General", "LevelSetDrive", "/no/such/drive");
    settings.set("General", "LevelSetPath", "not/a/full/path");
    auto fallen = started({"/also/missing", home.str()}, "/");
    EXPECT_EQ(fallen.drive(), home.str());
    EXPECT_EQ(fallen.folder(), home.str());
    auto stuck = started({"/x", "/y"}, "/z"); // the search stops after the last drive
    EXPECT_TRUE(stuck.folder().empty());
    EXPECT_FALSE(stuck.openFolder("/no/such/folder"));
}

TEST_F(LauncherModelTest, TheFileSelectionGoesWithItsFolder) {
    home.write("a.dat", "");
    home.write("sub/a.dat", "");
    const auto root = pathRoot(home.str());
    auto model = started({root, (home / "sub").string()}, root);
    model.selectFile("a.dat");
    model.openFolder(home.str()); // the same folder again
    model.refreshFiles();
    EXPECT_EQ(model.selectedFile, "a.dat");
    model.openFolder((home / "sub").string()); // another folder's a.dat is another set
    EXPECT_EQ(model.selectedFile, std::nullopt);
    model.selectFile("a.dat");
    model.selectDrive(root);
    EXPECT_EQ(model.selectedFile, std::nullopt);
    model.selectFile("a.dat");
    std::filesystem::remove(home / "a.dat");
    model.refreshFiles();
    EXPECT_EQ(model.selectedFile, std::nullopt);
}

// "tessaro FILE" plays the file as the window's Play Selected File does, with
// the saved settings, wherever the lists were.
TEST_F(LauncherModelTest, APlayFromTheCommandLineIsTheWindowsPlay) {
    home.write("ludex.exe", std::string(50000, '\0'));
    const auto set = home.write("sets/CCLP2.DAT", "level data");
    settings.set("General", "PlayRunner", "runner --fast");
    settings.set("General", "FakeLastLevel", "10");
    auto window = started();
    window.openFolder((home / "sets").string());
    window.selectFile("CCLP2.DAT");
    EXPECT_TRUE(window.play().done);
    const auto windowExe = home.read("ludex.exe");

    home.write("ludex.exe", std::string(50000, '\0'));
    auto commandLine = started();
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

TEST_F(LauncherModelTest, AlternateExecutableAndTheChipsExeQuestion) {
    auto model = started();
    platform.chooseFile("/games/other.exe", "other.exe");
    model.browseAlternateExecutable();
    platform.chooseFile("/games/chips.EXE", "chips.EXE");
    platform.answer(MessageAnswer::No);
    model.browseAlternateExecutable();
    EXPECT_EQ(model.alternateExecutable, "/games/other.exe");
    EXPECT_EQ(model.alternateExecutableName, "other.exe");
    EXPECT_EQ(platform.lastMessage(),
              (test::RecordedMessage{
                  "This file appears to be your original CHIPS.EXE file. Are you sure you want to "
                  "use it to play custom sets?\r\n(It will be difficult to access your original "
                  "scores once you start playing other level sets with your CHIPS.EXE; it is "
                  "recommended that you create a separate EXE for playing other sets.)",
                  "Tessaro", MessageIcon::Question, MessageButtons::YesNo}));
    EXPECT_EQ(platform.dialogs[0].title, "Select Alternate EXE for Playing Level Sets");
    EXPECT_EQ(platform.dialogs[0].filterOrPrompt, "Chip's EXE Files|*.exe");
    // The dialog starts in the chosen executable's folder, else in the listed one.
    EXPECT_EQ(platform.dialogs[0].startFolderOrDefault, home.str());
    platform.chooseFile(home.write("games/CHIPS.EXE", "").string(), "CHIPS.EXE");
    platform.answer(MessageAnswer::Yes);
    model.browseAlternateExecutable();
    EXPECT_EQ(model.alternateExecutableName, "CHIPS.EXE");
    platform.cancelFileDialog();
    model.browseAlternateExecutable();
    EXPECT_EQ(platform.dialogs.back().startFolderOrDefault, (home / "games").string());
}

TEST_F(LauncherModelTest, CreatingAndHidingThePlayExecutableEntry) {
    home.write("game/CHIPS.EXE", "MZ original game");
    auto model = started();
    platform.cancelFileDialog();
    model.createPlayExecutable();
    EXPECT_FALSE(std::filesystem::exists(home / "ludex.exe"));
    EXPECT_EQ(platform.dialogs[0].title, "Browse for original Chips.exe...");
    EXPECT_EQ(platform.dialogs[0].filterOrPrompt, "Chip's Challenge programs|*.exe");
    EXPECT_EQ(platform.dialogs[0].startFolderOrDefault, model.folder());
    platform.chooseFile((home / "game" / "nothing.exe").string(), "nothing.exe");
    model.createPlayExecutable();
    EXPECT_TRUE(model.createEntryShown);
    EXPECT_EQ(platform.lastMessage().icon, MessageIcon::Exclamation);

    platform.chooseFile((home / "game" / "CHIPS.EXE").string(), "CHIPS.EXE");
    model.createPlayExecutable();
    EXPECT_FALSE(model.createEntryShown);
    EXPECT_EQ(platform.lastMessage(),
              (test::RecordedMessage{"You now have a Ludex.exe file that you can use to play.",
                                     "Tessaro", MessageIcon::None, MessageButtons::Ok}));
    home.write("game/CHIPS.EXE", "MZ newer game"); // a second creation replaces the copy
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
