#include "common/numbers.h"

#include <gtest/gtest.h>

#include <cctype>

namespace tessaro {
namespace {

using Case = std::pair<const char*, std::optional<std::int16_t>>;

// The text spelt out ("-2.5" reads "minus2point5_ok"), so ctest names each case.
std::string caseName(const testing::TestParamInfo<Case>& info) {
    std::string name;
    for (const char* c = info.param.first; *c; ++c)
        name += std::isalnum(static_cast<unsigned char>(*c)) ? std::string(1, *c)
                : *c == ' '                                  ? "_"
                : *c == '+'                                  ? "plus"
                : *c == '-'                                  ? "minus"
                                                             : "point";
    return (name.empty() ? "empty" : name) + (info.param.second ? "_ok" : "_refused");
}

class ToInt16 : public ::testing::TestWithParam<Case> {};
TEST_P(ToInt16, ReadsDecimalTextAsTheGameFieldWould) {
    EXPECT_EQ(toInt16(GetParam().first), GetParam().second);
}
const auto no = std::nullopt;
INSTANTIATE_TEST_SUITE_P(Table, ToInt16,
                         ::testing::Values(Case{"  149  ", 149}, Case{"+7", 7}, Case{"-12", -12},
                                           Case{"2.5", 2}, Case{"3.5", 4}, Case{"2.51", 3},
                                           Case{"-3.5", -4}, Case{".5", 0}, Case{"1.", 1},
                                           Case{"-32768", -32768}, Case{"32767.4", 32767},
                                           Case{"32767.5", no}, Case{"32768", no},
                                           Case{"-32769", no}, Case{"99999999999999999999", no},
                                           Case{"", no}, Case{"   ", no}, Case{"12a", no},
                                           Case{"1 2", no}, Case{"+", no}, Case{".", no},
                                           Case{"--1", no}, Case{"1e3", no}),
                         caseName);

TEST(ToInt32, CoversTheWiderRange) {
    EXPECT_EQ(toInt32(" -2147483648 "), std::numeric_limits<std::int32_t>::min());
    EXPECT_EQ(toInt32("2147483648"), std::nullopt);
}

} // namespace
} // namespace tessaro
