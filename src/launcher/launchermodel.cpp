#include "launcher/launchermodel.h"

#include "common/dialogfolder.h"
#include "common/paths.h"
#include "launcher/gamerunner.h"
#include "launcher/playexecutable.h"
#include "levelset/levelsetfile.h"
#include "scorefile/startfolder.h"

#include <algorithm>

namespace tessaro {

LauncherModel::LauncherModel(Platform& platform, SettingsStore& settings, std::string programFolder)
    : m_platform(platform), m_settings(settings), m_programFolder(std::move(programFolder)),
      m_folders({}, kFilePatterns) {
    scoreFolder = scoreFileStartFolder(StartFolderEnvironment::fromSystem());
}

template <typename Move> CommandResult LauncherModel::moveFolders(Move move) {
    const auto before = m_folders.folder();
    const bool moved = move();
    if (m_folders.folder() != before)
        selectedFile.reset();
    readSetDetails();
    return moved ? CommandResult::succeeded() : CommandResult::failed();
}

void LauncherModel::start(const std::vector<std::string>& drives, const std::string& currentDrive) {
    m_folders = FolderNavigator(drives, kFilePatterns);
    std::vector<std::string> fallbacks{m_settings.get(kSection, "LevelSetDrive", currentDrive)};
    fallbacks.insert(fallbacks.end(), drives.begin(), drives.end());
    m_folders.restore(m_settings.get(kSection, "LevelSetPath", m_programFolder), fallbacks);
    selectedFile.reset();

    alternateExecutable = m_settings.get(kSection, "LudexPath", "");
    alternateExecutableName = m_settings.get(kSection, "LudexName", "");
    iniFileName = m_settings.get(kSection, "INIPath", "");
    fakeLastLevel = m_settings.get(kSection, "FakeLastLevel", "144");
    realLastLevel = m_settings.get(kSection, "RealLastLevel", "149");
    createEntryShown = m_settings.get(kSection, "LudexNotCreated", "True") != "False";
    setDetailsShown = m_settings.get(kSection, "ShowSetDetails", "True") != "False";
    readSetDetails(true);
    playWith = playWithOf(m_settings.get(kSection, kPlayWithKey, ""));
}

CommandResult LauncherModel::exit() {
    m_settings.set(kSection, "FakeLastLevel", fakeLastLevel);
    m_settings.set(kSection, "RealLastLevel", realLastLevel);
    m_settings.set(kSection, "LudexNotCreated", createEntryShown ? "True" : "False");
    m_settings.set(kSection, "LevelSetDrive", drive());
    m_settings.set(kSection, "LevelSetPath", folder());
    m_settings.set(kSection, "LudexPath", alternateExecutable);
    m_settings.set(kSection, "LudexName", alternateExecutableName);
    m_settings.set(kSection, "INIPath", iniFileName);
    m_settings.set(kSection, "ShowSetDetails", setDetailsShown ? "True" : "False");
    return CommandResult::succeeded();
}

CommandResult LauncherModel::selectDrive(const std::string& drive) {
    return moveFolders([&] { return m_folders.openDrive(drive); });
}

CommandResult LauncherModel::openFolder(const std::string& folder) {
    return moveFolders([&] { return m_folders.openFolder(folder); });
}

CommandResult LauncherModel::refreshFiles() {
    m_folders.refreshFiles();
    const auto& files = m_folders.files();
    if (selectedFile && std::find(files.begin(), files.end(), *selectedFile) == files.end())
        selectedFile.reset();
    readSetDetails();
    return CommandResult::succeeded();
}

CommandResult LauncherModel::selectFile(std::optional<std::string> name) {
    selectedFile = std::move(name);
    readSetDetails(true);
    return CommandResult::succeeded();
}

void LauncherModel::readSetDetails(bool force) {
    if (!selectedFile) {
        m_setDetails = {};
        m_setDetailsSource.reset();
        return;
    }
    SetDetailsSource source{folder(), *selectedFile, iniFileName, scoreFolder};
    if (!force && m_setDetailsSource == source)
        return;
    m_setDetails = tessaro::readSetDetails(source);
    m_setDetailsSource = std::move(source);
}

std::string LauncherModel::lastLevelWarning() const {
    if (m_setDetails.ccfFakeLastLevel && m_setDetails.ccfRealLastLevel)
        return tessaro::lastLevelWarning(m_setDetails.levelCount, *m_setDetails.ccfFakeLastLevel,
                                         *m_setDetails.ccfRealLastLevel);
    return tessaro::lastLevelWarning(m_setDetails.levelCount, fakeLastLevel, realLastLevel);
}

bool LauncherModel::confirmLevelSet() {
    if (!selectedFile || isCcfPlay(*selectedFile))
        return true;
    // A file that cannot be read is the play's to report.
    if (!notALevelSetFile(toPath(joinAndClean(folder(), *selectedFile))))
        return true;
    return m_platform.message(*selectedFile + " does not look like a level set. Play it anyway?",
                              "Tessaro", MessageIcon::Question,
                              MessageButtons::YesNo) == MessageAnswer::Yes;
}

PlayInputs LauncherModel::playInputs() const {
    // The file list always shows the folder list's folder, so the selection
    // is read from it as it stands.
    return PlayInputs{.alternateExecutable = alternateExecutable,
                      .alternateExecutableName = alternateExecutableName,
                      .fakeLastLevel = fakeLastLevel,
                      .realLastLevel = realLastLevel,
                      .iniFileName = iniFileName,
                      .folder = folder(),
                      .selectedFile = selectedFile};
}

CommandResult LauncherModel::play() {
    if (!confirmLevelSet())
        return CommandResult::failed();
    const auto inputs = playInputs();
    if (playsInTileWorld(inputs))
        return playInTileWorld(
            inputs, playWith == PlayWith::TileWorldLynx ? DacRuleset::Lynx : DacRuleset::MS,
            {tileWorldFolder, m_settings.get(kSection, kTileWorldProgramKey, "")}, m_platform);
    PlayEnvironment environment{m_programFolder, m_settings.get(kSection, kPlayRunnerKey, "")};
    environment.earlierGame = m_startedGame;
    const auto outcome = playSelectedFile(inputs, environment, m_platform);
    if (outcome.started)
        m_startedGame = outcome.started;
    // The message names the create entry, so it must be there to choose.
    if (outcome.executableMissing)
        createEntryShown = true;
    // A set that cannot be read has often been moved or deleted.
    if (outcome.levelSetUnreadable)
        refreshFiles();
    return outcome.result;
}

CommandResult LauncherModel::playFile(const std::string& path) {
    const auto file = toPath(path);
    const auto name = fromPath(file.filename());
    // A set renamed without its extension is played too: the lists do not
    // show it, but its signature says what it is.
    if (!openFolder(fromPath(file.parent_path())).done ||
        (std::find(files().begin(), files().end(), name) == files().end() &&
         !fileStartsWithLevelSetSignature(file))) {
        m_platform.tell("Tessaro cannot play " + path +
                            ": it is not a level set or CCF file in a folder Tessaro can read.",
                        "Tessaro", MessageIcon::Exclamation);
        return CommandResult::failed();
    }
    selectFile(name);
    return play();
}

CommandResult LauncherModel::browseAlternateExecutable() {
    auto picked = tessaro::browseAlternateExecutable(
        m_platform, dialogStartFolder(alternateExecutable, folder()));
    if (!picked)
        return CommandResult::failed();
    alternateExecutable = picked->path;
    alternateExecutableName = picked->name;
    return CommandResult::succeeded();
}

CommandResult LauncherModel::clearAlternateExecutable() {
    alternateExecutable.clear();
    return CommandResult::succeeded();
}

CommandResult LauncherModel::createPlayExecutable() {
    if (!tessaro::createPlayExecutable(m_platform, m_programFolder, folder()))
        return CommandResult::failed();
    createEntryShown = false;
    return CommandResult::succeeded();
}

CommandResult LauncherModel::toggleCreateEntry() {
    createEntryShown = tessaro::toggleCreateEntry(m_platform, createEntryShown);
    return CommandResult::succeeded();
}

CommandResult LauncherModel::showSetDetails(bool shown) {
    setDetailsShown = shown;
    return CommandResult::succeeded();
}

CommandResult LauncherModel::chooseGameRunner() {
    return tessaro::chooseGameRunner(m_platform, m_settings, folder());
}

bool LauncherModel::playsInTileWorld(const PlayInputs& inputs) {
    if (playWith != PlayWith::Game)
        return true;
    if (!inputs.selectedFile || inputs.selectedFile->empty() ||
        hasPlayExecutable(inputs, m_programFolder) ||
        !findTileWorld(m_settings.get(kSection, kTileWorldProgramKey, ""), tileWorldSearchPath()))
        return false;
    if (m_platform.message(
            "You have no Ludex.exe yet. Play " + *inputs.selectedFile + " in Tile World instead?",
            "Tessaro", MessageIcon::Question, MessageButtons::YesNo) != MessageAnswer::Yes)
        return false;
    choosePlayWith(PlayWith::TileWorldMS);
    return true;
}

CommandResult LauncherModel::choosePlayWith(PlayWith choice) {
    playWith = choice;
    m_settings.set(kSection, kPlayWithKey, playWithSetting(choice));
    return CommandResult::succeeded();
}

CommandResult LauncherModel::chooseTileWorldProgram() {
    return tessaro::chooseTileWorldProgram(m_platform, m_settings, folder());
}

} // namespace tessaro
