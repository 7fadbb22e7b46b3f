#include "gui/widgets.h"

#include "gui/codepage.h"

#include <QLayout>
#include <QLineEdit>
#include <QMainWindow>
#include <QMenuBar>

#include <algorithm>

namespace tessaro {

void showText(QLineEdit& field, const std::string& bytes) {
    const auto text = fromBytes(bytes);
    if (field.text() != text)
        field.setText(text);
}

void bindText(QLineEdit& field, std::string& text) {
    QObject::connect(&field, &QLineEdit::textChanged, &field,
                     [&text](const QString& edited) { text = toBytes(edited); });
}

void showPath(QLineEdit& field, const std::string& path) {
    const auto text = pathText(path);
    if (field.text() != text)
        field.setText(text);
}

void bindPath(QLineEdit& field, std::string& path) {
    QObject::connect(&field, &QLineEdit::textChanged, &field,
                     [&path](const QString& edited) { path = pathBytes(edited); });
}

void focusControl(QWidget& window, const std::string& objectName) {
    if (objectName.empty())
        return;
    if (auto* control = window.findChild<QWidget*>(QString::fromStdString(objectName)))
        control->setFocus();
}

void applyResult(QWidget& window, const CommandResult& result) {
    focusControl(window, result.focus);
}

void fitMinimumSize(QWidget& window, int width) {
    QWidget* body = &window;
    int menuHeight = 0;
    if (auto* main = qobject_cast<QMainWindow*>(&window)) {
        body = main->centralWidget();
        menuHeight = main->menuBar()->sizeHint().height();
    }
    QLayout* layout = body ? body->layout() : nullptr;
    if (!layout)
        return;
    layout->invalidate();
    layout->activate();
    const QSize least = layout->totalMinimumSize();
    const int fitWidth = std::max(width, least.width());
    int height = least.height();
    // A top-level window does not grow when its wrapped labels need more
    // lines, so the height they need at the narrowest width is the minimum.
    if (layout->hasHeightForWidth())
        height = std::max(height, layout->totalMinimumHeightForWidth(fitWidth));
    window.setMinimumSize(fitWidth, height + menuHeight);
}

int textWidth(const QWidget& widget, int characters) {
    return widget.fontMetrics().averageCharWidth() * characters;
}

} // namespace tessaro
