#include "common/casefold.h"
#include "common/codepage.h"
#include "common/folderlisting.h"
#include "common/windowsnames.h"
#include "support/tempfolder.h"

#include <gtest/gtest.h>

namespace tessaro {
namespace {

using Names = std::vector<std::string>;

// Every list shows names in one order: "_" before letters, case blind, a name before a longer one
// it begins, names alike but for case by their bytes, other bytes after letters. Names go into the
// game's files in Windows-1252.
TEST(Names, ListedInOneCaseBlindOrderAndWrittenInWindows1252) {
    const std::tuple<const char*, const char*, bool> cases[] = {
        {"CCLP1.DAT", "*.dat;*.ccl", true}, {"my set.Ccl", "*.dat; *.ccl", true},
        {"level1.dat", "level?.*", true},   {"level10.dat", "level?.dat", false},
        {"set.data", "*.dat", false},       {"set.dat", ";;", false}};
    for (const auto& [name, patterns, matches] : cases)
        EXPECT_EQ(matchesFilePattern(name, patterns), matches) << name << " " << patterns;
    // Many stars answer at once instead of backtracking for ever.
    EXPECT_FALSE(matchesFilePattern(std::string(5000, 'a'), "*a*a*a*a*a*a*a*b"));

    test::TempFolder folder;
    for (const char* name : {"set.Dat", "CCLP1.DAT", "Zeta.ccl", "a.dat", "A.DAT.dat", "_x.dat",
                             "ab.ccf", "a_b.ccf", "é.dat", "notes.txt", "Иван/set.dat"})
        folder.write(name, "x");
    Names expected{"_x.dat",    "a.dat",   "A.DAT.dat", "a_b.ccf", "ab.ccf",
                   "CCLP1.DAT", "set.Dat", "Zeta.ccl",  "é.dat"};
#ifndef _WIN32 // Windows names that differ only in case are one file, and are never bytes.
    folder.write("AB.ccf", "x");
    folder.write("Ol\xE9.dat", "x"); // not UTF-8: keeps its bytes
    expected.insert(expected.begin() + 4, "AB.ccf");
    expected.insert(expected.begin() + 7, "Ol\xE9.dat");
#endif
    std::filesystem::create_directories(folder / "looks.dat");
    EXPECT_EQ(listMatchingFiles(folder.path(), "*.dat;*.ccl;*.ccf"), expected);
    EXPECT_EQ(listSubfolders(folder.path()), (Names{"looks.dat", "Иван"}));
    EXPECT_EQ(listMatchingFiles(folder / "Иван", "*.dat"), Names{"set.dat"});
    EXPECT_FALSE(lessIgnoreCase("same.dat", "same.dat"));
    EXPECT_FALSE(equalsIgnoreCase("\xC9", "\xE9")); // only ASCII letters fold
    EXPECT_FALSE(endsWithIgnoreCase("at", ".dat"));

    const std::pair<const char*, std::optional<std::string>> codePage[] = {
        {"Café.dat", "Caf\xE9.dat"}, {"Don’t.dat", "Don\x92t.dat"},
        {"Иван.dat", std::nullopt},  {"Ol\xE9.dat", "Ol\xE9.dat"}, // not UTF-8: its own bytes
        {"\xC0\xAF", "\xC0\xAF"},                                  // nor is an overlong '/'
        {"Caf\xC3", "Caf\xC3"}};                                   // nor a cut-off character
    for (const auto& [name, bytes] : codePage)
        EXPECT_EQ(toWindows1252(name), bytes) << name;
    EXPECT_EQ(readableName("Ol\xE9.dat"), "Olé.dat");

    for (const char* name : {"Иван.ccf", "a b.ccf", "com10.ccf", "nul_set.dat", "x..y.ccf"})
        EXPECT_TRUE(isNameWindowsCanHold(name)) << name;
    for (const char* name :
         {"", "a:b", "a<b", "COM1.ccf", "a?b", "a*b", "a/b", "a\\b", "a\nb", "trailing ",
          "trailing.", "..", "con.ccf", "con.tar.dat", "aux .txt", "lpt9"})
        EXPECT_FALSE(isNameWindowsCanHold(name)) << name;
}

// Names are compared eight bytes at a time; the order is the same at every position, at the edges
// of the letters ("`" before "A", "[" before "Z", "@" before "a"), for bytes above ASCII, and for
// names alike but for case.
TEST(Names, CaseBlindOrderHoldsAtEveryByte) {
    const std::pair<const char*, const char*> orders[] = {
        {"abcdefg`", "abcdefgA"},           {"abcdefg[", "abcdefgZ"},
        {"ABCDEFG@", "abcdefga"},           {"abcdefg\xC1z", "abcdefg\xE1!"},
        {"levelset9.dat", "LEVELSETA.dat"}, {"LevelSet.dat", "levelset.dat"}};
    for (const auto& [before, after] : orders)
        EXPECT_TRUE(lessIgnoreCase(before, after) && !lessIgnoreCase(after, before)) << before;
}

} // namespace
} // namespace tessaro
