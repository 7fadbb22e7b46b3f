#pragma once

#include "levelset/levelset.h"

#include <string>
#include <string_view>
#include <vector>

namespace tessaro {

// What `tessaro --check` reports for a read set, in file order: the reader's
// own problems, then for each level a number that is not its place in the
// file or that an earlier level has, a missing password, a password that is
// not 4 letters A to Z, and a password an earlier level has.
std::vector<LevelSetProblem> checkLevelSet(const LevelSet& set);

// "FILE: level N (offset X): problem"
std::string formatLevelSetProblem(std::string_view fileName, const LevelSetProblem& problem);

// A text on one line of its own: each TAB and line break becomes a space.
std::string oneLineText(std::string text);

// One line per level for `tessaro --list`: number, title, password and time
// limit separated by TABs; a TAB or line break in a text is shown as a space.
std::vector<std::string> levelSetListLines(const LevelSet& set);

} // namespace tessaro
