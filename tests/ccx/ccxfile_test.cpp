#include "ccx/ccxreader.h"
#include "ccx/ccxwriter.h"
#include "ccx/htmlcolor.h"
#include "ccxfixtures.h"
#include "support/tempfolder.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
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

using Entries = std::vector<std::string>;

// A CR LF file with the header attribute lines and the body lines given.
std::string ccxText(const Entries& header, const Entries& body) {
    Entries lines{"<levelset"};
    lines.insert(lines.end(), header.begin(), header.end());
    lines.insert(lines.end(), {">", ""});
    lines.insert(lines.end(), body.begin(), body.end());
    lines.emplace_back("</levelset>");
    return joinLinesCrLf(lines);
}

const Entries kOneLevel{"<level number=\"1\">", "</level>"};

CcxFileContents read(std::string_view bytes, CcxDocument start = {}) {
    auto result = parseCcxFile(bytes, std::move(start));
    EXPECT_TRUE(result.ok()) << "line " << result.error.line << ": " << result.error.problem;
    return result.ok() ? std::move(*result.contents) : CcxFileContents{};
}

TEST(CcxReader, ReadsTheSameWhateverTheLineEnds) {
    for (const char* name : {"demo-set.ccx", "lf-line-ends.ccx", "mixed-line-ends.ccx"}) {
        SCOPED_TRACE(name);
        const auto contents = read(test::ccxFixtureBytes(name));
        EXPECT_TRUE(contents.document == test::demoDocument());
        EXPECT_EQ(contents.levelList, (Entries{"1. First", "2. Second"}));
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

TEST(CcxReader, LevelStartsTitlesAndGaps) {
    const auto contents =
        read(ccxText({}, {"<!-- One -->", "<level number=\"1\">", "</level>",
                          "<level number=\"2\" author=\"Bob\" lynx=\"yes\">", "</level>",
                          "<!-- Five -->", "<level number=\"5\" ms=\"no\" extra=\"1\">"}));
    const auto& document = contents.document;
    // A level without a comment takes the title before it.
    EXPECT_EQ(contents.levelList, (Entries{"1. One", "2. One", "5. Five"}));
    EXPECT_EQ(document.level(2).author, "Bob");
    EXPECT_EQ(document.level(2).compatAttributes, "lynx=\"yes\"");
    EXPECT_EQ(document.level(5).compatAttributes, "ms=\"no\" extra=\"1\"");
    EXPECT_EQ(document.levelCount, 5);
    EXPECT_NE(formatCcxFile(document).find("<!-- One -->\r\n<level number=\"2\" author=\"Bob\" "
                                           "lynx=\"yes\">\r\n</level>\r\n\r\n"
                                           "<!--  -->\r\n<level number=\"3\">\r\n</level>\r\n\r\n"
                                           "<!--  -->\r\n<level number=\"4\">\r\n</level>\r\n\r\n"
                                           "<!-- Five -->\r\n<level number=\"5\" ms=\"no\""),
              std::string::npos);
}

TEST(CcxReader, Pages) {
    // A second element of a pane starts again at page 1 while the count grows.
    const auto contents =
        read(ccxText({}, {"<level number=\"1\">", "<epilogue>", "<page>", "<![CDATA[", "one", "]]>",
                          "</epilogue>", "</level>", "<level number=\"1\">", "<epilogue>", "<page>",
                          "<![CDATA[", "again", "]]>", "</epilogue>"}));
    const auto& level = contents.document.level(1);
    EXPECT_EQ(level.epilogue.count, 2);
    EXPECT_EQ(level.epilogue.page(1).text, "again");
    EXPECT_EQ(contents.levelList, (Entries{"1. ", "1. "}));

    // Unknown lines, a missing "</page>", short colours, a CDATA line with text.
    const auto loose = read(test::ccxFixtureBytes("loose-layout.ccx"));
    const auto& document = loose.document;
    EXPECT_EQ(loose.levelList, (Entries{"3. Gamma", "1. Gamma", "1. Alpha"}));
    const auto& gamma = document.level(3).prologue;
    ASSERT_EQ(gamma.count, 2);
    EXPECT_EQ(gamma.page(1), (CcxPage{"red text", 1, 0, 0x0000FF}));
    EXPECT_EQ(gamma.page(2), (CcxPage{"short blue background", 1, 0x0F0000, 0}));
    EXPECT_EQ(document.level(1).epilogue.page(1).text, "takes Gamma");
    EXPECT_EQ(document.level(1).prologue.page(1).text, "one");
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
}

TEST(CcxWriter, WritesTheDemoSetByteForByte) {
    EXPECT_EQ(formatCcxFile(test::demoDocument()), test::ccxFixtureBytes("demo-set.ccx"));

    test::TempFolder folder;
    folder.write("demo.ccx", "older and longer contents that must vanish entirely");
    ASSERT_TRUE(writeCcxFile(folder / "demo.ccx", test::demoDocument()));
    EXPECT_EQ(folder.read("demo.ccx"), test::ccxFixtureBytes("demo-set.ccx"));
    EXPECT_FALSE(writeCcxFile(folder / "missing" / "demo.ccx", test::demoDocument()));

    // Pages beyond a pane's count are not written.
    CcxDocument bare;
    bare.levelCount = 1;
    bare.level(1).prologue.page(1).text = "left over";
    EXPECT_EQ(formatCcxFile(bare), "<levelset\r\n\tformat=\"html\"\r\n>\r\n\r\n"
                                   "<!--  -->\r\n<level number=\"1\">\r\n</level>\r\n\r\n"
                                   "</levelset>\r\n");
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

// Laid out as the writer writes: starts as it does, only CR LF line ends.
bool looksWriterMade(const std::string& bytes) {
    if (!bytes.starts_with("<levelset\r\n") || !bytes.ends_with("\r\n"))
        return false;
    for (std::size_t i = 1; i < bytes.size(); ++i) {
        if ((bytes[i] == '\n') != (bytes[i - 1] == '\r'))
            return false;
    }
    return true;
}

// Read, write, read again: the same document; a file in the writer's layout
// is written back byte for byte. True for such a file.
bool roundTrip(const fs::path& file) {
    SCOPED_TRACE(file.string());
    const auto input = readFileBytes(file).value_or("");
    const auto first = parseCcxFile(input, CcxDocument{});
    EXPECT_TRUE(first.ok()) << "line " << first.error.line << ": " << first.error.problem;
    if (!first.ok())
        return false;
    const auto written = formatCcxFile(first.contents->document);
    const auto second = parseCcxFile(written, CcxDocument{});
    EXPECT_TRUE(second.ok() && second.contents->document == first.contents->document);
    if (!looksWriterMade(input))
        return false;
    EXPECT_EQ(written, input);
    return true;
}

TEST(CcxFiles, corpusRoundTrip) {
    std::set<std::string> broken;
    for (const auto& fixture : kBrokenCcxFixtures)
        broken.insert(fixture.name);
    int writerMade = 0;
    for (const auto& file : ccxFilesUnder(test::ccxFixture(""))) {
        if (broken.count(file.filename().string()) == 0)
            writerMade += roundTrip(file) ? 1 : 0;
    }
    EXPECT_EQ(writerMade, 3); // demo-set, full-panes and minimal-header

    if (const char* corpus = std::getenv("TESSARO_CCX_CORPUS"); corpus && *corpus) {
        const auto files = ccxFilesUnder(corpus);
        EXPECT_FALSE(files.empty()) << "no .ccx files in " << corpus;
        for (const auto& file : files)
            roundTrip(file);
    }
}

} // namespace
} // namespace tessaro
