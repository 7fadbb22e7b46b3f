#pragma once

#include "gui/commandloop.h"
#include "launcher/launchermodel.h"

#include <QList>
#include <QMainWindow>

class QAction;
class QMenu;
class QComboBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QListWidgetItem;
class QPushButton;
class QTreeWidget;
class QTreeWidgetItem;
class QTreeView;
class QWidget;

namespace tessaro {

class SetDetailsTable;

// Form1, "Tessaro": the drive, folder and level-set lists, the play inputs and
// the menus that open every tool window. The menus only ask; the window hub
// opens the windows.
class MainWindow : public QMainWindow {
    Q_OBJECT

public:
    MainWindow(Platform& platform, SettingsStore& settings, std::string programFolder,
               QWidget* parent = nullptr);

    LauncherModel& model() { return m_model; }

public Q_SLOTS:
    // Reads the file list again; a CCF file just saved shows up at once.
    void refreshFileList();

Q_SIGNALS:
    void aboutRequested();
    void dacGenRequested();
    void ccxEditorRequested();
    void iniEditorRequested();
    void quorvelRequested();
    void exeCreatorRequested();
    void ccfEditorRequested();
    // Exit saved the settings; every window is to close, this one last.
    void exitRequested();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void createActions();
    void createPlayWithActions(QMenu& play);
    void createWidgets();
    void startUp();

    void redraw();
    void showFiles();
    void showSetDetails();

    void driveChosen(int index);
    void folderActivated(QTreeWidgetItem* item);
    void fileChosen();
    void exitProgram();
    // Runs a command of the launcher through the window's command loop.
    void run(CommandResult (LauncherModel::*command)());

    LauncherModel m_model;
    CommandLoop m_commands{*this, [this] { redraw(); }};

    QComboBox* m_drive = nullptr;
    QTreeWidget* m_folders = nullptr;
    QLabel* m_currentFolder = nullptr;
    QListWidget* m_files = nullptr;
    QLineEdit* m_fake = nullptr;
    QLineEdit* m_real = nullptr;
    QLineEdit* m_newLudex = nullptr;
    QPushButton* m_browse = nullptr;
    QLineEdit* m_iniFile = nullptr;
    QAction* m_noLudex = nullptr;
    QAction* m_noLudexKey = nullptr; // Ctrl+I while m_noLudex is hidden
    QAction* m_showSetDetails = nullptr;
    QLabel* m_lastLevelWarning = nullptr;
    QWidget* m_setDetailsPane = nullptr;
    QLabel* m_setDetailsHeader = nullptr;
    QTreeView* m_setDetails = nullptr;
    QLabel* m_setDetailsWarning = nullptr;
    SetDetailsTable* m_setDetailsTable = nullptr;
    // Play With's entries, each holding its choice's setting text as data.
    QList<QAction*> m_playWith;
};

} // namespace tessaro
