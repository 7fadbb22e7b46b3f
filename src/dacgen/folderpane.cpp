#include "dacgen/folderpane.h"

#include "common/casefold.h"
#include "common/paths.h"

#include <system_error>

namespace tessaro {

namespace {

bool isReadableFolder(const std::filesystem::path& folder) {
    std::error_code error;
    if (folder.empty() || !std::filesystem::is_directory(folder, error))
        return false;
    std::filesystem::directory_iterator probe(folder, error);
    return !error;
}

// True when path lies on drive: the drive's root is a leading part of the
// path, compared without regard to case as drive letters are.
bool liesOn(const std::string& path, const std::string& drive) {
    if (drive.empty() || path.size() < drive.size() ||
        !equalsIgnoreCase(std::string_view(path).substr(0, drive.size()), drive))
        return false;
    const char last = drive.back();
    return path.size() == drive.size() || last == '/' || last == '\\' ||
           path[drive.size()] == '/' || path[drive.size()] == '\\';
}

} // namespace

FolderPane::FolderPane(std::vector<std::string> drives) : m_drives(std::move(drives)) {}

std::filesystem::path FolderPane::toPathOf(const std::string& folder) {
    std::error_code error;
    auto absolute = std::filesystem::absolute(toPath(folder), error);
    return error ? toPath(folder) : absolute.lexically_normal();
}

std::string FolderPane::driveOf(const std::string& folder) {
    std::string best;
    for (const auto& drive : m_drives) {
        if (liesOn(folder, drive) && drive.size() > best.size())
            best = drive;
    }
    if (best.empty()) {
        // A folder on no listed drive (a network share, a drive that came
        // later): its root becomes a drive of its own.
        best = fromPath(toPathOf(folder).root_path());
        if (!best.empty())
            m_drives.push_back(best);
    }
    return best;
}

void FolderPane::open(const std::string& folder) {
    m_folder = fromPath(toPathOf(folder));
    m_drive = driveOf(m_folder);
    m_lastFolderOnDrive[m_drive] = m_folder;
}

void FolderPane::restore(const std::string& savedFolder, const std::string& fallback) {
    if (!chooseFolder(savedFolder))
        open(fallback);
}

bool FolderPane::chooseFolder(const std::string& folder) {
    if (!isReadableFolder(toPath(folder)))
        return false;
    open(folder);
    return true;
}

bool FolderPane::chooseDrive(const std::string& drive) {
    const auto remembered = m_lastFolderOnDrive.find(drive);
    if (remembered != m_lastFolderOnDrive.end() && chooseFolder(remembered->second))
        return true;
    return chooseFolder(drive);
}

} // namespace tessaro
