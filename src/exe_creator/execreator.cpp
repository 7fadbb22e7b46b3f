#include "exe_creator/execreator.h"

#include "common/casefold.h"
#include "common/numbers.h"
#include "common/paths.h"
#include "gameexe/exepatch.h"
#include "gameexe/patchwriter.h"

#include <utility>

namespace tessaro {

namespace {

constexpr const char* kExeFilter = "Chip's EXE files|*.exe";
constexpr const char* kHeadings = "Name of the original .exe:\r\n\r\n"
                                  "Name of the new .exe:\r\n\r\n"
                                  "Name of new ini file:\r\n\r\n"
                                  "Name of new chips.dat file:";

} // namespace

ExeCreator::ExeCreator(Platform& platform, SettingsStore& settings, CurrentFolder currentFolder)
    : m_platform(platform), m_settings(settings), m_currentFolder(std::move(currentFolder)) {}

CommandResult ExeCreator::setMode(ExeCreatorMode mode) {
    if (m_modeChosen && mode == m_mode)
        return CommandResult::succeeded();
    auto shown = std::exchange(m_otherOriginalExe, std::nullopt);
    if (m_modeChosen)
        m_otherOriginalExe = std::move(originalExe);
    if (shown)
        originalExe = std::move(*shown);
    else if (mode == ExeCreatorMode::ExeCreator)
        originalExe = m_settings.get(kExeCreatorSection, kOriginalExeKey, "");
    else
        originalExe.clear();
    m_mode = mode;
    m_modeChosen = true;
    return CommandResult::succeeded();
}

std::string ExeCreator::startFolder(const std::string& field) const {
    return dialogStartFolder(field, m_currentFolder ? m_currentFolder() : std::string());
}

std::string ExeCreator::caption() const {
    return m_mode == ExeCreatorMode::ExeCreator ? "EXE Creator" : "Quorvel";
}

std::string ExeCreator::headings() const {
    const std::string headings = kHeadings;
    if (m_mode == ExeCreatorMode::ExeCreator)
        return headings;
    return headings.substr(0, headings.find("\r\n"));
}

CommandResult ExeCreator::browseOriginal() {
    const auto choice = m_platform.openFileDialog("Browse for original .exe...", kExeFilter,
                                                  startFolder(originalExe));
    if (!choice)
        return CommandResult::failed();
    originalExe = choice->path;
    return CommandResult::succeeded();
}

CommandResult ExeCreator::browseNew() {
    // The copy replaces whatever file is chosen (the original game, by mistake): ask first.
    const auto choice = m_platform.saveFileDialog("Browse for place to save new .exe...",
                                                  kExeFilter, startFolder(newExe), true);
    if (!choice)
        return CommandResult::failed();
    newExe = choice->path;
    return CommandResult::succeeded();
}

CommandResult ExeCreator::refuse(const std::string& text, const std::string& focus) {
    m_platform.tell(text, caption(), MessageIcon::Exclamation);
    return CommandResult::refused(focus);
}

CommandResult ExeCreator::ok() {
    if (fakeLastLevel.empty())
        return refuse("Invalid level 144", "lev144");
    if (realLastLevel.empty())
        return refuse("Invalid level 149", "lev149");
    if (originalExe.empty()) {
        refuse("You need to select an original EXE", {});
        browseOriginal();
        return {};
    }
    // A level that is not a number counts as 0 and so is refused below.
    const int fake = toInt16(fakeLastLevel).value_or(0);
    const int real = toInt16(realLastLevel).value_or(0);
    if (fake > 999 || fake < 1)
        return refuse("Invalid level 144", "lev144");
    if (real < fake || real > 999 || real < 1)
        return refuse("Invalid level 149", "lev149");
    const auto fake16 = static_cast<std::int16_t>(fake);
    const auto real16 = static_cast<std::int16_t>(real);
    return m_mode == ExeCreatorMode::ExeCreator ? createExe(fake16, real16)
                                                : patchInPlace(fake16, real16);
}

CommandResult ExeCreator::createExe(std::int16_t fake, std::int16_t real) {
    if (newExe.empty()) {
        refuse("You need to select a new EXE", {});
        browseNew();
        return {};
    }
    if (iniName.empty())
        return refuse("You need to type the name of your INI file", "NewIni");
    // Names longer than the executable's fields cannot be written whole.
    if (iniName.size() > kIniNameWidth)
        return refuse("Error - the INI file name must be 11 characters or less", "NewIni");
    if (dataName.empty())
        return refuse("You need to type the name of your level set", "NewDat");
    if (dataName.size() > kDataNameWidth)
        return refuse("Error - the data file name must be 9 characters or less", "NewDat");
    switch (
        writeRetargetedCopy(toPath(originalExe), toPath(newExe), dataName, iniName, fake, real)) {
    case ExeCopyOutcome::Written:
        m_platform.tell("Your new exe file (" + newExe + ") is ready to play.", "EXE Creator",
                        MessageIcon::None);
        return CommandResult::succeeded();
    case ExeCopyOutcome::CopyFailed:
        refuse("Could not copy the original exe file (" + originalExe + ") to " + newExe +
                   ". No new exe file was written.",
               {});
        break;
    case ExeCopyOutcome::PatchFailed:
        refuse("Could not write the new names and levels into the new exe file (" + newExe +
                   "). No new exe file was written.",
               {});
        break;
    }
    return {};
}

CommandResult ExeCreator::patchInPlace(std::int16_t fake, std::int16_t real) {
    // The game's own executable has no copy to go back to.
    if (equalsIgnoreCase(fromPath(toPath(originalExe).filename()), "CHIPS.EXE") &&
        m_platform.message(
            originalExe + " is the game's own executable. Change its last levels in place? "
                          "(Use EXE Creator to make a copy instead.)",
            caption(), MessageIcon::Question, MessageButtons::YesNo) != MessageAnswer::Yes)
        return CommandResult::failed();
    if (!writeLevelsInPlace(toPath(originalExe), fake, real))
        return refuse("Could not write the new levels into " + originalExe +
                          ". Check that the file exists and is not read-only.",
                      {});
    m_platform.tell("Thank you for using Quorvel. Please use again!", "Quorvel", MessageIcon::None);
    return CommandResult::succeeded();
}

CommandResult ExeCreator::exit() {
    if (m_mode == ExeCreatorMode::ExeCreator)
        m_settings.set(kExeCreatorSection, kOriginalExeKey, originalExe);
    return CommandResult::succeeded();
}

} // namespace tessaro
