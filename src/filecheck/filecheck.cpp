#include "filecheck/filecheck.h"

#include "ccx/ccxreader.h"
#include "common/casefold.h"
#include "common/paths.h"
#include "common/textfile.h"
#include "levelset/ccffile.h"
#include "levelset/levelsetcheck.h"
#include "levelset/levelsetfile.h"
#include "levelset/levelsetreader.h"
#include "scorefile/scoresection.h"

#include <algorithm>

namespace tessaro {

namespace {

template <typename T> std::vector<ReadError> problemsOf(const ReadResult<T>& result) {
    if (result)
        return {};
    return {result.error()};
}

// A refusal, or each line the editor would drop on its next save.
std::vector<ReadError> ccxProblems(std::string_view bytes) {
    const auto result = parseCcxFile(bytes, CcxDocument());
    if (!result)
        return {result.error()};
    std::vector<ReadError> problems;
    for (const auto line : result->unreadLines)
        problems.push_back(ReadError::atLine(
            line, "this line is not part of the set and will be dropped on save"));
    return problems;
}

} // namespace

std::vector<ReadError> checkFile(const std::filesystem::path& path) {
    const auto extension = fromPath(path.extension());
    const bool ccx = equalsIgnoreCase(extension, ".ccx");
    const bool ccf = equalsIgnoreCase(extension, ".ccf");
    if (!ccx && !ccf && !equalsIgnoreCase(extension, ".ini"))
        return {ReadError::unreadable("not a level set, CCX, CCF or score INI file")};
    const auto bytes = readFileBytes(path);
    if (!bytes)
        return {ReadError::unreadable("the file cannot be read")};
    if (ccx)
        return ccxProblems(*bytes);
    if (ccf)
        return problemsOf(parseCcfFile(*bytes));
    return scoreFileProblems(*bytes);
}

std::string formatProblem(std::string_view fileName, const ReadError& problem) {
    std::string text(fileName);
    if (problem.line != 0)
        text.append(":").append(std::to_string(problem.line));
    else if (problem.offset)
        text.append(": offset ").append(std::to_string(*problem.offset));
    return text.append(": ").append(problem.problem);
}

namespace {

bool hasExtension(const std::filesystem::path& path, std::initializer_list<std::string_view> list) {
    const auto extension = fromPath(path.extension());
    return std::any_of(list.begin(), list.end(),
                       [&](auto wanted) { return equalsIgnoreCase(extension, wanted); });
}

// A set's problems as --check prints them, or the reader's refusal.
std::vector<std::string> levelSetReport(const ReadResult<LevelSet>& set,
                                        std::string_view fileName) {
    if (!set)
        return {formatProblem(fileName, set.error())};
    std::vector<std::string> lines;
    for (const auto& problem : checkLevelSet(*set))
        lines.push_back(formatLevelSetProblem(fileName, problem));
    return lines;
}

FileListing levelSetListing(const std::filesystem::path& path, std::string_view fileName) {
    const auto bytes = readFileBytes(path);
    if (!bytes)
        return {{}, {formatProblem(fileName, ReadError::unreadable("the file cannot be read"))}};
    const auto set = parseLevelSet(*bytes);
    if (!set)
        return {{}, levelSetReport(set, fileName)};
    return {levelSetListLines(*set), {}};
}

} // namespace

bool isLevelSetToCheck(const std::filesystem::path& path) {
    if (hasExtension(path, {".dat", ".ccl"}))
        return true;
    return !hasExtension(path, {".ccx", ".ccf", ".ini"}) && fileStartsWithLevelSetSignature(path);
}

std::vector<std::string> checkReport(const std::filesystem::path& path, std::string_view fileName) {
    if (isLevelSetToCheck(path)) {
        const auto bytes = readFileBytes(path);
        if (!bytes)
            return {formatProblem(fileName, ReadError::unreadable("the file cannot be read"))};
        return levelSetReport(parseLevelSet(*bytes), fileName);
    }
    std::vector<std::string> lines;
    for (const auto& problem : checkFile(path))
        lines.push_back(formatProblem(fileName, problem));
    return lines;
}

FileListing listFile(const std::filesystem::path& path, std::string_view fileName) {
    const bool ccx = hasExtension(path, {".ccx"});
    if (!ccx && !hasExtension(path, {".ccf"}))
        return levelSetListing(path, fileName);
    const auto bytes = readFileBytes(path);
    if (!bytes)
        return {{}, {formatProblem(fileName, ReadError::unreadable("the file cannot be read"))}};
    if (ccx) {
        const auto read = parseCcxFile(*bytes, CcxDocument());
        if (!read)
            return {{}, {formatProblem(fileName, read.error())}};
        FileListing listing;
        for (const auto number : read->levelNumbers)
            listing.lines.push_back(std::to_string(number) + '\t' +
                                    oneLineText(read->document.level(number).title));
        return listing;
    }
    const auto ccf = parseCcfFile(*bytes);
    if (!ccf)
        return {{}, {formatProblem(fileName, ccf.error())}};
    const auto set = ccfLevelSetPath(ccf->levelSetPath);
    return levelSetListing(set, fromPath(set));
}

} // namespace tessaro
