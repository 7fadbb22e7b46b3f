#include "exe_creator/exepatch.h"
#include "gameexe.h"
#include "support/tempfolder.h"

#include <gtest/gtest.h>

namespace tessaro {
namespace {

using test::makeGameExe;
using test::withLevels;

std::size_t filesIn(const std::filesystem::path& folder) {
    std::size_t count = 0;
    for ([[maybe_unused]] const auto& entry : std::filesystem::directory_iterator(folder))
        ++count;
    return count;
}

TEST(ExePatch, RetargetedCopyChangesOnlyTheNamedFields) {
    test::TempFolder folder;
    const auto original = makeGameExe();
    folder.write("CHIPS.EXE", original);

    ASSERT_EQ(writeRetargetedCopy(folder / "CHIPS.EXE", folder / "MINE.EXE", "NAME1.DAT",
                                  "mine.ini", 999, 999),
              ExeCopyOutcome::Written);

    auto expected = withLevels(original, 999, 999);
    expected.replace(19156, 9, "NAME1.DAT");    // nine characters fill the field
    expected.replace(19048, 11, "mine.ini   "); // padded with spaces to eleven
    EXPECT_EQ(folder.read("MINE.EXE"), expected);
    EXPECT_EQ(folder.read("MINE.EXE").substr(47900, 2), "\xE7\x03");
    EXPECT_EQ(folder.read("CHIPS.EXE"), original);
    EXPECT_EQ(filesIn(folder.path()), 2u); // no temporary file stays behind
}

TEST(ExePatch, NamesLongerThanTheirFieldsAreNotWritten) {
    test::TempFolder folder;
    const auto original = makeGameExe();
    folder.write("CHIPS.EXE", original);
    folder.write("OLD.EXE", "an older copy");

    ASSERT_EQ(writeRetargetedCopy(folder / "CHIPS.EXE", folder / "OLD.EXE", "NAME10.DAT",
                                  "twelve.chars", 144, 149),
              ExeCopyOutcome::Written);
    EXPECT_EQ(folder.read("OLD.EXE"), withLevels(original, 144, 149));

    ASSERT_EQ(
        writeRetargetedCopy(folder / "CHIPS.EXE", folder / "OLD.EXE", "A", "eleven.char", 1, 2),
        ExeCopyOutcome::Written);
    auto expected = withLevels(original, 1, 2);
    expected.replace(19156, 9, "A        ");
    expected.replace(19048, 11, "eleven.char");
    EXPECT_EQ(folder.read("OLD.EXE"), expected);
}

TEST(ExePatch, AFailedCopyLeavesTheNewPlaceAsItWas) {
    test::TempFolder folder;
    folder.write("OLD.EXE", "an older copy");

    EXPECT_EQ(
        writeRetargetedCopy(folder / "ABSENT.EXE", folder / "OLD.EXE", "A.DAT", "a.ini", 144, 149),
        ExeCopyOutcome::CopyFailed);
    EXPECT_EQ(folder.read("OLD.EXE"), "an older copy");

    folder.write("CHIPS.EXE", makeGameExe());
    EXPECT_EQ(writeRetargetedCopy(folder / "CHIPS.EXE", folder / "no-folder" / "NEW.EXE", "A.DAT",
                                  "a.ini", 144, 149),
              ExeCopyOutcome::CopyFailed);
    std::filesystem::create_directory(folder / "DIR.EXE");
    EXPECT_EQ(
        writeRetargetedCopy(folder / "CHIPS.EXE", folder / "DIR.EXE", "A.DAT", "a.ini", 144, 149),
        ExeCopyOutcome::CopyFailed);
    EXPECT_TRUE(std::filesystem::is_empty(folder / "DIR.EXE"));
    EXPECT_EQ(filesIn(folder.path()), 3u); // OLD.EXE, CHIPS.EXE, DIR.EXE
}

#ifdef __unix__
TEST(ExePatch, ACopyThatCannotBePatchedIsNotLeftBehind) {
    test::TempFolder folder;
    // Too short to hold the level fields: patching must grow the copy, which
    // the limit forbids.
    folder.write("SHORT.EXE", makeGameExe(30000));
    folder.write("OLD.EXE", "an older copy");
    {
        test::FileSizeLimit limit(40000);
        EXPECT_EQ(writeRetargetedCopy(folder / "SHORT.EXE", folder / "OLD.EXE", "A.DAT", "a.ini",
                                      144, 149),
                  ExeCopyOutcome::PatchFailed);
    }
    EXPECT_EQ(folder.read("OLD.EXE"), "an older copy");
    EXPECT_EQ(filesIn(folder.path()), 2u);
}
#endif

TEST(ExePatch, LevelsInPlaceChangeOnlyTheFiveLevelFields) {
    test::TempFolder folder;
    const auto original = makeGameExe();
    folder.write("CHIPS.EXE", original);

    EXPECT_TRUE(writeLevelsInPlace(folder / "CHIPS.EXE", 144, 149));
    EXPECT_EQ(folder.read("CHIPS.EXE"), withLevels(original, 144, 149));
    EXPECT_EQ(folder.read("CHIPS.EXE").substr(37305, 9),
              std::string("\x90\x00", 2) + original.substr(37307, 5) + std::string("\x95\x00", 2));

    EXPECT_FALSE(writeLevelsInPlace(folder / "ABSENT.EXE", 144, 149));
    EXPECT_FALSE(std::filesystem::exists(folder / "ABSENT.EXE"));
}

} // namespace
} // namespace tessaro
