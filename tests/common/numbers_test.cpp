#include "common/numbers.h"

#include <gtest/gtest.h>

#include <cctype>
#include <map>

namespace tessaro {
namespace {

using Case = std::pair<const char*, std::optional<std::int16_t>>;

// The text spelt out ("-2.5" reads "minus2point5_ok"), so ctest names each case.
std::string caseName(const testing::TestParamInfo<Case>& info) {
    static const std::map<char, const char*> words{
        {' ', "_"}, {'+', "plus"}, {'-', "minus"}, {'.', "point"}};
    std::string name = *info.param.first ? "" : "empty";
    for (const char* c = info.param.first; *c; ++c)
        name += std::isalnum(static_cast<unsigned char>(*c)) ? std::string(1, *c) : words.at(*c);
    return name + (info.param.second ? "_ok" : "_refused");
}

class ToInt16 : public ::testing::TestWithParam<Case> {};
TEST_P(ToInt16, ReadsDecimalTextAsTheGameFieldWould) {
    EXPECT_EQ(toInt16(GetParam().first), GetParam().second);
}
const auto no = std::nullopt;
const Case cases[] = {{"  149  ", 149},   {"+7", 7},          {"-12", -12},    {"2.5", 2},
                      {"3.5", 4},         {"2.51", 3},        {"-3.5", -4},    {".5", 0},
                      {"-32768", -32768}, {"32767.4", 32767}, {"32767.5", no}, {"32768", no},
                      {"-32769", no},     {"4294967296", no}, {"", no},        {"12a", no},
                      {".", no},          {"1e3", no},        {"1 2", no},     {"+", no}};
INSTANTIATE_TEST_SUITE_P(Table, ToInt16, ::testing::ValuesIn(cases), caseName);

TEST(ToInt32, RefusesATooLongNumberBeforeItOverflows) {
    EXPECT_EQ(toInt32("99999999999999999999"), std::nullopt);
}

} // namespace
} // namespace tessaro
