#pragma once

#include <filesystem>
#include <functional>
#include <optional>
#include <string>

namespace tessaro {

// Where Tessaro keeps "ludex.exe", "tessaro.7" and its CCF files:
// 1. the TESSARO_HOME value when set and not empty;
// 2. otherwise the folder of Tessaro's own executable, when it is writable;
// 3. otherwise the per-user data folder (created when missing).
std::filesystem::path
chooseProgramFolder(const std::optional<std::string>& tessaroHome,
                    const std::filesystem::path& executableFolder,
                    const std::filesystem::path& userDataFolder,
                    const std::function<bool(const std::filesystem::path&)>& isWritable);

// True when a file can be created in the folder (tried with a scratch file
// that is removed again).
bool isFolderWritable(const std::filesystem::path& folder);

} // namespace tessaro
