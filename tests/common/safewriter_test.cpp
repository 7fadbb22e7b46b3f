#include "common/paths.h"
#include "common/safewriter.h"
#include "support/foldersnapshot.h"
#include "support/tempfolder.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

namespace tessaro {
namespace {

namespace fs = std::filesystem;
using Changes = std::vector<std::string>;

TEST(SafeWriter, CopiesEveryByteAndNothingFromAMissingFile) {
    test::TempFolder folder;
    const auto source = folder.write("source.txt", std::string("\0\xFF", 2));
    EXPECT_TRUE(copyFileReplacing(source, folder / "copy.txt"));
    EXPECT_EQ(folder.read("copy.txt"), std::string("\0\xFF", 2));
    EXPECT_FALSE(copyFileReplacing(folder / "absent.txt", folder / "copy.txt"));
    EXPECT_EQ(folder.read("copy.txt"), std::string("\0\xFF", 2));
}

// What is in the way of a save (a read-only file, a folder, links in a circle) is left as it was.
TEST(SafeWriter, RefusesWhatIsInTheWayAndLeavesItAsItWas) {
    test::TempFolder folder;
    fs::permissions(folder.write("locked.ini", "old"),
                    fs::perms::owner_read | fs::perms::group_read | fs::perms::others_read);
    fs::create_directory(folder / "folder");
    std::vector<std::string> inTheWay = {"locked.ini", "folder"};
#ifndef _WIN32 // links need special rights on Windows
    fs::create_directory(folder / "loops");
    fs::create_symlink("b", folder / "loops/a");
    fs::create_symlink("a", folder / "loops/b");
    inTheWay.push_back("loops/a");
#endif
    const test::FolderSnapshot before(folder.path(), folder / "loops");
    for (const auto& file : inTheWay)
        EXPECT_FALSE(replaceFileAtomically(folder / file, "new")) << file;
    EXPECT_EQ(before.changes(), Changes{});
}

#ifndef _WIN32 // Windows keeps only a read-only mark, and links need special rights there.
// The file a link names is replaced, with its permission bits; the link stays.
TEST(SafeWriter, ReplacesTheFileALinkNamesAndKeepsItsBitsAndTheLink) {
    test::TempFolder folder;
    const auto bits = fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read;
    fs::permissions(folder.write("real/scores.ini", "old"), bits);
    fs::create_symlink("real/scores.ini", folder / "link.ini");
    EXPECT_TRUE(replaceFileAtomically(folder / "link.ini", "new"));
    EXPECT_TRUE(fs::is_symlink(folder / "link.ini"));
    EXPECT_EQ(folder.read("real/scores.ini"), "new");
    EXPECT_EQ(fs::status(folder / "real/scores.ini").permissions(), bits);
}
#endif

// Leftovers of saves of scores.ini cut short: those of processes that are gone go with the next
// save, which leaves nothing of its own; a save still running, another file's and another program's
// files stay.
TEST(SafeWriter, RemovesWhatSavesOfEndedProcessesLeftAndNothingElse) {
    test::TempFolder folder;
    folder.write("scores.ini", "old");
    SafeWriter running(folder / "scores.ini"); // this process's, still running
    ASSERT_TRUE(running.prepare("running"));
    std::string runningName;
    for (const auto& entry : fs::directory_iterator(folder.path()))
        runningName = std::max(runningName, fromPath(entry.path().filename())); // after scores.ini
    const auto tag = runningName.substr(0, runningName.rfind('-')); // "…tessaro-<id>-<start>"
    ASSERT_EQ(tag.rfind("scores.ini.tessaro-", 0), 0u) << runningName;
    const std::string dead = "scores.ini.tessaro-2147483644-1-1.tmp";
    const std::string reused = tag + "0-1.tmp"; // the same id, another start
    const char* kept[] = {"other.ini.tessaro-2147483644-1-1.tmp",
                          "scores.ini.tessaro-2147483644-1.tmp",
                          "scores.ini.tessaro-2147483644-1-1.tmp.part",
                          "scores.ini.tessaro-x-1-1.tmp", "xscores.ini.tessaro-2147483644-1-1.tmp"};
    for (const auto& name : {dead, reused})
        folder.write(name, "left");
    for (const char* name : kept)
        folder.write(name, "not ours");
    fs::create_directory(folder / "scores.ini.tessaro-2147483644-1-2.tmp");
    const test::FolderSnapshot before(folder.path());
    EXPECT_TRUE(replaceFileAtomically(folder / "scores.ini", "new"));
    // The order of the two names depends on this process's id.
    EXPECT_THAT(before.changes(), testing::UnorderedElementsAre("changed scores.ini",
                                                                "gone " + dead, "gone " + reused));
    EXPECT_EQ(folder.read("scores.ini"), "new");
}

// One file, a few flushed one by one, more flushed together: each save flushes the folder after its
// renames, and a failed flush is reported (the new files are in place).
TEST(SafeWriter, FlushesTheFolderAfterTheRenames) {
    for (const std::size_t count : {1, 3, 9}) {
        test::TempFolder folder;
        std::vector<std::pair<fs::path, std::string>> files;
        for (std::size_t n = 0; n < count; ++n)
            files.emplace_back(folder / ("set" + std::to_string(n)), "new");
        const ScopedWriteFailure failure(WriteStep::FlushFolder);
        const auto replaced =
            count == 1 ? std::vector<bool>{replaceFileAtomically(files[0].first, files[0].second)}
                       : replaceFilesAtomically(files);
        EXPECT_EQ(failure.failedWrites(), 1) << count << " files";
        EXPECT_EQ(replaced, std::vector<bool>(count, false)) << count << " files";
        EXPECT_EQ(folder.read("set0"), "new");
    }
}

} // namespace
} // namespace tessaro
