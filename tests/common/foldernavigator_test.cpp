#include "common/foldernavigator.h"
#include "support/tempfolder.h"

#include <gtest/gtest.h>

namespace tessaro {
namespace {

namespace fs = std::filesystem;

// Two "drives" a and b, folders of a temporary folder as mounted media are.
struct FolderNavigatorTest : ::testing::Test {
    FolderNavigatorTest() { fs::create_directories(root / "a" / "sets" / "deep"); }
    std::string at(const char* relative) const {
        return (root.path() / fs::path(relative).make_preferred()).string();
    }
    test::TempFolder root;
    FolderNavigator navigator{{at("a"), at("b")}, "*.dat"};
};

TEST_F(FolderNavigatorTest, AVanishedSavedFolderOpensItsNearestParent) {
    fs::create_directories(root / "b");
    EXPECT_TRUE(navigator.restore(at("a/sets/gone/deeper"), {at("b")}));
    EXPECT_EQ(navigator.folder(), at("a/sets"));
    EXPECT_EQ(navigator.drive(), at("a"));
    EXPECT_TRUE(navigator.restore("relative/name", {at("missing"), at("b")}));
    EXPECT_EQ(navigator.folder(), at("b"));
    EXPECT_FALSE(navigator.restore("", {at("missing")}));
    EXPECT_EQ(navigator.folder(), at("b"));
}

TEST_F(FolderNavigatorTest, DrivesRememberTheirFoldersAndTheTreeListsDownToTheFiles) {
    fs::create_directories(root / "b");
    root.write("a/sets/one.dat", "");
    root.write("a/sets/notes.txt", "");
    ASSERT_TRUE(navigator.openFolder(at("a/sets")));
    EXPECT_TRUE(navigator.openDrive(at("b")));
    EXPECT_EQ(navigator.folder(), at("b"));
    EXPECT_TRUE(navigator.openDrive(at("a")));
    EXPECT_EQ(navigator.files(), std::vector<std::string>{"one.dat"});
    EXPECT_FALSE(navigator.openDrive(at("missing")));
    EXPECT_FALSE(navigator.openFolder(at("a/sets/one.dat")));
    EXPECT_EQ(navigator.folder(), at("a/sets"));
    const auto& entries = navigator.entries();
    ASSERT_GE(entries.size(), 3u);
    EXPECT_EQ(entries.front().path, pathRoot(root.str()));
    const auto& current = entries[entries.size() - 2];
    EXPECT_TRUE(current.current);
    EXPECT_EQ(current.name, "sets");
    EXPECT_EQ(entries.back(), (FolderListEntry{at("a/sets/deep"), "deep", current.depth + 1}));
    // A folder on no listed drive lies on its root, which joins the list.
    ASSERT_TRUE(navigator.openFolder(root.str()));
    EXPECT_EQ(navigator.drives().back(), pathRoot(root.str()));
}

} // namespace
} // namespace tessaro
