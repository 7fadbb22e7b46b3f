#include "common/windowsnames.h"

#include "common/casefold.h"

#include <algorithm>
#include <array>
#include <string>

namespace tessaro {

namespace {

bool isDeviceName(std::string_view name) {
    // Windows opens the device whatever follows the first dot, and ignores
    // spaces before it.
    auto stem = name.substr(0, name.find('.'));
    while (!stem.empty() && stem.back() == ' ')
        stem.remove_suffix(1);
    static constexpr std::array<std::string_view, 4> kDevices = {"CON", "PRN", "AUX", "NUL"};
    if (std::any_of(kDevices.begin(), kDevices.end(),
                    [stem](std::string_view device) { return equalsIgnoreCase(stem, device); }))
        return true;
    return stem.size() == 4 &&
           (equalsIgnoreCase(stem.substr(0, 3), "COM") ||
            equalsIgnoreCase(stem.substr(0, 3), "LPT")) &&
           stem[3] >= '1' && stem[3] <= '9';
}

} // namespace

bool isNameWindowsCanHold(std::string_view name) {
    if (name.empty() || name.back() == ' ' || name.back() == '.')
        return false;
    const bool badCharacter = std::any_of(name.begin(), name.end(), [](char c) {
        return static_cast<unsigned char>(c) < 0x20 ||
               std::string_view("\\/:*?\"<>|").find(c) != std::string_view::npos;
    });
    return !badCharacter && !isDeviceName(name);
}

} // namespace tessaro
