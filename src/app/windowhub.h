#pragma once

#include "common/paths.h"
#include "common/platform.h"
#include "common/settings.h"

#include <QObject>
#include <QPointer>
#include <memory>
#include <string>

class QWidget;

namespace tessaro {

class MainWindow;
enum class ExeCreatorMode;

// Opens every window of the program: each tool window once, non-modal; asked
// for again it is brought to the front, not reloaded. Runs Exit's close order
// and wires the two calls across windows: a tool's file dialog asks for the
// folder the main window lists, and a saved CCF file refreshes the main
// window's file list.
class WindowHub : public QObject {
    Q_OBJECT

public:
    WindowHub(Platform& platform, SettingsStore& settings, Utf8Path programFolder);
    ~WindowHub() override;

    MainWindow& mainWindow() { return *m_main; }

    QWidget* showAbout();
    QWidget* showDacGen();
    QWidget* showCcxEditor();
    // The CCX File Editor on a file named on the command line.
    QWidget* openCcxFile(const std::string& path);
    QWidget* showIniEditor();
    QWidget* showQuorvel();
    QWidget* showExeCreator();
    QWidget* showCcfCreator();

    // Closes About, the CCX editor, the INI editor, the CCF File Creator, the
    // EXE Creator, DacGen and the main window, in that order. A window that
    // stays open (its user cancelled, as in the CCX editor's "Save changes to
    // ...?") stops the round, and the program goes on.
    void closeAll();

private:
    QWidget* showExeCreatorIn(ExeCreatorMode mode);
    template <typename Make> QWidget* showTool(QPointer<QWidget>& slot, Make make);
    // The folder the main window lists, asked for when a tool window's file
    // dialog opens: the one thing besides its mode the main window passes on.
    std::string mainFolder() const;

    Platform& m_platform;
    SettingsStore& m_settings;
    Utf8Path m_programFolder;
    std::unique_ptr<MainWindow> m_main;
    QPointer<QWidget> m_about;
    QPointer<QWidget> m_dacGen;
    QPointer<QWidget> m_ccxEditor;
    QPointer<QWidget> m_iniEditor;
    QPointer<QWidget> m_exeCreator;
    QPointer<QWidget> m_ccfCreator;
};

} // namespace tessaro
