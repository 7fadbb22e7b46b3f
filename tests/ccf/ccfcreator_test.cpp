#include "ccf/ccfcreator.h"
#include "support/scriptedplatform.h"
#include "support/tempfolder.h"

#include <fstream>
#include <gtest/gtest.h>
#include <iterator>

namespace tessaro {
namespace {

using test::RecordedMessage;

RecordedMessage refusal(const std::string& text) {
    return {text, "CCF File Creator", MessageIcon::Exclamation, MessageButtons::Ok};
}

std::string readFixture(const std::string& name) {
    std::ifstream in(std::string(TESSARO_TEST_DATA) + "/ccf/" + name, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), {}};
}

TEST(CcfFileList, ListsCcfFilesOfAnyCaseSortedWithoutRegardToCase) {
    test::TempFolder folder;
    for (const auto* name : {"b.ccf", "A.CCF", "c.Ccf", "a.dat", "ccf", "x.ccf.bak"})
        folder.write(name, "");
    std::filesystem::create_directory(folder / "dir.ccf");
    EXPECT_EQ(listCcfFiles(folder.path()), (std::vector<std::string>{"A.CCF", "b.ccf", "c.Ccf"}));
    EXPECT_TRUE(listCcfFiles(folder / "absent").empty());
}

// The program folder is "prog" inside a temporary folder, so a file written
// beside it would show.
class CcfCreatorTest : public ::testing::Test {
protected:
    test::TempFolder folder;
    const std::filesystem::path programFolder = folder.write("prog/keep", "").parent_path();
    test::ScriptedPlatform platform;
    CcfCreator creator{platform, programFolder};

    std::string read(const std::string& name) const { return folder.read("prog/" + name); }
    std::size_t filesAround() const {
        std::size_t count = 0;
        for ([[maybe_unused]] const auto& entry :
             std::filesystem::recursive_directory_iterator(folder.path()))
            ++count;
        return count;
    }
};

TEST_F(CcfCreatorTest, SaveChecksComeInOrderWithTheirFocus) {
    struct Case {
        std::string text1, text2, text3, combo1, message, focus;
    };
    const Case cases[] = {
        {"", "x", "x", "", "Error - you didn't select a level set", "Text1"},
        {"s.dat", "x", "x", "", "Error - invalid level 144", "Text2"},
        {"s.dat", "", "149", "", "Error - invalid level 144", "Text2"},
        {"s.dat", "144", "abc", "", "Error - invalid level 149", "Text3"},
        {"s.dat", "150", "149", "", "Error - invalid level 144", "Text2"},
        {"s.dat", "0", "149", "", "Error - invalid level 144", "Text2"},
        {"s.dat", "144", "149", "", "Error - you didn't type a name for this CCF file", "Combo1"},
        {"s.dat", "144", "149", "seventeen-ch.ccf1", "Error - CCF filename too long", "Combo1"},
        {"s.dat", "144", "149", "..\\up.ccf",
         "Error - the CCF filename cannot contain \"\\\", \"/\" or \"..\"", "Combo1"},
        {"s.dat", "144", "149", "sub/x.ccf",
         "Error - the CCF filename cannot contain \"\\\", \"/\" or \"..\"", "Combo1"},
        {"s.dat", "144", "149", "..",
         "Error - the CCF filename cannot contain \"\\\", \"/\" or \"..\"", "Combo1"},
    };
    for (const auto& c : cases) {
        creator.text1 = c.text1;
        creator.text2 = c.text2;
        creator.text3 = c.text3;
        creator.combo1 = c.combo1;
        platform.messages.clear();
        const auto result = creator.save();
        EXPECT_EQ(result.focus, c.focus) << c.message;
        EXPECT_FALSE(result.saved);
        ASSERT_EQ(platform.messages.size(), 1u);
        EXPECT_EQ(platform.messages[0], refusal(c.message));
    }
    EXPECT_EQ(filesAround(), 2u); // prog and prog/keep: nothing written anywhere
}

TEST_F(CcfCreatorTest, SaveWritesFourQuotedLinesAndConfirms) {
    creator.text1 = "C:\\CHIPS\\SET.DAT";
    creator.text2 = "0144"; // kept as typed
    creator.text3 = "144";  // equal levels are fine
    creator.combo1 = "sixteen-char.ccf";
    const auto result = creator.save();
    EXPECT_TRUE(result.saved);
    EXPECT_EQ(result.focus, "");
    EXPECT_EQ(platform.lastMessage(),
              (RecordedMessage{"Your CCF file (sixteen-char.ccf) has been created.",
                               "CCF File Creator", MessageIcon::None, MessageButtons::Ok}));
    EXPECT_EQ(read("sixteen-char.ccf"),
              "\"C:\\CHIPS\\SET.DAT\"\r\n\"0144\"\r\n\"144\"\r\n\"sixteen-char.ccf\"\r\n");

    // The same name again replaces the file without a question; a name
    // without ".ccf" is saved as typed.
    creator.text3 = "149";
    EXPECT_TRUE(creator.save().saved);
    EXPECT_EQ(read("sixteen-char.ccf"),
              "\"C:\\CHIPS\\SET.DAT\"\r\n\"0144\"\r\n\"149\"\r\n\"sixteen-char.ccf\"\r\n");
    creator.combo1 = "plain";
    EXPECT_TRUE(creator.save().saved);
    EXPECT_NE(read("plain"), "<missing>");
    EXPECT_EQ(platform.unscriptedQuestions, 0);
}

TEST_F(CcfCreatorTest, PickingACcfFileFillsTheThreeFields) {
    folder.write("prog/three.ccf", readFixture("missing-fourth-line.ccf"));
    folder.write("prog/short.ccf", readFixture("two-lines.ccf"));
    folder.write("prog/full.ccf",
                 "\"D:\\SETS\\CCLP2.DAT\"\r\n\"144\"\r\n\"149\"\r\n\"full.ccf\"\r\n");
    CcfCreator reopened(platform, programFolder);
    EXPECT_EQ(reopened.ccfNames(),
              (std::vector<std::string>{"full.ccf", "short.ccf", "three.ccf"}));

    reopened.pick("three.ccf");
    EXPECT_EQ(reopened.combo1, "three.ccf");
    EXPECT_EQ(reopened.text1, "C:\\CHIPS\\LEVELS\\SET.DAT");
    EXPECT_EQ(reopened.text2, "10");
    EXPECT_EQ(reopened.text3, "12");
    EXPECT_TRUE(platform.messages.empty());

    // Too few fields, or a file gone since the window opened: the player is
    // told and the fields stay.
    for (const auto* name : {"short.ccf", "vanished.ccf"}) {
        reopened.pick(name);
        EXPECT_EQ(reopened.text1, "C:\\CHIPS\\LEVELS\\SET.DAT");
        EXPECT_EQ(reopened.text2, "10");
        EXPECT_EQ(platform.lastMessage(),
                  refusal("Error - could not read the CCF file (" + std::string(name) + ")"));
    }

    // Saving after a pick writes the same file again.
    reopened.pick("full.ccf");
    EXPECT_TRUE(reopened.save().saved);
    EXPECT_EQ(read("full.ccf"),
              "\"D:\\SETS\\CCLP2.DAT\"\r\n\"144\"\r\n\"149\"\r\n\"full.ccf\"\r\n");
}

} // namespace
} // namespace tessaro
