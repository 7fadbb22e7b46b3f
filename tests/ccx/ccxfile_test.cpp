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

// Short values are read as in loose-layout.ccx; only the last six digits count.
TEST(HtmlColor, ConvertsBetweenBgrValuesAndHtmlText) {
    EXPECT_EQ(formatHtmlColor(0xFF0A0B0C), "#0C0B0A"); // high bits are ignored
    for (ColorValue v = 0; v < 0x1000000; v += 0x010307)
        ASSERT_EQ(parseHtmlColor(formatHtmlColor(v).substr(1)), v);
    EXPECT_EQ(parseHtmlColor("12ff0000\" x") + parseHtmlColor("zz"), 0xFFu);
}

// The fixtures refused on purpose, with the line and problem reported.
const std::map<std::string, CcxReadError> kBroken = {
    {"missing-end.ccx", {33, "the file ends before the line \"</levelset>\""}},
    {"ends-inside-page.ccx", {15, "the file ends before the line \"</levelset>\""}},
    {"page-eleven.ccx", {73, "level 1 has more than 10 pages in its prologue"}},
    {"level-number-missing.ccx", {10, "the level number is missing"}},
    {"level-number-not-a-number.ccx", {10, "the level number \"one\" is not a number"}},
    {"level-number-1000.ccx", {10, "the level number 1000 is not between 1 and 999"}},
    {"level-number-0.ccx", {4, "the level number 0 is not between 1 and 999"}},
    {"level-number-99999.ccx", {4, "the level number \"99999\" is not a number"}},
    {"epilogue-eleven-in-two-lines.ccx", {60, "level 1 has more than 10 pages in its epilogue"}},
    {"empty.ccx", {1, "the file ends before the line \"</levelset>\""}},
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

// A broken file is refused with its line and problem. Any other (fuzz-* once did not) saves
// as it was read: byte for byte if this writer made it ("written/"), else as the same document.
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
    auto d = read("header-any-order.ccx").document;
    EXPECT_EQ(std::tuple(d.msChoice, d.lynxChoice, d.pedanticChoice),
              std::tuple(CompatChoice::Ignore, CompatChoice::No, CompatChoice::Yes));
    EXPECT_EQ(d.author + "|" + d.level(1).title, "A|T"); // a level without comment: the last one
    EXPECT_EQ(std::tuple(d.hasDefaultColors, d.defaultBackColor, d.defaultFontColor),
              std::tuple(true, 0x000A0B0Cu, 0x0000FF00u));

    // Unknown lines, a missing "</page>", short colours, levels out of order and
    // one named twice: its last line decides title and author, all pages are kept.
    d = read("loose-layout.ccx").document;
    EXPECT_EQ(d.description + "|" + d.author + "|" + formatHtmlColor(d.defaultFontColor) +
                  formatHtmlColor(d.defaultBackColor) + "|" + std::to_string(d.levelCount),
              "Loose Set|Loose Author|#0A0B0C#00FF00|3");
    EXPECT_EQ(d.level(3).compatAttributes, "lynx=\"yes\" ms=\"no\" extra=\"1\"");
    EXPECT_EQ(d.level(3).prologue.count, 2);
    EXPECT_EQ(d.level(3).prologue.page(1), (CcxPage{"red text", 1, 0, 0x0000FF}));
    EXPECT_EQ(d.level(3).prologue.page(2), (CcxPage{"short blue background", 1, 0x0F0000, 0}));
    const auto& alpha = d.level(1);
    EXPECT_EQ(alpha.title + alpha.author + alpha.epilogue.page(1).text +
                  alpha.prologue.page(1).text,
              "AlphaAltakes Gammaone");
    // Another tool's layout: no empty line before a page, attributes in another order.
    EXPECT_EQ(read("other-tool.ccx").document.level(1).prologue.page(2),
              (CcxPage{"<p>Mind the <b>ice</b>.</p>", 1, 0x000000, 0x00FFFF}));

    // An author ending in another attribute's key and "=" is no such attribute.
    d = read("author-ending-in-ruleset.ccx").document;
    EXPECT_EQ(d.level(1).author + "|" + d.level(1).compatAttributes, "Al lynx=|");
    EXPECT_EQ(d.level(2).author + "|" + d.level(2).compatAttributes, "ms=|pedantic=\"yes\"");
    d = read("author-ending-in-description.ccx").document;
    EXPECT_EQ(d.description + "|" + d.author, "Set author=|Ann description=");
}

// Documents compare and copy by what they hold, not by which levels were touched.
TEST(CcxDocument, UntouchedLevelsAndPagesReadEmptyAndCompareByContents) {
    const CcxDocument untouched;
    CcxDocument touched;
    touched.level(999).prologue.page(10).text.clear();
    touched.level(1).epilogue.count = 0;
    EXPECT_TRUE(touched == untouched && untouched == touched);
    // The colours of a page beyond the count count too.
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
    EXPECT_EQ(touched.level(7).title + formatHtmlColor(touched.level(7).prologue.page(3).backColor),
              "#030201");
    touched.dropLevelsAbove(7);
    EXPECT_FALSE(touched == untouched);
    touched.dropLevelsAbove(6);
    EXPECT_TRUE(touched == untouched);
}

// The field a case's name begins with: Title, Author, Set name, Compat, Page.
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
