#include "common/folderlisting.h"
#include "common/paths.h"
#include "common/programsearch.h"
#include "support/tempfolder.h"

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

// Paths as text are UTF-8 on every system; on Windows they reach the wide
// file API, so folders and names outside any one code page work.
TEST(Paths, NamesOutsideAsciiAreTheSystemsOwn) {
    test::TempFolder folder;
    for (const char* name : {"Иван/set.dat", "Café.dat", "Don’t.dat", "plain.dat"})
        folder.write(name, "x");
    EXPECT_EQ(listMatchingFiles(folder.path(), "*.dat"),
              (std::vector<std::string>{"Café.dat", "Don’t.dat", "plain.dat"}));
    EXPECT_EQ(listSubfolders(folder.path()), std::vector<std::string>{"Иван"});
    const std::string ivan = fromPath(folder / "Иван");
    EXPECT_EQ(folderListEntries(toPath(ivan)).back().path, ivan);
    EXPECT_EQ(listMatchingFiles(toPath(ivan), "*.dat"), std::vector<std::string>{"set.dat"});
    EXPECT_EQ(fromPath(toPath(ivan)), ivan);
    EXPECT_EQ(bareName(ivan), "Иван");
#ifndef _WIN32 // Windows names are UTF-16 and cannot be anything but text.
    // A name that is not UTF-8 keeps its bytes.
    folder.write("Ol\xE9.dat", "x");
    EXPECT_EQ(listMatchingFiles(folder.path(), "Ol*").at(0), "Ol\xE9.dat");
    EXPECT_EQ(folder.read("Ol\xE9.dat"), "x");
#endif
}

TEST(ProgramSearch, FindsTheFirstProgramOnThePath) {
    test::TempFolder folder;
    for (const char* name : {"a/wine", "b/wine", "c/wine"})
        folder.write(name, "#!/bin/sh\n");
    std::filesystem::create_directories(folder / "d" / "wine"); // a folder is no program
    for (const char* name : {"b/wine", "c/wine"})
        std::filesystem::permissions(folder / name, std::filesystem::perms::owner_all);
#ifdef _WIN32
    const char separator = ';';
    const std::string first = "a";
#else
    const char separator = ':';
    const std::string first = "b"; // a/wine may not be run
#endif
    std::string path = separator + fromPath(folder / "d") + separator + fromPath(folder / "none");
    for (const char* sub : {"a", "b", "c"})
        path += separator + fromPath(folder / sub);
    EXPECT_EQ(findProgram("wine", path), fromPath(folder / first / "wine"));
    EXPECT_EQ(findProgram("wine", fromPath(folder / "d")), std::nullopt);
    EXPECT_EQ(findProgram("wine", ""), std::nullopt);
}

} // namespace
} // namespace tessaro
