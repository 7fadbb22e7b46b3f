#include "common/numbers.h"

#include <gtest/gtest.h>

namespace tessaro {
namespace {

// Decimal text read as the game reads its 16-bit fields: a half rounds to the even number.
TEST(ToInt16, ReadsDecimalTextAsTheGameFieldWould) {
    const auto no = std::nullopt;
    const std::pair<const char*, std::optional<std::int16_t>> cases[] = {
        {"  149  ", 149}, {"+7", 7},     {"-12", -12},   {"2.5", 2},         {"3.5", 4},
        {"2.51", 3},      {"-3.5", -4},  {".5", 0},      {"-32768", -32768}, {"32767.4", 32767},
        {"32767.5", no},  {"32768", no}, {"-32769", no}, {"4294967296", no}, {"", no},
        {"12a", no},      {".", no},     {"1e3", no},    {"1 2", no},        {"+", no}};
    for (const auto& [text, value] : cases)
        EXPECT_EQ(toInt16(text), value) << '"' << text << '"';
}

TEST(ToInt32, RefusesATooLongNumberBeforeItOverflows) {
    EXPECT_EQ(toInt32("99999999999999999999"), std::nullopt);
}

} // namespace
} // namespace tessaro
