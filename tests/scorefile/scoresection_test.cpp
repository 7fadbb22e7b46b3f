#include "common/paths.h"
#include "common/textfile.h"
#include "scorefile/levelvalue.h"
#include "scorefile/scoresection.h"
#include "support/tempfolder.h"

#include <gtest/gtest.h>

namespace tessaro {
namespace {

std::string fixture(const std::string& name) {
    const auto bytes = readFileBytes(TESSARO_TEST_DATA "/score_ini/" + name);
    return bytes ? bytes->str() : "<missing>";
}

// NAME-saved-SET.ini is NAME.ini with set SET.dat saved in place, the same after a second save:
// each fixture shows one rule of what a save keeps.
TEST(ScoreSection, SavedInPlaceAsTheFixturesShow) {
    for (const std::string saved :
         {"middle-section-saved-mine", "two-highest-level-lines-saved-set",
          "two-equal-sets-saved-a", "brackets-saved-a", "brackets-saved-b", "brackets-saved-c",
          "last-section-saved-c", "scores-beyond-32-bits-saved-high",
          "scores-beyond-32-bits-saved-low"}) {
        const auto at = saved.find("-saved-");
        const std::string set = saved.substr(at + 7) + ".dat";
        test::TempFolder folder;
        const auto file = folder.write("scores.ini", fixture(saved.substr(0, at) + ".ini"));
        auto section = LoadScoreSection(fromPath(file), set).value();
        for (int save = 1; save <= 2; ++save) {
            EXPECT_EQ(SaveSectionInPlace(section), SaveResult::Saved);
            EXPECT_EQ(folder.read("scores.ini"), fixture(saved + ".ini"))
                << saved << ", save " << save;
        }
    }
}

// Only the other sections count towards the limit of 999, wherever the edited one stands.
TEST(ScoreSection, SavedInPlaceBesideAtMost999OtherSections) {
    for (const auto& [others, expected] :
         {std::pair{999, SaveResult::Saved}, std::pair{1000, SaveResult::TooManySections}}) {
        std::string text = "[set.dat]\r\nLevel1=ABCD\r\n";
        for (int i = 0; i < others; ++i)
            text += "[other" + std::to_string(i) + ".dat]\r\n";
        test::TempFolder folder;
        const auto file = folder.write("scores.ini", text);
        auto section = LoadScoreSection(fromPath(file), "set.dat").value();
        EXPECT_EQ(SaveSectionInPlace(section), expected) << others << " other sections";
    }
}

TEST(LevelValue, RescoringMovesThePenaltyStepsAndNewTimesKeepTheScoreIn32Bits) {
    // The penalty steps stop below 500; password and time keep their exact text.
    using Case = std::tuple<const char*, int, int, const char*>;
    for (const auto& [value, from, to, rescored] :
         {Case{"ABCD,120,2700", 3, 1, "ABCD,120,1700"}, Case{"WXYZ,0,2560", 10, 1, "WXYZ,0,400"},
          Case{"WXYZ,7,70", 1, 5, "WXYZ,7,489"}, Case{"a b,0120,2160", 3, 4, "a b,0120,2480"}})
        EXPECT_EQ(RescoreLevelValue(value, from, to), rescored) << value;
    // Outside the model, or a bonus no number of penalty steps from level 3 gives.
    for (const char* kept : {"", "ABCD,0", "ABCD,120,2160,9", "ABCD,abc,2160", "ABCD,120,",
                             "ABCD,100,1999", "ABCD,0,-5", "ABCD,0,2147483647"})
        EXPECT_EQ(RescoreLevelValue(kept, 3, 4), kept);
    // A time is a number as the game reads one, from 0 on; its score stays within 32 bits.
    EXPECT_EQ(ParseLevelTime("-0.4"), 0);
    EXPECT_EQ(ParseLevelTime("-1"), std::nullopt);
    EXPECT_EQ(withNewTime("ABCD,32767,-2147400000", 0), std::nullopt);
}

} // namespace
} // namespace tessaro
