#include "score_ini/startfolder.h"

#include "common/paths.h"

#include <cstdlib>
#include <filesystem>
#include <system_error>

namespace tessaro {

namespace {

std::optional<std::string> variable(const char* name) {
    const char* value = std::getenv(name);
    if (value == nullptr || *value == '\0')
        return std::nullopt;
    return std::string(value);
}

} // namespace

StartFolderEnvironment StartFolderEnvironment::fromSystem() {
    StartFolderEnvironment environment;
    environment.winePrefix = variable("WINEPREFIX");
    environment.home = variable("HOME");
    if (!environment.home)
        environment.home = variable("USERPROFILE");
    environment.isFolder = [](const std::string& path) {
        std::error_code error;
        return std::filesystem::is_directory(toPath(path), error);
    };
    return environment;
}

std::string scoreFileStartFolder(const StartFolderEnvironment& environment) {
    const auto isFolder = [&](const std::string& path) {
        return environment.isFolder && environment.isFolder(path);
    };
    const std::string windows = "C:\\WINDOWS";
    if (isFolder(windows))
        return windows;
    std::optional<std::string> prefix = environment.winePrefix;
    if (!prefix && environment.home)
        prefix = joinAndClean(*environment.home, ".wine", '/');
    if (prefix) {
        const std::string wineWindows = joinAndClean(*prefix, "drive_c/windows", '/');
        if (isFolder(wineWindows))
            return wineWindows;
    }
    return environment.home.value_or(std::string());
}

} // namespace tessaro
