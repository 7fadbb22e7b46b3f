#include "app/aboutwindow.h"
#include "app/windowhub.h"
#include "launcher/mainwindow.h"
#include "support/guitest.h"
#include "support/memorysettings.h"
#include "support/scriptedplatform.h"
#include "support/tempfolder.h"

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QLabel>
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
            test::saveScreenshot(*shown[0], qPrintable(form));
            QPointer<QWidget> first = shown[0];
            hub.mainWindow().findChild<QAction*>(action)->trigger();
            QCOMPARE(visibleWindows(form), QWidgetList{first.data()});
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
        ccf->findChild<QComboBox*>("Combo1")->setEditText("fast.ccf");
        ccf->findChild<QPushButton*>("Command1")->click();
        QCOMPARE(files->count(), 1);
        QCOMPARE(files->item(0)->text(), QString("fast.ccf"));
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
    }
};

TESSARO_GUI_TEST(WindowHubTest)

} // namespace tessaro

#include "windowhub_test.moc"
