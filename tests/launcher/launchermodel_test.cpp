#include "common/paths.h"
#include "launcher/launchermodel.h"
#include "support/memorysettings.h"
#include "support/scriptedplatform.h"
#include "support/tempfolder.h"

#include <gtest/gtest.h>

namespace tessaro {
namespace {

using test::question;
const std::vector<test::RecordedMessage> kNone;
const std::string kSet("\xAC\xAA\x02\x00", 4); // a level set's signature

class LauncherModelTest : public ::testing::Test {
protected:
    LauncherModel started(std::vector<std::string> drives = {}) {
        LauncherModel model(platform, settings, home.str());
        model.tileWorldFolder = fromPath(home / "tw"); // never the player's own
        model.start(drives.empty() ? std::vector{home.root()} : drives, home.root());
        return model;
    }
    // A started model with the file written and selected.
    LauncherModel selected(const std::string& name, const std::string& bytes = kSet) {
        home.write(name, bytes);
        auto model = started();
        model.selectFile(name);
        return model;
    }
    std::string dialog() const { // the last one's title, filter and start folder
        const auto& d = platform.dialogs.back();
        return d.title + "|" + d.filterOrPrompt + "|" + d.startFolderOrDefault;
    }

    test::TempFolder home;
    test::ScriptedPlatform platform;
    test::MemorySettings settings;
};

TEST_F(LauncherModelTest, FirstRunListsTheFolderExitSavesTheSettingsInOrderAndTheRunnerIsChosen) {
    for (const char* name : {"b.DAT", "A.ccl", "c.ccf", "notes.txt"})
        home.write(name, "");
    auto model = started();
    EXPECT_EQ(model.files(), (std::vector<std::string>{"A.ccl", "b.DAT", "c.ccf"}));
    model.fakeLastLevel = "abc", model.realLastLevel = "200"; // saved as typed, caught in a play
    model.alternateExecutable = "/games/CHIPS.EXE", model.alternateExecutableName = "CHIPS.EXE";
    model.iniFileName = "mine.ini", model.createEntryShown = false;
    model.exit();
    const std::vector<test::MemorySettings::Write> saved{
        {"General", "FakeLastLevel", "abc"},     {"General", "RealLastLevel", "200"},
        {"General", "LudexNotCreated", "False"}, {"General", "LevelSetDrive", home.root()},
        {"General", "LevelSetPath", home.str()}, {"General", "LudexPath", "/games/CHIPS.EXE"},
        {"General", "LudexName", "CHIPS.EXE"},   {"General", "INIPath", "mine.ini"},
        {"General", "ShowSetDetails", "True"}};
    EXPECT_EQ(settings.writes, saved);
    settings.writes.clear();
    started().exit(); // what start read back is what it saves again
    EXPECT_EQ(settings.writes, saved);

    // A path with a blank is kept in quotes; with a runner set, a question offers another (Yes),
    // none (No) or keeping it (Cancel).
    const auto runner = [&] { return settings.get("General", "PlayRunner", "<none>"); };
    platform.chooseFile("/my runner/start game", "start game");
    EXPECT_EQ(model.chooseGameRunner(), CommandResult::succeeded());
    EXPECT_EQ(platform.dialogs[0].title + "|" + platform.dialogs[0].startFolderOrDefault,
              "Browse for the program that starts the game...|" + home.str());
    EXPECT_EQ(runner(), "\"/my runner/start game\"");
    platform.answer(MessageAnswer::Cancel);
    EXPECT_EQ(model.chooseGameRunner(), CommandResult::failed());
    EXPECT_EQ(platform.lastMessage(),
              question("Tessaro starts the game through this program:\r\n\"/my runner/start "
                       "game\"\r\n\r\nDo you want to choose another program?\r\n(No: start the "
                       "game without one. Cancel: keep this one.)",
                       MessageButtons::YesNoCancel));
    platform.answer(MessageAnswer::Yes);
    platform.chooseFile("/usr/bin/wine\"64", "wine\"64");
    EXPECT_EQ(model.chooseGameRunner(), CommandResult::failed());
    EXPECT_EQ(runner(), "\"/my runner/start game\"");
    EXPECT_EQ(platform.lastMessage().text,
              "Tessaro cannot start the game through /usr/bin/wine\"64 because its name holds a "
              "double quote. Rename it and choose it again.");
    platform.answer(MessageAnswer::No);
    EXPECT_EQ(model.chooseGameRunner(), CommandResult::succeeded());
    EXPECT_EQ(runner(), "");
}

TEST_F(LauncherModelTest, TheFileSelectionGoesWithItsFolder) {
    home.write("a.dat", "");
    home.write("sub/a.dat", "");
    auto model = started({home.root(), (home / "sub").string()});
    model.selectFile("a.dat");
    model.openFolder(home.str()); // the same folder again
    model.refreshFiles();
    EXPECT_EQ(model.selectedFile, "a.dat");
    model.openFolder((home / "sub").string()); // another folder's a.dat is another set
    EXPECT_EQ(model.selectedFile, std::nullopt);
    model.selectFile("a.dat");
    std::filesystem::remove(home / "sub" / "a.dat");
    model.refreshFiles();
    EXPECT_EQ(model.selectedFile, std::nullopt);
}

// A file that looks like neither a level set nor a CCF file is a question; Yes plays it.
TEST_F(LauncherModelTest, AsksBeforePlayingAFileThatIsNotALevelSet) {
    const auto asked = question("notes.dat does not look like a level set. Play it anyway?");
    const auto playGoesOn = [&] {
        return platform.lastMessage().text.starts_with("Error - you have not yet created");
    };
    platform.answers = {MessageAnswer::No, MessageAnswer::Yes};
    auto model = selected("notes.dat", "shopping list");
    model.play();
    EXPECT_EQ(platform.messages, std::vector{asked});
    model.play();
    EXPECT_TRUE(platform.messages.at(1) == asked && playGoesOn());
    platform.messages.clear();
    selected("notes.ccf", fromPath(home / "notes.dat") + "\r\n1\r\n2\r\nx\r\n").play(); // not asked
    EXPECT_TRUE(platform.messages[0].text.find("look like") == std::string::npos && playGoesOn());
}

// Dialogs start in the chosen file's folder, else in the listed one.
TEST_F(LauncherModelTest, AlternateExecutablePlayExecutableEntryAndACommandLinePlay) {
    auto model = started();
    platform.chooseFile("/games/chips.EXE", "chips.EXE");
    platform.answer(MessageAnswer::No);
    model.browseAlternateExecutable();
    EXPECT_EQ(dialog(),
              "Select Alternate EXE for Playing Level Sets|Chip's EXE Files|*.exe|" + home.str());
    EXPECT_EQ(model.alternateExecutable, "");
    EXPECT_EQ(platform.lastMessage(),
              question("This file appears to be your original CHIPS.EXE file. Are you sure you "
                       "want to use it to play custom sets?\r\n(It will be difficult to access "
                       "your original scores once you start playing other level sets with your "
                       "CHIPS.EXE; it is recommended that you create a separate EXE for playing "
                       "other sets.)"));
    const auto chips = home.write("games/CHIPS.EXE", "MZ game").string();
    platform.chooseFile(chips, "CHIPS.EXE");
    platform.answer(MessageAnswer::Yes);
    model.browseAlternateExecutable();
    platform.cancelFileDialog();
    model.browseAlternateExecutable();
    EXPECT_EQ(model.alternateExecutable + " " + model.alternateExecutableName,
              chips + " CHIPS.EXE"); // Cancel keeps it
    EXPECT_EQ(platform.dialogs.back().startFolderOrDefault, (home / "games").string());

    // "ludex.exe" is a copy of the game, made on request; its entry then hides.
    platform.chooseFile(chips, "CHIPS.EXE");
    model.createPlayExecutable();
    EXPECT_EQ(dialog(),
              "Browse for original Chips.exe...|Chip's Challenge programs|*.exe|" + home.str());
    EXPECT_FALSE(model.createEntryShown);
    EXPECT_EQ(home.read("ludex.exe"), "MZ game");
    EXPECT_EQ(platform.lastMessage(),
              (test::RecordedMessage{"You now have a Ludex.exe file that you can use to play.",
                                     "Tessaro", MessageIcon::None, MessageButtons::Ok}));
    // "tessaro FILE" plays as Play Selected File does, also a set without extension.
    for (const char* name : {"sets/CCLP2.DAT", "sets/renamed"}) {
        const auto file = fromPath(home.write(name, kSet + name));
        EXPECT_TRUE(started().playFile(file).done) << name;
        EXPECT_EQ(home.read("tessaro.7"), kSet + name);
    }
    const auto missing = fromPath(home / "sets" / "missing.dat");
    EXPECT_FALSE(started().playFile(missing).done);
    EXPECT_EQ(platform.lastMessage().text,
              "Tessaro cannot play " + missing +
                  ": it is not a level set or CCF file in a folder Tessaro can read.");
}

// While the last play's game runs from the same "tessaro.7", the next play asks first.
TEST_F(LauncherModelTest, APlayUnderTheRunningGameAsksFirst) {
    const struct {
        const char *label, *otherExe = ""; // the second play's executable; empty: ludex.exe
        MessageAnswer answer = MessageAnswer::Yes;
        bool stillRuns = true, asked = true;
    } cases[] = {{.label = "Ended", .stillRuns = false, .asked = false},
                 {.label = "RunsAndPlayerSaysYes"},
                 {.label = "RunsAndPlayerSaysNo", .answer = MessageAnswer::No},
                 {.label = "RunsFromAnotherFolder", .otherExe = "other/CHIPS.EXE", .asked = false}};
    for (const auto& c : cases) {
        for (const char* name : {"ludex.exe", "other/CHIPS.EXE", "b.dat"})
            home.write(name, kSet + name);
        auto model = selected("a.dat", kSet + "a.dat");
        EXPECT_TRUE(model.play().done) << c.label;
        platform.messages.clear();
        platform.startedStillRun = c.stillRuns;
        platform.answers = {c.answer};
        model.alternateExecutable = *c.otherExe ? fromPath(home / c.otherExe) : "";
        model.selectFile("b.dat");
        const bool plays = !c.asked || c.answer == MessageAnswer::Yes;
        EXPECT_EQ(model.play().done, plays) << c.label;
        EXPECT_TRUE(home.read("tessaro.7").ends_with(plays && !*c.otherExe ? "b.dat" : "a.dat"))
            << c.label;
        const auto asked = question("The game is still running a.dat. Playing b.dat replaces its "
                                    "levels under it. Play anyway?");
        EXPECT_EQ(platform.messages, c.asked ? std::vector{asked} : kNone) << c.label;
    }
}

// The no-executable message names the create entry, so it comes back; a set gone leaves the list.
TEST_F(LauncherModelTest, AFailedPlayShowsTheCreateEntryOrDropsTheVanishedSet) {
    auto model = selected("a.dat");
    model.createEntryShown = false;
    model.play();
    EXPECT_TRUE(model.createEntryShown);
    home.write("ludex.exe", "");
    std::filesystem::remove(home / "a.dat");
    EXPECT_FALSE(model.play().done); // "Start the game anyway …?" No
    EXPECT_TRUE(model.files().empty());
}

// What a play starts by the PlayWith setting (absent or unknown: the game). Without ludex.exe a
// question offers Tile World when found; Yes plays there and keeps Tile World (MS rules).
struct PlayWithRow {
    const char* label;
    const char* setting = "<absent>";
    const char* dacFile = nullptr; // nullptr: the game starts, or nothing does
    bool ludex = true, tileWorldFound = true, asked = false, yes = false;
};

class PlayWithChoice : public LauncherModelTest,
                       public ::testing::WithParamInterface<PlayWithRow> {};

TEST_P(PlayWithChoice, StartsTheGameOrTileWorld) {
    const auto& row = GetParam();
    if (row.ludex)
        home.write("ludex.exe", "game");
    const auto tworld = fromPath(home.write("tworld", "")), dacs = fromPath(home / "tw");
    settings.set("General", "TileWorldProgram", row.tileWorldFound ? tworld : "/gone");
    if (row.setting != std::string("<absent>"))
        settings.set("General", "PlayWith", row.setting);
    platform.answer(row.yes ? MessageAnswer::Yes : MessageAnswer::No);
    auto model = selected("a.dat");
    EXPECT_EQ(model.play().done, row.ludex || row.dacFile);
    const auto expected = row.dacFile
                              ? StartRequest{toPath(tworld),
                                             {"-D", home.str(), "-L", dacs, "--", row.dacFile},
                                             toPath(dacs)}
                              : StartRequest{home / "ludex.exe", {}, home.path()};
    EXPECT_EQ(platform.starts,
              row.ludex || row.dacFile ? std::vector{expected} : std::vector<StartRequest>{});
    EXPECT_EQ(platform.unscriptedQuestions + platform.answers.size(), row.asked ? 0u : 1u);
    EXPECT_EQ(settings.get("General", "PlayWith", "<absent>"),
              row.yes ? "tileworld-ms" : row.setting);
}

const PlayWithRow kPlayWithRows[] = {
    {.label = "Absent"},
    {.label = "Unknown", .setting = "Tileworld-MS"},
    {.label = "MS", .setting = "tileworld-ms", .dacFile = "a.dat-MS.dac"},
    {.label = "Lynx", .setting = "tileworld-lynx", .dacFile = "a.dat-Lynx.dac"},
    {.label = "NoLudexNo", .ludex = false, .asked = true},
    {.label = "NoLudexNoTileWorld", .ludex = false, .tileWorldFound = false},
    {.label = "NoLudexYes", .dacFile = "a.dat-MS.dac", .ludex = false, .asked = true, .yes = true},
};

INSTANTIATE_TEST_SUITE_P(, PlayWithChoice, ::testing::ValuesIn(kPlayWithRows),
                         [](const auto& info) { return std::string(info.param.label); });

} // namespace
} // namespace tessaro
