#pragma once

#include "common/commandresult.h"

#include <functional>
#include <utility>

class QWidget;

namespace tessaro {

// The one way a window runs a command of its presentation model: the
// command, then the window's redraw() (the model's state into the controls),
// then what the command asked of the window (applyResult). Every button,
// menu entry and list choice of every window goes through one.
class CommandLoop {
public:
    CommandLoop(QWidget& window, std::function<void()> redraw)
        : m_window(window), m_redraw(std::move(redraw)) {}

    // Runs the command through the loop and gives back its result.
    CommandResult run(const std::function<CommandResult()>& command);

    // True while a command or the redraw after it runs: what the controls
    // signal then comes from the model, not from the user.
    bool running() const { return m_running; }

private:
    QWidget& m_window;
    std::function<void()> m_redraw;
    bool m_running = false;
};

} // namespace tessaro
