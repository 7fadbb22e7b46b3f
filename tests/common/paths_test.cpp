#include "common/folderlisting.h"
#include "common/paths.h"
#include "common/programsearch.h"
#include "support/tempfolder.h"

#include <gtest/gtest.h>

namespace tessaro {
namespace {

using Names = std::vector<std::string>;

TEST(Paths, JoinCleanAndSplitWithEitherSeparator) {
    const std::tuple<const char*, const char*, char, const char*> joins[] = {
        {"C:\\", "ludex.exe", '\\', "C:\\ludex.exe"},
        {"D:\\Sets\\", "x.dat", '\\', "D:\\Sets\\x.dat"},
        {"/", "ludex.exe", '/', "/ludex.exe"},
        {"a\\\\b", "c", '/', "a\\\\b/c"}, // the other system's separator is a character
        {"\\\\server\\share\\", "x.dat", '\\', "\\\\server\\share\\x.dat"},
        {"\\\\server\\share", "x.dat", '\\', "\\\\server\\share\\x.dat"},
        {"//server/share/", "x.dat", '/', "//server/share/x.dat"}};
    for (const auto& [folder, name, separator, joined] : joins)
        EXPECT_EQ(joinAndClean(folder, name, separator), joined) << folder;
    EXPECT_EQ(cleanSeparators("\\\\server\\\\share\\\\dir", '\\'), "\\\\server\\share\\dir");
    EXPECT_EQ(cleanSeparators("a///b", '/'), "a//b"); // pairs replaced left to right
    EXPECT_EQ(bareName("C:\\GAMES\\CHIPS.EXE"), "CHIPS.EXE");
    EXPECT_EQ(bareName("/home/p/Chips.exe"), "Chips.exe");

    const std::tuple<const char*, char, Names> steps[] = {
        {"\\\\server\\share\\dir\\", '\\', {"\\\\server\\share\\", "\\\\server\\share\\dir"}},
        {"//server/share/dir", '/', {"//server/share/", "//server/share/dir"}},
        {"c:/Games/./x/../Sets", '\\', {"c:\\", "c:\\Games", "c:\\Games\\Sets"}},
        {"/home/p/", '/', {"/", "/home", "/home/p"}},
        {"/../..", '/', {"/"}},
        {"C:/x", '/', {}}, // no drive letters where "/" separates
        {"sets/new", '/', {}}};
    for (const auto& [path, separator, expected] : steps) {
        EXPECT_EQ(folderSteps(path, separator), expected) << path;
        EXPECT_EQ(pathRoot(path, separator), expected.empty() ? "" : expected.front()) << path;
    }
    // A share is the root of its folder list; nothing below it is read here.
    EXPECT_EQ(
        folderListEntries("\\\\server\\share\\dir", '\\'),
        (std::vector<FolderListEntry>{{"\\\\server\\share\\", "\\\\server\\share\\", 0, false},
                                      {"\\\\server\\share\\dir", "dir", 1, true}}));
}

TEST(Paths, NamesOutsideAsciiAreTheSystemsOwn) {
    test::TempFolder folder;
    for (const char* name : {"Иван/set.dat", "Café.dat", "Don’t.dat"})
        folder.write(name, "x");
    EXPECT_EQ(listMatchingFiles(folder.path(), "*.dat"), (Names{"Café.dat", "Don’t.dat"}));
    const std::string ivan = fromPath(folder / "Иван");
    EXPECT_EQ(folderListEntries(ivan).back().path, ivan);
    EXPECT_EQ(listMatchingFiles(toPath(ivan), "*.dat"), Names{"set.dat"});
#ifndef _WIN32                       // Windows names are UTF-16 and cannot be anything but text.
    folder.write("Ol\xE9.dat", "x"); // not UTF-8: keeps its bytes
    EXPECT_EQ(listMatchingFiles(folder.path(), "Ol*").at(0), "Ol\xE9.dat");
#endif
}

TEST(ProgramSearch, FindsTheFirstProgramOnThePath) {
    test::TempFolder folder;
    for (const char* name : {"a/wine", "b/wine"})
        folder.write(name, "#!/bin/sh\n");
    std::filesystem::create_directories(folder / "d" / "wine"); // a folder is no program
    std::filesystem::permissions(folder / "b/wine", std::filesystem::perms::owner_all);
#ifdef _WIN32
    const char separator = ';', *first = "a";
#else
    const char separator = ':', *first = "b"; // a/wine may not be run
#endif
    const std::string path = fromPath(folder / "d") + separator + fromPath(folder / "a") +
                             separator + fromPath(folder / "b");
    EXPECT_EQ(findProgram("wine", path), fromPath(folder / first / "wine"));
    EXPECT_EQ(findProgram("wine", fromPath(folder / "d")), std::nullopt);
}

} // namespace
} // namespace tessaro
