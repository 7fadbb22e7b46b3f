#include "ccx/ccxeditor.h"
#include "support/levelsetwriter.h"
#include "support/scriptedplatform.h"
#include "support/tempfolder.h"

#include <gtest/gtest.h>

namespace tessaro {
namespace {

// A set beside a new three-level "set.ccx": the count New offers, then levels 1 to 4
// and the last message after Import Titles from the set, answered Yes.
struct SetCase {
    const char *label, *name;
    test::WrittenSet set;
    const char *offered, *titles;
    const char* said = "Overwrite any existing titles?";
};

constexpr const char* kDamaged = "\" is a damaged level set: level 1 (offset 6): the file ends "
                                 "before this level; its header gives 1 levels. No titles were "
                                 "imported.";

const SetCase kSetCases[] = {
    {"OtherCaseBeside", "SET.DAT", test::numberedSet(2), "2", "Level 1|Level 2||"},
    {"OtherName", "sets.ccl", test::numberedSet(4), "", "Level 1|Level 2|Level 3|Level 4"},
    {"ByNumber", "set.ccl", {.levels = {{.number = 2, .title = "B"}}}, "1", "|B||"},
    {"Stop1000", "x.dat", {.levels = {{.number = 1000}, {.number = 1, .title = "A"}}}, "", "|||"},
    {"Damaged", "set.dat", {.countChange = 1}, "", "|||", kDamaged},
};

class CcxLevelSet : public testing::TestWithParam<SetCase> {};

TEST_P(CcxLevelSet, NewOffersItsCountAndImportTakesItsTitles) {
    test::TempFolder folder;
    test::ScriptedPlatform platform;
    CcxEditor editor{platform};
    const auto& c = GetParam();
    platform.fileChoices = {
        FileChoice{fromPath(folder / "set.ccx"), {}},
        FileChoice{fromPath(folder.write(c.name, test::writeLevelSet(c.set))), {}}};
    platform.lineInputs = {"3"};
    platform.answers = {MessageAnswer::Yes};
    editor.newFile();
    EXPECT_EQ(platform.dialogs.back().startFolderOrDefault, c.offered);
    editor.importTitles();
    const auto title = [&editor](int level) { return editor.document().level(level).title; };
    EXPECT_EQ(title(1) + "|" + title(2) + "|" + title(3) + "|" + title(4), c.titles);
    EXPECT_TRUE(platform.lastMessage().text.ends_with(c.said)) << platform.lastMessage().text;
}

INSTANTIATE_TEST_SUITE_P(CcxEditor, CcxLevelSet, testing::ValuesIn(kSetCases),
                         [](const auto& info) { return std::string(info.param.label); });

} // namespace
} // namespace tessaro
