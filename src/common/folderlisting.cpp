#include "common/folderlisting.h"

#include "common/casefold.h"
#include "common/paths.h"

#include <algorithm>
#include <system_error>

namespace tessaro {

namespace {

std::string_view trimSpaces(std::string_view text) {
    const auto first = text.find_first_not_of(' ');
    if (first == std::string_view::npos)
        return {};
    return text.substr(first, text.find_last_not_of(' ') - first + 1);
}

// Wildcard match with backtracking to the last '*': linear in practice and
// never recursive, so a long name cannot blow the stack.
bool matchesOnePattern(std::string_view name, std::string_view pattern) {
    std::size_t n = 0, p = 0;
    std::size_t starAt = std::string_view::npos, resumeAt = 0;
    while (n < name.size()) {
        if (p < pattern.size() && pattern[p] == '*') {
            starAt = p++;
            resumeAt = n;
        } else if (p < pattern.size() &&
                   (pattern[p] == '?' || foldCase(pattern[p]) == foldCase(name[n]))) {
            ++p;
            ++n;
        } else if (starAt != std::string_view::npos) {
            p = starAt + 1;
            n = ++resumeAt;
        } else {
            return false;
        }
    }
    while (p < pattern.size() && pattern[p] == '*')
        ++p;
    return p == pattern.size();
}

// The bare name of a listed entry, without taking its whole path apart.
std::string entryName(const std::filesystem::directory_entry& entry) {
#ifdef _WIN32
    return fromPath(entry.path().filename());
#else
    const std::string& path = entry.path().native();
    return path.substr(path.rfind('/') + 1);
#endif
}

template <typename Keep>
std::vector<std::string> listEntries(const std::filesystem::path& folder, Keep keep) {
    std::vector<std::string> names;
    std::error_code error;
    std::filesystem::directory_iterator it(folder, error);
    for (; !error && it != std::filesystem::directory_iterator(); it.increment(error)) {
        std::string name = entryName(*it);
        if (keep(*it, name))
            names.push_back(std::move(name));
    }
    std::sort(names.begin(), names.end(),
              [](const std::string& a, const std::string& b) { return lessIgnoreCase(a, b); });
    return names;
}

} // namespace

bool matchesFilePattern(std::string_view name, std::string_view patterns) {
    while (true) {
        const auto semicolon = patterns.find(';');
        const auto pattern = trimSpaces(patterns.substr(0, semicolon));
        if (!pattern.empty() && matchesOnePattern(name, pattern))
            return true;
        if (semicolon == std::string_view::npos)
            return false;
        patterns.remove_prefix(semicolon + 1);
    }
}

std::vector<std::string> listMatchingFiles(const std::filesystem::path& folder,
                                           std::string_view patterns) {
    return listEntries(
        folder, [patterns](const std::filesystem::directory_entry& entry, const std::string& name) {
            std::error_code error;
            return entry.is_regular_file(error) && matchesFilePattern(name, patterns);
        });
}

std::vector<std::string> listSubfolders(const std::filesystem::path& folder) {
    return listEntries(folder,
                       [](const std::filesystem::directory_entry& entry, const std::string&) {
                           std::error_code error;
                           return entry.is_directory(error);
                       });
}

std::vector<FolderListEntry> folderListEntries(const std::string& folder, char separator) {
    std::vector<FolderListEntry> entries;
    const auto steps = folderSteps(folder, separator);
    for (std::size_t i = 0; i < steps.size(); ++i) {
        // Each step is the one before it, a separator (but after the root) and a name.
        const auto nameAt = i == 0 ? 0 : steps[i - 1].size() + (i == 1 ? 0 : 1);
        entries.push_back({steps[i], steps[i].substr(nameAt), static_cast<int>(i), false});
    }
    if (entries.empty())
        return entries;
    entries.back().current = true;
    const int childDepth = static_cast<int>(entries.size());
    for (auto& name : listSubfolders(toPath(steps.back())))
        entries.push_back({joinAndClean(steps.back(), name, separator), name, childDepth, false});
    return entries;
}

} // namespace tessaro
