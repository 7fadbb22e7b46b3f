#include "common/safewriter.h"
#include "exe_creator/exepatch.h"
#include "gameexe.h"
#include "support/tempfolder.h"

#include <gtest/gtest.h>

namespace tessaro {
namespace {

using test::patched;

// Every copy goes over OLD.EXE; whatever the outcome, no other file appears.
TEST(ExePatch, RetargetedCopyIsWholeOrNotWrittenAtAll) {
    test::TempFolder folder;
    const auto original = test::makeGameExe();
    folder.write("CHIPS.EXE", original);
    std::filesystem::create_directory(folder / "DIR.EXE");
    const auto copy = [&](const char* from, const char* to, const char* dat, const char* ini,
                          std::int16_t fake, std::int16_t real) {
        folder.write("OLD.EXE", "an older copy");
        const auto outcome = writeRetargetedCopy(folder / from, folder / to, dat, ini, fake, real);
        EXPECT_EQ(folder.read("CHIPS.EXE"), original);
        EXPECT_EQ(std::distance(std::filesystem::directory_iterator(folder.path()), {}), 3);
        if (outcome != ExeCopyOutcome::Written) {
            EXPECT_EQ(folder.read("OLD.EXE"), "an older copy");
        }
        return outcome;
    };
    // Nine and eleven characters fill the fields, a shorter name is padded and
    // a longer one is not written at all.
    EXPECT_EQ(copy("CHIPS.EXE", "OLD.EXE", "NAME1.DAT", "mine.ini", 999, 999),
              ExeCopyOutcome::Written);
    EXPECT_EQ(folder.read("OLD.EXE"), patched(original, 999, 999, "NAME1.DAT", "mine.ini"));
    EXPECT_EQ(copy("CHIPS.EXE", "OLD.EXE", "A", "eleven.char", 1, 2), ExeCopyOutcome::Written);
    EXPECT_EQ(folder.read("OLD.EXE"), patched(original, 1, 2, "A", "eleven.char"));
    EXPECT_EQ(copy("CHIPS.EXE", "OLD.EXE", "NAME10.DAT", "twelve.chars", 144, 149),
              ExeCopyOutcome::Written);
    EXPECT_EQ(folder.read("OLD.EXE"), patched(original, 144, 149));

    EXPECT_EQ(copy("ABSENT.EXE", "OLD.EXE", "A", "a.ini", 1, 2), ExeCopyOutcome::CopyFailed);
    EXPECT_EQ(copy("CHIPS.EXE", "DIR.EXE", "A", "a.ini", 1, 2), ExeCopyOutcome::PatchFailed);
    EXPECT_TRUE(std::filesystem::is_empty(folder / "DIR.EXE"));
    ScopedWriteFailure failure(WriteStep::Write); // a disk that fills up part-way
    EXPECT_EQ(copy("CHIPS.EXE", "OLD.EXE", "A", "a.ini", 1, 2), ExeCopyOutcome::PatchFailed);
}

TEST(ExePatch, LevelsInPlaceChangeOnlyTheFiveLevelFields) {
    test::TempFolder folder;
    const auto original = test::makeGameExe();
    folder.write("CHIPS.EXE", original);
    EXPECT_TRUE(writeLevelsInPlace(folder / "CHIPS.EXE", 144, 149));
    EXPECT_EQ(folder.read("CHIPS.EXE"), patched(original, 144, 149));

    EXPECT_FALSE(writeLevelsInPlace(folder / "ABSENT.EXE", 144, 149));
    EXPECT_FALSE(std::filesystem::exists(folder / "ABSENT.EXE"));
    ScopedWriteFailure failure(WriteStep::Rename);
    EXPECT_FALSE(writeLevelsInPlace(folder / "CHIPS.EXE", 1, 2));
    EXPECT_EQ(folder.read("CHIPS.EXE"), patched(original, 144, 149));
}

} // namespace
} // namespace tessaro
