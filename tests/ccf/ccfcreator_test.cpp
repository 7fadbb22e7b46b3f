#include "ccf/ccfcreator.h"
#include "support/scriptedplatform.h"
#include "support/tempfolder.h"

#include <gtest/gtest.h>

namespace tessaro {
namespace {

// The program folder is "prog", so a file written beside it would show.
class CcfCreatorTest : public ::testing::Test {
protected:
    test::TempFolder folder;
    const std::filesystem::path programFolder = folder.write("prog/keep", "").parent_path();
    test::ScriptedPlatform platform;
    CcfCreator creator{platform, programFolder};

    void expectRefused(const std::string& focus, const std::string& message) {
        EXPECT_EQ(creator.save(), CommandResult::refused(focus)) << message;
        EXPECT_EQ(platform.lastMessage(), box(message, MessageIcon::Exclamation));
    }
    static test::RecordedMessage box(const std::string& text, MessageIcon icon = {}) {
        return {text, "CCF File Creator", icon, MessageButtons::Ok};
    }
};

// Each check in turn, each field mended after it; then written in the game's code page.
TEST_F(CcfCreatorTest, SaveChecksInOrderThenWritesFourQuotedLines) {
    expectRefused("Text1", "Error - you didn't select a level set");
    creator.levelSetPath = "s.dat", creator.fakeLastLevel = "150", creator.realLastLevel = "abc";
    expectRefused("Text3", "Error - invalid level 149");
    creator.realLastLevel = "149";
    expectRefused("Text2", "Error - invalid level 144");
    creator.fakeLastLevel = "144";
    expectRefused("Combo1", "Error - you didn't type a name for this CCF file");
    for (const auto& [name, message] :
         {std::pair{"seventeen-ch.ccf1", "Error - CCF filename too long"},
          {"up\\x.ccf", "Error - the CCF filename cannot contain \"\\\", \"/\" or \"..\""},
          {"a:b.ccf", "Error - the CCF filename cannot contain \\ / : * ? \" < > | or control "
                      "characters, end in a space or a dot, or be a device name such as CON or "
                      "NUL"},
          {"Иван.ccf", "Error - the CCF filename holds letters the game cannot read"}}) {
        creator.ccfName = name;
        expectRefused("Combo1", message);
    }
    creator.ccfName = "ivan.ccf", creator.levelSetPath = "/Иван/s.dat";
    expectRefused("Text1", "Error - the level set's path holds letters the game cannot read; "
                           "choose a set in a folder whose path uses only the letters of Western "
                           "European languages");
    EXPECT_EQ(std::distance(std::filesystem::recursive_directory_iterator(folder.path()), {}), 2);

    platform.chooseFile("C:\\Café\\Don’t.dat", "Don’t.dat");
    creator.browse();
    EXPECT_EQ(platform.dialogs.back().title + "|" + platform.dialogs.back().filterOrPrompt,
              "Browse for level sets...|Chip's Challenge level sets (.dat, .ccl)|*.dat;*.ccl");
    creator.fakeLastLevel = "0144";       // kept as typed
    creator.realLastLevel = "144";        // equal levels are fine
    creator.ccfName = "éééééééééééé.ccf"; // the name counts characters
    EXPECT_EQ(creator.save(), CommandResult::succeeded());
    EXPECT_EQ(folder.read("prog/éééééééééééé.ccf"),
              "\"C:\\Caf\xE9\\Don\x92t.dat\"\r\n\"0144\"\r\n\"144\"\r\n"
              "\"\xE9\xE9\xE9\xE9\xE9\xE9\xE9\xE9\xE9\xE9\xE9\xE9.ccf\"\r\n");
    EXPECT_EQ(platform.lastMessage(), box("Your CCF file (éééééééééééé.ccf) has been created."));

    // Picking a file fills the three fields, quoted or not (trimmed, ending at a comma or line
    // end), even without a fourth line; with fewer they stay.
    folder.write("prog/three.ccf", "\"C:\\CHIPS\\SET.DAT\"\r\n 10 , 12\n");
    folder.write("prog/short.ccf", "\"C:\\OTHER.DAT\"\r\n\"144\"\r\n");
    creator.pick("three.ccf");
    creator.pick("short.ccf");
    EXPECT_EQ(creator.ccfName + "|" + creator.levelSetPath + "|" + creator.fakeLastLevel + "|" +
                  creator.realLastLevel,
              "short.ccf|C:\\CHIPS\\SET.DAT|10|12");
    EXPECT_EQ(platform.lastMessage().text, "Error - could not read the CCF file (short.ccf)");
}

} // namespace
} // namespace tessaro
