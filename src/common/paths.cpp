#include "common/paths.h"

#include <utility>

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

std::filesystem::path toPath(const Utf8Path& path) {
    return toPath(path.text());
}

namespace {

bool isSeparator(char c, char separator) {
    return c == separator || (separator == '\\' && c == '/');
}

bool isDriveLetter(char c) {
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z');
}

// The root (see pathRoot) and how many characters of the path it takes up.
std::pair<std::string, std::size_t> splitRoot(std::string_view path, char separator) {
    const auto separatorAt = [&](std::size_t i) {
        return i < path.size() && isSeparator(path[i], separator);
    };
    const auto nextSeparator = [&](std::size_t from) {
        while (from < path.size() && !isSeparator(path[from], separator))
            ++from;
        return from;
    };
    if (separatorAt(0) && separatorAt(1)) {
        // A network share: two separators, the server's name, the share's name.
        const auto serverEnd = nextSeparator(2);
        const auto shareEnd = serverEnd < path.size() ? nextSeparator(serverEnd + 1) : serverEnd;
        std::string root(1, separator);
        root += separator;
        root.append(path.substr(2, serverEnd - 2));
        if (shareEnd > serverEnd + 1) {
            root += separator;
            root.append(path.substr(serverEnd + 1, shareEnd - serverEnd - 1));
        }
        root += separator;
        return {root, shareEnd};
    }
    if (separator == '\\' && path.size() >= 2 && isDriveLetter(path[0]) && path[1] == ':')
        return {std::string(path.substr(0, 2)) + separator, separatorAt(2) ? 3 : 2};
    if (separatorAt(0))
        return {std::string(1, separator), 1};
    return {};
}

} // namespace

std::string pathRoot(std::string_view path, char separator) {
    return splitRoot(path, separator).first;
}

std::vector<std::string> folderSteps(std::string_view path, char separator) {
    const auto [root, taken] = splitRoot(path, separator);
    if (root.empty())
        return {};
    std::vector<std::string> steps{root};
    std::size_t at = taken;
    while (at < path.size()) {
        std::size_t end = at;
        while (end < path.size() && !isSeparator(path[end], separator))
            ++end;
        const auto name = path.substr(at, end - at);
        if (name == "..") {
            if (steps.size() > 1)
                steps.pop_back();
        } else if (!name.empty() && name != ".") {
            steps.push_back(steps.size() == 1 ? root + std::string(name)
                                              : steps.back() + separator + std::string(name));
        }
        at = end + 1;
    }
    return steps;
}

} // namespace tessaro
