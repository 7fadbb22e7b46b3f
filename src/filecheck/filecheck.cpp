#include "filecheck/filecheck.h"

#include "ccf/ccffile.h"
#include "ccx/ccxreader.h"
#include "common/casefold.h"
#include "common/numbers.h"
#include "common/paths.h"
#include "common/textfile.h"
#include "score_ini/levelvalue.h"

#include <set>

namespace tessaro {

namespace {

bool startsWith(std::string_view text, std::string_view prefix) {
    return text.substr(0, prefix.size()) == prefix;
}

// The problem of one "Level..." line, or nothing when the editor can use it.
std::string levelLineProblem(std::string_view line) {
    const auto equals = line.find('=');
    if (equals == std::string_view::npos)
        return {};
    const auto key = line.substr(5, equals - 5);
    const std::string keyText(line.substr(0, equals));
    if (key.empty() || key.find_first_not_of("0123456789") != std::string_view::npos)
        return "level key \"" + keyText + "\" is not a level number";
    if (key.size() > 1 && key.front() == '0')
        return "level key \"" + keyText + "\" has a leading zero, which the game does not read";
    if (key.size() > 3 || key == "0")
        return "level number " + std::string(key) + " is outside 1 to 999";
    const int number = std::stoi(std::string(key));
    auto value = line.substr(equals + 1);
    value = value.substr(0, value.find('='));
    const auto fields = splitValueFields(value);
    if (fields.size() == 2 || fields.size() > 3)
        return "level " + std::to_string(number) + " has " + std::to_string(fields.size()) +
               " fields; a value is a password alone or password,time,score";
    if (fields.size() == 3 && !toInt32(fields[1]))
        return "level " + std::to_string(number) + ": the time \"" + std::string(fields[1]) +
               "\" is not a number";
    if (fields.size() == 3 && !toInt32(fields[2]))
        return "level " + std::to_string(number) + ": the score \"" + std::string(fields[2]) +
               "\" is not a number";
    return {};
}

} // namespace

std::vector<FileProblem> checkScoreIni(std::string_view bytes) {
    std::vector<FileProblem> problems;
    std::set<std::string, std::less<>> headers;
    const auto lines = splitLines(bytes);
    for (std::size_t i = 0; i < lines.size(); ++i) {
        const std::string& line = lines[i];
        if (startsWith(line, "[")) {
            if (!headers.insert(line).second)
                problems.push_back({i + 1, "the section " + line + " is named twice"});
        } else if (!headers.empty() && startsWith(line, "Level") && !startsWith(line, "LevelC")) {
            if (auto problem = levelLineProblem(line); !problem.empty())
                problems.push_back({i + 1, std::move(problem)});
        }
    }
    return problems;
}

std::vector<FileProblem> checkCcf(std::string_view bytes) {
    const auto fields = parseCcfFields(bytes, 4);
    if (!fields)
        return {{0, "a CCF file holds four fields: level set, fake and real last level, name"}};
    std::vector<FileProblem> problems;
    const char* names[] = {"fake", "real"};
    for (std::size_t i = 1; i <= 2; ++i) {
        if (!toInt16((*fields)[i]))
            problems.push_back({i + 1, std::string("the ") + names[i - 1] + " last level \"" +
                                           (*fields)[i] +
                                           "\" is not a number from -32768 to 32767"});
    }
    return problems;
}

std::vector<FileProblem> checkFile(const std::filesystem::path& path) {
    const auto extension = fromPath(path.extension());
    if (!equalsIgnoreCase(extension, ".ccx") && !equalsIgnoreCase(extension, ".ccf") &&
        !equalsIgnoreCase(extension, ".ini"))
        return {{0, "not a CCX, CCF or score INI file (by its extension)"}};
    const auto bytes = readFileBytes(path);
    if (!bytes)
        return {{0, "the file cannot be read"}};
    if (equalsIgnoreCase(extension, ".ccf"))
        return checkCcf(*bytes);
    if (equalsIgnoreCase(extension, ".ini"))
        return checkScoreIni(*bytes);
    const auto result = parseCcxFile(*bytes, CcxDocument());
    if (result.ok())
        return {};
    return {{result.error.line, result.error.problem}};
}

std::string formatProblem(std::string_view fileName, const FileProblem& problem) {
    std::string text(fileName);
    if (problem.line != 0)
        text.append(":").append(std::to_string(problem.line));
    return text.append(": ").append(problem.problem);
}

} // namespace tessaro
