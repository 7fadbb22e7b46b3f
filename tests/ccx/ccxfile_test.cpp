#include "ccx/carriedtext.h"
#include "ccx/ccxreader.h"
#include "ccx/ccxwriter.h"
#include "common/textfile.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <map>
#include <set>
#include <sstream>

namespace tessaro {
namespace {

namespace fs = std::filesystem;

fs::path fixture(const std::string& name) {
    return fs::path(TESSARO_TEST_DATA) / "ccx" / name;
}

// refused.txt: each fixture refused on purpose, as "name:line: problem"; a name there that is not
// in the folder is a file that cannot be read.
std::map<std::string, ReadError> refusedFixtures() {
    std::map<std::string, ReadError> refused;
    std::istringstream lines(readFileBytes(fixture("refused.txt")).value().str());
    for (std::string line; std::getline(lines, line);) {
        const auto name = line.find(':');
        const auto problem = line.find(": ", name + 1);
        refused[line.substr(0, name)] =
            ReadError::atLine(std::stoul(line.substr(name + 1)), line.substr(problem + 2));
    }
    return refused;
}

std::vector<std::string> fixtureNames() {
    std::set<std::string> names;
    for (const auto& entry : fs::recursive_directory_iterator(fixture("")))
        if (entry.path().extension() == ".ccx")
            names.insert(entry.path().lexically_relative(fixture("")).generic_string());
    for (const auto& refused : refusedFixtures())
        names.insert(refused.first);
    return {names.begin(), names.end()};
}

class CcxFixture : public testing::TestWithParam<std::string> {};

// Read whole or in blocks of 1 to 8 bytes (which lines and page texts cross), a broken file is
// refused with its line and problem; any other, written and read again (from its colours, as Open
// does), is the same document and bytes (written/<name>'s if any), losing just the unread lines.
TEST_P(CcxFixture, IsRefusedOrSavesAsItWasRead) {
    const auto& name = GetParam();
    const auto refused = refusedFixtures();
    const auto bytes = readFileBytes(fixture(name));
    const auto first = readCcxFile(fixture(name), {});
    for (std::size_t block = 1; block < 9; ++block)
        EXPECT_TRUE(readCcxFile(fixture(name), {}, nullptr, block) == first) << block;
    if (const auto broken = refused.find(name); broken != refused.end()) {
        EXPECT_EQ(first.error(), broken->second);
        return;
    }
    ASSERT_TRUE(first.ok()) << first.error().line << ": " << first.error().problem;
    const auto& document = first->document;
    const auto written = formatCcxFile(document);
    CcxDocument start;
    start.defaultBackColor = document.defaultBackColor;
    start.defaultFontColor = document.defaultFontColor;
    const auto second = parseCcxFile(written, start);
    ASSERT_TRUE(second.ok()) << second.error().problem << "\n" << written;
    EXPECT_TRUE(second->document == document) << written;
    const auto savedAs = fixture(name.starts_with("written/") ? name : "written/" + name);
    if (fs::exists(savedAs)) {
        EXPECT_EQ(written, readFileBytes(savedAs).value());
    }
    const auto savedLines = splitLines(written);
    std::multiset<std::string> saved(savedLines.begin(), savedLines.end());
    const auto lines = splitLines(*bytes);
    for (std::size_t number = 1; number <= lines.size(); ++number) {
        const auto& line = lines[number - 1];
        const auto found = saved.find(line);
        const bool kept = found != saved.end();
        if (kept)
            saved.erase(found);
        const bool unread = std::ranges::count(first->unreadLines, number) == 1;
        const bool holdsValues = line.find("=\"") != std::string::npos || line.starts_with("<!--");
        const bool blank = line.find_first_not_of(" \t") == std::string::npos;
        EXPECT_TRUE(unread ? !kept : kept || holdsValues || blank) << number << ": " << line;
    }
}

INSTANTIATE_TEST_SUITE_P(Ccx, CcxFixture, testing::ValuesIn(fixtureNames()), [](const auto& info) {
    auto name = info.param.substr(0, info.param.size() - 4);
    std::replace_if(
        name.begin(), name.end(), [](unsigned char c) { return !std::isalnum(c); }, '_');
    return name;
});

#ifdef __linux__
// A file the system fails to read is unreadable, never a document cut short.
TEST(CcxFile, AReadErrorMakesTheFileUnreadable) {
    EXPECT_EQ(readCcxFile("/proc/self/mem", {}).error(),
              ReadError::unreadable("the file cannot be read"));
}
#endif

// Documents compare by contents, not by which levels were touched; a reset keeps page colours.
TEST(CcxDocument, ComparesByContentsAndResetKeepsPageColours) {
    const CcxDocument untouched;
    CcxDocument touched;
    touched.level(999).prologue.page(10).text.clear();
    EXPECT_TRUE(touched == untouched && untouched == touched);
    touched.level(7).prologue.page(3).backColor = 0x010203; // beyond the page count
    EXPECT_FALSE(touched == untouched || untouched == touched);
    touched.reset();
    EXPECT_EQ(touched.level(7).prologue.page(3).backColor, 0x010203u);
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

// Read back, a text is the nearest one the file can carry, and saving it again changes nothing.
TEST(CcxFile, ReadsBackTheCarriedText) {
    const std::tuple<const char*, std::string, std::string> kSubstitutions[] = {
        {"TitleArrow", "a --> b", "a -- > b"},
        {"TitleCommentStart", "x<!--", "x<! --"},
        {"TitleLineBreaks", "one\r\ntwo\nthree\rfour", "one two three four"},
        {"TitleKept", " -- a > b <! -- \"q\" ", " -- a > b <! -- \"q\" "},
        {"AuthorQuotesAndEntities", "&quot;&amp;&&amp;amp;&lt;\"", "&quot;&amp;&&amp;amp;&lt;\""},
        {"AuthorComment", "<!-- x\n", "<! -- x "},
        {"SetTextQuotesAndBreaks", "Big \"Set\"\r\nTwo &quot;", "Big \"Set\" Two &quot;"},
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
        // A CR LF across the fast check's blocks of 240 bytes, and a lone LF that begins one.
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
        auto read = parseCcxFile(written, {});
        ASSERT_TRUE(read.ok()) << name;
        EXPECT_EQ(field(read->document, name[0]), carried) << name;
        EXPECT_TRUE(read->document == carriedDocument(document)) << name;
        EXPECT_EQ(formatCcxFile(read->document), written) << name;
    }
}

} // namespace
} // namespace tessaro
