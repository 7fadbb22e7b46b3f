#include "app/aboutwindow.h"
#include "app/windowhub.h"
#include "launcher/mainwindow.h"
#include "support/guitest.h"

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <QListWidget>
#include <QPointer>
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

    void aboutShowsNameVersionAndOpensTheWebPage() {
        Hub h;
        QWidget* about = h.hub.showAbout();
        QCOMPARE(about->windowTitle(), QString("About Tessaro"));
        QVERIFY(about->findChild<QLabel*>("lblName")->text().contains("Tessaro"));
        QCOMPARE(about->findChild<QLabel*>("lblVersion")->text(),
                 QString("Version ") + TESSARO_VERSION);
        auto* link = about->findChild<QLabel*>("lblWebPage");
        Q_EMIT link->linkActivated(QString::fromLatin1(kProjectWebPage));
        QCOMPARE(h.platform.openedUrls, std::vector<std::string>{kProjectWebPage});
    }
};

TESSARO_GUI_TEST(WindowHubTest)

} // namespace tessaro

#include "windowhub_test.moc"
