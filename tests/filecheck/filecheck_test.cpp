#include "filecheck/filecheck.h"
#include "levelset/levelsetfile.h"

#include "common/paths.h"
#include "common/textfile.h"
#include "support/levelsetwriter.h"
#include "support/tempfolder.h"

#include <gtest/gtest.h>

namespace tessaro {
namespace {

const std::filesystem::path kData = TESSARO_TEST_DATA;

// The files of tests/data/filecheck and three CCX files, one broken and one with lines the reader
// does not read, printed as "tessaro --check" prints them: report.txt there, line by line.
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

// A file as `tessaro FILE`, `--check` and `--list` see it, beside "set.dat" and "notes.dat" (text).
// FILE refuses only a file without a level-set signature; a refused set lists the check's problem.
struct FileCase {
    const char *label, *name;
    std::string bytes;
    const char* notASet = nullptr; // the file named in the refusal
    Lines check{};
    Lines list{};
    const char* problem = nullptr; // the listing's, when not the check's
};

const std::string kSet = test::writeLevelSet(test::numberedSet(1));
const Lines kListed = {"1\tLevel 1\tAAAB\t101"};

std::string ccfFor(const char* set) {
    return std::string("\"{folder}/") + set + "\"\r\n\"1\"\r\n\"1\"\r\n\"a.ccf\"\r\n";
}

// clang-format off
const FileCase kFileCases[] = {
    {.label = "SetWithoutExtension", .name = "a", .bytes = kSet, .list = kListed},
    // A listed level is one line: breaks and tabs in its texts are spaces.
    {.label = "SetWithAProblemIsListed", .name = "b.CCL",
     .bytes = test::writeLevelSet({.levels = {{.number = 7, .title = "T\tx\r\ny",
                                               .password = "ABCD"}}}),
     .check = {"b.CCL: level 1 (offset 8): the level's number 7 is out of order (expected 1)"},
     .list = {"7\tT x  y\tABCD\t0"}},
    {.label = "TextNamedDat", .name = "text.dat", .bytes = "shopping list\n", .notASet = "text.dat",
     .check = {"text.dat: offset 0: the file does not start with a level-set signature"}},
    {.label = "CcxByItsExtension", .name = "a.CCX", .bytes = "<levelset",
     .check = {"a.CCX:1: the file ends before the line \"</levelset>\""}},
    {.label = "CcfOfASet", .name = "a.ccf", .bytes = ccfFor("set.dat"), .list = kListed},
    {.label = "CcfOfText", .name = "a.ccf", .bytes = ccfFor("notes.dat"), .notASet = "notes.dat",
     .problem = "{folder}/notes.dat: offset 0: the file does not start with a level-set signature"},
    {.label = "CcfOfAMissingSet", .name = "a.ccf", .bytes = ccfFor("missing.dat"),
     .problem = "{folder}/missing.dat: the file cannot be read"},
};
// clang-format on

class FileCommandLine : public testing::TestWithParam<FileCase> {};

TEST_P(FileCommandLine, PlaysChecksAndListsTheFile) {
    const auto& row = GetParam();
    test::TempFolder folder;
    folder.write("set.dat", kSet);
    folder.write("notes.dat", "shopping list");
    const auto expand = [&folder](std::string text) {
        if (const auto at = text.find("{folder}"); at != std::string::npos)
            text.replace(at, 8, folder.str());
        return text;
    };
    const auto file = folder.write(row.name, expand(row.bytes));
    const auto refused = notALevelSetFile(file);
    EXPECT_EQ(refused, row.notASet ? std::optional(folder / row.notASet) : std::nullopt);
    EXPECT_EQ(checkReport(file, row.name), row.check);
    const auto listing = listFile(file, row.name);
    EXPECT_EQ(listing.lines, row.list);
    const auto problems = row.list.empty() ? row.check : Lines();
    EXPECT_EQ(listing.problems, row.problem ? Lines{expand(row.problem)} : problems);
}

INSTANTIATE_TEST_SUITE_P(Table, FileCommandLine, testing::ValuesIn(kFileCases),
                         [](const auto& info) { return std::string(info.param.label); });

} // namespace
} // namespace tessaro
