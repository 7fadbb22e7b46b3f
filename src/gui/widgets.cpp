#include "gui/widgets.h"

#include "gui/codepage.h"

#include <QLineEdit>
#include <QPushButton>

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

QPushButton* namedButton(QWidget* parent, const char* objectName, const QString& caption) {
    auto* button = new QPushButton(caption, parent);
    button->setObjectName(objectName);
    return button;
}

} // namespace tessaro
