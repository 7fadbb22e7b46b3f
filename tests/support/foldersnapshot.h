#pragma once

#include <filesystem>
#include <map>
#include <string>
#include <vector>

namespace tessaro::test {

// The files under a folder (sub-folders included, but for `skip`) and their bytes, to tell
// afterwards what an operation did to the folder.
class FolderSnapshot {
public:
    explicit FolderSnapshot(const std::filesystem::path& folder,
                            const std::filesystem::path& skip = {});
    // What differs now, sorted, with "/" between folders: "changed ludex.exe", "gone a.ccf", "new
    // set.ccx.tessaro-1.tmp". Empty when nothing does.
    std::vector<std::string> changes() const;

private:
    std::filesystem::path m_folder, m_skip;
    std::map<std::string, std::string> m_files;
};

} // namespace tessaro::test
