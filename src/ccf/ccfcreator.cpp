#include "ccf/ccfcreator.h"

#include "common/codepage.h"
#include "common/folderlisting.h"
#include "common/numbers.h"
#include "common/paths.h"
#include "common/windowsnames.h"
#include "levelset/ccffile.h"

#include <utility>

namespace tessaro {

namespace {

constexpr const char* kTitle = "CCF File Creator";
// The launcher refuses to play a file with a longer name.
constexpr std::size_t kLongestCcfName = 16;

// A name that would put the file outside the program folder.
bool leavesFolder(std::string_view name) {
    return name.find_first_of("/\\") != std::string_view::npos ||
           name.find("..") != std::string_view::npos;
}

} // namespace

std::vector<std::string> listCcfFiles(const std::filesystem::path& folder) {
    return listMatchingFiles(folder, "*.ccf");
}

CcfCreator::CcfCreator(Platform& platform, std::filesystem::path programFolder,
                       CurrentFolder currentFolder)
    : m_platform(platform), m_programFolder(std::move(programFolder)),
      m_currentFolder(std::move(currentFolder)), m_ccfNames(listCcfFiles(m_programFolder)) {}

std::filesystem::path CcfCreator::pathOf(const std::string& name) const {
    return toPath(joinAndClean(fromPath(m_programFolder), name));
}

CommandResult CcfCreator::browse() {
    const auto startFolder =
        dialogStartFolder(levelSetPath, m_currentFolder ? m_currentFolder() : std::string());
    const auto choice = m_platform.openFileDialog(
        "Browse for level sets...", "Chip's Challenge level sets (.dat, .ccl)|*.dat;*.ccl",
        startFolder);
    if (!choice)
        return CommandResult::failed();
    levelSetPath = choice->path;
    return CommandResult::succeeded();
}

CommandResult CcfCreator::pick(const std::string& name) {
    ccfName = name;
    const auto fields = readCcfFields(pathOf(name), 3);
    if (!fields) {
        m_platform.tell("Error - could not read the CCF file (" + name + ")", kTitle,
                        MessageIcon::Exclamation);
        return CommandResult::failed();
    }
    levelSetPath = fromWindows1252((*fields)[0]);
    fakeLastLevel = (*fields)[1];
    realLastLevel = (*fields)[2];
    return CommandResult::succeeded();
}

CommandResult CcfCreator::refuse(const std::string& text, const std::string& focus) {
    m_platform.tell(text, kTitle, MessageIcon::Exclamation);
    return CommandResult::refused(focus);
}

CommandResult CcfCreator::save() {
    if (levelSetPath.empty())
        return refuse("Error - you didn't select a level set", "Text1");
    const auto fake = toInt16(fakeLastLevel);
    if (!fake)
        return refuse("Error - invalid level 144", "Text2");
    const auto real = toInt16(realLastLevel);
    if (!real)
        return refuse("Error - invalid level 149", "Text3");
    if (*fake > *real || *fake < 1)
        return refuse("Error - invalid level 144", "Text2");
    if (ccfName.empty())
        return refuse("Error - you didn't type a name for this CCF file", "Combo1");
    // The game reads the fields, and the name as a score section, in its own
    // code page; the name is counted in it too.
    const auto gameName = toWindows1252(ccfName);
    if (gameName && gameName->size() > kLongestCcfName)
        return refuse("Error - CCF filename too long", "Combo1");
    if (leavesFolder(ccfName))
        return refuse("Error - the CCF filename cannot contain \"\\\", \"/\" or \"..\"", "Combo1");
    if (!isNameWindowsCanHold(ccfName))
        return refuse(std::string("Error - the CCF filename cannot contain ") +
                          kCharactersWindowsNamesCannotHold +
                          " or control characters, end in a space or a dot, or be a device "
                          "name such as CON or NUL",
                      "Combo1");
    if (!gameName)
        return refuse("Error - the CCF filename holds letters the game cannot read", "Combo1");
    const auto gamePath = toWindows1252(levelSetPath);
    if (!gamePath)
        return refuse("Error - the level set's path holds letters the game cannot read; "
                      "choose a set in a folder whose path uses only the letters of Western "
                      "European languages",
                      "Text1");
    if (!writeCcfFile(pathOf(ccfName), *gamePath, fakeLastLevel, realLastLevel, *gameName))
        return refuse("Error - your CCF file (" + ccfName +
                          ") could not be written, so nothing "
                          "was saved.",
                      {});
    m_platform.tell("Your CCF file (" + ccfName + ") has been created.", kTitle, MessageIcon::None);
    return CommandResult::succeeded();
}

} // namespace tessaro
