#include "common/folderlisting.h"
#include "common/paths.h"

#include <gtest/gtest.h>

namespace tessaro {
namespace {

using Steps = std::vector<std::string>;

TEST(Paths, JoinAndCleanWithEitherSeparator) {
    EXPECT_EQ(joinAndClean("C:\\Games\\Tessaro", "ludex.exe", '\\'),
              "C:\\Games\\Tessaro\\ludex.exe");
    EXPECT_EQ(joinAndClean("C:\\", "ludex.exe", '\\'), "C:\\ludex.exe");
    EXPECT_EQ(joinAndClean("D:\\Sets\\", "cclp3.dat", '\\'), "D:\\Sets\\cclp3.dat");
    EXPECT_EQ(joinAndClean("/home/p/tessaro", "ludex.exe", '/'), "/home/p/tessaro/ludex.exe");
    EXPECT_EQ(joinAndClean("/", "ludex.exe", '/'), "/ludex.exe");
    // The other system's separator is an ordinary character.
    EXPECT_EQ(joinAndClean("a\\\\b", "c", '/'), "a\\\\b/c");
    // A network share keeps its leading pair.
    EXPECT_EQ(joinAndClean("\\\\server\\share\\", "x.dat", '\\'), "\\\\server\\share\\x.dat");
    EXPECT_EQ(joinAndClean("\\\\server\\share", "x.dat", '\\'), "\\\\server\\share\\x.dat");
    EXPECT_EQ(joinAndClean("//server/share/", "x.dat", '/'), "//server/share/x.dat");
    EXPECT_EQ(cleanSeparators("\\\\server\\\\share\\\\dir", '\\'), "\\\\server\\share\\dir");
    // Pairs are replaced left to right, so three become two.
    EXPECT_EQ(cleanSeparators("a///b", '/'), "a//b");

    EXPECT_EQ(bareName("C:\\GAMES\\CHIPS.EXE"), "CHIPS.EXE");
    EXPECT_EQ(bareName("/home/p/Chips.exe"), "Chips.exe");
    EXPECT_EQ(bareName("plain.dat"), "plain.dat");
}

TEST(Paths, RootsAndTheFoldersDownFromThem) {
    const std::tuple<const char*, char, Steps> cases[] = {
        {"\\\\server\\share\\dir\\", '\\', {"\\\\server\\share\\", "\\\\server\\share\\dir"}},
        {"\\\\server\\share", '\\', {"\\\\server\\share\\"}},
        {"//server/share/dir", '/', {"//server/share/", "//server/share/dir"}},
        {"C:\\Games\\\\Sets", '\\', {"C:\\", "C:\\Games", "C:\\Games\\Sets"}},
        {"c:/Games/./x/../Sets", '\\', {"c:\\", "c:\\Games", "c:\\Games\\Sets"}},
        {"/home/p/", '/', {"/", "/home", "/home/p"}},
        {"/../..", '/', {"/"}},
        {"/a\\b", '/', {"/", "/a\\b"}},
        {"C:/x", '/', {}}, // no drive letters where "/" separates
        {"sets/new", '/', {}},
    };
    for (const auto& [path, separator, steps] : cases) {
        EXPECT_EQ(folderSteps(path, separator), steps) << path;
        EXPECT_EQ(pathRoot(path, separator), steps.empty() ? "" : steps.front()) << path;
    }

    // A share is the root of its folder list; what lies below it cannot be
    // read here, so no sub-folders follow.
    const auto entries = folderListEntries("\\\\server\\share\\dir", '\\');
    EXPECT_EQ(entries, (std::vector<FolderListEntry>{
                           {"\\\\server\\share\\", "\\\\server\\share\\", 0, false},
                           {"\\\\server\\share\\dir", "dir", 1, true}}));
}

} // namespace
} // namespace tessaro
