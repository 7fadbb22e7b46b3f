#include "dacgen/dacgenerator.h"

#include "common/numbers.h"
#include "common/paths.h"
#include "common/platform.h"
#include "common/settings.h"

namespace tessaro {

namespace {

struct OptionKey {
    const char* key;
    bool DacOptions::*option;
    const char* fallback;
};

constexpr OptionKey kOptionKeys[] = {
    {"MakeMS", &DacOptions::makeMS, "1"},
    {"MakeLynx", &DacOptions::makeLynx, "1"},
    {"UsePasswords", &DacOptions::usePasswords, "0"},
    {"LastLevel144", &DacOptions::lastLevel144, "0"},
    {"FixLynx", &DacOptions::fixLynx, "0"},
};

// Any number but 0 ticks the box; anything that is not a number leaves it
// clear.
bool isTicked(const std::string& stored) {
    const auto number = toInt32(stored);
    return number && *number != 0;
}

std::string listed(const std::vector<std::string>& names) {
    std::string text;
    for (const auto& name : names)
        text += "\r\n" + name;
    return text;
}

} // namespace

DacGenerator::DacGenerator(std::vector<std::string> drives, std::filesystem::path programFolder)
    : m_programFolder(std::move(programFolder)), m_data(drives, kLevelSetPatterns),
      m_sets(std::move(drives)) {}

void DacGenerator::load(const SettingsStore& settings) {
    for (const auto& entry : kOptionKeys)
        m_options.*entry.option = isTicked(settings.get(kSection, entry.key, entry.fallback));
    const std::string programFolder = fromPath(m_programFolder);
    m_data.restore(settings.get(kSection, "DataFilesPath", programFolder), {programFolder});
    m_sets.restore(settings.get(kSection, "SetsFilesPath", programFolder), {programFolder});
}

CommandResult DacGenerator::save(SettingsStore& settings) const {
    for (const auto& entry : kOptionKeys)
        settings.set(kSection, entry.key, m_options.*entry.option ? "1" : "0");
    settings.set(kSection, "DataFilesPath", m_data.folder());
    settings.set(kSection, "SetsFilesPath", m_sets.folder());
    settings.set(kSection, "DataFilesDrive", m_data.drive());
    settings.set(kSection, "SetsFilesDrive", m_sets.drive());
    return CommandResult::succeeded();
}

CommandResult DacGenerator::chooseDataFolder(const std::string& folder) {
    return m_data.openFolder(folder) ? CommandResult::succeeded() : CommandResult::failed();
}

CommandResult DacGenerator::chooseDataDrive(const std::string& drive) {
    return m_data.openDrive(drive) ? CommandResult::succeeded() : CommandResult::failed();
}

CommandResult DacGenerator::chooseSetsFolder(const std::string& folder) {
    return m_sets.openFolder(folder) ? CommandResult::succeeded() : CommandResult::failed();
}

CommandResult DacGenerator::chooseSetsDrive(const std::string& drive) {
    return m_sets.openDrive(drive) ? CommandResult::succeeded() : CommandResult::failed();
}

bool DacGenerator::refuseWithoutRuleset(Platform& platform) const {
    if (m_options.makeMS || m_options.makeLynx)
        return false;
    platform.tell("DacGen Error: You must select either MS, Lynx, or both", kErrorTitle,
                  MessageIcon::Exclamation);
    return true;
}

int DacGenerator::writeSets(Platform& platform, const std::vector<std::string>& setNames) const {
    const auto failed = WriteDacFilesOfSets(setNames, m_options, toPath(m_sets.folder()));
    std::vector<std::string> unfindable;
    std::size_t nextFailed = 0; // failed keeps the order of setNames
    for (const auto& name : setNames) {
        if (nextFailed < failed.size() && failed[nextFailed] == name)
            ++nextFailed;
        else if (isNameTileWorldCannotFind(name))
            unfindable.push_back(name);
    }
    if (!failed.empty())
        platform.tell("DacGen Error: The DAC files of these level sets could not be written to " +
                          m_sets.folder() + ":\r\n" + listed(failed),
                      kErrorTitle, MessageIcon::Exclamation);
    if (!unfindable.empty())
        platform.tell("DacGen Warning: Tile World reads a level set's file name only up to the "
                      "first space, so it will not find these level sets:\r\n" +
                          listed(unfindable),
                      kErrorTitle, MessageIcon::Exclamation);
    return static_cast<int>(setNames.size() - failed.size());
}

CommandResult DacGenerator::GenerateAll(Platform& platform, SettingsStore& settings) {
    relist();
    if (refuseWithoutRuleset(platform))
        return CommandResult::failed();
    if (levelSets().empty()) {
        platform.tell("DacGen Error:\r\n\r\nNo level sets in directory", kErrorTitle,
                      MessageIcon::Exclamation);
        return CommandResult::failed();
    }
    const int written = writeSets(platform, levelSets());
    // When no set succeeded, the failure box has said all there is to say.
    if (written > 0)
        platform.tell(std::to_string(written) + " level sets successful.", kCaption,
                      MessageIcon::Information);
    // A batch that left sets without DAC files keeps the window open, so the
    // player can choose a SETS folder that can be written and try again.
    if (written != static_cast<int>(levelSets().size()))
        return CommandResult::failed();
    save(settings);
    return CommandResult::succeeded();
}

CommandResult DacGenerator::GenerateOne(Platform& platform, const std::string& setName) {
    if (refuseWithoutRuleset(platform) || writeSets(platform, {setName}) != 1)
        return CommandResult::failed();
    platform.tell("1 level set successful.", kCaption, MessageIcon::Information);
    return CommandResult::succeeded();
}

} // namespace tessaro
