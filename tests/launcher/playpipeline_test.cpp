#include "common/codepage.h"
#include "common/paths.h"
#include "launcher/playpipeline.h"
#include "support/scriptedplatform.h"
#include "support/tempfolder.h"

#include <gtest/gtest.h>

namespace tessaro {
namespace {

using test::warning;
const std::vector<test::RecordedMessage> kNone;

// Files that cannot be written during a play: see the fault injection tests.
class PlayPipeline : public ::testing::Test {
protected:
    void SetUp() override {
        home.write("ludex.exe", original);
        home.write("sets/a.dat", "five");
        inputs.fakeLastLevel = "144", inputs.realLastLevel = "149";
        inputs.folder = fromPath(home / "sets");
    }
    CommandResult play(const std::string& file) {
        inputs.selectedFile = file;
        return playSelectedFile(inputs, environment, platform).result;
    }
    std::string exe(std::size_t at = 0, std::size_t size = std::string::npos) const {
        return home.read("ludex.exe").substr(at, size);
    }
    // INI, section and data names, then the five 16-bit last-level fields.
    std::string fields() const {
        std::string text = exe(19048, 11) + "|" + exe(19060, 16) + "|" + exe(19156, 9);
        for (const std::size_t at : {37305, 37312, 47636, 47892, 47900})
            text +=
                " " + std::to_string(std::uint8_t(exe(at)[0]) | std::uint8_t(exe(at + 1)[0]) << 8);
        return text;
    }

    test::TempFolder home;
    const std::string original = std::string(50000, '\xAB');
    PlayInputs inputs;
    PlayEnvironment environment{.programFolder = home.str(), .playRunner = {}};
    test::ScriptedPlatform platform;
};

// Names go into the game in Windows-1252, counted in characters (a 16-character set name).
TEST_F(PlayPipeline, PlaysALevelSetOrCcfFileAndStartsTheGameBesideIt) {
    // A set that cannot be read changes neither file; the game may start with what they held.
    platform.answer(MessageAnswer::Yes);
    EXPECT_TRUE(play("gone.dat").done);
    EXPECT_EQ(platform.lastMessage(),
              test::question("Tessaro could not read the level set " +
                             fromPath(home / "sets" / "gone.dat") +
                             ". Start the game anyway with the level set it held before?"));
    EXPECT_EQ(exe(), original);

    home.write("sets/éééééééééééé.dat", "sixteen characters");
    inputs.iniFileName = "Résumé.ini";
    EXPECT_TRUE(play("éééééééééééé.dat").done);
    EXPECT_EQ(fields(), "R\xE9sum\xE9.ini |" + std::string(12, '\xE9') +
                            ".dat|tessaro.7 144 149 149 144 149");
    // A CCF file names the set, in the game's code page, and its own last levels.
    inputs.iniFileName.clear();
    home.write("Café/set.dat", "café levels");
    home.write("sets/Café.ccf", "\"" + *toWindows1252(fromPath(home / "Café" / "set.dat")) +
                                    "\"\r\n\"20\"\r\n\"30\"\r\n\"ignored.ccf\"\r\n");
    EXPECT_TRUE(play("Café.ccf").done);
    EXPECT_EQ(fields(), "tessaro.ini|Caf\xE9.ccf        |tessaro.7 20 30 30 20 30");
    EXPECT_EQ(home.read("tessaro.7"), "café levels");
    // An alternate executable (whatever its remembered name) plays in its own folder; a name ending
    // in upper-case ".CCF" is a level set.
    home.write("sets/UPPER.CCF", "a set named like a ccf");
    inputs.alternateExecutable = home.write("game/CHIPS.EXE", original).string();
    inputs.alternateExecutableName = "much-longer-than-the-path-itself-could-ever-be.exe";
    EXPECT_TRUE(play("UPPER.CCF").done);
    EXPECT_EQ(home.read("game/tessaro.7"), "a set named like a ccf");
    inputs.fakeLastLevel = inputs.realLastLevel = "8";                 // equal levels are fine
    EXPECT_TRUE(play("a.dat").done && platform.messages.size() == 1u); // none after the first
}

std::string tooLong(const std::string& name, const char* extensions) {
    return "The file name " + name + " is too long. Please rename it so it is 16 characters or " +
           "less (including the " + extensions + ") and try again.";
}
const std::string kBad144 = "Error - invalid level 144", kSet17 = "seventeen-chr.dat",
                  kCcf17 = "a-very-long-name.ccf";
const char *kFake = "Text1", *kIni = "theINIFile";
const std::string kIniTooLong = "Error - the INI file name must be 11 characters or less";

// Each is refused with its message (empty: none); CCF files are in tests/data/launcher, <copy> is
// the set copy's path.
const struct Refused {
    const char* label;
    std::string says = {};
    const char *file = "a.dat", *box = "" /* the field to fix */, *ini = "";
    const char *fake = "144", *real = "149";
} kRefused[] = {
    {.label = "FakeLevelZero", .says = kBad144, .box = kFake, .fake = "0"},
    {.label = "CcfUsesBoxLevels", .says = kBad144, .file = "mine.ccf", .box = kFake, .fake = "0"},
    {.label = "RealBelowFake", .says = "Error - invalid level 149", .box = "Text2", .real = "143"},
    {.label = "NothingSelected", .file = ""},
    {.label = "SetNameTooLong", .says = tooLong(kSet17, ".dat or .ccl"), .file = kSet17.c_str()},
    {.label = "IniNameTooLong", .says = kIniTooLong, .box = kIni, .ini = "myscores.ini"},
    {.label = "SetNameOutsideTheCodePage",
     .says = "The file name Иван.dat holds letters the game cannot read. Please rename it using "
             "only the letters of Western European languages and try again.",
     .file = "Иван.dat"},
    {.label = "IniNameOutsideTheCodePage",
     .says = "The INI file name Очки.ini holds letters the game cannot read. Please use only the "
             "letters of Western European languages.",
     .box = kIni,
     .ini = "Очки.ini"},
    {.label = "CcfOfThreeLines",
     .says = "The CCF file three.ccf could not be read or does not hold the four lines of a CCF "
             "file.",
     .file = "three.ccf"},
    {.label = "CcfLevelNotANumber",
     .says = "The CCF file word.ccf holds a last level that is not a number.",
     .file = "word.ccf"},
    {.label = "CcfSetMissing",
     .says =
         "The level set /no/such/set.dat named by missing-set.ccf could not be copied to <copy>.",
     .file = "missing-set.ccf"},
    {.label = "CcfNameTooLong", .says = tooLong(kCcf17, ".ccf"), .file = kCcf17.c_str()},
};

// Nothing is written before a refusal.
TEST_F(PlayPipeline, InputsItCannotPlayAreRefusedBeforeAnythingIsWritten) {
    home.write("tessaro.7", "previous");
    environment.programFolder = fromPath(home / "no game here");
    EXPECT_EQ(play("a.dat").focus, "");
    EXPECT_EQ(platform.lastMessage(),
              warning("Error - you have not yet created a ludex.exe file. In the Play menu, select "
                      "\"I haven't created a Ludex.exe yet\", or select an already existing EXE "
                      "file by clicking the Browse button on the main screen."));
    environment.programFolder = home.str();
    inputs.folder = TESSARO_TEST_DATA "/launcher";
    for (const auto& c : kRefused) {
        auto says = c.says;
        if (const auto at = says.find("<copy>"); at != std::string::npos)
            says.replace(at, 6, fromPath(home / "tessaro.7"));
        inputs.iniFileName = c.ini, inputs.fakeLastLevel = c.fake, inputs.realLastLevel = c.real;
        platform.messages.clear();
        EXPECT_EQ(play(c.file).focus, c.box) << c.label;
        EXPECT_EQ(platform.messages, c.says.empty() ? kNone : std::vector{warning(says)})
            << c.label;
    }
    EXPECT_EQ(exe(), original);
    EXPECT_EQ(home.read("tessaro.7"), "previous");
    EXPECT_TRUE(platform.starts.empty());
}

TEST_F(PlayPipeline, StartsThroughARunnerOrWineAndSaysWhenItCannot) {
    const std::string ludex = fromPath(home / "ludex.exe");
    const auto cannot = [&](const std::string& why) {
        return warning("Tessaro could not start " + ludex + why);
    };
    platform.startSucceeds = false;
    environment.playRunner = "\"C:\\Win VDM\\otvdm.exe\" -f";
    EXPECT_FALSE(play("a.dat").done);
    EXPECT_EQ(platform.starts.back(),
              (StartRequest{"C:\\Win VDM\\otvdm.exe", {"-f", ludex}, home.path()}));
    EXPECT_EQ(platform.lastMessage(),
              cannot(". Check the PlayRunner setting (" + environment.playRunner + ")."));
    environment.playRunner.clear();
    EXPECT_FALSE(play("a.dat").done);
#ifdef _WIN32
    EXPECT_EQ(platform.lastMessage(),
              cannot(". The game is a 16-bit Windows program, which 64-bit Windows cannot start by "
                     "itself: install a 16-bit runner such as WineVDM and name it in the "
                     "PlayRunner setting."));
#else
    EXPECT_EQ(platform.lastMessage(), cannot("."));
    // The game itself goes through wine; a failure says whether it is missing.
    home.write("ludex.exe", "MZ" + original);
    home.write("bin/wine", "#!/bin/sh\n");
    std::filesystem::permissions(home / "bin" / "wine", std::filesystem::perms::owner_all);
    environment.searchPath = fromPath(home / "empty") + ":" + fromPath(home / "bin");
    EXPECT_FALSE(play("a.dat").done);
    EXPECT_EQ(platform.starts.back(), (StartRequest{"wine", {ludex}, home.path()}));
    EXPECT_EQ(platform.lastMessage(),
              cannot(" through wine. Wine needs its 32-bit support to run the game (on Debian, the "
                     "wine32 package); or name another runner in the PlayRunner setting."));
    environment.searchPath = fromPath(home / "empty");
    EXPECT_FALSE(play("a.dat").done);
    EXPECT_EQ(platform.lastMessage(),
              cannot(": the game is a 16-bit Windows program, which needs Wine, and no wine was "
                     "found on the PATH. Install Wine (on Debian, the wine package with 32-bit "
                     "support: dpkg --add-architecture i386, then apt-get update and apt-get "
                     "install wine wine32), or name another runner in the PlayRunner setting."));
#endif
}

// Debian's wine without the 32-bit loader of wine32 cannot run the game: the play says so before
// starting anything. With that loader, the game starts.
TEST_F(PlayPipeline, AWineWithout32BitsIsNamedBeforeTheGameStarts) {
#ifdef _WIN32
    GTEST_SKIP() << "the game starts without Wine on Windows";
#endif
    home.write("ludex.exe", "MZ" + original);
    home.write("usr/lib/wine/wine64", "");
    const auto wine = home.write("usr/bin/wine", "#!/bin/sh\n");
    std::filesystem::permissions(wine, std::filesystem::perms::owner_all);
    environment.searchPath = fromPath(wine.parent_path());
    environment.wineLoaderFolder = home / "usr/lib/wine";
    EXPECT_FALSE(play("a.dat").done);
    EXPECT_TRUE(platform.starts.empty());
    EXPECT_EQ(platform.messages,
              std::vector{warning("Tessaro could not start " + fromPath(home / "ludex.exe") +
                                  ": the Wine on this computer has no 32-bit part, which the game, "
                                  "a 16-bit Windows program, needs.\r\n\r\nOn Debian and Ubuntu: "
                                  "sudo dpkg --add-architecture i386 && sudo apt update && sudo "
                                  "apt install wine32:i386\r\n\r\nTo play without the game, "
                                  "choose Tile World in the Play menu under \"Play With\".")});
    home.write("usr/lib/wine/wine", "");
    EXPECT_TRUE(play("a.dat").done);
    EXPECT_EQ(platform.starts.size(), 1u);
    EXPECT_EQ(platform.messages.size(), 1u);
}

} // namespace
} // namespace tessaro
