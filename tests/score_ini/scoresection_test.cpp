#include "common/textfile.h"
#include "score_ini/scoresection.h"
#include "support/tempfolder.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace tessaro {
namespace {

using Lines = std::vector<std::string>;

const std::filesystem::path kData = std::filesystem::path(TESSARO_TEST_DATA) / "score_ini";

std::string fixture(const char* name) {
    return readFileBytes(kData / name).value_or("<missing>");
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

TEST(ScoreSection, LoadsOneSetSortedAndKeepsWhatItDoesNotList) {
    test::TempFolder folder;
    const auto file = folder.write("scores.ini", fixture("middle-section.ini"));
    const ScoreSection section = load(file, "mine.dat");

    EXPECT_EQ(section.iniPath, file.string());
    EXPECT_EQ(section.setName, "mine.dat");
    ASSERT_EQ(section.levelEntries.size(), 3u);
    EXPECT_EQ(displayText(section.levelEntries[0]), "Level002=QRST");
    EXPECT_EQ(displayText(section.levelEntries[1]), "Level003=PASS,50,1500");
    EXPECT_EQ(section.levelEntries[1].rest, "=tail");
    EXPECT_EQ(displayText(section.levelEntries[2]), "Level005=WXYZ,100,2000");
    EXPECT_EQ(section.extraLines, (Lines{"Highest Level=7", "LevelCount=junk"}));
    EXPECT_EQ(section.unlistedLines, (Lines{"Level012=OLD,1,1", "Level 4=SPACED"}));
    EXPECT_EQ(section.currentScore, 99);

    // The other spelling is another set.
    EXPECT_EQ(load(file, "MINE.dat").levelEntries.size(), 1u);
    auto missing = LoadScoreSection(file.string(), "Mine.dat");
    EXPECT_EQ(std::get<LoadError>(missing), LoadError::SectionNotFound);
}

TEST(ScoreSection, LoadRefusesWhatIsNotAReadableFile) {
    test::TempFolder folder;
    for (const auto& path : {std::string(), (folder / "absent.ini").string(), folder.str()}) {
        auto loaded = LoadScoreSection(path, "mine.dat");
        ASSERT_TRUE(std::holds_alternative<LoadError>(loaded)) << path;
        EXPECT_EQ(std::get<LoadError>(loaded), LoadError::FileUnavailable) << path;
    }
}

TEST(ScoreSection, LoadTakesTheFirstOfTwoEqualHeadersAndAnyLineEnd) {
    const auto section = parseScoreSection(
        "[a.dat]\nLevel2=B\rLevel1=Z\nLevel1=A,1,510\r\n[b.dat]\r\nLevel1=X\r\n[a.dat]\r\nLevel9=N",
        "a.dat");
    ASSERT_TRUE(section);
    ASSERT_EQ(section->levelEntries.size(), 3u);
    // Equal numbers follow the order of their values.
    EXPECT_EQ(displayText(section->levelEntries[0]), "Level001=A,1,510");
    EXPECT_EQ(displayText(section->levelEntries[1]), "Level001=Z");
    EXPECT_EQ(displayText(section->levelEntries[2]), "Level002=B");
    EXPECT_EQ(section->currentScore, 0);
}

TEST(ScoreSection, SavingInPlaceMovesTheSetToTheEndAndKeepsEveryOtherLine) {
    test::TempFolder folder;
    const auto file = folder.write("scores.ini", fixture("middle-section.ini"));
    ScoreSection section = load(file, "mine.dat");
    EXPECT_EQ(SaveSectionInPlace(section), SaveResult::Saved);
    EXPECT_EQ(folder.read("scores.ini"), fixture("middle-section-saved.ini"));

    // Saved again, the file stays as it is.
    ScoreSection again = load(file, "mine.dat");
    EXPECT_EQ(SaveSectionInPlace(again), SaveResult::Saved);
    EXPECT_EQ(folder.read("scores.ini"), fixture("middle-section-saved.ini"));
}

TEST(ScoreSection, GeneratedLinesFollowTheEntries) {
    test::TempFolder folder;
    // No "Highest Level" line and no "Current Score" line.
    const auto file = folder.write("scores.ini", "[a.dat]\r\nLevel1=A,10,600\r\nLevel9=B,1,20\r\n");
    ScoreSection section = load(file, "a.dat");
    section.levelEntries.push_back({10, "", ""});
    section.levelEntries.push_back({11, "C,5", ""}); // no score to add
    EXPECT_EQ(SaveSectionInPlace(section), SaveResult::Saved);
    EXPECT_EQ(folder.read("scores.ini"), "[a.dat]\r\nCurrent Score=620\r\nLevel1=A,10,600\r\n"
                                         "Level9=B,1,20\r\nLevel10=\r\nLevel11=C,5\r\n");

    // A "Highest Level" line counts the entries, not the largest number.
    folder.write("scores.ini", "[a.dat]\r\nHighest Level=3\r\nX=1\r\nLevel1=A\r\nLevel9=B\r\n");
    section = load(file, "a.dat");
    UpdateHighestLevel(section);
    EXPECT_EQ(section.extraLines, (Lines{"X=1", "Highest Level=2"}));
}

TEST(ScoreSection, AKeptFirstLineAndALaterEqualSectionStay) {
    test::TempFolder folder;
    const auto file = folder.write(
        "scores.ini", "top\r\n[a.dat]\r\nLevel1=A\r\n\r\n[a.dat]\r\nLevel1=OLD\r\n\r\n[b.dat]\r\n");
    ScoreSection section = load(file, "a.dat");
    section.levelEntries[0].value = "NEW";
    EXPECT_EQ(SaveSectionInPlace(section), SaveResult::Saved);
    EXPECT_EQ(folder.read("scores.ini"), "top\r\n[b.dat]\r\n[a.dat]\r\nCurrent Score=0\r\n"
                                         "Level1=NEW\r\n[a.dat]\r\nLevel1=OLD\r\n\r\n");
    EXPECT_EQ(load(file, "a.dat").levelEntries[0].value, "NEW");
}

TEST(ScoreSection, AtMost999OtherSetsCanBeKept) {
    test::TempFolder folder;
    const std::string edited = "[mine.dat]\r\nLevel1=ABCD\r\n";
    const auto file = folder.write("scores.ini", sections(999) + edited);
    ScoreSection section = load(file, "mine.dat");
    EXPECT_EQ(SaveSectionInPlace(section), SaveResult::TooManySections);
    EXPECT_EQ(folder.read("scores.ini"), sections(999) + edited);
    // The refused section can still go to a new file.
    EXPECT_TRUE(SaveSectionToFile(section, (folder / "new.ini").string()));
    EXPECT_EQ(folder.read("new.ini"), "[mine.dat]\r\nCurrent Score=0\r\nLevel1=ABCD\r\n\r\n");

    folder.write("scores.ini", sections(998) + edited);
    EXPECT_EQ(SaveSectionInPlace(section), SaveResult::Saved);
    EXPECT_EQ(folder.read("scores.ini"), sections(998) + "[mine.dat]\r\nCurrent Score=0\r\n"
                                                         "Level1=ABCD\r\n");

    // Before the 999th other header the edited set does not count.
    folder.write("scores.ini", sections(998) + edited + "[last.dat]\r\n");
    EXPECT_EQ(SaveSectionInPlace(section), SaveResult::Saved);
    folder.write("scores.ini", edited + sections(1000));
    EXPECT_EQ(SaveSectionInPlace(section), SaveResult::TooManySections);
}

TEST(ScoreSection, SaveAsWritesOneSetAndLeavesTheLoadedFileTheTarget) {
    test::TempFolder folder;
    const auto file = folder.write("scores.ini", fixture("middle-section.ini"));
    ScoreSection section = load(file, "mine.dat");
    ASSERT_TRUE(SaveSectionToFile(section, (folder / "copy.ini").string()));
    EXPECT_EQ(folder.read("copy.ini"),
              "[mine.dat]\r\nLevelCount=junk\r\nHighest Level=3\r\nCurrent Score=3500\r\n"
              "Level2=QRST\r\nLevel3=PASS,50,1500=tail\r\nLevel5=WXYZ,100,2000\r\n"
              "Level012=OLD,1,1\r\nLevel 4=SPACED\r\n\r\n");
    EXPECT_EQ(SaveSectionInPlace(section), SaveResult::Saved);
    EXPECT_EQ(folder.read("scores.ini"), fixture("middle-section-saved.ini"));

    EXPECT_FALSE(SaveSectionToFile(section, (folder / "missing" / "x.ini").string()));
    EXPECT_FALSE(SaveSectionToFile(section, ""));
}

TEST(ScoreSection, AnInPlaceSaveNeverWritesTheSetAlone) {
    test::TempFolder folder;
    const auto file = folder.write("scores.ini", fixture("middle-section.ini"));
    ScoreSection section = load(file, "mine.dat");
    std::filesystem::remove(file);
    EXPECT_EQ(SaveSectionInPlace(section), SaveResult::FileUnavailable);
    EXPECT_FALSE(std::filesystem::exists(file));

    // A file that reads but cannot be replaced is left as it is.
    const std::filesystem::path unwritable = "/proc/self/status";
    if (!readFileBytes(unwritable))
        GTEST_SKIP() << "no readable file that cannot be replaced here";
    section.iniPath = unwritable.string();
    EXPECT_EQ(SaveSectionInPlace(section), SaveResult::WriteFailed);
}

} // namespace
} // namespace tessaro
