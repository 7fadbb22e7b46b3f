#pragma once

#include "common/commandresult.h"
#include "common/platform.h"

#include <filesystem>
#include <string>
#include <vector>

namespace tessaro {

// The names of the CCF files in a folder (files whose names end in ".ccf" in
// any case), sorted by name without regard to case. Empty when the folder
// cannot be read.
std::vector<std::string> listCcfFiles(const std::filesystem::path& folder);

// What the CCF File Creator window shows, and its commands. CCF files are
// written into and re-read from the program folder.
class CcfCreator {
public:
    CcfCreator(Platform& platform, std::filesystem::path programFolder);

    std::string levelSetPath; // full path of the level set the file plays
    std::string fakeLastLevel = "144";
    std::string realLastLevel = "149";
    std::string ccfName; // the CCF file's name as typed

    // The name box's list: the program folder's CCF files when the window opened.
    const std::vector<std::string>& ccfNames() const { return m_ccfNames; }

    // Browse: asks for a level set and puts its full path into levelSetPath.
    void browse();

    // Choosing an entry of the name box's list: the name goes into ccfName and
    // the file's first three fields into levelSetPath, fakeLastLevel and
    // realLastLevel. When the file cannot be read or has fewer fields, the
    // player is told and the three fields keep their contents.
    void pick(const std::string& name);

    // Save: checks the fields, writes the CCF file (replacing one of the same
    // name) and confirms; done when the file was written. A file that cannot
    // be written is reported and an earlier file of that name stays as it was.
    CommandResult save();

private:
    CommandResult refuse(const std::string& text, const std::string& focus);
    std::filesystem::path pathOf(const std::string& name) const;

    Platform& m_platform;
    std::filesystem::path m_programFolder;
    std::vector<std::string> m_ccfNames;
};

} // namespace tessaro
