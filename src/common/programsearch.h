#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace tessaro {

// The folders a program is looked for in: the PATH variable, or nothing when
// it is not set.
std::optional<std::string> systemSearchPath();

// The full path of the first program called name in the folders of
// searchPath (PATH's form: separated by ':', or ';' on Windows), or nothing
// when none of them holds one. Empty entries are skipped, so the current
// folder is never searched; elsewhere than Windows the file must be
// executable.
std::optional<std::string> findProgram(std::string_view name, std::string_view searchPath);

} // namespace tessaro
