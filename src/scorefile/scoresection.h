#pragma once

#include "common/readresult.h"

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace tessaro {

// One "LevelN=value" line of a level set's section in the score file.
struct LevelEntry {
    int number = 0;    // the level number, 1 to 999 as loaded
    std::string value; // empty, "password" or "password,time,score"
    // The line's text from a second "=" on, when it has one. It travels with
    // the value and is written back after it, so nothing of the line is lost.
    std::string rest;

    bool operator==(const LevelEntry&) const = default;
};

// How the editor lists an entry: "Level" + number with at least three digits
// + "=" + value (level 7 shows as "Level007=...").
std::string displayText(const LevelEntry& entry);

// How the game keeps an entry in the file: "Level7=value" (plus the rest).
std::string fileLine(const LevelEntry& entry);

// One level set's section of a score file, as loaded for editing.
struct ScoreSection {
    std::string iniPath; // the file it came from; every in-place save writes here
    std::string setName; // the header is "[" + setName + "]"
    // Sorted by display text when loaded, then in the order editing leaves them.
    std::vector<LevelEntry> levelEntries;
    // Every other non-empty line in file order, "Highest Level" included,
    // "Current Score" excluded.
    std::vector<std::string> extraLines;
    std::int32_t currentScore = 0;
    // Level lines the editor does not list: keys beginning "Level0", keys
    // whose text after "Level" is not a level number 1 to 999, and level
    // lines without "=". The game never reads them, but they are the
    // player's, so saves write them back unchanged after the level lines.
    std::vector<std::string> unlistedLines;
    // Set once UpdateHighestLevel has put its "Highest Level" line last in
    // extraLines: later updates rewrite that line, so a second "Highest
    // Level" line of the file survives every further save.
    bool highestLevelIsLast = false;
};

// Loads the first section headed exactly "[" + setName + "]" (case and blanks
// count). ReadError::unreadable when the file cannot be read (missing, empty
// path, a folder); an error on the line after the file's last when it has no
// such header.
ReadResult<ScoreSection> LoadScoreSection(const std::string& iniPath, const std::string& setName);

// The same from the file's bytes. The result's iniPath is left empty.
ReadResult<ScoreSection> parseScoreSection(std::string_view bytes, const std::string& setName);

// The level number of a level line's key: "Level" + 1 to 999 without a
// leading zero, which is how the game writes it; otherwise why not (on line
// 0: the caller knows the line).
ReadResult<int> readLevelKey(std::string_view key);

// The lines of a whole score file that the INI File Editor cannot use, in
// file order: a level key readLevelKey refuses, a level value with two fields
// or more than three, a time or score that is not a whole number, and a
// section whose header was used before. Empty values and passwords alone are
// fine.
std::vector<ReadError> scoreFileProblems(std::string_view bytes);

// Replaces the first "Highest Level" line with "Highest Level=" + the number
// of entries, moved to the end of the extra lines; called again, rewrites
// that line. A section without one gains none.
void UpdateHighestLevel(ScoreSection& section);

// currentScore = the sum of the third fields of all values with more than one
// field (a field that is not a number adds nothing; the sum stops at the
// 32-bit limits).
void RecomputeCurrentScore(ScoreSection& section);

enum class SaveResult {
    Saved,
    // More than 999 other sections: a running count of headers reached 1000,
    // where a header of the edited set counts only until it is recognised.
    // Nothing is written.
    TooManySections,
    FileUnavailable, // the loaded file can no longer be read; nothing written
    WriteFailed,     // the file could not be replaced; it is as it was
};

// Writes the section back into iniPath: every other section first, line for
// line and in order (lines before the first header stay in front), then the
// edited section rebuilt from the model, then any later section with the same
// header. The file is replaced as a whole, so a failure leaves it as it was.
// Updates "Highest Level" and "Current Score" first.
SaveResult SaveSectionInPlace(ScoreSection& section);

// Writes the section alone to a new file (replacing one that exists), ending
// with an empty line. iniPath stays the target of SaveSectionInPlace. False
// when the file could not be written; an existing file is then left whole.
bool SaveSectionToFile(ScoreSection& section, const std::string& path);

} // namespace tessaro
