#include "app/windowhub.h"

#include "app/aboutwindow.h"
#include "ccf/ccfcreatorwindow.h"
#include "ccx/ccxeditorwindow.h"
#include "dacgen/dacgenwindow.h"
#include "exe_creator/execreatorwindow.h"
#include "gui/keyrule.h"
#include "launcher/mainwindow.h"
#include "score_ini/inieditorwindow.h"

#include <QApplication>
#include <QTimer>

namespace tessaro {

WindowHub::WindowHub(Platform& platform, SettingsStore& settings, Utf8Path programFolder)
    : m_platform(platform), m_settings(settings), m_programFolder(std::move(programFolder)),
      m_main(std::make_unique<MainWindow>(platform, settings, m_programFolder.text())) {
    MainWindow* main = m_main.get();
    connect(main, &MainWindow::aboutRequested, this, &WindowHub::showAbout);
    connect(main, &MainWindow::dacGenRequested, this, &WindowHub::showDacGen);
    connect(main, &MainWindow::ccxEditorRequested, this, &WindowHub::showCcxEditor);
    connect(main, &MainWindow::iniEditorRequested, this, &WindowHub::showIniEditor);
    connect(main, &MainWindow::quorvelRequested, this, &WindowHub::showQuorvel);
    connect(main, &MainWindow::exeCreatorRequested, this, &WindowHub::showExeCreator);
    connect(main, &MainWindow::ccfEditorRequested, this, &WindowHub::showCcfCreator);
    connect(main, &MainWindow::exitRequested, this, &WindowHub::closeAll);
}

WindowHub::~WindowHub() {
    for (QPointer<QWidget>* slot :
         {&m_about, &m_ccxEditor, &m_iniEditor, &m_ccfCreator, &m_exeCreator, &m_dacGen})
        delete slot->data();
}

namespace {

// Raises the window and gives it the focus once no question stands in front:
// a start question (the CCX editor's) is answered first, and the focus goes
// back to whichever window owned the question, so it is taken again after.
void bringForward(QWidget* window) {
    if (!window || !window->isVisible())
        return;
    if (QWidget* question = QApplication::activeModalWidget(); question && question != window) {
        QObject::connect(
            question, &QObject::destroyed, window,
            [window] { QTimer::singleShot(0, window, [window] { bringForward(window); }); },
            Qt::SingleShotConnection);
        return;
    }
    window->raise();
    window->activateWindow();
}

} // namespace

template <typename Make> QWidget* WindowHub::showTool(QPointer<QWidget>& slot, Make make) {
    if (!slot) {
        slot = make();
        slot->setAttribute(Qt::WA_DeleteOnClose);
        // Every window keeps the one rule for keys, whoever made it.
        KeyRule::installOn(*slot);
    }
    slot->show();
    slot->setWindowState(slot->windowState() & ~Qt::WindowMinimized);
    slot->raise();
    slot->activateWindow();
    // Again after whatever the window asks as it opens.
    QTimer::singleShot(0, slot, [window = slot.data()] { bringForward(window); });
    return slot;
}

std::string WindowHub::mainFolder() const {
    return m_main->model().folder();
}

QWidget* WindowHub::showAbout() {
    return showTool(m_about, [this] { return new AboutWindow(m_platform); });
}

QWidget* WindowHub::showDacGen() {
    return showTool(m_dacGen,
                    [this] { return new DacGenWindow(m_platform, m_settings, m_programFolder); });
}

QWidget* WindowHub::showCcxEditor() {
    return showTool(m_ccxEditor, [this] { return new CcxEditorWindow(m_platform); });
}

QWidget* WindowHub::openCcxFile(const std::string& path) {
    auto* window = static_cast<CcxEditorWindow*>(showCcxEditor());
    window->openFile(path);
    return window;
}

QWidget* WindowHub::showIniEditor() {
    return showTool(m_iniEditor, [this] { return new IniEditorWindow(m_platform); });
}

QWidget* WindowHub::showExeCreatorIn(ExeCreatorMode mode) {
    QWidget* window = showTool(m_exeCreator, [this] {
        return new ExeCreatorWindow(m_platform, m_settings, [this] { return mainFolder(); });
    });
    static_cast<ExeCreatorWindow*>(window)->setMode(mode);
    return window;
}

QWidget* WindowHub::showQuorvel() {
    return showExeCreatorIn(ExeCreatorMode::Quorvel);
}

QWidget* WindowHub::showExeCreator() {
    return showExeCreatorIn(ExeCreatorMode::ExeCreator);
}

QWidget* WindowHub::showCcfCreator() {
    return showTool(m_ccfCreator, [this] {
        auto* window =
            new CcfCreatorWindow(m_platform, m_programFolder, [this] { return mainFolder(); });
        connect(window, &CcfCreatorWindow::ccfSaved, m_main.get(), &MainWindow::refreshFileList);
        return window;
    });
}

void WindowHub::closeAll() {
    for (QPointer<QWidget>* slot :
         {&m_about, &m_ccxEditor, &m_iniEditor, &m_ccfCreator, &m_exeCreator, &m_dacGen}) {
        if (*slot && !(*slot)->close())
            return;
    }
    if (m_main->close())
        QApplication::quit();
}

} // namespace tessaro
