#include "filecheck/filecheck.h"

#include "common/paths.h"
#include "common/textfile.h"
#include "support/levelsetwriter.h"
#include "support/tempfolder.h"

#include <gtest/gtest.h>

namespace tessaro {
namespace {

const std::filesystem::path kData = TESSARO_TEST_DATA;

// The files of tests/data/filecheck and two CCX files, one broken, printed as
// "tessaro --check" prints them: report.txt there, line by line.
TEST(FileCheck, FixturesAreReportedLikeACompilersErrors) {
    std::string report;
    for (const char* name :
         {"problems.ini", "good.ini", "good.CCF", "bad.ccf", "short.ccf", "notes.txt",
          "missing.ini", "../ccx/missing-end.ccx", "../ccx/written/demo-set.ccx"})
        for (const auto& problem : checkFile(kData / "filecheck" / name))
            report += formatProblem(name, problem) + "\n";
    EXPECT_EQ(report, readFileBytes(kData / "filecheck" / "report.txt").value_or("<missing>"));
}

using Lines = std::vector<std::string>;

test::WrittenSet repeatedNumber() {
    auto set = test::numberedSet(2);
    set.levels[1].number = 1;
    return set;
}

// A file as `tessaro --check` and `tessaro --list` see it: the check's lines,
// and the list's lines or, when the file cannot be read, its problems (exit 1).
// A row with ccf names its set in "a.ccf" and is checked and listed by that.
struct ListCase {
    const char* label;
    const char* name;
    std::string bytes;
    bool ccf = false;
    Lines check{};
    Lines list{};
    Lines listProblems{};
};

const Lines kTwoLevels{"1\tLevel 1\tAAAB\t101", "2\tLevel 2\tAAAC\t102"};
const std::string kNotASet =
    "notes.dat: offset 0: the file does not start with a level-set signature";

const ListCase kListCases[] = {
    {.label = "TidySet",
     .name = "a.dat",
     .bytes = test::writeLevelSet(test::numberedSet(2)),
     .list = kTwoLevels},
    {.label = "SetWithoutExtension",
     .name = "set",
     .bytes = test::writeLevelSet(test::numberedSet(2)),
     .list = kTwoLevels},
    {.label = "SetWithProblemsIsStillListed",
     .name = "b.CCL",
     .bytes = test::writeLevelSet(repeatedNumber()),
     .check = {"b.CCL: level 2 (offset 73): the level's number 1 is also level 1's"},
     .list = {"1\tLevel 1\tAAAB\t101", "1\tLevel 2\tAAAC\t102"}},
    {.label = "TextFileNamedDat",
     .name = "notes.dat",
     .bytes = "shopping list\n",
     .check = {kNotASet},
     .listProblems = {kNotASet}},
    {.label = "FourByteFile",
     .name = "four.dat",
     .bytes = std::string("\xAC\xAA\x02\x00", 4),
     .check = {"four.dat: offset 4: the file ends before its number of levels"},
     .listProblems = {"four.dat: offset 4: the file ends before its number of levels"}},
    {.label = "TextFileWithoutExtension",
     .name = "notes",
     .bytes = "shopping list\n",
     .check = {"notes: not a level set, CCX, CCF or score INI file"},
     .listProblems = {"notes: offset 0: the file does not start with a level-set signature"}},
    {.label = "CcfListsItsSet",
     .name = "set.dat",
     .bytes = test::writeLevelSet(test::numberedSet(2)),
     .ccf = true,
     .list = kTwoLevels},
};

void PrintTo(const ListCase& row, std::ostream* out) {
    *out << row.label;
}

class LevelSetCommandLine : public testing::TestWithParam<ListCase> {};

TEST_P(LevelSetCommandLine, ChecksAndListsTheFile) {
    const auto& row = GetParam();
    test::TempFolder folder;
    auto file = folder.write(row.name, row.bytes);
    if (row.ccf)
        file = folder.write("a.ccf",
                            "\"" + fromPath(file) + "\"\r\n\"144\"\r\n\"149\"\r\n\"a.ccf\"\r\n");
    const auto name = fromPath(file.filename());
    EXPECT_EQ(checkReport(file, name), row.check);
    const auto listing = listFile(file, name);
    EXPECT_EQ(listing.lines, row.list);
    EXPECT_EQ(listing.problems, row.listProblems);
}

INSTANTIATE_TEST_SUITE_P(Table, LevelSetCommandLine, testing::ValuesIn(kListCases),
                         [](const auto& info) { return std::string(info.param.label); });

TEST(FileList, ACcxFileGivesEachLevelsNumberAndTitle) {
    const auto listing = listFile(kData / "ccx" / "written" / "demo-set.ccx", "demo-set.ccx");
    EXPECT_EQ(listing.lines, (Lines{"1\tFirst", "2\tSecond"}));
    EXPECT_TRUE(listing.problems.empty());
}

} // namespace
} // namespace tessaro
