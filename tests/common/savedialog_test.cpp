#include "common/consoleattach.h"
#include "common/filterextension.h"

#include <gtest/gtest.h>

namespace tessaro {
namespace {

struct ExtensionCase {
    const char* label;
    const char* typed;
    const char* filter;
    const char* saved;
};

class SaveDialogName : public testing::TestWithParam<ExtensionCase> {};
TEST_P(SaveDialogName, GetsTheFiltersOneExtensionWhenItHasNone) {
    EXPECT_EQ(withFilterExtension(GetParam().typed, GetParam().filter), GetParam().saved);
}
const ExtensionCase kExtensionCases[] = {
    {.label = "bareName",
     .typed = "/s/mynew",
     .filter = "CCX Files|*.ccx",
     .saved = "/s/mynew.ccx"},
    {.label = "windowsPath",
     .typed = "C:\\s.d\\out",
     .filter = "x|*.exe",
     .saved = "C:\\s.d\\out.exe"},
    {.label = "ownExtensionKept", .typed = "/s/my.set", .filter = "x|*.ccx", .saved = "/s/my.set"},
    {.label = "sameExtensionOnce", .typed = "/s/a.ini", .filter = "x|*.ini", .saved = "/s/a.ini"},
    {.label = "dotInFolderOnly", .typed = "/s.d/a", .filter = "x|*.ini", .saved = "/s.d/a.ini"},
    {.label = "twoPatterns", .typed = "/s/a", .filter = "x|*.dat;*.ccl", .saved = "/s/a"},
    {.label = "anyFile", .typed = "/s/a", .filter = "x|*.*", .saved = "/s/a"},
    {.label = "wildcardExtension", .typed = "/s/a", .filter = "x|*.c?x", .saved = "/s/a"},
    {.label = "namedFile", .typed = "/s/a", .filter = "x|CHIPS.EXE", .saved = "/s/a"},
    {.label = "noName", .typed = "/s/", .filter = "x|*.ccx", .saved = "/s/"},
};
INSTANTIATE_TEST_SUITE_P(Table, SaveDialogName, testing::ValuesIn(kExtensionCases),
                         [](const auto& info) { return std::string(info.param.label); });

struct ConsoleCase {
    const char* label;
    bool consoleJob, hasOutput, hasError;
    ConsoleAttach plan;
};

// A console job on Windows borrows the parent's console only for the streams
// that lead nowhere; a window start never does.
class ConsolePlan : public testing::TestWithParam<ConsoleCase> {};
TEST_P(ConsolePlan, AttachesOnlyTheMissingStreams) {
    const ConsoleCase& c = GetParam();
    EXPECT_EQ(planConsoleAttach(c.consoleJob, c.hasOutput, c.hasError), c.plan);
}
const ConsoleCase kConsoleCases[] = {
    {.label = "windowStart",
     .consoleJob = false,
     .hasOutput = false,
     .hasError = false,
     .plan = {}},
    {.label = "fromPrompt",
     .consoleJob = true,
     .hasOutput = false,
     .hasError = false,
     .plan = {.attach = true, .output = true, .error = true}},
    {.label = "outputToFile",
     .consoleJob = true,
     .hasOutput = true,
     .hasError = false,
     .plan = {.attach = true, .output = false, .error = true}},
    {.label = "errorToFile",
     .consoleJob = true,
     .hasOutput = false,
     .hasError = true,
     .plan = {.attach = true, .output = true, .error = false}},
    {.label = "bothRedirected",
     .consoleJob = true,
     .hasOutput = true,
     .hasError = true,
     .plan = {}},
};
INSTANTIATE_TEST_SUITE_P(Table, ConsolePlan, testing::ValuesIn(kConsoleCases),
                         [](const auto& info) { return std::string(info.param.label); });

} // namespace
} // namespace tessaro
