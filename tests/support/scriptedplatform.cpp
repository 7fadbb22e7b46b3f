#include "scriptedplatform.h"

#include <ostream>

namespace tessaro::test {

void PrintTo(const RecordedMessage& m, std::ostream* out) {
    *out << '"' << m.text << "\" titled \"" << m.title << "\" (icon " << int(m.icon) << ", buttons "
         << int(m.buttons) << ")";
}

const RecordedMessage& ScriptedPlatform::lastMessage() const {
    static const RecordedMessage none{"<no message was shown>", "", MessageIcon::None,
                                      MessageButtons::Ok};
    return messages.empty() ? none : messages.back();
}

MessageAnswer ScriptedPlatform::message(const std::string& text, const std::string& title,
                                        MessageIcon icon, MessageButtons buttons) {
    messages.push_back({text, title, icon, buttons});
    if (buttons == MessageButtons::Ok)
        return MessageAnswer::Ok;
    if (answers.empty() && answerer)
        return answerer->answer(messages.back());
    return next(answers,
                buttons == MessageButtons::YesNo ? MessageAnswer::No : MessageAnswer::Cancel);
}

} // namespace tessaro::test
