#include "common/textfile.h"
#include "score_ini/levelvalue.h"
#include "score_ini/scoresection.h"
#include "support/tempfolder.h"

#include <gtest/gtest.h>

namespace tessaro {
namespace {

std::string fixture(const std::string& name) {
    return readFileBytes(std::filesystem::path(TESSARO_TEST_DATA) / "score_ini" / name)
        .value_or("<missing>");
}

// A set of a fixture in tests/data/score_ini, NAME.ini, saved in place, and
// saved again as the editor does, gives NAME-saved-SET.ini both times:
// level lines sorted by number (equal ones by value), text after a second "="
// kept, the other lines and sets kept in place, the set moved to the end and
// a later set under the same header after it, "Current Score" summed within
// 32 bits.
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
        auto section = std::get<ScoreSection>(LoadScoreSection(file.string(), set));
        for (int save = 1; save <= 2; ++save) {
            EXPECT_EQ(SaveSectionInPlace(section), SaveResult::Saved);
            EXPECT_EQ(folder.read("scores.ini"), fixture(saved + ".ini"))
                << saved << ", save " << save;
        }
    }
}

TEST(ScoreSection, AtMost999OtherSetsCanBeKept) {
    const auto sets = [](int count) {
        std::string text;
        for (int i = 1; i <= count; ++i)
            text += "[set" + std::to_string(i) + ".dat]\r\nLevel1=ABCD\r\n";
        return text;
    };
    test::TempFolder folder;
    const std::string edited = "[mine.dat]\r\nLevel1=ABCD\r\n";
    const auto file = folder.write("scores.ini", sets(999) + edited);
    auto section = std::get<ScoreSection>(LoadScoreSection(file.string(), "mine.dat"));
    EXPECT_EQ(SaveSectionInPlace(section), SaveResult::TooManySections);
    EXPECT_EQ(folder.read("scores.ini"), sets(999) + edited);
    // Before the 999th other header the edited set does not count.
    folder.write("scores.ini", sets(998) + edited + "[last.dat]\r\n");
    EXPECT_EQ(SaveSectionInPlace(section), SaveResult::Saved);
}

TEST(LevelValue, RescoringMovesThePenaltyStepsAndNewTimesKeepTheScoreIn32Bits) {
    struct Case {
        const char* value;
        int from, to;
        const char* rescored;
    };
    // Level 3, time 120: bonus 1500 -> 1200 -> 960 is two penalty steps; the
    // steps stop below 500; password and time keep their exact text.
    for (const auto& c :
         {Case{"ABCD,120,2160", 3, 4, "ABCD,120,2480"},
          Case{"ABCD,120,2160", 3, 2, "ABCD,120,1840"},
          Case{"ABCD,120,2700", 3, 1, "ABCD,120,1700"}, Case{"WXYZ,0,2560", 10, 1, "WXYZ,0,400"},
          Case{"WXYZ,7,70", 1, 5, "WXYZ,7,489"}, Case{"a b,0120,2160", 3, 4, "a b,0120,2480"}})
        EXPECT_EQ(RescoreLevelValue(c.value, c.from, c.to), c.rescored) << c.value;
    // Outside the model, or a bonus no number of penalty steps from level 3 gives.
    for (const char* kept : {"", "ABCD,0", "ABCD,120,2160,9", "ABCD,abc,2160", "ABCD,120,",
                             "ABCD,100,1999", "ABCD,0,-5", "ABCD,0,2147483647"})
        EXPECT_EQ(RescoreLevelValue(kept, 3, 4), kept);
    // A time is a number as the game reads one, from 0 on; its score stays within 32 bits.
    EXPECT_EQ(ParseLevelTime("-0.4"), 0);
    EXPECT_EQ(withNewTime("ABCD,32767,-2147400000", 0), std::nullopt);
}

} // namespace
} // namespace tessaro
