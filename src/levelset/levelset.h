#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace tessaro {

// The rules a level set is made for, from its signature.
enum class Ruleset { MS, Lynx };

// One level as a level set holds it. Texts are the file's bytes up to their
// NUL (the password decoded); numbers are the file's 16-bit values.
struct LevelSetLevel {
    std::uint16_t number = 0;
    std::uint16_t timeLimit = 0; // seconds; 0 is untimed
    std::uint16_t chipsRequired = 0;
    std::string title;
    std::string password;
    std::string hint;
    // Where the level's size begins in the file, and where its password field
    // (type byte) is; no password offset when the level has none.
    std::size_t offset = 0;
    std::optional<std::size_t> passwordOffset;
};

// Something in a set that the reader worked around: the level's position in
// the file (counted from 1), the byte offset and the problem in words.
struct LevelSetProblem {
    std::size_t level = 0;
    std::size_t offset = 0;
    std::string problem;

    bool operator==(const LevelSetProblem&) const = default;
};

// A read level set: its ruleset, the number of levels its header gives, the
// levels present in file order, and what did not add up while reading them.
struct LevelSet {
    Ruleset ruleset = Ruleset::MS;
    std::size_t declaredLevelCount = 0;
    std::vector<LevelSetLevel> levels;
    std::vector<LevelSetProblem> problems;
};

} // namespace tessaro
