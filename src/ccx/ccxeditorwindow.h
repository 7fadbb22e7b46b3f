#pragma once

#include "ccx/ccxeditor.h"
#include "gui/commandloop.h"

#include <QMainWindow>
#include <QString>

class QAction;
class QCheckBox;
class QLabel;
class QLineEdit;
class QListView;
class QPlainTextEdit;
class QRadioButton;
class QTextBrowser;

namespace tessaro {

class ObservedListModel;

// The CCX File Editor (Form6): one CCX level set's fields, its level list,
// each level's title, author and compatibility, and its prologue and
// epilogue pages with a live preview of the shown page. Every decision is
// the CcxEditor's; the window forwards edits and commands and redraws.
class CcxEditorWindow : public QMainWindow {
    Q_OBJECT
public:
    explicit CcxEditorWindow(Platform& platform, QWidget* parent = nullptr);

    // Opens a file named on the command line; the start-up question is asked
    // only when it could not be opened.
    void openFile(const std::string& path);

protected:
    // The first showing asks whether to start a new file.
    void showEvent(QShowEvent* event) override;
    // Asks "Save changes to ...?" however the window is closed; Cancel keeps it open.
    void closeEvent(QCloseEvent* event) override;

private:
    // Three option buttons (Yes, No, Ignore) bound to a choice.
    struct ChoiceButtons {
        QRadioButton* yes;
        QRadioButton* no;
        QRadioButton* ignore;
    };

    void createMenu();
    QWidget* createSetPanel();
    QWidget* createListPanel();
    QWidget* createLevelPanel();
    QWidget* createPagePanel();
    QWidget* choiceFrame(const QString& title, const char* yes, const char* no, const char* ignore,
                         ChoiceButtons& buttons, CompatChoice& choice);
    void connectList();

    // Runs a command of the editor through the window's command loop.
    void run(CommandResult (CcxEditor::*command)());
    void redraw();
    void showPreview();
    void choosePane(CcxPane pane);

    CcxEditor m_editor;
    // The list's own selection signals are ignored while a command runs.
    CommandLoop m_commands{*this, [this] { redraw(); }};
    ObservedListModel* m_levelModel = nullptr;
    bool m_startedUp = false;

    QAction* m_save = nullptr;
    QLabel* m_fileName = nullptr;
    QLineEdit* m_description = nullptr;
    QLineEdit* m_setAuthor = nullptr;
    ChoiceButtons m_setMs{}, m_setLynx{}, m_setPedantic{};
    QCheckBox* m_defaultColors = nullptr;
    QLabel* m_defaultSample = nullptr;

    QListView* m_levelList = nullptr;
    QLabel* m_levelNumber = nullptr;
    QLineEdit* m_title = nullptr;
    QLineEdit* m_author = nullptr;
    ChoiceButtons m_levelMs{}, m_levelLynx{}, m_levelPedantic{};

    QRadioButton* m_prologue = nullptr;
    QRadioButton* m_epilogue = nullptr;
    QLabel* m_pageNumber = nullptr;
    QPlainTextEdit* m_pageText = nullptr;
    QTextBrowser* m_preview = nullptr;
    QString m_previewHtml;
    QCheckBox* m_ownColors = nullptr;
    QLabel* m_pageSample = nullptr;
};

} // namespace tessaro
