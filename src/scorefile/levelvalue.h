#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace tessaro {

// A level value is what follows "=" on a level line of the score file:
// empty (a line added in the editor), a password alone, or "password,time,score"
// for a solved level, where score = 10 x time + the level bonus. The bonus of
// level L is L x 500, reduced once per penalty step to the whole part of 80 %.

// The value split at ",". An empty value has no fields.
std::vector<std::string_view> splitValueFields(std::string_view value);

// The value of a solved level moved from oldLevel to newLevel: the penalty steps
// that took oldLevel's bonus down to the recorded one are applied to newLevel's
// bonus (stopping once it falls below 500), and the score is rebuilt from it.
// The password and time keep their exact text. Anything but
// "password,time,score" with whole numbers, a score that no number of penalty
// steps reaches from oldLevel x 500, or a result outside 32 bits leaves the
// value unchanged.
std::string RescoreLevelValue(const std::string& value, int oldLevel, int newLevel);

// True for 1 to 9 characters without "," or "=" (which would split the value
// or the line when the game reads it back) and without line ends.
bool IsValidLevelPassword(std::string_view text);

// A level time typed by the player: a number from 0 to 32767, a fractional one
// rounded to the nearest whole number (a half to the even one). Nothing for
// empty text, other text or a number out of range.
std::optional<int> ParseLevelTime(std::string_view text);

// A solved value with the new time and its score moved by 10 points per unit
// of time: score - 10 x (old time - new time). Nothing when the value is not
// "password,time,score" with whole numbers or the score would leave 32 bits.
std::optional<std::string> withNewTime(const std::string& value, int newTime);

// The value with its first field (the password) replaced; every other field
// is kept as it was. An empty value becomes the password alone.
std::string withNewPassword(const std::string& value, const std::string& password);

// The value cut down to its first field: a solved level keeps only its password.
std::string withoutScore(const std::string& value);

} // namespace tessaro
