#pragma once

#include "common/colorvalue.h"

#include <cstdint>
#include <string>

namespace tessaro {

// One prologue or epilogue page: HTML text whose lines are separated by
// CR LF, and optionally colours of its own.
struct CcxPage {
    std::string text;
    // 1 when the page carries its own colours; the colours mean something
    // only then.
    std::uint8_t hasOwnColors = 0;
    ColorValue backColor = 0;
    ColorValue fontColor = 0;

    bool operator==(const CcxPage&) const = default;
};

} // namespace tessaro
