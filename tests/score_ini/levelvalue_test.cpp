#include "score_ini/levelvalue.h"

#include <gtest/gtest.h>

namespace tessaro {
namespace {

struct RescoreCase {
    const char* value;
    int from;
    int to;
    const char* expected;
};

class Rescore : public testing::TestWithParam<RescoreCase> {};

TEST_P(Rescore, MovesTheBonusToTheNewLevel) {
    const auto& c = GetParam();
    EXPECT_EQ(RescoreLevelValue(c.value, c.from, c.to), c.expected)
        << c.value << " from level " << c.from << " to " << c.to;
}

INSTANTIATE_TEST_SUITE_P(
    LevelValue, Rescore,
    testing::Values(
        // Level 3, time 120: bonus 1500 -> 1200 -> 960 is two penalty steps.
        RescoreCase{"ABCD,120,2160", 3, 4, "ABCD,120,2480"},
        RescoreCase{"ABCD,120,2160", 3, 2, "ABCD,120,1840"},
        RescoreCase{"ABCD,120,2160", 3, 3, "ABCD,120,2160"},
        RescoreCase{"ABCD,120,2700", 3, 1, "ABCD,120,1700"}, // no penalty: full bonus
        // The steps stop once the bonus falls below 500.
        RescoreCase{"WXYZ,0,2560", 10, 1, "WXYZ,0,400"},
        RescoreCase{"WXYZ,7,70", 1, 5, "WXYZ,7,489"}, // bonus 500 down to 0 in 24 steps
        // Password and time keep their exact text.
        RescoreCase{"a b,0120,2160", 3, 4, "a b,0120,2480"},
        // Outside the model: left as they are.
        RescoreCase{"", 3, 4, ""}, RescoreCase{"ABCD", 3, 4, "ABCD"},
        RescoreCase{"ABCD,0", 1, 4, "ABCD,0"},
        RescoreCase{"ABCD,120,2160,9", 3, 4, "ABCD,120,2160,9"},
        RescoreCase{"ABCD,abc,2160", 3, 4, "ABCD,abc,2160"},
        RescoreCase{"ABCD,120,2160.0", 3, 4, "ABCD,120,2160.0"},
        RescoreCase{"ABCD,120,", 3, 4, "ABCD,120,"},
        // A bonus no number of penalty steps gives, or more than the level's.
        RescoreCase{"ABCD,100,1999", 3, 4, "ABCD,100,1999"},
        RescoreCase{"ABCD,0,9999", 3, 4, "ABCD,0,9999"},
        RescoreCase{"ABCD,0,-5", 3, 4, "ABCD,0,-5"},
        RescoreCase{"ABCD,0,2147483647", 3, 4, "ABCD,0,2147483647"}));

TEST(LevelValue, PasswordsHaveOneToNineCharactersThatKeepTheLineWhole) {
    EXPECT_TRUE(IsValidLevelPassword("A"));
    EXPECT_TRUE(IsValidLevelPassword("123456789"));
    EXPECT_TRUE(IsValidLevelPassword("  \xE9[;"));
    EXPECT_FALSE(IsValidLevelPassword(""));
    EXPECT_FALSE(IsValidLevelPassword("1234567890"));
    EXPECT_FALSE(IsValidLevelPassword("AB,C"));
    EXPECT_FALSE(IsValidLevelPassword("A=B"));
    EXPECT_FALSE(IsValidLevelPassword("A\r\nB"));
}

TEST(LevelValue, TimesAreWholeNumbersFromZeroTo32767) {
    EXPECT_EQ(ParseLevelTime("0"), 0);
    EXPECT_EQ(ParseLevelTime(" 100 "), 100);
    EXPECT_EQ(ParseLevelTime("32767"), 32767);
    EXPECT_EQ(ParseLevelTime("99.5"), 100);
    EXPECT_EQ(ParseLevelTime("100.5"), 100);
    EXPECT_EQ(ParseLevelTime("-0.4"), 0);
    for (const char* bad : {"abc", "", "-1", "40000", "32768", "1e3", "12abc"})
        EXPECT_EQ(ParseLevelTime(bad), std::nullopt) << bad;
}

TEST(LevelValue, EditsTouchOnlyTheirOwnField) {
    EXPECT_EQ(withNewTime("ABCD,120,2160", 100), "ABCD,100,1960");
    EXPECT_EQ(withNewTime("ABCD,120,2160", 150), "ABCD,150,2460");
    EXPECT_EQ(withNewTime("ABCD", 100), std::nullopt);
    EXPECT_EQ(withNewTime("", 100), std::nullopt);
    EXPECT_EQ(withNewTime("ABCD,x,2160", 100), std::nullopt);
    EXPECT_EQ(withNewTime("ABCD,120,2160,7", 100), std::nullopt);
    EXPECT_EQ(withNewTime("ABCD,32767,-2147400000", 0), std::nullopt); // below 32 bits

    EXPECT_EQ(withNewPassword("ABCD,120,2160", "WXYZ"), "WXYZ,120,2160");
    EXPECT_EQ(withNewPassword("ABCD", "W"), "W");
    EXPECT_EQ(withNewPassword("", "W"), "W");
    EXPECT_EQ(withNewPassword("ABCD,120", "W"), "W,120");

    EXPECT_EQ(withoutScore("ABCD,120,2160"), "ABCD");
    EXPECT_EQ(withoutScore("ABCD"), "ABCD");
    EXPECT_EQ(withoutScore(""), "");

    using Fields = std::vector<std::string_view>;
    EXPECT_EQ(splitValueFields(""), Fields{});
    EXPECT_EQ(splitValueFields("A,,B"), (Fields{"A", "", "B"}));
}

} // namespace
} // namespace tessaro
