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
// for line 0.
std::string formatProblem(std::string_view fileName, const ReadError& problem);

} // namespace tessaro
