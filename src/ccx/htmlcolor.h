#pragma once

#include "common/colorvalue.h"

#include <string>
#include <string_view>

namespace tessaro {

// "#RRGGBB" with two upper-case hexadecimal digits for each of red, green and
// blue; bits 24-31 of the value are ignored. 0x000A0B0C gives "#0C0B0A".
std::string formatHtmlColor(ColorValue color);

// The colour of HTML colour text given without its "#": its leading
// hexadecimal digits (either case) read as RRGGBB, so "0C0B0A" gives
// 0x000A0B0C and the short "FF" pure blue. No digits give black. Of longer
// runs of digits only the last six count.
ColorValue parseHtmlColor(std::string_view text);

} // namespace tessaro
