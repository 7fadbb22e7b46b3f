#include "common/consoleattach.h"
#include "common/filterextension.h"

#include <gtest/gtest.h>

namespace tessaro {
namespace {

struct ExtensionCase {
    const char *label, *typed, *filter, *saved;
};
class SaveDialogName : public testing::TestWithParam<ExtensionCase> {};
TEST_P(SaveDialogName, GetsTheFiltersOneExtensionWhenItHasNone) {
    EXPECT_EQ(withFilterExtension(GetParam().typed, GetParam().filter), GetParam().saved);
}
const ExtensionCase kExtensionCases[] = {
    {.label = "bareName", .typed = "/s/mynew", .filter = "CCX|*.ccx", .saved = "/s/mynew.ccx"},
    {.label = "dotInFolder", .typed = "C:\\s.d\\a", .filter = "x|*.exe", .saved = "C:\\s.d\\a.exe"},
    {.label = "ownExtension", .typed = "/s/my.set", .filter = "x|*.ccx", .saved = "/s/my.set"},
    {.label = "twoPatterns", .typed = "/s/a", .filter = "x|*.dat;*.ccl", .saved = "/s/a"},
    {.label = "anyExtension", .typed = "/s/a", .filter = "x|*.*", .saved = "/s/a"},
    {.label = "wildcard", .typed = "/s/a", .filter = "x|*.c?x", .saved = "/s/a"},
    {.label = "namedFile", .typed = "/s/a", .filter = "x|CHIPS.EXE", .saved = "/s/a"},
};
INSTANTIATE_TEST_SUITE_P(Table, SaveDialogName, testing::ValuesIn(kExtensionCases),
                         [](const auto& info) { return std::string(info.param.label); });

struct ConsoleCase {
    const char* label;
    bool out, err;
    ConsoleAttach plan;
};
// A console job on Windows borrows the parent's console only for the standard streams that lead
// nowhere else.
class ConsolePlan : public testing::TestWithParam<ConsoleCase> {};
TEST_P(ConsolePlan, AttachesOnlyTheMissingStreams) {
    EXPECT_EQ(planConsoleAttach(GetParam().out, GetParam().err), GetParam().plan);
}
const ConsoleCase kConsoleCases[] = {
    {.label = "fromPrompt", .out = false, .err = false, .plan = {true, true, true}},
    {.label = "outputToFile", .out = true, .err = false, .plan = {true, false, true}},
    {.label = "errorToFile", .out = false, .err = true, .plan = {true, true, false}},
    {.label = "bothRedirected", .out = true, .err = true, .plan = {false, false, false}},
};
INSTANTIATE_TEST_SUITE_P(Table, ConsolePlan, testing::ValuesIn(kConsoleCases),
                         [](const auto& info) { return std::string(info.param.label); });

} // namespace
} // namespace tessaro
