#pragma once

#include <string>
#include <string_view>

namespace tessaro {

// The text of a level's entry in the level list: the number in decimal, ". ",
// then the title ("7. Ice Cave"; "7. " without a title).
std::string levelEntryText(int number, std::string_view title);

} // namespace tessaro
