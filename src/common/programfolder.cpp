#include "common/programfolder.h"

#include "common/casefold.h"

#include <array>
#include <fstream>
#include <string_view>
#include <system_error>

#ifndef _WIN32
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace tessaro {

namespace {

constexpr std::string_view kPortableMarker = "tessaro-portable";

#ifdef _WIN32
// Windows folders belong to groups as often as to users: a folder the user may
// create files in is the user's own.
bool isOwnedByUser(const std::filesystem::path& folder) {
    std::error_code error;
    if (!std::filesystem::is_directory(folder, error))
        return false;
    const auto probePath = folder / ".tessaro-write-check";
    bool writable = false;
    {
        std::ofstream out(probePath, std::ios::binary | std::ios::trunc);
        writable = static_cast<bool>(out);
    }
    std::filesystem::remove(probePath, error);
    return writable;
}
#else
bool isOwnedByUser(const std::filesystem::path& folder) {
    struct stat status {};
    return ::stat(folder.c_str(), &status) == 0 && S_ISDIR(status.st_mode) &&
           status.st_uid == ::geteuid();
}
#endif

} // namespace

bool isInstallFolder(const Utf8Path& folder, char separator) {
    // The first folder below the root, by whole name: "/usrlocal" is no "/usr".
    const auto steps = folderSteps(folder.text(), separator);
    if (steps.size() < 2)
        return false;
    const std::string top = bareName(steps[1]);
    if (separator == '\\')
        return equalsIgnoreCase(top, "Program Files") ||
               equalsIgnoreCase(top, "Program Files (x86)");
    return top == "usr" || top == "opt";
}

Utf8Path chooseProgramFolder(const ProgramFolderFacts& facts, char separator) {
    if (facts.tessaroHome && !facts.tessaroHome->empty())
        return *facts.tessaroHome;
    const Utf8Path& executable = facts.executableFolder;
    if (!executable.empty() &&
        (facts.portableMarker || (facts.ownedByUser && !isInstallFolder(executable, separator))))
        return executable;
    return facts.userDataFolder;
}

ProgramFolderFacts readProgramFolderFacts(const std::optional<Utf8Path>& tessaroHome,
                                          const Utf8Path& executableFolder,
                                          const Utf8Path& userDataFolder) {
    ProgramFolderFacts facts{.tessaroHome = tessaroHome,
                             .executableFolder = executableFolder,
                             .userDataFolder = userDataFolder};
    if (!executableFolder.empty()) {
        const auto folder = toPath(executableFolder);
        std::error_code error;
        facts.portableMarker =
            std::filesystem::is_regular_file(folder / toPath(std::string(kPortableMarker)), error);
        facts.ownedByUser = isOwnedByUser(folder);
    }
    return facts;
}

Utf8Path findProgramFolder(const std::optional<Utf8Path>& tessaroHome,
                           const Utf8Path& executableFolder, const Utf8Path& userDataFolder) {
    Utf8Path chosen =
        chooseProgramFolder(readProgramFolderFacts(tessaroHome, executableFolder, userDataFolder));
    std::error_code error;
    std::filesystem::create_directories(toPath(chosen), error);
    return chosen;
}

} // namespace tessaro
