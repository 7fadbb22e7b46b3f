#include "filecheck/filecheck.h"

#include "ccx/ccxreader.h"
#include "common/textfile.h"
#include "support/tempfolder.h"

#include <gtest/gtest.h>

namespace tessaro {
namespace {

std::filesystem::path ccxFixture(const std::string& name) {
    return std::filesystem::path(TESSARO_TEST_DATA) / "ccx" / name;
}

TEST(FileCheck, ScoreIniListsTheLinesTheEditorCannotUse) {
    const std::string ini = "; kept\r\n"
                            "Level3=not inside a section\r\n"
                            "[Set.dat]\r\n"
                            "Highest Level=9\r\n"
                            "Level1=\r\n"
                            "Level2=PASS\r\n"
                            "Level3=PASS,120,2700=kept\r\n"
                            "Level4=PASS,120\r\n"
                            "Level5=PASS,1,2,3\r\n"
                            "Level6=PASS,fast,2700\r\n"
                            "Level7=PASS,120,lots\r\n"
                            "Level0=PASS\r\n"
                            "Level1000=PASS\r\n"
                            "Level007=PASS\r\n"
                            "LevelX=PASS\r\n"
                            "Current Score=1\r\n"
                            "[Other.dat]\n"
                            "[Set.dat]\n";
    const std::vector<FileProblem> expected = {
        {8, "level 4 has 2 fields; a value is a password alone or password,time,score"},
        {9, "level 5 has 4 fields; a value is a password alone or password,time,score"},
        {10, "level 6: the time \"fast\" is not a number"},
        {11, "level 7: the score \"lots\" is not a number"},
        {12, "level number 0 is outside 1 to 999"},
        {13, "level number 1000 is outside 1 to 999"},
        {14, "level key \"Level007\" has a leading zero, which the game does not read"},
        {15, "level key \"LevelX\" is not a level number"},
        {18, "the section [Set.dat] is named twice"},
    };
    EXPECT_EQ(checkScoreIni(ini), expected);
    EXPECT_TRUE(checkScoreIni("[A]\r\nLevel1=PASS,12,5120\r\nLevel2=\r\n").empty());
}

TEST(FileCheck, FilesAreReadByTheirExtensionAndProblemsPrintLikeACompilers) {
    test::TempFolder folder;
    const auto good =
        folder.write("good.CCF", "\"C:\\SETS\\A.DAT\"\r\n\"144\"\r\n\"149\"\r\n\"good.ccf\"\r\n");
    const auto badLevel =
        folder.write("bad.ccf", "\"A.DAT\"\r\n\"144\"\r\n\"many\"\r\n\"bad.ccf\"\r\n");
    const auto short_ = folder.write("short.ccf", "\"A.DAT\"\r\n\"144\"\r\n");
    const auto other = folder.write("notes.txt", "hello");
    EXPECT_TRUE(checkFile(good).empty());
    EXPECT_EQ(checkFile(badLevel),
              (std::vector<FileProblem>{
                  {3, "the real last level \"many\" is not a number from -32768 to 32767"}}));
    EXPECT_EQ(checkFile(short_).size(), 1u);
    EXPECT_EQ(checkFile(short_)[0].line, 0u);
    EXPECT_EQ(checkFile(other)[0].problem, "not a CCX, CCF or score INI file (by its extension)");
    EXPECT_EQ(checkFile(folder / "missing.ini")[0].problem, "the file cannot be read");

    EXPECT_TRUE(checkFile(ccxFixture("written/demo-set.ccx")).empty());
    EXPECT_EQ(formatProblem("a.ini", {12, "level number 0 is outside 1 to 999"}),
              "a.ini:12: level number 0 is outside 1 to 999");
    EXPECT_EQ(formatProblem("a.ini", {0, "the file cannot be read"}),
              "a.ini: the file cannot be read");
}

TEST(FileCheck, EveryBrokenCcxFixtureIsReportedAtTheReadersLine) {
    int broken = 0;
    for (const auto& entry : std::filesystem::directory_iterator(ccxFixture(""))) {
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
