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

// Only the started process, while it runs: ended, gone, or another process under its id is not.
TEST(StillRunning, OnlyTheStartedProcessWhileItRuns) {
    const std::pair<std::string, bool> cases[] = {{statText("game", "S", "5000"), true},
                                                  {statText("a) R 1 (b", "R", "5000"), true},
                                                  {statText("game", "Z", "5000"), false},
                                                  {statText("game", "S", "5001"), false},
                                                  {"", false},
                                                  {"4242 (game) S 1 2 3", false},
                                                  {statText("game", "S", "50x0"), false}};
    for (const auto& [stat, running] : cases)
        EXPECT_EQ(isStillRunning({4242, 5000}, parseProcessStatus(stat)), running) << stat;
}

// The system's own answer for this very process, which runs, and for one started at another time.
TEST(ProcessIsRunning, KnowsThisProcessByItsStartTime) {
    const auto self = identifyProcess(::getpid()); // MinGW: the Windows process id
    ASSERT_TRUE(self);
    EXPECT_TRUE(processIsRunning(*self));
    EXPECT_FALSE(processIsRunning({self->id, self->startTime + 1}));
}

} // namespace
} // namespace tessaro
