#include "common/paths.h"
#include "common/textfile.h"
#include "dacgen/dacgenerator.h"
#include "support/memorysettings.h"
#include "support/scriptedplatform.h"
#include "support/tempfolder.h"

#include <gtest/gtest.h>

namespace tessaro {
namespace {

std::ptrdiff_t entriesIn(const std::filesystem::path& folder) {
    return std::distance(std::filesystem::directory_iterator(folder), {});
}

TEST(DacFile, ExtraLinesGoToTheirSetsWhateverTheCase) {
    DacOptions both;
    both.lastLevel144 = both.fixLynx = true;
    const auto ms = DacRuleset::MS, lynx = DacRuleset::Lynx;
    // Three lines, and lastlevel=144 for CHIPS.DAT and CCLP1 to 4, and fixlynx=y
    // for CHIPS.DAT in Lynx.
    const std::tuple<const char*, DacRuleset, std::size_t> cases[] = {
        {"chips.dat", lynx, 5}, {"Chips.Dat", ms, 4}, {"cclp1.dat", lynx, 4},
        {"ccLP2.dat", ms, 4},   {"CCLP3.DAT", ms, 4}, {"Cclp4.DAT", ms, 4},
        {"CCLP5.DAT", ms, 3},   {"cclp0.dat", ms, 3}, {"XCHIPS.DAT", lynx, 3}};
    for (const auto& [name, ruleset, count] : cases)
        EXPECT_EQ(dacFileLines(name, ruleset, both).size(), count) << name;
    DacOptions passwordsOnly; // and the other boxes clear
    passwordsOnly.usePasswords = true;
    EXPECT_EQ(dacFileLines("chips.dat", lynx, passwordsOnly),
              (std::vector<std::string>{"file=chips.dat", "usepasswords=y", "ruleset=lynx"}));
}

// Tile World opens "file=" through the system's narrow file API: Windows-1252
// on Windows, the name's own (UTF-8) bytes elsewhere.
TEST(DacFile, NamesTheSetAsTileWorldHereOpensIt) {
    test::TempFolder sets;
    const DacOptions msOnly{.makeMS = true, .makeLynx = false};
#ifdef _WIN32
    const std::pair<const char*, const char*> cases[] = {
        {"Café.dat", "Caf\xE9.dat"}, {"Don’t.dat", "Don\x92t.dat"}, {"Иван.dat", nullptr}};
#else
    const std::pair<const char*, const char*> cases[] = {
        {"Café.dat", "Café.dat"}, {"Иван.dat", "Иван.dat"}, {"Ol\xE9.dat", "Ol\xE9.dat"}};
#endif
    for (const auto& [name, fileLine] : cases) {
        EXPECT_EQ(WriteDacFiles(name, msOnly, sets.path()), fileLine != nullptr) << name;
        EXPECT_EQ(sets.read(std::string(name) + "-MS.dac"),
                  fileLine
                      ? "file=" + std::string(fileLine) + "\r\nusepasswords=n\r\nruleset=ms\r\n"
                      : "<missing>")
            << name;
    }
}

// A program folder, a DATA folder and a SETS folder, with settings that
// point the generator at the last two.
struct DacGenFixture : ::testing::Test {
    test::TempFolder root;
    test::ScriptedPlatform platform;
    test::MemorySettings settings;

    DacGenFixture() {
        for (const char* name : {"program", "data", "sets"})
            std::filesystem::create_directories(root / name);
        settings.values[{"DacGen", "DataFilesPath"}] = fromPath(root / "data");
        settings.values[{"DacGen", "SetsFilesPath"}] = fromPath(root / "sets");
    }

    void addSets(std::initializer_list<const char*> names) const {
        for (const char* name : names)
            root.write(std::string("data/") + name, "x");
    }

    static test::RecordedMessage box(const std::string& text, bool error = true) {
        return {text, error ? "Tessaro DacGen" : "DacGen",
                error ? MessageIcon::Exclamation : MessageIcon::Information, MessageButtons::Ok};
    }
};

TEST_F(DacGenFixture, AnyStoredNumberButZeroTicksItsBox) {
    const std::pair<const char*, bool> cases[] = {{"1", true},  {"-3", true},   {" 2 ", true},
                                                  {"0", false}, {"0.4", false}, {"yes", false}};
    for (const auto& [stored, ticked] : cases) {
        for (const char* key : {"MakeMS", "MakeLynx", "UsePasswords", "LastLevel144", "FixLynx"})
            settings.values[{"DacGen", key}] = stored;
        DacGenerator generator({root.root()}, root / "program");
        generator.load(settings);
        EXPECT_EQ(generator.options(), (DacOptions{ticked, ticked, ticked, ticked, ticked}))
            << stored;
    }
}

TEST_F(DacGenFixture, RefusalsAndASingleSet) {
    DacGenerator generator({root.root()}, root / "program");
    generator.load(settings);
    EXPECT_FALSE(generator.GenerateAll(platform, settings).done);
    generator.options().makeMS = generator.options().makeLynx = false;
    addSets({"a.dat"});
    EXPECT_FALSE(generator.GenerateAll(platform, settings).done);
    generator.GenerateOne(platform, "a.dat");
    generator.options().makeMS = true;
    generator.GenerateOne(platform, "a.dat");
    const auto noRuleset = box("DacGen Error: You must select either MS, Lynx, or both");
    EXPECT_EQ(platform.messages,
              (std::vector{box("DacGen Error:\r\n\r\nNo level sets in directory"), noRuleset,
                           noRuleset, box("1 level set successful.", false)}));
    EXPECT_EQ(entriesIn(root / "sets"), 1);
    EXPECT_TRUE(settings.writes.empty());
}

TEST_F(DacGenFixture, BatchWritesTheSixFilesOfTheListedSetsAndSavesTheNineSettings) {
    addSets({"CHIPS.DAT", "play.ccf", "notes.txt"});
    DacGenerator generator({root.root()}, root / "program");
    generator.load(settings);
    EXPECT_EQ(generator.data().folder(), (root / "data").string());
    EXPECT_EQ(generator.sets().folder(), (root / "sets").string());
    generator.options().lastLevel144 = generator.options().fixLynx = true;
    addSets({"MYSET.CCL", "CCLP3.DAT"}); // the batch lists the folder again
    EXPECT_EQ(generator.GenerateAll(platform, settings), CommandResult::succeeded());
    EXPECT_EQ(platform.messages, (std::vector{box("3 level sets successful.", false)}));
    const std::filesystem::path expected = TESSARO_TEST_DATA "/dacgen/six-sets-expected";
    for (const auto& entry : std::filesystem::directory_iterator(expected)) {
        const auto name = entry.path().filename().string();
        EXPECT_EQ(root.read("sets/" + name), readFileBytes(entry.path()).value()) << name;
    }
    EXPECT_EQ(entriesIn(expected), 6);
    EXPECT_EQ(entriesIn(root / "sets"), 6);

    std::string saved; // the nine settings in order
    for (const auto& [section, key, value] : settings.writes)
        saved += section + "." + key + "=" + value + ";";
    EXPECT_EQ(saved, "DacGen.MakeMS=1;DacGen.MakeLynx=1;DacGen.UsePasswords=0;"
                     "DacGen.LastLevel144=1;DacGen.FixLynx=1;DacGen.DataFilesPath=" +
                         fromPath(root / "data") + ";DacGen.SetsFilesPath=" +
                         fromPath(root / "sets") + ";DacGen.DataFilesDrive=" + root.root() +
                         ";DacGen.SetsFilesDrive=" + root.root() + ";");
}

TEST_F(DacGenFixture, SetsThatCannotBeWrittenOrFoundAreListedAndTheBatchIsNotDone) {
    addSets({"a set.dat", "b.dat", "c.dat"});
    std::string failures = "b.dat";
#ifndef _WIN32 // Windows itself cannot hold these names.
    // A line break would add a line; no DAC file names a set Windows cannot hold.
    addSets({"bad\nname.dat", "bad:name.dat", "bad<name.dat"});
    failures += "\r\nbad\nname.dat\r\nbad:name.dat\r\nbad<name.dat";
#endif
    root.write("sets/a set.dat-MS.dac", "an older and much longer file\r\n\r\n\r\n");
    std::filesystem::create_directory(root / "sets" / "b.dat-MS.dac"); // in the way
    DacGenerator generator({root.root()}, root / "program");
    generator.load(settings);
    EXPECT_EQ(generator.GenerateAll(platform, settings), CommandResult::failed());
    EXPECT_EQ(platform.messages,
              (std::vector{box("DacGen Error: The DAC files of these level sets could not be "
                               "written to " +
                               fromPath(root / "sets") + ":\r\n\r\n" + failures),
                           box("DacGen Warning: Tile World reads a level set's file name only up "
                               "to the first space, so it will not find these level sets:\r\n"
                               "\r\na set.dat"),
                           box("2 level sets successful.", false)}));
    EXPECT_TRUE(settings.writes.empty()); // the window stays open to choose another folder
    // Old files are replaced; a failed MS file does not stop the Lynx one.
    EXPECT_EQ(root.read("sets/a set.dat-MS.dac"),
              "file=a set.dat\r\nusepasswords=n\r\nruleset=ms\r\n");
    EXPECT_EQ(root.read("sets/b.dat-Lynx.dac"), "file=b.dat\r\nusepasswords=n\r\nruleset=lynx\r\n");
    EXPECT_EQ(entriesIn(root / "sets"), 6); // no file for the bad name, no temporary file

    // When no set succeeds, the failure box is all the player is told.
    std::filesystem::remove_all(root / "sets");
    platform.messages.clear();
    EXPECT_FALSE(generator.GenerateAll(platform, settings).done);
    ASSERT_EQ(platform.messages.size(), 1u);
    EXPECT_EQ(platform.messages[0].text.rfind("DacGen Error: The DAC files", 0), 0u);
}

} // namespace
} // namespace tessaro
