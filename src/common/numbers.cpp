#include "common/numbers.h"

#include <cctype>
#include <cstdint>
#include <limits>

namespace tessaro {

namespace {

bool isSpace(char c) {
    return c == ' ' || c == '\t';
}
bool isDigit(char c) {
    return c >= '0' && c <= '9';
}

// Reads [sign] digits [. digits] | [sign] . digits, rounds half to even and
// returns the value, or nothing when the text is not such a number or its
// magnitude passes limit (checked before it could overflow).
std::optional<std::int64_t> readRounded(std::string_view text, std::int64_t limit) {
    std::size_t begin = 0;
    std::size_t end = text.size();
    while (begin < end && isSpace(text[begin]))
        ++begin;
    while (end > begin && isSpace(text[end - 1]))
        --end;
    text = text.substr(begin, end - begin);
    if (text.empty())
        return std::nullopt;

    bool negative = false;
    if (text.front() == '+' || text.front() == '-') {
        negative = text.front() == '-';
        text.remove_prefix(1);
    }

    std::int64_t whole = 0;
    std::size_t i = 0;
    bool anyDigit = false;
    for (; i < text.size() && isDigit(text[i]); ++i) {
        anyDigit = true;
        whole = whole * 10 + (text[i] - '0');
        if (whole > limit + 1)
            return std::nullopt;
    }

    // Compare the fraction with one half: above, exactly, or below.
    int versusHalf = -1;
    if (i < text.size() && text[i] == '.') {
        ++i;
        const std::size_t fractionStart = i;
        for (; i < text.size() && isDigit(text[i]); ++i)
            anyDigit = true;
        const std::string_view fraction = text.substr(fractionStart, i - fractionStart);
        if (!fraction.empty()) {
            if (fraction[0] > '5') {
                versusHalf = 1;
            } else if (fraction[0] == '5') {
                versusHalf = fraction.find_first_not_of('0', 1) == std::string_view::npos ? 0 : 1;
            }
        }
    }
    if (!anyDigit || i != text.size())
        return std::nullopt;

    if (versusHalf > 0 || (versusHalf == 0 && whole % 2 == 1))
        ++whole;
    return negative ? -whole : whole;
}

template <typename Int> std::optional<Int> toInt(std::string_view text) {
    constexpr std::int64_t lowest = std::numeric_limits<Int>::min();
    constexpr std::int64_t highest = std::numeric_limits<Int>::max();
    const auto value = readRounded(text, -lowest);
    if (!value || *value < lowest || *value > highest)
        return std::nullopt;
    return static_cast<Int>(*value);
}

} // namespace

std::optional<std::int16_t> toInt16(std::string_view text) {
    return toInt<std::int16_t>(text);
}

std::optional<std::int32_t> toInt32(std::string_view text) {
    return toInt<std::int32_t>(text);
}

} // namespace tessaro
