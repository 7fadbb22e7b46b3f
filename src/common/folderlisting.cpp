#include "common/folderlisting.h"

#include "common/casefold.h"
#include "common/paths.h"

#include <algorithm>
#include <system_error>

#ifndef _WIN32
#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#endif

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

// What a walk through a folder learns of an entry. Links count as what they
// lead to; a link that leads nowhere is Other.
enum class EntryKind { File, Folder, Other };

#ifdef _WIN32

// Calls take(name, kind) for every entry of the folder; kind() says what the
// entry is. False when the folder cannot be read.
template <typename Take> bool walkFolder(const std::filesystem::path& folder, Take take) {
    std::error_code error;
    std::filesystem::directory_iterator it(folder, error);
    if (error)
        return false;
    for (; !error && it != std::filesystem::directory_iterator(); it.increment(error)) {
        const auto& entry = *it;
        take(fromPath(entry.path().filename()), [&entry] {
            std::error_code kindError;
            if (entry.is_regular_file(kindError))
                return EntryKind::File;
            return entry.is_directory(kindError) ? EntryKind::Folder : EntryKind::Other;
        });
    }
    return true;
}

#else

// The same with the system's own calls: the kind comes from the folder itself
// and only a link, or an entry of a file system that does not say, is looked
// up. std::filesystem would build a full path for every entry.
template <typename Take> bool walkFolder(const std::filesystem::path& folder, Take take) {
    DIR* dir = ::opendir(folder.c_str());
    if (!dir)
        return false;
    while (const dirent* entry = ::readdir(dir)) {
        const char* name = entry->d_name;
        if (name[0] == '.' && (name[1] == '\0' || (name[1] == '.' && name[2] == '\0')))
            continue;
        take(std::string_view(name), [dir, entry] {
            if (entry->d_type == DT_REG)
                return EntryKind::File;
            if (entry->d_type == DT_DIR)
                return EntryKind::Folder;
            struct stat info {};
            if ((entry->d_type != DT_LNK && entry->d_type != DT_UNKNOWN) ||
                ::fstatat(::dirfd(dir), entry->d_name, &info, 0) != 0)
                return EntryKind::Other;
            if (S_ISREG(info.st_mode))
                return EntryKind::File;
            return S_ISDIR(info.st_mode) ? EntryKind::Folder : EntryKind::Other;
        });
    }
    ::closedir(dir);
    return true;
}

#endif

void sortNames(std::vector<std::string>& names) {
    std::sort(names.begin(), names.end(),
              [](const std::string& a, const std::string& b) { return lessIgnoreCase(a, b); });
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

std::optional<FolderContents> listFolder(const std::filesystem::path& folder,
                                         std::string_view patterns) {
    FolderContents contents;
    const bool read = walkFolder(folder, [&](auto&& name, auto kind) {
        switch (kind()) {
        case EntryKind::File:
            if (matchesFilePattern(name, patterns))
                contents.files.emplace_back(name);
            break;
        case EntryKind::Folder:
            contents.subfolders.emplace_back(name);
            break;
        case EntryKind::Other:
            break;
        }
    });
    if (!read)
        return std::nullopt;
    sortNames(contents.subfolders);
    sortNames(contents.files);
    return contents;
}

std::vector<std::string> listMatchingFiles(const std::filesystem::path& folder,
                                           std::string_view patterns) {
    std::vector<std::string> names;
    walkFolder(folder, [&](auto&& name, auto kind) {
        if (matchesFilePattern(name, patterns) && kind() == EntryKind::File)
            names.emplace_back(name);
    });
    sortNames(names);
    return names;
}

std::vector<std::string> listSubfolders(const std::filesystem::path& folder) {
    std::vector<std::string> names;
    walkFolder(folder, [&](auto&& name, auto kind) {
        if (kind() == EntryKind::Folder)
            names.emplace_back(name);
    });
    sortNames(names);
    return names;
}

std::vector<FolderListEntry> folderListEntries(const std::string& folder, char separator) {
    const auto steps = folderSteps(folder, separator);
    return folderListEntries(
        folder, steps.empty() ? std::vector<std::string>() : listSubfolders(toPath(steps.back())),
        separator);
}

std::vector<FolderListEntry> folderListEntries(const std::string& folder,
                                               const std::vector<std::string>& subfolders,
                                               char separator) {
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
    for (const auto& name : subfolders)
        entries.push_back({joinAndClean(steps.back(), name, separator), name, childDepth, false});
    return entries;
}

} // namespace tessaro
