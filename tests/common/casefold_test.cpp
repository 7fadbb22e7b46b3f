#include "common/casefold.h"

#include <gtest/gtest.h>

namespace tessaro {
namespace {

TEST(CaseFold, OneOrderForEveryList) {
    // Each pair in the order every list shows it.
    const std::pair<const char*, const char*> ordered[] = {
        {"a_b.ccf", "ab.ccf"},     // "_" before letters, whatever their case
        {"A_B.ccf", "ab.ccf"},     //
        {"alpha.dat", "Beta.dat"}, // case does not count
        {"a.dat", "A.DAT.dat"},    // a name before a longer one it begins
        {"A.dat", "a.dat"},        // names alike but for case: by their bytes
        {"z.dat", "\xE9.dat"},     // other bytes as themselves, after ASCII
    };
    for (const auto& [first, second] : ordered) {
        EXPECT_TRUE(lessIgnoreCase(first, second)) << first << " < " << second;
        EXPECT_FALSE(lessIgnoreCase(second, first)) << second << " < " << first;
    }
    EXPECT_FALSE(lessIgnoreCase("same.dat", "same.dat"));

    EXPECT_TRUE(equalsIgnoreCase("Chips.exe", "CHIPS.EXE"));
    EXPECT_FALSE(equalsIgnoreCase("Chips.exe", "Chips.ex"));
    EXPECT_FALSE(equalsIgnoreCase("\xC9", "\xE9")); // only ASCII letters fold
    EXPECT_TRUE(endsWithIgnoreCase("set.Dat", ".dat"));
    EXPECT_FALSE(endsWithIgnoreCase("at", ".dat"));
}

} // namespace
} // namespace tessaro
