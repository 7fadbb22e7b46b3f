#pragma once

#include <cstdint>
#include <optional>
#include <string_view>

namespace tessaro {

// A process Tessaro started: its id, and its start time, which tells it apart
// from a later process the system gives the same id (Linux: clock ticks after
// boot; Windows: creation time; 0 where the system tells neither).
struct StartedProcess {
    std::int64_t id = 0;
    std::uint64_t startTime = 0;

    bool operator==(const StartedProcess&) const = default;
};

// What the system says about a process id at one moment: its state letter
// ('R', 'S', 'Z' for ended but not yet reaped …) and its start time.
struct ProcessStatus {
    char state = '?';
    std::uint64_t startTime = 0;
    // False when the system would not tell (another user's process on
    // Windows): such a process is taken to be the one that was started.
    bool startKnown = true;
};

// The state (field 3) and start time (field 22) from the text of Linux's
// /proc/<id>/stat. The program name before them is in parentheses and may
// hold spaces and parentheses itself; it ends at the last ')'. Nothing when
// the text has not that shape.
std::optional<ProcessStatus> parseProcessStatus(std::string_view statText);

// Whether the process seen now is the one that was started and still runs:
// one that has ended (even when nobody has reaped it yet) or whose id now
// names a process started at another time is gone.
bool isStillRunning(const StartedProcess& started, const std::optional<ProcessStatus>& now);

// The process with this id as it is now, with its start time; nothing when
// there is none.
std::optional<StartedProcess> identifyProcess(std::int64_t id);

// Asks the system whether the process still runs (see isStillRunning).
bool processIsRunning(const StartedProcess& process);

} // namespace tessaro
