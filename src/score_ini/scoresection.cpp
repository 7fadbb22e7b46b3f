#include "score_ini/scoresection.h"

#include "common/numbers.h"
#include "common/paths.h"
#include "common/textfile.h"
#include "score_ini/levelvalue.h"

#include <algorithm>
#include <limits>

namespace tessaro {

namespace {

constexpr int kMaxOtherSections = 999;

std::string headerOf(const std::string& setName) {
    return "[" + setName + "]";
}

bool startsWith(std::string_view text, std::string_view prefix) {
    return text.substr(0, prefix.size()) == prefix;
}

std::string_view keyOf(std::string_view line) {
    return line.substr(0, line.find('='));
}

// The level number of a key "Level" + 1 to 3 digits without a leading zero.
std::optional<int> levelNumberOf(std::string_view key) {
    const auto digits = key.substr(5);
    if (digits.empty() || digits.size() > 3 || digits.front() == '0')
        return std::nullopt;
    int number = 0;
    for (const char c : digits) {
        if (c < '0' || c > '9')
            return std::nullopt;
        number = number * 10 + (c - '0');
    }
    return number;
}

bool isHighestLevelLine(std::string_view line) {
    return keyOf(line) == "Highest Level";
}

// Sorts one line of the loaded section into the model; empty lines go.
void classifyLine(ScoreSection& section, const std::string& line) {
    if (line.empty())
        return;
    if (startsWith(line, "Level") && !startsWith(line, "LevelC")) {
        const auto equals = line.find('=');
        const auto number = equals == std::string::npos ? std::nullopt : levelNumberOf(keyOf(line));
        if (!number) {
            section.unlistedLines.push_back(line);
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
    if (startsWith(line, "Current Score")) {
        const auto equals = line.find('=');
        const auto score =
            toInt32(equals == std::string::npos ? std::string_view()
                                                : std::string_view(line).substr(equals + 1));
        section.currentScore = score.value_or(0);
        return;
    }
    section.extraLines.push_back(line);
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

std::optional<ScoreSection> parseScoreSection(std::string_view bytes, const std::string& setName) {
    const auto lines = splitLines(bytes);
    const auto header = std::find(lines.begin(), lines.end(), headerOf(setName));
    if (header == lines.end())
        return std::nullopt;

    ScoreSection section;
    section.setName = setName;
    for (auto line = header + 1; line != lines.end() && !startsWith(*line, "["); ++line)
        classifyLine(section, *line);
    // Equal numbers keep the order of their values, as the list shows them.
    std::stable_sort(section.levelEntries.begin(), section.levelEntries.end(),
                     [](const LevelEntry& a, const LevelEntry& b) {
                         return a.number != b.number ? a.number < b.number : a.value < b.value;
                     });
    return section;
}

std::variant<ScoreSection, LoadError> LoadScoreSection(const std::string& iniPath,
                                                       const std::string& setName) {
    if (iniPath.empty())
        return LoadError::FileUnavailable;
    const auto bytes = readFileBytes(toPath(iniPath));
    if (!bytes)
        return LoadError::FileUnavailable;
    auto section = parseScoreSection(*bytes, setName);
    if (!section)
        return LoadError::SectionNotFound;
    section->iniPath = iniPath;
    return std::move(*section);
}

void UpdateHighestLevel(ScoreSection& section) {
    auto& extras = section.extraLines;
    const auto line = "Highest Level=" + std::to_string(section.levelEntries.size());
    if (section.highestLevelIsLast && !extras.empty()) {
        extras.back() = line;
        return;
    }
    const auto found = std::find_if(extras.begin(), extras.end(), [](const std::string& line) {
        return isHighestLevelLine(line);
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
    const auto lines =
        section.iniPath.empty() ? std::nullopt : readTextLines(toPath(section.iniPath));
    if (!lines)
        return SaveResult::FileUnavailable;

    const std::string header = headerOf(section.setName);
    std::vector<std::string> before;    // lines in front of the edited section's new place
    std::vector<std::string> duplicate; // later sections under the edited header
    int count = 0;
    bool inEdited = false;
    bool inDuplicate = false;
    bool seenEdited = false;
    for (const auto& line : *lines) {
        if (startsWith(line, "[")) {
            if (++count > kMaxOtherSections)
                return SaveResult::TooManySections;
            inEdited = false;
            inDuplicate = false;
        }
        if (line == header) {
            --count;
            inEdited = !seenEdited;
            inDuplicate = seenEdited;
            seenEdited = true;
        }
        if (inEdited)
            continue;
        (inDuplicate ? duplicate : before).push_back(line);
    }
    RecomputeCurrentScore(section);

    auto edited = sectionLines(section);
    before.insert(before.end(), std::make_move_iterator(edited.begin()),
                  std::make_move_iterator(edited.end()));
    before.insert(before.end(), std::make_move_iterator(duplicate.begin()),
                  std::make_move_iterator(duplicate.end()));
    return writeTextLines(toPath(section.iniPath), before) ? SaveResult::Saved
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
