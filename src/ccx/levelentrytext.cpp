#include "ccx/levelentrytext.h"

namespace tessaro {

std::string levelEntryText(int number, std::string_view title) {
    std::string text = std::to_string(number);
    text += ". ";
    text += title;
    return text;
}

} // namespace tessaro
