#include "levelset/levelsetfile.h"

#include "common/paths.h"
#include "support/levelsetwriter.h"
#include "support/tempfolder.h"

#include <gtest/gtest.h>

namespace tessaro {
namespace {

// What `tessaro FILE` takes for a level set. The folder holds "set.dat" (a set) and "notes.dat"
// (text); a CCF row's file names one of them.
struct PlayCase {
    const char* label;
    const char* name;
    std::string bytes;
    const char* notASet = nullptr; // the file named in the refusal
};

const std::string kSet = test::writeLevelSet(test::numberedSet(1));

std::string ccfFor(const char* set) {
    return std::string("\"{folder}/") + set + "\"\r\n\"144\"\r\n\"149\"\r\n\"a.ccf\"\r\n";
}

const PlayCase kPlayCases[] = {
    {.label = "SetWithoutExtension", .name = "set", .bytes = kSet},
    {.label = "TextNamedDat", .name = "text.dat", .bytes = "shopping list", .notASet = "text.dat"},
    {.label = "CcxByItsExtension", .name = "a.CCX", .bytes = "<levelset"},
    {.label = "CcfOfASet", .name = "a.ccf", .bytes = ccfFor("set.dat")},
    {.label = "CcfOfText", .name = "a.ccf", .bytes = ccfFor("notes.dat"), .notASet = "notes.dat"},
    {.label = "CcfOfAMissingSet", .name = "a.ccf", .bytes = ccfFor("missing.dat")},
};

class LevelSetToPlay : public testing::TestWithParam<PlayCase> {};

TEST_P(LevelSetToPlay, RefusesOnlyAFileWithoutASignature) {
    const auto& row = GetParam();
    test::TempFolder folder;
    folder.write("set.dat", kSet);
    folder.write("notes.dat", "shopping list");
    auto bytes = row.bytes;
    if (const auto at = bytes.find("{folder}"); at != std::string::npos)
        bytes.replace(at, 8, folder.str());
    const auto refused = notALevelSetFile(folder.write(row.name, bytes));
    if (row.notASet)
        EXPECT_EQ(refused, std::optional(folder / row.notASet));
    else
        EXPECT_EQ(refused, std::nullopt);
}

INSTANTIATE_TEST_SUITE_P(Table, LevelSetToPlay, testing::ValuesIn(kPlayCases),
                         [](const auto& info) { return std::string(info.param.label); });

} // namespace
} // namespace tessaro
