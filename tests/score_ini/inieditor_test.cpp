#include "score_ini/inieditor.h"
#include "support/scriptedplatform.h"
#include "support/tempfolder.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <sstream>

namespace tessaro {
namespace {

using Lines = std::vector<std::string>;
using Messages = std::vector<test::RecordedMessage>;

test::RecordedMessage box(const std::string& text, MessageIcon icon = MessageIcon::Exclamation,
                          const std::string& title = "INI File Editor") {
    return {text, title, icon, MessageButtons::Ok};
}

class IniEditorTest : public testing::Test {
protected:
    test::TempFolder folder;
    test::ScriptedPlatform platform;
    // Only the Wine prefix "/p" has a Windows folder: dialogs start there.
    IniEditor editor{platform,
                     {std::nullopt, "/p", "/home/u", [](auto& path) { return path[1] == 'p'; }}};

    void loadSet(const std::string& lines) {
        editor.iniFileName = folder.write("scores.ini", "[set.dat]\r\n" + lines).string();
        editor.setName = "set.dat";
        editor.getInfo();
    }

    Lines rows() const {
        Lines rows;
        for (std::size_t i = 0; i < editor.entryCount(); ++i)
            rows.push_back(editor.entryText(i));
        return rows;
    }
};

// The section's entries before and after an edit, "|" between them ("3=C,120,2160" is the
// line Level3=C,120,2160), the selected one in brackets; the answers to the edit's question.
struct EditCase {
    const char* name;
    const char* start;
    CommandResult (IniEditor::*edit)();
    std::vector<std::optional<std::string>> answers = {};
    const char* after;
    std::optional<test::RecordedMessage> message = {};
    const char* asks = nullptr; // the question's title and prompt
};

const auto kTime = box("Error - not a valid level time", MessageIcon::Information, "Tessaro");
const auto kPassword = box("Error - invalid password", MessageIcon::Information, "Tessaro");
using I = IniEditor;

// clang-format off
const EditCase kEditCases[] = {
    {.name = "ChangeTimeRescores", .start = "1=A|[3=C,120,2160]|4=", .edit = &I::changeTime, .answers = {"100"},
     .after = "1=A|[3=C,100,1960]|4=", .asks = "Enter New Time|Enter your new time for the level:"},
    {.name = "ChangeTimeRefusesANegativeTime", .start = "[3=C,120,2160]", .edit = &I::changeTime, .answers = {"-1"},
     .after = "[3=C,120,2160]", .message = kTime},
    {.name = "ChangeTimeCancelledIsRefused", .start = "[3=C,120,2160]", .edit = &I::changeTime, .answers = {std::nullopt},
     .after = "[3=C,120,2160]", .message = kTime},
    {.name = "ChangeTimeOfAnUnsolvedLevelKeepsIt", .start = "[1=A]", .edit = &I::changeTime, .answers = {"50"},
     .after = "[1=A]"},
    {.name = "ChangePassword", .start = "[3=C,120,2160]", .edit = &I::changePassword, .answers = {"W"},
     .after = "[3=W,120,2160]", .asks = "Enter New Password|Enter the new password (1-9 characters, 4 is preferred):"},
    {.name = "ChangePasswordRefusesTenCharacters", .start = "[3=C,120,2160]", .edit = &I::changePassword,
     .answers = {"ABCDEFGHIJ"}, .after = "[3=C,120,2160]", .message = kPassword},
    {.name = "ChangePasswordRefusesAnEqualsSign", .start = "[3=C,120,2160]", .edit = &I::changePassword,
     .answers = {"A=B"}, .after = "[3=C,120,2160]", .message = kPassword},
    {.name = "ChangePasswordOfAnEmptyEntry", .start = "[4=]", .edit = &I::changePassword, .answers = {"ABCDEFGHI"},
     .after = "[4=ABCDEFGHI]"},
    // The text after a second "=" moves with its value.
    {.name = "MoveUpRescoresBoth", .start = "1=A,100,1500|2=B=tail|[5=C,120,2160]", .edit = &I::moveUp,
     .after = "1=A,100,1500|[2=C,120,1840]|5=B=tail"},
    {.name = "MoveDownRescoresBoth", .start = "1=A,100,1500|[2=B]|5=C,120,2160", .edit = &I::moveDown,
     .after = "1=A,100,1500|2=C,120,1840|[5=B]"},
    {.name = "MoveUpTheFirst", .start = "[1=A]|2=B", .edit = &I::moveUp, .after = "[1=A]|2=B"},
    {.name = "MoveDownTheLast", .start = "1=A|[2=B]", .edit = &I::moveDown, .after = "1=A|[2=B]"},
    {.name = "InsertBeforeRenumbersEachFromItsOwnNumber", .start = "1=A|2=B|[5=C,120,2160]", .edit = &I::insertBefore,
     .after = "1=A|2=B|3=|[6=C,120,2480]"},
    {.name = "InsertAfter", .start = "[1=A]|2=B|5=C,120,2160", .edit = &I::insertAfter,
     .after = "[1=A]|2=|3=B|6=C,120,2480"},
    {.name = "InsertAfterTheLastNumbersByPosition", .start = "1=A|[5=C]", .edit = &I::insertAfter,
     .after = "1=A|[5=C]|3="},
    {.name = "InsertBeforeAtTheHighestNumber", .start = "[1=]|999=", .edit = &I::insertBefore,
     .after = "[1=]|999=", .message = box("Error - there are already 999 levels in this set")},
    {.name = "DeleteEntryRenumbersTheRest", .start = "[1=A]|2=B|5=C,120,2160", .edit = &I::deleteEntry,
     .after = "[1=B]|4=C,120,1840"},
    {.name = "DeleteTheLastSelectsNothing", .start = "1=A|2=B|[3=C]", .edit = &I::deleteEntry, .after = "1=A|2=B"},
    {.name = "DeleteWithNothingSelected", .start = "1=A|2=B", .edit = &I::deleteEntry, .after = "1=A|2=B"},
    {.name = "DeleteThatWouldRenumberToZero", .start = "[1=A]|1=B|2=C", .edit = &I::deleteEntry,
     .after = "[1=A]|1=B|2=C", .message = box("Error - deleting this entry would renumber Level001 to "
                                              "Level000. Levels must be numbered 1 to 999.")},
    {.name = "DeleteBesideAnEqualNumber", .start = "1=A|[1=B]|2=C", .edit = &I::deleteEntry,
     .after = "1=A|[1=C]"},
};
// clang-format on

class IniEdit : public IniEditorTest, public testing::WithParamInterface<EditCase> {};

// Values are rescored for the level of their new position; no edit makes a number outside 1 to
// 999, and a refused edit changes nothing.
TEST_P(IniEdit, ChangesTheList) {
    const auto& edit = GetParam();
    std::string lines;
    std::optional<std::size_t> selected;
    std::istringstream entries(edit.start);
    for (std::string text; std::getline(entries, text, '|'); lines += "Level" + text + "\r\n") {
        if (text.front() == '[') {
            selected = static_cast<std::size_t>(std::count(lines.begin(), lines.end(), '\n'));
            text = text.substr(1, text.size() - 2);
        }
    }
    loadSet(lines);
    editor.select(selected);
    platform.lineInputs.assign(edit.answers.begin(), edit.answers.end());
    const Lines before = rows();
    (editor.*edit.edit)();
    std::string after;
    for (std::size_t i = 0; i < editor.entryCount(); ++i) {
        const auto line = fileLine(editor.section()->levelEntries[i]).substr(5);
        after += (i ? "|" : "") + (editor.selection() == i ? "[" + line + "]" : line);
    }
    EXPECT_EQ(after, edit.after);
    EXPECT_EQ(editor.hasUnsavedChanges(), rows() != before);
    EXPECT_EQ(platform.messages, edit.message ? Messages{*edit.message} : Messages{});
    if (edit.asks) {
        EXPECT_EQ(platform.dialogs.at(0).title + "|" + platform.dialogs.at(0).filterOrPrompt,
                  edit.asks);
    }
}

INSTANTIATE_TEST_SUITE_P(IniEditor, IniEdit, testing::ValuesIn(kEditCases),
                         [](const auto& info) { return std::string(info.param.name); });

// Failed loads keep the set and the file Save writes to; failed writes are the fault table's.
TEST_F(IniEditorTest, GetInfoSaveAndCloseSayWhatWentWrong) {
    loadSet("Highest Level=1\r\nLevel1=AAAA\r\n");
    editor.select(0);
    editor.setName = "SET.DAT";
    editor.getInfo();
    editor.iniFileName = (folder / "absent.ini").string();
    editor.getInfo();
    editor.insertAfter();
    editor.save();
    editor.insertAfter();
    std::filesystem::remove(folder / "scores.ini");
    platform.answer(MessageAnswer::Yes); // the save fails: the window stays
    EXPECT_FALSE(editor.confirmClose().done);
    platform.answer(MessageAnswer::No);
    EXPECT_TRUE(editor.confirmClose().done);
    const auto notRead = box("Error - The INI file couldn't be read, saving could not continue.\n"
                             "Please use Save As if you would like to save these scores.");
    const test::RecordedMessage question{
        "Save changes to " + (folder / "scores.ini").string() + "?", "INI File Editor",
        MessageIcon::Question, MessageButtons::YesNoCancel};
    EXPECT_EQ(platform.messages,
              (std::vector{box("The specified level set couldn't be found in the INI file."),
                           box("The INI file couldn't be opened."), question, notRead, question}));

    // Save As still writes the edits, adding ".ini" to a bare name; Cancel does nothing.
    platform.cancelFileDialog();
    platform.chooseFile((folder / "copy").string(), "copy");
    editor.saveAs();
    editor.saveAs();
    EXPECT_EQ(folder.read("copy.ini"), "[set.dat]\r\nHighest Level=3\r\nCurrent "
                                       "Score=0\r\nLevel1=AAAA\r\nLevel2=\r\nLevel3=\r\n\r\n");
    const auto& dialog = platform.dialogs.back();
    EXPECT_EQ(dialog.title + "|" + dialog.filterOrPrompt + "|" + dialog.startFolderOrDefault,
              "Save To File|Chip's Challenge score files (.ini)|*.ini|/p/drive_c/windows");
    EXPECT_EQ(platform.messages.size(), 5u);
    EXPECT_FALSE(editor.hasUnsavedChanges());
}

} // namespace
} // namespace tessaro
