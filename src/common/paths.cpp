#include "common/paths.h"

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

std::filesystem::path toPath(const std::string& bytes) {
    return std::filesystem::path(bytes);
}

std::string fromPath(const std::filesystem::path& path) {
    return path.string();
}

} // namespace tessaro
