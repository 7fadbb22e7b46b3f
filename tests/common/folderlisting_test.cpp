#include "common/folderlisting.h"
#include "support/tempfolder.h"

#include <gtest/gtest.h>

namespace tessaro {
namespace {

using Names = std::vector<std::string>;

TEST(FolderListing, PatternsMatchWithoutRegardToCase) {
    const std::tuple<const char*, const char*, bool> cases[] = {
        {"CCLP1.DAT", "*.dat;*.ccl", true}, {"my set.Ccl", "*.dat; *.ccl", true},
        {"level1.dat", "level?.*", true},   {"level10.dat", "level?.dat", false},
        {"set.data", "*.dat", false},       {"set.dat", ";;", false}};
    for (const auto& [name, patterns, matches] : cases)
        EXPECT_EQ(matchesFilePattern(name, patterns), matches) << name << " " << patterns;
    // Many stars answer at once instead of backtracking for ever.
    EXPECT_FALSE(matchesFilePattern(std::string(5000, 'a'), "*a*a*a*a*a*a*a*b"));
}

TEST(FolderListing, ListsMatchingFilesAndFoldersSortedWithoutRegardToCase) {
    test::TempFolder folder;
    for (const char* name : {"set.Dat", "CCLP1.DAT", "zeta.ccl", "a.dat", "A.DAT.dat", "_x.dat",
                             "ab.ccf", "a_b.ccf", "notes.txt", "sub/inner.dat"})
        folder.write(name, "x");
    Names expected{"_x.dat", "a.dat",     "A.DAT.dat", "a_b.ccf",
                   "ab.ccf", "CCLP1.DAT", "set.Dat",   "zeta.ccl"};
#ifndef _WIN32 // Windows names that differ only in case are one file.
    folder.write("AB.ccf", "x");
    expected.insert(expected.begin() + 4, "AB.ccf");
#endif
    std::filesystem::create_directories(folder / "looks.dat");
    EXPECT_EQ(listMatchingFiles(folder.path(), "*.dat;*.ccl;*.ccf"), expected);
    EXPECT_EQ(listSubfolders(folder.path()), (Names{"looks.dat", "sub"}));
    EXPECT_TRUE(listMatchingFiles(folder / "absent", "*.dat").empty());
}

} // namespace
} // namespace tessaro
