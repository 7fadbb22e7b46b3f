#include "common/foldernavigator.h"
#include "support/tempfolder.h"

#include <gtest/gtest.h>

namespace tessaro {
namespace {

namespace fs = std::filesystem;
using Names = std::vector<std::string>;

// Two "drives" a and b (folders of a temporary folder, as mounted media are).
class FolderNavigatorTest : public ::testing::Test {
protected:
    FolderNavigatorTest() {
        fs::create_directories(root / "a" / "sets" / "deep");
        fs::create_directories(root / "b");
    }
    std::string at(const char* relative) const {
        return (root.path() / fs::path(relative).make_preferred()).string();
    }

    test::TempFolder root;
    FolderNavigator navigator{{at("a"), at("b")}, "*.dat"};
};

TEST_F(FolderNavigatorTest, AVanishedSavedFolderOpensItsNearestParent) {
    EXPECT_TRUE(navigator.restore(at("a/sets/deep/"), {at("b")}));
    EXPECT_EQ(navigator.folder(), at("a/sets/deep"));
    EXPECT_TRUE(navigator.restore(at("a/sets/gone/deeper"), {at("b")}));
    EXPECT_EQ(navigator.folder(), at("a/sets"));
    EXPECT_EQ(navigator.drive(), at("a"));
    // Nothing of it left: the first fallback that opens.
    EXPECT_TRUE(navigator.restore("", {at("missing"), at("b")}));
    EXPECT_EQ(navigator.folder(), at("b"));
    EXPECT_TRUE(navigator.restore("relative/name", {at("a")}));
    EXPECT_EQ(navigator.folder(), at("a"));
    EXPECT_FALSE(navigator.restore("", {at("missing")}));
    EXPECT_EQ(navigator.folder(), at("a"));
}

TEST_F(FolderNavigatorTest, EachDriveGoesBackToItsLastFolder) {
    ASSERT_TRUE(navigator.openFolder(at("a/sets/deep")));
    EXPECT_TRUE(navigator.openDrive(at("b")));
    EXPECT_EQ(navigator.folder(), at("b"));
    EXPECT_TRUE(navigator.openDrive(at("a")));
    EXPECT_EQ(navigator.folder(), at("a/sets/deep"));
    fs::remove(root / "a" / "sets" / "deep");
    navigator.openDrive(at("b"));
    EXPECT_TRUE(navigator.openDrive(at("a")));
    EXPECT_EQ(navigator.folder(), at("a/sets"));

    // What cannot be read changes nothing.
    EXPECT_FALSE(navigator.openDrive(at("missing")));
    EXPECT_FALSE(navigator.openFolder(at("a/missing")));
    EXPECT_FALSE(navigator.openFolder(at("a/sets/file.dat")));
    EXPECT_EQ(navigator.folder(), at("a/sets"));
    EXPECT_EQ(navigator.drive(), at("a"));

    // A folder on no listed drive lies on its root, which joins the list.
    ASSERT_TRUE(navigator.openFolder(root.str()));
    EXPECT_EQ(navigator.drive(), pathRoot(root.str()));
    EXPECT_EQ(navigator.drives(), (Names{at("a"), at("b"), pathRoot(root.str())}));
}

TEST_F(FolderNavigatorTest, ListsTheFolderTreeAndItsMatchingFiles) {
    root.write("a/sets/one.dat", "");
    root.write("a/sets/notes.txt", "");
    ASSERT_TRUE(navigator.openFolder(at("a/sets")));
    EXPECT_EQ(navigator.files(), Names{"one.dat"});
    root.write("a/sets/Two.DAT", "");
    EXPECT_EQ(navigator.files(), Names{"one.dat"}); // read when asked, not watched
    navigator.refreshFiles();
    EXPECT_EQ(navigator.files(), (Names{"one.dat", "Two.DAT"}));

    const auto& entries = navigator.entries();
    ASSERT_GE(entries.size(), 3u);
    EXPECT_EQ(entries.front().path, pathRoot(root.str()));
    const auto& current = entries[entries.size() - 2];
    EXPECT_TRUE(current.current);
    EXPECT_EQ(current.path, at("a/sets"));
    EXPECT_EQ(current.name, "sets");
    EXPECT_EQ(entries.back(), (FolderListEntry{at("a/sets/deep"), "deep", current.depth + 1}));
}

} // namespace
} // namespace tessaro
