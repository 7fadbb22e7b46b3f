#pragma once

#include "common/commandresult.h"

#include <QString>
#include <string>
#include <utility>

class QLineEdit;
class QWidget;

namespace tessaro {

// Shows code-page bytes in a line edit; an unchanged text is left alone, so
// the cursor and the undo history stay where the user had them.
void showText(QLineEdit& field, const std::string& bytes);

// Every edit of the field goes straight into text (as code-page bytes).
void bindText(QLineEdit& field, std::string& text);

// The same two for a field that holds a path or file name (UTF-8, see
// pathText).
void showPath(QLineEdit& field, const std::string& path);
void bindPath(QLineEdit& field, std::string& path);

// Gives the keyboard focus to window's control of that object name; an empty
// or unknown name does nothing.
void focusControl(QWidget& window, const std::string& objectName);

// Carries out what a command asked of its window (see CommandResult).
void applyResult(QWidget& window, const CommandResult& result);

// A new widget with its object name: named<QPushButton>("cmdSave", "Save", parent)
// makes QPushButton("Save", parent) named "cmdSave".
template <typename Widget, typename... Arguments>
Widget* named(const char* objectName, Arguments&&... arguments) {
    auto* widget = new Widget(std::forward<Arguments>(arguments)...);
    widget->setObjectName(objectName);
    return widget;
}

// Sets the window's minimum size to one at which no label is cut: at least
// width pixels wide (wider when its controls need it) and as high as its
// layout needs at that width, word-wrapped labels included. Call it once the
// controls are built, and again when the controls shown change.
void fitMinimumSize(QWidget& window, int width);

// A width of that many average characters of the widget's font.
int textWidth(const QWidget& widget, int characters);

} // namespace tessaro
