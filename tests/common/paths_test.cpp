#include "common/folderlisting.h"
#include "common/foldernavigator.h"
#include "common/paths.h"
#include "support/tempfolder.h"

#include <gtest/gtest.h>
#include <type_traits>

namespace tessaro {
namespace {

namespace fs = std::filesystem;
using Names = std::vector<std::string>;

// A path held as text and a std::filesystem::path never stand in for each other: toPath and
// fromPath are the only ways across.
static_assert(!std::is_convertible_v<Utf8Path, fs::path>);
static_assert(!std::is_constructible_v<fs::path, Utf8Path>);
static_assert(!std::is_constructible_v<Utf8Path, fs::path>);
static_assert(!std::is_convertible_v<std::string, Utf8Path>);

TEST(Paths, JoinCleanSplitAndBrowseFolders) {
    EXPECT_EQ(joinAndClean("C:\\", "ludex.exe", '\\'), "C:\\ludex.exe");
    EXPECT_EQ(joinAndClean("\\\\server\\share\\", "x.dat", '\\'), "\\\\server\\share\\x.dat");
    EXPECT_EQ(joinAndClean("\\\\server\\share", "x.dat", '\\'), "\\\\server\\share\\x.dat");
    // The other system's separator is a character.
    EXPECT_EQ(joinAndClean("a\\\\b", "c", '/'), "a\\\\b/c");
    EXPECT_EQ(cleanSeparators("\\\\server\\\\share\\\\dir", '\\'), "\\\\server\\share\\dir");
    EXPECT_EQ(bareName("C:\\GAMES\\CHIPS.EXE"), "CHIPS.EXE");

    const std::tuple<const char*, char, Names> steps[] = {
        {"\\\\server\\share\\dir\\", '\\', {"\\\\server\\share\\", "\\\\server\\share\\dir"}},
        {"c:/Games/./x/../Sets", '\\', {"c:\\", "c:\\Games", "c:\\Games\\Sets"}},
        {"C:/x", '/', {}}}; // no drive letters where "/" separates
    for (const auto& [path, separator, expected] : steps) {
        EXPECT_EQ(folderSteps(path, separator), expected) << path;
        EXPECT_EQ(pathRoot(path, separator), expected.empty() ? "" : expected.front()) << path;
    }
    // A share is the root of its folder list; nothing below it is read here.
    EXPECT_EQ(
        folderListEntries("\\\\server\\share\\dir", '\\'),
        (std::vector<FolderListEntry>{{"\\\\server\\share\\", "\\\\server\\share\\", 0, false},
                                      {"\\\\server\\share\\dir", "dir", 1, true}}));

    // Drives a and b, folders as mounted media are, remember their folders.
    test::TempFolder root;
    const auto at = [&](auto name) { return fromPath((root / name).make_preferred()); };
    fs::create_directories(root / "a/sets/deep");
    fs::create_directories(root / "b");
    root.write("a/sets/one.dat", "");
    FolderNavigator navigator{{at("a"), at("b")}, "*.dat"};
    EXPECT_TRUE(navigator.restore(at("a/sets/gone/deeper"), {at("b")})); // opens a/sets
    EXPECT_TRUE(navigator.openDrive(at("b")));
    EXPECT_TRUE(navigator.openDrive(at("a")));
    EXPECT_EQ(navigator.folder(), at("a/sets"));
    EXPECT_FALSE(navigator.openFolder(at("a/sets/one.dat")));
    const auto& entries = navigator.entries();
    const auto& current = entries[entries.size() - 2];
    EXPECT_EQ(entries.back(), (FolderListEntry{at("a/sets/deep"), "deep", current.depth + 1}));
    // A folder on no listed drive lies on its root, which joins the list.
    ASSERT_TRUE(navigator.openFolder(root.str()));
    EXPECT_EQ(navigator.drives().back(), pathRoot(root.str()));
}

// "/media/usb2" is a drive of its own, not a folder on "/media/usb".
TEST(FolderNavigator, AFolderLiesOnADriveOnlyBelowItsWholeName) {
    test::TempFolder root;
    fs::create_directories(root / "usb2/sets");
    FolderNavigator navigator{{fromPath(root / "usb")}};
    ASSERT_TRUE(navigator.openFolder(fromPath(root / "usb2/sets")));
    EXPECT_EQ(navigator.drive(), pathRoot(root.str()));
}

} // namespace
} // namespace tessaro
