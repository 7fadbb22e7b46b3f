#include "scriptedplatform.h"

namespace tessaro::test {

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
    if (answers.empty()) {
        ++unscriptedQuestions;
        return buttons == MessageButtons::YesNo ? MessageAnswer::No : MessageAnswer::Cancel;
    }
    const auto next = answers.front();
    answers.pop_front();
    return next;
}

std::optional<FileChoice> ScriptedPlatform::nextFileChoice() {
    if (fileChoices.empty()) {
        ++unscriptedQuestions;
        return std::nullopt;
    }
    auto next = fileChoices.front();
    fileChoices.pop_front();
    return next;
}

std::optional<FileChoice> ScriptedPlatform::openFileDialog(const std::string& title,
                                                           const std::string& filter,
                                                           const std::string& startFolder) {
    dialogs.push_back({DialogKind::Open, title, filter, startFolder});
    return nextFileChoice();
}

std::optional<FileChoice> ScriptedPlatform::saveFileDialog(const std::string& title,
                                                           const std::string& filter,
                                                           const std::string& startFolder,
                                                           bool confirmOverwrite) {
    dialogs.push_back({DialogKind::Save, title, filter, startFolder, confirmOverwrite});
    return nextFileChoice();
}

std::optional<std::string> ScriptedPlatform::lineInput(const std::string& prompt,
                                                       const std::string& title,
                                                       const std::string& defaultText) {
    dialogs.push_back({DialogKind::LineInput, title, prompt, defaultText});
    if (lineInputs.empty()) {
        ++unscriptedQuestions;
        return std::nullopt;
    }
    auto next = lineInputs.front();
    lineInputs.pop_front();
    return next;
}

std::optional<ColorValue> ScriptedPlatform::colorDialog(const std::string& title) {
    dialogs.push_back({DialogKind::Color, title, {}, {}});
    if (colors.empty()) {
        ++unscriptedQuestions;
        return std::nullopt;
    }
    auto next = colors.front();
    colors.pop_front();
    return next;
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
