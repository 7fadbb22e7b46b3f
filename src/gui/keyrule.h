#pragma once

#include <QObject>

class QKeyEvent;
class QWidget;

namespace tessaro {

// The one rule for keys in every window. In a text box the player can type
// into, typing (Shift+H types "H") and the editing keys (Ctrl+C, Ctrl+X,
// Ctrl+V, Ctrl+A, Ctrl+Z and redo) edit the text. Every other key goes to the
// window's shortcuts first, whichever control has the focus, so Ctrl+E exits
// from a text box too, even where the desktop binds Ctrl+E to "end of line".
// Keys that no shortcut takes still reach the control as usual.
class KeyRule : public QObject {
    Q_OBJECT

public:
    // Puts the rule on the window and every control in it, now and later. A
    // window calls it once it has built its controls; calling it again does
    // nothing.
    static void installOn(QWidget& window);

    // Whether the control takes typed text: an editable line edit, text edit,
    // combo box or spin box.
    static bool isTextBox(const QObject* control);

    // Whether the key edits the text of a text box rather than run a shortcut.
    static bool editsText(const QKeyEvent& key);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    explicit KeyRule(QWidget& window);
    void watch(QObject& object);

    QWidget& m_window;
};

} // namespace tessaro
