#pragma once

#include "gui/commandloop.h"
#include "score_ini/inieditor.h"

#include <QWidget>

class QLabel;
class QLineEdit;
class QListView;
class QListWidget;
class QPushButton;

namespace tessaro {

class ObservedListModel;

// The INI File Editor (Form5): loads one level set's section of a score file,
// edits its level entries and writes it back. It shows the IniEditor's state
// and forwards every button to it; it keeps no settings.
class IniEditorWindow : public QWidget {
    Q_OBJECT
public:
    explicit IniEditorWindow(Platform& platform, QWidget* parent = nullptr);

protected:
    // Unsaved edits are offered for saving first; Cancel keeps the window open.
    void closeEvent(QCloseEvent* event) override;

private:
    void createControls();
    void createLayout();
    void connectControls();
    void redraw();
    void showExtraLines();

    IniEditor m_editor;
    CommandLoop m_commands{*this, [this] { redraw(); }};
    // The level list follows the editor row by row through this model.
    ObservedListModel* m_levels = nullptr;
    QLabel* m_label1 = nullptr;
    QLineEdit* m_iniFileName = nullptr;
    QPushButton* m_browse = nullptr;
    QLabel* m_label2 = nullptr;
    QLineEdit* m_setName = nullptr;
    QPushButton* m_getInfo = nullptr;
    QListView* m_levelList = nullptr;
    QListWidget* m_extraLines = nullptr;
    QPushButton* m_insertBefore = nullptr;
    QPushButton* m_insertAfter = nullptr;
    QPushButton* m_moveUp = nullptr;
    QPushButton* m_moveDown = nullptr;
    QPushButton* m_deleteEntry = nullptr;
    QPushButton* m_deleteScore = nullptr;
    QPushButton* m_changeTime = nullptr;
    QPushButton* m_changePassword = nullptr;
    QPushButton* m_save = nullptr;
    QPushButton* m_saveAs = nullptr;
    QPushButton* m_exit = nullptr;
};

} // namespace tessaro
