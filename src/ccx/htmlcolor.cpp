#include "ccx/htmlcolor.h"

namespace tessaro {

namespace {

int hexDigitValue(char c) {
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    return -1;
}

} // namespace

std::string formatHtmlColor(ColorValue color) {
    static constexpr char kDigits[] = "0123456789ABCDEF";
    std::string text = "#";
    for (const int shift : {0, 8, 16}) {
        const unsigned component = (color >> shift) & 0xFFu;
        text += kDigits[component >> 4];
        text += kDigits[component & 0xFu];
    }
    return text;
}

ColorValue parseHtmlColor(std::string_view text) {
    std::uint32_t rgb = 0;
    for (const char c : text) {
        const int digit = hexDigitValue(c);
        if (digit < 0)
            break;
        rgb = ((rgb << 4) | static_cast<std::uint32_t>(digit)) & 0xFFFFFFu;
    }
    const std::uint32_t red = (rgb >> 16) & 0xFFu;
    const std::uint32_t green = (rgb >> 8) & 0xFFu;
    const std::uint32_t blue = rgb & 0xFFu;
    return red | (green << 8) | (blue << 16);
}

} // namespace tessaro
