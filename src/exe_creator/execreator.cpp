#include "exe_creator/execreator.h"

#include "common/numbers.h"
#include "common/paths.h"
#include "exe_creator/exepatch.h"

namespace tessaro {

namespace {

constexpr const char* kExeFilter = "Chip's EXE files|*.exe";
constexpr const char* kHeadings = "Name of the original .exe:\r\n\r\n"
                                  "Name of the new .exe:\r\n\r\n"
                                  "Name of new ini file:\r\n\r\n"
                                  "Name of new chips.dat file:";

} // namespace

ExeCreator::ExeCreator(Platform& platform, SettingsStore& settings)
    : m_platform(platform), m_settings(settings) {}

void ExeCreator::setMode(ExeCreatorMode mode) {
    m_mode = mode;
    if (mode == ExeCreatorMode::ExeCreator)
        originalExe = m_settings.get(kExeCreatorSection, kOriginalExeKey, "");
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

void ExeCreator::browseOriginal() {
    if (const auto choice = m_platform.openFileDialog("Browse for original .exe...", kExeFilter))
        originalExe = choice->path;
}

void ExeCreator::browseNew() {
    if (const auto choice =
            m_platform.saveFileDialog("Browse for place to save new .exe...", kExeFilter))
        newExe = choice->path;
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
    if (dataName.empty())
        return refuse("You need to type the name of your level set", "NewDat");
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
    if (!writeLevelsInPlace(toPath(originalExe), fake, real))
        return refuse("Could not write the new levels into " + originalExe +
                          ". Check that the file exists and is not read-only.",
                      {});
    m_platform.tell("Thank you for using Quorvel. Please use again!", "Quorvel", MessageIcon::None);
    return CommandResult::succeeded();
}

void ExeCreator::exit() {
    if (m_mode == ExeCreatorMode::ExeCreator)
        m_settings.set(kExeCreatorSection, kOriginalExeKey, originalExe);
}

} // namespace tessaro
