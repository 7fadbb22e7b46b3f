#pragma once

#include "common/commandresult.h"
#include "common/dialogfolder.h"
#include "common/platform.h"

#include <filesystem>
#include <string>
#include <vector>

namespace tessaro {

// The names of the CCF files in a folder (files whose names end in ".ccf" in
// any case), in the order of every other file list (listMatchingFiles). Empty
// when the folder cannot be read.
std::vector<std::string> listCcfFiles(const std::filesystem::path& folder);

// What the CCF File Creator window shows, and its commands. CCF files are
// written into and re-read from the program folder.
class CcfCreator {
public:
    CcfCreator(Platform& platform, std::filesystem::path programFolder,
               CurrentFolder currentFolder = {});

    std::string levelSetPath; // full path of the level set the file plays
    std::string fakeLastLevel = "144";
    std::string realLastLevel = "149";
    std::string ccfName; // the CCF file's name as typed

    // The name box's list: the program folder's CCF files when the window opened.
    const std::vector<std::string>& ccfNames() const { return m_ccfNames; }

    // Browse: asks for a level set and puts its full path into levelSetPath.
    // The dialog starts in the folder of the set already named, else in the
    // folder currentFolder gives (the main window's); Cancel changes nothing.
    CommandResult browse();

    // Choosing an entry of the name box's list: the name goes into ccfName and
    // the file's first three fields into levelSetPath, fakeLastLevel and
    // realLastLevel. When the file cannot be read or has fewer fields, the
    // player is told and the three fields keep their contents.
    CommandResult pick(const std::string& name);

    // Save: checks the fields, writes the CCF file (replacing one of the same
    // name) and confirms; done when the file was written. A file that cannot
    // be written is reported and an earlier file of that name stays as it was.
    // A name Windows cannot hold is refused, and so are a name or level set
    // path that Windows-1252, the code page the file's fields are written in,
    // cannot hold.
    CommandResult save();

private:
    CommandResult refuse(const std::string& text, const std::string& focus);
    std::filesystem::path pathOf(const std::string& name) const;

    Platform& m_platform;
    std::filesystem::path m_programFolder;
    CurrentFolder m_currentFolder;
    std::vector<std::string> m_ccfNames;
};

} // namespace tessaro
