#include "common/folderlisting.h"
#include "support/tempfolder.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace tessaro {
namespace {

using Names = std::vector<std::string>;

TEST(FolderListing, PatternsMatchWithoutRegardToCase) {
    struct Case {
        const char* name;
        const char* patterns;
        bool matches;
    };
    const Case cases[] = {
        {"CCLP1.DAT", "*.dat;*.ccl", true},
        {"set.Dat", "*.dat;*.ccl", true},
        {"my set.ccl", "*.dat; *.ccl", true},
        {".dat", "*.dat", true},
        {"a.b.dat", "*.dat", true},
        {"level1.dat", "level?.*", true},
        {"level10.dat", "level?.dat", false},
        {"set.ccf", "*.dat;*.ccl", false},
        {"set.data", "*.dat;*.ccl", false},
        {"setdat", "*.dat", false},
        {"set.dat", "", false},
        {"set.dat", ";;", false},
    };
    for (const auto& c : cases)
        EXPECT_EQ(matchesFilePattern(c.name, c.patterns), c.matches) << c.name << " " << c.patterns;
    // A long name against many stars answers at once instead of backtracking
    // for ever.
    EXPECT_FALSE(matchesFilePattern(std::string(5000, 'a'), "*a*a*a*a*a*a*a*b"));
}

TEST(FolderListing, NamesSortTheWayAPersonReadsThem) {
    Names names = {"b.dat", "A.dat", "_x.dat", "a.dat", "CCLP2.DAT", "cclp1.dat", "a"};
    std::sort(names.begin(), names.end(),
              [](const std::string& x, const std::string& y) { return lessIgnoreCase(x, y); });
    EXPECT_EQ(names, (Names{"_x.dat", "a", "A.dat", "a.dat", "b.dat", "cclp1.dat", "CCLP2.DAT"}));
}

TEST(FolderListing, ListsMatchingFilesAndSubfoldersSorted) {
    test::TempFolder folder;
    for (const char* name : {"set.Dat", "CCLP1.DAT", "zeta.ccl", "Alpha.dat", "notes.txt",
                             "play.ccf", "sub/inner.dat"})
        folder.write(name, "x");
    std::filesystem::create_directories(folder / "looks.dat");
    std::filesystem::create_directories(folder / "Beta");

    EXPECT_EQ(listMatchingFiles(folder.path(), "*.dat;*.ccl"),
              (Names{"Alpha.dat", "CCLP1.DAT", "set.Dat", "zeta.ccl"}));
    EXPECT_EQ(listMatchingFiles(folder.path(), "*.dat;*.ccl;*.ccf"),
              (Names{"Alpha.dat", "CCLP1.DAT", "play.ccf", "set.Dat", "zeta.ccl"}));
    EXPECT_EQ(listSubfolders(folder.path()), (Names{"Beta", "looks.dat", "sub"}));
    EXPECT_EQ(listMatchingFiles(folder / "missing", "*.dat"), Names{});
    EXPECT_EQ(listSubfolders(folder / "notes.txt"), Names{});
}

TEST(FolderListing, FolderListShowsTheWayDownAndTheSubfolders) {
    test::TempFolder folder;
    std::filesystem::create_directories(folder / "games" / "sets");
    std::filesystem::create_directories(folder / "games" / "Data");

    const auto entries = folderListEntries(folder / "games");
    ASSERT_GE(entries.size(), 4u);
    EXPECT_EQ(entries.front().path, (folder / "games").root_path().string());
    EXPECT_EQ(entries.front().depth, 0);
    const auto current = std::find_if(entries.begin(), entries.end(),
                                      [](const FolderListEntry& e) { return e.current; });
    ASSERT_NE(current, entries.end());
    EXPECT_EQ(current->path, (folder / "games").string());
    EXPECT_EQ(current->name, "games");
    EXPECT_EQ(current + 3, entries.end());
    const int depth = current->depth;
    EXPECT_EQ(current[1],
              (FolderListEntry{(folder / "games" / "Data").string(), "Data", depth + 1, false}));
    EXPECT_EQ(current[2].name, "sets");
    // Each line on the way down is one level below the one before.
    for (auto it = entries.begin(); it != current; ++it)
        EXPECT_EQ(it[1].depth, it->depth + 1);
    EXPECT_EQ(folderListEntries(""), std::vector<FolderListEntry>{});
}

} // namespace
} // namespace tessaro
