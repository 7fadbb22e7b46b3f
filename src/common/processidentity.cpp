#include "common/processidentity.h"

#include "common/paths.h"

#include <algorithm>
#include <charconv>
#include <string>

#ifdef _WIN32
#include <windows.h>
#elif defined(__linux__)
#include <fstream>
#include <iterator>
#else
#include <cerrno>
#include <csignal>
#endif

namespace tessaro {

std::optional<ProcessStatus> parseProcessStatus(std::string_view statText) {
    const auto nameEnd = statText.rfind(')');
    if (nameEnd == std::string_view::npos)
        return std::nullopt;
    std::string_view rest = statText.substr(nameEnd + 1);
    // The fields after the name, from field 3 on, each after one space.
    ProcessStatus status;
    for (int field = 3; field <= 22; ++field) {
        if (rest.empty() || rest.front() != ' ')
            return std::nullopt;
        rest.remove_prefix(1);
        const auto end = std::min(rest.find(' '), rest.size());
        const std::string_view word = rest.substr(0, end);
        if (field == 3) {
            if (word.size() != 1)
                return std::nullopt;
            status.state = word.front();
        } else if (field == 22) {
            const auto [stop, error] =
                std::from_chars(word.data(), word.data() + word.size(), status.startTime);
            if (error != std::errc() || stop != word.data() + word.size())
                return std::nullopt;
        }
        rest.remove_prefix(end);
    }
    return status;
}

bool isStillRunning(const StartedProcess& started, const std::optional<ProcessStatus>& now) {
    // 'Z': ended, not yet reaped; 'X': being removed.
    return now && now->state != 'Z' && now->state != 'X' &&
           (!now->startKnown || now->startTime == started.startTime);
}

#ifdef _WIN32

namespace {

// The creation time of a process opened with query rights.
std::uint64_t creationTime(HANDLE process) {
    FILETIME created{}, exited{}, kernel{}, user{};
    if (!GetProcessTimes(process, &created, &exited, &kernel, &user))
        return 0;
    return (std::uint64_t(created.dwHighDateTime) << 32) | created.dwLowDateTime;
}

// The process's status now: running ('R') or ended ('Z'); nothing when no
// process has this id.
std::optional<ProcessStatus> statusOf(std::int64_t id) {
    HANDLE process =
        OpenProcess(SYNCHRONIZE | PROCESS_QUERY_LIMITED_INFORMATION, FALSE, static_cast<DWORD>(id));
    if (!process) {
        // A process the user may not look at still runs.
        if (GetLastError() == ERROR_ACCESS_DENIED)
            return ProcessStatus{'R', 0, false};
        return std::nullopt;
    }
    const ProcessStatus status{WaitForSingleObject(process, 0) == WAIT_TIMEOUT ? 'R' : 'Z',
                               creationTime(process)};
    CloseHandle(process);
    return status;
}

} // namespace

#elif defined(__linux__)

namespace {

std::optional<ProcessStatus> statusOf(std::int64_t id) {
    std::ifstream in(toPath("/proc/" + std::to_string(id) + "/stat"), std::ios::binary);
    const std::string text{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    return parseProcessStatus(text);
}

} // namespace

#else

namespace {

// Without /proc the system tells neither a start time nor an ended process
// that is not reaped yet: the one who started it reaps it first.
std::optional<ProcessStatus> statusOf(std::int64_t id) {
    if (id <= 0 || (::kill(static_cast<pid_t>(id), 0) != 0 && errno != EPERM))
        return std::nullopt;
    return ProcessStatus{'R', 0};
}

} // namespace

#endif

std::optional<StartedProcess> identifyProcess(std::int64_t id) {
    const auto status = statusOf(id);
    if (!status)
        return std::nullopt;
    return StartedProcess{id, status->startTime};
}

bool processIsRunning(const StartedProcess& process) {
    return process.id > 0 && isStillRunning(process, statusOf(process.id));
}

} // namespace tessaro
