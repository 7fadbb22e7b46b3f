#pragma once

#include "support/memorysettings.h"
#include "support/scriptedplatform.h"
#include "support/tempfolder.h"

#include <QAbstractButton>
#include <QApplication>
#include <QKeyEvent>
#include <QMenu>
#include <QPainter>
#include <QTest>
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

// The named controls' texts or titles (the window's own name gives its title), joined by "|".
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

// Shows the window in front; false when it does not get the focus.
inline bool showActive(QWidget& window) {
    window.show();
    window.activateWindow();
    return QTest::qWaitForWindowActive(&window);
}

inline QString focused(const QWidget& window) {
    return window.focusWidget() ? window.focusWidget()->objectName() : QString("<none>");
}

// Saves <name>.png into TESSARO_SCREENSHOT_DIR when set (the README's pictures), a menu with the
// submenu open beside it.
inline void saveScreenshot(QWidget& window, const char* name, QMenu* submenu = nullptr) {
    const QString folder = qEnvironmentVariable("TESSARO_SCREENSHOT_DIR");
    if (folder.isEmpty())
        return;
    QApplication::processEvents();
    QPixmap picture = window.grab();
    if (auto* menu = qobject_cast<QMenu*>(&window); menu && submenu) {
        menu->adjustSize(), submenu->adjustSize();
        picture = QPixmap(menu->width() + submenu->width(), menu->height());
        picture.fill(Qt::white);
        QPainter painter(&picture);
        menu->render(&painter);
        submenu->render(&painter,
                        {menu->width(), menu->actionGeometry(submenu->menuAction()).top()});
    }
    picture.save(folder + "/" + name + ".png");
}

// What a desktop's Emacs-style line edit keys (Ctrl+E, Ctrl+N) do: claim the key before any
// shortcut sees it. Put it on a box, then the window's key rule again, which then goes first, as it
// does where the desktop's bindings live inside the box.
struct DesktopLineKeys : QObject {
    QKeyCombination claimed;
    explicit DesktopLineKeys(QKeyCombination keys) : claimed(keys) {}
    bool eventFilter(QObject*, QEvent* event) override {
        const bool claims = event->type() == QEvent::ShortcutOverride &&
                            static_cast<QKeyEvent*>(event)->keyCombination() == claimed;
        return claims && (event->accept(), true);
    }
};

} // namespace tessaro::test

#define TESSARO_GUI_TEST(Class)                                                                    \
    static const bool kRegistered##Class =                                                         \
        (tessaro::test::guiTestRegistry().emplace_back(                                            \
             #Class, [] { return std::unique_ptr<QObject>(new Class); }),                          \
         true);
