#pragma once

#include <filesystem>
#include <string>
#include <string_view>

namespace tessaro {

// The separator of the system Tessaro runs on.
#ifdef _WIN32
inline constexpr char kPathSeparator = '\\';
#else
inline constexpr char kPathSeparator = '/';
#endif

// folder + separator + name, then every two consecutive separators replaced by
// one (so a drive root such as "C:\" does not give a doubled separator). A
// folder that is a network path keeps its leading pair.
std::string joinAndClean(std::string_view folder, std::string_view name,
                         char separator = kPathSeparator);

// Every two consecutive separators replaced by one, left to right; a leading
// pair is kept.
std::string cleanSeparators(std::string_view path, char separator = kPathSeparator);

// The file name after the last separator ('/' or '\').
std::string bareName(std::string_view path);

// Conversions between the core's byte strings and filesystem paths.
std::filesystem::path toPath(const std::string& bytes);
std::string fromPath(const std::filesystem::path& path);

} // namespace tessaro
