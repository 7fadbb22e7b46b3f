#include "common/textfile.h"
#include "dacgen/dacfile.h"
#include "support/tempfolder.h"

#include <gtest/gtest.h>

namespace tessaro {
namespace {

using Lines = std::vector<std::string>;

DacOptions bothSpecialBoxes() {
    DacOptions options;
    options.lastLevel144 = true;
    options.fixLynx = true;
    return options;
}

TEST(DacFile, ThreeSetsGiveTheSixExpectedFiles) {
    test::TempFolder sets;
    for (const char* name : {"CHIPS.DAT", "CCLP3.DAT", "MYSET.CCL"})
        ASSERT_TRUE(WriteDacFiles(name, bothSpecialBoxes(), sets.path()));

    const std::filesystem::path expected = TESSARO_TEST_DATA "/dacgen/six-sets-expected";
    std::size_t files = 0;
    for (const auto& entry : std::filesystem::directory_iterator(expected)) {
        ++files;
        const auto name = entry.path().filename().string();
        EXPECT_EQ(sets.read(name), readFileBytes(entry.path()).value()) << name;
    }
    EXPECT_EQ(files, 6u);
    std::size_t written = 0;
    for ([[maybe_unused]] const auto& entry : std::filesystem::directory_iterator(sets.path()))
        ++written;
    EXPECT_EQ(written, 6u); // nothing else, no temporary file left behind
    EXPECT_EQ(sets.read("CHIPS.DAT-Lynx.dac"), "file=CHIPS.DAT\r\nusepasswords=n\r\n"
                                               "ruleset=lynx\r\nfixlynx=y\r\nlastlevel=144\r\n");
}

TEST(DacFile, SpecialNamesMatchInAnyCaseAndOnlyThoseFive) {
    const auto options = bothSpecialBoxes();
    for (const char* name : {"chips.dat", "Chips.Dat", "cclp1.dat", "Cclp2.DAT", "cclp4.DaT"}) {
        EXPECT_EQ(dacFileLines(name, DacRuleset::MS, options).back(), "lastlevel=144") << name;
        EXPECT_EQ(dacFileLines(name, DacRuleset::Lynx, options).back(), "lastlevel=144") << name;
    }
    for (const char* name : {"CCLP5.DAT", "cclp5.dat", "CCLP1.CCL", "CHIPS.DAT.bak", "XCHIPS.DAT"})
        EXPECT_EQ(dacFileLines(name, DacRuleset::MS, options).size(), 3u) << name;

    // The name is written as spelt on disk, and fixlynx is for Lynx only.
    EXPECT_EQ(
        dacFileLines("chips.dat", DacRuleset::Lynx, options),
        (Lines{"file=chips.dat", "usepasswords=n", "ruleset=lynx", "fixlynx=y", "lastlevel=144"}));
    EXPECT_EQ(dacFileLines("chips.dat", DacRuleset::MS, options),
              (Lines{"file=chips.dat", "usepasswords=n", "ruleset=ms", "lastlevel=144"}));
    EXPECT_EQ(dacFileLines("CCLP1.DAT", DacRuleset::Lynx, options).size(), 4u);

    // The boxes decide: unchecked special boxes add nothing, even for CHIPS.DAT.
    DacOptions plain;
    plain.usePasswords = true;
    EXPECT_EQ(dacFileLines("CHIPS.DAT", DacRuleset::Lynx, plain),
              (Lines{"file=CHIPS.DAT", "usepasswords=y", "ruleset=lynx"}));
    EXPECT_EQ(dacFileName("Set One.dat", DacRuleset::MS), "Set One.dat-MS.dac");
    EXPECT_EQ(dacFileName("cclp1.dat", DacRuleset::Lynx), "cclp1.dat-Lynx.dac");
}

TEST(DacFile, OnlyTheChosenRulesetsAreWrittenOverOldFiles) {
    test::TempFolder sets;
    sets.write("a.dat-MS.dac", "an older and much longer file\r\n\r\n\r\n");
    DacOptions msOnly;
    msOnly.makeLynx = false;
    ASSERT_TRUE(WriteDacFiles("a.dat", msOnly, sets.path()));
    EXPECT_EQ(sets.read("a.dat-MS.dac"), "file=a.dat\r\nusepasswords=n\r\nruleset=ms\r\n");
    EXPECT_FALSE(std::filesystem::exists(sets / "a.dat-Lynx.dac"));

    DacOptions lynxOnly;
    lynxOnly.makeMS = false;
    ASSERT_TRUE(WriteDacFiles("b.ccl", lynxOnly, sets.path()));
    EXPECT_TRUE(std::filesystem::exists(sets / "b.ccl-Lynx.dac"));
    EXPECT_FALSE(std::filesystem::exists(sets / "b.ccl-MS.dac"));
}

TEST(DacFile, FilesThatCannotBeWrittenAreReported) {
    test::TempFolder sets;
    EXPECT_FALSE(WriteDacFiles("a.dat", DacOptions{}, sets / "missing"));
    EXPECT_FALSE(WriteDacFiles("a.dat", DacOptions{}, ""));
    // A folder where the MS file should go: the Lynx file is still written.
    std::filesystem::create_directory(sets / "b.dat-MS.dac");
    EXPECT_FALSE(WriteDacFiles("b.dat", DacOptions{}, sets.path()));
    EXPECT_TRUE(std::filesystem::is_directory(sets / "b.dat-MS.dac"));
    EXPECT_EQ(sets.read("b.dat-Lynx.dac"), "file=b.dat\r\nusepasswords=n\r\nruleset=lynx\r\n");
    // A name that would add lines of its own or leave the folder is refused.
    EXPECT_FALSE(WriteDacFiles("x.dat\nruleset=lynx", DacOptions{}, sets.path()));
    EXPECT_FALSE(WriteDacFiles("../x.dat", DacOptions{}, sets.path()));
    EXPECT_FALSE(std::filesystem::exists(sets.path().parent_path() / "x.dat-MS.dac"));

    EXPECT_TRUE(isNameTileWorldCannotFind("My Set.dat"));
    EXPECT_TRUE(isNameTileWorldCannotFind("tab\tset.dat"));
    EXPECT_FALSE(isNameTileWorldCannotFind("My_Set.dat"));
}

} // namespace
} // namespace tessaro
