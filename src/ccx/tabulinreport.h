#pragma once

#include "common/readresult.h"

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace tessaro {

// One level line of a Tabulin text report: "  7. Title", the number before
// the first full stop (spaces removed), the title from the sixth character on.
struct TabulinLevelLine {
    int number = 0; // 1 to 999
    // From the sixth character on, each pair of spaces removed from the left
    // (the report pads its columns with them); nothing for a line of fewer
    // than five characters, which has no title part.
    std::optional<std::string> title;

    bool operator==(const TabulinLevelLine&) const = default;
};

// The level lines of a report (any line ends), from the fourth line on up to
// the first line that is not a level line. Refused, on line 2, when its first
// line names no ".dat" or ".ccl" file and its second line is empty (so empty
// bytes, like an unreadable file, are refused).
ReadResult<std::vector<TabulinLevelLine>> readTabulinReport(std::string_view bytes);

} // namespace tessaro
