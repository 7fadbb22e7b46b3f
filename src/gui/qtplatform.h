#pragma once

#include "common/platform.h"

#include <QString>

#include <cstdint>
#include <vector>

namespace tessaro {

// The Platform on Qt: modal boxes and dialogs over the active window,
// processes started in sessions of their own, and the default browser.
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
    // POSIX: posix_spawn in a new session, and every started process that
    // has ended is reaped after each start and before each running check.
    std::optional<StartedProcess> startProgram(const StartRequest& request) override;
    bool isRunning(const StartedProcess& process) override;
    bool openUrl(const std::string& url) override;

private:
    std::vector<std::int64_t> m_unreaped; // started here, not yet reaped
    void reapEnded();
};

// "description|pattern;pattern" as a Qt name filter: "description (pattern pattern)";
// further "|description|pattern" pairs become further filters.
QString toQtFilter(const std::string& filter);

} // namespace tessaro
