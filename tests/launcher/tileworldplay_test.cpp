#include "ccf/ccffile.h"
#include "launcher/tileworldplay.h"
#include "support/scriptedplatform.h"
#include "support/tempfolder.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <set>
#ifndef _WIN32
#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>
#endif

namespace tessaro {
namespace {

namespace fs = std::filesystem;
using test::ScriptedPlatform;
using test::TempFolder;
using ::testing::HasSubstr;
using ::testing::MatchesRegex;

const std::vector<std::string> kTitles = {"First Steps", "Second Wind", "Third Time"};

// A level set in the MS format: each level an empty map but for Chip, with
// its title and password.
std::string levelSet() {
    const auto word = [](std::size_t v) { return std::string{char(v & 0xFF), char(v >> 8)}; };
    const std::string run("\xFF\xFF\0", 3), floor = run + run + run + run;
    const auto layer1 = "\x6E" + floor + std::string("\xFF\x03\0", 3);
    const auto layer2 = floor + std::string("\xFF\x04\0", 3);
    std::string set = std::string("\xAC\xAA\x02\0", 4) + word(kTitles.size());
    for (std::size_t i = 0; i < kTitles.size(); ++i) {
        const auto fields = "\x03" + std::string{char(kTitles[i].size() + 1)} + kTitles[i] + '\0' +
                            "\x06\x05\xD8\xDB\xDA\xDD" + '\0'; // ABCD
        const auto level = word(i + 1) + word(100) + word(0) + word(1) + word(layer1.size()) +
                           layer1 + word(layer2.size()) + layer2 + word(fields.size()) + fields;
        set += word(level.size()) + level;
    }
    return set;
}

#ifndef _WIN32
// Tile World's output and errors when run with arguments, HOME in a folder of
// its own and nothing else in its environment.
std::pair<std::string, std::string> runTileWorld(const std::string& program,
                                                 std::vector<std::string> arguments) {
    TempFolder home;
    posix_spawn_file_actions_t files;
    posix_spawn_file_actions_init(&files);
    const auto out = fromPath(home / "out"), err = fromPath(home / "err");
    posix_spawn_file_actions_addopen(&files, 1, out.c_str(), O_WRONLY | O_CREAT, 0600);
    posix_spawn_file_actions_addopen(&files, 2, err.c_str(), O_WRONLY | O_CREAT, 0600);
    arguments.insert(arguments.begin(), program);
    std::vector<char*> argv;
    for (auto& argument : arguments)
        argv.push_back(argument.data());
    argv.push_back(nullptr);
    auto homeVariable = "HOME=" + home.str();
    char* envp[] = {homeVariable.data(), nullptr};
    pid_t pid = 0;
    int status = 0;
    if (posix_spawn(&pid, program.c_str(), &files, nullptr, argv.data(), envp) == 0)
        waitpid(pid, &status, 0);
    posix_spawn_file_actions_destroy(&files);
    return {home.read("out"), home.read("err")};
}
#endif

class TileWorldPlay : public ::testing::Test {
protected:
    TempFolder temp;
    ScriptedPlatform platform;
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
    void set(const std::string& path) { temp.write(path, levelSet()); }

    // Runs the real Tile World with arguments as a play starts it ("--" and a
    // DAC file last) and checks that it lists the sets of the DAC folder (each
    // DAC file with its ruleset) and the levels of the set named, without a
    // warning.
    void expectTileWorldPlays(std::vector<std::string> arguments,
                              const std::vector<std::pair<std::string, std::string>>& listed) {
#ifdef _WIN32
        GTEST_SKIP() << "Tile World's listing is checked where tworld is a Debian package";
#else
        const auto tworld = findTileWorld({}, tileWorldSearchPath());
        if (!tworld)
            GTEST_SKIP() << "tworld is not installed (build.sh installs it)";
        std::string list = "Filename +Ruleset\n";
        for (const auto& [name, ruleset] : listed)
            list += name + " +" + ruleset + " *\n";
        // Named, a set is listed alone: the list is the one the player goes
        // back to from the set.
        std::vector<std::string> listing = {"-l"};
        listing.insert(listing.end(), arguments.begin(), arguments.end() - 2);
        const auto [sets, listErrors] = runTileWorld(*tworld, listing);
        EXPECT_THAT(sets, MatchesRegex(list));
        EXPECT_EQ(listErrors, "");
        arguments.insert(arguments.begin(), {"-p", "-s"});
        const auto [scores, errors] = runTileWorld(*tworld, arguments);
        for (const auto& title : kTitles)
            EXPECT_THAT(scores, HasSubstr(" " + title + " "));
        EXPECT_EQ(errors, "");
#endif
    }
};

TEST_F(TileWorldPlay, TileWorldListsThePlayedSetUnderItsRulesetWithEveryLevel) {
    set("sets/mine.dat");
    ASSERT_TRUE(play("sets", "mine.dat").done);
    expectTileWorldPlays(platform.starts.at(0).arguments, {{"mine.dat-MS.dac", "MS"}});
}

TEST_F(TileWorldPlay, TileWorldListsTheSetACcfFileNamesWithItsLastLevel) {
    set("elsewhere/mine.ccl");
    temp.write("ccfs/mine.ccf",
               formatCcfFile(temp.str() + "/elsewhere/mine.ccl", "3", "3", "Mine"));
    ASSERT_TRUE(play("ccfs", "mine.ccf", DacRuleset::Lynx).done);
    EXPECT_THAT(temp.read("tileworld/mine.ccl-Lynx.dac"), HasSubstr("lastlevel=3\r\n"));
    expectTileWorldPlays(platform.starts.at(0).arguments, {{"mine.ccl-Lynx.dac", "Lynx"}});
}

TEST_F(TileWorldPlay, TileWorldListsEverySetOfADacGenBatch) {
    set("sets/one.dat"), set("sets/two.ccl"), fs::create_directory(temp / "dacs");
    ASSERT_TRUE(
        WriteDacFilesOfSets({"one.dat", "two.ccl"}, {.makeLynx = false}, temp / "dacs").empty());
    for (const auto* name : {"one.dat-MS.dac", "two.ccl-MS.dac"})
        expectTileWorldPlays({"-D", temp.str() + "/sets", "-L", temp.str() + "/dacs", "--", name},
                             {{"one.dat-MS.dac", "MS"}, {"two.ccl-MS.dac", "MS"}});
}

TEST_F(TileWorldPlay, ASecondSetStartsAloneBesideThePlayersOwnDacFiles) {
    set("one/first.dat"), set("two/second.dat");
    temp.write("tileworld/own.dat-MS.dac", "file=own.dat\r\nusepasswords=y\r\nruleset=ms\r\n");
    ASSERT_TRUE(play("one", "first.dat", DacRuleset::Lynx).done);
    ASSERT_TRUE(play("two", "second.dat").done);
    std::set<std::string> left;
    for (const auto& entry : fs::directory_iterator(temp / "tileworld"))
        left.insert(fromPath(entry.path().filename()));
    EXPECT_EQ(left, (std::set<std::string>{"own.dat-MS.dac", "second.dat-MS.dac"}));
    EXPECT_EQ(platform.starts.back(),
              (StartRequest{toPath(standIn),
                            {"-D", temp.str() + "/two", "-L", dacs, "--", "second.dat-MS.dac"},
                            toPath(dacs)}));
}

#ifdef _WIN32
const std::string kNoTileWorld =
    "Tessaro cannot find Tile World, which plays level sets without the original game.\r\n\r\n"
    "Install Tile World (its program is tworld2.exe or tworld.exe), then choose it in the Play "
    "menu with \"Tile World Program…\".";
#else
const std::string kNoTileWorld =
    "Tessaro cannot find Tile World, which plays level sets without the original game.\r\n\r\n"
    "On Debian and Ubuntu: sudo apt install tworld\r\n\r\nIf Tile World is installed elsewhere, "
    "choose its program in the Play menu with \"Tile World Program…\".";
#endif

struct Refusal {
    const char* label;
    const char* file = "a.dat";
    const char* fake = "2";
    const char* program = nullptr; // the stand-in
    std::string message = "";
    std::string focus = "";
};

class TileWorldRefusal : public TileWorldPlay, public ::testing::WithParamInterface<Refusal> {};

TEST_P(TileWorldRefusal, SaysWhyAndWritesAndStartsNothing) {
    const auto& row = GetParam();
    set(std::string("sets/") + row.file);
    program = row.program ? row.program : standIn;
    EXPECT_EQ(play("sets", row.file, DacRuleset::MS, row.fake), CommandResult::refused(row.focus));
    EXPECT_EQ(platform.lastMessage(),
              (test::RecordedMessage{row.message, "Tessaro", MessageIcon::Exclamation,
                                     MessageButtons::Ok}));
    EXPECT_FALSE(fs::exists(temp / "tileworld"));
    EXPECT_TRUE(platform.starts.empty());
}

INSTANTIATE_TEST_SUITE_P(
    Rows, TileWorldRefusal,
    ::testing::Values(
        Refusal{.label = "NameWithASpace",
                .file = "my set.dat",
                .message = "Tile World cannot open my set.dat. Please rename it and try again."},
        Refusal{.label = "FakeLevelNotANumber",
                .fake = "x",
                .message = "Error - invalid level 144",
                .focus = "Text1"},
        Refusal{.label = "TileWorldNotFound", .program = "", .message = kNoTileWorld},
        Refusal{.label = "ChosenProgramGone",
                .program = "/gone/tworld",
                .message = "Tessaro cannot find the Tile World program /gone/tworld.\r\n\r\n"
                           "Choose it again in the Play menu with \"Tile World Program…\"."}),
    [](const auto& info) { return std::string(info.param.label); });

} // namespace
} // namespace tessaro
