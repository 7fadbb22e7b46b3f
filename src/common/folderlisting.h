#pragma once

#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

namespace tessaro {

// Names of the regular files in a folder that match any of the patterns
// ("*.dat;*.ccl"), compared without regard to letter case, sorted by name
// without regard to case. Empty when the folder cannot be read.
std::vector<std::string> listFiles(const std::filesystem::path& folder, std::string_view patterns);

// Names of the folder's sub-folders, sorted the same way; hidden ones left out
// on systems where a leading dot hides a folder.
std::vector<std::string> listFolders(const std::filesystem::path& folder);

} // namespace tessaro
