#include "foldersnapshot.h"

#include "common/paths.h"
#include "common/textfile.h"

#include <algorithm>

namespace tessaro::test {

namespace {

std::map<std::string, std::string> filesUnder(const std::filesystem::path& folder) {
    std::map<std::string, std::string> files;
    for (const auto& entry : std::filesystem::recursive_directory_iterator(folder)) {
        if (entry.is_directory())
            continue;
        auto name = fromPath(entry.path().lexically_relative(folder));
        std::replace(name.begin(), name.end(), '\\', '/');
        files[name] = readFileBytes(entry.path()).value_or("<unreadable>");
    }
    return files;
}

} // namespace

FolderSnapshot::FolderSnapshot(const std::filesystem::path& folder)
    : m_folder(folder), m_files(filesUnder(folder)) {}

std::vector<std::string> FolderSnapshot::changes() const {
    const auto now = filesUnder(m_folder);
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
