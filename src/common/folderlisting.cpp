#include "common/folderlisting.h"

#include "common/paths.h"

#include <algorithm>
#include <system_error>

namespace tessaro {

namespace {

// "*.ext" patterns only, which is all the file lists use; "*" or "*.*" match everything.
bool matchesAny(const std::string& name, const std::vector<std::string>& patterns) {
    for (const auto& pattern : patterns) {
        if (pattern == "*" || pattern == "*.*")
            return true;
        if (pattern.size() > 1 && pattern[0] == '*' && endsWithIgnoreCase(name, pattern.substr(1)))
            return true;
        if (equalsIgnoreCase(name, pattern))
            return true;
    }
    return false;
}

std::vector<std::string> splitPatterns(std::string_view patterns) {
    std::vector<std::string> parts;
    std::size_t start = 0;
    while (start <= patterns.size()) {
        const auto end = std::min(patterns.find(';', start), patterns.size());
        if (end > start)
            parts.emplace_back(patterns.substr(start, end - start));
        start = end + 1;
    }
    return parts;
}

void sortByName(std::vector<std::string>& names) {
    std::sort(names.begin(), names.end(), [](const std::string& a, const std::string& b) {
        const auto ua = toUpperAscii(a);
        const auto ub = toUpperAscii(b);
        return ua != ub ? ua < ub : a < b;
    });
}

template <typename Keep>
std::vector<std::string> listEntries(const std::filesystem::path& folder, Keep keep) {
    std::vector<std::string> names;
    std::error_code error;
    std::filesystem::directory_iterator it(folder, error);
    if (error)
        return names;
    for (const auto end = std::filesystem::directory_iterator(); it != end; it.increment(error)) {
        if (error)
            break;
        if (keep(*it))
            names.push_back(fromPath(it->path().filename()));
    }
    sortByName(names);
    return names;
}

} // namespace

std::vector<std::string> listFiles(const std::filesystem::path& folder, std::string_view patterns) {
    const auto parts = splitPatterns(patterns);
    return listEntries(folder, [&](const std::filesystem::directory_entry& entry) {
        std::error_code error;
        return entry.is_regular_file(error) &&
               matchesAny(fromPath(entry.path().filename()), parts);
    });
}

std::vector<std::string> listFolders(const std::filesystem::path& folder) {
    return listEntries(folder, [](const std::filesystem::directory_entry& entry) {
        std::error_code error;
        if (!entry.is_directory(error))
            return false;
#ifndef _WIN32
        if (fromPath(entry.path().filename()).starts_with('.'))
            return false;
#endif
        return true;
    });
}

} // namespace tessaro
