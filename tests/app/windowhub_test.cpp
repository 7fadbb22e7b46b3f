#include "app/aboutwindow.h"
#include "app/windowhub.h"
#include "launcher/mainwindow.h"
#include "support/guitest.h"

#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QLabel>
#include <QLayout>
#include <QLineEdit>
#include <QListView>
#include <QPointer>
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

// The window's layouts squeezed below their minimum, labels and buttons showing less than
// their whole text.
QStringList cutTexts(const QWidget& window) {
    QStringList cut;
    for (const QLayout* layout : window.findChildren<QLayout*>()) {
        const QWidget* owner = layout->parentWidget();
        const int need = layout->hasHeightForWidth()
                             ? layout->minimumHeightForWidth(owner->contentsRect().width())
                             : layout->minimumSize().height();
        if (owner->isVisible() && owner->contentsRect().height() < need)
            cut << "layout of " + owner->objectName();
    }
    for (const QLabel* label : window.findChildren<QLabel*>()) {
        const QSize hint = label->minimumSizeHint();
        if (label->isVisible() &&
            (label->wordWrap() ? label->height() < label->heightForWidth(label->width())
                               : label->width() < hint.width() || label->height() < hint.height()))
            cut << label->objectName();
    }
    for (const QAbstractButton* button : window.findChildren<QAbstractButton*>())
        if (button->isVisible() && button->width() < button->minimumSizeHint().width())
            cut << button->objectName();
    return cut;
}

QWidgetList visibleWindows(const QString& objectName) {
    QWidgetList found;
    for (QWidget* window : QApplication::topLevelWidgets())
        if (window->objectName() == objectName && window->isVisible())
            found << window;
    return found;
}

struct Hub : test::Doubles {
    WindowHub hub{platform, settings, folder.str()};
    void exit() { hub.mainWindow().findChild<QAction*>("Exit")->trigger(); }
};

} // namespace

class WindowHubTest : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void eachWindowOpensOnceAndShowsItsTextsWholeAtItsMinimumSize() {
        Hub h;
        h.hub.mainWindow().show();
        for (const char* form : {"AboutForm", "Form2", "Form6", "Form5", "Form3", "Form4"}) {
            const char* action = QMap<QString, const char*>{
                {"AboutForm", "About"}, {"Form2", "Dacgen"},    {"Form6", "ccxEditor"},
                {"Form5", "IniEdit"},   {"Form3", "CreateEXE"}, {"Form4", "ccfEdit"}}[form];
            h.hub.mainWindow().findChild<QAction*>(action)->trigger();
            const QWidgetList shown = visibleWindows(form);
            QCOMPARE(shown.size(), 1);
            if (QString(form) != "Form6") // the CCX editor's own test pictures it with a set
                test::saveScreenshot(*shown[0], form);
            h.hub.mainWindow().findChild<QAction*>(action)->trigger();
            QCOMPARE(visibleWindows(form), shown);
        }
        QWidget* exeCreator = visibleWindows("Form3").front();
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

    // "tessaro FILE.ccx": the editor opens on the file, without its start-up question.
    void aCcxFileNamedOnTheCommandLineOpensInTheEditor() {
        Hub h;
        const auto file = std::filesystem::path(TESSARO_TEST_DATA) / "ccx/written/demo-set.ccx";
        QWidget* editor = h.hub.openCcxFile(file.string());
        QApplication::processEvents();
        QCOMPARE(test::captions(*editor, {"Label1"}),
                 "File Name: " + QString::fromStdString(file.string()));
        QVERIFY(h.platform.messages.empty());
        h.platform.answer(MessageAnswer::No);
        editor->close();
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
        h.exit();
        QCOMPARE(recorder.closed, (QStringList{"AboutForm", "Form5"})); // Form5 refused
        QVERIFY(ini->isVisible() && h.hub.mainWindow().isVisible());
        h.platform.answer(MessageAnswer::No);
        h.exit();
        QCOMPARE(recorder.closed,
                 (QStringList{"AboutForm", "Form5", "Form5", "Form4", "Form3", "Form2", "Form1"}));
        QCOMPARE(h.platform.unscriptedQuestions, 0);
    }

    void aboutShowsNameVersionAndClosesOnEscWithOkAsDefault() {
        Hub h;
        QWidget* about = h.hub.showAbout();
        QCOMPARE(test::captions(*about, {"AboutForm", "lblVersion"}),
                 QString("About Tessaro|Version ") + TESSARO_VERSION);
        // The link shows the user guide, rendered.
        Q_EMIT test::control<QLabel>(*about, "lblWebPage")->linkActivated("guide");
        QPointer<QTextBrowser> guide;
        for (QWidget* window : QApplication::topLevelWidgets())
            if (window->objectName() == "UserGuide")
                guide = qobject_cast<QTextBrowser*>(window);
        QVERIFY(guide && guide->isVisible());
        QVERIFY(guide->toPlainText().startsWith("Tessaro user guide"));
        // A web link goes to the browser through the Platform, never around it.
        Q_EMIT guide->anchorClicked(QUrl("https://example.org/sets"));
        QCOMPARE(h.platform.openedUrls, std::vector<std::string>{"https://example.org/sets"});
        QVERIFY(guide->toPlainText().startsWith("Tessaro user guide"));
        guide->close();
        about->activateWindow();
        for (const auto key : {Qt::Key_Return, Qt::Key_Escape}) {
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
