#include "ccx/tabulinreport.h"

#include "ccx/ccxdocument.h"
#include "common/textfile.h"

namespace tessaro {

namespace {

// The number before the line's first full stop (spaces removed) when that is
// 1 to 999.
std::optional<int> levelNumberOf(std::string_view line) {
    const auto part = line.substr(0, line.find('.'));
    int number = 0;
    bool anyDigit = false;
    for (const char c : part) {
        if (c == ' ')
            continue;
        if (c < '0' || c > '9' || number > kMaxCcxLevels)
            return std::nullopt;
        number = number * 10 + (c - '0');
        anyDigit = true;
    }
    if (!anyDigit || !CcxDocument::isLevelNumber(number))
        return std::nullopt;
    return number;
}

std::optional<std::string> titleOf(std::string_view line) {
    if (line.size() < 5)
        return std::nullopt;
    const auto rest = line.substr(5);
    std::string title;
    title.reserve(rest.size());
    for (std::size_t i = 0; i < rest.size(); ++i) {
        if (rest[i] == ' ' && i + 1 < rest.size() && rest[i + 1] == ' ')
            ++i;
        else
            title += rest[i];
    }
    return title;
}

} // namespace

ReadResult<std::vector<TabulinLevelLine>> readTabulinReport(std::string_view bytes) {
    const auto lines = splitLines(bytes);
    const auto line = [&lines](std::size_t index) {
        return index < lines.size() ? std::string_view(lines[index]) : std::string_view{};
    };
    const bool namesLevelSet = line(0).find(".dat") != std::string_view::npos ||
                               line(0).find(".ccl") != std::string_view::npos;
    if (!namesLevelSet && line(1).empty())
        return ReadError::atLine(2, "not a Tabulin report: the first line names no level set and "
                                    "the second is empty");

    std::vector<TabulinLevelLine> levels;
    for (std::size_t index = 3; index < lines.size(); ++index) {
        const auto number = levelNumberOf(lines[index]);
        if (!number)
            break;
        levels.push_back({*number, titleOf(lines[index])});
    }
    return levels;
}

} // namespace tessaro
