#include "common/dialogfolder.h"

#include "common/paths.h"

#include <filesystem>
#include <system_error>

namespace tessaro {

std::string dialogStartFolder(const std::string& fieldPath, const std::string& fallback) {
    if (fieldPath.empty())
        return fallback;
    const auto folder = toPath(fieldPath).parent_path();
    std::error_code error;
    if (folder.empty() || !std::filesystem::is_directory(folder, error))
        return fallback;
    return fromPath(folder);
}

} // namespace tessaro
