#pragma once

#include <cstdio>
#include <string_view>

namespace tessaro::fuzz {

// Stops the run with a message when a property does not hold, so libFuzzer
// keeps the input as a finding (a plain assert would vanish in release builds).
inline void check(bool holds, std::string_view what) {
    if (holds)
        return;
    std::fprintf(stderr, "property failed: %.*s\n", static_cast<int>(what.size()), what.data());
    __builtin_trap();
}

} // namespace tessaro::fuzz
