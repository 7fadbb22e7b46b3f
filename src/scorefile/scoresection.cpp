#include "scorefile/scoresection.h"

#include "common/numbers.h"
#include "common/paths.h"
#include "common/safewriter.h"
#include "common/textfile.h"
#include "scorefile/levelvalue.h"

#include <algorithm>
#include <limits>
#include <optional>
#include <set>

namespace tessaro {

namespace {

constexpr int kMaxOtherSections = 999;

std::string headerOf(const std::string& setName) {
    return "[" + setName + "]";
}

std::string_view keyOf(std::string_view line) {
    return line.substr(0, line.find('='));
}

// A line the editor lists or keeps as a level line: it begins "Level" but
// not "LevelC".
bool isLevelLine(std::string_view line) {
    return line.starts_with("Level") && !line.starts_with("LevelC");
}

bool isHighestLevelLine(std::string_view line) {
    return keyOf(line) == "Highest Level";
}

// Sorts one line of the loaded section into the model; empty lines go.
void classifyLine(ScoreSection& section, std::string_view line) {
    if (line.empty())
        return;
    if (isLevelLine(line)) {
        const auto equals = line.find('=');
        const auto number =
            equals == std::string::npos ? ReadResult<int>(ReadError{}) : readLevelKey(keyOf(line));
        if (!number) {
            section.unlistedLines.emplace_back(line);
            return;
        }
        const auto secondEquals = line.find('=', equals + 1);
        LevelEntry entry;
        entry.number = *number;
        entry.value =
            line.substr(equals + 1, secondEquals == std::string::npos ? std::string::npos
                                                                      : secondEquals - equals - 1);
        if (secondEquals != std::string::npos)
            entry.rest = line.substr(secondEquals);
        section.levelEntries.push_back(std::move(entry));
        return;
    }
    if (line.starts_with("Current Score")) {
        const auto equals = line.find('=');
        const auto score =
            toInt32(equals == std::string::npos ? std::string_view() : line.substr(equals + 1));
        section.currentScore = score.value_or(0);
        return;
    }
    section.extraLines.emplace_back(line);
}

// A score file's sections are found by their header lines alone, the lines
// that begin with "[": a section runs from its header to the next one. Only
// the lines of the edited section are ever taken apart; the rest of the file,
// nearly all of it, is carried as byte ranges.
std::size_t nextHeader(std::string_view bytes, std::size_t from) {
    return findLineStartingWith(bytes, '[', from);
}

// Where the section whose header starts at offset header ends.
std::size_t sectionEnd(std::string_view bytes, std::size_t header) {
    return std::min(nextHeader(bytes, nextLineStart(bytes, header)), bytes.size());
}

// The edited section as it is written: header, extra lines, "Current Score",
// level lines in list order, then the unlisted level lines.
std::vector<std::string> sectionLines(const ScoreSection& section) {
    std::vector<std::string> lines;
    lines.reserve(section.extraLines.size() + section.levelEntries.size() +
                  section.unlistedLines.size() + 2);
    lines.push_back(headerOf(section.setName));
    lines.insert(lines.end(), section.extraLines.begin(), section.extraLines.end());
    lines.push_back("Current Score=" + std::to_string(section.currentScore));
    for (const auto& entry : section.levelEntries)
        lines.push_back(fileLine(entry));
    lines.insert(lines.end(), section.unlistedLines.begin(), section.unlistedLines.end());
    return lines;
}

} // namespace

std::string displayText(const LevelEntry& entry) {
    std::string number = std::to_string(entry.number);
    if (entry.number >= 0 && number.size() < 3)
        number.insert(0, 3 - number.size(), '0');
    return "Level" + number + "=" + entry.value;
}

std::string fileLine(const LevelEntry& entry) {
    return "Level" + std::to_string(entry.number) + "=" + entry.value + entry.rest;
}

ReadResult<int> readLevelKey(std::string_view key) {
    const auto digits = key.substr(std::min<std::size_t>(5, key.size()));
    const auto keyText = [key] { return "level key \"" + std::string(key) + "\""; };
    if (digits.empty() || digits.find_first_not_of("0123456789") != std::string_view::npos)
        return ReadError::atLine(0, keyText() + " is not a level number");
    if (digits.size() > 1 && digits.front() == '0')
        return ReadError::atLine(0,
                                 keyText() + " has a leading zero, which the game does not read");
    if (digits.size() > 3 || digits == "0")
        return ReadError::atLine(0, "level number " + std::string(digits) + " is outside 1 to 999");
    int number = 0;
    for (const char c : digits)
        number = number * 10 + (c - '0');
    return number;
}

ReadResult<ScoreSection> parseScoreSection(std::string_view bytes, const std::string& setName) {
    const std::string header = headerOf(setName);
    auto at = nextHeader(bytes, 0);
    while (at != std::string_view::npos && lineAt(bytes, at) != header)
        at = nextHeader(bytes, nextLineStart(bytes, at));
    if (at == std::string_view::npos) {
        std::size_t lines = 0;
        for (std::size_t line = 0; line < bytes.size(); line = nextLineStart(bytes, line))
            ++lines;
        return ReadError::atLine(lines + 1, "the file has no section " + header);
    }

    ScoreSection section;
    section.setName = setName;
    const auto end = sectionEnd(bytes, at);
    for (auto line = nextLineStart(bytes, at); line < end; line = nextLineStart(bytes, line))
        classifyLine(section, lineAt(bytes, line));
    // Equal numbers keep the order of their values, as the list shows them.
    std::stable_sort(section.levelEntries.begin(), section.levelEntries.end(),
                     [](const LevelEntry& a, const LevelEntry& b) {
                         return a.number != b.number ? a.number < b.number : a.value < b.value;
                     });
    return section;
}

ReadResult<ScoreSection> LoadScoreSection(const std::string& iniPath, const std::string& setName) {
    const auto bytes = iniPath.empty() ? std::nullopt : readFileBytes(toPath(iniPath));
    if (!bytes)
        return ReadError::unreadable("the file cannot be read");
    auto section = parseScoreSection(*bytes, setName);
    if (section)
        section->iniPath = iniPath;
    return section;
}

namespace {

// The problem of a level line's value, or nothing when the editor can use it.
std::optional<std::string> levelValueProblem(int number, std::string_view value) {
    const auto fields = splitValueFields(value);
    const auto level = "level " + std::to_string(number);
    if (fields.size() == 2 || fields.size() > 3)
        return level + " has " + std::to_string(fields.size()) +
               " fields; a value is a password alone or password,time,score";
    if (fields.size() == 3 && !toInt32(fields[1]))
        return level + ": the time \"" + std::string(fields[1]) + "\" is not a number";
    if (fields.size() == 3 && !toInt32(fields[2]))
        return level + ": the score \"" + std::string(fields[2]) + "\" is not a number";
    return std::nullopt;
}

} // namespace

std::vector<ReadError> scoreFileProblems(std::string_view bytes) {
    std::vector<ReadError> problems;
    std::set<std::string, std::less<>> headers;
    const auto lines = splitLines(bytes);
    for (std::size_t i = 0; i < lines.size(); ++i) {
        const std::string_view line = lines[i];
        const auto equals = line.find('=');
        if (line.starts_with("[")) {
            if (!headers.emplace(line).second)
                problems.push_back(
                    ReadError::atLine(i + 1, "the section " + lines[i] + " is named twice"));
        } else if (!headers.empty() && isLevelLine(line) && equals != std::string_view::npos) {
            const auto number = readLevelKey(line.substr(0, equals));
            if (!number) {
                problems.push_back(ReadError::atLine(i + 1, number.error().problem));
                continue;
            }
            auto value = line.substr(equals + 1);
            if (auto problem = levelValueProblem(*number, value.substr(0, value.find('='))))
                problems.push_back(ReadError::atLine(i + 1, std::move(*problem)));
        }
    }
    return problems;
}

void UpdateHighestLevel(ScoreSection& section) {
    auto& extras = section.extraLines;
    const auto line = "Highest Level=" + std::to_string(section.levelEntries.size());
    if (section.highestLevelIsLast && !extras.empty()) {
        extras.back() = line;
        return;
    }
    const auto found = std::find_if(extras.begin(), extras.end(), [](const std::string& extra) {
        return isHighestLevelLine(extra);
    });
    if (found == extras.end())
        return;
    extras.erase(found);
    extras.push_back(line);
    section.highestLevelIsLast = true;
}

void RecomputeCurrentScore(ScoreSection& section) {
    std::int64_t total = 0;
    for (const auto& entry : section.levelEntries) {
        const auto fields = splitValueFields(entry.value);
        if (fields.size() < 3)
            continue;
        total += toInt32(fields[2]).value_or(0);
        total = std::clamp<std::int64_t>(total, std::numeric_limits<std::int32_t>::min(),
                                         std::numeric_limits<std::int32_t>::max());
    }
    section.currentScore = static_cast<std::int32_t>(total);
}

SaveResult SaveSectionInPlace(ScoreSection& section) {
    UpdateHighestLevel(section);
    // Without the file's other sections, writing would leave the edited
    // section alone in it: refuse instead.
    const auto bytes =
        section.iniPath.empty() ? std::nullopt : readFileBytes(toPath(section.iniPath));
    if (!bytes)
        return SaveResult::FileUnavailable;

    // Every other line keeps its place, in CR LF lines like the rest of the
    // save; the edited section goes after them and any later section under
    // the same header after it.
    const std::string_view file = *bytes;
    const std::string header = headerOf(section.setName);
    std::string text;
    text.reserve(file.size() + 64 * (section.levelEntries.size() + section.extraLines.size() +
                                     section.unlistedLines.size() + 2));
    std::string duplicates;
    std::size_t copiedUpTo = 0;
    int count = 0;
    bool seenEdited = false;
    for (auto at = nextHeader(file, 0); at != std::string_view::npos;) {
        if (++count > kMaxOtherSections)
            return SaveResult::TooManySections;
        const auto end = sectionEnd(file, at);
        if (lineAt(file, at) == header) {
            --count;
            appendLinesCrLf(text, file.substr(copiedUpTo, at - copiedUpTo));
            if (seenEdited)
                appendLinesCrLf(duplicates, file.substr(at, end - at));
            seenEdited = true;
            copiedUpTo = end;
        }
        at = end < file.size() ? end : std::string_view::npos;
    }
    appendLinesCrLf(text, file.substr(copiedUpTo));
    RecomputeCurrentScore(section);

    text += joinLinesCrLf(sectionLines(section));
    text += duplicates;
    return replaceFileAtomically(toPath(section.iniPath), text) ? SaveResult::Saved
                                                                : SaveResult::WriteFailed;
}

bool SaveSectionToFile(ScoreSection& section, const std::string& path) {
    UpdateHighestLevel(section);
    RecomputeCurrentScore(section);
    if (path.empty())
        return false;
    auto lines = sectionLines(section);
    lines.emplace_back(); // the file ends with an empty line
    return writeTextLines(toPath(path), lines);
}

} // namespace tessaro
