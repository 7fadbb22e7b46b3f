#pragma once

#include <cstdint>
#include <optional>
#include <string_view>

namespace tessaro {

// Reads text as a decimal number for a 16-bit signed field: surrounding
// spaces and a sign are allowed, a fractional part is rounded to the nearest
// whole number (a half to the even neighbour). Empty text, any other text, or
// a result outside -32768..32767 gives nothing.
std::optional<std::int16_t> toInt16(std::string_view text);

// The same reading for a 32-bit signed field.
std::optional<std::int32_t> toInt32(std::string_view text);

} // namespace tessaro
