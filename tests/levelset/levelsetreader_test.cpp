#include "levelset/levelsetcheck.h"
#include "levelset/levelsetreader.h"
#include "support/levelsetwriter.h"

#include <gtest/gtest.h>

#include <functional>
#include <ostream>

namespace tessaro {

void PrintTo(const LevelSetProblem& p, std::ostream* out) {
    *out << "{" << p.level << ", " << p.offset << ", " << p.problem << "}";
}

namespace {

using test::numberedSet;
using test::WrittenSet;

// One level written by numberedSet is 65 bytes from offset 6: its number at 8, the fields' size at
// 52, the title field at 54 and the password at 64.
struct CheckCase {
    const char* label;
    std::function<void(WrittenSet&)> change;
    int levels = 1;
    std::vector<LevelSetProblem> problems{};
};

using S = WrittenSet&;

// clang-format off
const CheckCase kCheckCases[] = {
    {.label = "NineHundredNinetyNineLevels", .change = [](S) {}, .levels = 999},
    {.label = "TitleWithoutNul", .change = [](S s) { s.levels[0].titleNul = false; },
     .problems = {{1, 54, "the title does not end in a NUL"}}},
    {.label = "ThreeLetterPassword", .change = [](S s) { s.levels[0].password = "ABC"; },
     .problems = {{1, 64, "the password \"ABC\" is not 4 letters A to Z"}}},
    {.label = "SizePastTheFileEnd", .change = [](S s) { s.levels[0].sizeChange = 1; },
     .problems = {{1, 6, "the level's size points past the end of the file"}}},
    {.label = "LevelCountLargerThanTheLevels", .change = [](S s) { s.countChange = 2; },
     .problems = {{2, 71, "the file ends before this level; its header gives 3 levels"}}},
    // The level ends inside its password: the rest of it is left after the set.
    {.label = "LevelSizeShortOfItsFields", .change = [](S s) { s.levels[0].sizeChange = -2; },
     .problems = {{1, 6, "the level has no password"},
                  {1, 52, "the optional fields' size (17) disagrees with the level's remaining 15 bytes"},
                  {1, 64, "field 6's length points past the level's end"},
                  {2, 69, "the file goes on after the last of the 1 levels its header gives"}}},
    {.label = "NumberOutOfOrder", .change = [](S s) { s.levels[0].number = 5; },
     .problems = {{1, 8, "the level's number 5 is out of order (expected 1)"}}},
    {.label = "TwoLevelsWithOneNumber", .change = [](S s) { s.levels[1].number = 1; }, .levels = 2,
     .problems = {{2, 73, "the level's number 1 is also level 1's"}}},
    {.label = "TwoLevelsWithOnePassword", .change = [](S s) { s.levels[1].password = "AAAB"; }, .levels = 2,
     .problems = {{2, 129, "the password AAAB is also level 1's"}}},
};
// clang-format on

class LevelSetCheck : public testing::TestWithParam<CheckCase> {};

TEST_P(LevelSetCheck, NamesEachProblemsLevelAndOffset) {
    auto set = numberedSet(GetParam().levels);
    GetParam().change(set);
    const auto read = parseLevelSet(test::writeLevelSet(set));
    ASSERT_TRUE(read.ok()) << read.error().problem;
    EXPECT_EQ(checkLevelSet(*read), GetParam().problems);
}

INSTANTIATE_TEST_SUITE_P(Table, LevelSetCheck, testing::ValuesIn(kCheckCases),
                         [](const auto& info) { return std::string(info.param.label); });

TEST(LevelSetReader, ReadsEveryLevelTheWriterWrote) {
    auto set = numberedSet(149);
    set.lynx = true;
    set.levels[148].hint = "Push the block";
    set.levels[148].uncodedPassword = true;
    const auto read = parseLevelSet(test::writeLevelSet(set));
    ASSERT_TRUE(read.ok());
    EXPECT_EQ(read->ruleset, Ruleset::Lynx);
    ASSERT_EQ(read->levels.size(), 149u);
    for (std::size_t i = 0; i < 149; ++i) {
        const auto& [was, is] = std::tie(set.levels[i], read->levels[i]);
        EXPECT_EQ(std::tie(is.timeLimit, is.chipsRequired, is.title, is.password, is.hint),
                  std::tie(was.timeLimit, was.chipsRequired, was.title, was.password, was.hint));
        EXPECT_EQ(is.number, i + 1);
    }
}

// Its message is the command line's test's (tests/packaging/commandline.cmake).
TEST(LevelSetReader, RefusesWhatIsNoLevelSet) {
    EXPECT_EQ(parseLevelSet(std::string("\xAC\xAA\x02\x01", 4)).error(),
              ReadError::atOffset(4, "the file ends before its number of levels"));
}

} // namespace
} // namespace tessaro
