#include "guitest.h"

#include <QApplication>
#include <QPixmap>
#include <QTest>
#include <QWidget>
#include <cstdio>
#include <cstring>

namespace tessaro::test {
std::vector<GuiTestEntry>& guiTestRegistry() {
    static std::vector<GuiTestEntry> registry;
    return registry;
}

void saveScreenshot(QWidget& window, const char* name) {
    const QString folder = qEnvironmentVariable("TESSARO_SCREENSHOT_DIR");
    if (folder.isEmpty())
        return;
    QApplication::processEvents();
    window.grab().save(folder + "/" + name + ".png");
}
} // namespace tessaro::test

// Runs every registered window test class, or only the one named by the first
// argument (ctest runs one class per entry). Further arguments go to Qt Test.
int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM",
            qgetenv("QT_QPA_PLATFORM").isEmpty() ? "offscreen" : qgetenv("QT_QPA_PLATFORM"));
    QApplication app(argc, argv);
    const char* only = argc > 1 && argv[1][0] != '-' ? argv[1] : nullptr;
    int failures = 0;
    bool ran = false;
    for (const auto& entry : tessaro::test::guiTestRegistry()) {
        if (only && entry.name != only)
            continue;
        ran = true;
        auto object = entry.make();
        char* args[] = {argv[0]};
        failures += QTest::qExec(object.get(), 1, args);
    }
    if (only && !ran) {
        std::fprintf(stderr, "no window test class named %s\n", only);
        return 2;
    }
    return failures == 0 ? 0 : 1;
}
