#pragma once

#include "common/folderlisting.h"
#include "common/paths.h"

#include <map>
#include <string>
#include <vector>

namespace tessaro {

// What a drive list, a folder list and (optionally) a file list show together,
// and how a player moves through them. Drives are root paths as the system
// names its volumes ("C:\", "/", "/media/usb"); a folder lies on the listed
// drive whose path is its longest leading part, or on its own root, which then
// joins the list (a network share, a drive that came later). Each drive
// remembers the folder last opened on it, which is where choosing that drive
// goes back to. Folders are absolute, cleaned paths.
class FolderNavigator {
public:
    // filePatterns: the file list's patterns ("*.dat;*.ccl"); empty for a view
    // without a file list.
    explicit FolderNavigator(std::vector<std::string> drives = {}, std::string filePatterns = {},
                             char separator = kPathSeparator);

    // Opens savedFolder; when it has vanished, its nearest parent that still
    // exists; when nothing of it is left (or it is empty or not an absolute
    // path), the first of the fallbacks that can be opened. False when nothing
    // could be opened.
    bool restore(const std::string& savedFolder, const std::vector<std::string>& fallbacks);

    // Opens the folder and lists it. False, and nothing changes, when it is not
    // a folder that can be read.
    bool openFolder(const std::string& folder);

    // Opens the folder last opened on the drive (its nearest existing parent
    // when it has gone since), or the drive's root. False, and nothing changes,
    // when the drive cannot be read.
    bool openDrive(const std::string& drive);

    // Lists the folder's files again (after a save into it, for example).
    void refreshFiles();

    const std::vector<std::string>& drives() const { return m_drives; }
    const std::string& drive() const { return m_drive; }
    // Empty until a folder was opened.
    const std::string& folder() const { return m_folder; }
    const std::vector<FolderListEntry>& entries() const { return m_entries; }
    // The folder's files matching the patterns, sorted without regard to case.
    const std::vector<std::string>& files() const { return m_files; }

private:
    std::string absoluteFolder(const std::string& folder) const;
    std::string nearestExistingFolder(const std::string& folder) const;
    std::string driveOf(const std::string& folder);

    std::vector<std::string> m_drives;
    std::string m_filePatterns;
    char m_separator;
    std::map<std::string, std::string> m_lastFolderOnDrive;
    std::string m_drive;
    std::string m_folder;
    std::vector<FolderListEntry> m_entries;
    std::vector<std::string> m_files;
};

} // namespace tessaro
