#include "common/codepage.h"
#include "common/windowsnames.h"

#include <gtest/gtest.h>

namespace tessaro {
namespace {

TEST(CodePage, NamesGoIntoTheGamesFilesInWindows1252) {
    const std::pair<const char*, std::optional<std::string>> cases[] = {
        {"CCLP1.DAT", "CCLP1.DAT"},
        {"Café.dat", "Caf\xE9.dat"},
        {"Don’t.dat", "Don\x92t.dat"},   // the typographic apostrophe is 0x92
        {"€ŸŽ.dat", "\x80\x9F\x8E.dat"}, // the characters 0x80..0x9F stand for
        {"Иван.dat", std::nullopt},      // Cyrillic: the game cannot read it
        {"日本.dat", std::nullopt},
        {"\xF0\x9F\x8E\xAE.dat", std::nullopt},   // beyond the first 65,536 characters
        {"Ol\xE9.dat", "Ol\xE9.dat"},             // not UTF-8: its own bytes
        {"\xC0\xAF.dat", "\xC0\xAF.dat"},         // an overlong '/' is not UTF-8 either
        {"\xED\xA0\x80.dat", "\xED\xA0\x80.dat"}, // nor is a surrogate
        {"Caf\xC3", "Caf\xC3"}};                  // nor a cut-off character
    for (const auto& [name, bytes] : cases)
        EXPECT_EQ(toWindows1252(name), bytes) << name;

    // Every byte has a character and comes back as itself.
    std::string all;
    for (int b = 0; b < 256; ++b)
        all.push_back(static_cast<char>(b));
    EXPECT_TRUE(isValidUtf8(fromWindows1252(all)));
    EXPECT_EQ(toWindows1252(fromWindows1252(all)), all);
    EXPECT_EQ(fromWindows1252("Don\x92t \x81"), "Don’t \xC2\x81");

    // A name is shown as UTF-8 when it is UTF-8, else read as Windows-1252.
    EXPECT_EQ(readableName("Ol\xE9.dat"), "Olé.dat");
    EXPECT_EQ(readableName("Иван"), "Иван");
}

TEST(WindowsNames, RefusedOnEverySystem) {
    for (const char* name : {"a.ccf", "Café.ccf", "Иван.ccf", "a b.ccf", ".ccf", "com10.ccf",
                             "console.ccf", "nul_set.dat", "x..y.ccf"})
        EXPECT_TRUE(isNameWindowsCanHold(name)) << name;
    for (const char* name :
         {"",     "a:b.ccf", "a<b.ccf", "a>b",     "a\"b",          "a|b",           "a?b",
          "a*b",  "a/b",     "a\\b",    "a\tb",    "bad\nname.dat", "trailing.ccf ", "trailing.",
          "..",   "CON",     "con.ccf", "Nul.dat", "aux .txt",      "PRN",           "COM1.ccf",
          "lpt9", "LPT1.dat"})
        EXPECT_FALSE(isNameWindowsCanHold(name)) << name;
}

} // namespace
} // namespace tessaro
