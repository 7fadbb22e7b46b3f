#include "foldersnapshot.h"

#include "common/paths.h"
#include "common/textfile.h"

#include <algorithm>

namespace tessaro::test {

namespace fs = std::filesystem;

static std::map<std::string, std::string> filesUnder(const fs::path& folder, const fs::path& skip) {
    std::map<std::string, std::string> files;
    std::error_code error;
    for (auto it = fs::recursive_directory_iterator(folder, error);
         it != fs::recursive_directory_iterator(); it.increment(error)) {
        if (it->path() == skip)
            it.disable_recursion_pending();
        if (it->is_directory())
            continue;
        auto name = fromPath(it->path().lexically_relative(folder));
        std::replace(name.begin(), name.end(), '\\', '/');
        const auto bytes = readFileBytes(it->path());
        files[name] = bytes ? bytes->str() : "<unreadable>";
    }
    return files;
}

FolderSnapshot::FolderSnapshot(const fs::path& folder, const fs::path& skip)
    : m_folder(folder), m_skip(skip), m_files(filesUnder(folder, skip)) {}

std::vector<std::string> FolderSnapshot::changes() const {
    const auto now = filesUnder(m_folder, m_skip);
    std::vector<std::string> changes;
    for (const auto& [name, bytes] : m_files)
        if (!now.count(name) || now.at(name) != bytes)
            changes.push_back((now.count(name) ? "changed " : "gone ") + name);
    for (const auto& [name, bytes] : now)
        if (!m_files.count(name))
            changes.push_back("new " + name);
    std::sort(changes.begin(), changes.end());
    return changes;
}

} // namespace tessaro::test
