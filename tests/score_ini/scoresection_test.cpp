#include "common/textfile.h"
#include "score_ini/scoresection.h"
#include "support/tempfolder.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <limits>

namespace tessaro {
namespace {

std::string fixture(const char* name) {
    return readFileBytes(std::filesystem::path(TESSARO_TEST_DATA) / "score_ini" / name)
        .value_or("<missing>");
}

ScoreSection load(const std::filesystem::path& file, const std::string& setName) {
    auto loaded = LoadScoreSection(file.string(), setName);
    if (auto* section = std::get_if<ScoreSection>(&loaded))
        return std::move(*section);
    ADD_FAILURE() << "section " << setName << " not loaded from " << file;
    return {};
}

std::string sections(int count) {
    std::string text;
    for (int i = 1; i <= count; ++i)
        text += "[set" + std::to_string(i) + ".dat]\r\nLevel1=ABCD\r\n";
    return text;
}

TEST(ScoreSection, LoadsOneSetSortedAndSavesItAloneOrAtTheEndOfItsFile) {
    test::TempFolder folder;
    const auto file = folder.write("scores.ini", fixture("middle-section.ini"));
    ScoreSection section = load(file, "mine.dat");
    // Level keys in order; "Level0" keys, other "Level" keys and text after a second "=" kept.
    ASSERT_TRUE(SaveSectionToFile(section, (folder / "copy.ini").string()));
    EXPECT_EQ(folder.read("copy.ini"),
              "[mine.dat]\r\nLevelCount=junk\r\nHighest Level=3\r\nCurrent Score=3500\r\n"
              "Level2=QRST\r\nLevel3=PASS,50,1500=tail\r\nLevel5=WXYZ,100,2000\r\n"
              "Level012=OLD,1,1\r\nLevel 4=SPACED\r\n\r\n");
    EXPECT_FALSE(SaveSectionToFile(section, (folder / "missing" / "x.ini").string()));

    // Save still writes the loaded file, keeping every other byte.
    EXPECT_EQ(SaveSectionInPlace(section), SaveResult::Saved);
    EXPECT_EQ(folder.read("scores.ini"), fixture("middle-section-saved.ini"));
    section = load(file, "mine.dat"); // saved again, the file stays as it is
    EXPECT_EQ(SaveSectionInPlace(section), SaveResult::Saved);
    EXPECT_EQ(folder.read("scores.ini"), fixture("middle-section-saved.ini"));
}

TEST(ScoreSection, SavingAgainKeepsASecondHighestLevelLine) {
    test::TempFolder folder;
    const auto file = folder.write("scores.ini", fixture("two-highest-level-lines.ini"));
    ScoreSection section = load(file, "set.dat");
    const std::string saved = "[set.dat]\r\nHighest Level=kept\r\nHighest Level=2\r\n"
                              "Current Score=0\r\nLevel1=A\r\nLevel2=B\r\n";
    for (int save = 1; save <= 2; ++save) {
        EXPECT_EQ(SaveSectionInPlace(section), SaveResult::Saved);
        EXPECT_EQ(folder.read("scores.ini"), saved) << "save " << save;
    }
}

TEST(ScoreSection, SaveWritesTheFirstOfTwoEqualSetsSortedAndKeepsTheLinesAroundIt) {
    test::TempFolder folder;
    const auto file =
        folder.write("scores.ini", "top\n[a.dat]\rLevel2=B\r\nLevel1=Z\nLevel1=A,1,510\r\n"
                                   "\r\n[a.dat]\r\nLevel1=OLD\r\n\r\n[b.dat]\r\n");
    ScoreSection section = load(file, "a.dat");
    section.levelEntries.push_back({10, "C,5", ""}); // no score to add
    EXPECT_EQ(SaveSectionInPlace(section), SaveResult::Saved);
    // Equal numbers follow the order of their values; no "Highest Level" line is added.
    EXPECT_EQ(folder.read("scores.ini"),
              "top\r\n[b.dat]\r\n[a.dat]\r\nCurrent Score=510\r\nLevel1=A,1,510\r\nLevel1=Z\r\n"
              "Level2=B\r\nLevel10=C,5\r\n[a.dat]\r\nLevel1=OLD\r\n\r\n");
}

// A section runs from its header to the next line that begins with "[",
// after any kind of line end; a "[" inside a line ends nothing, and a header
// with more on its line heads another set. The first or last line of the
// file can be a header.
TEST(ScoreSection, SectionsEndAtTheNextLineBeginningWithABracket) {
    test::TempFolder folder;
    const auto file = folder.write("scores.ini", "[a.dat]\nLevel1=A[b.dat]\r[b.dat] \rLevel2=B\r\n"
                                                 "\r\n[b.dat]\nLevel3=C\r\n[c.dat]");
    ScoreSection a = load(file, "a.dat");
    EXPECT_EQ(a.levelEntries, (std::vector<LevelEntry>{{1, "A[b.dat]", ""}}));
    EXPECT_EQ(load(file, "b.dat").levelEntries, (std::vector<LevelEntry>{{3, "C", ""}}));
    EXPECT_TRUE(load(file, "c.dat").levelEntries.empty());

    EXPECT_EQ(SaveSectionInPlace(a), SaveResult::Saved);
    EXPECT_EQ(folder.read("scores.ini"),
              "[b.dat] \r\nLevel2=B\r\n\r\n[b.dat]\r\nLevel3=C\r\n[c.dat]\r\n[a.dat]\r\n"
              "Current Score=0\r\nLevel1=A[b.dat]\r\n");
    folder.write("scores.ini", "x\r\n[a.dat]\r\nLevel1=OLD\r\n[c.dat]\r\nLevel1=C");
    ScoreSection c = load(file, "c.dat");
    EXPECT_EQ(SaveSectionInPlace(c), SaveResult::Saved);
    EXPECT_EQ(folder.read("scores.ini"),
              "x\r\n[a.dat]\r\nLevel1=OLD\r\n[c.dat]\r\nCurrent Score=0\r\nLevel1=C\r\n");
}

TEST(ScoreSection, CurrentScoreStopsAtThe32BitLimits) {
    ScoreSection section;
    section.levelEntries = {{1, "A,1,2147483000", ""}, {2, "B,1,2147483000", ""}};
    RecomputeCurrentScore(section);
    EXPECT_EQ(section.currentScore, std::numeric_limits<std::int32_t>::max());
    section.levelEntries = {{1, "A,1,-2147483000", ""}, {2, "B,1,-2147483000", ""}};
    RecomputeCurrentScore(section);
    EXPECT_EQ(section.currentScore, std::numeric_limits<std::int32_t>::min());
}

TEST(ScoreSection, AtMost999OtherSetsCanBeKept) {
    test::TempFolder folder;
    const std::string edited = "[mine.dat]\r\nLevel1=ABCD\r\n";
    const auto file = folder.write("scores.ini", sections(999) + edited);
    ScoreSection section = load(file, "mine.dat");
    EXPECT_EQ(SaveSectionInPlace(section), SaveResult::TooManySections);
    EXPECT_EQ(folder.read("scores.ini"), sections(999) + edited);
    // Before the 999th other header the edited set does not count.
    folder.write("scores.ini", sections(998) + edited + "[last.dat]\r\n");
    EXPECT_EQ(SaveSectionInPlace(section), SaveResult::Saved);
}

} // namespace
} // namespace tessaro
