#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace tessaro {

// The text of a level's entry in the level list: the number in decimal, ". ",
// then the title ("7. Ice Cave"; "7. " without a title).
std::string levelEntryText(int number, std::string_view title);

// The level number an entry carries: its text before the first "." as a
// 16-bit number; nothing when that does not convert.
std::optional<std::int16_t> levelNumberOfEntry(std::string_view entry);

} // namespace tessaro
