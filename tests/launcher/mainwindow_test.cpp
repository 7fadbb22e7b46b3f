#include "gui/codepage.h"
#include "gui/qtplatform.h"
#include "launcher/mainwindow.h"
#include "support/guitest.h"
#include "support/memorysettings.h"
#include "support/scriptedplatform.h"
#include "support/tempfolder.h"

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

    template <typename T> static T* child(QWidget& window, const char* name) {
        return test::control<T>(window, name);
    }

    static void trigger(QWidget& window, const char* name) {
        auto* action = child<QAction>(window, name);
        QVERIFY(action->isEnabled());
        action->trigger();
    }

    static void selectFile(QWidget& window, const QString& name) {
        auto* list = child<QListWidget>(window, "datFile");
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

    void captionsMenusAndShortcuts() {
        auto window = makeWindow();
        QCOMPARE(window->objectName(), QString("Form1"));
        QCOMPARE(window->windowTitle(), QString("Tessaro"));

        const QList<std::pair<const char*, QString>> labels = {
            {"Label4",
             "Folder to load level sets from: (warning - level sets with the same name in "
             "two different folders will share the same score section in your INI file)"},
            {"Label1", "Fake last level:"},
            {"Label2", "Real last level:"},
            {"Label3", "EXE to play levels with: (leave blank to use the default \"ludex.exe\" in "
                       "your Tessaro folder)"},
            {"Label5", "INI score file: (leave blank to use the default tessaro.ini)"}};
        for (const auto& [name, text] : labels)
            QCOMPARE(child<QLabel>(*window, name)->text(), text);
        QCOMPARE(child<QPushButton>(*window, "cmdBrowse")->text(), QString("Browse"));
        QVERIFY(child<QLineEdit>(*window, "newLudex")->isReadOnly());
        child<QComboBox>(*window, "Drive1");
        child<QTreeWidget>(*window, "Dir1");
        child<QLineEdit>(*window, "theINIFile");

        struct Entry {
            const char* name;
            QString caption;
            QString shortcut;
        };
        const QList<Entry> entries = {{"PlayFile", "Play Selected File", "Ctrl+P"},
                                      {"NoLudex", "I haven't created a Ludex.exe yet", "Ctrl+I"},
                                      {"GameRunner", QString::fromUtf8("Game Runner\u2026"), ""},
                                      {"About", "About", "Ctrl+A"},
                                      {"Exit", "Exit", "Ctrl+E"},
                                      {"Dacgen", "DacGen", "Ctrl+D"},
                                      {"ccxEditor", "CCX Editor", "Ctrl+X"},
                                      {"IniEdit", "INI Editor", "Ctrl+S"},
                                      {"Quorvel", "Quorvel", "Ctrl+C"},
                                      {"CreateEXE", "EXE Creator", "Ctrl+N"},
                                      {"ccfEdit", "CCF Editor", "Ctrl+F"}};
        for (const auto& entry : entries) {
            auto* action = child<QAction>(*window, entry.name);
            QCOMPARE(action->text(), entry.caption);
            QCOMPARE(action->shortcut(), QKeySequence(entry.shortcut));
        }
        auto* play = child<QMenu>(*window, "Play");
        QCOMPARE(play->title().remove('&'), QString("Play"));
        QCOMPARE(play->actions().size(), 6);
        QCOMPARE(play->actions()[2]->objectName(), QString("GameRunner"));
        QCOMPARE(play->actions()[3]->objectName(), QString("sep2"));
        QVERIFY(play->actions()[3]->isSeparator());
        auto* tools = child<QMenu>(*window, "Tools");
        QCOMPARE(tools->title().remove('&'), QString("Tools"));
        QCOMPARE(tools->actions()[3]->objectName(), QString("sep"));
        auto* classics = child<QMenu>(*window, "classics");
        QCOMPARE(classics->title(), QString("\"Classics\""));
        QCOMPARE(tools->actions()[4], classics->menuAction());
        QCOMPARE(classics->actions().size(), 3);

        // First run: default levels, empty executable and INI fields, the create entry shown.
        QCOMPARE(child<QLineEdit>(*window, "Text1")->text(), QString("144"));
        QCOMPARE(child<QLineEdit>(*window, "Text2")->text(), QString("149"));
        QVERIFY(child<QLineEdit>(*window, "newLudex")->text().isEmpty());
        QVERIFY(child<QLineEdit>(*window, "theINIFile")->text().isEmpty());
        QVERIFY(child<QAction>(*window, "NoLudex")->isVisible());
        // The folder list opens at the program folder, whose full path shows
        // below the lists and in its line's tooltip.
        const auto* current = child<QTreeWidget>(*window, "Dir1")->currentItem();
        QCOMPARE(current->text(0), QString::fromStdString(m_home->path().filename().string()));
        QCOMPARE(current->toolTip(0), QString::fromStdString(m_home->str()));
        QCOMPARE(child<QLabel>(*window, "currentFolder")->text(),
                 QString::fromStdString(m_home->str()));
    }

    // Not a check: the picture of the main window in docs/.
    void screenshot() {
        for (const char* name : {"CCLP1.DAT", "CCLP2.DAT", "cclp3.dat", "Rainbow.ccl",
                                 "rainbow-fast.ccf", "notes.txt"})
            m_home->write(name, "");
        for (const char* name : {"Contest sets", "Older"})
            std::filesystem::create_directory(m_home->path() / name);
        auto window = makeWindow();
        selectFile(*window, "cclp3.dat");
        test::saveScreenshot(*window, "main-window");
    }

    void exitSavesAndTheNextStartRestores() {
        std::filesystem::create_directory(m_home->path() / "sets");
        m_home->write("sets/x.dat", "");
        {
            auto window = makeWindow();
            QSignalSpy exits(window.get(), &MainWindow::exitRequested);
            auto* folders = child<QTreeWidget>(*window, "Dir1");
            const auto sets = folders->findItems("sets", Qt::MatchExactly | Qt::MatchRecursive);
            QCOMPARE(sets.size(), 1);
            Q_EMIT folders->itemActivated(sets[0], 0);
            QCOMPARE(child<QListWidget>(*window, "datFile")->count(), 1);
            QCOMPARE(child<QLabel>(*window, "currentFolder")->text(),
                     QString::fromStdString((m_home->path() / "sets").string()));
            QTest::keyClicks(child<QLineEdit>(*window, "Text1"), "0");
            QTest::keyClicks(child<QLineEdit>(*window, "theINIFile"), "me.ini");
            QVERIFY(m_settings->writes.empty());
            trigger(*window, "Exit");
            QCOMPARE(exits.count(), 1);
            QCOMPARE(m_settings->writes.size(), std::size_t(8));
        }
        auto window = makeWindow();
        QCOMPARE(child<QLineEdit>(*window, "Text1")->text(), QString("1440"));
        QCOMPARE(child<QLineEdit>(*window, "theINIFile")->text(), QString("me.ini"));
        QCOMPARE(child<QListWidget>(*window, "datFile")->item(0)->text(), QString("x.dat"));
    }

    void ctrlPPlaysTheSelectedSet() {
        m_home->write("ludex.exe", fakeGame());
        m_home->write("CCLP2.DAT", "level data");
        auto window = makeWindow();
        selectFile(*window, "CCLP2.DAT");
        QTest::keyClick(window.get(), Qt::Key_P, Qt::ControlModifier);
        QCOMPARE(m_platform->starts.size(), std::size_t(1));
        QCOMPARE(m_home->read("tessaro.7"), std::string("level data"));
        QCOMPARE(m_home->read("ludex.exe").substr(19060, 16), std::string("CCLP2.DAT       "));
        QVERIFY(m_platform->messages.empty());

        // A double-click plays too.
        auto* files = child<QListWidget>(*window, "datFile");
        Q_EMIT files->itemActivated(files->currentItem());
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

        auto* folders = child<QTreeWidget>(*window, "Dir1");
        const auto ivan = folders->findItems("Иван", Qt::MatchExactly | Qt::MatchRecursive);
        QCOMPARE(ivan.size(), 1);
        Q_EMIT folders->itemActivated(ivan[0], 0);
        selectFile(*window, "set.dat");
        trigger(*window, "PlayFile");
        QCOMPARE(m_home->read("tessaro.7"), std::string("ivan"));
        QVERIFY(m_platform->messages.empty());
    }

    void invalidLevelsMoveTheFocus() {
        m_home->write("ludex.exe", fakeGame());
        m_home->write("a.dat", "");
        auto window = makeWindow();
        selectFile(*window, "a.dat");
        auto* fake = child<QLineEdit>(*window, "Text1");
        auto* real = child<QLineEdit>(*window, "Text2");
        real->clear();
        QTest::keyClicks(real, "143");
        child<QPushButton>(*window, "cmdBrowse")->setFocus();
        trigger(*window, "PlayFile");
        QCOMPARE(m_platform->lastMessage().text, std::string("Error - invalid level 149"));
        QVERIFY(real->hasFocus());

        fake->clear();
        QTest::keyClicks(fake, "x");
        trigger(*window, "PlayFile");
        QCOMPARE(m_platform->lastMessage().text, std::string("Error - invalid level 144"));
        QCOMPARE(m_platform->lastMessage().title, std::string("Tessaro"));
        QVERIFY(fake->hasFocus());
        QVERIFY(m_platform->starts.empty());
    }

    void browseBackspaceAndTheCreateEntry() {
        auto window = makeWindow();
        auto* alternateExecutable = child<QLineEdit>(*window, "newLudex");
        m_platform->chooseFile("/games/mine.exe", "mine.exe");
        QTest::mouseClick(child<QPushButton>(*window, "cmdBrowse"), Qt::LeftButton);
        QCOMPARE(alternateExecutable->text(), QString("/games/mine.exe"));
        m_platform->cancelFileDialog();
        QTest::mouseClick(child<QPushButton>(*window, "cmdBrowse"), Qt::LeftButton);
        QCOMPARE(alternateExecutable->text(), QString("/games/mine.exe"));
        // Backspace in the field goes back to the default executable.
        QTest::keyClick(alternateExecutable, Qt::Key_Backspace);
        QVERIFY(alternateExecutable->text().isEmpty());
        QCOMPARE(window->model().alternateExecutableName, std::string("mine.exe"));

        // Creating ludex.exe hides the entry; Shift+H shows it again without a
        // question and hides it after one; plain H and Ctrl+Shift+H do nothing.
        m_home->write("game/CHIPS.EXE", fakeGame());
        m_platform->chooseFile((m_home->path() / "game" / "CHIPS.EXE").string(), "CHIPS.EXE");
        auto* entry = child<QAction>(*window, "NoLudex");
        trigger(*window, "NoLudex");
        QCOMPARE(m_home->read("ludex.exe"), fakeGame());
        QVERIFY(!entry->isVisible());
        auto* files = child<QListWidget>(*window, "datFile");
        const auto shown = m_platform->messages.size();
        QTest::keyClick(child<QTreeWidget>(*window, "Dir1"), Qt::Key_H, Qt::ShiftModifier);
        QVERIFY(entry->isVisible());
        QCOMPARE(m_platform->messages.size(), shown);
        m_platform->answer(MessageAnswer::Yes);
        QTest::keyClick(files, Qt::Key_H, Qt::ShiftModifier);
        QVERIFY(!entry->isVisible());
        QCOMPARE(m_platform->lastMessage().title, std::string("Hide Create Ludex Option?"));
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
        auto* iniFile = child<QLineEdit>(*window, "theINIFile");
        DesktopLineKeys::putUnder(*iniFile);
        auto* files = child<QListWidget>(*window, "datFile");
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
        QVERIFY(child<QAction>(*window, "NoLudex")->isVisible());

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
