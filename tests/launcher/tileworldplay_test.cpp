#include "launcher/tileworldplay.h"
#include "levelset/ccffile.h"
#include "support/foldersnapshot.h"
#include "support/levelsetwriter.h"
#include "support/scriptedplatform.h"
#include "support/tempfolder.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <cstdlib>

namespace tessaro {
namespace {

namespace fs = std::filesystem;
using ::testing::HasSubstr;

class TileWorldPlay : public ::testing::Test {
protected:
    test::TempFolder temp;
    test::ScriptedPlatform platform;
    std::string dacs = fromPath(temp / "tileworld");
    std::string standIn = fromPath(temp.write("tworld", ""));
    std::string program = standIn;

    CommandResult play(const std::string& folder, const std::string& file,
                       DacRuleset ruleset = DacRuleset::MS, std::string fake = "2") {
        PlayInputs inputs;
        inputs.fakeLastLevel = fake, inputs.realLastLevel = "3";
        inputs.folder = temp.str() + "/" + folder, inputs.selectedFile = file;
        return playInTileWorld(inputs, ruleset, {dacs, program, ""}, platform);
    }
    void set(const std::string& path) {
        temp.write(path, test::writeLevelSet(test::numberedSet(3)));
    }

    // Runs the real Tile World with arguments as a play starts it ("--" and a DAC file last), HOME
    // in a folder of its own, and checks that it lists the sets of the DAC folder (each DAC file
    // with its ruleset; named, a set is listed alone) and every level of the set named, without a
    // warning.
    void expectTileWorldPlays([[maybe_unused]] const std::vector<std::string>& arguments,
                              [[maybe_unused]] const std::string& listed) {
#ifdef _WIN32
        GTEST_SKIP() << "Tile World's listing is checked where tworld is a Debian package";
#else
        const auto tworld = findTileWorld({}, tileWorldSearchPath());
        if (!tworld)
            GTEST_SKIP() << "tworld is not installed (build.sh installs it)";
        const auto run = [&](std::string command, std::size_t words) {
            for (std::size_t i = 0; i < words; ++i)
                command += " '" + arguments[i] + "'";
            std::system(("env -i HOME=" + temp.str() + " " + command + " >" + temp.str() +
                         "/out 2>" + temp.str() + "/err")
                            .c_str());
            return temp.read("out") + temp.read("err");
        };
        EXPECT_THAT(run(*tworld + " -l", arguments.size() - 2),
                    ::testing::MatchesRegex("Filename +Ruleset\n" + listed));
        const auto levels = run(*tworld + " -p -s", arguments.size());
        for (const std::string title : {"Level 1", "Level 2", "Level 3"})
            EXPECT_THAT(levels, HasSubstr(" " + title + " "));
        EXPECT_THAT(levels, ::testing::EndsWith("Total Score                   0\n"));
#endif
    }
};

TEST_F(TileWorldPlay, TileWorldListsThePlayedSetUnderItsRulesetWithEveryLevel) {
    set("sets/mine.dat");
    ASSERT_TRUE(play("sets", "mine.dat").done);
    EXPECT_THAT(temp.read("tileworld/mine.dat-MS.dac"), HasSubstr("\r\nlastlevel=2\r\n"));
    expectTileWorldPlays(platform.starts.at(0).arguments, "mine.dat-MS.dac +MS *\n");
}

TEST_F(TileWorldPlay, TileWorldListsTheSetACcfFileNamesWithItsLastLevel) {
    set("elsewhere/mine.ccl");
    temp.write("ccfs/mine.ccf", formatCcfFile(temp.str() + "/elsewhere/mine.ccl", "3", "4", "M"));
    ASSERT_TRUE(play("ccfs", "mine.ccf", DacRuleset::Lynx).done);
    EXPECT_THAT(temp.read("tileworld/mine.ccl-Lynx.dac"), HasSubstr("\r\nlastlevel=3\r\n"));
    expectTileWorldPlays(platform.starts.at(0).arguments, "mine.ccl-Lynx.dac +Lynx *\n");
}

TEST_F(TileWorldPlay, TileWorldListsEverySetOfADacGenBatch) {
    set("sets/one.dat"), set("sets/two.ccl"), fs::create_directory(temp / "dacs");
    ASSERT_TRUE(
        WriteDacFilesOfSets({"one.dat", "two.ccl"}, {.makeLynx = false}, temp / "dacs").empty());
    for (const auto* name : {"one.dat-MS.dac", "two.ccl-MS.dac"})
        expectTileWorldPlays({"-D", temp.str() + "/sets", "-L", temp.str() + "/dacs", "--", name},
                             "one.dat-MS.dac +MS *\ntwo.ccl-MS.dac +MS *\n");
}

TEST_F(TileWorldPlay, ASecondSetStartsAloneBesideThePlayersOwnDacFiles) {
    set("one/first.dat"), set("two/second.dat");
    temp.write("tileworld/own.dat-MS.dac", "file=own.dat\r\nusepasswords=y\r\nruleset=ms\r\n");
    const test::FolderSnapshot before(temp / "tileworld");
    ASSERT_TRUE(play("one", "first.dat", DacRuleset::Lynx).done);
    ASSERT_TRUE(play("two", "second.dat").done);
    EXPECT_EQ(before.changes(), std::vector<std::string>{"new second.dat-MS.dac"});
    EXPECT_EQ(platform.starts.back().arguments,
              (std::vector<std::string>{"-D", temp.str() + "/two", "-L", dacs, "--",
                                        "second.dat-MS.dac"}));
}

const std::string kNoTileWorld =
    "Tessaro cannot find Tile World, which plays level sets without the original game.\r\n\r\n"
#ifdef _WIN32
    "Install Tile World (its program is tworld2.exe or tworld.exe), then choose it in the Play "
    "menu with \"Tile World Program…\".";
#else
    "On Debian and Ubuntu: sudo apt install tworld\r\n\r\nIf Tile World is installed elsewhere, "
    "choose its program in the Play menu with \"Tile World Program…\".";
#endif

struct Refusal {
    const char *label, *file = "a.dat", *fake = "2", *program = nullptr /* the stand-in */;
    std::string says = "", focus = "";
};

class TileWorldRefusal : public TileWorldPlay, public ::testing::WithParamInterface<Refusal> {};

TEST_P(TileWorldRefusal, SaysWhyAndWritesAndStartsNothing) {
    const auto& row = GetParam();
    set(std::string("sets/") + row.file);
    program = row.program ? row.program : standIn;
    EXPECT_EQ(play("sets", row.file, DacRuleset::MS, row.fake), CommandResult::refused(row.focus));
    EXPECT_EQ(platform.lastMessage(), test::warning(row.says));
    EXPECT_FALSE(fs::exists(temp / "tileworld"));
    EXPECT_TRUE(platform.starts.empty());
}

const Refusal kRefusals[] = {
    {.label = "NameWithASpace",
     .file = "my set.dat",
     .says = "Tile World cannot open my set.dat. Please rename it and try again."},
    {.label = "FakeNotANumber", .fake = "x", .says = "Error - invalid level 144", .focus = "Text1"},
    {.label = "TileWorldNotFound", .program = "", .says = kNoTileWorld},
    {.label = "ChosenProgramGone",
     .program = "/gone/tworld",
     .says = "Tessaro cannot find the Tile World program /gone/tworld.\r\n\r\nChoose it again "
             "in the Play menu with \"Tile World Program…\"."},
};

INSTANTIATE_TEST_SUITE_P(, TileWorldRefusal, ::testing::ValuesIn(kRefusals),
                         [](const auto& info) { return std::string(info.param.label); });

} // namespace
} // namespace tessaro
