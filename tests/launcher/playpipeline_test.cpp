#include "common/codepage.h"
#include "common/paths.h"
#include "common/safewriter.h"
#include "launcher/playpipeline.h"
#include "support/scriptedplatform.h"
#include "support/tempfolder.h"

#include <gtest/gtest.h>

namespace tessaro {
namespace {

using test::RecordedMessage;

const std::string kNoExecutable =
    "Error - you have not yet created a ludex.exe file. In the Play menu, select \"I haven't "
    "created a Ludex.exe yet\", or select an already existing EXE file by clicking the Browse "
    "button on the main screen.";

class PlayPipeline : public ::testing::Test {
protected:
    void SetUp() override {
        original = std::string(50000, '\xAB');
        home.write("ludex.exe", original);
        home.write("sets/CCLP2.DAT", "level set two");
        home.write("sets/a.dat", "five");
        home.write("sets/sixteen-char.dat", "sixteen");
        home.write("sets/seventeen-chr.dat", "seventeen");
        home.write("sets/UPPER.CCF", "a set named like a ccf");
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

    RecordedMessage warning(const std::string& text) const {
        return {text, "Tessaro", MessageIcon::Exclamation, MessageButtons::Ok};
    }

    test::TempFolder home;
    std::string original;
    PlayInputs inputs;
    PlayEnvironment environment;
    test::ScriptedPlatform platform;
};

TEST_F(PlayPipeline, PlaysALevelSet) {
    const auto outcome = play("CCLP2.DAT");
    EXPECT_TRUE(outcome.done);
    EXPECT_TRUE(platform.messages.empty());
    const auto patched = exe();
    EXPECT_EQ(patched.substr(19048, 11), "tessaro.ini");
    EXPECT_EQ(patched.substr(19156, 9), "tessaro.7");
    EXPECT_EQ(patched.substr(37305, 2), std::string("\x90\x00", 2));
    EXPECT_EQ(patched.substr(47900, 2), std::string("\x95\x00", 2));
    EXPECT_EQ(section(), "CCLP2.DAT       ");
    EXPECT_EQ(home.read("tessaro.7"), "level set two");
    ASSERT_EQ(platform.starts.size(), 1u);
    // Not an "MZ" file, so it is started directly, in its own folder.
    EXPECT_EQ(platform.starts[0].program, home / "ludex.exe");
    EXPECT_TRUE(platform.starts[0].arguments.empty());
    EXPECT_EQ(platform.starts[0].workingFolder, home.path());
}

TEST_F(PlayPipeline, ChecksTheExecutableThenEachLevel) {
    std::filesystem::remove(home / "ludex.exe");
    EXPECT_EQ(play("a.dat").focus, "");
    EXPECT_EQ(platform.lastMessage(), warning(kNoExecutable));
    home.write("ludex.exe", original);

    struct Case {
        const char* fake;
        const char* real;
        const char* focus;
    };
    for (const auto& c :
         {Case{"0", "149", "Text1"}, Case{"abc", "149", "Text1"}, Case{"", "149", "Text1"},
          Case{"40000", "149", "Text1"}, Case{"144", "143", "Text2"}, Case{"144", "0", "Text2"},
          Case{"144", "x", "Text2"}}) {
        inputs.fakeLastLevel = c.fake;
        inputs.realLastLevel = c.real;
        platform.messages.clear();
        EXPECT_EQ(play("a.dat").focus, c.focus) << c.fake << "/" << c.real;
        ASSERT_EQ(platform.messages.size(), 1u);
        EXPECT_EQ(platform.messages[0],
                  warning(c.focus == std::string("Text1") ? "Error - invalid level 144"
                                                          : "Error - invalid level 149"));
    }
    EXPECT_EQ(exe(), original);
    EXPECT_TRUE(platform.starts.empty());

    // Equal levels are fine; the text is read with rounding.
    inputs.fakeLastLevel = " 7.5 ";
    inputs.realLastLevel = "8";
    EXPECT_TRUE(play("a.dat").done);
    EXPECT_EQ(exe().substr(37305, 2), std::string("\x08\x00", 2));

    // With nothing selected nothing happens.
    inputs.selectedFile.reset();
    platform.messages.clear();
    EXPECT_FALSE(playSelectedFile(inputs, environment, platform).done);
    EXPECT_TRUE(platform.messages.empty());
}

TEST_F(PlayPipeline, SectionNamesUpToSixteenCharacters) {
    EXPECT_TRUE(play("a.dat").done);
    EXPECT_EQ(section(), "a.dat           ");
    EXPECT_TRUE(play("sixteen-char.dat").done);
    EXPECT_EQ(section(), "sixteen-char.dat");

    platform.starts.clear();
    inputs.iniFileName = "scores.ini";
    const auto before = exe();
    home.write("tessaro.7", "previous");
    play("seventeen-chr.dat");
    EXPECT_EQ(platform.lastMessage(),
              warning("The file name seventeen-chr.dat is too long. Please rename it so it is 16 "
                      "characters or less (including the .dat or .ccl) and try again."));
    // Nothing is written, copied or started.
    EXPECT_EQ(exe(), before);
    EXPECT_EQ(home.read("tessaro.7"), "previous");
    EXPECT_TRUE(platform.starts.empty());
}

TEST_F(PlayPipeline, AnIniNameOverElevenCharactersIsRefusedBeforeAnythingIsWritten) {
    home.write("sets/fast.ccf", (home / "sets" / "a.dat").string() + "\r\n5\r\n6\r\nfast\r\n");
    inputs.iniFileName = "myscores.ini";
    for (const char* file : {"a.dat", "fast.ccf"}) {
        platform.messages.clear();
        EXPECT_EQ(play(file).focus, "theINIFile") << file;
        ASSERT_EQ(platform.messages.size(), 1u);
        EXPECT_EQ(platform.messages[0],
                  warning("Error - the INI file name must be 11 characters or less"));
    }
    EXPECT_EQ(exe(), original);
    EXPECT_FALSE(std::filesystem::exists(home / "tessaro.7"));
    EXPECT_TRUE(platform.starts.empty());

    inputs.iniFileName = "myscore.ini";
    EXPECT_TRUE(play("a.dat").done);
    EXPECT_EQ(exe().substr(19048, 11), "myscore.ini");
}

// The section is the file's name as the game reads it, Windows-1252, counted
// in characters; a name the game cannot read is refused before anything is written.
TEST_F(PlayPipeline, SectionNamesAreWrittenInTheGamesCodePage) {
    struct Case {
        const char* folder;
        const char* file;
        std::string section; // padded to 16 with spaces
    };
    const Case played[] = {
        {"sets", "Café.dat", "Caf\xE9.dat"},
        {"sets", "Don’t.dat", "Don\x92t.dat"},
        {"sets", "éééééééééééé.dat", "\xE9\xE9\xE9\xE9\xE9\xE9\xE9\xE9\xE9\xE9\xE9\xE9.dat"},
        {"sets/Иван", "set.dat", "set.dat"},  // the folder does not matter
#ifndef _WIN32                                // Windows names are always text.
        {"sets", "Ol\xE9.dat", "Ol\xE9.dat"}, // not UTF-8: the name's own bytes
#endif
    };
    for (const auto& c : played) {
        home.write(std::string(c.folder) + "/" + c.file, c.file);
        inputs.folder = fromPath(home / c.folder);
        EXPECT_TRUE(play(c.file).done) << c.file;
        EXPECT_EQ(section(), (c.section + std::string(16, ' ')).substr(0, 16)) << c.file;
        EXPECT_EQ(home.read("tessaro.7"), c.file);
    }
    EXPECT_TRUE(platform.messages.empty());

    platform.starts.clear();
    const auto before = exe();
    home.write("sets/Иван.dat", "x");
    inputs.folder = fromPath(home / "sets");
    EXPECT_FALSE(play("Иван.dat").done);
    EXPECT_EQ(platform.lastMessage(),
              warning("The file name Иван.dat holds letters the game cannot read. Please rename "
                      "it using only the letters of Western European languages and try again."));
    inputs.iniFileName = "Очки.ini";
    EXPECT_EQ(play("a.dat").focus, "theINIFile");
    EXPECT_EQ(platform.lastMessage(),
              warning("The INI file name Очки.ini holds letters the game cannot read. Please use "
                      "only the letters of Western European languages."));
    EXPECT_EQ(exe(), before);
    EXPECT_TRUE(platform.starts.empty());
    inputs.iniFileName = "Résumé.ini";
    EXPECT_TRUE(play("a.dat").done);
    EXPECT_EQ(exe().substr(19048, 11), "R\xE9sum\xE9.ini ");
}

TEST_F(PlayPipeline, UpperCaseCcfIsPlayedAsALevelSet) {
    EXPECT_TRUE(play("UPPER.CCF").done);
    EXPECT_EQ(home.read("tessaro.7"), "a set named like a ccf");
    EXPECT_EQ(section(), "UPPER.CCF       ");
}

TEST_F(PlayPipeline, PlaysACcfFileWithItsOwnLevels) {
    home.write("sets/mine.ccf", "\"" + fromPath(home / "sets" / "CCLP2.DAT") +
                                    "\"\r\n\"20\"\r\n\"30\"\r\n\"ignored.ccf\"\r\n");
    inputs.fakeLastLevel = "144"; // still checked, not written
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

    // The window's levels are validated even for a CCF file.
    inputs.fakeLastLevel = "0";
    EXPECT_EQ(play("mine.ccf").focus, "Text1");
    inputs.fakeLastLevel = "144";

    // An executable that cannot be replaced stops the play, and changes nothing.
    const auto before = exe();
    home.write("tessaro.7", "previous");
    platform.starts.clear();
    ScopedWriteFailure failure(WriteStep::Rename);
    EXPECT_FALSE(play("mine.ccf").done);
    EXPECT_EQ(
        platform.lastMessage(),
        warning("The play executable " + (home / "ludex.exe").string() + " could not be written."));
    EXPECT_EQ(exe(), before);
    EXPECT_EQ(home.read("tessaro.7"), "previous");
    EXPECT_TRUE(platform.starts.empty());
}

TEST_F(PlayPipeline, ABrokenCcfFileStopsThePlayWithAMessage) {
    home.write("sets/three.ccf", "\"x.dat\"\r\n\"1\"\r\n\"2\"\r\n");
    home.write("sets/word.ccf", "\"x.dat\"\r\n\"one\"\r\n\"2\"\r\n\"word.ccf\"\r\n");
    home.write("sets/missing-set.ccf", "\"/no/such/set.dat\"\r\n\"1\"\r\n\"2\"\r\n\"m.ccf\"\r\n");
    home.write("sets/a-very-long-name.ccf",
               "\"" + (home / "sets" / "a.dat").string() + "\"\r\n\"1\"\r\n\"2\"\r\n\"x\"\r\n");
    for (const char* name :
         {"three.ccf", "word.ccf", "absent.ccf", "missing-set.ccf", "a-very-long-name.ccf"}) {
        platform.messages.clear();
        EXPECT_FALSE(play(name).done) << name;
        ASSERT_EQ(platform.messages.size(), 1u) << name;
        EXPECT_EQ(platform.messages[0].title, "Tessaro");
        EXPECT_NE(platform.messages[0].text.find(name), std::string::npos)
            << platform.messages[0].text;
    }
    EXPECT_EQ(platform.lastMessage().text,
              "The file name a-very-long-name.ccf is too long. Please rename it so it is 16 "
              "characters or less (including the .ccf) and try again.");
    EXPECT_TRUE(platform.starts.empty());
    EXPECT_FALSE(std::filesystem::exists(home / "tessaro.7"));
}

TEST_F(PlayPipeline, AlternateExecutableAndItsFolder) {
    home.write("game/CHIPS.EXE", original);
    inputs.alternateExecutable = (home / "game" / "CHIPS.EXE").string();
    inputs.alternateExecutableName = "CHIPS.EXE";
    const auto paths = computePlayPaths(inputs, home.str());
    EXPECT_EQ(paths.executable, inputs.alternateExecutable);
    EXPECT_EQ(paths.dataCopy, (home / "game" / "tessaro.7").string());
    EXPECT_TRUE(play("a.dat").done);
    EXPECT_EQ(home.read("game/tessaro.7"), "five");
    EXPECT_EQ(platform.starts.back().workingFolder, home / "game");

    // A remembered name that does not match the path still finds its folder.
    inputs.alternateExecutableName = "much-longer-than-the-path-itself-could-ever-be.exe";
    EXPECT_EQ(computePlayPaths(inputs, home.str()).dataCopy,
              (home / "game" / "tessaro.7").string());

    PlayInputs fresh;
    EXPECT_EQ(computePlayPaths(fresh, "C:\\").iniName, "tessaro.ini");
    fresh.iniFileName = "x.ini";
    EXPECT_EQ(computePlayPaths(fresh, "C:\\").iniName, "x.ini      ");
}

TEST_F(PlayPipeline, StartsThroughARunnerOrWineAndSaysWhenItCannot) {
    home.write("mz.exe", "MZ\x90");
    auto request = buildStartRequest((home / "mz.exe").string(), "");
#ifndef _WIN32
    EXPECT_EQ(request.program, "wine");
    EXPECT_EQ(request.arguments, std::vector<std::string>{(home / "mz.exe").string()});
#endif
    request = buildStartRequest((home / "mz.exe").string(), "\"C:\\Win VDM\\otvdm.exe\" --fast");
    EXPECT_EQ(request.program, "C:\\Win VDM\\otvdm.exe");
    EXPECT_EQ(request.arguments, (std::vector<std::string>{"--fast", (home / "mz.exe").string()}));
    EXPECT_EQ(request.workingFolder, home.path());

    // Each failed start says what would help.
    const std::string ludex = fromPath(home / "ludex.exe");
    platform.startSucceeds = false;
    environment.playRunner = "otvdm";
    EXPECT_FALSE(play("a.dat").done);
    EXPECT_EQ(platform.lastMessage(), warning("Tessaro could not start " + ludex +
                                              ". Check the PlayRunner setting (otvdm)."));
    environment.playRunner.clear();
#ifdef _WIN32
    EXPECT_FALSE(play("a.dat").done);
    EXPECT_EQ(platform.lastMessage(),
              warning("Tessaro could not start " + ludex +
                      ". The game is a 16-bit Windows program, which 64-bit Windows cannot start "
                      "by itself: install a 16-bit runner such as WineVDM and name it in the "
                      "PlayRunner setting."));
#else
    EXPECT_FALSE(play("a.dat").done);
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

// The executable and "tessaro.7" change together or not at all; the game then
// starts with the set it held before.
TEST_F(PlayPipeline, FilesThatCannotChangeLeaveTheLastSetToPlayWithAMessage) {
    const std::string exePath = (home / "ludex.exe").string();
    const std::string dataCopy = (home / "tessaro.7").string();
    const std::string set = (home / "sets" / "a.dat").string();
    const std::string inUse = " (it may be read-only, or the game may still be running).";
    const std::string after =
        " The game will start with the level set and last levels it held before.";
    const struct {
        const char* what;
        WriteStep step;
        int passes;
        std::string message;
    } cases[] = {
        {"folder read-only", WriteStep::Open, 0,
         "Tessaro could not change the play executable " + exePath + inUse + after},
        {"executable in use", WriteStep::Rename, 0,
         "Tessaro could not change the play executable " + exePath + inUse + after},
        {"no room for the set", WriteStep::Write, 1,
         "Tessaro could not copy the level set to " + dataCopy + inUse + after},
        {"set copy in use", WriteStep::Rename, 1, // the executable goes back as it was
         "Tessaro could not copy the level set to " + dataCopy + inUse + after},
    };
    home.write("tessaro.7", "last set played");
    for (const auto& c : cases) {
        platform.messages.clear();
        ScopedWriteFailure failure(c.step, c.passes);
        EXPECT_TRUE(play("a.dat").done) << c.what;
        ASSERT_EQ(platform.messages.size(), 1u) << c.what;
        EXPECT_EQ(platform.messages[0], warning(c.message)) << platform.messages[0].text;
        EXPECT_EQ(exe(), original) << c.what;
        EXPECT_EQ(home.read("tessaro.7"), "last set played") << c.what;
        EXPECT_EQ(std::distance(std::filesystem::directory_iterator(home.path()), {}), 3)
            << c.what; // ludex.exe, tessaro.7, sets: no temporary file
    }

    std::filesystem::remove(set);
    EXPECT_TRUE(play("a.dat").done);
    EXPECT_EQ(platform.lastMessage(),
              warning("Tessaro could not read the level set " + set + "." + after));
    EXPECT_EQ(exe(), original);
    EXPECT_EQ(home.read("tessaro.7"), "last set played");

    // Neither the copy nor the way back works: the game is not started with
    // the new set's score section and the old set.
    home.write("sets/a.dat", "five");
    ScopedWriteFailure failure(WriteStep::Rename, 1, 2);
    EXPECT_FALSE(play("a.dat").done);
    EXPECT_NE(platform.lastMessage().text.find(", nor put the play executable"), std::string::npos);
    EXPECT_EQ(platform.starts.size(), std::size(cases) + 1);
}

} // namespace
} // namespace tessaro
