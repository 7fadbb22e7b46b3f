#include "common/programfolder.h"
#include "common/textfile.h"
#include "support/tempfolder.h"

#include <gtest/gtest.h>

namespace tessaro {
namespace {

using Lines = std::vector<std::string>;

TEST(TextFile, EveryLineEndEndsALineAndEveryByteSurvives) {
    EXPECT_EQ(splitLines("a\r\nb\rc\nd"), (Lines{"a", "b", "c", "d"}));
    EXPECT_EQ(splitLines("a\r\n\r\nb\n\n"), (Lines{"a", "", "b", ""}));
    EXPECT_EQ(splitLines("\n\r"), (Lines{"", ""}));
    test::TempFolder folder;
    std::string line;
    for (int b = 0; b < 256; ++b)
        if (b != '\r' && b != '\n')
            line.push_back(static_cast<char>(b));
    ASSERT_TRUE(writeTextLines(folder / "all.txt", {line, "", "x"}));
    EXPECT_EQ(folder.read("all.txt"), line + "\r\n\r\nx\r\n");
    EXPECT_EQ(readTextLines(folder / "all.txt"), (Lines{line, "", "x"}));
    EXPECT_EQ(readTextLines(folder / "absent.txt"), std::nullopt);
    EXPECT_EQ(readFileBytes(folder.path()), std::nullopt);
}

TEST(ProgramFolder, HomeThenWritableExecutableFolderThenUserData) {
    test::TempFolder folder;
    const auto exe = folder / "exe", data = folder / "data";
    auto writable = [](const std::filesystem::path&) { return true; };
    EXPECT_EQ(chooseProgramFolder(folder.str() + "/home", exe, data, writable), folder / "home");
    EXPECT_TRUE(std::filesystem::is_directory(folder / "home"));
    EXPECT_EQ(chooseProgramFolder(std::string(), exe, data, writable), exe);
    EXPECT_EQ(chooseProgramFolder(std::nullopt, exe, data, [](auto&) { return false; }), data);
    EXPECT_TRUE(std::filesystem::is_directory(data));
    EXPECT_FALSE(isFolderWritable(folder / "nowhere"));
}

} // namespace
} // namespace tessaro
