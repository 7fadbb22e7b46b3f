#pragma once

#include "support/memorysettings.h"
#include "support/scriptedplatform.h"
#include "support/tempfolder.h"

#include <QAbstractButton>
#include <QApplication>
#include <initializer_list>
#include <memory>
#include <vector>

namespace tessaro::test {

// The Qt Test classes in gui_tests; each file adds its class with TESSARO_GUI_TEST(Class).
using GuiTestMaker = std::unique_ptr<QObject> (*)();
inline std::vector<std::pair<const char*, GuiTestMaker>>& guiTestRegistry() {
    static std::vector<std::pair<const char*, GuiTestMaker>> registry;
    return registry;
}

// What a window test builds its window on, fresh for each test function.
struct Doubles {
    TempFolder folder;
    ScriptedPlatform platform;
    MemorySettings settings;
};

// The window's control of that name; a missing one stops the run.
template <typename T = QWidget> T* control(const QWidget& window, const char* name) {
    auto* found = window.findChild<T*>(name);
    if (!found)
        qFatal("no control named %s in %s", name, qPrintable(window.objectName()));
    return found;
}

inline void click(const QWidget& window, const char* name) {
    control<QAbstractButton>(window, name)->click();
}

// The named controls' texts (a group box's or menu's title; the window's own
// name gives its title), joined by "|".
inline QString captions(const QWidget& window, std::initializer_list<const char*> names) {
    QStringList texts;
    for (const char* name : names) {
        const QObject* found =
            window.objectName() == name ? &window : control<QObject>(window, name);
        const QVariant text = found->property(found == &window ? "windowTitle" : "text");
        texts << (text.isValid() ? text : found->property("title")).toString();
    }
    return texts.join('|');
}

inline QString focused(const QWidget& window) {
    return window.focusWidget() ? window.focusWidget()->objectName() : QString("<none>");
}

// Saves <name>.png into TESSARO_SCREENSHOT_DIR when it is set (the README's pictures).
inline void saveScreenshot(QWidget& window, const char* name) {
    const QString folder = qEnvironmentVariable("TESSARO_SCREENSHOT_DIR");
    if (folder.isEmpty())
        return;
    QApplication::processEvents();
    window.grab().save(folder + "/" + name + ".png");
}

} // namespace tessaro::test

#define TESSARO_GUI_TEST(Class)                                                                    \
    static const bool kRegistered##Class =                                                         \
        (tessaro::test::guiTestRegistry().emplace_back(                                            \
             #Class, [] { return std::unique_ptr<QObject>(new Class); }),                          \
         true);
