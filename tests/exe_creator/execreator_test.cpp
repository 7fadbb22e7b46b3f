#include "exe_creator/execreator.h"
#include "support/memorysettings.h"
#include "support/scriptedplatform.h"

#include <gtest/gtest.h>

namespace tessaro {
namespace {

// Level checks come in order; a level that is not a number counts as 0.
TEST(ExeCreator, LevelChecksComeInOrderWithTheirFocus) {
    test::ScriptedPlatform platform;
    test::MemorySettings settings;
    ExeCreator creator{platform, settings};
    creator.originalExe = "C:\\CHIPS\\CHIPS.EXE"; // a level let through would ask for the new exe
    struct Case {
        std::string fakeLastLevel, realLastLevel, focus;
    };
    const Case cases[] = {
        {"", "", "lev144"},        {"144", "", "lev149"},    {"abc", "xyz", "lev144"},
        {"144", "xyz", "lev149"},  {"0", "149", "lev144"},   {"1000", "1000", "lev144"},
        {"999", "1000", "lev149"}, {"150", "149", "lev149"}, {"99999", "149", "lev144"},
    };
    for (const auto& c : cases) {
        creator.fakeLastLevel = c.fakeLastLevel;
        creator.realLastLevel = c.realLastLevel;
        platform.messages.clear();
        EXPECT_EQ(creator.ok(), c.focus) << c.fakeLastLevel << "/" << c.realLastLevel;
        ASSERT_EQ(platform.messages.size(), 1u);
        EXPECT_EQ(platform.messages[0].text, "Invalid level " + c.focus.substr(3));
    }
    EXPECT_TRUE(platform.dialogs.empty());
}

} // namespace
} // namespace tessaro
