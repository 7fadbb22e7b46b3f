#include "score_ini/levelvalue.h"

#include <gtest/gtest.h>

namespace tessaro {
namespace {

TEST(LevelValue, RescoringMovesThePenaltyStepsToTheNewLevel) {
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
}

TEST(LevelValue, TimesAreWholeNumbersFromZeroTo32767) {
    EXPECT_EQ(ParseLevelTime(" 100 "), 100);
    EXPECT_EQ(ParseLevelTime("32767"), 32767);
    EXPECT_EQ(ParseLevelTime("99.5"), 100);
    EXPECT_EQ(ParseLevelTime("100.5"), 100);
    EXPECT_EQ(ParseLevelTime("-0.4"), 0);
    for (const char* bad : {"32768", "1e3", "12abc"})
        EXPECT_EQ(ParseLevelTime(bad), std::nullopt) << bad;
    EXPECT_EQ(withNewTime("ABCD,32767,-2147400000", 0), std::nullopt); // score below 32 bits
}

} // namespace
} // namespace tessaro
