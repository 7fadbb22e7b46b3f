#include "common/safewriter.h"
#include "support/tempfolder.h"

#include <gtest/gtest.h>

namespace tessaro {
namespace {

namespace fs = std::filesystem;
using Names = std::vector<std::string>;

Names namesIn(const fs::path& folder) {
    Names names;
    for (const auto& entry : fs::directory_iterator(folder))
        names.push_back(entry.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
}

TEST(SafeWriter, ReplacesAndCopiesButNeverAReadOnlyFileOrAFolder) {
    test::TempFolder folder;
    const auto locked = folder.write("locked.ini", "old");
    fs::permissions(locked, fs::perms::owner_read | fs::perms::group_read | fs::perms::others_read);
    EXPECT_TRUE(replaceFileAtomically(folder / "fresh.txt", std::string("\0\xFF", 2)));
    EXPECT_TRUE(copyFileReplacing(folder / "fresh.txt", folder / "copy.txt"));
    EXPECT_TRUE(copyFileReplacing(folder / "fresh.txt", folder / "copy.txt"));
    EXPECT_FALSE(copyFileReplacing(folder / "absent.txt", folder / "copy.txt"));
    EXPECT_EQ(folder.read("copy.txt"), std::string("\0\xFF", 2));
    EXPECT_FALSE(replaceFileAtomically(locked, "new"));
    EXPECT_FALSE(copyFileReplacing(folder / "fresh.txt", locked));
    EXPECT_EQ(folder.read("locked.ini"), "old");
    fs::create_directory(folder / "dir");
    EXPECT_FALSE(replaceFileAtomically(folder / "dir", "data"));
    EXPECT_FALSE(replaceFileAtomically(folder / "missing" / "x.txt", "data"));
    EXPECT_EQ(namesIn(folder.path()), (Names{"copy.txt", "dir", "fresh.txt", "locked.ini"}));
    EXPECT_TRUE(fs::is_empty(folder / "dir"));
}

#ifndef _WIN32 // Windows keeps only a read-only mark, and links need special rights there.
TEST(SafeWriter, KeepsPermissionBitsAndWritesThroughALink) {
    test::TempFolder folder;
    const auto scores = folder.write("real/scores.ini", "old");
    const auto bits = fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read;
    fs::permissions(scores, bits);
    fs::create_symlink("real/scores.ini", folder / "link.ini");
    EXPECT_TRUE(replaceFileAtomically(folder / "link.ini", "new"));
    EXPECT_TRUE(fs::is_symlink(folder / "link.ini"));
    EXPECT_EQ(folder.read("real/scores.ini"), "new");
    EXPECT_EQ(fs::status(scores).permissions(), bits);
    EXPECT_EQ(namesIn(folder / "real"), Names{"scores.ini"});
    fs::create_symlink("loop-b", folder / "loop-a"); // a circle is not followed for ever
    fs::create_symlink("loop-a", folder / "loop-b");
    EXPECT_FALSE(replaceFileAtomically(folder / "loop-a", "x"));
}
#endif

TEST(SafeWriter, AFailureAtAnyStepLeavesTheOldFileAndNoTemporaryFile) {
    for (const auto step :
         {WriteStep::Open, WriteStep::Write, WriteStep::Flush, WriteStep::Rename}) {
        test::TempFolder folder;
        folder.write("set.ccf", "old");
        {
            ScopedWriteFailure failure(step);
            EXPECT_FALSE(replaceFileAtomically(folder / "set.ccf", "new")) << int(step);
        }
        EXPECT_EQ(folder.read("set.ccf"), "old") << int(step);
        EXPECT_EQ(namesIn(folder.path()), Names{"set.ccf"}) << int(step);
        EXPECT_TRUE(replaceFileAtomically(folder / "set.ccf", "new")); // the failure was once
    }
}

// A batch flushes its files together; each file still fails alone, at any
// step, and leaves its old file and no temporary file.
TEST(SafeWriter, ABatchReplacesEveryFileItCanAndLeavesTheOthersWhole) {
    for (const auto step :
         {WriteStep::Open, WriteStep::Write, WriteStep::Flush, WriteStep::Rename}) {
        test::TempFolder folder;
        std::vector<std::pair<fs::path, std::string>> files;
        for (const char* name : {"a-MS.dac", "b-MS.dac", "c-MS.dac"}) {
            folder.write(name, "old");
            files.emplace_back(folder / name, "new");
        }
        {
            ScopedWriteFailure failure(step, 1); // the second file fails
            EXPECT_EQ(replaceFilesAtomically(files), (std::vector<bool>{true, false, true}))
                << int(step);
        }
        EXPECT_EQ(folder.read("a-MS.dac") + folder.read("b-MS.dac") + folder.read("c-MS.dac"),
                  "newoldnew")
            << int(step);
        EXPECT_EQ(namesIn(folder.path()), (Names{"a-MS.dac", "b-MS.dac", "c-MS.dac"})) << int(step);
    }
    // More than a thousand files go in more than one batch; every one is
    // written.
    test::TempFolder folder;
    std::vector<std::pair<fs::path, std::string>> files;
    for (int n = 0; n < 1001; ++n)
        files.emplace_back(folder / ("set" + std::to_string(n) + ".dac"), std::to_string(n));
    EXPECT_EQ(replaceFilesAtomically(files), std::vector<bool>(files.size(), true));
    EXPECT_EQ(folder.read("set1000.dac"), "1000");
    EXPECT_EQ(namesIn(folder.path()).size(), files.size());
}

} // namespace
} // namespace tessaro
