#pragma once

#include "common/folderlisting.h"

#include <filesystem>
#include <map>
#include <string>
#include <vector>

namespace tessaro {

// A drive selector with its folder list: the drives to choose from, the
// folder the list is open at, and the drive that folder lies on. Each drive
// remembers the folder last opened on it, which is where choosing that drive
// goes back to (its root the first time). Drives are root paths as the
// system names them ("C:\", "/"); on a system without drive letters there is
// one, "/".
class FolderPane {
public:
    explicit FolderPane(std::vector<std::string> drives);

    // Opens the list at savedFolder when that is an existing folder, otherwise
    // at fallback. The drive shown is the drive of the folder opened, so a
    // saved drive can never move the list away from the saved folder.
    void restore(const std::string& savedFolder, const std::string& fallback);

    // Opens the list at folder. Nothing changes (false) when folder is not a
    // folder that can be read.
    bool chooseFolder(const std::string& folder);

    // Opens the list at the drive's current folder. Nothing changes (false)
    // when that drive cannot be read.
    bool chooseDrive(const std::string& drive);

    const std::string& folder() const { return m_folder; }
    const std::string& drive() const { return m_drive; }
    const std::vector<std::string>& drives() const { return m_drives; }

    // The lines of the folder list (see folderListEntries).
    std::vector<FolderListEntry> entries() const { return folderListEntries(toPathOf(m_folder)); }

private:
    static std::filesystem::path toPathOf(const std::string& folder);
    std::string driveOf(const std::string& folder);
    void open(const std::string& folder);

    std::vector<std::string> m_drives;
    std::map<std::string, std::string> m_lastFolderOnDrive;
    std::string m_folder;
    std::string m_drive;
};

} // namespace tessaro
