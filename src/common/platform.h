#pragma once

#include "common/colorvalue.h"
#include "common/processidentity.h"

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

namespace tessaro {

enum class MessageIcon { None, Exclamation, Information, Question };
enum class MessageButtons { Ok, YesNo, YesNoCancel };
enum class MessageAnswer { Ok, Yes, No, Cancel };

// What a file dialog hands back: the full path and the bare file name.
struct FileChoice {
    std::string path;
    std::string name;
};

// A program to start: the program itself, its arguments, and the folder it
// starts in. Never a command string; nothing goes through a shell.
struct StartRequest {
    std::filesystem::path program;
    std::vector<std::string> arguments;
    std::filesystem::path workingFolder;

    bool operator==(const StartRequest&) const = default;
};

// Everything modal or outside the process. Messages, titles, prompts,
// filters and paths are UTF-8 text, so a message can name any path as it is;
// a line input's default and answer are Windows-1252 bytes, like the file
// text they become. The Qt implementation converts at the edge.
// Filters have the form "description|pattern;pattern", and an open dialog's
// may offer more: "description|pattern|description|pattern;pattern".
class Platform {
public:
    virtual ~Platform() = default;

    virtual MessageAnswer message(const std::string& text, const std::string& title,
                                  MessageIcon icon, MessageButtons buttons) = 0;

    // Nothing on cancel. An empty startFolder leaves the choice to the system.
    virtual std::optional<FileChoice> openFileDialog(const std::string& title,
                                                     const std::string& filter,
                                                     const std::string& startFolder = {}) = 0;
    // With confirmOverwrite the dialog itself asks before an existing file is
    // chosen; without it, the caller decides what happens to such a file. A
    // name typed without an extension gets the one the filter names
    // (withFilterExtension), before the dialog asks about an existing file.
    virtual std::optional<FileChoice> saveFileDialog(const std::string& title,
                                                     const std::string& filter,
                                                     const std::string& startFolder = {},
                                                     bool confirmOverwrite = false) = 0;

    // Nothing on cancel.
    virtual std::optional<std::string> lineInput(const std::string& prompt,
                                                 const std::string& title,
                                                 const std::string& defaultText = {}) = 0;

    // Nothing on cancel.
    virtual std::optional<ColorValue> colorDialog(const std::string& title) = 0;

    // Starts without waiting, in a session of its own; the process started,
    // or nothing when the program could not be started.
    virtual std::optional<StartedProcess> startProgram(const StartRequest& request) = 0;
    // Whether a process startProgram gave still runs: one that has ended, or
    // whose id now names another process, does not.
    virtual bool isRunning(const StartedProcess& process) = 0;

    virtual bool openUrl(const std::string& url) = 0;

    // Shorthand for the most common box: OK button.
    void tell(const std::string& text, const std::string& title, MessageIcon icon) {
        message(text, title, icon, MessageButtons::Ok);
    }
};

} // namespace tessaro
