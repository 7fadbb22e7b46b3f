#include "launcher/setdetails.h"

#include "common/codepage.h"
#include "common/numbers.h"
#include "common/paths.h"
#include "launcher/playpipeline.h"
#include "levelset/ccffile.h"
#include "levelset/levelsetreader.h"
#include "scorefile/levelvalue.h"
#include "scorefile/scoresection.h"

#include <map>

namespace tessaro {

namespace {

constexpr const char* kDefaultScoreFile = "tessaro.ini";

std::string levelsText(std::size_t count) {
    return std::to_string(count) + (count == 1 ? " level" : " levels");
}

std::string whereText(const ReadError& error) {
    if (error.offset)
        return " (offset " + std::to_string(*error.offset) + ")";
    if (error.line != 0)
        return " (line " + std::to_string(error.line) + ")";
    return {};
}

// The player's values by level number, and the header line that sums them up.
std::string readStanding(const SetDetailsSource& source, std::size_t levelCount,
                         std::map<int, std::string>& values) {
    const auto iniName =
        source.iniFileName.empty() ? std::string(kDefaultScoreFile) : source.iniFileName;
    const auto iniPath = joinAndClean(source.scoreFolder, iniName);
    // A play names the section after the selected file, in the game's code page.
    const auto sectionName = toWindows1252(source.fileName).value_or(source.fileName);
    auto section = LoadScoreSection(iniPath, sectionName);
    if (!section) {
        if (section.error().fileUnreadable())
            return "No score file " + iniPath + " yet.";
        return "No level reached yet: " + iniPath + " has no section [" + source.fileName + "].";
    }
    for (const auto& entry : section->levelEntries)
        values.emplace(entry.number, entry.value);
    RecomputeCurrentScore(*section);
    std::size_t reached = 0;
    for (const auto& [number, value] : values)
        reached += number >= 1 && static_cast<std::size_t>(number) <= levelCount ? 1 : 0;
    return std::to_string(reached) + " of " + levelsText(levelCount) + " reached, total score " +
           std::to_string(section->currentScore) + " (" + iniName + ").";
}

SetDetailsRow rowOf(const LevelSetLevel& level, const std::map<int, std::string>& values) {
    SetDetailsRow row{.number = std::to_string(level.number),
                      .title = level.title,
                      .password = level.password,
                      .timeLimit =
                          level.timeLimit == 0 ? "untimed" : std::to_string(level.timeLimit)};
    const auto value = values.find(level.number);
    if (value == values.end())
        return row;
    row.reached = "yes";
    const auto fields = splitValueFields(value->second);
    if (fields.size() == 3) {
        row.bestTime = std::string(fields[1]);
        row.score = std::string(fields[2]);
    }
    return row;
}

} // namespace

SetDetails readSetDetails(const SetDetailsSource& source) {
    SetDetails details;
    auto setPath = joinAndClean(source.folder, source.fileName);
    std::string setName = source.fileName;
    std::string ccfLine;
    if (isCcfPlay(source.fileName)) {
        const auto ccf = readCcfFields(toPath(setPath), 4);
        if (!ccf) {
            details.warning = "The CCF file " + source.fileName +
                              " could not be read or does not hold the four lines of a CCF "
                              "file" +
                              whereText(ccf.error()) + ".";
            return details;
        }
        setPath = fromPath(ccfLevelSetPath((*ccf)[0]));
        setName = fromWindows1252((*ccf)[0]);
        details.ccfFakeLastLevel = (*ccf)[1];
        details.ccfRealLastLevel = (*ccf)[2];
        ccfLine = source.fileName + " plays " + setName + ".\n";
    }

    const auto set = readLevelSet(setPath);
    if (!set) {
        const auto& error = set.error();
        details.warning =
            error.fileUnreadable()
                ? setName + " could not be read."
                : setName + " is not a level set: " + error.problem + whereText(error) + ".";
        return details;
    }
    details.levelCount = set->declaredLevelCount;
    std::map<int, std::string> values;
    const auto standing = readStanding(source, set->declaredLevelCount, values);
    details.header = ccfLine + (set->ruleset == Ruleset::Lynx ? "Lynx" : "MS") + " rules, " +
                     levelsText(set->declaredLevelCount) + ".\n" + standing;
    details.rows.reserve(set->levels.size());
    for (const auto& level : set->levels)
        details.rows.push_back(rowOf(level, values));
    if (!set->problems.empty()) {
        const auto& first = set->problems.front();
        details.warning =
            "Level " + std::to_string(first.level) + " (offset " + std::to_string(first.offset) +
            "): " + first.problem +
            (set->problems.size() > 1 ? " (and " + std::to_string(set->problems.size() - 1) +
                                            " more; tessaro --check lists them)."
                                      : ".");
    }
    return details;
}

std::string lastLevelWarning(std::optional<std::size_t> levelCount,
                             const std::string& fakeLastLevel, const std::string& realLastLevel) {
    if (!levelCount)
        return {};
    auto beyond = [&](const std::string& text) {
        const auto level = toInt16(text);
        return level && *level > 0 && static_cast<std::size_t>(*level) > *levelCount;
    };
    std::vector<std::string> named;
    if (beyond(fakeLastLevel))
        named.push_back("the fake last level " + fakeLastLevel);
    if (beyond(realLastLevel))
        named.push_back("the real last level " + realLastLevel);
    if (named.empty())
        return {};
    const auto start = "This set has " + levelsText(*levelCount) + "; ";
    if (named.size() == 1)
        return start + named[0] + " is beyond it.";
    return start + named[0] + " and " + named[1] + " are beyond it.";
}

} // namespace tessaro
