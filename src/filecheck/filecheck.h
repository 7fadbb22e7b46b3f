#pragma once

#include "common/readresult.h"

#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

namespace tessaro {

// Reads the file with the reader its extension names (".ccx", ".ccf" or
// ".ini", in any case) and lists what that reader refuses, as it says it, and
// for a CCX file each line it does not read; an unreadable file or another
// extension is one problem on line 0. Nothing is written.
std::vector<ReadError> checkFile(const std::filesystem::path& path);

// A problem as compilers print one: "file:line: problem", or "file: problem"
// for line 0, or "file: offset X: problem" for a byte offset.
std::string formatProblem(std::string_view fileName, const ReadError& problem);

// True for a file `tessaro --check` reads as a level set: ".dat" or ".ccl" (in
// any case), or any other file but a CCX, CCF or score INI file that starts
// with a level-set signature.
bool isLevelSetToCheck(const std::filesystem::path& path);

// What `tessaro --check` prints for a file, named fileName in each line: for a
// level set, each problem checkLevelSet finds ("file: level N (offset X):
// problem"), or why the reader refuses it; for any other file, checkFile's
// problems. Empty when the file reads without a problem. Nothing is written.
std::vector<std::string> checkReport(const std::filesystem::path& path, std::string_view fileName);

// What `tessaro --list` prints for a file: one line per level of a level set
// or of a CCF file's set (levelSetListLines), or the number and title of each
// level of a CCX file, separated by a TAB. When the file, or a CCF file's set,
// cannot be read, no lines but the problem as `--check` prints it.
struct FileListing {
    std::vector<std::string> lines;
    std::vector<std::string> problems;
};
FileListing listFile(const std::filesystem::path& path, std::string_view fileName);

} // namespace tessaro
