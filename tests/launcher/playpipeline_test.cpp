#include "common/codepage.h"
#include "common/paths.h"
#include "launcher/playpipeline.h"
#include "support/scriptedplatform.h"
#include "support/tempfolder.h"

#include <gtest/gtest.h>

namespace tessaro {
namespace {

class PlayPipeline : public ::testing::Test {
protected:
    void SetUp() override {
        home.write("ludex.exe", original);
        home.write("sets/CCLP2.DAT", "level set two");
        home.write("sets/a.dat", "five");
        inputs.fakeLastLevel = "144";
        inputs.realLastLevel = "149";
        inputs.folder = (home / "sets").string();
        environment.programFolder = home.str();
    }

    CommandResult play(const std::string& file) {
        inputs.selectedFile = file;
        return playSelectedFile(inputs, environment, platform);
    }

    std::string exe() const { return home.read("ludex.exe"); }
    std::string section() const { return exe().substr(19060, 16); }
    static std::string padded(std::string s) { return (s + std::string(16, ' ')).substr(0, 16); }

    static test::RecordedMessage warning(const std::string& text) {
        return {text, "Tessaro", MessageIcon::Exclamation, MessageButtons::Ok};
    }

    test::TempFolder home;
    const std::string original = std::string(50000, '\xAB');
    PlayInputs inputs;
    PlayEnvironment environment;
    test::ScriptedPlatform platform;
};

TEST_F(PlayPipeline, PlaysALevelSetOnceItsInputsAreChecked) {
    EXPECT_TRUE(play("CCLP2.DAT").done);
    EXPECT_TRUE(platform.messages.empty());
    EXPECT_EQ(exe().substr(19048, 11), "tessaro.ini");
    EXPECT_EQ(exe().substr(19156, 9), "tessaro.7");
    EXPECT_EQ(exe().substr(37305, 2), std::string("\x90\x00", 2));
    EXPECT_EQ(exe().substr(47900, 2), std::string("\x95\x00", 2));
    EXPECT_EQ(section(), "CCLP2.DAT       ");
    EXPECT_EQ(home.read("tessaro.7"), "level set two");
    ASSERT_EQ(platform.starts.size(), 1u); // not an "MZ" file: started directly, in its folder
    EXPECT_EQ(platform.starts[0].program, home / "ludex.exe");
    EXPECT_TRUE(platform.starts[0].arguments.empty());
    EXPECT_EQ(platform.starts[0].workingFolder, home.path());
    // An alternate executable gets the copy and is started in its own folder,
    // even when its remembered name does not match the path.
    home.write("game/CHIPS.EXE", original);
    inputs.alternateExecutable = (home / "game" / "CHIPS.EXE").string();
    inputs.alternateExecutableName = "much-longer-than-the-path-itself-could-ever-be.exe";
    EXPECT_TRUE(play("a.dat").done);
    EXPECT_EQ(home.read("game/tessaro.7"), "five");
    EXPECT_EQ(platform.starts.back().workingFolder, home / "game");
    inputs.alternateExecutable.clear();
    home.write("sets/UPPER.CCF", "a set named like a ccf");
    EXPECT_TRUE(play("UPPER.CCF").done);
    EXPECT_EQ(home.read("tessaro.7"), "a set named like a ccf");

    // Equal levels are fine; the text is read with rounding.
    inputs.fakeLastLevel = " 7.5 ";
    inputs.realLastLevel = "8";
    EXPECT_TRUE(play("a.dat").done);
    EXPECT_EQ(exe().substr(37305, 2), std::string("\x08\x00", 2));

    const auto before = exe();
    platform.starts.clear();
    for (const auto& [fake, real, focus] : {std::tuple{"0", "149", "Text1"},
                                            {"abc", "149", "Text1"},
                                            {"40000", "149", "Text1"},
                                            {"144", "143", "Text2"},
                                            {"144", "x", "Text2"}}) {
        inputs.fakeLastLevel = fake;
        inputs.realLastLevel = real;
        EXPECT_EQ(play("a.dat").focus, focus) << fake << "/" << real;
        EXPECT_EQ(platform.lastMessage(),
                  warning(focus == std::string("Text1") ? "Error - invalid level 144"
                                                        : "Error - invalid level 149"));
    }
    EXPECT_EQ(exe(), before);
    std::filesystem::remove(home / "ludex.exe");
    EXPECT_EQ(play("a.dat").focus, "");
    EXPECT_EQ(platform.lastMessage(),
              warning("Error - you have not yet created a ludex.exe file. In the Play menu, select "
                      "\"I haven't created a Ludex.exe yet\", or select an already existing EXE "
                      "file by clicking the Browse button on the main screen."));
    home.write("ludex.exe", before);
    platform.messages.clear();
    inputs.realLastLevel = "149";
    inputs.selectedFile.reset(); // nothing selected: nothing happens
    EXPECT_FALSE(playSelectedFile(inputs, environment, platform).done);
    EXPECT_TRUE(platform.messages.empty());
    EXPECT_TRUE(platform.starts.empty());
}

TEST_F(PlayPipeline, NamesTooLongOrUnreadableAreRefusedBeforeAnythingIsWritten) {
    home.write("sets/fast.ccf", (home / "sets" / "a.dat").string() + "\r\n5\r\n6\r\nfast\r\n");
    home.write("sets/seventeen-chr.dat", "");
    home.write("sets/Иван.dat", "");
    home.write("tessaro.7", "previous");
    const std::string tooLong = "The file name seventeen-chr.dat is too long. Please rename it so "
                                "it is 16 characters or less (including the .dat or .ccl) and "
                                "try again.";
    const std::string iniTooLong = "Error - the INI file name must be 11 characters or less";
    const struct {
        const char *file, *ini, *focus;
        std::string message;
    } cases[] = {
        {"seventeen-chr.dat", "", "", tooLong},
        {"a.dat", "myscores.ini", "theINIFile", iniTooLong},
        {"fast.ccf", "myscores.ini", "theINIFile", iniTooLong},
        {"Иван.dat", "", "",
         "The file name Иван.dat holds letters the game cannot read. Please rename it using only "
         "the letters of Western European languages and try again."},
        {"a.dat", "Очки.ini", "theINIFile",
         "The INI file name Очки.ini holds letters the game cannot read. Please use only the "
         "letters of Western European languages."},
    };
    for (const auto& c : cases) {
        inputs.iniFileName = c.ini;
        platform.messages.clear();
        EXPECT_EQ(play(c.file).focus, c.focus) << c.file;
        ASSERT_EQ(platform.messages.size(), 1u) << c.file;
        EXPECT_EQ(platform.messages[0], warning(c.message));
    }
    EXPECT_EQ(exe(), original);
    EXPECT_EQ(home.read("tessaro.7"), "previous");
    EXPECT_TRUE(platform.starts.empty());
}

// The section is the file's name as the game reads it, Windows-1252, counted
// in characters, and each play replaces "tessaro.7".
TEST_F(PlayPipeline, NamesAreWrittenInTheGamesCodePage) {
    const struct {
        const char *folder, *file, *section;
    } played[] = {
        {"sets", "Café.dat", "Caf\xE9.dat"},
        {"sets", "Don’t.dat", "Don\x92t.dat"},
        {"sets", "éééééééééééé.dat", "\xE9\xE9\xE9\xE9\xE9\xE9\xE9\xE9\xE9\xE9\xE9\xE9.dat"},
        {"sets/Иван", "set.dat", "set.dat"},  // the folder does not matter
#ifndef _WIN32                                // Windows names are always text.
        {"sets", "Ol\xE9.dat", "Ol\xE9.dat"}, // not UTF-8: the name's own bytes
#endif
    };
    inputs.iniFileName = "Résumé.ini"; // 12 bytes, 10 characters
    for (const auto& c : played) {
        home.write(std::string(c.folder) + "/" + c.file, c.file);
        inputs.folder = fromPath(home / c.folder);
        EXPECT_TRUE(play(c.file).done) << c.file;
        EXPECT_EQ(section(), padded(c.section)) << c.file;
        EXPECT_EQ(home.read("tessaro.7"), c.file);
    }
    EXPECT_EQ(exe().substr(19048, 11), "R\xE9sum\xE9.ini ");
    EXPECT_TRUE(platform.messages.empty());
}

TEST_F(PlayPipeline, PlaysACcfFileWithItsOwnLevelsOrSaysWhyNot) {
    home.write("sets/mine.ccf", "\"" + fromPath(home / "sets" / "CCLP2.DAT") +
                                    "\"\r\n\"20\"\r\n\"30\"\r\n\"ignored.ccf\"\r\n");
    EXPECT_TRUE(play("mine.ccf").done);
    EXPECT_EQ(exe().substr(37305, 2), std::string("\x14\x00", 2));
    EXPECT_EQ(exe().substr(47636, 2), std::string("\x1E\x00", 2));
    EXPECT_EQ(section(), "mine.ccf        ");
    EXPECT_EQ(home.read("tessaro.7"), "level set two");
    // The file's fields and its name are in the game's code page.
    home.write("Café/set.dat", "café levels");
    home.write("sets/Café.ccf", "\"" + *toWindows1252(fromPath(home / "Café" / "set.dat")) +
                                    "\"\r\n\"1\"\r\n\"2\"\r\n\"Caf\xE9.ccf\"\r\n");
    EXPECT_TRUE(play("Café.ccf").done);
    EXPECT_EQ(section(), "Caf\xE9.ccf        ");
    EXPECT_EQ(home.read("tessaro.7"), "café levels");
    inputs.fakeLastLevel = "0"; // the window's levels are checked even so
    EXPECT_EQ(play("mine.ccf").focus, "Text1");
    inputs.fakeLastLevel = "144";

    home.write("sets/three.ccf", "\"x.dat\"\r\n\"1\"\r\n\"2\"\r\n");
    home.write("sets/word.ccf", "\"x.dat\"\r\n\"one\"\r\n\"2\"\r\n\"word.ccf\"\r\n");
    home.write("sets/missing-set.ccf", "\"/no/such/set.dat\"\r\n\"1\"\r\n\"2\"\r\n\"m.ccf\"\r\n");
    home.write("sets/a-very-long-name.ccf", "\"x.dat\"\r\n\"1\"\r\n\"2\"\r\n\"x\"\r\n");
    const auto before = exe();
    home.write("tessaro.7", "previous");
    platform.starts.clear();
    for (const char* name : {"three.ccf", "word.ccf", "missing-set.ccf", "a-very-long-name.ccf"}) {
        platform.messages.clear();
        EXPECT_FALSE(play(name).done) << name;
        ASSERT_EQ(platform.messages.size(), 1u) << name;
        EXPECT_NE(platform.messages[0].text.find(name), std::string::npos) << name;
    }
    EXPECT_EQ(platform.lastMessage().text,
              "The file name a-very-long-name.ccf is too long. Please rename it so it is 16 "
              "characters or less (including the .ccf) and try again.");
    EXPECT_EQ(exe(), before);
    EXPECT_EQ(home.read("tessaro.7"), "previous");
    EXPECT_TRUE(platform.starts.empty());
}

TEST_F(PlayPipeline, StartsThroughARunnerOrWineAndSaysWhenItCannot) {
    home.write("mz.exe", "MZ\x90");
    auto request = buildStartRequest((home / "mz.exe").string(), "\"C:\\Win VDM\\otvdm.exe\" -f");
    EXPECT_EQ(request.program, "C:\\Win VDM\\otvdm.exe");
    EXPECT_EQ(request.arguments, (std::vector<std::string>{"-f", (home / "mz.exe").string()}));
    EXPECT_EQ(request.workingFolder, home.path());

    const std::string ludex = fromPath(home / "ludex.exe");
    platform.startSucceeds = false;
    environment.playRunner = "otvdm";
    EXPECT_FALSE(play("a.dat").done);
    EXPECT_EQ(platform.lastMessage(), warning("Tessaro could not start " + ludex +
                                              ". Check the PlayRunner setting (otvdm)."));
    environment.playRunner.clear();
    EXPECT_FALSE(play("a.dat").done);
#ifdef _WIN32
    EXPECT_EQ(platform.lastMessage(),
              warning("Tessaro could not start " + ludex +
                      ". The game is a 16-bit Windows program, which 64-bit Windows cannot start "
                      "by itself: install a 16-bit runner such as WineVDM and name it in the "
                      "PlayRunner setting."));
#else
    EXPECT_EQ(platform.lastMessage(), warning("Tessaro could not start " + ludex + "."));
    // The game itself goes through wine; a failure says whether it is missing.
    home.write("ludex.exe", "MZ" + original);
    home.write("bin/wine", "#!/bin/sh\n");
    std::filesystem::permissions(home / "bin" / "wine", std::filesystem::perms::owner_all);
    environment.searchPath = fromPath(home / "empty") + ":" + fromPath(home / "bin");
    EXPECT_FALSE(play("a.dat").done);
    EXPECT_EQ(platform.starts.back().program, "wine");
    EXPECT_EQ(platform.starts.back().arguments, std::vector<std::string>{ludex});
    EXPECT_EQ(platform.lastMessage(),
              warning("Tessaro could not start " + ludex +
                      " through wine. Wine needs its 32-bit support to run the game (on Debian, "
                      "the wine32 package); or name another runner in the PlayRunner setting."));
    environment.searchPath = fromPath(home / "empty");
    EXPECT_FALSE(play("a.dat").done);
    EXPECT_EQ(platform.lastMessage(),
              warning("Tessaro could not start " + ludex +
                      ": the game is a 16-bit Windows program, which needs Wine, and no wine was "
                      "found on the PATH. Install Wine (on Debian, the wine package with 32-bit "
                      "support: dpkg --add-architecture i386, then apt-get update and apt-get "
                      "install wine wine32), or name another runner in the PlayRunner setting."));
#endif
}

// A level set that cannot be read changes neither file; the game then starts
// with the set it held before. (Files that cannot be written: see the fault
// injection tests.)
TEST_F(PlayPipeline, AnUnreadableSetLeavesTheLastSetToPlayWithAMessage) {
    home.write("tessaro.7", "last set played");
    const std::string set = fromPath(home / "sets" / "gone.dat");
    EXPECT_TRUE(play("gone.dat").done);
    EXPECT_EQ(platform.lastMessage(),
              warning("Tessaro could not read the level set " + set +
                      ". The game will start with the level set and last levels it held before."));
    EXPECT_EQ(exe(), original);
    EXPECT_EQ(home.read("tessaro.7"), "last set played");
}

} // namespace
} // namespace tessaro
