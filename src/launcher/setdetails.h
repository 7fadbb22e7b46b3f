#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <vector>

namespace tessaro {

// What the main window's Set Details pane is built from: the listed folder,
// the selected file's bare name, the INI name as typed (empty: tessaro.ini)
// and the folder where the game keeps its score file.
struct SetDetailsSource {
    std::string folder;
    std::string fileName;
    std::string iniFileName;
    std::string scoreFolder;

    bool operator==(const SetDetailsSource&) const = default;
};

// One level of the set and the player's standing in it. Title and password
// are the set's bytes (Windows-1252); the other texts are ready to show.
struct SetDetailsRow {
    std::string number{};
    std::string title{};
    std::string password{};
    std::string timeLimit{}; // "untimed" for 0
    std::string reached{};   // "yes" when the score section has the level
    std::string bestTime{};  // from a solved level's value
    std::string score{};

    bool operator==(const SetDetailsRow&) const = default;
};

// The pane's content. The header (UTF-8) names the ruleset and the number of
// levels, then where the player stands: levels reached and the total score.
// The warning says why the file shows no levels, or what the reader worked
// around.
struct SetDetails {
    std::string header;
    std::vector<SetDetailsRow> rows;
    std::string warning;
    // The number of levels the set's header gives; none when no set was read.
    std::optional<std::size_t> levelCount;
    // The last levels a CCF file holds (they replace the boxes' for its play).
    std::optional<std::string> ccfFakeLastLevel;
    std::optional<std::string> ccfRealLastLevel;

    bool operator==(const SetDetails&) const = default;
};

// Reads the selected set (a ".ccf": the set it names) and the player's
// section of the score file, named as a play names it: the selected file's
// name. Reads only these two files; nothing is written. An unreadable or
// foreign file gives no rows and a warning with the reader's own words.
SetDetails readSetDetails(const SetDetailsSource& source);

// "This set has 34 levels; the real last level 149 is beyond it." when a last
// level (as typed) is above the set's number of levels; empty when both fit,
// when a box does not hold a number, or when no set was read.
std::string lastLevelWarning(std::optional<std::size_t> levelCount,
                             const std::string& fakeLastLevel, const std::string& realLastLevel);

} // namespace tessaro
