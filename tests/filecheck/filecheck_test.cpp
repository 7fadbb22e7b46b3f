#include "filecheck/filecheck.h"

#include "common/textfile.h"

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
    EXPECT_EQ(report, readFileBytes(kData / "filecheck" / "report.txt").value_or("<missing>"));
}

} // namespace
} // namespace tessaro
