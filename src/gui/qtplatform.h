#pragma once

#include "common/platform.h"

#include <QString>

namespace tessaro {

// The Platform on Qt: modal boxes and dialogs over the active window,
// detached processes and the default browser.
class QtPlatform : public Platform {
public:
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

// "description|pattern;pattern" as a Qt name filter: "description (pattern pattern)".
QString toQtFilter(const std::string& filter);

} // namespace tessaro
