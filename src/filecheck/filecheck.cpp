#include "filecheck/filecheck.h"

#include "ccf/ccffile.h"
#include "ccx/ccxreader.h"
#include "common/casefold.h"
#include "common/paths.h"
#include "common/textfile.h"
#include "scorefile/scoresection.h"

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
        return {ReadError::unreadable("not a CCX, CCF or score INI file (by its extension)")};
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
    return text.append(": ").append(problem.problem);
}

} // namespace tessaro
