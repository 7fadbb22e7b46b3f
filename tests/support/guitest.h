#pragma once

#include <QObject>
#include <QWidget>
#include <functional>
#include <initializer_list>
#include <memory>
#include <string>
#include <vector>

namespace tessaro::test {

// Registry of Qt Test classes compiled into gui_tests; each test file adds its
// class with TESSARO_GUI_TEST(ClassName) at namespace scope.
struct GuiTestEntry {
    std::string name;
    std::function<std::unique_ptr<QObject>()> make;
};

std::vector<GuiTestEntry>& guiTestRegistry();

// The window's control of that object name; stops the run when there is none,
// since every later check would only fail less clearly.
template <typename T = QWidget> T* control(const QWidget& window, const char* name) {
    auto* found = window.findChild<T*>(name);
    if (!found)
        qFatal("no control named %s in %s", name, qPrintable(window.objectName()));
    return found;
}

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

struct GuiTestRegistrar {
    GuiTestRegistrar(const char* name, std::function<std::unique_ptr<QObject>()> make) {
        guiTestRegistry().push_back({name, std::move(make)});
    }
};

} // namespace tessaro::test

#define TESSARO_GUI_TEST(Class)                                                                    \
    static const tessaro::test::GuiTestRegistrar kRegistrar##Class(                                \
        #Class, [] { return std::unique_ptr<QObject>(new Class); });
