#include "app/windowhub.h"
#include "ccf/ccfcreatorwindow.h"
#include "launcher/mainwindow.h"
#include "support/guitest.h"

#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QLabel>
#include <QLayout>
#include <QLineEdit>
#include <QListView>
#include <QTest>
#include <QTextBrowser>

namespace tessaro {

namespace {

// Records the object names of windows as they close.
struct CloseRecorder : QObject {
    QStringList closed;
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::Close)
            closed << watched->objectName();
        return false;
    }
};

// The window's layouts squeezed below their minimum, and its labels and
// buttons showing less than their whole text.
QStringList cutTexts(const QWidget& window) {
    QStringList cut;
    for (const QLayout* layout : window.findChildren<QLayout*>()) {
        const QWidget* owner = layout->parentWidget();
        if (owner->isVisible() &&
            owner->contentsRect().height() <
                (layout->hasHeightForWidth()
                     ? layout->minimumHeightForWidth(owner->contentsRect().width())
                     : layout->minimumSize().height()))
            cut << "layout of " + owner->objectName();
    }
    for (const QLabel* label : window.findChildren<QLabel*>())
        if (label->isVisible() &&
            (label->wordWrap() ? label->height() < label->heightForWidth(label->width())
                               : label->width() < label->minimumSizeHint().width() ||
                                     label->height() < label->minimumSizeHint().height()))
            cut << label->objectName();
    for (const QAbstractButton* button : window.findChildren<QAbstractButton*>())
        if (button->isVisible() && button->width() < button->minimumSizeHint().width())
            cut << button->objectName();
    return cut;
}

QWidgetList shown(const QString& objectName) {
    QWidgetList found;
    for (QWidget* window : QApplication::topLevelWidgets())
        if (window->objectName() == objectName && window->isVisible())
            found << window;
    return found;
}

struct Hub : test::Doubles {
    WindowHub hub{platform, settings, folder.str()};
    void menu(const char* entry) { hub.mainWindow().findChild<QAction*>(entry)->trigger(); }
};

} // namespace

class WindowHubTest : public QObject {
    Q_OBJECT

private Q_SLOTS:
    // Each menu entry opens its window once, and again brings the same one
    // forward; every window shows its texts whole at its minimum size.
    void eachWindowOpensOnceAndShowsItsTextsWholeAtItsMinimumSize() {
        Hub h;
        h.hub.mainWindow().show();
        for (const QString pair : {"About AboutForm", "Dacgen Form2", "ccxEditor Form6",
                                   "IniEdit Form5", "CreateEXE Form3", "ccfEdit Form4"}) {
            const QString entry = pair.section(' ', 0, 0), form = pair.section(' ', 1);
            h.menu(qPrintable(entry));
            const QWidgetList opened = shown(form);
            QCOMPARE(opened.size(), 1);
            if (form != "Form6") // the CCX editor's own test pictures it with a set
                test::saveScreenshot(*opened[0], qPrintable(form));
            h.menu(qPrintable(entry));
            QCOMPARE(shown(form), opened);
        }
        QWidget* exeCreator = shown("Form3").front();
        QCOMPARE(h.hub.showQuorvel(), exeCreator); // one window, each sets its mode
        QCOMPARE(exeCreator->windowTitle(), QString("Quorvel"));
        for (QWidget* window : QApplication::topLevelWidgets()) {
            if (!window->isVisible())
                continue;
            window->resize(window->minimumSize());
            QApplication::processEvents();
            QCOMPARE(window->size(), window->minimumSize());
            QVERIFY2(cutTexts(*window).isEmpty(),
                     qPrintable(window->objectName() + ": " + cutTexts(*window).join(", ")));
        }
    }

    // A tool's file dialog starts in the folder the main window lists, a saved
    // CCF file shows in its list, and "tessaro FILE.ccx" opens the editor on the
    // file without its start-up question.
    void toolsFollowTheMainWindowAndTheCommandLine() {
        Hub h;
        const auto sets = h.folder.write("sets/new.ccf", "CHIPS.DAT\r\n1\r\n2\r\n").parent_path();
        QVERIFY(h.hub.mainWindow().model().openFolder(sets.string()));
        test::click(*h.hub.showExeCreator(), "Command1");
        QCOMPARE(h.platform.dialogs.at(0).startFolderOrDefault,
                 h.hub.mainWindow().model().folder());
        h.folder.write("sets/other.ccf", "CHIPS.DAT\r\n1\r\n2\r\n");
        Q_EMIT static_cast<CcfCreatorWindow*>(h.hub.showCcfCreator())->ccfSaved();
        const auto& files = h.hub.mainWindow().model().files();
        QVERIFY(std::count(files.begin(), files.end(), "other.ccf"));
        const auto file = std::filesystem::path(TESSARO_TEST_DATA) / "ccx/written/demo-set.ccx";
        QWidget* editor = h.hub.openCcxFile(file.string());
        QCOMPARE(test::captions(*editor, {"Label1"}),
                 "File Name: " + QString::fromStdString(file.string()));
        QCOMPARE(h.platform.messages.size(), 0u);
    }

    void exitClosesEveryWindowInOrderAndStopsWhereACloseIsRefused() {
        Hub h;
        h.hub.mainWindow().show();
        CloseRecorder recorder;
        h.hub.mainWindow().installEventFilter(&recorder);
        for (QWidget* window : {h.hub.showDacGen(), h.hub.showCcfCreator(), h.hub.showAbout(),
                                h.hub.showIniEditor(), h.hub.showExeCreator()})
            window->installEventFilter(&recorder);
        // The INI editor's unsaved-changes question: Cancel stops Exit there, No goes on.
        QWidget* ini = h.hub.showIniEditor();
        const auto scores = h.folder.write("scores.ini", "[a.dat]\r\nLevel1=AAAA,10,600\r\n");
        test::control<QLineEdit>(*ini, "Text1")->setText(QString::fromStdString(scores.string()));
        test::control<QLineEdit>(*ini, "Text2")->setText("a.dat");
        test::click(*ini, "cmdInfo");
        auto* levels = test::control<QListView>(*ini, "List1");
        levels->setCurrentIndex(levels->model()->index(0, 0));
        test::click(*ini, "cmdDeleteScore");
        h.platform.answer(MessageAnswer::Cancel);
        h.menu("Exit");
        QCOMPARE(recorder.closed, (QStringList{"AboutForm", "Form5"})); // Form5 refused
        QVERIFY(ini->isVisible() && h.hub.mainWindow().isVisible());
        h.platform.answer(MessageAnswer::No);
        h.menu("Exit");
        QCOMPARE(recorder.closed,
                 (QStringList{"AboutForm", "Form5", "Form5", "Form4", "Form3", "Form2", "Form1"}));
        QCOMPARE(h.platform.unscriptedQuestions, 0);
    }

    // About: its texts, the user guide its link shows (web links go to the
    // browser through the Platform), and OK as default, Esc closing it.
    void aboutShowsNameVersionAndTheGuideAndClosesOnEnterOrEsc() {
        Hub h;
        QWidget* about = h.hub.showAbout();
        QCOMPARE(test::captions(*about, {"AboutForm", "lblVersion"}),
                 QString("About Tessaro|Version ") + TESSARO_VERSION);
        Q_EMIT test::control<QLabel>(*about, "lblWebPage")->linkActivated("guide");
        auto* guide = qobject_cast<QTextBrowser*>(shown("UserGuide").value(0));
        QVERIFY(guide && guide->toPlainText().startsWith("Tessaro user guide"));
        Q_EMIT guide->anchorClicked(QUrl("https://example.org/sets"));
        QCOMPARE(h.platform.openedUrls, std::vector<std::string>{"https://example.org/sets"});
        QVERIFY(guide->toPlainText().startsWith("Tessaro user guide"));
        guide->close();
        for (const auto key : {Qt::Key_Return, Qt::Key_Escape}) {
            about->activateWindow();
            QVERIFY(QTest::qWaitForWindowActive(about));
            QTest::keyClick(QApplication::focusWidget(), key);
            QVERIFY(!about->isVisible());
            QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
            about = h.hub.showAbout();
        }
        QCOMPARE(h.platform.openedUrls.size(), 1u);
    }
};

TESSARO_GUI_TEST(WindowHubTest)

} // namespace tessaro

#include "windowhub_test.moc"
