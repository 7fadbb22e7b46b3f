#include "common/paths.h"
#include "launcher/gamerunner.h"
#include "launcher/playpipeline.h"
#include "support/memorysettings.h"
#include "support/scriptedplatform.h"
#include "support/tempfolder.h"

#include <gtest/gtest.h>

namespace tessaro {
namespace {

class GameRunnerTest : public ::testing::Test {
protected:
    CommandResult choose() { return chooseGameRunner(platform, settings, "/levels"); }
    std::string runner() const { return settings.get("General", "PlayRunner", "<none>"); }

    test::TempFolder folder;
    test::ScriptedPlatform platform;
    test::MemorySettings settings;
};

TEST_F(GameRunnerTest, WithoutARunnerTheDialogChoosesOneAndCancelChangesNothing) {
    platform.cancelFileDialog();
    EXPECT_EQ(choose(), CommandResult::failed());
    EXPECT_TRUE(settings.writes.empty());
    ASSERT_EQ(platform.dialogs.size(), 1u);
    EXPECT_EQ(platform.dialogs[0].title, "Browse for the program that starts the game...");
    EXPECT_EQ(platform.dialogs[0].startFolderOrDefault, "/levels");

    // A path with a blank is kept in quotes, so the game starts through it whole.
    const auto program = (folder / "my runner" / "start game").string();
    platform.chooseFile(program, "start game");
    EXPECT_EQ(choose(), CommandResult::succeeded());
    EXPECT_EQ(runner(), "\"" + program + "\"");
    const auto request = buildStartRequest("/games/ludex.exe", runner());
    EXPECT_EQ(request.program, toPath(program));
    EXPECT_EQ(request.arguments, std::vector<std::string>{"/games/ludex.exe"});
    EXPECT_TRUE(platform.messages.empty());
}

TEST_F(GameRunnerTest, WithARunnerTheQuestionOffersAnotherNoneOrKeep) {
    settings.set("General", "PlayRunner", "wine --bottle chips");
    settings.writes.clear();
    platform.answer(MessageAnswer::Cancel);
    EXPECT_EQ(choose(), CommandResult::failed());
    EXPECT_EQ(runner(), "wine --bottle chips");
    EXPECT_TRUE(platform.dialogs.empty());
    EXPECT_EQ(platform.lastMessage(),
              (test::RecordedMessage{
                  "Tessaro starts the game through this program:\r\nwine --bottle chips\r\n\r\n"
                  "Do you want to choose another program?\r\n(No: start the game without one. "
                  "Cancel: keep this one.)",
                  "Tessaro", MessageIcon::Question, MessageButtons::YesNoCancel}));

    // Yes, then Cancel in the dialog: still the same runner.
    platform.answer(MessageAnswer::Yes);
    platform.cancelFileDialog();
    choose();
    EXPECT_EQ(runner(), "wine --bottle chips");

    // The dialog starts in the runner's folder when it names one.
    const auto otvdm = folder.write("otvdm/otvdmw.exe", "").string();
    settings.set("General", "PlayRunner", otvdm);
    platform.answer(MessageAnswer::Yes);
    platform.chooseFile("/usr/bin/wine\"64", "wine\"64");
    choose();
    EXPECT_EQ(platform.dialogs.back().startFolderOrDefault, (folder / "otvdm").string());
    EXPECT_EQ(runner(), otvdm);
    EXPECT_EQ(platform.lastMessage().icon, MessageIcon::Exclamation);

    platform.answer(MessageAnswer::No);
    EXPECT_EQ(choose(), CommandResult::succeeded());
    EXPECT_EQ(runner(), "");
    EXPECT_EQ(platform.unscriptedQuestions, 0);
}

} // namespace
} // namespace tessaro
