#include "common/casefold.h"

#include <algorithm>
#include <bit>
#include <cstdint>
#include <cstring>

namespace tessaro {

bool equalsIgnoreCase(std::string_view a, std::string_view b) {
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
               return foldCase(x) == foldCase(y);
           });
}

bool endsWithIgnoreCase(std::string_view text, std::string_view suffix) {
    return text.size() >= suffix.size() &&
           equalsIgnoreCase(text.substr(text.size() - suffix.size()), suffix);
}

namespace {

constexpr std::uint64_t kEveryByte = 0x0101010101010101;
constexpr std::uint64_t kHighBits = 0x8080808080808080;

// foldCase on eight bytes at once. Each byte's low seven bits plus an offset
// set its high bit when the byte is at least 'A', or above 'Z', without
// carrying into the next byte; bytes with their own high bit set never fold.
std::uint64_t foldCaseOfEight(std::uint64_t bytes) {
    const std::uint64_t low = bytes & ~kHighBits;
    const std::uint64_t atLeastA = low + kEveryByte * (0x80 - 'A');
    const std::uint64_t aboveZ = low + kEveryByte * (0x7F - 'Z');
    const std::uint64_t upper = atLeastA & ~aboveZ & ~bytes & kHighBits;
    return bytes | (upper >> 2); // 0x80 >> 2 is the 0x20 between 'A' and 'a'
}

} // namespace

bool lessIgnoreCase(std::string_view a, std::string_view b) {
    // Sorting a folder compares names thousands of times over: eight bytes
    // are folded and compared at a time up to the first that differ.
    const std::size_t common = std::min(a.size(), b.size());
    std::size_t at = 0;
    if constexpr (std::endian::native == std::endian::little) {
        for (; at + 8 <= common; at += 8) {
            std::uint64_t x = 0, y = 0;
            std::memcpy(&x, a.data() + at, 8);
            std::memcpy(&y, b.data() + at, 8);
            const auto differ = foldCaseOfEight(x) ^ foldCaseOfEight(y);
            if (differ != 0) {
                at += static_cast<std::size_t>(std::countr_zero(differ)) / 8;
                break;
            }
        }
    }
    for (; at < common; ++at) {
        const auto x = static_cast<unsigned char>(foldCase(a[at]));
        const auto y = static_cast<unsigned char>(foldCase(b[at]));
        if (x != y)
            return x < y;
    }
    if (a.size() != b.size())
        return a.size() < b.size();
    return a < b;
}

} // namespace tessaro
