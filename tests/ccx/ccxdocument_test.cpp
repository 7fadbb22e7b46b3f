#include "ccx/ccxdocument.h"

#include <gtest/gtest.h>

#include <utility>

namespace tessaro {
namespace {

// A level or page read before anything was put into it is empty, whether or
// not it has been written to since; documents compare and copy by what they
// hold, not by which levels happen to have been touched.
TEST(CcxDocument, UntouchedLevelsAndPagesReadEmptyAndCompareByContents) {
    const CcxDocument untouched;
    EXPECT_EQ(untouched.level(kMaxCcxLevels).epilogue.page(kMaxCcxPages), CcxPage{});
    EXPECT_TRUE(untouched.level(1) == CcxLevel{});

    CcxDocument touched;
    touched.level(999).prologue.page(10).text.clear();
    touched.level(1).epilogue.count = 0;
    EXPECT_TRUE(touched == untouched);
    EXPECT_TRUE(untouched == touched);

    // Every field of a page counts, the colours of a page beyond the count too.
    touched.level(7).prologue.page(3).backColor = 0x010203;
    EXPECT_FALSE(touched == untouched);
    EXPECT_FALSE(untouched == touched);

    // A copy is a document of its own.
    CcxDocument copy = touched;
    EXPECT_TRUE(copy == touched);
    copy.level(7).title = "Copied";
    copy.level(8).title = "Only in the copy";
    EXPECT_EQ(touched.level(7).title, "");
    EXPECT_EQ(std::as_const(touched).level(8).title, "");
    copy = touched;
    EXPECT_TRUE(copy == touched);

    // A reset keeps the pages' colours; dropping a level forgets them too.
    touched.level(7).title = "Seven";
    touched.reset();
    EXPECT_EQ(touched.level(7).title, "");
    EXPECT_EQ(touched.level(7).prologue.page(3).backColor, 0x010203u);
    touched.dropLevelsAbove(7);
    EXPECT_FALSE(touched == untouched);
    touched.dropLevelsAbove(6);
    EXPECT_TRUE(touched == untouched);
}

} // namespace
} // namespace tessaro
