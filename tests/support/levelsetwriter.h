#pragma once

// Writes level sets for tests, fuzzing and benchmarks, tidy or, with the knobs below, broken. Texts
// are up to 255 bytes; one of 255 bytes has no room for the NUL and is written without it.

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace tessaro::test {

struct WrittenLevel {
    std::optional<std::uint16_t> number{}; // none: its place in the set
    std::uint16_t timeLimit = 0;
    std::uint16_t chipsRequired = 0;
    std::string title{};
    std::string password{}; // coded as field 6, or as field 8 with uncodedPassword
    std::string hint{};
    bool uncodedPassword = false;
    bool titleNul = true;
    int sizeChange = 0; // added to the level's size as written
};

struct WrittenSet {
    bool lynx = false;
    int countChange = 0; // added to the number of levels in the header
    std::string layer =
        std::string("\xFF\xFF\x00\xFF\xFF\x00\xFF\xFF\x00\xFF\xFF\x00\x00\x00\x00\x00", 16);
    std::vector<WrittenLevel> levels{};
};

// Levels 1 to count titled "Level N", each with its own password ("AAAB" for level 1), a time limit
// of 100 + N and N chips.
inline WrittenSet numberedSet(int count) {
    WrittenSet set;
    for (int n = 1; n <= count; ++n) {
        std::string password = "AAAA";
        for (int place = 3, rest = n; place >= 0; --place, rest /= 26)
            password[static_cast<std::size_t>(place)] = static_cast<char>('A' + rest % 26);
        set.levels.push_back({.timeLimit = std::uint16_t(100 + n),
                              .chipsRequired = std::uint16_t(n),
                              .title = "Level " + std::to_string(n),
                              .password = password});
    }
    return set;
}

inline void appendWord(std::string& out, std::size_t value) {
    out += {static_cast<char>(value & 0xFF), static_cast<char>(value >> 8 & 0xFF)};
}

inline void appendText(std::string& out, char type, std::string text, bool nul = true,
                       char code = 0) {
    if (text.empty())
        return;
    for (char& c : text)
        c = static_cast<char>(c ^ code);
    if (nul && text.size() < 255)
        text += '\0';
    out += type;
    out += static_cast<char>(text.size());
    out += text;
}

inline std::string writeLevelSet(const WrittenSet& set) {
    std::string out(set.lynx ? "\xAC\xAA\x02\x01" : "\xAC\xAA\x02\x00", 4);
    appendWord(out, set.levels.size() + static_cast<std::size_t>(set.countChange));
    for (std::size_t index = 0; index < set.levels.size(); ++index) {
        const auto& level = set.levels[index];
        std::string body;
        for (std::size_t value :
             {level.number ? std::size_t(*level.number) : index + 1, std::size_t(level.timeLimit),
              std::size_t(level.chipsRequired), std::size_t(1), set.layer.size()})
            appendWord(body, value);
        body += set.layer;
        appendWord(body, set.layer.size());
        body += set.layer;
        std::string fields;
        appendText(fields, 3, level.title, level.titleNul);
        appendText(fields, level.uncodedPassword ? 8 : 6, level.password, true,
                   level.uncodedPassword ? 0 : '\x99');
        appendText(fields, 7, level.hint);
        appendWord(body, fields.size());
        appendWord(out, body.size() + fields.size() + static_cast<std::size_t>(level.sizeChange));
        out += body + fields;
    }
    return out;
}

} // namespace tessaro::test
