#include "app/windowhub.h"
#include "ccf/ccfcreatorwindow.h"
#include "launcher/mainwindow.h"
#include "support/guitest.h"

#include <QAction>
#include <QLabel>
#include <QLayout>
#include <QTextBrowser>

namespace tessaro {

namespace {

QWidgetList shown(const QString& objectName = {}) {
    QWidgetList found;
    for (QWidget* window : QApplication::topLevelWidgets())
        if (window->isVisible() && (objectName.isEmpty() || window->objectName() == objectName))
            found << window;
    return found;
}

struct Hub : test::Doubles {
    WindowHub hub{platform, settings, Utf8Path(folder.str())};
    Hub() { hub.mainWindow().show(); }
    void menu(const char* entry) { hub.mainWindow().findChild<QAction*>(entry)->trigger(); }
};

} // namespace

class WindowHubTest : public QObject {
    Q_OBJECT

private Q_SLOTS:
    // Each menu entry opens its window once, in front with the focus (also after its start
    // question), and again brings the same one forward; every window shows its texts whole at its
    // minimum size. About shows the user guide (web links go to the browser).
    void eachWindowOpensOnceShowsItsTextsWholeAndAboutShowsTheGuide() {
        Hub h;
        for (const QString pair : {"About AboutForm", "Dacgen Form2", "ccxEditor Form6",
                                   "IniEdit Form5", "CreateEXE Form3", "ccfEdit Form4"}) {
            const QString entry = pair.section(' ', 0, 0), form = pair.section(' ', 1);
            h.menu(qPrintable(entry));
            h.hub.mainWindow().activateWindow(); // as a start question hands the focus back
            QApplication::processEvents();
            const QWidgetList opened = shown(form);
            QCOMPARE(opened.size(), 1);
            QCOMPARE(QApplication::activeWindow(), opened[0]);
            if (form != "Form6") // the CCX editor's own test pictures it with a set
                test::saveScreenshot(*opened[0], qPrintable(form));
            h.menu(qPrintable(entry));
            QCOMPARE(shown(form), opened);
        }
        QCOMPARE(h.hub.showQuorvel(), shown("Form3").front()); // one window, each sets its mode
        QCOMPARE(shown("Form3").front()->windowTitle(), QString("Quorvel"));
        for (QWidget* window : shown()) {
            window->resize(window->minimumSize());
            QApplication::processEvents();
            for (const QWidget* widget : window->findChildren<QWidget*>()) {
                const QLayout* layout = widget->layout();
                if (!widget->isVisible() ||
                    !(layout || widget->inherits("QLabel") || widget->inherits("QAbstractButton")))
                    continue;
                const QSize least = widget->minimumSizeHint();
                const int height = !widget->hasHeightForWidth() ? least.height()
                                   : layout ? layout->totalMinimumHeightForWidth(widget->width())
                                            : widget->heightForWidth(widget->width());
                QVERIFY2(widget->width() >= least.width() && widget->height() >= height,
                         qPrintable(window->objectName() + " " + widget->objectName()));
            }
        }
        QWidget* about = h.hub.showAbout();
        QCOMPARE(test::captions(*about, {"AboutForm", "lblVersion"}),
                 QString("About Tessaro|Version ") + TESSARO_VERSION);
        Q_EMIT test::control<QLabel>(*about, "lblWebPage")->linkActivated("guide");
        auto* guide = qobject_cast<QTextBrowser*>(shown("UserGuide").value(0));
        QVERIFY(guide && guide->toPlainText().startsWith("Tessaro user guide"));
        Q_EMIT guide->anchorClicked(QUrl("https://example.org/sets"));
        QCOMPARE(h.platform.openedUrls, std::vector<std::string>{"https://example.org/sets"});
        guide->close();
    }

    // A tool's file dialog starts in the folder the main window lists, a saved CCF file shows in
    // its list, and "tessaro FILE.ccx" opens the editor on the file without its start-up question,
    // with the key rule the hub puts on the windows it opens: its shortcuts work from a text box,
    // also where the desktop claims the key. Exit closes every window in order, and stops at one
    // that refuses.
    void toolsFollowTheMainWindowAndExitClosesThemInOrder() {
        Hub h;
        const auto sets = h.folder.write("sets/new.ccf", "CHIPS.DAT\r\n1\r\n2\r\n").parent_path();
        QVERIFY(h.hub.mainWindow().model().openFolder(sets.string()).done);
        test::click(*h.hub.showExeCreator(), "Command1");
        QCOMPARE(h.platform.dialogs.at(0).startFolderOrDefault, sets.string());
        h.folder.write("sets/other.ccf", "CHIPS.DAT\r\n1\r\n2\r\n");
        Q_EMIT static_cast<CcfCreatorWindow*>(h.hub.showCcfCreator())->ccfSaved();
        QVERIFY(std::ranges::count(h.hub.mainWindow().model().files(), "other.ccf"));
        const std::string file = TESSARO_TEST_DATA "/ccx/written/demo-set.ccx";
        QWidget* editor = h.hub.openCcxFile(file);
        QCOMPARE(test::captions(*editor, {"Label1"}), "File Name: " + QString::fromStdString(file));
        QCOMPARE(h.platform.messages.size(), 0u);
        QVERIFY(QTest::qWaitForWindowActive(editor));
        auto* box = test::control(*editor, "setDescription");
        test::DesktopLineKeys desktopKeys(Qt::ControlModifier | Qt::Key_N);
        box->installEventFilter(&desktopKeys);
        if (auto* rule = editor->findChild<QObject*>("KeyRule"))
            box->installEventFilter(rule);
        box->setFocus();
        h.platform.answer(MessageAnswer::Cancel); // to New's "Save changes to ...?"
        QTest::keyClick(box, Qt::Key_N, Qt::ControlModifier);
        QCOMPARE(h.platform.messages.size(), 1u);

        for (const char* entry : {"Dacgen", "About", "IniEdit"})
            h.menu(entry);
        h.platform.answer(MessageAnswer::Cancel); // to the CCX editor's "Save changes to ...?"
        h.menu("Exit");
        QVERIFY(shown("AboutForm").isEmpty()); // About closes first, the CCX editor refuses
        QCOMPARE(shown().size(), 6);
        h.platform.answer(MessageAnswer::No);
        h.menu("Exit");
        for (QWidget* window : shown())
            QFAIL(qPrintable(window->objectName() + " is still open"));
    }
};

TESSARO_GUI_TEST(WindowHubTest)

} // namespace tessaro

#include "windowhub_test.moc"
