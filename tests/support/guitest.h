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

// The Qt Test classes compiled into gui_tests, by name; each test file adds
// its class with TESSARO_GUI_TEST(ClassName) at namespace scope.
using GuiTestMaker = std::unique_ptr<QObject> (*)();
std::vector<std::pair<const char*, GuiTestMaker>>& guiTestRegistry();

// What a window test builds its window on, fresh for each test function.
struct Doubles {
    TempFolder folder;
    ScriptedPlatform platform;
    MemorySettings settings;
};

// The window's control of that object name; stops the run when there is none,
// since every later check would only fail less clearly.
template <typename T = QWidget> T* control(const QWidget& window, const char* name) {
    auto* found = window.findChild<T*>(name);
    if (!found)
        qFatal("no control named %s in %s", name, qPrintable(window.objectName()));
    return found;
}

// Clicks the window's button of that name.
void click(const QWidget& window, const char* name);

// The captions of the window's controls of those names, joined by "|": each
// control's text, or its title for a group box or menu; the window's own name
// gives its window title.
QString captions(const QWidget& window, std::initializer_list<const char*> names);

// The object name of the control with the keyboard focus, or "<none>".
inline QString focused(const QWidget& window) {
    return window.focusWidget() ? window.focusWidget()->objectName() : QString("<none>");
}

// When TESSARO_SCREENSHOT_DIR is set, saves a picture of the window there as
// <name>.png (the README's screenshots are made this way).
void saveScreenshot(QWidget& window, const char* name);

} // namespace tessaro::test

#define TESSARO_GUI_TEST(Class)                                                                    \
    static const bool kRegistered##Class =                                                         \
        (tessaro::test::guiTestRegistry().emplace_back(                                            \
             #Class, [] { return std::unique_ptr<QObject>(new Class); }),                          \
         true);
