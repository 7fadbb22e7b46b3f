#include "launcher/setdetails.h"
#include "support/levelsetwriter.h"
#include "support/tempfolder.h"

#include <gtest/gtest.h>

namespace tessaro {
namespace {

// "number|title|password|time limit|reached|best time|score" per row.
std::vector<std::string> rowTexts(const SetDetails& details) {
    std::vector<std::string> texts;
    for (const auto& r : details.rows)
        texts.push_back(r.number + "|" + r.title + "|" + r.password + "|" + r.timeLimit + "|" +
                        r.reached + "|" + r.bestTime + "|" + r.score);
    return texts;
}

// In a header, <ini> stands for the score file's path and <other> for other.dat's path.
struct SetDetailsCase {
    const char *label, *fileName;
    std::string header;
    std::vector<std::string> rows{};
    std::string warning{};
};

const SetDetailsCase kSetDetailsCases[] = {
    {.label = "SetWithSection",
     .fileName = "three.dat",
     .header = "Lynx rules, 3 levels.\n2 of 3 levels reached, total score 5900 (tessaro.ini).",
     .rows = {"1|Level 1|AAAB|101|yes|90|5900", "2|Level 2|AAAC|102|yes||",
              "3|Level 3|AAAD|untimed|||"}},
    {.label = "CcfShowsItsSetAndItsOwnSection",
     .fileName = "three.ccf",
     .header = "three.ccf plays <other>.\nMS rules, 3 levels.\n1 of 3 levels reached, "
               "total score 110 (tessaro.ini).",
     .rows = {"1|Level 1|AAAB|101|||", "2|Level 2|AAAC|102|||",
              "3|Level 3|AAAD|untimed|yes|1|110"}},
    {.label = "NotALevelSet",
     .fileName = "notes.dat",
     .header = "",
     .warning = "notes.dat is not a level set: the file does not start with a level-set "
                "signature (offset 0)."},
    {.label = "FewerLevelsThanItsHeaderGives",
     .fileName = "short.dat",
     .header = "MS rules, 2 levels.\nNo level reached yet: <ini> has no section [short.dat].",
     .rows = {"1|Level 1|AAAB|101|||"},
     .warning = "Level 2 (offset 71): the file ends before this level; its header gives 2 "
                "levels."},
};

class SetDetailsTest : public ::testing::TestWithParam<SetDetailsCase> {};

TEST_P(SetDetailsTest, ShowsTheSetAndThePlayersStanding) {
    const auto& c = GetParam();
    test::TempFolder sets, score;
    auto set = test::numberedSet(3);
    set.levels[2].timeLimit = 0;
    sets.write("other.dat", test::writeLevelSet(set));
    set.lynx = true;
    sets.write("three.dat", test::writeLevelSet(set));
    set = test::numberedSet(1);
    set.countChange = 1; // its header gives two levels
    sets.write("short.dat", test::writeLevelSet(set));
    sets.write("notes.dat", "shopping list");
    sets.write("three.ccf",
               "\"" + fromPath(sets / "other.dat") + "\"\r\n\"2\"\r\n\"3\"\r\n\"x\"\r\n");
    score.write("tessaro.ini", "[three.dat]\r\nLevel1=AAAB,90,5900\r\nLevel2=AAAC\r\n"
                               "[three.ccf]\r\nLevel3=AAAD,1,110\r\n");
    auto details = readSetDetails({sets.str(), c.fileName, "", score.str()});
    auto expected = c.header;
    const std::pair<std::string, std::string> marks[] = {{"<ini>", fromPath(score / "tessaro.ini")},
                                                         {"<other>", fromPath(sets / "other.dat")}};
    for (const auto& [mark, path] : marks)
        for (auto at = expected.find(mark); at != std::string::npos; at = expected.find(mark))
            expected.replace(at, mark.size(), path);
    EXPECT_EQ(details.header, expected);
    EXPECT_EQ(rowTexts(details), c.rows);
    EXPECT_EQ(details.warning, c.warning);
}

INSTANTIATE_TEST_SUITE_P(, SetDetailsTest, ::testing::ValuesIn(kSetDetailsCases),
                         [](const auto& info) { return std::string(info.param.label); });

// A number beyond the set's levels is named; equal, not a number or no set read: no warning.
TEST(LastLevelWarning, NamesALastLevelBeyondTheSet) {
    EXPECT_EQ(lastLevelWarning(34, "144", "149"), "This set has 34 levels; the fake last level "
                                                  "144 and the real last level 149 are beyond it.");
    EXPECT_EQ(lastLevelWarning(34, "30", "149"),
              "This set has 34 levels; the real last level 149 is beyond it.");
    EXPECT_EQ(lastLevelWarning(34, "30", "34") + lastLevelWarning(34, "30", "abc") +
                  lastLevelWarning(std::nullopt, "144", "149"),
              "");
}

} // namespace
} // namespace tessaro
