#include "score_ini/levelvalue.h"

#include <gtest/gtest.h>

namespace tessaro {
namespace {

TEST(LevelValue, RescoringMovesThePenaltyStepsToTheNewLevel) {
    // Level 3, time 120: bonus 1500 -> 1200 -> 960 is two penalty steps.
    EXPECT_EQ(RescoreLevelValue("ABCD,120,2160", 3, 4), "ABCD,120,2480");
    EXPECT_EQ(RescoreLevelValue("ABCD,120,2160", 3, 2), "ABCD,120,1840");
    EXPECT_EQ(RescoreLevelValue("ABCD,120,2700", 3, 1), "ABCD,120,1700"); // no penalty
    // The steps stop once the bonus falls below 500.
    EXPECT_EQ(RescoreLevelValue("WXYZ,0,2560", 10, 1), "WXYZ,0,400");
    EXPECT_EQ(RescoreLevelValue("WXYZ,7,70", 1, 5), "WXYZ,7,489"); // 500 down to 0 in 24 steps
    // Password and time keep their exact text.
    EXPECT_EQ(RescoreLevelValue("a b,0120,2160", 3, 4), "a b,0120,2480");

    // Outside the model, or a bonus no number of penalty steps from level 3 gives.
    for (const char* kept :
         {"", "ABCD", "ABCD,0", "ABCD,120,2160,9", "ABCD,abc,2160", "ABCD,120,2160.0", "ABCD,120,",
          "ABCD,100,1999", "ABCD,0,9999", "ABCD,0,-5", "ABCD,0,2147483647"})
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
    // A new score below 32 bits is refused.
    EXPECT_EQ(withNewTime("ABCD,32767,-2147400000", 0), std::nullopt);
}

} // namespace
} // namespace tessaro
