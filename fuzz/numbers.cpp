// Number conversion against a small model of its rules, written here apart
// from the code: surrounding blanks (space, tab) and one sign allowed, then
// digits with at most one decimal point and at least one digit; the value is
// rounded to the nearest whole number, a half to the even one, and must fit
// the field.

#include "common/numbers.h"
#include "fuzzcheck.h"

#include <cstddef>
#include <cstdint>
#include <limits>
#include <optional>
#include <string>
#include <string_view>

namespace {

using tessaro::fuzz::check;

std::optional<std::int64_t> modelValue(std::string_view text) {
    const auto first = text.find_first_not_of(" \t");
    if (first == std::string_view::npos)
        return std::nullopt;
    text = text.substr(first, text.find_last_not_of(" \t") - first + 1);

    bool negative = false;
    if (text[0] == '+' || text[0] == '-') {
        negative = text[0] == '-';
        text.remove_prefix(1);
    }
    const auto point = text.find('.');
    const std::string_view whole = text.substr(0, point);
    const std::string_view fraction =
        point == std::string_view::npos ? std::string_view() : text.substr(point + 1);
    const auto allDigits = [](std::string_view part) {
        return part.find_first_not_of("0123456789") == std::string_view::npos;
    };
    if (!allDigits(whole) || !allDigits(fraction) || whole.size() + fraction.size() == 0)
        return std::nullopt;

    // Eleven significant digits are beyond every field even after rounding.
    const std::string_view significant =
        whole.substr(std::min(whole.find_first_not_of('0'), whole.size()));
    if (significant.size() > 11)
        return std::nullopt;
    std::int64_t value = significant.empty() ? 0 : std::stoll(std::string(significant));

    // The fraction against one half written with as many digits.
    const std::string half =
        fraction.empty() ? std::string() : "5" + std::string(fraction.size() - 1, '0');
    const int versusHalf = std::string(fraction).compare(half);
    if (!fraction.empty() && (versusHalf > 0 || (versusHalf == 0 && value % 2 != 0)))
        ++value;
    return negative ? -value : value;
}

template <typename Int> std::optional<Int> modelConversion(std::string_view text) {
    const auto value = modelValue(text);
    if (!value || *value < std::numeric_limits<Int>::min() ||
        *value > std::numeric_limits<Int>::max())
        return std::nullopt;
    return static_cast<Int>(*value);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    check(tessaro::toInt16(text) == modelConversion<std::int16_t>(text),
          "toInt16 disagrees with the model");
    check(tessaro::toInt32(text) == modelConversion<std::int32_t>(text),
          "toInt32 disagrees with the model");
    return 0;
}
