#pragma once

#include <cstdint>

namespace tessaro {

// A colour as the window system holds it: red in bits 0-7, green in 8-15,
// blue in 16-23, bits 24-31 zero.
using ColorValue = std::uint32_t;

} // namespace tessaro
