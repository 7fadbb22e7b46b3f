#include "common/programsearch.h"

#include "common/paths.h"

#include <cstdlib>
#include <filesystem>
#include <system_error>

namespace tessaro {

namespace {

#ifdef _WIN32
constexpr char kListSeparator = ';';
#else
constexpr char kListSeparator = ':';
#endif

bool isProgram(const std::string& path) {
    std::error_code error;
    const auto status = std::filesystem::status(toPath(path), error);
    if (error || !std::filesystem::is_regular_file(status))
        return false;
#ifdef _WIN32
    return true;
#else
    using std::filesystem::perms;
    return (status.permissions() & (perms::owner_exec | perms::group_exec | perms::others_exec)) !=
           perms::none;
#endif
}

} // namespace

std::optional<std::string> systemSearchPath() {
    const char* value = std::getenv("PATH");
    if (value == nullptr)
        return std::nullopt;
    return std::string(value);
}

std::optional<std::string> findProgram(std::string_view name, std::string_view searchPath) {
    while (!searchPath.empty()) {
        const auto end = searchPath.find(kListSeparator);
        const auto folder = searchPath.substr(0, end);
        if (!folder.empty()) {
            auto candidate = joinAndClean(folder, name);
            if (isProgram(candidate))
                return candidate;
        }
        if (end == std::string_view::npos)
            break;
        searchPath.remove_prefix(end + 1);
    }
    return std::nullopt;
}

} // namespace tessaro
