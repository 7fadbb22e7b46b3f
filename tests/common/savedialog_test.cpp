#include "common/consoleattach.h"
#include "common/filterextension.h"

#include <gtest/gtest.h>

namespace tessaro {
namespace {

// A typed name gets the filter's one extension when it has none of its own.
TEST(SaveDialogName, GetsTheFiltersOneExtensionWhenItHasNone) {
    const struct {
        const char *typed, *filter, *saved;
    } cases[] = {
        {"/s/mynew", "CCX|*.ccx", "/s/mynew.ccx"},
        {"C:\\s.d\\a", "x|*.exe", "C:\\s.d\\a.exe"},
        {"/s/my.set", "x|*.ccx", "/s/my.set"},
        {"/s/a", "x|*.dat;*.ccl", "/s/a"},
        {"/s/a", "x|*.*", "/s/a"},
        {"/s/a", "x|*.c?x", "/s/a"},
        {"/s/a", "x|CHIPS.EXE", "/s/a"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(withFilterExtension(c.typed, c.filter), c.saved) << c.typed << " " << c.filter;
}

// A console job on Windows borrows the parent's console only for the standard streams that lead
// nowhere else.
TEST(ConsolePlan, AttachesOnlyTheMissingStreams) {
    EXPECT_EQ(planConsoleAttach(false, false), (ConsoleAttach{true, true, true}));
    EXPECT_EQ(planConsoleAttach(true, false), (ConsoleAttach{true, false, true}));
    EXPECT_EQ(planConsoleAttach(false, true), (ConsoleAttach{true, true, false}));
    EXPECT_EQ(planConsoleAttach(true, true), (ConsoleAttach{false, false, false}));
}

} // namespace
} // namespace tessaro
