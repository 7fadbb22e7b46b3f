#include "ccx/carriedtext.h"
#include "ccx/ccxreader.h"
#include "ccx/ccxwriter.h"
#include "ccx/htmlcolor.h"
#include "ccxfixtures.h"
#include "support/tempfolder.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <random>
#include <set>

namespace tessaro {
namespace {

namespace fs = std::filesystem;

TEST(HtmlColor, ConvertsBetweenBgrValuesAndHtmlText) {
    EXPECT_EQ(formatHtmlColor(0x000A0B0C), "#0C0B0A");
    EXPECT_EQ(formatHtmlColor(0xFF0000FF), "#FF0000"); // high bits are ignored
    for (ColorValue v = 0; v < 0x1000000; v += 0x010307)
        ASSERT_EQ(parseHtmlColor(formatHtmlColor(v).substr(1)), v);

    EXPECT_EQ(parseHtmlColor("FF"), 0xFF0000u); // short: pure blue
    EXPECT_EQ(parseHtmlColor("ff0000"), 0x0000FFu);
    EXPECT_EQ(parseHtmlColor("FF0000\" x"), 0x0000FFu);
    EXPECT_EQ(parseHtmlColor("12FF0000"), 0x0000FFu); // only the last six digits count
    EXPECT_EQ(parseHtmlColor("zz"), 0u);
}

using Lines = std::vector<std::string>;
using Numbers = std::vector<std::int16_t>;

// A CR LF file with the header attribute lines and the body lines given.
std::string ccxText(const Lines& header, const Lines& body) {
    Lines lines{"<levelset"};
    lines.insert(lines.end(), header.begin(), header.end());
    lines.insert(lines.end(), {">", ""});
    lines.insert(lines.end(), body.begin(), body.end());
    lines.emplace_back("</levelset>");
    return joinLinesCrLf(lines);
}

const Lines kOneLevel{"<level number=\"1\">", "</level>"};

CcxFileContents read(std::string_view bytes, CcxDocument start = {}) {
    auto result = parseCcxFile(bytes, std::move(start));
    EXPECT_TRUE(result.ok()) << "line " << result.error.line << ": " << result.error.problem;
    return result.ok() ? std::move(*result.contents) : CcxFileContents{};
}

TEST(CcxReader, ReadsTheSameWhateverTheLineEnds) {
    for (const char* name : {"written/demo-set.ccx", "lf-line-ends.ccx", "mixed-line-ends.ccx"}) {
        SCOPED_TRACE(name);
        const auto contents = read(test::ccxFixtureBytes(name));
        EXPECT_TRUE(contents.document == test::demoDocument());
        EXPECT_EQ(contents.levelNumbers, (Numbers{1, 2}));
    }
}

TEST(CcxReader, HeaderLines) {
    // Any order, any leading text; values other than "yes" are No.
    auto document = read(ccxText({"x pedantic=\"yes\" lynx=\"YES\"", "author=\"A\"",
                                  "  description=\"\"", "\tcolor=\"#0000ff\" bgcolor=\"#FF\""},
                                 kOneLevel))
                        .document;
    EXPECT_EQ(document.msChoice, CompatChoice::Ignore);
    EXPECT_EQ(document.lynxChoice, CompatChoice::No);
    EXPECT_EQ(document.pedanticChoice, CompatChoice::Yes);
    EXPECT_EQ(document.author, "A");
    EXPECT_TRUE(document.hasDefaultColors);
    EXPECT_EQ(document.defaultFontColor, 0xFF0000u);
    EXPECT_EQ(document.defaultBackColor, 0xFF0000u);

    // TABs are removed before the colours line is split at spaces.
    document = read(ccxText({"\tbgcolor=\"#0C0B0A\"\t \tcolor=\"#00FF00\"\t"}, kOneLevel)).document;
    EXPECT_EQ(document.defaultBackColor, 0x000A0B0Cu);
    EXPECT_EQ(document.defaultFontColor, 0x0000FF00u);

    // Without a colours line the colours read into stay.
    CcxDocument start;
    start.defaultBackColor = 0x123456;
    document = read(ccxText({"\tms=\"no\""}, kOneLevel), start).document;
    EXPECT_EQ(document.msChoice, CompatChoice::No);
    EXPECT_EQ(document.defaultBackColor, 0x123456u);
}

TEST(CcxReader, LevelsInAnyOrderWithGapsAndRepeats) {
    const auto contents = read(ccxText({}, {"<!-- Five -->",
                                            "<level number=\"5\" ms=\"no\" extra=\"1\">",
                                            "</level>",
                                            "<!-- One -->",
                                            "<level number=\"1\">",
                                            "<prologue>",
                                            "<page>",
                                            "<![CDATA[",
                                            "first",
                                            "]]>",
                                            "</prologue>",
                                            "</level>",
                                            "<level number=\"2\" author=\"Bob\" lynx=\"yes\">",
                                            "</level>",
                                            "<!-- One again -->",
                                            "<level number=\"1\" author=\"Al\">",
                                            "<prologue>",
                                            "<page>",
                                            "<![CDATA[",
                                            "second",
                                            "]]>",
                                            "</prologue>",
                                            "</level>"}));
    const auto& document = contents.document;
    // Listed in ascending order, each number once; the highest is the count.
    EXPECT_EQ(contents.levelNumbers, (Numbers{1, 2, 5}));
    EXPECT_EQ(document.levelCount, 5);
    EXPECT_EQ(contents.repeatedLevels, (std::vector<CcxRepeatedLevel>{{1, 8, 19}}));
    // A level without a comment takes the title before it.
    EXPECT_EQ(document.level(2).title, "One");
    EXPECT_EQ(document.level(2).author, "Bob");
    EXPECT_EQ(document.level(2).compatAttributes, "lynx=\"yes\"");
    EXPECT_EQ(document.level(5).compatAttributes, "ms=\"no\" extra=\"1\"");
    // The repeat's own line decides title and author; no page is lost.
    const auto& one = document.level(1);
    EXPECT_EQ(one.title, "One again");
    EXPECT_EQ(one.author, "Al");
    ASSERT_EQ(one.prologue.count, 2);
    EXPECT_EQ(one.prologue.page(1).text, "first");
    EXPECT_EQ(one.prologue.page(2).text, "second");
    EXPECT_NE(formatCcxFile(document).find("<!-- One -->\r\n<level number=\"2\" author=\"Bob\" "
                                           "lynx=\"yes\">\r\n</level>\r\n\r\n"
                                           "<!--  -->\r\n<level number=\"3\">\r\n</level>\r\n\r\n"
                                           "<!--  -->\r\n<level number=\"4\">\r\n</level>\r\n\r\n"
                                           "<!-- Five -->\r\n<level number=\"5\" ms=\"no\""),
              std::string::npos);

    // Unknown lines, a missing "</page>", short colours, a CDATA line with text.
    const auto loose = read(test::ccxFixtureBytes("loose-layout.ccx"));
    EXPECT_EQ(loose.levelNumbers, (Numbers{1, 3}));
    EXPECT_EQ(loose.repeatedLevels, (std::vector<CcxRepeatedLevel>{{1, 27, 37}}));
    const auto& gamma = loose.document.level(3).prologue;
    ASSERT_EQ(gamma.count, 2);
    EXPECT_EQ(gamma.page(1), (CcxPage{"red text", 1, 0, 0x0000FF}));
    EXPECT_EQ(gamma.page(2), (CcxPage{"short blue background", 1, 0x0F0000, 0}));
    EXPECT_EQ(loose.document.level(1).title, "Alpha");
    EXPECT_EQ(loose.document.level(1).epilogue.page(1).text, "takes Gamma");
    EXPECT_EQ(loose.document.level(1).prologue.page(1).text, "one");
}

// The fixtures that are refused on purpose, with the line and problem reported.
struct BrokenCcxFixture {
    const char* name;
    std::size_t line;
    const char* problem;
};

const BrokenCcxFixture kBrokenCcxFixtures[] = {
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
    for (const auto& broken : kBrokenCcxFixtures) {
        const auto result = readCcxFile(test::ccxFixture(broken.name), CcxDocument{});
        EXPECT_FALSE(result.ok()) << broken.name;
        EXPECT_EQ(result.error, (CcxReadError{broken.line, broken.problem})) << broken.name;
    }
    EXPECT_EQ(readCcxFile(test::ccxFixture("absent.ccx"), CcxDocument{}).error,
              (CcxReadError{0, "the file cannot be read"}));
    EXPECT_EQ(parseCcxFile("", CcxDocument{}).error.line, 1u);

    // Both ends of the level number: 0, and more digits than a number holds.
    EXPECT_EQ(parseCcxFile(ccxText({}, {"<level number=\"0\">"}), {}).error,
              (CcxReadError{4, "the level number 0 is not between 1 and 999"}));
    EXPECT_EQ(parseCcxFile(ccxText({}, {"<level number=\"99999\">"}), {}).error,
              (CcxReadError{4, "the level number \"99999\" is not a number"}));
    // Pages of a repeated level count together.
    Lines body;
    for (int element = 0; element < 2; ++element) {
        body.insert(body.end(), {"<level number=\"1\">", "<epilogue>"});
        for (int page = 0; page < 6; ++page)
            body.insert(body.end(), {"<page>", "<![CDATA[", "x", "]]>", "</page>"});
        body.insert(body.end(), {"</epilogue>", "</level>"});
    }
    EXPECT_EQ(parseCcxFile(ccxText({}, body), {}).error.problem,
              "level 1 has more than 10 pages in its epilogue");
}

TEST(CcxWriter, WritesTheDemoSetByteForByte) {
    const auto demo = test::ccxFixtureBytes("written/demo-set.ccx");
    EXPECT_EQ(formatCcxFile(test::demoDocument()), demo);

    test::TempFolder folder;
    folder.write("demo.ccx", "older and longer contents that must vanish entirely");
    ASSERT_TRUE(writeCcxFile(folder / "demo.ccx", test::demoDocument()));
    EXPECT_EQ(folder.read("demo.ccx"), demo);
    EXPECT_FALSE(writeCcxFile(folder / "missing" / "demo.ccx", test::demoDocument()));

    // Pages beyond a pane's count are not written.
    CcxDocument bare;
    bare.levelCount = 1;
    bare.level(1).prologue.page(1).text = "left over";
    EXPECT_EQ(formatCcxFile(bare), "<levelset\r\n\tformat=\"html\"\r\n>\r\n\r\n"
                                   "<!--  -->\r\n<level number=\"1\">\r\n</level>\r\n\r\n"
                                   "</levelset>\r\n");
}

// What a file cannot carry as it is, and the text written in its place.
using FieldOf = std::string& (*)(CcxDocument&);
const FieldOf kTitle = [](CcxDocument& d) -> std::string& { return d.level(1).title; };
const FieldOf kAuthor = [](CcxDocument& d) -> std::string& { return d.level(1).author; };
const FieldOf kSetName = [](CcxDocument& d) -> std::string& { return d.description; };
const FieldOf kCompat = [](CcxDocument& d) -> std::string& { return d.level(1).compatAttributes; };
const FieldOf kPage = [](CcxDocument& d) -> std::string& {
    return d.level(1).epilogue.page(1).text;
};

struct Substitution {
    const char* name;
    FieldOf field;
    std::string typed;
    std::string carried;
};

const Substitution kSubstitutions[] = {
    {"TitleArrow", kTitle, "a --> b", "a -- > b"},
    {"TitleSpaceArrow", kTitle, " -->", " -- >"},
    {"TitleCommentStart", kTitle, "x<!--", "x<! --"},
    {"TitleLineBreaks", kTitle, "one\r\ntwo\nthree\rfour", "one two three four"},
    {"TitleKept", kTitle, " -- a > b <! -- \"q\" ", " -- a > b <! -- \"q\" "},
    {"AuthorQuotes", kAuthor, "Bob \"the\" Builder", "Bob &quot;the&quot; Builder"},
    {"AuthorComment", kAuthor, "<!-- x\n", "<! -- x "},
    {"SetTextQuotesAndBreaks", kSetName, "Big \"Set\"\r\nTwo", "Big &quot;Set&quot; Two"},
    {"CompatCommentInside", kCompat, "<!-- ms=\"yes\"", "<! -- ms=\"yes\""},
    {"CompatAuthorInside", kCompat, "ms=\"yes\" author=\"x\"", "ms=\"yes\" author =\"x\""},
    {"CompatLevelInside", kCompat, "<level number=\"1\" ms=\"no\"",
     "<level number =\"1\" ms=\"no\""},
    {"CompatAngle", kCompat, "ms=\"no\"> lynx=\"yes\"", "ms=\"no\" lynx=\"yes\""},
    {"CompatWithoutRuleset", kCompat, "extra=\"1\"", ""},
    {"CompatKept", kCompat, "lynx=\"yes\" ms=\"no\" x=\"1\"", "lynx=\"yes\" ms=\"no\" x=\"1\""},
    {"PageLoneBreaks", kPage, "a\nb\rc\r\n", "a\r\nb\r\nc\r\n"},
    {"PageEndMarkerLine", kPage, "]]>\r\n]]>\r\nx ]]> y\r\n]]>",
     "]]>\r\n]]&gt;\r\nx ]]> y\r\n]]&gt;"},
    // A lone LF where the fast check counts in blocks of 255 bytes.
    {"PageLongLines", kPage, std::string(254, 'x') + "\n" + std::string(300, 'y') + "\r\n",
     std::string(254, 'x') + "\r\n" + std::string(300, 'y') + "\r\n"},
    {"PageKept", kPage, "\r\n<p>]]</p>\r\n\r\n", "\r\n<p>]]</p>\r\n\r\n"},
};

class CcxSubstitution : public testing::TestWithParam<Substitution> {};

// Written and read again, a text comes back as the nearest text the file can
// carry; saving that again changes nothing.
TEST_P(CcxSubstitution, ReadsBackTheCarriedText) {
    const auto& rule = GetParam();
    CcxDocument document;
    document.levelCount = 1;
    document.level(1).epilogue.count = 1;
    rule.field(document) = rule.typed;
    const auto written = formatCcxFile(document);
    auto back = read(written);
    EXPECT_EQ(rule.field(back.document), rule.carried);
    EXPECT_TRUE(back.document == carriedDocument(document));
    EXPECT_EQ(formatCcxFile(back.document), written);
}

INSTANTIATE_TEST_SUITE_P(CcxFile, CcxSubstitution, testing::ValuesIn(kSubstitutions),
                         [](const auto& info) { return std::string(info.param.name); });

// Reading, writing and reading again gives the document read first.
void expectStableDocument(const CcxFileContents& first, const std::string& what) {
    const auto written = formatCcxFile(first.document);
    CcxDocument start;
    start.defaultBackColor = first.document.defaultBackColor;
    start.defaultFontColor = first.document.defaultFontColor;
    const auto second = parseCcxFile(written, start);
    ASSERT_TRUE(second.ok()) << what << "\nline " << second.error.line << ": "
                             << second.error.problem << "\n"
                             << written;
    EXPECT_TRUE(second.contents->document == first.document) << what << "\n" << written;
    EXPECT_EQ(formatCcxFile(second.contents->document), written) << what;
}

TEST(CcxRoundTrip, FilesThatLostLevelsOrTitles) {
    // A level line that holds comment text kept "<!-- ms="yes"", which came
    // back as a title line and took level 2 with it.
    const auto text =
        ccxText({}, {"<level number=\"1\">", "</level>",
                     "<level number=\"2\" <!-<level number=\"2\" - ms=\"yes\">", "</level>"});
    const auto first = read(text);
    EXPECT_EQ(first.document.level(2).compatAttributes, "<! -- ms=\"yes\"");
    expectStableDocument(first, text);
    // A title comment that ends twice.
    const auto title = read(ccxText({}, {"<!--   -->-->", "<level number=\"1\">", "</level>"}));
    EXPECT_EQ(title.document.level(1).title, " -- >");
    expectStableDocument(title, "title");
}

// Texts made of the pieces the format gives meaning to.
std::string randomText(std::mt19937& random, int pieces) {
    static const char* const kPieces[] = {"<!--",
                                          "-->",
                                          " ",
                                          "\"",
                                          "\r",
                                          "\n",
                                          "\r\n",
                                          "]]>",
                                          ">",
                                          "<",
                                          "a",
                                          "author=\"",
                                          "ms=\"",
                                          "lynx=\"yes\"",
                                          "#",
                                          "<level number=\"1\" ",
                                          "\t",
                                          "description=\"",
                                          "pedantic=\"no\"",
                                          "</levelset>"};
    std::string text;
    const int count = std::uniform_int_distribution<int>(0, pieces)(random);
    for (int i = 0; i < count; ++i)
        text +=
            kPieces[std::uniform_int_distribution<std::size_t>(0, std::size(kPieces) - 1)(random)];
    return text;
}

TEST(CcxRoundTrip, AnyDocumentReadsBackAsTheFileCarriesIt) {
    std::mt19937 random(20261206);
    const auto below = [&random](int limit) {
        return std::uniform_int_distribution<int>(0, limit - 1)(random);
    };
    for (int round = 0; round < 100; ++round) {
        CcxDocument document;
        document.fileName = "made.ccx";
        document.description = randomText(random, 4);
        document.author = randomText(random, 4);
        document.msChoice = static_cast<CompatChoice>(below(3));
        document.hasDefaultColors = below(2) == 1;
        document.defaultBackColor = static_cast<ColorValue>(random()) & 0xFFFFFF;
        document.levelCount = static_cast<std::int16_t>(below(5));
        for (int number = 1; number <= 6; ++number) {
            auto& level = document.level(number);
            level.title = randomText(random, 5);
            level.author = randomText(random, 3);
            level.compatAttributes = randomText(random, 4);
            level.epilogue.count = static_cast<std::uint8_t>(below(4));
            for (int page = 1; page <= 4; ++page)
                level.epilogue.page(page) = {randomText(random, 6),
                                             static_cast<std::uint8_t>(below(3)),
                                             static_cast<ColorValue>(below(0x1000000)), 0x123};
        }
        const auto written = formatCcxFile(document);
        CcxDocument start;
        start.defaultBackColor = document.defaultBackColor;
        const auto back = parseCcxFile(written, start);
        const auto carried = carriedDocument(document);
        if (document.levelCount == 0) {
            EXPECT_FALSE(back.ok()); // a set without levels is refused; New makes at least one
            continue;
        }
        ASSERT_TRUE(back.ok()) << written;
        EXPECT_TRUE(back.contents->document == carried) << written;
        EXPECT_TRUE(carriedDocument(carried) == carried);
        EXPECT_EQ(formatCcxFile(carried), written);
    }
}

// Files that other tools, hands or accidents could make: lines of the format
// and pieces of them, shuffled. Whatever is read saves and reads back equal.
TEST(CcxRoundTrip, AnyFileTheReaderAcceptsSavesAsItWasRead) {
    std::mt19937 random(7);
    const std::vector<std::string> kLines = {"<!-- T -->",
                                             "<!--  -->",
                                             "<level number=\"1\">",
                                             "<level number=\"2\" author=\"A\">",
                                             "<level number=\"3\" ms=\"yes\">",
                                             "</level>",
                                             "<prologue>",
                                             "</prologue>",
                                             "<epilogue>",
                                             "</epilogue>",
                                             "<page>",
                                             "<page bgcolor=\"#12\">",
                                             "<page color=\"#ABCDEF\">",
                                             "<![CDATA[",
                                             "]]>",
                                             "</page>",
                                             "",
                                             "text"};
    int accepted = 0;
    for (int round = 0; round < 1500; ++round) {
        Lines header;
        for (int i = std::uniform_int_distribution<int>(0, 3)(random); i > 0; --i)
            header.push_back(randomText(random, 4));
        Lines body;
        for (int i = std::uniform_int_distribution<int>(1, 30)(random); i > 0; --i) {
            if (random() % 4 == 0)
                body.push_back(randomText(random, 5));
            else
                body.push_back(kLines[random() % kLines.size()]);
        }
        const auto text = ccxText(header, body);
        const auto first = parseCcxFile(text, CcxDocument{});
        if (!first.ok())
            continue;
        ++accepted;
        EXPECT_TRUE(carriedDocument(first.contents->document) == first.contents->document) << text;
        expectStableDocument(*first.contents, text);
        if (HasFailure())
            break;
    }
    EXPECT_GT(accepted, 200);
}

std::vector<fs::path> ccxFilesUnder(const fs::path& folder) {
    std::vector<fs::path> files;
    std::error_code error;
    for (fs::recursive_directory_iterator it(folder, error), end; !error && it != end;
         it.increment(error)) {
        if (it->is_regular_file() && it->path().extension() == ".ccx")
            files.push_back(it->path());
    }
    std::sort(files.begin(), files.end());
    return files;
}

// Every file the reader accepts saves as it was read; a file this writer
// made (those under "written") saves byte for byte.
TEST(CcxFiles, CorpusRoundTrip) {
    std::set<std::string> broken;
    for (const auto& fixture : kBrokenCcxFixtures)
        broken.insert(fixture.name);
    const auto written = test::ccxFixture("written");
    int writerMade = 0;
    for (const auto& file : ccxFilesUnder(test::ccxFixture(""))) {
        if (broken.count(file.filename().string()) != 0)
            continue;
        const auto bytes = readFileBytes(file).value_or("");
        const auto contents = read(bytes);
        expectStableDocument(contents, file.string());
        if (file.parent_path() == written) {
            ++writerMade;
            EXPECT_EQ(formatCcxFile(contents.document), bytes) << file;
        }
    }
    EXPECT_EQ(writerMade, 3);

    // Laid out by another tool: no empty line before a page, attributes in
    // another order; the same document, other bytes.
    const auto other = read(test::ccxFixtureBytes("other-tool.ccx"));
    EXPECT_EQ(other.levelNumbers, (Numbers{1, 2, 3}));
    EXPECT_EQ(other.document.level(1).prologue.page(2),
              (CcxPage{"<p>Mind the <b>ice</b>.</p>", 1, 0x000000, 0x00FFFF}));
    EXPECT_EQ(other.document.level(3).epilogue.page(1), (CcxPage{"", 1, 0x003300, 0x00FF00}));

    if (const char* corpus = std::getenv("TESSARO_CCX_CORPUS"); corpus && *corpus) {
        const auto files = ccxFilesUnder(corpus);
        EXPECT_FALSE(files.empty()) << "no .ccx files in " << corpus;
        for (const auto& file : files) {
            const auto result = readCcxFile(file, CcxDocument{});
            if (result.ok())
                expectStableDocument(*result.contents, file.string());
        }
    }
}

} // namespace
} // namespace tessaro
