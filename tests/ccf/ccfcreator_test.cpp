#include "ccf/ccfcreator.h"
#include "support/scriptedplatform.h"
#include "support/tempfolder.h"

#include <gtest/gtest.h>

namespace tessaro {
namespace {

TEST(CcfFileList, ListsCcfFilesOfAnyCaseInTheMainListsOrder) {
    test::TempFolder folder;
    for (const auto* name : {"b.CCF", "ab.ccf", "a_b.ccf", "a.dat", "x.ccf.bak"})
        folder.write(name, "");
    std::filesystem::create_directory(folder / "dir.ccf");
    std::vector<std::string> expected{"a_b.ccf", "ab.ccf", "b.CCF"};
#ifndef _WIN32 // Windows names that differ only in case are one file.
    folder.write("AB.ccf", "");
    expected.insert(expected.begin() + 1, "AB.ccf");
#endif
    EXPECT_EQ(listCcfFiles(folder.path()), expected);
}

// The program folder is "prog" inside a temporary folder, so a file written
// beside it would show.
class CcfCreatorTest : public ::testing::Test {
protected:
    test::TempFolder folder;
    const std::filesystem::path programFolder = folder.write("prog/keep", "").parent_path();
    test::ScriptedPlatform platform;
    CcfCreator creator{platform, programFolder};
};

TEST_F(CcfCreatorTest, SaveChecksComeInOrderWithTheirFocus) {
    const std::string bad144 = "Error - invalid level 144",
                      badName = "Error - the CCF filename cannot contain \"\\\", \"/\" or \"..\"",
                      windowsName =
                          "Error - the CCF filename cannot contain \\ / : * ? \" < > | or "
                          "control characters, end in a space or a dot, or be a device "
                          "name such as CON or NUL";
    struct Case {
        std::string path, fake, real, name, message, focus;
    };
    for (const auto& c :
         {Case{"", "x", "x", "", "Error - you didn't select a level set", "Text1"},
          Case{"s.dat", "x", "x", "", bad144, "Text2"},
          Case{"s.dat", "144", "abc", "", "Error - invalid level 149", "Text3"},
          Case{"s.dat", "150", "149", "", bad144, "Text2"},
          Case{"s.dat", "144", "149", "", "Error - you didn't type a name for this CCF file",
               "Combo1"},
          Case{"s.dat", "144", "149", "seventeen-ch.ccf1", "Error - CCF filename too long",
               "Combo1"},
          Case{"s.dat", "144", "149", "up\\x.ccf", badName, "Combo1"},
          Case{"s.dat", "144", "149", "a:b.ccf", windowsName, "Combo1"},
          Case{"s.dat", "144", "149", "Иван.ccf",
               "Error - the CCF filename holds letters the game cannot read", "Combo1"},
          Case{"/Иван/s.dat", "144", "149", "ivan.ccf",
               "Error - the level set's path holds letters the game cannot read; choose a set "
               "in a folder whose path uses only the letters of Western European languages",
               "Text1"}}) {
        creator.levelSetPath = c.path;
        creator.fakeLastLevel = c.fake;
        creator.realLastLevel = c.real;
        creator.ccfName = c.name;
        EXPECT_EQ(creator.save(), CommandResult::refused(c.focus)) << c.message;
        EXPECT_EQ(platform.lastMessage(),
                  (test::RecordedMessage{c.message, "CCF File Creator", MessageIcon::Exclamation,
                                         MessageButtons::Ok}));
    }
    EXPECT_EQ(platform.messages.size(), 10u);
    // Only prog and prog/keep: nothing was written anywhere.
    EXPECT_EQ(std::distance(std::filesystem::recursive_directory_iterator(folder.path()), {}), 2);
}

TEST_F(CcfCreatorTest, SaveWritesFourQuotedLinesAndPickReadsThreeBack) {
    platform.chooseFile("C:\\Café\\Don’t.dat", "Don’t.dat");
    creator.browse();
    EXPECT_EQ(platform.dialogs[0].title + "|" + platform.dialogs[0].filterOrPrompt,
              "Browse for level sets...|Chip's Challenge level sets (.dat, .ccl)|*.dat;*.ccl");
    creator.fakeLastLevel = "0144";       // kept as typed
    creator.realLastLevel = "144";        // equal levels are fine
    creator.ccfName = "éééééééééééé.ccf"; // the name counts characters
    EXPECT_EQ(creator.save(), CommandResult::succeeded());
    // The fields are in the game's code page.
    EXPECT_EQ(folder.read("prog/éééééééééééé.ccf"),
              "\"C:\\Caf\xE9\\Don\x92t.dat\"\r\n\"0144\"\r\n\"144\"\r\n"
              "\"\xE9\xE9\xE9\xE9\xE9\xE9\xE9\xE9\xE9\xE9\xE9\xE9.ccf\"\r\n");
    EXPECT_EQ(platform.lastMessage(),
              (test::RecordedMessage{"Your CCF file (éééééééééééé.ccf) has been created.",
                                     "CCF File Creator", MessageIcon::None, MessageButtons::Ok}));

    // Picking a file fills the three fields even without a fourth line; with
    // too few fields they stay.
    folder.write("prog/three.ccf", "\"C:\\CHIPS\\SET.DAT\"\r\n\"10\"\r\n\"12\"\r\n");
    folder.write("prog/short.ccf", "\"C:\\OTHER.DAT\"\r\n\"144\"\r\n");
    creator.pick("three.ccf");
    creator.pick("short.ccf");
    EXPECT_EQ(creator.levelSetPath + "|" + creator.fakeLastLevel + "|" + creator.realLastLevel,
              "C:\\CHIPS\\SET.DAT|10|12");
    EXPECT_EQ(platform.lastMessage().text, "Error - could not read the CCF file (short.ccf)");
    // Saving after a pick writes the picked file again, now with four lines.
    creator.pick("three.ccf");
    EXPECT_TRUE(creator.save().done);
    EXPECT_EQ(folder.read("prog/three.ccf"),
              "\"C:\\CHIPS\\SET.DAT\"\r\n\"10\"\r\n\"12\"\r\n\"three.ccf\"\r\n");

    // A file that cannot be written is reported; nothing claims it was saved.
    std::filesystem::remove_all(programFolder);
    EXPECT_EQ(creator.save(), CommandResult::failed());
    EXPECT_EQ(platform.lastMessage().text,
              "Error - your CCF file (three.ccf) could not be written, so nothing was saved.");
}

} // namespace
} // namespace tessaro
