#include "common/foldernavigator.h"

#include "common/casefold.h"

#include <system_error>

namespace tessaro {

namespace {

bool isReadableFolder(const std::string& folder) {
    std::error_code error;
    if (folder.empty() || !std::filesystem::is_directory(toPath(folder), error))
        return false;
    std::filesystem::directory_iterator probe(toPath(folder), error);
    return !error;
}

// True when the path lies on the drive: the drive's path is a leading part of
// it, compared without regard to case as drive letters are.
bool liesOn(const std::string& path, const std::string& drive, char separator) {
    if (drive.empty() || path.size() < drive.size() ||
        !equalsIgnoreCase(std::string_view(path).substr(0, drive.size()), drive))
        return false;
    const auto endsStep = [separator](char c) { return c == separator || c == '/'; };
    return path.size() == drive.size() || endsStep(drive.back()) || endsStep(path[drive.size()]);
}

} // namespace

FolderNavigator::FolderNavigator(std::vector<std::string> drives, std::string filePatterns,
                                 char separator)
    : m_drives(std::move(drives)), m_filePatterns(std::move(filePatterns)), m_separator(separator) {
}

std::string FolderNavigator::absoluteFolder(const std::string& folder) const {
    std::string absolute = folder;
    if (pathRoot(folder, m_separator).empty()) {
        std::error_code error;
        const auto made = std::filesystem::absolute(toPath(folder), error);
        if (error)
            return {};
        absolute = fromPath(made);
    }
    const auto steps = folderSteps(absolute, m_separator);
    return steps.empty() ? std::string() : steps.back();
}

std::string FolderNavigator::nearestExistingFolder(const std::string& folder) const {
    if (folder.empty())
        return {};
    const auto steps = folderSteps(absoluteFolder(folder), m_separator);
    for (auto step = steps.rbegin(); step != steps.rend(); ++step) {
        if (isReadableFolder(*step))
            return *step;
    }
    return {};
}

std::string FolderNavigator::driveOf(const std::string& folder) {
    std::string best;
    for (const auto& drive : m_drives) {
        if (liesOn(folder, drive, m_separator) && drive.size() > best.size())
            best = drive;
    }
    if (best.empty()) {
        best = pathRoot(folder, m_separator);
        if (!best.empty())
            m_drives.push_back(best);
    }
    return best;
}

bool FolderNavigator::restore(const std::string& savedFolder,
                              const std::vector<std::string>& fallbacks) {
    if (!pathRoot(savedFolder, m_separator).empty() &&
        openFolder(nearestExistingFolder(savedFolder)))
        return true;
    for (const auto& fallback : fallbacks) {
        if (openFolder(fallback))
            return true;
    }
    return false;
}

bool FolderNavigator::openFolder(const std::string& folder) {
    const auto absolute = folder.empty() ? std::string() : absoluteFolder(folder);
    // One walk through the folder tells whether it can be read and lists it.
    auto contents = absolute.empty() ? std::nullopt : listFolder(toPath(absolute), m_filePatterns);
    if (!contents)
        return false;
    m_folder = absolute;
    m_drive = driveOf(m_folder);
    m_lastFolderOnDrive[m_drive] = m_folder;
    m_entries = folderListEntries(m_folder, contents->subfolders, m_separator);
    m_files = std::move(contents->files);
    return true;
}

bool FolderNavigator::openDrive(const std::string& drive) {
    const auto remembered = m_lastFolderOnDrive.find(drive);
    if (remembered != m_lastFolderOnDrive.end() && isReadableFolder(drive) &&
        openFolder(nearestExistingFolder(remembered->second)))
        return true;
    return openFolder(drive);
}

void FolderNavigator::refreshFiles() {
    m_files = m_filePatterns.empty() ? std::vector<std::string>()
                                     : listMatchingFiles(toPath(m_folder), m_filePatterns);
}

} // namespace tessaro
