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
    inputs.iniFileName = "scores-for-me.ini";
    inputs.fakeLastLevel = "10";
    home.write("tessaro.7", "previous");
    play("seventeen-chr.dat");
    EXPECT_EQ(platform.lastMessage(),
              warning("The file name seventeen-chr.dat is too long. Please rename it so it is 16 "
                      "characters or less (including the .dat or .ccl) and try again."));
    // The earlier fields are written, the section is not, nothing is copied or started.
    EXPECT_EQ(exe().substr(19048, 11), "scores-for-");
    EXPECT_EQ(exe().substr(37305, 2), std::string("\x0A\x00", 2));
    EXPECT_EQ(home.read("tessaro.7"), "previous");
    EXPECT_TRUE(platform.starts.empty());
}

TEST_F(PlayPipeline, UpperCaseCcfIsPlayedAsALevelSet) {
    EXPECT_TRUE(play("UPPER.CCF").done);
    EXPECT_EQ(home.read("tessaro.7"), "a set named like a ccf");
    EXPECT_EQ(section(), "UPPER.CCF       ");
}

TEST_F(PlayPipeline, PlaysACcfFileWithItsOwnLevels) {
    home.write("sets/mine.ccf", "\"" + (home / "sets" / "CCLP2.DAT").string() +
                                    "\"\r\n\"20\"\r\n\"30\"\r\n\"ignored.ccf\"\r\n");
    inputs.fakeLastLevel = "144"; // still checked, not written
    EXPECT_TRUE(play("mine.ccf").done);
    EXPECT_EQ(exe().substr(37305, 2), std::string("\x14\x00", 2));
    EXPECT_EQ(exe().substr(47636, 2), std::string("\x1E\x00", 2));
    EXPECT_EQ(section(), "mine.ccf        ");
    EXPECT_EQ(home.read("tessaro.7"), "level set two");

    // The window's levels are validated even for a CCF file.
    inputs.fakeLastLevel = "0";
    EXPECT_EQ(play("mine.ccf").focus, "Text1");
    inputs.fakeLastLevel = "144";
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

    platform.startSucceeds = false;
    EXPECT_FALSE(play("a.dat").done);
    EXPECT_EQ(platform.lastMessage().title, "Tessaro");
    EXPECT_EQ(platform.lastMessage().icon, MessageIcon::Exclamation);
    EXPECT_EQ(platform.lastMessage().text.rfind("Tessaro could not start ", 0), 0u);
}

TEST_F(PlayPipeline, AFailedCopyStillStartsTheGame) {
    home.write("tessaro.7", "last set played");
    std::filesystem::remove(home / "sets" / "a.dat");
    EXPECT_TRUE(play("a.dat").done);
    EXPECT_EQ(home.read("tessaro.7"), "last set played");
    EXPECT_TRUE(platform.messages.empty());
}

} // namespace
} // namespace tessaro
