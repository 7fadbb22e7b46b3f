#pragma once

#include <string>
#include <string_view>

namespace tessaro {

// Case-blind comparisons of names, all folding the same way: ASCII letters
// compare as their lower-case forms, every other byte as itself. Lists sorted
// with lessIgnoreCase come out alike wherever they are shown.

// Inline: listing and sorting a folder of thousands of names calls it for
// every byte.
inline char foldCase(char c) {
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

bool equalsIgnoreCase(std::string_view a, std::string_view b);
bool endsWithIgnoreCase(std::string_view text, std::string_view suffix);

// The order a person expects in a list of names: by the folded bytes (so "_"
// comes before letters), a name before any longer name it begins; names that
// differ only in case follow their bytes, so the order is the same every time.
bool lessIgnoreCase(std::string_view a, std::string_view b);

} // namespace tessaro
