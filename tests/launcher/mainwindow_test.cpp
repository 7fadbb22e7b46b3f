#include "gui/qtplatform.h"
#include "launcher/mainwindow.h"
#include "support/guitest.h"

#include <QAction>
#include <QComboBox>
#include <QKeyEvent>
#include <QLabel>
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
// of line) before any shortcut sees it. Put under a control's other filters,
// it stands where the line edit's own handling is.
class DesktopLineKeys : public QObject {
public:
    static void putUnder(QWidget& control) {
        control.installEventFilter(new DesktopLineKeys(&control));
        if (QObject* rule = control.window()->findChild<QObject*>("KeyRule"))
            control.installEventFilter(rule);
    }

protected:
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

    std::unique_ptr<test::TempFolder> m_home;
    std::unique_ptr<test::ScriptedPlatform> m_platform;
    std::unique_ptr<test::MemorySettings> m_settings;

    std::unique_ptr<MainWindow> makeWindow() {
        auto window = std::make_unique<MainWindow>(*m_platform, *m_settings, m_home->str());
        window->show();
        window->activateWindow();
        if (!QTest::qWaitForWindowActive(window.get()))
            qWarning("the main window did not become active");
        return window;
    }

    static void trigger(QWidget& window, const char* name) {
        auto* action = test::control<QAction>(window, name);
        QVERIFY(action->isEnabled());
        action->trigger();
    }

    static void selectFile(QWidget& window, const QString& name) {
        auto* list = test::control<QListWidget>(window, "datFile");
        const auto items = list->findItems(name, Qt::MatchExactly);
        QCOMPARE(items.size(), 1);
        list->setCurrentItem(items[0]);
    }

private Q_SLOTS:
    void init() {
        m_home = std::make_unique<test::TempFolder>();
        m_platform = std::make_unique<test::ScriptedPlatform>();
        m_settings = std::make_unique<test::MemorySettings>();
    }

    // Also takes the picture of the main window in docs/.
    void captionsMenusAndShortcuts() {
        for (const char* name : {"CCLP1.DAT", "cclp3.dat", "Rainbow.ccl", "rainbow-fast.ccf"})
            m_home->write(name, "");
        std::filesystem::create_directory(m_home->path() / "Contest sets");
        auto window = makeWindow();
        selectFile(*window, "cclp3.dat");
        test::saveScreenshot(*window, "main-window");
        QCOMPARE(test::captions(*window, {"Form1", "Label4", "Label1", "Label2", "Label3", "Label5",
                                          "cmdBrowse"}),
                 QString("Tessaro|Folder to load level sets from: (warning - level sets with the "
                         "same name in two different folders will share the same score section "
                         "in your INI file)|Fake last level:|Real last level:|EXE to play levels "
                         "with: (leave blank to use the default \"ludex.exe\" in your Tessaro "
                         "folder)|INI score file: (leave blank to use the default tessaro.ini)|"
                         "Browse"));
        const auto entries = {"PlayFile",  "NoLudex", "GameRunner", "About",     "Exit",   "Dacgen",
                              "ccxEditor", "IniEdit", "Quorvel",    "CreateEXE", "ccfEdit"};
        QCOMPARE(test::captions(*window, entries),
                 QString::fromUtf8(
                     "Play Selected File|I haven't created a Ludex.exe yet|Game Runner\u2026|"
                     "About|Exit|DacGen|"
                     "CCX Editor|INI Editor|Quorvel|EXE Creator|CCF Editor"));
        QStringList keys;
        for (const char* name : entries)
            keys << test::control<QAction>(*window, name)->shortcut().toString();
        QCOMPARE(keys.join(' '), QString("Ctrl+P Ctrl+I  Ctrl+A Ctrl+E Ctrl+D Ctrl+X Ctrl+S Ctrl+C "
                                         "Ctrl+N Ctrl+F"));
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

        // First run: the model's defaults, the create entry shown, the program folder current.
        QCOMPARE(test::captions(*window, {"Text1", "Text2", "newLudex", "theINIFile"}),
                 QString("144|149||"));
        QVERIFY(test::control<QLineEdit>(*window, "newLudex")->isReadOnly());
        QVERIFY(test::control<QAction>(*window, "NoLudex")->isVisible());
        QCOMPARE(test::control<QTreeWidget>(*window, "Dir1")->currentItem()->text(0),
                 QString::fromStdString(m_home->path().filename().string()));
        // The current folder's full path shows below the lists and in its line's tooltip.
        QCOMPARE(test::control<QTreeWidget>(*window, "Dir1")->currentItem()->toolTip(0),
                 QString::fromStdString(m_home->str()));
        QCOMPARE(test::captions(*window, {"currentFolder"}), QString::fromStdString(m_home->str()));
        test::control<QComboBox>(*window, "Drive1");
    }

    void typedFieldsAndTheOpenedFolderAreWhatExitSaves() {
        m_home->write("sets/x.dat", "");
        auto window = makeWindow();
        QSignalSpy exits(window.get(), &MainWindow::exitRequested);
        auto* folders = test::control<QTreeWidget>(*window, "Dir1");
        const auto sets = folders->findItems("sets", Qt::MatchExactly | Qt::MatchRecursive);
        QCOMPARE(sets.size(), 1);
        Q_EMIT folders->itemActivated(sets[0], 0);
        QCOMPARE(test::control<QListWidget>(*window, "datFile")->item(0)->text(), QString("x.dat"));
        QTest::keyClicks(test::control<QLineEdit>(*window, "Text1"), "0");
        QTest::keyClicks(test::control<QLineEdit>(*window, "Text2"), "9");
        QTest::keyClicks(test::control<QLineEdit>(*window, "theINIFile"), "me.ini");
        QVERIFY(m_settings->writes.empty());
        trigger(*window, "Exit");
        QCOMPARE(exits.count(), 1);
        const auto saved = [this](const char* key) {
            return m_settings->get("General", key, "<none>");
        };
        QCOMPARE(saved("FakeLastLevel") + " " + saved("RealLastLevel") + " " + saved("INIPath"),
                 std::string("1440 1499 me.ini"));
        QCOMPARE(saved("LevelSetPath"),
                 std::filesystem::weakly_canonical(m_home->path() / "sets").string());
    }

    void ctrlPPlaysTheSelectedSetAndABadLevelTakesTheFocus() {
        m_home->write("ludex.exe", fakeGame());
        m_home->write("CCLP2.DAT", "level data");
        auto window = makeWindow();
        selectFile(*window, "CCLP2.DAT");
        QTest::keyClick(window.get(), Qt::Key_P, Qt::ControlModifier);
        QCOMPARE(m_platform->starts.size(), std::size_t(1));
        QCOMPARE(m_home->read("tessaro.7"), std::string("level data"));
        // A double-click plays too.
        auto* files = test::control<QListWidget>(*window, "datFile");
        Q_EMIT files->itemActivated(files->currentItem());
        QCOMPARE(m_platform->starts.size(), std::size_t(2));
        QVERIFY(m_platform->messages.empty());

        QTest::keyClick(test::control<QLineEdit>(*window, "Text2"), Qt::Key_Backspace);
        test::control<QPushButton>(*window, "cmdBrowse")->setFocus();
        trigger(*window, "PlayFile");
        QCOMPARE(test::focused(*window), QString("Text2"));
        QTest::keyClicks(test::control<QLineEdit>(*window, "Text1"), "x");
        trigger(*window, "PlayFile");
        QCOMPARE(test::focused(*window), QString("Text1"));
        QCOMPARE(m_platform->starts.size(), std::size_t(2));
    }

    void aRunnerChosenInTheMenuStartsTheGame() {
        m_home->write("ludex.exe", fakeGame());
        m_home->write("CCLP2.DAT", "level data");
        auto window = makeWindow();
        m_platform->chooseFile("/opt/runner/start-game", "start-game");
        trigger(*window, "GameRunner");
        QCOMPARE(m_settings->get("General", "PlayRunner", ""),
                 std::string("/opt/runner/start-game"));
        selectFile(*window, "CCLP2.DAT");
        trigger(*window, "PlayFile");
        QCOMPARE(m_platform->starts.size(), std::size_t(1));
        QCOMPARE(m_platform->starts[0].program, std::filesystem::path("/opt/runner/start-game"));
        QCOMPARE(m_platform->starts[0].arguments,
                 std::vector<std::string>{(m_home->path() / "ludex.exe").string()});
    }

    // Names outside ASCII are listed readably and played with their own
    // section bytes; so is a set in a folder named outside ASCII.
    void namesOutsideAsciiAreListedAndPlayed() {
        m_home->write("ludex.exe", fakeGame());
        m_home->write("Café.dat", "café");
        m_home->write("Иван/set.dat", "ivan");
        const std::pair<const char*, std::string> played[] = {
            {"Café.dat", "Caf\xE9.dat"},
#ifndef _WIN32                         // Windows names are always text.
            {"Olé.dat", "Ol\xE9.dat"}, // Latin-1 on disk
#endif
        };
#ifndef _WIN32
        m_home->write("Ol\xE9.dat", "latin-1");
#endif
        auto window = makeWindow();
        for (const auto& [shown, section] : played) {
            selectFile(*window, QString::fromUtf8(shown));
            trigger(*window, "PlayFile");
            QCOMPARE(m_home->read("ludex.exe").substr(19060, 16),
                     (section + std::string(16, ' ')).substr(0, 16));
        }
        QCOMPARE(m_home->read("tessaro.7"),
                 std::string(std::size(played) == 1 ? "café" : "latin-1"));

        auto* folders = test::control<QTreeWidget>(*window, "Dir1");
        const auto ivan = folders->findItems("Иван", Qt::MatchExactly | Qt::MatchRecursive);
        QCOMPARE(ivan.size(), 1);
        Q_EMIT folders->itemActivated(ivan[0], 0);
        selectFile(*window, "set.dat");
        trigger(*window, "PlayFile");
        QCOMPARE(m_home->read("tessaro.7"), std::string("ivan"));
        QVERIFY(m_platform->messages.empty());
    }

    void browseBackspaceAndTheCreateEntry() {
        auto window = makeWindow();
        auto* alternateExecutable = test::control<QLineEdit>(*window, "newLudex");
        m_platform->chooseFile("/games/mine.exe", "mine.exe");
        QTest::mouseClick(test::control<QPushButton>(*window, "cmdBrowse"), Qt::LeftButton);
        QCOMPARE(alternateExecutable->text(), QString("/games/mine.exe"));
        m_platform->cancelFileDialog();
        QTest::mouseClick(test::control<QPushButton>(*window, "cmdBrowse"), Qt::LeftButton);
        QCOMPARE(alternateExecutable->text(), QString("/games/mine.exe"));
        // Backspace in the field goes back to the default executable.
        QTest::keyClick(alternateExecutable, Qt::Key_Backspace);
        QVERIFY(alternateExecutable->text().isEmpty());
        QCOMPARE(window->model().alternateExecutableName, std::string("mine.exe"));

        // Creating ludex.exe hides the entry; Shift+H shows it again without a
        // question and hides it after one; plain H and Ctrl+Shift+H do nothing.
        m_home->write("game/CHIPS.EXE", fakeGame());
        m_platform->chooseFile((m_home->path() / "game" / "CHIPS.EXE").string(), "CHIPS.EXE");
        auto* entry = test::control<QAction>(*window, "NoLudex");
        trigger(*window, "NoLudex");
        QCOMPARE(m_home->read("ludex.exe"), fakeGame());
        QVERIFY(!entry->isVisible());
        auto* files = test::control<QListWidget>(*window, "datFile");
        const auto shown = m_platform->messages.size();
        QTest::keyClick(test::control<QTreeWidget>(*window, "Dir1"), Qt::Key_H, Qt::ShiftModifier);
        QVERIFY(entry->isVisible());
        QCOMPARE(m_platform->messages.size(), shown);
        m_platform->answer(MessageAnswer::Yes);
        QTest::keyClick(files, Qt::Key_H, Qt::ShiftModifier);
        QVERIFY(!entry->isVisible());
        QTest::keyClick(files, Qt::Key_H);
        QTest::keyClick(files, Qt::Key_H, Qt::ShiftModifier | Qt::ControlModifier);
        QCOMPARE(m_platform->messages.size(), shown + 1);
        trigger(*window, "Exit");
        QCOMPARE(m_settings->get("General", "LudexNotCreated", ""), std::string("False"));
    }

    // In a text box typing and the editing keys edit the text; every other
    // shortcut works from anywhere, and outside text boxes Ctrl+C, Ctrl+X,
    // Ctrl+A and Shift+H run their commands.
    void keysFollowOneRuleInTextBoxesAndElsewhere() {
        auto window = makeWindow();
        auto* iniFile = test::control<QLineEdit>(*window, "theINIFile");
        DesktopLineKeys::putUnder(*iniFile);
        auto* files = test::control<QListWidget>(*window, "datFile");
        QSignalSpy quorvel(window.get(), &MainWindow::quorvelRequested);
        QSignalSpy ccx(window.get(), &MainWindow::ccxEditorRequested);
        QSignalSpy about(window.get(), &MainWindow::aboutRequested);
        QSignalSpy dacGen(window.get(), &MainWindow::dacGenRequested);
        QSignalSpy exits(window.get(), &MainWindow::exitRequested);

        iniFile->setFocus();
        QTest::keyClicks(iniFile, "CHIPS.INI", Qt::ShiftModifier);
        QCOMPARE(iniFile->text(), QString("CHIPS.INI"));
        QTest::keyClick(iniFile, Qt::Key_A, Qt::ControlModifier);
        QCOMPARE(iniFile->selectedText(), QString("CHIPS.INI"));
        QTest::keyClick(iniFile, Qt::Key_C, Qt::ControlModifier);
        QTest::keyClick(iniFile, Qt::Key_X, Qt::ControlModifier);
        QVERIFY(iniFile->text().isEmpty());
        QTest::keyClick(iniFile, Qt::Key_V, Qt::ControlModifier);
        QTest::keyClick(iniFile, Qt::Key_V, Qt::ControlModifier);
        QTest::keyClick(iniFile, Qt::Key_Z, Qt::ControlModifier);
        QCOMPARE(iniFile->text(), QString("CHIPS.INI"));
        QCOMPARE(quorvel.count() + ccx.count() + about.count(), 0);
        QVERIFY(m_platform->messages.empty());
        QVERIFY(test::control<QAction>(*window, "NoLudex")->isVisible());

        QTest::keyClick(iniFile, Qt::Key_D, Qt::ControlModifier);
        QCOMPARE(dacGen.count(), 1);
        files->setFocus();
        for (const auto key : {Qt::Key_C, Qt::Key_X, Qt::Key_A})
            QTest::keyClick(files, key, Qt::ControlModifier);
        QCOMPARE(quorvel.count() + ccx.count() + about.count(), 3);

        QTest::keyClick(iniFile, Qt::Key_E, Qt::ControlModifier);
        QCOMPARE(exits.count(), 1);
        QCOMPARE(m_settings->get("General", "INIPath", ""), std::string("CHIPS.INI"));
    }

    // The real platform starts a stand-in game (a script, not an "MZ" file)
    // that records where it runs and what "tessaro.7" holds.
    void playStartsTheGameForReal() {
#ifdef _WIN32
        QSKIP("the stand-in game is a shell script");
#endif
        const auto report = m_home->path() / "played.txt";
        const std::string script = "#!/bin/sh\npwd > played.tmp\ncat tessaro.7 >> played.tmp\n"
                                   "mv played.tmp played.txt\nexit 0\n";
        const auto exe = m_home->write("ludex.exe", script);
        std::filesystem::permissions(exe, std::filesystem::perms::owner_all);
        m_home->write("sets/MYSET.DAT", "my levels");
        m_settings->set("General", "LevelSetPath", (m_home->path() / "sets").string());
        QtPlatform platform;
        MainWindow window(platform, *m_settings, m_home->str());
        window.show();
        selectFile(window, "MYSET.DAT");
        trigger(window, "PlayFile");
        QTRY_VERIFY_WITH_TIMEOUT(std::filesystem::exists(report), 10000);
        const auto canonicalHome = std::filesystem::canonical(m_home->path()).string();
        QCOMPARE(m_home->read("played.txt"), canonicalHome + "\nmy levels");
    }
};

TESSARO_GUI_TEST(MainWindowTest)

} // namespace tessaro

#include "mainwindow_test.moc"
