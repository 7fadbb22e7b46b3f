#pragma once

#include "common/platform.h"

#include <deque>
#include <iosfwd>
#include <optional>
#include <string>
#include <vector>

namespace tessaro::test {

struct RecordedMessage {
    std::string text;
    std::string title;
    MessageIcon icon;
    MessageButtons buttons;

    bool operator==(const RecordedMessage&) const = default;
};

// How a failing check shows a message.
void PrintTo(const RecordedMessage& message, std::ostream* out);

enum class DialogKind { Open, Save, LineInput, Color };

struct RecordedDialog {
    DialogKind kind;
    std::string title;
    std::string filterOrPrompt;
    std::string startFolderOrDefault;
    // A save dialog that asks before it replaces an existing file.
    bool confirmOverwrite = false;
};

// A Platform that answers from queues and records everything it was asked.
// A box with only an OK button needs no scripted answer. A question or dialog
// with an empty queue is counted in unscriptedQuestions and answered as a
// cancel (No for Yes/No), so a test that forgot to script it fails visibly.
class ScriptedPlatform : public Platform {
public:
    // Answers, taken front first.
    std::deque<MessageAnswer> answers;
    std::deque<std::optional<FileChoice>> fileChoices;
    std::deque<std::optional<std::string>> lineInputs;
    std::deque<std::optional<ColorValue>> colors;
    bool startSucceeds = true;
    bool openUrlSucceeds = true;

    // What was asked.
    std::vector<RecordedMessage> messages;
    std::vector<RecordedDialog> dialogs;
    std::vector<StartRequest> starts;
    std::vector<std::string> openedUrls;
    int unscriptedQuestions = 0;

    // Queue helpers.
    void answer(MessageAnswer a) { answers.push_back(a); }
    void chooseFile(const std::string& path, const std::string& name) {
        fileChoices.push_back(FileChoice{path, name});
    }
    void cancelFileDialog() { fileChoices.push_back(std::nullopt); }

    // The last message shown, or a "<no message was shown>" stand-in.
    const RecordedMessage& lastMessage() const;

    MessageAnswer message(const std::string& text, const std::string& title, MessageIcon icon,
                          MessageButtons buttons) override;
    std::optional<FileChoice> openFileDialog(const std::string& title, const std::string& filter,
                                             const std::string& startFolder) override;
    std::optional<FileChoice> saveFileDialog(const std::string& title, const std::string& filter,
                                             const std::string& startFolder,
                                             bool confirmOverwrite) override;
    std::optional<std::string> lineInput(const std::string& prompt, const std::string& title,
                                         const std::string& defaultText) override;
    std::optional<ColorValue> colorDialog(const std::string& title) override;
    bool startProgram(const StartRequest& request) override;
    bool openUrl(const std::string& url) override;
};

} // namespace tessaro::test
