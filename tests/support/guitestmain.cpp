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

QString captions(const QWidget& window, std::initializer_list<const char*> names) {
    QStringList texts;
    for (const char* name : names) {
        if (window.objectName() == name) {
            texts << window.windowTitle();
            continue;
        }
        const auto* found = window.findChild<QObject*>(name);
        if (!found)
            qFatal("no control named %s in %s", name, qPrintable(window.objectName()));
        const QVariant text = found->property("text");
        texts << (text.isValid() ? text : found->property("title")).toString();
    }
    return texts.join('|');
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
// argument (ctest runs one class per entry). "--list" prints the class names,
// one a line, which is how ctest finds them.
int main(int argc, char** argv) {
    if (argc > 1 && std::strcmp(argv[1], "--list") == 0) {
        for (const auto& entry : tessaro::test::guiTestRegistry())
            std::printf("%s\n", entry.name.c_str());
        return 0;
    }
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
