#include "ccf/ccffile.h"
#include "support/tempfolder.h"

#include <gtest/gtest.h>

namespace tessaro {
namespace {

using Fields = std::vector<std::string>;

TEST(CcfFile, WritesFourQuotedCrLfLinesAndReadsThemBack) {
    test::TempFolder folder;
    ASSERT_TRUE(
        writeCcfFile(folder / "mine.ccf", "C:\\Sets\\CCLP2.DAT", "0144", "149", "mine.ccf"));
    EXPECT_EQ(folder.read("mine.ccf"),
              "\"C:\\Sets\\CCLP2.DAT\"\r\n\"0144\"\r\n\"149\"\r\n\"mine.ccf\"\r\n");
    EXPECT_EQ(readCcfFields(folder / "mine.ccf", 4),
              (Fields{"C:\\Sets\\CCLP2.DAT", "0144", "149", "mine.ccf"}));
    EXPECT_EQ(readCcfFields(folder / "absent.ccf", 3), std::nullopt);
    EXPECT_FALSE(writeCcfFile(folder / "no" / "such.ccf", "a", "1", "2", "such.ccf"));
}

TEST(CcfFile, ReadingRuleForQuotedAndUnquotedFields) {
    // A file missing its fourth line serves three fields but not four.
    const std::string three = "\"set.dat\"\r\n\"144\"\r\n\"149\"\r\n";
    EXPECT_EQ(parseCcfFields(three, 3), (Fields{"set.dat", "144", "149"}));
    EXPECT_EQ(parseCcfFields(three, 4), std::nullopt);
    // Unquoted fields end at a comma or line end, without surrounding spaces.
    EXPECT_EQ(parseCcfFields("  /sets/a b.dat , 3,4\nname.ccf", 4),
              (Fields{"/sets/a b.dat", "3", "4", "name.ccf"}));
    // Quoted fields keep commas and spaces; LF-only and lone CR line ends work.
    EXPECT_EQ(parseCcfFields("\"a, b \"\n\" 1\"\r\"2\"\n\"x\"", 4),
              (Fields{"a, b ", " 1", "2", "x"}));
    EXPECT_EQ(parseCcfFields("", 1), std::nullopt);
    // An unclosed quote runs to the end of the file.
    EXPECT_EQ(parseCcfFields("\"open", 1), (Fields{"open"}));
}

} // namespace
} // namespace tessaro
