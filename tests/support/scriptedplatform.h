#pragma once

#include "common/filterextension.h"
#include "common/paths.h"
#include "common/platform.h"

#include <deque>
#include <ostream>

namespace tessaro::test {

struct RecordedMessage {
    std::string text, title;
    MessageIcon icon;
    MessageButtons buttons;
    bool operator==(const RecordedMessage&) const = default;
};
inline void PrintTo(const RecordedMessage& m, std::ostream* out) {
    *out << '"' << m.text << "\" titled \"" << m.title << "\" (icon " << int(m.icon) << ", buttons "
         << int(m.buttons) << ")";
}

// The program's own messages are titled "Tessaro".
inline RecordedMessage warning(std::string text) {
    return {std::move(text), "Tessaro", MessageIcon::Exclamation, MessageButtons::Ok};
}
inline RecordedMessage question(std::string text, MessageButtons buttons = MessageButtons::YesNo) {
    return {std::move(text), "Tessaro", MessageIcon::Question, buttons};
}

struct RecordedDialog {
    std::string title, filterOrPrompt, startFolderOrDefault;
    bool confirmOverwrite = false; // a save dialog that asks before replacing a file
};

// A Platform that answers from queues and records what it was asked. A question or dialog met by an
// empty queue counts in unscriptedQuestions and is cancelled (No for Yes/No).
class ScriptedPlatform : public Platform {
public:
    std::deque<MessageAnswer> answers;
    std::deque<std::optional<FileChoice>> fileChoices;
    std::deque<std::optional<std::string>> lineInputs;
    std::deque<std::optional<ColorValue>> colors;
    bool startSucceeds = true;
    bool startedStillRun = false; // what isRunning says of a process started here

    std::vector<RecordedMessage> messages;
    std::vector<RecordedDialog> dialogs;
    std::vector<StartRequest> starts;
    std::vector<std::string> openedUrls;
    int unscriptedQuestions = 0;

    void answer(MessageAnswer a) { answers.push_back(a); }
    void chooseFile(const std::string& path, const std::string& name) {
        fileChoices.push_back(FileChoice{path, name});
    }
    void cancelFileDialog() { fileChoices.push_back(std::nullopt); }
    const RecordedMessage& lastMessage() const {
        static const RecordedMessage none{"<no message was shown>", "", {}, {}};
        return messages.empty() ? none : messages.back();
    }

    MessageAnswer message(const std::string& text, const std::string& title, MessageIcon icon,
                          MessageButtons buttons) override {
        messages.push_back({text, title, icon, buttons});
        return buttons == MessageButtons::Ok      ? MessageAnswer::Ok
               : buttons == MessageButtons::YesNo ? next(answers, MessageAnswer::No)
                                                  : next(answers, MessageAnswer::Cancel);
    }
    std::optional<FileChoice> openFileDialog(const std::string& title, const std::string& filter,
                                             const std::string& startFolder) override {
        dialogs.push_back({title, filter, startFolder});
        return next(fileChoices);
    }
    std::optional<FileChoice> saveFileDialog(const std::string& title, const std::string& filter,
                                             const std::string& startFolder,
                                             bool confirmOverwrite) override {
        dialogs.push_back({title, filter, startFolder, confirmOverwrite});
        auto choice = next(fileChoices);
        if (choice) // as the real dialog hands back a name typed without extension
            choice->name = bareName(choice->path = withFilterExtension(choice->path, filter));
        return choice;
    }
    std::optional<std::string> lineInput(const std::string& prompt, const std::string& title,
                                         const std::string& defaultText) override {
        dialogs.push_back({title, prompt, defaultText});
        return next(lineInputs);
    }
    std::optional<ColorValue> colorDialog(const std::string& title) override {
        dialogs.push_back({title, {}, {}});
        return next(colors);
    }
    // A started process's id is the number of its start request.
    std::optional<StartedProcess> startProgram(const StartRequest& request) override {
        starts.push_back(request);
        return startSucceeds ? std::optional(StartedProcess{std::int64_t(starts.size()), 1})
                             : std::nullopt;
    }
    bool isRunning(const StartedProcess& process) override {
        return startedStillRun && process.id > 0 && std::size_t(process.id) <= starts.size();
    }
    bool openUrl(const std::string& url) override { return openedUrls.push_back(url), true; }

private:
    template <typename T> T next(std::deque<T>& queue, T answer = {}) {
        if (queue.empty())
            return ++unscriptedQuestions, answer;
        answer = std::move(queue.front());
        queue.pop_front();
        return answer;
    }
};

} // namespace tessaro::test
