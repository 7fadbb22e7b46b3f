#include "common/casefold.h"

#include <algorithm>

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

bool lessIgnoreCase(std::string_view a, std::string_view b) {
    const auto [x, y] = std::mismatch(a.begin(), a.end(), b.begin(), b.end(),
                                      [](char p, char q) { return foldCase(p) == foldCase(q); });
    if (x != a.end() && y != b.end())
        return static_cast<unsigned char>(foldCase(*x)) < static_cast<unsigned char>(foldCase(*y));
    if (a.size() != b.size())
        return a.size() < b.size();
    return a < b;
}

} // namespace tessaro
