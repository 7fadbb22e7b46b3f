#pragma once

#include <string>
#include <utility>

namespace tessaro {

// What a command of a presentation model asks of its window once it has run.
// Any message has already been shown through the Platform; the window only
// moves the keyboard focus (to the control with that object name) and reads
// the model's state again.
struct CommandResult {
    // Object name of the control to focus; empty for none.
    std::string focus;
    // The command did what it was asked: a file written, a game started.
    bool done = false;

    static CommandResult succeeded() { return {{}, true}; }
    static CommandResult failed() { return {}; }
    // A refused input: the field at fault gets the focus.
    static CommandResult refused(std::string control) { return {std::move(control), false}; }

    bool operator==(const CommandResult&) const = default;
};

} // namespace tessaro
