#include "guitest.h"

#include <QTest>
#include <cstdio>
#include <cstring>

// Runs every registered class, or the one named first; "--list" prints their names for ctest.
int main(int argc, char** argv) {
    const auto& registry = tessaro::test::guiTestRegistry();
    const char* only = argc > 1 ? argv[1] : nullptr;
    if (only && std::strcmp(only, "--list") == 0) {
        for (const auto& [name, make] : registry)
            std::printf("%s\n", name);
        return 0;
    }
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) // no window pops up on a desktop
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    int failures = 0, ran = 0;
    for (const auto& [name, make] : registry)
        if (!only || std::strcmp(name, only) == 0) {
            ++ran;
            failures += QTest::qExec(make().get(), 1, argv); // not the class's name
        }
    if (only && !ran)
        std::fprintf(stderr, "no window test class named %s\n", only);
    return failures == 0 && (ran || !only) ? 0 : 1;
}
