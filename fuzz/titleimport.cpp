// Title import: the Tabulin report reader against a small model of the
// report's rules, written here apart from the code: refused when line 1 names
// no ".dat" or ".ccl" file and line 2 is empty; from line 4 on, level lines
// until the first that is not one; a level line's number is the text before
// its first full stop without spaces, 1 to 999; its title is the line from
// the sixth character on, each run of spaces halved down to its odd one.

#include "ccx/tabulinreport.h"
#include "fuzzcheck.h"

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace {

using tessaro::TabulinLevelLine;
using tessaro::fuzz::check;

std::vector<std::string> modelLines(std::string_view bytes) {
    std::vector<std::string> lines(1);
    for (std::size_t i = 0; i < bytes.size(); ++i) {
        if (bytes[i] == '\n' || bytes[i] == '\r') {
            i += bytes[i] == '\r' && i + 1 < bytes.size() && bytes[i + 1] == '\n';
            lines.emplace_back();
        } else {
            lines.back() += bytes[i];
        }
    }
    if (lines.back().empty())
        lines.pop_back();
    return lines;
}

std::optional<int> modelNumber(const std::string& line) {
    std::string digits;
    for (const char c : line.substr(0, line.find('.')))
        if (c != ' ')
            digits += c;
    if (digits.empty() || digits.find_first_not_of("0123456789") != std::string::npos)
        return std::nullopt;
    digits.erase(0, digits.find_first_not_of('0'));
    if (digits.empty() || digits.size() > 3)
        return std::nullopt;
    return std::stoi(digits);
}

std::optional<std::string> modelTitle(const std::string& line) {
    if (line.size() < 5)
        return std::nullopt;
    std::string title;
    std::size_t spaces = 0;
    for (const char c : line.substr(5) + '.') {
        if (c == ' ') {
            ++spaces;
            continue;
        }
        if (spaces % 2 == 1)
            title += ' ';
        spaces = 0;
        title += c;
    }
    title.pop_back();
    return title;
}

std::optional<std::vector<TabulinLevelLine>> modelReport(std::string_view bytes) {
    auto lines = modelLines(bytes);
    lines.resize(std::max<std::size_t>(lines.size(), 2));
    const bool namesSet =
        lines[0].find(".dat") != std::string::npos || lines[0].find(".ccl") != std::string::npos;
    if (!namesSet && lines[1].empty())
        return std::nullopt;
    std::vector<TabulinLevelLine> levels;
    for (std::size_t i = 3; i < lines.size(); ++i) {
        const auto number = modelNumber(lines[i]);
        if (!number)
            break;
        levels.push_back({*number, modelTitle(lines[i])});
    }
    return levels;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    const auto report = tessaro::readTabulinReport(bytes);
    const auto model = modelReport(bytes);
    check(report.ok() == model.has_value() && (!model || *report == *model),
          "the report reader disagrees with the model");
    check(report.ok() || report.error().line == 2, "a refused report is not refused on line 2");
    return 0;
}
