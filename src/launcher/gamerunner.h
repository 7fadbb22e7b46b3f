#pragma once

#include "common/commandresult.h"
#include "common/platform.h"
#include "common/settings.h"

#include <string>

namespace tessaro {

// The program that starts the game, kept in the "General" section. Empty
// means none: the game starts by itself on Windows and through wine elsewhere.
inline constexpr const char* kPlayRunnerKey = "PlayRunner";

// Play › "Game Runner…": lets the player choose the runner program, or none,
// and keeps the choice at once. With a runner set, a question first offers to
// choose another (Yes), to use none (No) or to keep it (Cancel). A cancelled
// file dialog changes nothing. The dialog starts in the runner's folder, else
// in startFolder. done is true when the setting changed.
CommandResult chooseGameRunner(Platform& platform, SettingsStore& settings,
                               const std::string& startFolder);

// How a chosen program is kept in the setting: its path, in double quotes
// when it holds a blank, so that the setting's words give it back whole.
std::string runnerSetting(const std::string& program);

} // namespace tessaro
