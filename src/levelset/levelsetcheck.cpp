#include "levelset/levelsetcheck.h"

#include <algorithm>
#include <map>

namespace tessaro {

namespace {

bool isPassword(std::string_view password) {
    return password.size() == 4 && std::all_of(password.begin(), password.end(),
                                               [](char c) { return c >= 'A' && c <= 'Z'; });
}

} // namespace

std::string oneLineText(std::string text) {
    std::replace_if(
        text.begin(), text.end(), [](char c) { return c == '\t' || c == '\r' || c == '\n'; }, ' ');
    return text;
}

std::vector<LevelSetProblem> checkLevelSet(const LevelSet& set) {
    auto problems = set.problems;
    std::map<std::uint16_t, std::size_t> numbers;
    std::map<std::string, std::size_t> passwords;
    for (std::size_t index = 0; index < set.levels.size(); ++index) {
        const auto& level = set.levels[index];
        const auto position = index + 1;
        auto problem = [&](std::size_t offset, std::string what) {
            problems.push_back({position, offset, std::move(what)});
        };
        const auto [number, newNumber] = numbers.try_emplace(level.number, position);
        if (!newNumber)
            problem(level.offset + 2, "the level's number " + std::to_string(level.number) +
                                          " is also level " + std::to_string(number->second) +
                                          "'s");
        else if (level.number != position)
            problem(level.offset + 2, "the level's number " + std::to_string(level.number) +
                                          " is out of order (expected " + std::to_string(position) +
                                          ")");
        if (!level.passwordOffset) {
            problem(level.offset, "the level has no password");
            continue;
        }
        if (!isPassword(level.password))
            problem(*level.passwordOffset,
                    "the password \"" + oneLineText(level.password) + "\" is not 4 letters A to Z");
        const auto [earlier, newPassword] = passwords.try_emplace(level.password, position);
        if (!newPassword)
            problem(*level.passwordOffset, "the password " + oneLineText(level.password) +
                                               " is also level " + std::to_string(earlier->second) +
                                               "'s");
    }
    std::stable_sort(problems.begin(), problems.end(),
                     [](const auto& a, const auto& b) { return a.offset < b.offset; });
    return problems;
}

std::string formatLevelSetProblem(std::string_view fileName, const LevelSetProblem& problem) {
    return std::string(fileName) + ": level " + std::to_string(problem.level) + " (offset " +
           std::to_string(problem.offset) + "): " + problem.problem;
}

std::vector<std::string> levelSetListLines(const LevelSet& set) {
    std::vector<std::string> lines;
    lines.reserve(set.levels.size());
    for (const auto& level : set.levels)
        lines.push_back(std::to_string(level.number) + '\t' + oneLineText(level.title) + '\t' +
                        oneLineText(level.password) + '\t' + std::to_string(level.timeLimit));
    return lines;
}

} // namespace tessaro
