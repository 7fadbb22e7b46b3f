#include "common/processidentity.h"

#include <gtest/gtest.h>

#include <string>
#include <unistd.h>

namespace tessaro {
namespace {

// Linux's /proc/<id>/stat: id, (name), state, 18 more fields, start time, the rest.
std::string statText(const std::string& name, const std::string& state, const std::string& start) {
    std::string text = "4242 (" + name + ") " + state;
    for (int field = 4; field < 22; ++field)
        text += " " + std::to_string(field);
    return text + " " + start + " 0 0\n";
}

struct StillRunningCase {
    const char* label;
    std::string stat;
    bool running;
};
class StillRunning : public ::testing::TestWithParam<StillRunningCase> {};
TEST_P(StillRunning, OnlyTheStartedProcessWhileItRuns) {
    const StartedProcess started{4242, 5000};
    EXPECT_EQ(isStillRunning(started, parseProcessStatus(GetParam().stat)), GetParam().running);
}
const StillRunningCase stillRunningCases[] = {
    {.label = "sleeping", .stat = statText("game", "S", "5000"), .running = true},
    {.label = "nameWithParentheses", .stat = statText("a) R 1 (b", "R", "5000"), .running = true},
    {.label = "endedNotReaped", .stat = statText("game", "Z", "5000"), .running = false},
    {.label = "idReused", .stat = statText("game", "S", "5001"), .running = false},
    {.label = "noProcess", .stat = "", .running = false},
    {.label = "cutShort", .stat = "4242 (game) S 1 2 3", .running = false},
    {.label = "startTimeNotANumber", .stat = statText("game", "S", "50x0"), .running = false},
};
INSTANTIATE_TEST_SUITE_P(Table, StillRunning, ::testing::ValuesIn(stillRunningCases),
                         [](const auto& info) { return std::string(info.param.label); });

// The system's own answer for this very process, which runs, and for one started at another time.
TEST(ProcessIsRunning, KnowsThisProcessByItsStartTime) {
    const auto self = identifyProcess(::getpid()); // MinGW: the Windows process id
    ASSERT_TRUE(self);
    EXPECT_TRUE(processIsRunning(*self));
    EXPECT_FALSE(processIsRunning({self->id, self->startTime + 1}));
}

} // namespace
} // namespace tessaro
