#pragma once

#include "support/memorysettings.h"
#include "support/scriptedplatform.h"
#include "support/tempfolder.h"

#include <QObject>
#include <QWidget>
#include <initializer_list>
#include <memory>
#include <vector>

namespace tessaro::test {

// The Qt Test classes in gui_tests; each file adds its class with TESSARO_GUI_TEST(Class).
using GuiTestMaker = std::unique_ptr<QObject> (*)();
std::vector<std::pair<const char*, GuiTestMaker>>& guiTestRegistry();

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

void click(const QWidget& window, const char* name);

// The named controls' texts (a group box's or menu's title; the window's own
// name gives its title), joined by "|".
QString captions(const QWidget& window, std::initializer_list<const char*> names);

inline QString focused(const QWidget& window) {
    return window.focusWidget() ? window.focusWidget()->objectName() : QString("<none>");
}

// Saves <name>.png into TESSARO_SCREENSHOT_DIR when it is set (the README's pictures).
void saveScreenshot(QWidget& window, const char* name);

} // namespace tessaro::test

#define TESSARO_GUI_TEST(Class)                                                                    \
    static const bool kRegistered##Class =                                                         \
        (tessaro::test::guiTestRegistry().emplace_back(                                            \
             #Class, [] { return std::unique_ptr<QObject>(new Class); }),                          \
         true);
