#pragma once

#include <filesystem>
#include <string>
#include <string_view>
#include <utility>
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

// A path held as text: UTF-8 on every system. It is not a
// std::filesystem::path and never turns into one by itself, nor is one made
// from it: toPath gives the system's own name for it (UTF-16 on Windows,
// through the wide file API; elsewhere the same bytes, so a name that is not
// valid UTF-8 still works) and fromPath gives the text back. The other ways,
// std::filesystem::path(std::string) and path.string(), go through the ANSI
// code page on Windows and garble any name outside it; ci/path-rule.sh finds
// them in the sources.
class Utf8Path {
public:
    Utf8Path() = default;
    explicit Utf8Path(std::string text) : m_text(std::move(text)) {}
    explicit Utf8Path(const char* text) : m_text(text) {}
    // Text from a std::filesystem::path comes through fromPath only.
    Utf8Path(const std::filesystem::path&) = delete;

    const std::string& text() const { return m_text; }
    bool empty() const { return m_text.empty(); }
    bool operator==(const Utf8Path&) const = default;

private:
    std::string m_text;
};

std::filesystem::path toPath(const Utf8Path& path);
// A path whose text is still held in a std::string.
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
