#include "common/codepage.h"
#include "common/windowsnames.h"

#include <gtest/gtest.h>

namespace tessaro {
namespace {

TEST(CodePage, NamesGoIntoTheGamesFilesInWindows1252) {
    const std::pair<const char*, std::optional<std::string>> cases[] = {
        {"Café.dat", "Caf\xE9.dat"},
        {"Don’t.dat", "Don\x92t.dat"},
        {"€Ž.dat", "\x80\x8E.dat"},
        {"Иван.dat", std::nullopt},
        {"\xF0\x9F\x8E\xAE", std::nullopt},
        {"Ol\xE9.dat", "Ol\xE9.dat"}, // not UTF-8: its own bytes
        {"\xC0\xAF", "\xC0\xAF"},     // nor is an overlong '/'
        {"Caf\xC3", "Caf\xC3"}};      // nor a cut-off character
    for (const auto& [name, bytes] : cases)
        EXPECT_EQ(toWindows1252(name), bytes) << name;
    std::string all;
    for (int b = 0; b < 256; ++b)
        all.push_back(static_cast<char>(b));
    EXPECT_TRUE(isValidUtf8(fromWindows1252(all)));
    EXPECT_EQ(toWindows1252(fromWindows1252(all)), all);
    EXPECT_EQ(readableName("Ol\xE9.dat"), "Olé.dat");
    EXPECT_EQ(readableName("Иван"), "Иван");
}

TEST(WindowsNames, RefusedOnEverySystem) {
    for (const char* name : {"Иван.ccf", "a b.ccf", "com10.ccf", "nul_set.dat", "x..y.ccf"})
        EXPECT_TRUE(isNameWindowsCanHold(name)) << name;
    for (const char* name :
         {"", "a:b", "a<b", "a>b", "a\"b", "a|b", "a?b", "a*b", "a/b", "a\\b", "a\nb", "trailing ",
          "trailing.", "..", "con.ccf", "aux .txt", "COM1.ccf", "lpt9"})
        EXPECT_FALSE(isNameWindowsCanHold(name)) << name;
}

} // namespace
} // namespace tessaro
