#include "ccf/ccfcreator.h"

#include "ccf/ccffile.h"
#include "common/numbers.h"
#include "common/paths.h"

#include <algorithm>
#include <system_error>
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
    std::vector<std::string> names;
    std::error_code error;
    for (std::filesystem::directory_iterator it(folder, error), end; !error && it != end;
         it.increment(error)) {
        std::error_code typeError;
        if (!it->is_regular_file(typeError))
            continue;
        auto name = fromPath(it->path().filename());
        if (endsWithIgnoreCase(name, ".ccf"))
            names.push_back(std::move(name));
    }
    std::sort(names.begin(), names.end(), [](const std::string& a, const std::string& b) {
        const auto upperA = toUpperAscii(a);
        const auto upperB = toUpperAscii(b);
        return upperA != upperB ? upperA < upperB : a < b;
    });
    return names;
}

CcfCreator::CcfCreator(Platform& platform, std::filesystem::path programFolder)
    : m_platform(platform), m_programFolder(std::move(programFolder)),
      m_ccfNames(listCcfFiles(m_programFolder)) {}

std::filesystem::path CcfCreator::pathOf(const std::string& name) const {
    return toPath(joinAndClean(fromPath(m_programFolder), name));
}

void CcfCreator::browse() {
    if (const auto choice = m_platform.openFileDialog(
            "Browse for level sets...", "Chip's Challenge level sets (.dat, .ccl)|*.dat;*.ccl"))
        levelSetPath = choice->path;
}

void CcfCreator::pick(const std::string& name) {
    ccfName = name;
    const auto fields = readCcfFields(pathOf(name), 3);
    if (!fields) {
        m_platform.tell("Error - could not read the CCF file (" + name + ")", kTitle,
                        MessageIcon::Exclamation);
        return;
    }
    levelSetPath = (*fields)[0];
    fakeLastLevel = (*fields)[1];
    realLastLevel = (*fields)[2];
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
    if (ccfName.size() > kLongestCcfName)
        return refuse("Error - CCF filename too long", "Combo1");
    if (leavesFolder(ccfName))
        return refuse("Error - the CCF filename cannot contain \"\\\", \"/\" or \"..\"", "Combo1");
    if (!writeCcfFile(pathOf(ccfName), levelSetPath, fakeLastLevel, realLastLevel, ccfName))
        return refuse("Error - your CCF file (" + ccfName +
                          ") could not be written, so nothing "
                          "was saved.",
                      {});
    m_platform.tell("Your CCF file (" + ccfName + ") has been created.", kTitle, MessageIcon::None);
    return CommandResult::succeeded();
}

} // namespace tessaro
