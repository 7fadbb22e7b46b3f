#include "common/textfile.h"
#include "support/tempfolder.h"

#include <gtest/gtest.h>

namespace tessaro {
namespace {

using Lines = std::vector<std::string>;

TEST(TextFile, EveryLineEndEndsALine) {
    EXPECT_EQ(splitLines("a\r\nb\rc\nd"), (Lines{"a", "b", "c", "d"}));
    EXPECT_EQ(splitLines("a\r\n\r\nb\n\n\r"), (Lines{"a", "", "b", "", ""}));

    EXPECT_EQ(readFileBytes(test::TempFolder().path()), std::nullopt); // a folder is no file

    // Lines already ending in CR LF are taken whole; a lone CR or LF anywhere
    // (the check runs in blocks), or a last line without a line end, makes
    // them CR LF lines all the same, line by line as a walk through them finds.
    std::string base;
    while (base.size() < 300)
        base += "Level" + std::to_string(base.size()) + "=ABCD\r\n";
    std::vector<std::string> appended = {base, base + "tail", "\n" + base, base + "\r"};
    for (std::size_t at = 0; at < base.size(); ++at)
        for (const char* end : {"\r", "\n", "\r\n"})
            appended.push_back(base.substr(0, at) + end + base.substr(at));
    for (const auto& text : appended) {
        std::string out = "front\r\n";
        appendLinesCrLf(out, text);
        ASSERT_EQ(out, "front\r\n" + joinLinesCrLf(splitLines(text))) << text;
    }
}

// Read in several pieces, into memory not cleared first; a file whose size
// the system gives as 0 is read to its end all the same.
TEST(TextFile, ReadsEveryByteOfAFile) {
    const test::TempFolder folder;
    std::string bytes(200'000, '\0');
    for (std::size_t i = 0; i < bytes.size(); ++i)
        bytes[i] = static_cast<char>(i * 7 + i / 256);
    EXPECT_EQ(readFileBytes(folder.write("big.bin", bytes)), bytes);
    EXPECT_EQ(readFileBytes(folder.write("empty.bin", "")), "");
#ifdef __linux__
    // Given as 0 bytes long and read a page at a time: no byte read is lost.
    const auto maps = readFileBytes("/proc/self/maps").value();
    EXPECT_GT(maps.size(), 4096u);
    EXPECT_EQ(maps.view().find('\0'), std::string_view::npos);
#endif
}

} // namespace
} // namespace tessaro
