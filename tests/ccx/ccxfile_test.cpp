#include "ccx/carriedtext.h"
#include "ccx/ccxreader.h"
#include "ccx/ccxwriter.h"
#include "ccx/htmlcolor.h"
#include "common/textfile.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <map>
#include <tuple>

namespace tessaro {
namespace {

namespace fs = std::filesystem;

fs::path fixture(const std::string& name) {
    return fs::path(TESSARO_TEST_DATA) / "ccx" / name;
}

// A file with these header lines (each ending in "\n") and body lines.
std::string ccxText(const std::string& header, const std::string& body) {
    return "<levelset\n" + header + ">\n\n" + body + "\n</levelset>\n";
}

CcxFileContents read(const std::string& name) {
    auto result = readCcxFile(fixture(name), {});
    EXPECT_TRUE(result.ok()) << name << ':' << result.error.line << ": " << result.error.problem;
    return result.ok() ? std::move(*result.contents) : CcxFileContents{};
}

// Written and read again (starting from its colours, as Open does), a
// document read from a file is the same, and writing that changes no byte.
void expectStableDocument(const CcxFileContents& first, const std::string& what) {
    const auto written = formatCcxFile(first.document);
    CcxDocument start;
    start.defaultBackColor = first.document.defaultBackColor;
    start.defaultFontColor = first.document.defaultFontColor;
    const auto second = parseCcxFile(written, start);
    ASSERT_TRUE(second.ok()) << what << "\n" << second.error.problem << "\n" << written;
    EXPECT_TRUE(second.contents->document == first.document) << what << "\n" << written;
    EXPECT_EQ(formatCcxFile(second.contents->document), written) << what;
}

TEST(HtmlColor, ConvertsBetweenBgrValuesAndHtmlText) {
    EXPECT_EQ(formatHtmlColor(0xFF0A0B0C), "#0C0B0A"); // high bits are ignored
    for (ColorValue v = 0; v < 0x1000000; v += 0x010307)
        ASSERT_EQ(parseHtmlColor(formatHtmlColor(v).substr(1)), v);
    // Short: pure blue; only the last six digits count.
    EXPECT_EQ(parseHtmlColor("FF") + parseHtmlColor("12ff0000\" x"), 0xFF00FFu);
    EXPECT_EQ(parseHtmlColor("zz"), 0u);
}

// The fixtures refused on purpose, with the line and problem reported.
const std::map<std::string, CcxReadError> kBroken = {
    {"missing-end.ccx", {33, "the file ends before the line \"</levelset>\""}},
    {"ends-inside-page.ccx", {15, "the file ends before the line \"</levelset>\""}},
    {"page-eleven.ccx", {73, "level 1 has more than 10 pages in its prologue"}},
    {"level-number-missing.ccx", {10, "the level number is missing"}},
    {"level-number-not-a-number.ccx", {10, "the level number \"one\" is not a number"}},
    {"level-number-1000.ccx", {10, "the level number 1000 is not between 1 and 999"}},
    {"prologue-before-level.ccx", {9, "\"<prologue>\" comes before the first level"}},
    {"bgcolor-without-hash.ccx",
     {13, "the page's bgcolor attribute is not of the form bgcolor=\"#RRGGBB\""}},
    {"color-without-hash.ccx",
     {13, "the page's color attribute is not of the form color=\"#RRGGBB\""}},
    {"description-cut-off.ccx", {2, "the set description has nothing after its opening quote"}},
    {"author-cut-off.ccx", {4, "the set author has nothing after its opening quote"}},
    {"colors-one-word.ccx",
     {6, "the default colors line needs a bgcolor and a color attribute separated by a space"}},
    {"no-levels.ccx", {9, "the file holds no level"}},
    {"absent.ccx", {0, "the file cannot be read"}},
};

// Every fixture, and one that is not there.
std::vector<std::string> fixtureNames() {
    std::vector<std::string> names{"absent.ccx"};
    for (const auto& entry : fs::recursive_directory_iterator(fixture("")))
        if (entry.path().extension() == ".ccx")
            names.push_back(entry.path().lexically_relative(fixture("")).generic_string());
    std::sort(names.begin(), names.end());
    return names;
}

class CcxFixture : public testing::TestWithParam<std::string> {};

// A broken file is refused, naming the problem and the line. Any other saves
// as it was read; a file this writer made (those under "written") saves byte
// for byte, one laid out by another tool or by hand as the same document.
TEST_P(CcxFixture, IsRefusedOrSavesAsItWasRead) {
    const auto& name = GetParam();
    if (const auto broken = kBroken.find(name); broken != kBroken.end()) {
        EXPECT_EQ(readCcxFile(fixture(name), {}).error, broken->second);
        return;
    }
    const auto contents = read(name);
    expectStableDocument(contents, name);
    if (name.starts_with("written/")) { // the writer's own: byte for byte
        EXPECT_EQ(formatCcxFile(contents.document), readFileBytes(fixture(name)).value());
    }
}

INSTANTIATE_TEST_SUITE_P(Ccx, CcxFixture, testing::ValuesIn(fixtureNames()), [](const auto& info) {
    auto name = info.param.substr(0, info.param.size() - 4);
    std::replace_if(
        name.begin(), name.end(), [](unsigned char c) { return !std::isalnum(c); }, '_');
    return name;
});

TEST(CcxReader, ReadsHeaderLevelsAndPagesInAnyLayout) {
    const auto demo = read("written/demo-set.ccx").document;
    for (const char* name : {"lf-line-ends.ccx", "mixed-line-ends.ccx"})
        EXPECT_TRUE(read(name).document == demo) << name;
    EXPECT_EQ(demo.level(1).prologue.page(1),
              (CcxPage{"<b>Welcome</b>\r\nSecond line", 1, 0x800000, 0x00FFFF}));

    // Header lines in any order, with leading text; values other than "yes"
    // are No; TABs are removed before the colours line is split at spaces.
    auto d = parseCcxFile(ccxText("x pedantic=\"yes\" lynx=\"YES\"\nauthor=\"A\"\n"
                                  "\tbgcolor=\"#0C0B0A\"\t \tcolor=\"#00FF00\"\t\n",
                                  "<!-- T -->\n<level number=\"2\">\n</level>\n"
                                  "<level number=\"1\">\n</level>"),
                          {})
                 .contents.value_or(CcxFileContents{})
                 .document;
    EXPECT_EQ(std::tuple(d.msChoice, d.lynxChoice, d.pedanticChoice),
              std::tuple(CompatChoice::Ignore, CompatChoice::No, CompatChoice::Yes));
    EXPECT_EQ(d.author + "|" + d.level(1).title, "A|T"); // a level without comment: the last one
    EXPECT_EQ(std::tuple(d.hasDefaultColors, d.defaultBackColor, d.defaultFontColor),
              std::tuple(true, 0x000A0B0Cu, 0x0000FF00u));

    // Unknown lines, a missing "</page>", short colours, a CDATA line with
    // text, levels out of order and one named twice, whose last line decides
    // title and author and whose pages are all kept.
    const auto loose = read("loose-layout.ccx");
    d = loose.document;
    EXPECT_EQ(d.description + "|" + d.author + "|" + formatHtmlColor(d.defaultFontColor) +
                  formatHtmlColor(d.defaultBackColor) + "|" + std::to_string(d.levelCount),
              "Loose Set|Loose Author|#0A0B0C#00FF00|3");
    EXPECT_EQ(loose.levelNumbers, (std::vector<std::int16_t>{1, 3}));
    EXPECT_EQ(loose.repeatedLevels, (std::vector<CcxRepeatedLevel>{{1, 27, 37}}));
    EXPECT_EQ(d.level(3).compatAttributes, "lynx=\"yes\" ms=\"no\" extra=\"1\"");
    EXPECT_EQ(d.level(3).prologue.count, 2);
    EXPECT_EQ(d.level(3).prologue.page(1), (CcxPage{"red text", 1, 0, 0x0000FF}));
    EXPECT_EQ(d.level(3).prologue.page(2), (CcxPage{"short blue background", 1, 0x0F0000, 0}));
    const auto& alpha = d.level(1);
    EXPECT_EQ(alpha.title + alpha.author + alpha.epilogue.page(1).text +
                  alpha.prologue.page(1).text,
              "AlphaAltakes Gammaone");
    // Another tool's layout: no empty line before a page, attributes in another order.
    const auto other = read("other-tool.ccx");
    EXPECT_EQ(other.document.level(1).prologue.page(2),
              (CcxPage{"<p>Mind the <b>ice</b>.</p>", 1, 0x000000, 0x00FFFF}));

    // An author ending in another attribute's key and "=", which its closing
    // quote completes, is not taken for that attribute.
    d = read("author-ending-in-ruleset.ccx").document;
    EXPECT_EQ(d.level(1).author + "|" + d.level(1).compatAttributes, "Al lynx=|");
    EXPECT_EQ(d.level(2).author + "|" + d.level(2).compatAttributes, "ms=|pedantic=\"yes\"");
    d = read("author-ending-in-description.ccx").document;
    EXPECT_EQ(d.description + "|" + d.author, "Set author=|Ann description=");

    // Level numbers at both ends (0, more digits than a number holds), an
    // empty file, and the pages of a level named twice, which count together.
    const auto error = [](const std::string& body) {
        return parseCcxFile(ccxText("", body), {}).error;
    };
    EXPECT_EQ(error("<level number=\"0\">"),
              (CcxReadError{4, "the level number 0 is not between 1 and 999"}));
    EXPECT_EQ(error("<level number=\"99999\">"),
              (CcxReadError{4, "the level number \"99999\" is not a number"}));
    EXPECT_EQ(parseCcxFile("", {}).error.line, 1u);
    std::string twice = "<level number=\"1\">\n<epilogue>\n";
    for (int page = 0; page < 6; ++page)
        twice += "<page>\n<![CDATA[\nx\n]]>\n</page>\n";
    twice += "</epilogue>\n</level>\n";
    EXPECT_EQ(error(twice + twice).problem, "level 1 has more than 10 pages in its epilogue");
    // Found by fuzzing: a level line holding comment text, a title comment ending twice.
    for (const char* body : {"<level number=\"1\">\n</level>\n<level number=\"2\" <!-<level "
                             "number=\"2\" - ms=\"yes\">\n</level>",
                             "<!--   -->-->\n<level number=\"1\">\n</level>"})
        expectStableDocument(parseCcxFile(ccxText("", body), {}).contents.value(), body);
}

// A level or page read before anything was put into it is empty, whether or
// not it has been written to since; documents compare and copy by what they
// hold, not by which levels happen to have been touched.
TEST(CcxDocument, UntouchedLevelsAndPagesReadEmptyAndCompareByContents) {
    const CcxDocument untouched;
    EXPECT_EQ(untouched.level(kMaxCcxLevels).epilogue.page(kMaxCcxPages), CcxPage{});
    CcxDocument touched;
    touched.level(999).prologue.page(10).text.clear();
    touched.level(1).epilogue.count = 0;
    EXPECT_TRUE(touched == untouched && untouched == touched);
    // Every field of a page counts, the colours of a page beyond the count too.
    touched.level(7).prologue.page(3).backColor = 0x010203;
    EXPECT_FALSE(touched == untouched || untouched == touched);
    // A copy is a document of its own.
    CcxDocument copy = touched;
    copy.level(7).title = "Copied";
    copy.level(8).title = "Only in the copy";
    EXPECT_EQ(touched.level(7).title + std::as_const(touched).level(8).title, "");
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

// What a file cannot carry as it is, and the text written in its place; the
// name's first letter picks the field: Title, Author, Set name, Compat, Page.
std::string& field(CcxDocument& d, char f) {
    auto& level = d.level(1);
    return f == 'T'   ? level.title
           : f == 'A' ? level.author
           : f == 'S' ? d.description
           : f == 'C' ? level.compatAttributes
                      : level.epilogue.page(1).text;
}

// Written and read again, a text comes back as the nearest text the file can
// carry; saving that again changes nothing.
TEST(CcxFile, ReadsBackTheCarriedText) {
    const std::tuple<const char*, std::string, std::string> kSubstitutions[] = {
        {"TitleArrow", "a --> b", "a -- > b"},
        {"TitleSpaceArrow", " -->", " -- >"},
        {"TitleCommentStart", "x<!--", "x<! --"},
        {"TitleLineBreaks", "one\r\ntwo\nthree\rfour", "one two three four"},
        {"TitleKept", " -- a > b <! -- \"q\" ", " -- a > b <! -- \"q\" "},
        {"AuthorQuotes", "Bob \"the\" Builder", "Bob &quot;the&quot; Builder"},
        {"AuthorComment", "<!-- x\n", "<! -- x "},
        {"SetTextQuotesAndBreaks", "Big \"Set\"\r\nTwo", "Big &quot;Set&quot; Two"},
        {"CompatCommentInside", "<!-- ms=\"yes\"", "<! -- ms=\"yes\""},
        {"CompatAuthorInside", "ms=\"yes\" author=\"x\"", "ms=\"yes\" author =\"x\""},
        {"CompatLevelInside", "<level number=\"1\" ms=\"no\"", "<level number =\"1\" ms=\"no\""},
        {"CompatAngle", "ms=\"no\"> lynx=\"yes\"", "ms=\"no\" lynx=\"yes\""},
        {"CompatWithoutRuleset", "extra=\"1\"", ""},
        {"CompatKept", "lynx=\"yes\" ms=\"no\" x=\"1\"", "lynx=\"yes\" ms=\"no\" x=\"1\""},
        {"PageLoneBreaks", "a\nb\rc\r\n", "a\r\nb\r\nc\r\n"},
        {"PageLoneLfFirst", "\na", "\r\na"},
        {"PageLoneCrLast", "a\r", "a\r\n"},
        {"PageEndMarkerLine", "]]>\r\n]]>\r\nx ]]> y\r\n]]>", "]]>\r\n]]&gt;\r\nx ]]> y\r\n]]&gt;"},
        // Where the fast check counts in blocks of 240 bytes: a CR LF across
        // two blocks, and a lone LF that begins one.
        {"PageLongLines",
         std::string(239, 'x') + "\r\n" + std::string(239, 'y') + "\n" + std::string(300, 'z'),
         std::string(239, 'x') + "\r\n" + std::string(239, 'y') + "\r\n" + std::string(300, 'z')},
        {"PageKept", "\r\n<p>]]</p>\r\n\r\n", "\r\n<p>]]</p>\r\n\r\n"},
    };
    for (const auto& [name, typed, carried] : kSubstitutions) {
        CcxDocument document;
        document.levelCount = 1;
        document.level(1).epilogue.count = 1;
        document.level(1).prologue.page(1).text = "beyond the count: not written";
        field(document, name[0]) = typed;
        const auto written = formatCcxFile(document);
        auto back = parseCcxFile(written, {}).contents.value_or(CcxFileContents{});
        EXPECT_EQ(field(back.document, name[0]), carried) << name;
        EXPECT_TRUE(back.document == carriedDocument(document)) << name;
        EXPECT_EQ(formatCcxFile(back.document), written) << name;
    }
}

} // namespace
} // namespace tessaro
