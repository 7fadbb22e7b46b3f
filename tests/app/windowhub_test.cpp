#include "app/aboutwindow.h"
#include "app/windowhub.h"
#include "launcher/mainwindow.h"
#include "support/guitest.h"

#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <QLayout>
#include <QLineEdit>
#include <QListView>
#include <QListWidget>
#include <QPushButton>
#include <QPointer>
#include <QTest>
#include <QTextBrowser>

namespace tessaro {

namespace {

// Records the object names of windows as they close.
class CloseRecorder : public QObject {
public:
    QStringList closed;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::Close)
            closed << watched->objectName();
        return false;
    }
};

// The labels and buttons of a window that show less than their whole text,
// and the controls squeezed below their minimum size.
QStringList cutTexts(const QWidget& window) {
    QStringList cut;
    for (const QLayout* layout : window.findChildren<QLayout*>()) {
        const QRect room = layout->parentWidget()->contentsRect();
        const int need = layout->hasHeightForWidth() ? layout->minimumHeightForWidth(room.width())
                                                     : layout->minimumSize().height();
        if (layout->parentWidget()->isVisible() && room.height() < need)
            cut << "the controls of " + (layout->parentWidget()->objectName().isEmpty()
                                             ? QString("the central widget")
                                             : layout->parentWidget()->objectName());
    }
    for (const QLabel* label : window.findChildren<QLabel*>()) {
        const bool whole = label->wordWrap()
                               ? label->height() >= label->heightForWidth(label->width())
                               : label->width() >= label->minimumSizeHint().width() &&
                                     label->height() >= label->minimumSizeHint().height();
        if (label->isVisible() && !whole)
            cut << label->objectName();
    }
    for (const QAbstractButton* button : window.findChildren<QAbstractButton*>()) {
        if (button->isVisible() && button->width() < button->minimumSizeHint().width())
            cut << button->objectName();
    }
    return cut;
}

QWidgetList visibleWindows(const QString& objectName) {
    QWidgetList found;
    for (QWidget* window : QApplication::topLevelWidgets()) {
        if (window->objectName() == objectName && window->isVisible())
            found << window;
    }
    return found;
}

// A hub over a fresh program folder, with the test doubles.
struct Hub : test::Doubles {
    WindowHub hub{platform, settings, folder.str()};
};

} // namespace

class WindowHubTest : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void eachToolWindowOpensOnceAndIsRaisedAfterwards() {
        Hub h;
        auto& hub = h.hub;
        hub.mainWindow().show();
        const QList<std::pair<const char*, QString>> entries = {
            {"About", "AboutForm"}, {"Dacgen", "Form2"},    {"ccxEditor", "Form6"},
            {"IniEdit", "Form5"},   {"CreateEXE", "Form3"}, {"ccfEdit", "Form4"}};
        for (const auto& [action, form] : entries) {
            hub.mainWindow().findChild<QAction*>(action)->trigger();
            const QWidgetList shown = visibleWindows(form);
            QCOMPARE(shown.size(), 1);
            if (form != "Form6") // the CCX editor's own test pictures it with a set open
                test::saveScreenshot(*shown[0], qPrintable(form));
            QPointer<QWidget> first = shown[0];
            hub.mainWindow().findChild<QAction*>(action)->trigger();
            QCOMPARE(visibleWindows(form), QWidgetList{first.data()});
        }
        // Quorvel and EXE Creator share one window; each sets its mode.
        QWidget* exeCreator = visibleWindows("Form3").front();
        QCOMPARE(hub.showQuorvel(), exeCreator);
        QCOMPARE(exeCreator->windowTitle(), QString("Quorvel"));
    }

    // Shrunk as far as it goes, no window cuts a label or a button's caption.
    void everyWindowShowsItsTextsWholeAtItsMinimumSize() {
        Hub h;
        auto& hub = h.hub;
        QWidget* exeCreator = hub.showExeCreator();
        for (QWidget* window : {static_cast<QWidget*>(&hub.mainWindow()), hub.showAbout(),
                                hub.showDacGen(), hub.showCcxEditor(), hub.showIniEditor(),
                                exeCreator, hub.showQuorvel(), hub.showCcfCreator()}) {
            window->show();
            window->resize(window->minimumSize());
            QApplication::processEvents();
            QCOMPARE(window->size(), window->minimumSize());
            QVERIFY2(cutTexts(*window).isEmpty(),
                     qPrintable(window->objectName() + ": " + cutTexts(*window).join(", ")));
        }
    }

    void exitClosesEveryWindowInOrder() {
        Hub h;
        auto& hub = h.hub;
        hub.mainWindow().show();
        CloseRecorder recorder;
        hub.mainWindow().installEventFilter(&recorder);
        // Opened in another order than they close.
        for (QWidget* window : {hub.showDacGen(), hub.showCcfCreator(), hub.showAbout(),
                                hub.showIniEditor(), hub.showExeCreator(), hub.showCcxEditor()})
            window->installEventFilter(&recorder);

        hub.mainWindow().findChild<QAction*>("Exit")->trigger();
        QCOMPARE(recorder.closed,
                 (QStringList{"AboutForm", "Form6", "Form5", "Form4", "Form3", "Form2", "Form1"}));
        QCOMPARE(h.settings.writes.size(), std::size_t(8));
        QVERIFY(!hub.mainWindow().isVisible());
    }

    // Cancel in the INI editor's unsaved-changes question stops Exit there;
    // No lets it go on.
    void exitStopsWhereACloseIsRefused() {
        Hub h;
        auto& hub = h.hub;
        hub.mainWindow().show();
        QPointer<QWidget> about = hub.showAbout();
        QPointer<QWidget> ini = hub.showIniEditor();
        QPointer<QWidget> dacGen = hub.showDacGen();
        const auto scores = h.folder.write("scores.ini", "[a.dat]\r\nLevel1=AAAA,10,600\r\n");
        ini->findChild<QLineEdit*>("Text1")->setText(QString::fromStdString(scores.string()));
        ini->findChild<QLineEdit*>("Text2")->setText("a.dat");
        ini->findChild<QPushButton*>("cmdInfo")->click();
        auto* levels = ini->findChild<QListView*>("List1");
        levels->setCurrentIndex(levels->model()->index(0, 0));
        ini->findChild<QPushButton*>("cmdDeleteScore")->click();

        auto* exit = hub.mainWindow().findChild<QAction*>("Exit");
        h.platform.answer(MessageAnswer::Cancel);
        exit->trigger();
        QVERIFY(!about || !about->isVisible());
        QVERIFY(ini->isVisible() && dacGen->isVisible() && hub.mainWindow().isVisible());
        h.platform.answer(MessageAnswer::No);
        exit->trigger();
        QVERIFY(!hub.mainWindow().isVisible());
        QCOMPARE(h.platform.unscriptedQuestions, 0);
    }

    void exitStopsWhenTheCcxEditorKeepsItsSet() {
        Hub h;
        auto& hub = h.hub;
        hub.mainWindow().show();
        // The editor starts a new set of one level.
        h.platform.answer(MessageAnswer::Yes);
        h.platform.lineInputs.push_back("1");
        h.platform.chooseFile((h.folder.path() / "set.ccx").string(), "set.ccx");
        QPointer<QWidget> editor = hub.showCcxEditor();
        QApplication::processEvents();
        QCOMPARE(editor->objectName(), QString("Form6"));

        h.platform.answer(MessageAnswer::Cancel);
        hub.mainWindow().findChild<QAction*>("Exit")->trigger();
        QCOMPARE(h.platform.lastMessage().text,
                 "Save changes to " + (h.folder.path() / "set.ccx").string() + "?");
        QVERIFY(editor && editor->isVisible());
        QVERIFY(hub.mainWindow().isVisible());

        h.platform.answer(MessageAnswer::No);
        hub.mainWindow().findChild<QAction*>("Exit")->trigger();
        QVERIFY(!hub.mainWindow().isVisible());
        QVERIFY(!editor || !editor->isVisible());
        QCOMPARE(h.platform.unscriptedQuestions, 0);
    }

    void aSavedCcfShowsInTheMainList() {
        Hub h;
        auto* files = h.hub.mainWindow().findChild<QListWidget*>("datFile");
        QCOMPARE(files->count(), 0);
        QWidget* ccf = h.hub.showCcfCreator();
        h.platform.chooseFile((h.folder / "CCLP1.DAT").string(), "CCLP1.DAT");
        test::click(*ccf, "Command3");
        test::control<QComboBox>(*ccf, "Combo1")->setEditText("fast.ccf");
        test::click(*ccf, "Command1");
        QCOMPARE(files->count(), 1);
        QCOMPARE(files->item(0)->text(), QString("fast.ccf"));
    }

    // A tool window's file dialog starts in the folder the main window lists
    // when its field names no file.
    void toolDialogsStartInTheMainWindowsFolder() {
        Hub h;
        auto& hub = h.hub;
        std::filesystem::create_directory(h.folder.path() / "sets");
        QVERIFY(hub.mainWindow().model().openFolder((h.folder.path() / "sets").string()));
        const std::pair<QWidget*, const char*> browses[] = {{hub.showExeCreator(), "Command1"},
                                                            {hub.showCcfCreator(), "Command3"}};
        for (const auto& [window, button] : browses) {
            h.platform.cancelFileDialog();
            window->findChild<QPushButton*>(button)->click();
            QCOMPARE(h.platform.dialogs.back().startFolderOrDefault,
                     (h.folder.path() / "sets").string());
        }
    }

    void aboutShowsNameVersionAndOpensTheWebPage() {
        Hub h;
        QWidget* about = h.hub.showAbout();
        QCOMPARE(about->windowTitle(), QString("About Tessaro"));
        QVERIFY(about->findChild<QLabel*>("lblName")->text().contains("Tessaro"));
        QCOMPARE(about->findChild<QLabel*>("lblVersion")->text(),
                 QString("Version ") + TESSARO_VERSION);
        auto* link = about->findChild<QLabel*>("lblWebPage");
        // The link shows the user guide, rendered.
        Q_EMIT link->linkActivated("guide");
        QPointer<QTextBrowser> guide;
        for (QWidget* window : QApplication::topLevelWidgets())
            if (window->objectName() == "UserGuide")
                guide = qobject_cast<QTextBrowser*>(window);
        QVERIFY(guide && guide->isVisible());
        QVERIFY(guide->toPlainText().startsWith("Tessaro user guide"));
        guide->close();
        about->activateWindow();

        // Enter presses OK (not the link) and Esc closes the window too.
        QVERIFY(QTest::qWaitForWindowActive(about));
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
        QVERIFY(!about->isVisible());
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        about = h.hub.showAbout();
        QVERIFY(QTest::qWaitForWindowActive(about));
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Escape);
        QVERIFY(!about->isVisible());
        QVERIFY(h.platform.openedUrls.empty());
    }
};

TESSARO_GUI_TEST(WindowHubTest)

} // namespace tessaro

#include "windowhub_test.moc"
