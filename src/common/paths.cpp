#include "common/paths.h"

#include <algorithm>

namespace tessaro {

namespace {

bool startsWithPair(std::string_view path, char separator) {
    return path.size() >= 2 && path[0] == separator && path[1] == separator;
}

std::string clean(std::string_view path, char separator, bool keepLeadingPair) {
    std::string cleaned;
    cleaned.reserve(path.size());
    std::size_t i = 0;
    if (keepLeadingPair && startsWithPair(path, separator)) {
        cleaned.append(2, separator);
        i = 2;
    }
    while (i < path.size()) {
        if (path[i] == separator && i + 1 < path.size() && path[i + 1] == separator) {
            cleaned.push_back(separator);
            i += 2;
        } else {
            cleaned.push_back(path[i]);
            ++i;
        }
    }
    return cleaned;
}

} // namespace

std::string cleanSeparators(std::string_view path, char separator) {
    return clean(path, separator, true);
}

std::string joinAndClean(std::string_view folder, std::string_view name, char separator) {
    std::string joined(folder);
    joined.push_back(separator);
    joined.append(name);
    return clean(joined, separator, startsWithPair(folder, separator));
}

std::string bareName(std::string_view path) {
    const auto slash = path.find_last_of("/\\");
    return std::string(slash == std::string_view::npos ? path : path.substr(slash + 1));
}

#ifdef _WIN32
// Windows names are UTF-16; they travel through the core as UTF-8, never
// through the ANSI code page, which cannot hold most of them.
std::filesystem::path toPath(const std::string& bytes) {
    return std::filesystem::path(std::u8string(bytes.begin(), bytes.end()));
}

std::string fromPath(const std::filesystem::path& path) {
    const auto text = path.u8string();
    return std::string(text.begin(), text.end());
}
#else
// Names are the system's own bytes: UTF-8 as a rule, and a name that is not
// valid UTF-8 still reaches its file.
std::filesystem::path toPath(const std::string& bytes) {
    return std::filesystem::path(bytes);
}

std::string fromPath(const std::filesystem::path& path) {
    return path.native();
}
#endif

namespace {
char upper(char c) {
    return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c;
}
} // namespace

bool equalsIgnoreCase(std::string_view a, std::string_view b) {
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(),
                                              [](char x, char y) { return upper(x) == upper(y); });
}

bool endsWithIgnoreCase(std::string_view text, std::string_view suffix) {
    return text.size() >= suffix.size() &&
           equalsIgnoreCase(text.substr(text.size() - suffix.size()), suffix);
}

std::string toUpperAscii(std::string_view text) {
    std::string result(text);
    std::transform(result.begin(), result.end(), result.begin(), upper);
    return result;
}

} // namespace tessaro
