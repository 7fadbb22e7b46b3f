#include "ccf/ccffile.h"
#include "support/tempfolder.h"

#include <gtest/gtest.h>

namespace tessaro {
namespace {

using Fields = std::vector<std::string>;

TEST(CcfFile, ReadingRuleForQuotedAndUnquotedFields) {
    // A file missing its fourth line serves three fields but not four.
    const std::string three = "\"set.dat\"\r\n\"144\"\r\n\"149\"\r\n";
    EXPECT_EQ(parseCcfFields(three, 3), (Fields{"set.dat", "144", "149"}));
    EXPECT_EQ(parseCcfFields(three, 4), std::nullopt);
    // Unquoted fields end at a comma or line end, without surrounding spaces.
    EXPECT_EQ(parseCcfFields("  /sets/a b.dat , 3,4\nname.ccf", 4),
              (Fields{"/sets/a b.dat", "3", "4", "name.ccf"}));
    // Quoted fields keep commas and spaces, and an open quote runs to the end;
    // LF-only and lone CR line ends work.
    EXPECT_EQ(parseCcfFields("\"a, b \"\n\" 1\"\r\"2\"\n\"x", 4),
              (Fields{"a, b ", " 1", "2", "x"}));
}

} // namespace
} // namespace tessaro
