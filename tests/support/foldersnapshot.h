#pragma once

#include "common/paths.h"
#include "common/textfile.h"

#include <algorithm>
#include <filesystem>
#include <map>
#include <string>
#include <vector>

namespace tessaro::test {

// The files under a folder (sub-folders included, but `skip`) and their bytes, to tell what
// changed.
class FolderSnapshot {
public:
    explicit FolderSnapshot(const std::filesystem::path& folder,
                            const std::filesystem::path& skip = {})
        : m_folder(folder), m_skip(skip), m_files(files()) {}

    // What differs now, sorted, with "/" between folders: "changed ludex.exe", "gone a.ccf",
    // "new set.ccx.tessaro-1.tmp". Empty when nothing does.
    std::vector<std::string> changes() const {
        const auto now = files();
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

private:
    std::map<std::string, std::string> files() const {
        std::map<std::string, std::string> files;
        std::error_code error;
        for (auto it = std::filesystem::recursive_directory_iterator(m_folder, error);
             it != std::filesystem::recursive_directory_iterator(); it.increment(error)) {
            if (it->path() == m_skip)
                it.disable_recursion_pending();
            if (it->is_directory())
                continue;
            auto name = fromPath(it->path().lexically_relative(m_folder));
            std::replace(name.begin(), name.end(), '\\', '/');
            const auto bytes = readFileBytes(it->path());
            files[name] = bytes ? bytes->str() : "<unreadable>";
        }
        return files;
    }

    std::filesystem::path m_folder, m_skip;
    std::map<std::string, std::string> m_files;
};

} // namespace tessaro::test
