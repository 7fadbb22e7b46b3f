#include "common/casefold.h"

#include <gtest/gtest.h>

namespace tessaro {
namespace {

TEST(CaseFold, OneOrderForEveryList) {
    // Each pair in the order every list shows it: "_" before letters, case blind, a name
    // before a longer one it begins, names alike but for case by bytes, other bytes last.
    for (const auto& [first, second] : {std::pair{"a_b.ccf", "ab.ccf"},
                                        {"A_B.ccf", "ab.ccf"},
                                        {"alpha.dat", "Beta.dat"},
                                        {"a.dat", "A.DAT.dat"},
                                        {"A.dat", "a.dat"},
                                        {"z.dat", "\xE9.dat"}}) {
        EXPECT_TRUE(lessIgnoreCase(first, second)) << first;
        EXPECT_FALSE(lessIgnoreCase(second, first)) << second;
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
