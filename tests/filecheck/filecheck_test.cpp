#include "filecheck/filecheck.h"

#include "common/paths.h"
#include "common/textfile.h"
#include "support/levelsetwriter.h"
#include "support/tempfolder.h"

#include <gtest/gtest.h>

namespace tessaro {
namespace {

const std::filesystem::path kData = TESSARO_TEST_DATA;

// The files of tests/data/filecheck and three CCX files, one broken and one with lines the
// reader does not read, printed as
// "tessaro --check" prints them: report.txt there, line by line.
TEST(FileCheck, FixturesAreReportedLikeACompilersErrors) {
    std::string report;
    for (const char* name : {"problems.ini", "good.ini", "good.CCF", "bad.ccf", "short.ccf",
                             "notes.txt", "missing.ini", "../ccx/missing-end.ccx",
                             "../ccx/mistyped-page.ccx", "../ccx/written/demo-set.ccx"})
        for (const auto& problem : checkFile(kData / "filecheck" / name))
            report += formatProblem(name, problem) + "\n";
    EXPECT_EQ(readFileBytes(kData / "filecheck" / "report.txt"), report);
}

using Lines = std::vector<std::string>;

// A file as `tessaro --check` and `--list` see it; a set the reader refuses
// is listed as no lines and the check's line as the problem. A ccf row is
// checked and listed through "a.ccf", which names the file.
struct ListCase {
    const char* label;
    const char* name;
    std::string bytes;
    Lines check{};
    Lines list{};
    bool ccf = false;
};

const std::string kSet = test::writeLevelSet(test::numberedSet(1));

const ListCase kListCases[] = {
    {.label = "Set", .name = "a.dat", .bytes = kSet, .list = {"1\tLevel 1\tAAAB\t101"}},
    {.label = "SetWithoutExtension", .name = "a", .bytes = kSet, .list = {"1\tLevel 1\tAAAB\t101"}},
    {.label = "SetWithAProblemIsListed",
     .name = "b.CCL",
     .bytes = test::writeLevelSet({.levels = {{.number = 7, .title = "T", .password = "ABCD"}}}),
     .check = {"b.CCL: level 1 (offset 8): the level's number 7 is out of order (expected 1)"},
     .list = {"7\tT\tABCD\t0"}},
    {.label = "TextFileNamedDat",
     .name = "notes.dat",
     .bytes = "shopping list\n",
     .check = {"notes.dat: offset 0: the file does not start with a level-set signature"}},
    {.label = "CcfListsItsSet",
     .name = "a.dat",
     .bytes = kSet,
     .list = {"1\tLevel 1\tAAAB\t101"},
     .ccf = true},
};

class LevelSetCommandLine : public testing::TestWithParam<ListCase> {};

TEST_P(LevelSetCommandLine, ChecksAndListsTheFile) {
    const auto& row = GetParam();
    test::TempFolder folder;
    auto file = folder.write(row.name, row.bytes);
    if (row.ccf)
        file =
            folder.write("a.ccf", "\"" + fromPath(file) + "\"\r\n\"1\"\r\n\"1\"\r\n\"a.ccf\"\r\n");
    const auto name = fromPath(file.filename());
    EXPECT_EQ(checkReport(file, name), row.check);
    const auto listing = listFile(file, name);
    EXPECT_EQ(listing.lines, row.list);
    EXPECT_EQ(listing.problems, row.list.empty() ? row.check : Lines());
}

INSTANTIATE_TEST_SUITE_P(Table, LevelSetCommandLine, testing::ValuesIn(kListCases),
                         [](const auto& info) { return std::string(info.param.label); });

} // namespace
} // namespace tessaro
