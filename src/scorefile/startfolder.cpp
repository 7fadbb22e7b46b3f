#include "scorefile/startfolder.h"

#include "common/paths.h"

#include <cstdlib>
#include <filesystem>
#include <system_error>

#ifdef _WIN32
#ifndef NOMINMAX
#define NOMINMAX
#endif
#define WIN32_LEAN_AND_MEAN
#include <windows.h>
#endif

namespace tessaro {

namespace {

#ifdef _WIN32
// Read through the wide API, so a folder outside the ANSI code page comes
// through whole.
std::optional<std::string> variable(const wchar_t* name) {
    const wchar_t* value = _wgetenv(name);
    if (value == nullptr || *value == L'\0')
        return std::nullopt;
    return fromPath(std::filesystem::path(std::wstring(value)));
}

std::optional<std::string> systemWindowsFolder() {
    wchar_t buffer[MAX_PATH + 1];
    const UINT length = GetWindowsDirectoryW(buffer, MAX_PATH + 1);
    if (length == 0 || length > MAX_PATH)
        return std::nullopt;
    return fromPath(std::filesystem::path(std::wstring(buffer, length)));
}
#else
std::optional<std::string> variable(const char* name) {
    const char* value = std::getenv(name);
    if (value == nullptr || *value == '\0')
        return std::nullopt;
    return std::string(value);
}
#endif

} // namespace

StartFolderEnvironment StartFolderEnvironment::fromSystem() {
    StartFolderEnvironment environment;
#ifdef _WIN32
    environment.windowsFolder = systemWindowsFolder();
    environment.home = variable(L"USERPROFILE");
#else
    environment.winePrefix = variable("WINEPREFIX");
    environment.home = variable("HOME");
#endif
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
    if (environment.windowsFolder && isFolder(*environment.windowsFolder))
        return *environment.windowsFolder;
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
