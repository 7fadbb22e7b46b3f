#include "common/paths.h"
#include "levelset/ccffile.h"
#include "score_ini/inieditor.h"
#include "support/levelsetwriter.h"
#include "support/scriptedplatform.h"
#include "support/tempfolder.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <sstream>

namespace tessaro {
namespace {

using Messages = std::vector<test::RecordedMessage>;

test::RecordedMessage box(const std::string& text, MessageIcon icon = MessageIcon::Exclamation,
                          const std::string& title = "INI File Editor") {
    return {text, title, icon, MessageButtons::Ok};
}
test::RecordedMessage ask(const std::string& text) {
    return {text, "INI File Editor", MessageIcon::Question, MessageButtons::YesNoCancel};
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

    // The entries as their file lines without "Level", joined by "|", the selected one in brackets.
    std::string entries(bool showSelection = true) const {
        std::string text;
        for (std::size_t i = 0; i < editor.entryCount(); ++i) {
            const auto line = fileLine(editor.section()->levelEntries[i]).substr(5);
            const bool selected = showSelection && editor.selection() == i;
            text += (i ? "|" : "") + (selected ? "[" + line + "]" : line);
        }
        return text;
    }
};

// The section's entries before and after an edit, "|" between them ("3=C,120,2160" is the line
// Level3=C,120,2160), the selected one in brackets; the answers to the edit's question.
struct EditCase {
    const char *name, *start;
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
    {.name = "ChangeTimeCancelledIsRefused", .start = "[3=C,120,2160]", .edit = &I::changeTime, .answers = {std::nullopt},
     .after = "[3=C,120,2160]", .message = kTime},
    {.name = "ChangeTimeOfAnUnsolvedLevel", .start = "[1=A]", .edit = &I::changeTime, .answers = {"50"}, .after = "[1=A]"},
    {.name = "ChangePassword", .start = "[3=C,120,2160]", .edit = &I::changePassword, .answers = {"W"},
     .after = "[3=W,120,2160]", .asks = "Enter New Password|Enter the new password (1-9 characters, 4 is preferred):"},
    {.name = "ChangePasswordRefusesTenCharacters", .start = "[3=C]", .edit = &I::changePassword, .answers = {"ABCDEFGHIJ"},
     .after = "[3=C]", .message = kPassword},
    {.name = "ChangePasswordRefusesAnEqualsSign", .start = "[3=C]", .edit = &I::changePassword, .answers = {"A=B"},
     .after = "[3=C]", .message = kPassword},
    {.name = "ChangePasswordOfAnEmptyEntry", .start = "[4=]", .edit = &I::changePassword, .answers = {"ABCDEFGHI"},
     .after = "[4=ABCDEFGHI]"},
    // The text after a second "=" moves with its value.
    {.name = "MoveUpRescoresBoth", .start = "1=A,100,1500|2=B=tail|[5=C,120,2160]", .edit = &I::moveUp,
     .after = "1=A,100,1500|[2=C,120,1840]|5=B=tail"},
    {.name = "MoveDownRescoresBoth", .start = "1=A|[2=B]|5=C,120,2160", .edit = &I::moveDown,
     .after = "1=A|2=C,120,1840|[5=B]"},
    {.name = "MoveUpTheFirst", .start = "[1=A]|2=B", .edit = &I::moveUp, .after = "[1=A]|2=B"},
    {.name = "MoveDownTheLast", .start = "1=A|[2=B]", .edit = &I::moveDown, .after = "1=A|[2=B]"},
    {.name = "InsertBeforeRenumbersEachFromItsOwnNumber", .start = "1=A|2=B|[5=C,120,2160]", .edit = &I::insertBefore,
     .after = "1=A|2=B|3=|[6=C,120,2480]"},
    {.name = "InsertAfter", .start = "[1=A]|2=B|5=C,120,2160", .edit = &I::insertAfter,
     .after = "[1=A]|2=|3=B|6=C,120,2480"},
    {.name = "InsertAfterTheLastNumbersByPosition", .start = "1=A|[5=C]", .edit = &I::insertAfter, .after = "1=A|[5=C]|3="},
    {.name = "InsertBeforeAtTheHighestNumber", .start = "[1=]|999=", .edit = &I::insertBefore, .after = "[1=]|999=",
     .message = box("Error - there are already 999 levels in this set")},
    {.name = "DeleteEntryRenumbersTheRest", .start = "[1=A]|2=B|5=C,120,2160", .edit = &I::deleteEntry,
     .after = "[1=B]|4=C,120,1840"},
    {.name = "DeleteTheLastSelectsNothing", .start = "1=A|2=B|[3=C]", .edit = &I::deleteEntry, .after = "1=A|2=B"},
    {.name = "DeleteWithNothingSelected", .start = "1=A|2=B", .edit = &I::deleteEntry, .after = "1=A|2=B"},
    {.name = "DeleteThatWouldRenumberToZero", .start = "[1=A]|1=B|2=C", .edit = &I::deleteEntry, .after = "[1=A]|1=B|2=C",
     .message = box("Error - deleting this entry would renumber Level001 to Level000. Levels must be numbered 1 to 999.")},
    {.name = "DeleteBesideAnEqualNumber", .start = "1=A|[1=B]|2=C", .edit = &I::deleteEntry, .after = "1=A|[1=C]"},
};
// clang-format on

class IniEdit : public IniEditorTest, public testing::WithParamInterface<EditCase> {};

// Values are rescored for the level of their new position; no edit makes a number outside 1 to 999,
// and a refused edit changes nothing.
TEST_P(IniEdit, ChangesTheList) {
    const auto& edit = GetParam();
    std::string lines;
    std::optional<std::size_t> selected;
    std::istringstream given(edit.start);
    for (std::string text; std::getline(given, text, '|'); lines += "Level" + text + "\r\n") {
        if (text.front() == '[') {
            selected = static_cast<std::size_t>(std::count(lines.begin(), lines.end(), '\n'));
            text = text.substr(1, text.size() - 2);
        }
    }
    loadSet(lines);
    editor.select(selected);
    platform.lineInputs.assign(edit.answers.begin(), edit.answers.end());
    const auto before = entries(false);
    (editor.*edit.edit)();
    EXPECT_EQ(entries(), edit.after);
    EXPECT_EQ(editor.hasUnsavedChanges(), entries(false) != before);
    EXPECT_EQ(platform.messages, edit.message ? Messages{*edit.message} : Messages{});
    if (edit.asks) {
        EXPECT_EQ(platform.dialogs.at(0).title + "|" + platform.dialogs.at(0).filterOrPrompt,
                  edit.asks);
    }
}

INSTANTIATE_TEST_SUITE_P(IniEditor, IniEdit, testing::ValuesIn(kEditCases),
                         [](const auto& info) { return std::string(info.param.name); });

// Failed loads keep the set and the file Save writes to; failed writes are the fault table's. Get
// Info and close ask before they drop edits.
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
    platform.answer(MessageAnswer::Cancel); // Get Info asks before it drops the edits
    EXPECT_FALSE(editor.getInfo().done);
    std::filesystem::remove(folder / "scores.ini");
    platform.answer(MessageAnswer::Yes); // the save fails: the window stays
    EXPECT_FALSE(editor.confirmClose().done);
    platform.answer(MessageAnswer::No);
    EXPECT_TRUE(editor.confirmClose().done);
    const auto notRead = box("Error - The INI file couldn't be read, saving could not continue.\n"
                             "Please use Save As if you would like to save these scores.");
    const auto question = ask("Save changes to " + (folder / "scores.ini").string() + "?");
    EXPECT_EQ(platform.messages,
              (std::vector{box("The specified level set couldn't be found in the INI file."),
                           box("The INI file couldn't be opened."), question, question, notRead,
                           question}));

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
    EXPECT_EQ(platform.messages.size(), 6u);
    EXPECT_FALSE(editor.hasUnsavedChanges());
}

// The game writes the score file while the editor has "[set.dat]|Current Level=1|Level1=AAAA|
// Level2=BBBB" ("|" for a line break): the game's file, the edit of level 1 (password "WXYZ"), the
// answer to the question (none: not asked), the file after Save (null: the game's) and the list.
struct GameCase {
    const char *name, *game;
    CommandResult (IniEditor::*edit)() = nullptr;
    std::optional<MessageAnswer> answer = {};
    const char *file, *list;
    const char* changed = "levels 2 and 3"; // as the question names them
    CommandResult (IniEditor::*save)() = &IniEditor::save;
};

// clang-format off
constexpr const char* kPlayed = "[set.dat]|Current Level=3|Level1=AAAA|Level2=PQRS,15,700|Level3=JKLM,20,800";
constexpr const char* kSolved1 = "[set.dat]|Current Level=2|Level1=AAAA,50,1000|Level2=BBBB";
constexpr const char* kAdded4 = "[set.dat]|Current Level=1|Level1=AAAA|Level2=BBBB|Level4=DDDD,9,90";
constexpr const char* kBoth =
    "[set.dat]|Current Level=3|Current Score=1500|Level1=WXYZ|Level2=PQRS,15,700|Level3=JKLM,20,800";
constexpr const char* kBothList = "1=WXYZ|2=PQRS,15,700|3=JKLM,20,800";

const GameCase kGameCases[] = {
    {.name = "OtherLevelsKeepBoth", .game = kPlayed, .edit = &I::changePassword, .file = kBoth, .list = kBothList},
    {.name = "SaveAsOntoTheLoadedFileSaves", .game = kPlayed, .edit = &I::changePassword, .file = kBoth, .list = kBothList,
     .save = &I::saveAs},
    {.name = "NoEditsShowsTheFile", .game = kPlayed, .file = nullptr, .list = "1=AAAA|2=PQRS,15,700|3=JKLM,20,800"},
    {.name = "SameLevelYesSavesTheEdits", .game = kSolved1, .edit = &I::changePassword, .answer = MessageAnswer::Yes,
     .file = "[set.dat]|Current Level=2|Current Score=0|Level1=WXYZ|Level2=BBBB", .list = "[1=WXYZ]|2=BBBB",
     .changed = "level 1"},
    {.name = "SameLevelNoShowsTheFile", .game = kSolved1, .edit = &I::changePassword, .answer = MessageAnswer::No,
     .file = nullptr, .list = "1=AAAA,50,1000|2=BBBB", .changed = "level 1"},
    {.name = "SameLevelCancelKeepsAll", .game = kSolved1, .edit = &I::changePassword, .answer = MessageAnswer::Cancel,
     .file = nullptr, .list = "[1=WXYZ]|2=BBBB", .changed = "level 1"},
    // The game saved only a level the insert leaves alone: renumbering asks all the same.
    {.name = "InsertAsks", .game = kAdded4, .edit = &I::insertAfter, .answer = MessageAnswer::Cancel, .file = nullptr,
     .list = "[1=AAAA]|2=|3=BBBB", .changed = "level 4"},
};
// clang-format on

class GameSaves : public IniEditorTest, public testing::WithParamInterface<GameCase> {};

TEST_P(GameSaves, SaveKeepsWhatTheGameWrote) {
    const auto& game = GetParam();
    const auto lines = [](std::string text) {
        for (auto at = text.find('|'); at != std::string::npos; at = text.find('|', at))
            text.replace(at, 1, "\r\n");
        return text + "\r\n";
    };
    loadSet("Current Level=1\r\nLevel1=AAAA\r\nLevel2=BBBB\r\n");
    folder.write("scores.ini", lines(game.game));
    editor.select(0);
    platform.lineInputs = {"WXYZ"};
    if (game.edit)
        (editor.*game.edit)();
    if (game.answer)
        platform.answer(*game.answer);
    platform.chooseFile(editor.iniFileName, "scores.ini");
    (editor.*game.save)();
    EXPECT_EQ(folder.read("scores.ini"), lines(game.file ? game.file : game.game));
    EXPECT_EQ(entries(), game.list);
    const auto question = ask("The game has saved new scores for set.dat since you loaded it (" +
                              std::string(game.changed) + "). Save your edits over them?");
    EXPECT_EQ(platform.messages, game.answer ? Messages{question} : Messages{});
    EXPECT_EQ(editor.hasUnsavedChanges(), game.answer == MessageAnswer::Cancel);
}

INSTANTIATE_TEST_SUITE_P(IniEditor, GameSaves, testing::ValuesIn(kGameCases),
                         [](const auto& info) { return std::string(info.param.name); });

// Where Get Info finds the set a section is named after ("main/" is the main window's folder, the
// score file is in the test's folder), and the titles shown for Level1 and Level2.
struct TitleCase {
    const char *name, *setName, *setFile, *titles;
};

// clang-format off
const TitleCase kTitleCases[] = {
    {.name = "InTheMainFolder", .setName = "set.dat", .setFile = "main/set.dat", .titles = "Level 1|Level 2"},
    {.name = "BesideTheScoreFile", .setName = "set.dat", .setFile = "set.dat", .titles = "Level 1|Level 2"},
    {.name = "NamedByTheCcfFile", .setName = "play.ccf", .setFile = "main/sets/x.dat", .titles = "Level 1|Level 2"},
    {.name = "NotFound", .setName = "set.dat", .setFile = "other/set.dat", .titles = "|"},
};
// clang-format on

class LevelTitles : public IniEditorTest, public testing::WithParamInterface<TitleCase> {};

TEST_P(LevelTitles, AreKeptApartFromTheEntries) {
    folder.write(GetParam().setFile, test::writeLevelSet(test::numberedSet(2)));
    folder.write("main/play.ccf", formatCcfFile("sets/x.dat", "0", "0", "play"));
    IniEditor titled{platform, {}, [this] { return fromPath(folder / "main"); }};
    titled.setName = GetParam().setName;
    titled.iniFileName = fromPath(
        folder.write("scores.ini", "[" + titled.setName + "]\r\nLevel2=BBBB\r\nLevel1=AAAA\r\n"));
    titled.getInfo();
    EXPECT_EQ(titled.levelTitle(0) + "|" + titled.levelTitle(1), GetParam().titles);
    EXPECT_EQ(titled.entryText(0), "Level001=AAAA");
}

INSTANTIATE_TEST_SUITE_P(IniEditor, LevelTitles, testing::ValuesIn(kTitleCases),
                         [](const auto& info) { return std::string(info.param.name); });

} // namespace
} // namespace tessaro
