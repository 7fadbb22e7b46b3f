#include "common/numbers.h"

#include <gtest/gtest.h>

#include <cctype>
#include <string_view>

namespace tessaro {
namespace {

struct Case {
    const char* text;
    std::optional<std::int16_t> expected;
};

// The case's text spelt out ("-2.5" reads "minus2point5_ok"), so ctest names each case.
std::string caseName(const testing::TestParamInfo<Case>& info) {
    std::string name;
    for (const char c : std::string_view(info.param.text)) {
        if (std::isalnum(static_cast<unsigned char>(c)))
            name += c;
        else
            name += c == ' ' ? "_" : c == '+' ? "plus" : c == '-' ? "minus" : "point";
    }
    return (name.empty() ? "empty" : name) + (info.param.expected ? "_ok" : "_refused");
}

class ToInt16 : public ::testing::TestWithParam<Case> {};

TEST_P(ToInt16, ReadsDecimalTextAsTheGameFieldWould) {
    EXPECT_EQ(toInt16(GetParam().text), GetParam().expected) << '"' << GetParam().text << '"';
}

INSTANTIATE_TEST_SUITE_P(
    Table, ToInt16,
    ::testing::Values(Case{"144", 144}, Case{"  149  ", 149}, Case{"+7", 7}, Case{"-12", -12},
                      Case{"007", 7}, Case{"2.5", 2}, Case{"3.5", 4}, Case{"2.51", 3},
                      Case{"-2.5", -2}, Case{"-3.5", -4}, Case{"0.4999", 0}, Case{".5", 0},
                      Case{"1.", 1}, Case{"32767", 32767}, Case{"-32768", -32768},
                      Case{"32767.4", 32767}, Case{"32767.5", std::nullopt},
                      Case{"-32768.5", -32768}, Case{"32768", std::nullopt},
                      Case{"-32769", std::nullopt}, Case{"99999999999999999999", std::nullopt},
                      Case{"", std::nullopt}, Case{"   ", std::nullopt}, Case{"abc", std::nullopt},
                      Case{"12a", std::nullopt}, Case{"1 2", std::nullopt}, Case{"+", std::nullopt},
                      Case{".", std::nullopt}, Case{"--1", std::nullopt}, Case{"1e3", std::nullopt},
                      Case{"0x10", std::nullopt}),
    caseName);

TEST(ToInt32, CoversTheWiderRange) {
    EXPECT_EQ(toInt32("2147483647"), 2147483647);
    EXPECT_EQ(toInt32("-2147483648"), std::numeric_limits<std::int32_t>::min());
    EXPECT_EQ(toInt32("2147483648"), std::nullopt);
    EXPECT_EQ(toInt32(" 40000 "), 40000);
}

} // namespace
} // namespace tessaro
