#include "dacgen/dacgenerator.h"
#include "support/memorysettings.h"
#include "support/scriptedplatform.h"
#include "support/tempfolder.h"

#include <gtest/gtest.h>

namespace tessaro::test {
// Shows a failed message comparison as text.
void PrintTo(const RecordedMessage& m, std::ostream* out) {
    *out << '{' << ::testing::PrintToString(m.text) << ", \"" << m.title << "\", icon "
         << static_cast<int>(m.icon) << ", buttons " << static_cast<int>(m.buttons) << '}';
}
} // namespace tessaro::test

namespace tessaro {
namespace {

using test::RecordedMessage;
using Names = std::vector<std::string>;

RecordedMessage success(const std::string& text) {
    return {text, "DacGen", MessageIcon::Information, MessageButtons::Ok};
}

RecordedMessage error(const std::string& text) {
    return {text, "Tessaro DacGen", MessageIcon::Exclamation, MessageButtons::Ok};
}

const RecordedMessage kNoRuleset = error("DacGen Error: You must select either MS, Lynx, or both");
const RecordedMessage kNoSets = error("DacGen Error:\r\n\r\nNo level sets in directory");

// A program folder, a DATA folder and a SETS folder, with settings that
// point the generator at the last two.
struct DacGenFixture : ::testing::Test {
    test::TempFolder root;
    test::ScriptedPlatform platform;
    test::MemorySettings settings;

    DacGenFixture() {
        std::filesystem::create_directories(root / "program");
        std::filesystem::create_directories(root / "data");
        std::filesystem::create_directories(root / "sets");
        settings.values[{"DacGen", "DataFilesPath"}] = (root / "data").string();
        settings.values[{"DacGen", "SetsFilesPath"}] = (root / "sets").string();
    }

    void addSets(std::initializer_list<const char*> names) const {
        for (const char* name : names)
            root.write(std::string("data/") + name, "x");
    }

    DacGenerator opened() {
        DacGenerator generator({"/"}, root / "program");
        generator.load(settings);
        return generator;
    }

    std::size_t setsWritten() const {
        std::size_t count = 0;
        for ([[maybe_unused]] const auto& entry :
             std::filesystem::directory_iterator(root / "sets"))
            ++count;
        return count;
    }
};

TEST_F(DacGenFixture, OpeningReadsOptionsAndFoldersWithDefaults) {
    test::MemorySettings empty;
    DacGenerator fresh({"/"}, root / "program");
    fresh.load(empty);
    EXPECT_EQ(fresh.options(), DacOptions{});
    EXPECT_EQ(fresh.data().folder(), (root / "program").string());
    EXPECT_EQ(fresh.sets().folder(), (root / "program").string());
    EXPECT_EQ(fresh.data().drive(), "/");
    EXPECT_TRUE(empty.writes.empty());

    settings.values[{"DacGen", "MakeMS"}] = "yes";
    settings.values[{"DacGen", "MakeLynx"}] = "0";
    settings.values[{"DacGen", "UsePasswords"}] = "1";
    settings.values[{"DacGen", "LastLevel144"}] = "";
    settings.values[{"DacGen", "FixLynx"}] = " 1 ";
    settings.values[{"DacGen", "SetsFilesPath"}] = (root / "gone").string();
    addSets({"CCLP1.DAT", "play.ccf"});
    const auto generator = opened();
    EXPECT_EQ(generator.options(), (DacOptions{false, false, true, false, true}));
    EXPECT_EQ(generator.data().folder(), (root / "data").string());
    EXPECT_EQ(generator.sets().folder(), (root / "program").string());
    EXPECT_EQ(generator.levelSets(), Names{"CCLP1.DAT"});
    EXPECT_TRUE(settings.writes.empty());
}

TEST_F(DacGenFixture, SavingWritesTheNineSettingsInOrder) {
    auto generator = opened();
    generator.options().usePasswords = true;
    generator.options().makeLynx = false;
    generator.save(settings);
    const std::string data = (root / "data").string(), sets = (root / "sets").string();
    using W = test::MemorySettings::Write;
    EXPECT_EQ(settings.writes, (std::vector<W>{{"DacGen", "MakeMS", "1"},
                                               {"DacGen", "MakeLynx", "0"},
                                               {"DacGen", "UsePasswords", "1"},
                                               {"DacGen", "LastLevel144", "0"},
                                               {"DacGen", "FixLynx", "0"},
                                               {"DacGen", "DataFilesPath", data},
                                               {"DacGen", "SetsFilesPath", sets},
                                               {"DacGen", "DataFilesDrive", "/"},
                                               {"DacGen", "SetsFilesDrive", "/"}}));
}

TEST_F(DacGenFixture, BatchWritesEverySetReportsThePluralAndSaves) {
    addSets({"only.dat", "skip.ccf"});
    auto generator = opened();
    EXPECT_TRUE(generator.GenerateAll(platform, settings));
    EXPECT_EQ(platform.messages,
              (std::vector<RecordedMessage>{success("1 level sets successful.")}));
    EXPECT_EQ(root.read("sets/only.dat-MS.dac"),
              "file=only.dat\r\nusepasswords=n\r\nruleset=ms\r\n");
    EXPECT_EQ(setsWritten(), 2u);
    EXPECT_EQ(settings.writes.size(), 9u);

    // The batch lists the folder again: a set added since opening is included.
    addSets({"Later.CCL", "cclp2.dat"});
    platform.messages.clear();
    EXPECT_TRUE(generator.GenerateAll(platform, settings));
    EXPECT_EQ(platform.lastMessage(), success("3 level sets successful."));
    EXPECT_EQ(generator.levelSets(), (Names{"cclp2.dat", "Later.CCL", "only.dat"}));
    EXPECT_EQ(setsWritten(), 6u);
}

TEST_F(DacGenFixture, BatchRefusesWithoutRulesetOrSets) {
    auto generator = opened();
    EXPECT_FALSE(generator.GenerateAll(platform, settings));
    EXPECT_EQ(platform.messages, std::vector<RecordedMessage>{kNoSets});

    root.write("data/a.dat", "x");
    generator.options().makeMS = false;
    generator.options().makeLynx = false;
    platform.messages.clear();
    EXPECT_FALSE(generator.GenerateAll(platform, settings));
    EXPECT_EQ(platform.messages, std::vector<RecordedMessage>{kNoRuleset});

    // The double-click refuses the same way instead of doing nothing.
    platform.messages.clear();
    generator.GenerateOne(platform, "a.dat");
    EXPECT_EQ(platform.messages, std::vector<RecordedMessage>{kNoRuleset});
    EXPECT_EQ(setsWritten(), 0u);
    EXPECT_TRUE(settings.writes.empty());
}

TEST_F(DacGenFixture, SetsThatCannotBeWrittenAreNamedAndNotCounted) {
    addSets({"a.dat", "b.dat", "c.dat"});
    auto generator = opened();
    // The SETS folder goes away after the window opened.
    std::filesystem::remove(root / "sets");
    EXPECT_FALSE(generator.GenerateAll(platform, settings));
    const std::string sets = (root / "sets").string();
    EXPECT_EQ(platform.messages,
              (std::vector<RecordedMessage>{
                  error("DacGen Error: The DAC files of these level sets could not be written "
                        "to " +
                        sets + ":\r\n\r\na.dat\r\nb.dat\r\nc.dat"),
                  success("0 level sets successful.")}));
    EXPECT_TRUE(settings.writes.empty()); // the window stays open to choose another folder

    // Only the set whose file is in the way fails; the others count.
    std::filesystem::create_directories(root / "sets" / "b.dat-Lynx.dac");
    platform.messages.clear();
    EXPECT_FALSE(generator.GenerateAll(platform, settings));
    ASSERT_EQ(platform.messages.size(), 2u);
    EXPECT_TRUE(platform.messages[0].text.ends_with(":\r\n\r\nb.dat"));
    EXPECT_EQ(platform.messages[1], success("2 level sets successful."));

    platform.messages.clear();
    generator.GenerateOne(platform, "b.dat");
    ASSERT_EQ(platform.messages.size(), 1u);
    EXPECT_EQ(platform.messages[0].title, "Tessaro DacGen");
    EXPECT_TRUE(settings.writes.empty());
}

TEST_F(DacGenFixture, SetsWithSpacesAreWrittenWithOneWarning) {
    addSets({"My Set.dat", "Other Set.ccl", "plain.dat"});
    auto generator = opened();
    EXPECT_TRUE(generator.GenerateAll(platform, settings));
    EXPECT_EQ(platform.messages,
              (std::vector<RecordedMessage>{
                  error("DacGen Warning: Tile World reads a level set's file name only up to "
                        "the first space, so it will not find these level sets:\r\n\r\n"
                        "My Set.dat\r\nOther Set.ccl"),
                  success("3 level sets successful.")}));
    EXPECT_EQ(root.read("sets/My Set.dat-MS.dac"),
              "file=My Set.dat\r\nusepasswords=n\r\nruleset=ms\r\n");

    platform.messages.clear();
    generator.GenerateOne(platform, "My Set.dat");
    ASSERT_EQ(platform.messages.size(), 2u);
    EXPECT_EQ(platform.messages[1], success("1 level set successful."));
}

TEST_F(DacGenFixture, FoldersAreChosenAndTheSetsRelisted) {
    addSets({"inner/deep.dat", "top.dat"});
    auto generator = opened();
    EXPECT_EQ(generator.levelSets(), Names{"top.dat"});
    EXPECT_TRUE(generator.chooseDataFolder((root / "data" / "inner").string()));
    EXPECT_EQ(generator.levelSets(), Names{"deep.dat"});
    EXPECT_FALSE(generator.chooseDataFolder((root / "nowhere").string()));
    EXPECT_EQ(generator.data().folder(), (root / "data" / "inner").string());
}

TEST(FolderPane, DrivesGoBackToTheFolderLastOpenedOnThem) {
    // Two folders stand in for two drives.
    test::TempFolder root;
    std::filesystem::create_directories(root / "c" / "games" / "sets");
    std::filesystem::create_directories(root / "d" / "tw");
    const std::string c = (root / "c").string(), d = (root / "d").string();
    FolderPane pane({"/", c, d});

    pane.restore((root / "c" / "games").string(), "/");
    EXPECT_EQ(pane.drive(), c);
    EXPECT_TRUE(pane.chooseFolder((root / "c" / "games" / "sets").string()));
    EXPECT_TRUE(pane.chooseDrive(d));
    EXPECT_EQ(pane.folder(), d); // first visit: the drive's root
    EXPECT_TRUE(pane.chooseFolder((root / "d" / "tw").string()));
    EXPECT_TRUE(pane.chooseDrive(c));
    EXPECT_EQ(pane.folder(), (root / "c" / "games" / "sets").string());
    EXPECT_TRUE(pane.chooseDrive(d));
    EXPECT_EQ(pane.folder(), (root / "d" / "tw").string());

    // A drive that cannot be read leaves everything as it was.
    std::filesystem::remove_all(root / "c");
    EXPECT_FALSE(pane.chooseDrive(c));
    EXPECT_EQ(pane.folder(), (root / "d" / "tw").string());
    EXPECT_EQ(pane.drive(), d);

    // A missing saved folder falls back.
    pane.restore((root / "c" / "games").string(), d);
    EXPECT_EQ(pane.folder(), d);
    EXPECT_EQ(pane.drives().size(), 3u);
}

} // namespace
} // namespace tessaro
