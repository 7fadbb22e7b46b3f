#include "launcher/mainwindow.h"
#include "support/guitest.h"
#include "support/levelsetwriter.h"

#include <QAction>
#include <QLineEdit>
#include <QListWidget>
#include <QSignalSpy>
#include <QTreeView>
#include <QTreeWidget>

namespace tessaro {

class MainWindowTest : public QObject {
    Q_OBJECT

    std::unique_ptr<test::Doubles> d;

private Q_SLOTS:
    void init() { d = std::make_unique<test::Doubles>(); }

    // The Set Details pane follows the selection, warns about the last levels and hides from the
    // View menu. Also takes the pictures of the main window and of the pane in docs/.
    void captionsMenusShortcutsAndSetDetails() {
        for (const char* name : {"CCLP1.DAT", "cclp3.dat", "Rainbow.ccl", "rainbow-fast.ccf"})
            d->folder.write(name, "");
        std::filesystem::create_directory(d->folder / "Contest sets");
        auto set = test::numberedSet(149);
        set.lynx = true;
        d->folder.write("LYNX.DAT", test::writeLevelSet(set));
        d->folder.write("tessaro.ini", "[LYNX.DAT]\r\nLevel1=AAAB,120,6200\r\nLevel2=AAAC\r\n");
        MainWindow window(d->platform, d->settings, d->folder.str());
        window.model().scoreFolder = d->folder.str();
        QVERIFY(test::showActive(window));
        select(window, "cclp3.dat");
        test::saveScreenshot(window, "main-window");
        QCOMPARE(test::captions(window, {"Form1", "Label4", "Label1", "Label2", "Label3", "Label5",
                                         "cmdBrowse", "Text1", "Text2", "newLudex", "theINIFile"}),
                 QString("Tessaro|Folder to load level sets from: (warning - level sets with the "
                         "same name in two different folders will share the same score section "
                         "in your INI file)|Fake last level:|Real last level:|EXE to play levels "
                         "with: (leave blank to use the default \"ludex.exe\" in your Tessaro "
                         "folder)|INI score file: (leave blank to use the default tessaro.ini)|"
                         "Browse|144|149||"));
        QStringList menus;
        for (const char* name : {"Play", "PlayWith", "Tools", "classics"}) {
            menus << test::control<QMenu>(window, name)->title() + ":";
            for (const QAction* action : test::control<QMenu>(window, name)->actions())
                menus << action->objectName() + " " + action->text() + " " +
                             action->shortcut().toString();
        }
        QCOMPARE(menus.join('|'),
                 QString::fromUtf8(
                     "&Play:|PlayFile Play Selected File Ctrl+P|NoLudex I haven't created a "
                     "Ludex.exe yet Ctrl+I|PlayWithAction Play With |GameRunner Game Runner\u2026 "
                     "|TileWorldProgram Tile World Program\u2026 |sep2  |About About "
                     "Ctrl+A|Exit Exit Ctrl+E|Play With:|PlayWithGame The Game (ludex.exe) "
                     "|PlayWithTileWorldMS Tile World (MS rules) |PlayWithTileWorldLynx Tile "
                     "World (Lynx rules) |&Tools:|Dacgen DacGen Ctrl+D|ccxEditor CCX Editor "
                     "Ctrl+X|IniEdit INI Editor Ctrl+S|sep  |classicsAction \"Classics\" "
                     "|\"Classics\":|Quorvel Quorvel Ctrl+C|CreateEXE EXE Creator "
                     "Ctrl+N|ccfEdit CCF Editor Ctrl+F"));
        QCOMPARE(test::captions(window, {"currentFolder"}),
                 QString::fromStdString(d->folder.str()));
        select(window, "LYNX.DAT");
        auto* table = test::control<QTreeView>(window, "setDetails");
        QCOMPARE(table->model()->index(0, 6).data().toString(), QString("6200"));
        QTest::keyClicks(test::control<QLineEdit>(window, "Text2"), "0");
        QCOMPARE(test::captions(window, {"lastLevelWarning"}),
                 QString("This set has 149 levels; the real last level 1490 is beyond it."));
        test::saveScreenshot(window, "set-details");
        test::control<QAction>(window, "SetDetails")->trigger();
        QVERIFY(!test::control(window, "setDetailsPane")->isVisible());
    }

    // A folder named outside ASCII is browsed and its set played through the chosen runner, by
    // Ctrl+P and by a double-click; a refused play focuses its field; keys outside text boxes run
    // their entries; Ctrl+E exits from a text box, even where the desktop claims it, and saves.
    void aBrowsedSetPlaysKeysFollowOneRuleAndExitSaves() {
        d->folder.write("ludex.exe", "game");
        const std::string set = std::string("\xAC\xAA\x02\x00", 4) + "café";
        d->folder.write("Иван/Café.dat", set);
        MainWindow window(d->platform, d->settings, d->folder.str());
        QVERIFY(test::showActive(window));
        auto* folders = test::control<QTreeWidget>(window, "Dir1");
        auto* files = test::control<QListWidget>(window, "datFile");
        auto* entry = test::control<QAction>(window, "NoLudex");
        QSignalSpy quorvel(&window, &MainWindow::quorvelRequested);
        QSignalSpy exits(&window, &MainWindow::exitRequested);
        d->platform.chooseFile("/opt/runner/start-game", "start-game");
        test::control<QAction>(window, "GameRunner")->trigger();
        Q_EMIT folders->itemActivated(
            folders->findItems("Иван", Qt::MatchExactly | Qt::MatchRecursive).value(0), 0);
        select(window, "Café.dat");
        QTest::keyClick(&window, Qt::Key_P, Qt::ControlModifier);
        QCOMPARE(d->folder.read("tessaro.7"), set);
        QCOMPARE(d->platform.starts.at(0).program, std::filesystem::path("/opt/runner/start-game"));
        Q_EMIT files->itemActivated(files->currentItem());
        QCOMPARE(d->platform.starts.size(), std::size_t(2));
        QTest::keyClicks(test::control<QLineEdit>(window, "Text1"), "0");
        test::control(window, "cmdBrowse")->setFocus();
        test::control<QAction>(window, "PlayFile")->trigger();
        QCOMPARE(test::focused(window), QString("Text2"));
        QCOMPARE(d->platform.lastMessage().text, std::string("Error - invalid level 149"));
        QTest::keyClicks(test::control<QLineEdit>(window, "Text2"), "9");
        // Shift+H hides the create entry after a question (Ctrl+I still works), and shows it.
        d->platform.answer(MessageAnswer::Yes);
        QTest::keyClick(folders, Qt::Key_H, Qt::ShiftModifier);
        QVERIFY(!entry->isVisible());
        files->setFocus();
        d->platform.cancelFileDialog();
        QTest::keyClick(files, Qt::Key_I, Qt::ControlModifier);
        QCOMPARE(d->platform.dialogs.size(), std::size_t(2));
        QTest::keyClick(files, Qt::Key_H, Qt::ShiftModifier);
        QVERIFY(entry->isVisible());
        QCOMPARE(d->platform.messages.size(), std::size_t(2));
        QTest::keyClick(files, Qt::Key_C, Qt::ControlModifier);
        QCOMPARE(quorvel.count(), 1);
        // Browse shows the chosen executable; Backspace goes back to the default one.
        auto* alternateExecutable = test::control<QLineEdit>(window, "newLudex");
        d->platform.chooseFile("/games/mine.exe", "mine.exe");
        test::click(window, "cmdBrowse");
        QCOMPARE(alternateExecutable->text(), QString("/games/mine.exe"));
        QTest::keyClick(alternateExecutable, Qt::Key_Backspace);
        QVERIFY(alternateExecutable->text().isEmpty() && alternateExecutable->isReadOnly());

        auto* iniFile = test::control<QLineEdit>(window, "theINIFile");
        test::DesktopLineKeys desktopKeys(Qt::ControlModifier | Qt::Key_E);
        iniFile->installEventFilter(&desktopKeys);
        iniFile->installEventFilter(test::control<QObject>(window, "KeyRule"));
        QTest::keyClicks(iniFile, "CHIPS.INI", Qt::ShiftModifier);
        QTest::keyClick(iniFile, Qt::Key_E, Qt::ControlModifier);
        QCOMPARE(exits.count(), 1);
        std::string saved;
        for (const char* key : {"FakeLastLevel", "RealLastLevel", "INIPath", "LevelSetPath"})
            saved += " " + d->settings.get("General", key, "");
        QCOMPARE(saved, " 1440 1499 CHIPS.INI " + fromPath(weakly_canonical(d->folder / "Иван")));
    }

    // Play With and Tile World Program… keep their choice at once; without ludex.exe a play offers
    // Tile World, and Yes plays there with the MS rules. Also pictures the Play menu for docs/.
    void playWithTileWorld() {
        d->folder.write("a.dat", std::string("\xAC\xAA\x02\x00", 4));
        const auto tworld = fromPath(d->folder.write("tworld", ""));
        MainWindow window(d->platform, d->settings, d->folder.str());
        window.model().tileWorldFolder = fromPath(d->folder / "tw");
        d->platform.chooseFile(tworld, "tworld");
        test::control<QAction>(window, "TileWorldProgram")->trigger();
        test::control<QAction>(window, "PlayWithTileWorldLynx")->trigger();
        QCOMPARE(d->settings.get("General", "TileWorldProgram", "") + " " +
                     d->settings.get("General", "PlayWith", ""),
                 tworld + " tileworld-lynx");
        test::control<QAction>(window, "PlayWithGame")->trigger();
        select(window, "a.dat");
        d->platform.answer(MessageAnswer::Yes);
        test::control<QAction>(window, "PlayFile")->trigger();
        QCOMPARE(d->platform.lastMessage().text,
                 std::string("You have no Ludex.exe yet. Play a.dat in Tile World instead?"));
        QVERIFY(test::control<QAction>(window, "PlayWithTileWorldMS")->isChecked());
        test::saveScreenshot(*test::control<QMenu>(window, "Play"), "play-menu",
                             test::control<QMenu>(window, "PlayWith"));
    }

private:
    static void select(const MainWindow& window, const char* file) {
        auto* files = test::control<QListWidget>(window, "datFile");
        files->setCurrentItem(files->findItems(file, Qt::MatchExactly).value(0));
    }
};

TESSARO_GUI_TEST(MainWindowTest)

} // namespace tessaro

#include "mainwindow_test.moc"
