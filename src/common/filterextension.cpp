#include "common/filterextension.h"

#include "common/paths.h"

namespace tessaro {

std::string filterExtension(std::string_view filter) {
    const auto bar = filter.find('|');
    std::string_view pattern = bar == std::string_view::npos ? filter : filter.substr(bar + 1);
    while (!pattern.empty() && pattern.front() == ' ')
        pattern.remove_prefix(1);
    while (!pattern.empty() && pattern.back() == ' ')
        pattern.remove_suffix(1);
    if (pattern.size() < 3 || !pattern.starts_with("*.") ||
        pattern.find_first_of("*?;[ ", 2) != std::string_view::npos ||
        pattern.find('.', 2) != std::string_view::npos)
        return {};
    return std::string(pattern.substr(1));
}

std::string withFilterExtension(std::string_view path, std::string_view filter) {
    const std::string extension = filterExtension(filter);
    const std::string name = bareName(path);
    if (extension.empty() || name.empty() || name.find('.') != std::string::npos)
        return std::string(path);
    return std::string(path) + extension;
}

} // namespace tessaro
