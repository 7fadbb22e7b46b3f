#include "app/aboutwindow.h"
#include "app/windowhub.h"
#include "launcher/mainwindow.h"
#include "support/guitest.h"
#include "support/memorysettings.h"
#include "support/scriptedplatform.h"
#include "support/tempfolder.h"

#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <QLayout>
#include <QLineEdit>
#include <QListWidget>
#include <QPointer>
#include <QPushButton>
#include <QTest>

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
struct Hub {
    test::TempFolder home;
    test::ScriptedPlatform platform;
    test::MemorySettings settings;
    WindowHub hub{platform, settings, home.str()};
};

} // namespace

class WindowHubTest : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void eachToolWindowOpensOnceAndIsRaisedAfterwards() {
        Hub h;
        auto& [home, platform, settings, hub] = h;
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
        // Quorvel and EXE Creator share one window.
        QCOMPARE(hub.showQuorvel(), hub.showExeCreator());
    }

    // Shrunk as far as it goes, no window cuts a label or a button's caption.
    void everyWindowShowsItsTextsWholeAtItsMinimumSize() {
        Hub h;
        auto& [home, platform, settings, hub] = h;
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
        auto& [home, platform, settings, hub] = h;
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
        QCOMPARE(settings.writes.size(), std::size_t(8));
        QVERIFY(!hub.mainWindow().isVisible());
    }

    // Cancel in the INI editor's unsaved-changes question stops Exit there;
    // No lets it go on.
    void exitStopsWhereACloseIsRefused() {
        Hub h;
        auto& [home, platform, settings, hub] = h;
        hub.mainWindow().show();
        QPointer<QWidget> about = hub.showAbout();
        QPointer<QWidget> ini = hub.showIniEditor();
        QPointer<QWidget> dacGen = hub.showDacGen();
        const auto scores = home.write("scores.ini", "[a.dat]\r\nLevel1=AAAA,10,600\r\n");
        ini->findChild<QLineEdit*>("Text1")->setText(QString::fromStdString(scores.string()));
        ini->findChild<QLineEdit*>("Text2")->setText("a.dat");
        ini->findChild<QPushButton*>("cmdInfo")->click();
        ini->findChild<QListWidget*>("List1")->setCurrentRow(0);
        ini->findChild<QPushButton*>("cmdDeleteScore")->click();

        auto* exit = hub.mainWindow().findChild<QAction*>("Exit");
        platform.answer(MessageAnswer::Cancel);
        exit->trigger();
        QVERIFY(!about || !about->isVisible());
        QVERIFY(ini->isVisible() && dacGen->isVisible() && hub.mainWindow().isVisible());
        platform.answer(MessageAnswer::No);
        exit->trigger();
        QVERIFY(!hub.mainWindow().isVisible());
        QCOMPARE(platform.unscriptedQuestions, 0);
    }

    void exitStopsWhenTheCcxEditorKeepsItsSet() {
        Hub h;
        auto& [home, platform, settings, hub] = h;
        hub.mainWindow().show();
        // The editor starts a new set of one level.
        platform.answer(MessageAnswer::Yes);
        platform.lineInputs.push_back("1");
        platform.chooseFile((home.path() / "set.ccx").string(), "set.ccx");
        QPointer<QWidget> editor = hub.showCcxEditor();
        QApplication::processEvents();
        QCOMPARE(editor->objectName(), QString("Form6"));

        platform.answer(MessageAnswer::Cancel);
        hub.mainWindow().findChild<QAction*>("Exit")->trigger();
        QCOMPARE(platform.lastMessage().text,
                 "Save changes to " + (home.path() / "set.ccx").string() + "?");
        QVERIFY(editor && editor->isVisible());
        QVERIFY(hub.mainWindow().isVisible());

        platform.answer(MessageAnswer::No);
        hub.mainWindow().findChild<QAction*>("Exit")->trigger();
        QVERIFY(!hub.mainWindow().isVisible());
        QVERIFY(!editor || !editor->isVisible());
        QCOMPARE(platform.unscriptedQuestions, 0);
    }

    void classicsModesShareOneWindowAndASavedCcfShowsInTheMainList() {
        Hub h;
        auto& [home, platform, settings, hub] = h;
        hub.mainWindow().show();

        QWidget* quorvel = hub.showQuorvel();
        QCOMPARE(quorvel->windowTitle(), QString("Quorvel"));
        QCOMPARE(hub.showExeCreator(), quorvel);
        QCOMPARE(quorvel->windowTitle(), QString("EXE Creator"));

        auto* files = hub.mainWindow().findChild<QListWidget*>("datFile");
        QCOMPARE(files->count(), 0);
        QWidget* ccf = hub.showCcfCreator();
        platform.chooseFile((home.path() / "CCLP1.DAT").string(), "CCLP1.DAT");
        ccf->findChild<QPushButton*>("Command3")->click();
        auto* name = ccf->findChild<QComboBox*>("Combo1");
        name->setEditText("fast.ccf");
        ccf->findChild<QPushButton*>("Command1")->click();
        QCOMPARE(platform.lastMessage().text,
                 std::string("Your CCF file (fast.ccf) has been created."));
        QCOMPARE(files->count(), 1);
        QCOMPARE(files->item(0)->text(), QString("fast.ccf"));
    }

    // A tool window's file dialog starts in the folder the main window lists
    // when its field names no file.
    void toolDialogsStartInTheMainWindowsFolder() {
        Hub h;
        auto& [home, platform, settings, hub] = h;
        std::filesystem::create_directory(home.path() / "sets");
        QVERIFY(hub.mainWindow().model().openFolder((home.path() / "sets").string()));
        const std::pair<QWidget*, const char*> browses[] = {{hub.showExeCreator(), "Command1"},
                                                            {hub.showCcfCreator(), "Command3"}};
        for (const auto& [window, button] : browses) {
            platform.cancelFileDialog();
            window->findChild<QPushButton*>(button)->click();
            QCOMPARE(platform.dialogs.back().startFolderOrDefault, (home.path() / "sets").string());
        }
    }

    void aboutShowsNameVersionAndOpensTheWebPage() {
        Hub h;
        auto& [home, platform, settings, hub] = h;
        QWidget* about = hub.showAbout();
        QCOMPARE(about->windowTitle(), QString("About Tessaro"));
        QVERIFY(about->findChild<QLabel*>("lblName")->text().contains("Tessaro"));
        QCOMPARE(about->findChild<QLabel*>("lblVersion")->text(),
                 QString("Version ") + TESSARO_VERSION);
        auto* link = about->findChild<QLabel*>("lblWebPage");
        Q_EMIT link->linkActivated(QString::fromLatin1(kProjectWebPage));
        QCOMPARE(platform.openedUrls, std::vector<std::string>{kProjectWebPage});

        // Enter presses OK (not the link) and Esc closes the window too.
        QVERIFY(QTest::qWaitForWindowActive(about));
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
        QVERIFY(!about->isVisible());
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        about = hub.showAbout();
        QVERIFY(QTest::qWaitForWindowActive(about));
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Escape);
        QVERIFY(!about->isVisible());
        QCOMPARE(platform.openedUrls.size(), std::size_t(1));
    }
};

TESSARO_GUI_TEST(WindowHubTest)

} // namespace tessaro

#include "windowhub_test.moc"
