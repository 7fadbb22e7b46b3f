#include "filecheck/filecheck.h"

#include "ccx/ccxreader.h"
#include "common/textfile.h"

#include <gtest/gtest.h>

namespace tessaro {
namespace {

const std::filesystem::path kData = TESSARO_TEST_DATA;

// The score INI, CCF and other files of tests/data/filecheck, printed as
// "tessaro --check" prints them: report.txt there, line by line.
TEST(FileCheck, ScoreIniAndCcfFixturesAreReportedLikeACompilersErrors) {
    std::string report;
    for (const char* name : {"problems.ini", "good.ini", "good.CCF", "bad.ccf", "short.ccf",
                             "notes.txt", "missing.ini"})
        for (const auto& problem : checkFile(kData / "filecheck" / name))
            report += formatProblem(name, problem) + "\n";
    EXPECT_EQ(report, readFileBytes(kData / "filecheck" / "report.txt").value_or("<missing>"));
}

TEST(FileCheck, EveryBrokenCcxFixtureIsReportedAtTheReadersLine) {
    int broken = 0;
    for (const auto& entry : std::filesystem::directory_iterator(kData / "ccx")) {
        if (entry.path().extension() != ".ccx")
            continue;
        const auto read = parseCcxFile(readFileBytes(entry.path()).value_or(""), CcxDocument());
        const auto expected = read.ok()
                                  ? std::vector<FileProblem>{}
                                  : std::vector<FileProblem>{{read.error.line, read.error.problem}};
        EXPECT_EQ(checkFile(entry.path()), expected) << entry.path();
        broken += read.ok() ? 0 : 1;
    }
    EXPECT_GE(broken, 10);
}

} // namespace
} // namespace tessaro
