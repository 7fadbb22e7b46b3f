#include "guitest.h"

#include <QAbstractButton>
#include <QApplication>
#include <QTest>
#include <cstdio>
#include <cstring>

namespace tessaro::test {

std::vector<std::pair<const char*, GuiTestMaker>>& guiTestRegistry() {
    static std::vector<std::pair<const char*, GuiTestMaker>> registry;
    return registry;
}

void click(const QWidget& window, const char* name) {
    control<QAbstractButton>(window, name)->click();
}

QString captions(const QWidget& window, std::initializer_list<const char*> names) {
    QStringList texts;
    for (const char* name : names) {
        const QObject* found =
            window.objectName() == name ? &window : control<QObject>(window, name);
        const QVariant text = found->property(found == &window ? "windowTitle" : "text");
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

// Runs every registered class, or the one named first; "--list" prints the
// names, one a line, for ctest.
int main(int argc, char** argv) {
    const auto& registry = tessaro::test::guiTestRegistry();
    const char* only = argc > 1 ? argv[1] : nullptr;
    if (only && std::strcmp(only, "--list") == 0) {
        for (const auto& [name, make] : registry)
            std::printf("%s\n", name);
        return 0;
    }
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    int failures = 0, ran = 0;
    for (const auto& [name, make] : registry) {
        if (only && std::strcmp(name, only) != 0)
            continue;
        ++ran;
        char* args[] = {argv[0]};
        failures += QTest::qExec(make().get(), 1, args);
    }
    if (only && !ran) {
        std::fprintf(stderr, "no window test class named %s\n", only);
        return 2;
    }
    return failures == 0 ? 0 : 1;
}
