#include "common/paths.h"
#include "common/textfile.h"
#include "dacgen/dacgenerator.h"
#include "support/memorysettings.h"
#include "support/scriptedplatform.h"
#include "support/tempfolder.h"

#include <gtest/gtest.h>

namespace tessaro {
namespace {

namespace fs = std::filesystem;

// Tile World opens "file=" through the narrow file API: Windows-1252 on Windows.
TEST(DacFile, NamesTheSetAsTileWorldOpensIt) {
    test::TempFolder sets;
#ifdef _WIN32
    const std::pair<const char*, const char*> names[] = {{"Café.dat", "Caf\xE9.dat"},
                                                         {"Иван.dat", nullptr}};
#else
    const std::pair<const char*, const char*> names[] = {{"Ol\xE9.dat", "Ol\xE9.dat"}};
#endif
    for (const auto& [name, line] : names) {
        EXPECT_EQ(WriteDacFiles(name, {.makeMS = true, .makeLynx = false}, sets.path()), !!line);
        EXPECT_EQ(sets.read(std::string(name) + "-MS.dac"),
                  line ? "file=" + std::string(line) + "\r\nusepasswords=n\r\nruleset=ms\r\n"
                       : "<missing>");
    }
}

struct DacGenFixture : ::testing::Test {
    test::TempFolder root;
    test::ScriptedPlatform platform;
    test::MemorySettings settings;
    DacGenerator generator{{root.root()}, root / "program"};
    DacGenFixture() {
        for (const char* name : {"program", "data/sub", "sets"})
            fs::create_directories(root / name);
        settings.values[{"DacGen", "DataFilesPath"}] = fromPath(root / "data" / "sub");
        settings.values[{"DacGen", "SetsFilesPath"}] = fromPath(root / "sets");
        generator.load(settings);
    }
    void addSets(std::initializer_list<const char*> names) const {
        for (const char* name : names)
            root.write(std::string("data/sub/") + name, "x");
    }
    static test::RecordedMessage box(const std::string& text, bool error = true) {
        const auto icon = error ? MessageIcon::Exclamation : MessageIcon::Information;
        return {text, error ? "Tessaro DacGen" : "DacGen", icon, MessageButtons::Ok};
    }
};

TEST_F(DacGenFixture, StoredNumbersTickBoxesAndRefusalsSayWhy) {
    for (const auto& [stored, ticked] : {std::pair{"-3", true}, {"0", false}, {"0.4", false}}) {
        for (const char* key : {"MakeMS", "MakeLynx", "UsePasswords", "LastLevel144", "FixLynx"})
            settings.values[{"DacGen", key}] = stored;
        generator.load(settings);
        EXPECT_EQ(generator.options(), (DacOptions{ticked, ticked, ticked, ticked, ticked}));
    }
    generator.GenerateOne(platform, "a.dat");
    generator.options().makeMS = true;
    EXPECT_FALSE(generator.GenerateAll(platform, settings).done);
    addSets({"a.dat"});
    generator.GenerateOne(platform, "a.dat");
    EXPECT_EQ(platform.messages,
              (std::vector{box("DacGen Error: You must select either MS, Lynx, or both"),
                           box("DacGen Error:\r\n\r\nNo level sets in directory"),
                           box("1 level set successful.", false)}));
    EXPECT_TRUE(settings.writes.empty());
}

// batch-expected: "fixlynx=y" for the original set in Lynx, "lastlevel=144" for it and CCLP1 to 4.
TEST_F(DacGenFixture, BatchWritesTheListedSetsAndSavesTheRememberedFolders) {
    addSets({"Chips.Dat", "cclp1.dat", "Cclp4.DAT", "CCLP5.DAT", "cclp0.dat", "XCHIPS.DAT",
             "MYSET.CCL", "play.ccf", "notes.txt"});
    generator.options() = {true, true, true, true, true};
    EXPECT_EQ(generator.GenerateAll(platform, settings), CommandResult::succeeded());
    EXPECT_EQ(platform.messages, (std::vector{box("7 level sets successful.", false)}));
    const fs::path expected = TESSARO_TEST_DATA "/dacgen/batch-expected";
    for (const auto& entry : fs::directory_iterator(expected))
        EXPECT_EQ(root.read("sets/" + entry.path().filename().string()),
                  readFileBytes(entry.path()).value());
    EXPECT_EQ(settings.writes.size(), 9u); // what Exit saves (the window's test)
}

TEST_F(DacGenFixture, SetsThatCannotBeWrittenOrFoundAreListedAndTheBatchIsNotDone) {
    addSets({"a set.dat", "b.dat", "c.dat"});
    std::string failures = "b.dat";
#ifndef _WIN32 // Windows itself cannot hold these names.
    addSets({"bad\nname.dat", "bad:name.dat"});
    failures += "\r\nbad\nname.dat\r\nbad:name.dat";
#endif
    fs::create_directory(root / "sets" / "b.dat-MS.dac"); // in the way
    EXPECT_EQ(generator.GenerateAll(platform, settings), CommandResult::failed());
    EXPECT_EQ(platform.messages,
              (std::vector{box("DacGen Error: The DAC files of these level sets could not be "
                               "written to " +
                               fromPath(root / "sets") + ":\r\n\r\n" + failures),
                           box("DacGen Warning: Tile World reads a level set's file name only up "
                               "to the first space, so it will not find these level sets:\r\n"
                               "\r\na set.dat"),
                           box("2 level sets successful.", false)}));
}

} // namespace
} // namespace tessaro
