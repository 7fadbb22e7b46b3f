#include "common/programfolder.h"

#include <fstream>
#include <system_error>

namespace tessaro {

std::filesystem::path
chooseProgramFolder(const std::optional<std::string>& tessaroHome,
                    const std::filesystem::path& executableFolder,
                    const std::filesystem::path& userDataFolder,
                    const std::function<bool(const std::filesystem::path&)>& isWritable) {
    std::error_code error;
    if (tessaroHome && !tessaroHome->empty()) {
        std::filesystem::path home(*tessaroHome);
        std::filesystem::create_directories(home, error);
        return home;
    }
    if (!executableFolder.empty() && isWritable(executableFolder))
        return executableFolder;
    std::filesystem::create_directories(userDataFolder, error);
    return userDataFolder;
}

bool isFolderWritable(const std::filesystem::path& folder) {
    std::error_code error;
    if (!std::filesystem::is_directory(folder, error))
        return false;
    const auto probe = folder / ".tessaro-write-check";
    bool writable = false;
    {
        std::ofstream out(probe, std::ios::binary | std::ios::trunc);
        writable = static_cast<bool>(out);
    }
    std::filesystem::remove(probe, error);
    return writable;
}

} // namespace tessaro
