#include "gui/qtplatform.h"
#include "launcher/mainwindow.h"
#include "support/guitest.h"

#include <QAction>
#include <QKeyEvent>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>
#include <QTreeWidget>
#include <memory>

namespace tessaro {

namespace {

std::string fakeGame() {
    return "MZ" + std::string(49998, '\x11');
}

// What GNOME's and KDE's key bindings make a line edit do: claim Ctrl+E (end
// of line) before any shortcut sees it.
class DesktopLineKeys : public QObject {
public:
    using QObject::QObject;
    bool eventFilter(QObject*, QEvent* event) override {
        if (event->type() != QEvent::ShortcutOverride)
            return false;
        auto* key = static_cast<QKeyEvent*>(event);
        if (key->key() != Qt::Key_E || key->modifiers() != Qt::ControlModifier)
            return false;
        key->accept();
        return true;
    }
};

} // namespace

class MainWindowTest : public QObject {
    Q_OBJECT

    std::unique_ptr<test::Doubles> m_d;

    std::unique_ptr<MainWindow> makeWindow() {
        auto window = std::make_unique<MainWindow>(m_d->platform, m_d->settings, m_d->folder.str());
        window->show();
        window->activateWindow();
        if (!QTest::qWaitForWindowActive(window.get()))
            qWarning("the main window did not become active");
        return window;
    }

    static void trigger(QWidget& window, const char* name) {
        test::control<QAction>(window, name)->trigger();
    }

    static void selectFile(QWidget& window, const QString& name) {
        auto* list = test::control<QListWidget>(window, "datFile");
        const auto items = list->findItems(name, Qt::MatchExactly);
        QCOMPARE(items.size(), 1);
        list->setCurrentItem(items[0]);
    }

private Q_SLOTS:
    void init() { m_d = std::make_unique<test::Doubles>(); }

    // Also takes the picture of the main window in docs/.
    void captionsMenusAndShortcuts() {
        for (const char* name : {"CCLP1.DAT", "cclp3.dat", "Rainbow.ccl", "rainbow-fast.ccf"})
            m_d->folder.write(name, "");
        std::filesystem::create_directory(m_d->folder / "Contest sets");
        auto window = makeWindow();
        selectFile(*window, "cclp3.dat");
        test::saveScreenshot(*window, "main-window");
        QCOMPARE(test::captions(*window, {"Form1", "Label4", "Label1", "Label2", "Label3", "Label5",
                                          "cmdBrowse", "Text1", "Text2", "newLudex", "theINIFile"}),
                 QString("Tessaro|Folder to load level sets from: (warning - level sets with the "
                         "same name in two different folders will share the same score section "
                         "in your INI file)|Fake last level:|Real last level:|EXE to play levels "
                         "with: (leave blank to use the default \"ludex.exe\" in your Tessaro "
                         "folder)|INI score file: (leave blank to use the default tessaro.ini)|"
                         "Browse|144|149||"));
        const auto entries = {"PlayFile",  "NoLudex", "GameRunner", "About",     "Exit",   "Dacgen",
                              "ccxEditor", "IniEdit", "Quorvel",    "CreateEXE", "ccfEdit"};
        QStringList keys;
        for (const char* name : entries)
            keys << test::control<QAction>(*window, name)->shortcut().toString();
        QCOMPARE(test::captions(*window, entries) + " " + keys.join(' '),
                 QString::fromUtf8("Play Selected File|I haven't created a Ludex.exe yet|Game "
                                   "Runner\u2026|About|Exit|DacGen|CCX Editor|INI Editor|Quorvel|"
                                   "EXE Creator|CCF Editor Ctrl+P Ctrl+I  Ctrl+A Ctrl+E Ctrl+D "
                                   "Ctrl+X Ctrl+S Ctrl+C Ctrl+N Ctrl+F"));
        QStringList menus;
        for (const char* name : {"Play", "Tools", "classics"}) {
            auto* menu = test::control<QMenu>(*window, name);
            menus << menu->title().remove('&') + ":";
            for (const QAction* action : menu->actions())
                menus << action->objectName();
        }
        QCOMPARE(menus.join(' '),
                 QString("Play: PlayFile NoLudex GameRunner sep2 About Exit Tools: Dacgen "
                         "ccxEditor IniEdit sep classicsAction \"Classics\": "
                         "Quorvel CreateEXE ccfEdit"));
        QVERIFY(test::control<QLineEdit>(*window, "newLudex")->isReadOnly());
        // The current folder's full path shows below the lists and as its line's tooltip.
        QCOMPARE(test::control<QTreeWidget>(*window, "Dir1")->currentItem()->toolTip(0),
                 QString::fromStdString(m_d->folder.str()));
        QCOMPARE(test::captions(*window, {"currentFolder"}),
                 QString::fromStdString(m_d->folder.str()));
    }

    // A folder named outside ASCII is browsed, its set listed readably and
    // played through the chosen runner; Exit saves the typed fields and folder.
    void aFolderBrowsedAndItsSetPlayedThenExitSaves() {
        m_d->folder.write("ludex.exe", fakeGame());
        m_d->folder.write("Иван/Café.dat", "café");
        auto window = makeWindow();
        QSignalSpy exits(window.get(), &MainWindow::exitRequested);
        m_d->platform.chooseFile("/opt/runner/start-game", "start-game");
        trigger(*window, "GameRunner");
        auto* folders = test::control<QTreeWidget>(*window, "Dir1");
        const auto ivan = folders->findItems("Иван", Qt::MatchExactly | Qt::MatchRecursive);
        QCOMPARE(ivan.size(), 1);
        Q_EMIT folders->itemActivated(ivan[0], 0);
        selectFile(*window, "Café.dat");
        QTest::keyClick(window.get(), Qt::Key_P, Qt::ControlModifier);
        QCOMPARE(m_d->folder.read("ludex.exe").substr(19060, 16), "Caf\xE9.dat        ");
        QCOMPARE(m_d->folder.read("tessaro.7"), std::string("café"));
        QCOMPARE(m_d->platform.starts[0].program, std::filesystem::path("/opt/runner/start-game"));
        QCOMPARE(m_d->platform.starts[0].arguments,
                 std::vector<std::string>{(m_d->folder / "ludex.exe").string()});
        // A double-click plays too.
        auto* files = test::control<QListWidget>(*window, "datFile");
        Q_EMIT files->itemActivated(files->currentItem());
        QCOMPARE(m_d->platform.starts.size(), std::size_t(2));
        QVERIFY(m_d->platform.messages.empty());
        // A bad level takes the focus.
        QTest::keyClicks(test::control<QLineEdit>(*window, "Text1"), "0");
        test::control<QPushButton>(*window, "cmdBrowse")->setFocus();
        trigger(*window, "PlayFile");
        QCOMPARE(test::focused(*window), QString("Text2"));
        QCOMPARE(m_d->platform.lastMessage().text, std::string("Error - invalid level 149"));
        QTest::keyClicks(test::control<QLineEdit>(*window, "Text2"), "9");

        QTest::keyClicks(test::control<QLineEdit>(*window, "theINIFile"), "me.ini");
        QCOMPARE(m_d->settings.writes.size(), std::size_t(1)); // the runner only
        trigger(*window, "Exit");
        QCOMPARE(exits.count(), 1);
        const auto saved = [this](const char* key) {
            return m_d->settings.get("General", key, "<none>");
        };
        QCOMPARE(saved("FakeLastLevel") + " " + saved("RealLastLevel") + " " + saved("INIPath"),
                 std::string("1440 1499 me.ini"));
        QCOMPARE(saved("LevelSetPath"),
                 std::filesystem::weakly_canonical(m_d->folder / "Иван").string());
    }

    void browseBackspaceAndTheCreateEntry() {
        auto window = makeWindow();
        auto* alternateExecutable = test::control<QLineEdit>(*window, "newLudex");
        m_d->platform.chooseFile("/games/mine.exe", "mine.exe");
        m_d->platform.cancelFileDialog();
        for (int i = 0; i < 2; ++i) // Cancel keeps the chosen executable.
            QTest::mouseClick(test::control<QPushButton>(*window, "cmdBrowse"), Qt::LeftButton);
        QCOMPARE(alternateExecutable->text(), QString("/games/mine.exe"));
        // Backspace in the field goes back to the default executable.
        QTest::keyClick(alternateExecutable, Qt::Key_Backspace);
        QVERIFY(alternateExecutable->text().isEmpty());

        // Creating ludex.exe hides the entry; Shift+H shows it again without a
        // question and hides it after one; plain H and Ctrl+Shift+H do nothing.
        m_d->folder.write("game/CHIPS.EXE", fakeGame());
        m_d->platform.chooseFile((m_d->folder / "game" / "CHIPS.EXE").string(), "CHIPS.EXE");
        auto* entry = test::control<QAction>(*window, "NoLudex");
        trigger(*window, "NoLudex");
        QCOMPARE(m_d->folder.read("ludex.exe"), fakeGame());
        QVERIFY(!entry->isVisible());
        auto* files = test::control<QListWidget>(*window, "datFile");
        const auto shown = m_d->platform.messages.size();
        QTest::keyClick(test::control<QTreeWidget>(*window, "Dir1"), Qt::Key_H, Qt::ShiftModifier);
        QVERIFY(entry->isVisible());
        m_d->platform.answer(MessageAnswer::Yes);
        QTest::keyClick(files, Qt::Key_H, Qt::ShiftModifier);
        QVERIFY(!entry->isVisible());
        QTest::keyClick(files, Qt::Key_H);
        QTest::keyClick(files, Qt::Key_H, Qt::ShiftModifier | Qt::ControlModifier);
        QCOMPARE(m_d->platform.messages.size(), shown + 1);
    }

    // In a text box typing and the editing keys edit the text; every other
    // shortcut works from anywhere, and outside text boxes Ctrl+C, Ctrl+X,
    // Ctrl+A and Shift+H run their commands.
    void keysFollowOneRuleInTextBoxesAndElsewhere() {
        auto window = makeWindow();
        auto* iniFile = test::control<QLineEdit>(*window, "theINIFile");
        iniFile->installEventFilter(new DesktopLineKeys(iniFile));
        iniFile->installEventFilter(test::control<QObject>(*window, "KeyRule"));
        auto* files = test::control<QListWidget>(*window, "datFile");
        QSignalSpy quorvel(window.get(), &MainWindow::quorvelRequested);
        QSignalSpy ccx(window.get(), &MainWindow::ccxEditorRequested);
        QSignalSpy about(window.get(), &MainWindow::aboutRequested);
        QSignalSpy dacGen(window.get(), &MainWindow::dacGenRequested);
        QSignalSpy exits(window.get(), &MainWindow::exitRequested);

        iniFile->setFocus();
        QTest::keyClicks(iniFile, "CHIPS.INI", Qt::ShiftModifier);
        QCOMPARE(iniFile->text(), QString("CHIPS.INI"));
        for (const auto key : {Qt::Key_A, Qt::Key_C, Qt::Key_X, Qt::Key_V, Qt::Key_V, Qt::Key_Z})
            QTest::keyClick(iniFile, key, Qt::ControlModifier);
        QCOMPARE(iniFile->text(), QString("CHIPS.INI"));
        QCOMPARE(quorvel.count() + ccx.count() + about.count(), 0);
        QVERIFY(m_d->platform.messages.empty());
        QVERIFY(test::control<QAction>(*window, "NoLudex")->isVisible());

        QTest::keyClick(iniFile, Qt::Key_D, Qt::ControlModifier);
        QCOMPARE(dacGen.count(), 1);
        files->setFocus();
        for (const auto key : {Qt::Key_C, Qt::Key_X, Qt::Key_A})
            QTest::keyClick(files, key, Qt::ControlModifier);
        QCOMPARE(quorvel.count() + ccx.count() + about.count(), 3);

        QTest::keyClick(iniFile, Qt::Key_E, Qt::ControlModifier);
        QCOMPARE(exits.count(), 1);
        QCOMPARE(m_d->settings.get("General", "INIPath", ""), std::string("CHIPS.INI"));
    }

    // The real platform starts a stand-in game (a script, not an "MZ" file)
    // that records where it runs and what "tessaro.7" holds.
    void playStartsTheGameForReal() {
#ifdef _WIN32
        QSKIP("the stand-in game is a shell script");
#endif
        const auto exe = m_d->folder.write("ludex.exe", "#!/bin/sh\npwd > p.tmp\ncat tessaro.7 "
                                                        ">> p.tmp\nmv p.tmp played.txt\n");
        std::filesystem::permissions(exe, std::filesystem::perms::owner_all);
        m_d->folder.write("MYSET.DAT", "my levels");
        QtPlatform platform;
        MainWindow window(platform, m_d->settings, m_d->folder.str());
        window.show();
        selectFile(window, "MYSET.DAT");
        trigger(window, "PlayFile");
        QTRY_VERIFY_WITH_TIMEOUT(std::filesystem::exists(m_d->folder / "played.txt"), 10000);
        QCOMPARE(m_d->folder.read("played.txt"),
                 std::filesystem::canonical(m_d->folder.path()).string() + "\nmy levels");
    }
};

TESSARO_GUI_TEST(MainWindowTest)

} // namespace tessaro

#include "mainwindow_test.moc"
