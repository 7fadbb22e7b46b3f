#include "ccx/htmlcolor.h"

#include <gtest/gtest.h>

namespace tessaro {
namespace {

struct ColorCase {
    ColorValue value;
    const char* html;
};

class HtmlColor : public testing::TestWithParam<ColorCase> {};

TEST_P(HtmlColor, FormatsAndParsesBack) {
    const auto& c = GetParam();
    EXPECT_EQ(formatHtmlColor(c.value), c.html);
    EXPECT_EQ(parseHtmlColor(std::string_view(c.html).substr(1)), c.value);
}

INSTANTIATE_TEST_SUITE_P(
    Colors, HtmlColor,
    testing::Values(ColorCase{0x000000, "#000000"}, ColorCase{0xFFFFFF, "#FFFFFF"},
                    ColorCase{0x0000FF, "#FF0000"}, // pure red
                    ColorCase{0xFF0000, "#0000FF"}, // pure blue
                    ColorCase{0x000A0B0C, "#0C0B0A"}, ColorCase{0x000C0B0A, "#0A0B0C"},
                    ColorCase{0x00800000, "#000080"}, ColorCase{0x0001FE7F, "#7FFE01"}));

TEST(HtmlColorText, HighBitsAreIgnoredAndEveryComponentHasTwoDigits) {
    EXPECT_EQ(formatHtmlColor(0xFF0A0B0C), "#0C0B0A");
    EXPECT_EQ(formatHtmlColor(0x00010203), "#030201");
    for (ColorValue v = 0; v < 0x1000000; v += 0x010307)
        ASSERT_EQ(parseHtmlColor(formatHtmlColor(v).substr(1)), v);
}

TEST(HtmlColorText, ReadsLikeHtml) {
    EXPECT_EQ(parseHtmlColor("FF"), 0xFF0000u);         // short: pure blue
    EXPECT_EQ(parseHtmlColor("ff0000"), 0x0000FFu);     // lower case
    EXPECT_EQ(parseHtmlColor("0c0B0a"), 0x000A0B0Cu);   // mixed case
    EXPECT_EQ(parseHtmlColor("FF0000\" x"), 0x0000FFu); // stops at the first non-digit
    EXPECT_EQ(parseHtmlColor(""), 0u);
    EXPECT_EQ(parseHtmlColor("zz"), 0u);
    EXPECT_EQ(parseHtmlColor("12FF0000"), 0x0000FFu); // only the last six digits count
}

} // namespace
} // namespace tessaro
