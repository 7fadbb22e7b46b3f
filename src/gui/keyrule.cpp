#include "gui/keyrule.h"

#include <QAbstractSpinBox>
#include <QChildEvent>
#include <QComboBox>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTextEdit>

namespace tessaro {

KeyRule::KeyRule(QWidget& window) : QObject(&window), m_window(window) {
    setObjectName("KeyRule");
}

void KeyRule::installOn(QWidget& window) {
    if (window.findChild<KeyRule*>(QString(), Qt::FindDirectChildrenOnly))
        return;
    auto* rule = new KeyRule(window);
    rule->watch(window);
}

void KeyRule::watch(QObject& object) {
    if (!object.isWidgetType())
        return;
    object.installEventFilter(this);
    for (QObject* child : object.children())
        watch(*child);
}

bool KeyRule::isTextBox(const QObject* control) {
    if (const auto* line = qobject_cast<const QLineEdit*>(control))
        return !line->isReadOnly();
    if (const auto* text = qobject_cast<const QTextEdit*>(control))
        return !text->isReadOnly();
    if (const auto* plain = qobject_cast<const QPlainTextEdit*>(control))
        return !plain->isReadOnly();
    if (const auto* combo = qobject_cast<const QComboBox*>(control))
        return combo->isEditable();
    if (const auto* spin = qobject_cast<const QAbstractSpinBox*>(control))
        return !spin->isReadOnly();
    return false;
}

bool KeyRule::editsText(const QKeyEvent& key) {
    const auto commandKeys = Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier;
    if (!(key.modifiers() & commandKeys)) {
        // Typing, Shift+letters included, and moving or deleting in the text.
        switch (key.key()) {
        case Qt::Key_Escape:
        case Qt::Key_Tab:
        case Qt::Key_Backtab:
            return false;
        default:
            return key.key() < Qt::Key_F1 || key.key() > Qt::Key_F35;
        }
    }
    for (const auto editing : {QKeySequence::Copy, QKeySequence::Cut, QKeySequence::Paste,
                               QKeySequence::SelectAll, QKeySequence::Undo, QKeySequence::Redo}) {
        if (key.matches(editing))
            return true;
    }
    return false;
}

bool KeyRule::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::ChildAdded) {
        // Controls made after the window was built follow the rule too.
        watch(*static_cast<QChildEvent*>(event)->child());
        return false;
    }
    if (event->type() != QEvent::ShortcutOverride)
        return false;
    // Popups and dialogs that sit in the window's tree keep their own keys.
    if (static_cast<QWidget*>(watched)->window() != &m_window)
        return false;
    // Before a shortcut runs, Qt asks the focused control whether it wants the
    // key itself; the answer given here is the rule's.
    auto* key = static_cast<QKeyEvent*>(event);
    if (isTextBox(watched) && editsText(*key))
        key->accept();
    else
        key->ignore();
    return true;
}

} // namespace tessaro
