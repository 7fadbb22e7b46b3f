#include "ccx/ccxwriter.h"
#include "ccxfixtures.h"
#include "support/tempfolder.h"

#include <gtest/gtest.h>

namespace tessaro {
namespace {

using test::ccxFixtureBytes;
using test::demoDocument;

TEST(CcxWriter, WritesTheDemoSetByteForByte) {
    EXPECT_EQ(formatCcxFile(demoDocument()), ccxFixtureBytes("demo-set.ccx"));

    test::TempFolder folder;
    folder.write("demo.ccx", "older and longer contents that must vanish entirely");
    ASSERT_TRUE(writeCcxFile(folder / "demo.ccx", demoDocument()));
    EXPECT_EQ(folder.read("demo.ccx"), ccxFixtureBytes("demo-set.ccx"));
    EXPECT_FALSE(writeCcxFile(folder / "missing" / "demo.ccx", demoDocument()));
}

TEST(CcxWriter, HeaderHoldsOnlyTheLinesWhoseFieldsAreSet) {
    CcxDocument document;
    EXPECT_EQ(formatCcxFile(document),
              "<levelset\r\n\tformat=\"html\"\r\n>\r\n\r\n</levelset>\r\n");

    document.lynxChoice = CompatChoice::No;
    document.author = "Me";
    document.hasDefaultColors = true;
    document.defaultBackColor = 0x0000FF;
    document.defaultFontColor = 0xFF0000;
    EXPECT_EQ(formatCcxFile(document), "<levelset\r\n"
                                       "\tlynx=\"no\"\r\n"
                                       "\tauthor=\"Me\"\r\n"
                                       "\tformat=\"html\"\r\n"
                                       "\tbgcolor=\"#FF0000\" color=\"#0000FF\"\r\n"
                                       ">\r\n\r\n</levelset>\r\n");
}

TEST(CcxWriter, LevelBlocksForEveryNumberUpToTheCount) {
    CcxDocument document;
    document.levelCount = 3;
    // Level 1: pages that lie beyond a zero count are not written.
    document.level(1).prologue.page(1).text = "left over";
    // Level 2: author only, odd texts, colours in the epilogue.
    auto& second = document.level(2);
    second.title = "Two";
    second.author = "Al";
    second.epilogue.count = 3;
    second.epilogue.page(2).text = "ends in a break\r\n";
    second.epilogue.page(3) = {"a\r\nb", 1, 0xFF0000, 0x0000FF};
    // Level 3: kept attribute text, no author.
    document.level(3).compatAttributes = "lynx=\"yes\" ms=\"no\" x=\"1\"";

    const std::string head = "<levelset\r\n\tformat=\"html\"\r\n>\r\n\r\n";
    EXPECT_EQ(formatCcxFile(document), head +
                                           "<!--  -->\r\n<level number=\"1\">\r\n</level>\r\n\r\n"
                                           "<!-- Two -->\r\n<level number=\"2\" author=\"Al\">\r\n"
                                           "<epilogue>\r\n"
                                           "\r\n<page>\r\n<![CDATA[\r\n\r\n]]>\r\n</page>\r\n"
                                           "\r\n<page>\r\n<![CDATA[\r\nends in a break\r\n\r\n"
                                           "]]>\r\n</page>\r\n"
                                           "\r\n<page bgcolor=\"#0000FF\" color=\"#FF0000\">\r\n"
                                           "<![CDATA[\r\na\r\nb\r\n]]>\r\n</page>\r\n"
                                           "</epilogue>\r\n</level>\r\n\r\n"
                                           "<!--  -->\r\n"
                                           "<level number=\"3\" lynx=\"yes\" ms=\"no\" x=\"1\">\r\n"
                                           "</level>\r\n\r\n"
                                           "</levelset>\r\n");
}

} // namespace
} // namespace tessaro
