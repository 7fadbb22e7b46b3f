#pragma once

#include "score_ini/inieditor.h"

#include <QWidget>

class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;

namespace tessaro {

// The INI File Editor (Form5): loads one level set's section of a score file,
// edits its level entries and writes it back. It shows the IniEditor's state
// and forwards every button to it; it keeps no settings.
class IniEditorWindow : public QWidget, private EntryListView {
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
    // Runs a command, then shows the state it left.
    void run(void (IniEditor::*command)());
    void showState();

    // EntryListView: List1 and List2 follow the editor row by row.
    void entriesReset() override;
    void entryInserted(std::size_t position) override;
    void entryRemoved(std::size_t position) override;
    void entriesChanged(std::size_t first, std::size_t last) override;
    void extraLinesChanged() override;

    IniEditor m_editor;
    QLabel* m_label1 = nullptr;
    QLineEdit* m_text1 = nullptr;
    QPushButton* m_browse = nullptr;
    QLabel* m_label2 = nullptr;
    QLineEdit* m_text2 = nullptr;
    QPushButton* m_getInfo = nullptr;
    QListWidget* m_list1 = nullptr;
    QListWidget* m_list2 = nullptr;
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
