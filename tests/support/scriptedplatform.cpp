#include "scriptedplatform.h"

#include <ostream>

namespace tessaro::test {

namespace {

// The front answer of the queue; an empty queue is counted and answers none.
template <typename T> T next(std::deque<T>& queue, int& unscripted, T none = {}) {
    if (queue.empty()) {
        ++unscripted;
        return none;
    }
    T front = std::move(queue.front());
    queue.pop_front();
    return front;
}

} // namespace

void PrintTo(const RecordedMessage& message, std::ostream* out) {
    *out << '"' << message.text << "\" titled \"" << message.title << "\" (icon "
         << static_cast<int>(message.icon) << ", buttons " << static_cast<int>(message.buttons)
         << ")";
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
    return next(answers, unscriptedQuestions,
                buttons == MessageButtons::YesNo ? MessageAnswer::No : MessageAnswer::Cancel);
}

std::optional<FileChoice> ScriptedPlatform::openFileDialog(const std::string& title,
                                                           const std::string& filter,
                                                           const std::string& startFolder) {
    dialogs.push_back({DialogKind::Open, title, filter, startFolder});
    return next(fileChoices, unscriptedQuestions);
}

std::optional<FileChoice> ScriptedPlatform::saveFileDialog(const std::string& title,
                                                           const std::string& filter,
                                                           const std::string& startFolder,
                                                           bool confirmOverwrite) {
    dialogs.push_back({DialogKind::Save, title, filter, startFolder, confirmOverwrite});
    return next(fileChoices, unscriptedQuestions);
}

std::optional<std::string> ScriptedPlatform::lineInput(const std::string& prompt,
                                                       const std::string& title,
                                                       const std::string& defaultText) {
    dialogs.push_back({DialogKind::LineInput, title, prompt, defaultText});
    return next(lineInputs, unscriptedQuestions);
}

std::optional<ColorValue> ScriptedPlatform::colorDialog(const std::string& title) {
    dialogs.push_back({DialogKind::Color, title, {}, {}});
    return next(colors, unscriptedQuestions);
}

bool ScriptedPlatform::startProgram(const StartRequest& request) {
    starts.push_back(request);
    return startSucceeds;
}

bool ScriptedPlatform::openUrl(const std::string& url) {
    openedUrls.push_back(url);
    return openUrlSucceeds;
}

} // namespace tessaro::test
