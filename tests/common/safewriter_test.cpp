#include "common/safewriter.h"
#include "support/tempfolder.h"

#include <gtest/gtest.h>

namespace tessaro {
namespace {

namespace fs = std::filesystem;

std::vector<std::string> namesIn(const fs::path& folder) {
    std::vector<std::string> names;
    for (const auto& entry : fs::directory_iterator(folder))
        names.push_back(entry.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
}

TEST(SafeWriter, ReplacesCreatesAndCopiesButNeverAFolder) {
    test::TempFolder folder;
    folder.write("old.txt", "old and longer contents");
    EXPECT_TRUE(replaceFileAtomically(folder / "fresh.txt", std::string("\0\xFF", 2)));
    EXPECT_TRUE(copyFileReplacing(folder / "fresh.txt", folder / "old.txt"));
    EXPECT_TRUE(copyFileReplacing(folder / "old.txt", folder / "old.txt"));
    EXPECT_FALSE(copyFileReplacing(folder / "absent.txt", folder / "old.txt"));
    EXPECT_EQ(folder.read("old.txt"), std::string("\0\xFF", 2));

    fs::create_directory(folder / "dir");
    EXPECT_FALSE(replaceFileAtomically(folder / "dir", "data"));
    EXPECT_FALSE(replaceFileAtomically(folder / "missing" / "x.txt", "data"));
    EXPECT_TRUE(fs::is_empty(folder / "dir"));
    EXPECT_EQ(namesIn(folder.path()), (std::vector<std::string>{"dir", "fresh.txt", "old.txt"}));
}

TEST(SafeWriter, AReadOnlyFileIsRefusedAndLeftAsItWas) {
    test::TempFolder folder;
    const auto locked = folder.write("locked.ini", "old");
    fs::permissions(locked, fs::perms::owner_read | fs::perms::group_read | fs::perms::others_read);
    EXPECT_TRUE(isReadOnlyFile(locked));
    EXPECT_FALSE(replaceFileAtomically(locked, "new"));
    folder.write("source.exe", "game");
    EXPECT_FALSE(copyFileReplacing(folder / "source.exe", locked));
    EXPECT_EQ(folder.read("locked.ini"), "old");
    EXPECT_EQ(namesIn(folder.path()), (std::vector<std::string>{"locked.ini", "source.exe"}));
    fs::permissions(locked, fs::perms::owner_write, fs::perm_options::add);
    EXPECT_FALSE(isReadOnlyFile(locked));
    EXPECT_FALSE(isReadOnlyFile(folder / "absent.ini"));
}

#ifndef _WIN32 // Windows keeps only a read-only mark, and links need special rights there.
TEST(SafeWriter, KeepsPermissionBitsAndWritesThroughALink) {
    test::TempFolder folder;
    const auto scores = folder.write("real/scores.ini", "old");
    fs::permissions(scores, fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
    fs::create_symlink("real/scores.ini", folder / "link.ini");

    SafeWriter writer(folder / "link.ini");
    EXPECT_EQ(writer.destination(), scores);
    EXPECT_TRUE(replaceFileAtomically(folder / "link.ini", "new"));
    EXPECT_TRUE(fs::is_symlink(folder / "link.ini"));
    EXPECT_EQ(folder.read("real/scores.ini"), "new");
    EXPECT_EQ(fs::status(scores).permissions(),
              fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
    EXPECT_EQ(namesIn(folder / "real"), std::vector<std::string>{"scores.ini"});

    // Links that go round in a circle are not followed for ever.
    fs::create_symlink("loop-b", folder / "loop-a");
    fs::create_symlink("loop-a", folder / "loop-b");
    EXPECT_FALSE(replaceFileAtomically(folder / "loop-a", "x"));
}
#endif

TEST(SafeWriter, AFailureAtAnyStepLeavesTheOldFileAndNoTemporaryFile) {
    const std::pair<WriteStep, const char*> steps[] = {{WriteStep::Open, "open"},
                                                       {WriteStep::Write, "write"},
                                                       {WriteStep::Flush, "flush"},
                                                       {WriteStep::Rename, "rename"}};
    for (const auto& [step, name] : steps) {
        test::TempFolder folder;
        folder.write("set.ccf", "old contents");
        {
            ScopedWriteFailure failure(step);
            EXPECT_FALSE(replaceFileAtomically(folder / "set.ccf", "new contents")) << name;
        }
        EXPECT_EQ(folder.read("set.ccf"), "old contents") << name;
        EXPECT_EQ(namesIn(folder.path()), std::vector<std::string>{"set.ccf"}) << name;
        // The failure happens once; the next save goes through.
        EXPECT_TRUE(replaceFileAtomically(folder / "set.ccf", "new contents")) << name;
    }
}

TEST(SafeWriter, PreparedFilesChangeNothingUntilCommitted) {
    test::TempFolder folder;
    folder.write("a.txt", "old a");
    {
        SafeWriter a(folder / "a.txt"), b(folder / "b.txt");
        ASSERT_TRUE(a.prepare("new a") && b.prepare("new b"));
        EXPECT_EQ(folder.read("a.txt"), "old a");
        EXPECT_TRUE(a.commit());
        EXPECT_FALSE(a.commit()); // nothing prepared any more
    }                             // b is never committed
    EXPECT_EQ(folder.read("a.txt"), "new a");
    EXPECT_EQ(namesIn(folder.path()), std::vector<std::string>{"a.txt"});
}

} // namespace
} // namespace tessaro
