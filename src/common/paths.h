#pragma once

#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

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

// A path held as text is UTF-8 on every system. toPath gives the system's own
// name for it (UTF-16 on Windows, through the wide file API; elsewhere the
// same bytes, so a name that is not valid UTF-8 still works) and fromPath
// gives the text back. Never convert a path with path(std::string) or
// path.string(): on Windows they go through the ANSI code page.
std::filesystem::path toPath(const std::string& bytes);
std::string fromPath(const std::filesystem::path& path);

// The root a path begins with, ending in the separator: a drive "C:\", a
// network share "\\server\share\", or the separator alone; empty for a
// relative path. With the backslash separator (Windows), "/" separates too and
// drive letters are roots.
std::string pathRoot(std::string_view path, char separator = kPathSeparator);

// Every folder from the path's root down to the path itself, each a full
// path ("\\server\share\", "\\server\share\dir", ...), without doubled
// or trailing separators; "." is dropped and ".." goes up a level (never above
// the root). Empty for a relative path.
std::vector<std::string> folderSteps(std::string_view path, char separator = kPathSeparator);

} // namespace tessaro
