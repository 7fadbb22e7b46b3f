#pragma once

#include <cstddef>
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

namespace tessaro {

// One thing a reader of Tessaro's cannot use: the line (counted from 1; 0 when
// it concerns the whole file) and the problem in words.
struct FileProblem {
    std::size_t line = 0;
    std::string problem;

    bool operator==(const FileProblem&) const = default;
};

// The lines of a score INI file that the INI File Editor cannot use: a level
// value with two fields or more than three, a time or score that is not a
// whole number, a level number outside 1 to 999, and a section whose header
// was used before. Empty values and passwords alone are fine.
std::vector<FileProblem> checkScoreIni(std::string_view bytes);

// A CCF file's problems: fewer than four fields, or a last level that is not a
// 16-bit number.
std::vector<FileProblem> checkCcf(std::string_view bytes);

// Reads the file with the reader its extension names (".ccx", ".ccf" or
// ".ini", in any case) and lists its problems; an unreadable file or another
// extension is one problem on line 0. Nothing is written.
std::vector<FileProblem> checkFile(const std::filesystem::path& path);

// A problem as compilers print one: "file:line: problem", or "file: problem"
// for line 0.
std::string formatProblem(std::string_view fileName, const FileProblem& problem);

} // namespace tessaro
