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

// A path held as text is UTF-8 on every system. toPath gives the system's own
// name for it (UTF-16 on Windows, through the wide file API; elsewhere the
// same bytes, so a name that is not valid UTF-8 still works) and fromPath
// gives the text back. Never convert a path with path(std::string) or
// path.string(): on Windows they go through the ANSI code page.
std::filesystem::path toPath(const std::string& bytes);
std::string fromPath(const std::filesystem::path& path);

// Case-insensitive (ASCII) comparisons used for file names and extensions.
bool equalsIgnoreCase(std::string_view a, std::string_view b);
bool endsWithIgnoreCase(std::string_view text, std::string_view suffix);
std::string toUpperAscii(std::string_view text);

} // namespace tessaro
