#include "ccx/ccxreader.h"
#include "ccx/ccxwriter.h"
#include "ccxfixtures.h"
#include "common/textfile.h"

#include <gtest/gtest.h>

namespace tessaro {
namespace {

using test::ccxFixture;
using test::ccxFixtureBytes;
using test::demoDocument;
using Entries = std::vector<std::string>;

// A file with a bare header, the given body lines and the closing line.
std::string withBody(const std::vector<std::string>& body) {
    std::vector<std::string> lines{"<levelset", "\tformat=\"html\"", ">", ""};
    lines.insert(lines.end(), body.begin(), body.end());
    lines.push_back("</levelset>");
    return joinLinesCrLf(lines);
}

// A file with the given header attribute lines and one bare level.
std::string withHeader(const std::vector<std::string>& attributes) {
    std::vector<std::string> lines{"<levelset"};
    lines.insert(lines.end(), attributes.begin(), attributes.end());
    for (const char* rest : {">", "", "<level number=\"1\">", "</level>", "</levelset>"})
        lines.emplace_back(rest);
    return joinLinesCrLf(lines);
}

CcxFileContents read(std::string_view bytes) {
    auto result = parseCcxFile(bytes, CcxDocument{});
    EXPECT_TRUE(result.ok()) << "line " << result.error.line << ": " << result.error.problem;
    return result.ok() ? std::move(*result.contents) : CcxFileContents{};
}

CcxReadError refusal(std::string_view bytes) {
    const auto result = parseCcxFile(bytes, CcxDocument{});
    EXPECT_FALSE(result.ok());
    return result.error;
}

TEST(CcxReader, ReadsTheDemoSetWhateverItsLineEnds) {
    for (const char* name : {"demo-set.ccx", "lf-line-ends.ccx", "mixed-line-ends.ccx"}) {
        SCOPED_TRACE(name);
        const auto contents = read(ccxFixtureBytes(name));
        EXPECT_EQ(contents.document, demoDocument());
        EXPECT_EQ(contents.levelList, (Entries{"1. First", "2. Second"}));
        EXPECT_TRUE(contents.document.fileName.empty());
    }
}

TEST(CcxReader, ReadsPageTextsTheSameWithAnyLineEnds) {
    const auto crLf = ccxFixtureBytes("full-panes.ccx");
    const auto expected = read(crLf);
    for (const char* ending : {"\n", "\r"}) {
        std::string other;
        for (const auto& line : splitLines(crLf))
            other += line + ending;
        EXPECT_EQ(read(other).document, expected.document) << "line end " << int(ending[0]);
    }
    // A text whose last line is empty keeps its final line break.
    EXPECT_EQ(expected.document.level(2).epilogue.page(1).text, "ends with a break\r\n");
}

TEST(CcxReader, HeaderLines) {
    auto document = read(withHeader({"\tms=\"no\""})).document;
    EXPECT_EQ(document.msChoice, CompatChoice::No);
    EXPECT_EQ(document.lynxChoice, CompatChoice::Ignore);
    EXPECT_EQ(document.pedanticChoice, CompatChoice::Ignore);
    EXPECT_FALSE(document.hasDefaultColors);

    // Any order, any leading text, other values than "yes" are No.
    document = read(withHeader({"x pedantic=\"yes\" lynx=\"YES\"", "author=\"A\"",
                                "  description=\"\"", "\tcolor=\"#0000ff\" bgcolor=\"#FF\""}))
                   .document;
    EXPECT_EQ(document.msChoice, CompatChoice::Ignore);
    EXPECT_EQ(document.lynxChoice, CompatChoice::No);
    EXPECT_EQ(document.pedanticChoice, CompatChoice::Yes);
    EXPECT_EQ(document.author, "A");
    EXPECT_EQ(document.description, "");
    EXPECT_TRUE(document.hasDefaultColors);
    EXPECT_EQ(document.defaultFontColor, 0xFF0000u);
    EXPECT_EQ(document.defaultBackColor, 0xFF0000u);

    // TABs are removed before the colours line is split at spaces.
    document = read(withHeader({"\tbgcolor=\"#0C0B0A\"\t \tcolor=\"#00FF00\"\t"})).document;
    EXPECT_EQ(document.defaultBackColor, 0x000A0B0Cu);
    EXPECT_EQ(document.defaultFontColor, 0x0000FF00u);
    const auto joined = refusal(withHeader({"\tbgcolor=\"#000000\"\tcolor=\"#FFFFFF\""}));
    EXPECT_EQ(joined.line, 2u);

    // A file without a colours line keeps the colours it was read into.
    CcxDocument start;
    start.defaultBackColor = 0x123456;
    const auto kept = parseCcxFile(withHeader({}), start);
    ASSERT_TRUE(kept.ok());
    EXPECT_EQ(kept.contents->document.defaultBackColor, 0x123456u);
}

TEST(CcxReader, LevelStartAttributes) {
    const auto contents = read(withBody({
        "<!-- Deep Water -->",
        "<level number=\"12\">",
        "</level>",
        "<level number=\"3\" author=\"Bob\" lynx=\"yes\">",
        "</level>",
        "<!-- Kept -->",
        "<level number=\"4\" author=\"Cy\" lynx=\"yes\" ms=\"no\" extra=\"1\">",
        "</level>",
        "<level number=\"5\" extra=\"dropped\">",
    }));
    const auto& document = contents.document;
    EXPECT_EQ(contents.levelList,
              (Entries{"12. Deep Water", "3. Deep Water", "4. Kept", "5. Kept"}));
    EXPECT_EQ(document.level(12).title, "Deep Water");
    EXPECT_EQ(document.level(12).author, "");
    EXPECT_EQ(document.level(12).compatAttributes, "");
    EXPECT_EQ(document.level(3).author, "Bob");
    EXPECT_EQ(document.level(3).compatAttributes, "lynx=\"yes\"");
    EXPECT_EQ(document.level(4).compatAttributes, "lynx=\"yes\" ms=\"no\" extra=\"1\"");
    EXPECT_EQ(document.level(5).compatAttributes, "");
    // Level 5 has no "</level>" but is listed, so it is saved too.
    EXPECT_EQ(document.levelCount, 12);
}

TEST(CcxReader, GapsAreSavedAsEmptyLevels) {
    const auto contents = read(withBody({
        "<!-- One -->",
        "<level number=\"1\">",
        "</level>",
        "<!-- Two -->",
        "<level number=\"2\">",
        "</level>",
        "<!-- Five -->",
        "<level number=\"5\" ms=\"yes\">",
        "</level>",
    }));
    EXPECT_EQ(contents.levelList, (Entries{"1. One", "2. Two", "5. Five"}));
    EXPECT_EQ(contents.document.levelCount, 5);
    const auto saved = formatCcxFile(contents.document);
    EXPECT_NE(saved.find("<!-- Two -->\r\n<level number=\"2\">\r\n</level>\r\n\r\n"
                         "<!--  -->\r\n<level number=\"3\">\r\n</level>\r\n\r\n"
                         "<!--  -->\r\n<level number=\"4\">\r\n</level>\r\n\r\n"
                         "<!-- Five -->\r\n<level number=\"5\" ms=\"yes\">\r\n"),
              std::string::npos);
}

TEST(CcxReader, Pages) {
    const auto contents = read(withBody({
        "<level number=\"1\">",
        "<prologue>",
        "<page color=\"#FF0000\">",
        "<![CDATA[",
        "]]>",
        "second line",
        "]]>",
        "</page>",
        "<page bgcolor=\"#00f\" color=\"#abcdef\">",
        "any text here",
        "only line",
        "]]>",
        "</prologue>", // no "</page>" before it
        "<epilogue>",
        "<page>",
        "<![CDATA[",
        "one",
        "]]>",
        "</epilogue>",
        "</level>",
        "<level number=\"1\">",
        "<epilogue>",
        "<page>",
        "<![CDATA[",
        "again",
        "]]>",
        "</epilogue>",
    }));
    const auto& level = contents.document.level(1);
    ASSERT_EQ(level.prologue.count, 2);
    EXPECT_EQ(level.prologue.page(1), (CcxPage{"]]>\r\nsecond line", 1, 0, 0x0000FF}));
    EXPECT_EQ(level.prologue.page(2), (CcxPage{"only line", 1, 0x0F0000, 0xEFCDAB}));
    // A second element of the same pane starts again at page 1 while the
    // count goes on growing.
    EXPECT_EQ(level.epilogue.count, 2);
    EXPECT_EQ(level.epilogue.page(1).text, "again");
    EXPECT_EQ(level.epilogue.page(2).text, "");
    EXPECT_EQ(contents.levelList, (Entries{"1. ", "1. "}));

    // Eleven pages over two elements of the same level are too many.
    std::vector<std::string> body{"<level number=\"7\">"};
    for (int element = 0; element < 2; ++element) {
        body.emplace_back("<epilogue>");
        for (int page = 0; page < 6; ++page) {
            for (const char* line : {"", "<page>", "<![CDATA[", "text", "]]>", "</page>"})
                body.emplace_back(line);
        }
        body.emplace_back("</epilogue>");
    }
    const auto eleven = refusal(withBody(body));
    EXPECT_EQ(eleven.line, 4u + 1 + 1 + 36 + 2 + 24 + 2);
    EXPECT_EQ(eleven.problem, "level 7 has more than 10 pages in its epilogue");
}

TEST(CcxReader, ToleratesTheLooseLayout) {
    const auto contents = read(ccxFixtureBytes("loose-layout.ccx"));
    const auto& document = contents.document;
    EXPECT_EQ(document.description, "Loose Set");
    EXPECT_EQ(document.author, "Loose Author");
    EXPECT_EQ(document.msChoice, CompatChoice::Yes);
    EXPECT_EQ(document.lynxChoice, CompatChoice::No);
    EXPECT_EQ(document.pedanticChoice, CompatChoice::Ignore);
    EXPECT_TRUE(document.hasDefaultColors);
    EXPECT_EQ(document.defaultFontColor, 0x000C0B0Au);
    EXPECT_EQ(document.defaultBackColor, 0x0000FF00u);
    // The comment right after ">" (no empty line there) still names level 3.
    EXPECT_EQ(contents.levelList, (Entries{"3. Gamma", "1. Gamma", "1. Alpha"}));
    EXPECT_EQ(document.levelCount, 3);

    const auto& gamma = document.level(3);
    EXPECT_EQ(gamma.author, "Gus");
    EXPECT_EQ(gamma.compatAttributes, "lynx=\"yes\" ms=\"no\" extra=\"1\"");
    ASSERT_EQ(gamma.prologue.count, 2);
    EXPECT_EQ(gamma.prologue.page(1), (CcxPage{"red text", 1, 0, 0x0000FF}));
    EXPECT_EQ(gamma.prologue.page(2), (CcxPage{"short blue background", 1, 0x0F0000, 0}));

    const auto& alpha = document.level(1);
    EXPECT_EQ(alpha.title, "Alpha");
    EXPECT_EQ(alpha.author, "Al");
    EXPECT_EQ(alpha.epilogue.count, 1);
    EXPECT_EQ(alpha.epilogue.page(1).text, "takes Gamma");
    EXPECT_EQ(alpha.prologue.count, 1);
    EXPECT_EQ(alpha.prologue.page(1).text, "one");
    EXPECT_EQ(document.level(2), CcxLevel{});
}

struct BrokenFile {
    const char* name;
    std::size_t line;
    const char* problem;
};

const BrokenFile kBrokenFiles[] = {
    {"missing-end.ccx", 33, "the file ends before the line \"</levelset>\""},
    {"ends-inside-page.ccx", 15, "the file ends before the line \"</levelset>\""},
    {"page-eleven.ccx", 73, "level 1 has more than 10 pages in its prologue"},
    {"level-number-missing.ccx", 10, "the level number is missing"},
    {"level-number-not-a-number.ccx", 10, "the level number \"one\" is not a number"},
    {"level-number-1000.ccx", 10, "the level number 1000 is not between 1 and 999"},
    {"prologue-before-level.ccx", 9, "\"<prologue>\" comes before the first level"},
    {"bgcolor-without-hash.ccx", 13,
     "the page's bgcolor attribute is not of the form bgcolor=\"#RRGGBB\""},
    {"color-without-hash.ccx", 13,
     "the page's color attribute is not of the form color=\"#RRGGBB\""},
    {"description-cut-off.ccx", 2, "the set description has nothing after its opening quote"},
    {"author-cut-off.ccx", 4, "the set author has nothing after its opening quote"},
    {"colors-one-word.ccx", 6,
     "the default colors line needs a bgcolor and a color attribute separated by a space"},
    {"no-levels.ccx", 9, "the file holds no level"},
};

TEST(CcxReader, RefusesBrokenFilesNamingTheProblemAndTheLine) {
    for (const auto& broken : kBrokenFiles) {
        SCOPED_TRACE(broken.name);
        const auto result = readCcxFile(ccxFixture(broken.name), CcxDocument{});
        EXPECT_FALSE(result.ok());
        EXPECT_EQ(result.error, (CcxReadError{broken.line, broken.problem}));
    }
    EXPECT_EQ(readCcxFile(ccxFixture("absent.ccx"), CcxDocument{}).error,
              (CcxReadError{0, "the file cannot be read"}));
    EXPECT_EQ(readCcxFile(ccxFixture(""), CcxDocument{}).error.line, 0u);

    EXPECT_EQ(refusal("").line, 1u);
    EXPECT_EQ(refusal("<levelset\r\n>\r\n").line, 2u);
    EXPECT_EQ(refusal(withBody({"<level number=\"0\">"})).problem,
              "the level number 0 is not between 1 and 999");
    EXPECT_EQ(refusal(withBody({"<level number=\"-3\">"})).problem,
              "the level number -3 is not between 1 and 999");
    EXPECT_EQ(refusal(withBody({"<level number=\"99999\">"})).problem,
              "the level number \"99999\" is not a number");
    EXPECT_EQ(refusal(withBody({"<level number=\"\">"})).problem, "the level number is missing");
    EXPECT_EQ(refusal(withBody({"<level number=\"4>"})).problem, "the level number is missing");
    EXPECT_EQ(refusal(withBody({"<epilogue>"})).problem,
              "\"<epilogue>\" comes before the first level");
    EXPECT_EQ(refusal(withBody({"<level number=\"1\">", "<prologue>",
                                "<page bgcolor=\"#00\" color=\"00\">"}))
                  .problem,
              "the page's color attribute is not of the form color=\"#RRGGBB\"");
}

} // namespace
} // namespace tessaro
