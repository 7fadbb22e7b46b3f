#include "foldersnapshot.h"

#include "common/paths.h"
#include "common/textfile.h"

#include <algorithm>

namespace tessaro::test {

namespace {

std::map<std::string, std::string> filesUnder(const std::filesystem::path& folder,
                                              const std::filesystem::path& skip) {
    std::map<std::string, std::string> files;
    std::error_code error;
    for (auto it = std::filesystem::recursive_directory_iterator(folder, error);
         it != std::filesystem::recursive_directory_iterator(); it.increment(error)) {
        if (it->path() == skip)
            it.disable_recursion_pending();
        if (it->is_directory())
            continue;
        const auto& entry = *it;
        auto name = fromPath(entry.path().lexically_relative(folder));
        std::replace(name.begin(), name.end(), '\\', '/');
        files[name] = readFileBytes(entry.path()).value_or("<unreadable>");
    }
    return files;
}

} // namespace

FolderSnapshot::FolderSnapshot(const std::filesystem::path& folder,
                               const std::filesystem::path& skip)
    : m_folder(folder), m_skip(skip), m_files(filesUnder(folder, skip)) {}

std::vector<std::string> FolderSnapshot::changes() const {
    const auto now = filesUnder(m_folder, m_skip);
    std::vector<std::string> changes;
    for (const auto& [name, bytes] : now) {
        const auto old = m_files.find(name);
        if (old == m_files.end())
            changes.push_back("new " + name);
        else if (old->second != bytes)
            changes.push_back("changed " + name);
    }
    for (const auto& [name, bytes] : m_files) {
        if (!now.count(name))
            changes.push_back("gone " + name);
    }
    std::sort(changes.begin(), changes.end());
    return changes;
}

} // namespace tessaro::test
