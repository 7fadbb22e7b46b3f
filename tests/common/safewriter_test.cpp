#include "common/safewriter.h"
#include "support/foldersnapshot.h"
#include "support/tempfolder.h"

#include <gtest/gtest.h>

namespace tessaro {
namespace {

namespace fs = std::filesystem;

TEST(SafeWriter, ReplacesCopiesKeepsBitsAndLinksButNeverAReadOnlyFileOrAFolder) {
    test::TempFolder folder;
    const auto locked = folder.write("locked.ini", "old");
    fs::permissions(locked, fs::perms::owner_read | fs::perms::group_read | fs::perms::others_read);
    const auto fresh = folder.write("fresh.txt", std::string("\0\xFF", 2));
    EXPECT_TRUE(copyFileReplacing(fresh, folder / "copy.txt"));
    EXPECT_EQ(folder.read("copy.txt"), std::string("\0\xFF", 2));
    EXPECT_FALSE(copyFileReplacing(folder / "absent.txt", folder / "copy.txt"));
    EXPECT_FALSE(replaceFileAtomically(locked, "new"));
    EXPECT_FALSE(replaceFileAtomically(folder.path(), "data"));

    // More than a thousand files go in more than one batch; every one is written.
    std::vector<std::pair<fs::path, std::string>> files;
    for (int n = 0; n < 1001; ++n)
        files.emplace_back(folder / "dir" / ("set" + std::to_string(n)), std::to_string(n));
    fs::create_directory(folder / "dir");
    EXPECT_EQ(replaceFilesAtomically(files), std::vector<bool>(files.size(), true));
    EXPECT_EQ(std::distance(fs::directory_iterator(folder / "dir"), {}), 1001);

#ifndef _WIN32 // Windows keeps only a read-only mark, and links need special rights there.
    const auto scores = folder.write("real/scores.ini", "old");
    const auto bits = fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read;
    fs::permissions(scores, bits);
    fs::create_symlink("real/scores.ini", folder / "link.ini");
    const test::FolderSnapshot before(folder.path());
    EXPECT_TRUE(replaceFileAtomically(folder / "link.ini", "new"));
    EXPECT_EQ(before.changes(),
              (std::vector<std::string>{"changed link.ini", "changed real/scores.ini"}));
    EXPECT_EQ(fs::status(scores).permissions(), bits);
    fs::create_symlink("loop-b", folder / "loop-a"); // a circle is not followed for ever
    fs::create_symlink("loop-a", folder / "loop-b");
    EXPECT_FALSE(replaceFileAtomically(folder / "loop-a", "x"));
#endif
}

} // namespace
} // namespace tessaro
