#include "common/paths.h"
#include "launcher/gamerunner.h"
#include "launcher/playpipeline.h"
#include "support/memorysettings.h"
#include "support/scriptedplatform.h"

#include <gtest/gtest.h>

namespace tessaro {
namespace {

TEST(GameRunner, ChosenThroughADialogOrTheQuestionThatOffersAnotherNoneOrKeep) {
    test::ScriptedPlatform platform;
    test::MemorySettings settings;
    const auto choose = [&] { return chooseGameRunner(platform, settings, "/levels"); };
    const auto runner = [&] { return settings.get("General", "PlayRunner", "<none>"); };
    platform.cancelFileDialog();
    EXPECT_EQ(choose(), CommandResult::failed());
    EXPECT_TRUE(settings.writes.empty());
    EXPECT_EQ(platform.dialogs[0].title, "Browse for the program that starts the game...");
    EXPECT_EQ(platform.dialogs[0].startFolderOrDefault, "/levels");
    // A path with a blank is kept in quotes, so the game starts through it whole.
    platform.chooseFile("/my runner/start game", "start game");
    EXPECT_EQ(choose(), CommandResult::succeeded());
    EXPECT_EQ(runner(), "\"/my runner/start game\"");
    EXPECT_EQ(buildStartRequest("/ludex.exe", runner()).program, toPath("/my runner/start game"));

    platform.answer(MessageAnswer::Cancel);
    EXPECT_EQ(choose(), CommandResult::failed());
    EXPECT_EQ(runner(), "\"/my runner/start game\"");
    EXPECT_EQ(platform.lastMessage(),
              (test::RecordedMessage{
                  "Tessaro starts the game through this program:\r\n\"/my runner/start game\""
                  "\r\n\r\nDo you want to choose another program?\r\n(No: start the game without "
                  "one. Cancel: keep this one.)",
                  "Tessaro", MessageIcon::Question, MessageButtons::YesNoCancel}));
    EXPECT_EQ(platform.dialogs.size(), 2u);
    platform.answer(MessageAnswer::Yes);
    platform.chooseFile("/usr/bin/wine\"64", "wine\"64");
    EXPECT_EQ(choose(), CommandResult::failed());
    EXPECT_EQ(runner(), "\"/my runner/start game\"");
    EXPECT_EQ(platform.lastMessage().text,
              "Tessaro cannot start the game through /usr/bin/wine\"64 because its name holds a "
              "double quote. Rename it and choose it again.");
    platform.answer(MessageAnswer::No);
    EXPECT_EQ(choose(), CommandResult::succeeded());
    EXPECT_EQ(runner(), "");
    EXPECT_EQ(platform.unscriptedQuestions, 0);
}

} // namespace
} // namespace tessaro
