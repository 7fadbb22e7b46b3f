#include "ccx/levelentrytext.h"

#include "common/numbers.h"

namespace tessaro {

std::string levelEntryText(int number, std::string_view title) {
    std::string text = std::to_string(number);
    text += ". ";
    text += title;
    return text;
}

std::optional<std::int16_t> levelNumberOfEntry(std::string_view entry) {
    return toInt16(entry.substr(0, entry.find('.')));
}

} // namespace tessaro
