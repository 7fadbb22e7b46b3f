#include "ccx/ccxreader.h"
#include "ccx/ccxwriter.h"
#include "common/textfile.h"
#include "support/tempfolder.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <set>

namespace tessaro {
namespace {

namespace fs = std::filesystem;

// Fixtures that are refused on purpose; CcxReader tests check each message.
const std::set<std::string> kBrokenFixtures = {"missing-end.ccx",
                                               "ends-inside-page.ccx",
                                               "page-eleven.ccx",
                                               "level-number-missing.ccx",
                                               "level-number-not-a-number.ccx",
                                               "level-number-1000.ccx",
                                               "prologue-before-level.ccx",
                                               "bgcolor-without-hash.ccx",
                                               "color-without-hash.ccx",
                                               "description-cut-off.ccx",
                                               "author-cut-off.ccx",
                                               "colors-one-word.ccx",
                                               "no-levels.ccx"};

// Fixtures that read well but are not laid out as the writer writes.
const std::set<std::string> kLooseFixtures = {"lf-line-ends.ccx", "mixed-line-ends.ccx",
                                              "loose-layout.ccx"};

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

// The first line where two texts differ, for a readable failure.
std::string firstDifference(const std::string& expected, const std::string& actual) {
    const auto a = splitLines(expected);
    const auto b = splitLines(actual);
    for (std::size_t i = 0; i < std::max(a.size(), b.size()); ++i) {
        const auto left = i < a.size() ? a[i] : "<none>";
        const auto right = i < b.size() ? b[i] : "<none>";
        if (left != right)
            return "line " + std::to_string(i + 1) + ": expected [" + left + "] but wrote [" +
                   right + "]";
    }
    return "the line ends differ";
}

// Read, write to a temporary file, read that again, write again.
void roundTrip(const fs::path& file, bool expectWriterLayout) {
    SCOPED_TRACE(file.string());
    const auto input = readFileBytes(file);
    ASSERT_TRUE(input);
    const auto first = parseCcxFile(*input, CcxDocument{});
    ASSERT_TRUE(first.ok()) << "line " << first.error.line << ": " << first.error.problem;

    test::TempFolder folder;
    ASSERT_TRUE(writeCcxFile(folder / "first.ccx", first.contents->document));
    const auto second = readCcxFile(folder / "first.ccx", CcxDocument{});
    ASSERT_TRUE(second.ok()) << "line " << second.error.line << ": " << second.error.problem;
    ASSERT_TRUE(writeCcxFile(folder / "second.ccx", second.contents->document));

    EXPECT_TRUE(first.contents->document == second.contents->document);
    const auto firstWrite = folder.read("first.ccx");
    EXPECT_EQ(firstWrite, folder.read("second.ccx"));
    if (expectWriterLayout && firstWrite != *input)
        ADD_FAILURE() << "not written back byte for byte: " << firstDifference(*input, firstWrite);
}

// A file from outside counts as laid out by the writer when it has nothing but
// CR LF line ends and starts the way the writer starts.
bool looksWriterMade(const fs::path& file) {
    const auto bytes = readFileBytes(file).value_or("");
    if (!bytes.starts_with("<levelset\r\n") || !bytes.ends_with("\r\n"))
        return false;
    for (std::size_t i = 0; i < bytes.size(); ++i) {
        if (bytes[i] == '\n' && (i == 0 || bytes[i - 1] != '\r'))
            return false;
        if (bytes[i] == '\r' && (i + 1 == bytes.size() || bytes[i + 1] != '\n'))
            return false;
    }
    return true;
}

TEST(CcxFiles, corpusRoundTrip) {
    const auto fixtures = ccxFilesUnder(fs::path(TESSARO_TEST_DATA) / "ccx");
    ASSERT_GE(fixtures.size(), kBrokenFixtures.size() + kLooseFixtures.size() + 3);
    std::size_t broken = 0;
    for (const auto& file : fixtures) {
        const auto name = file.filename().string();
        if (kBrokenFixtures.count(name) != 0) {
            ++broken;
            continue;
        }
        roundTrip(file, kLooseFixtures.count(name) == 0);
    }
    EXPECT_EQ(broken, kBrokenFixtures.size());

    if (const char* corpus = std::getenv("TESSARO_CCX_CORPUS"); corpus && *corpus) {
        const auto files = ccxFilesUnder(corpus);
        EXPECT_FALSE(files.empty()) << "no .ccx files in " << corpus;
        for (const auto& file : files)
            roundTrip(file, looksWriterMade(file));
    }
}

} // namespace
} // namespace tessaro
