#include "exe_creator/exepatch.h"
#include "gameexe.h"
#include "support/tempfolder.h"

#include <gtest/gtest.h>

namespace tessaro {
namespace {

// Every copy goes over OLD.EXE; whatever the outcome, no other file appears.
// (The EXE Creator's tests write copies that fit and one whose patch fails.)
TEST(ExePatch, NamesTooLongAreLeftAndAFailedCopyKeepsTheOldOne) {
    test::TempFolder folder;
    const auto original = test::makeGameExe();
    folder.write("CHIPS.EXE", original);
    std::filesystem::create_directory(folder / "DIR.EXE");
    const auto copy = [&](const char* from, const char* to) {
        folder.write("OLD.EXE", "an older copy");
        const auto outcome =
            writeRetargetedCopy(folder / from, folder / to, "NAME10.DAT", "twelve.chars", 1, 2);
        EXPECT_EQ(std::distance(std::filesystem::directory_iterator(folder.path()), {}), 3);
        return outcome;
    };
    EXPECT_EQ(copy("CHIPS.EXE", "OLD.EXE"), ExeCopyOutcome::Written);
    EXPECT_EQ(folder.read("OLD.EXE"), test::patched(original, 1, 2));
    EXPECT_EQ(copy("ABSENT.EXE", "OLD.EXE"), ExeCopyOutcome::CopyFailed);
    EXPECT_EQ(folder.read("OLD.EXE"), "an older copy");
    EXPECT_EQ(copy("CHIPS.EXE", "DIR.EXE"), ExeCopyOutcome::CopyFailed);
    EXPECT_TRUE(std::filesystem::is_empty(folder / "DIR.EXE"));
    EXPECT_EQ(folder.read("CHIPS.EXE"), original);
}

} // namespace
} // namespace tessaro
