#include "launcher/launchermodel.h"

#include "common/paths.h"
#include "launcher/playexecutable.h"

#include <algorithm>
#include <system_error>

namespace tessaro {

namespace {

bool isReadableFolder(const std::string& folder) {
    if (folder.empty())
        return false;
    std::error_code error;
    std::filesystem::directory_iterator probe(toPath(folder), error);
    return !error;
}

// The drive (root) a folder lies on: "C:\" on Windows, "/" elsewhere.
std::string driveOf(const std::string& folder) {
    return fromPath(toPath(folder).root_path());
}

} // namespace

LauncherModel::LauncherModel(Platform& platform, SettingsStore& settings, std::string programFolder)
    : m_platform(platform), m_settings(settings), m_programFolder(std::move(programFolder)) {}

void LauncherModel::start(const std::vector<std::string>& drives, const std::string& currentDrive) {
    m_drives = drives;
    const auto savedDrive = m_settings.get(kSection, "LevelSetDrive", currentDrive);
    if (!selectDrive(savedDrive)) {
        for (const auto& drive : m_drives) {
            if (selectDrive(drive))
                break;
        }
    }
    const auto savedFolder = m_settings.get(kSection, "LevelSetPath", m_programFolder);
    if (!openFolder(savedFolder) && !m_drive.empty())
        openFolder(m_drive);

    alternateExecutable = m_settings.get(kSection, "LudexPath", "");
    alternateExecutableName = m_settings.get(kSection, "LudexName", "");
    iniFileName = m_settings.get(kSection, "INIPath", "");
    fakeLastLevel = m_settings.get(kSection, "FakeLastLevel", "144");
    realLastLevel = m_settings.get(kSection, "RealLastLevel", "149");
    createEntryShown = m_settings.get(kSection, "LudexNotCreated", "True") != "False";
}

void LauncherModel::saveSettings() {
    m_settings.set(kSection, "FakeLastLevel", fakeLastLevel);
    m_settings.set(kSection, "RealLastLevel", realLastLevel);
    m_settings.set(kSection, "LudexNotCreated", createEntryShown ? "True" : "False");
    m_settings.set(kSection, "LevelSetDrive", m_drive);
    m_settings.set(kSection, "LevelSetPath", m_folder);
    m_settings.set(kSection, "LudexPath", alternateExecutable);
    m_settings.set(kSection, "LudexName", alternateExecutableName);
    m_settings.set(kSection, "INIPath", iniFileName);
}

bool LauncherModel::selectDrive(const std::string& drive) {
    if (!isReadableFolder(drive))
        return false;
    m_drive = drive;
    if (m_folder.empty() || driveOf(m_folder) != driveOf(drive))
        openFolder(drive);
    return true;
}

bool LauncherModel::openFolder(const std::string& folder) {
    if (!isReadableFolder(folder))
        return false;
    std::error_code error;
    auto canonical = std::filesystem::weakly_canonical(toPath(folder), error);
    m_folder = fromPath(error ? toPath(folder) : canonical);
    const auto drive = driveOf(m_folder);
    if (std::find(m_drives.begin(), m_drives.end(), drive) != m_drives.end())
        m_drive = drive;
    m_folderEntries = folderListEntries(toPath(m_folder));
    refreshFiles();
    return true;
}

void LauncherModel::refreshFiles() {
    m_files = listMatchingFiles(toPath(m_folder), kFilePatterns);
    if (selectedFile && std::find(m_files.begin(), m_files.end(), *selectedFile) == m_files.end())
        selectedFile.reset();
}

CommandResult LauncherModel::play() {
    // The file list always shows the folder list's folder, so the selection
    // is read from it as it stands.
    const PlayInputs inputs{.alternateExecutable = alternateExecutable,
                            .alternateExecutableName = alternateExecutableName,
                            .fakeLastLevel = fakeLastLevel,
                            .realLastLevel = realLastLevel,
                            .iniFileName = iniFileName,
                            .folder = m_folder,
                            .selectedFile = selectedFile};
    PlayEnvironment environment{m_programFolder, m_settings.get(kSection, "PlayRunner", "")};
    return playSelectedFile(inputs, environment, m_platform);
}

void LauncherModel::browseAlternateExecutable() {
    if (auto picked = tessaro::browseAlternateExecutable(m_platform)) {
        alternateExecutable = picked->path;
        alternateExecutableName = picked->name;
    }
}

void LauncherModel::createPlayExecutable() {
    if (tessaro::createPlayExecutable(m_platform, m_programFolder))
        createEntryShown = false;
}

void LauncherModel::toggleCreateEntry() {
    createEntryShown = tessaro::toggleCreateEntry(m_platform, createEntryShown);
}

} // namespace tessaro
