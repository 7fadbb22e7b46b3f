#include "scorefile/levelvalue.h"

#include "common/numbers.h"

#include <limits>

namespace tessaro {

namespace {

// A field the game wrote as a whole number: an optional minus sign and digits,
// nothing else, within 32 bits.
std::optional<std::int64_t> wholeNumber(std::string_view text) {
    bool negative = false;
    if (!text.empty() && text.front() == '-') {
        negative = true;
        text.remove_prefix(1);
    }
    if (text.empty() || text.size() > 10)
        return std::nullopt;
    std::int64_t number = 0;
    for (const char c : text) {
        if (c < '0' || c > '9')
            return std::nullopt;
        number = number * 10 + (c - '0');
    }
    number = negative ? -number : number;
    if (number < std::numeric_limits<std::int32_t>::min() ||
        number > std::numeric_limits<std::int32_t>::max())
        return std::nullopt;
    return number;
}

bool fitsInt32(std::int64_t number) {
    return number >= std::numeric_limits<std::int32_t>::min() &&
           number <= std::numeric_limits<std::int32_t>::max();
}

// One penalty step: the whole part of 80 % of a positive bonus.
std::int64_t penaltyStep(std::int64_t bonus) {
    return 4 * bonus / 5;
}

// A solved value split into its parts, when it is one.
struct SolvedValue {
    std::string_view password;
    std::string_view timeText;
    std::int64_t time = 0;
    std::int64_t score = 0;
};

std::optional<SolvedValue> solvedValue(const std::string& value) {
    const auto fields = splitValueFields(value);
    if (fields.size() != 3)
        return std::nullopt;
    const auto time = wholeNumber(fields[1]);
    const auto score = wholeNumber(fields[2]);
    if (!time || !score)
        return std::nullopt;
    return SolvedValue{fields[0], fields[1], *time, *score};
}

std::string joinSolved(std::string_view password, std::string_view time, std::int64_t score) {
    std::string value(password);
    value += ',';
    value += time;
    value += ',';
    value += std::to_string(score);
    return value;
}

} // namespace

std::vector<std::string_view> splitValueFields(std::string_view value) {
    std::vector<std::string_view> fields;
    if (value.empty())
        return fields;
    std::size_t start = 0;
    while (true) {
        const auto comma = value.find(',', start);
        if (comma == std::string_view::npos) {
            fields.push_back(value.substr(start));
            return fields;
        }
        fields.push_back(value.substr(start, comma - start));
        start = comma + 1;
    }
}

std::string RescoreLevelValue(const std::string& value, int oldLevel, int newLevel) {
    const auto solved = solvedValue(value);
    if (!solved)
        return value;
    const std::int64_t base = solved->score - 10 * solved->time;
    if (!fitsInt32(base))
        return value;

    // Count the penalty steps that took the old level's bonus to the recorded
    // one. The bonus only shrinks while it is positive, so a bonus that is not
    // on the way down can never be reached.
    std::int64_t bonus = static_cast<std::int64_t>(oldLevel) * 500;
    int steps = 0;
    while (bonus != base) {
        if (bonus <= 0 || bonus < base)
            return value;
        bonus = penaltyStep(bonus);
        ++steps;
    }

    bonus = static_cast<std::int64_t>(newLevel) * 500;
    for (int step = 1; step <= steps && bonus >= 500; ++step)
        bonus = penaltyStep(bonus);

    const std::int64_t score = 10 * solved->time + bonus;
    if (!fitsInt32(score))
        return value;
    return joinSolved(solved->password, solved->timeText, score);
}

bool IsValidLevelPassword(std::string_view text) {
    return !text.empty() && text.size() <= 9 &&
           text.find_first_of(",=\r\n") == std::string_view::npos;
}

std::optional<int> ParseLevelTime(std::string_view text) {
    const auto time = toInt16(text);
    if (!time || *time < 0)
        return std::nullopt;
    return *time;
}

std::optional<std::string> withNewTime(const std::string& value, int newTime) {
    const auto solved = solvedValue(value);
    if (!solved)
        return std::nullopt;
    const std::int64_t score = solved->score - 10 * (solved->time - newTime);
    if (!fitsInt32(score))
        return std::nullopt;
    return joinSolved(solved->password, std::to_string(newTime), score);
}

std::string withNewPassword(const std::string& value, const std::string& password) {
    const auto comma = value.find(',');
    return comma == std::string::npos ? password : password + value.substr(comma);
}

std::string withoutScore(const std::string& value) {
    return value.substr(0, value.find(','));
}

} // namespace tessaro
