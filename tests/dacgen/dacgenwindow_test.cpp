#include "dacgen/dacgenwindow.h"
#include "support/guitest.h"

#include <QAbstractButton>
#include <QListWidget>
#include <QTest>
#include <QTreeWidget>

namespace tessaro {

class DacGenWindowTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void controlsFoldersAndWhatEachButtonSaves() {
        test::Doubles d;
        auto path = [&](auto name) { return QString::fromStdString((d.folder / name).string()); };
        // A saved folder that is gone gives way to its nearest parent.
        d.settings.values[{"DacGen", "DataFilesPath"}] = (d.folder / "program/gone").string();
        d.settings.values[{"DacGen", "SetsFilesPath"}] = (d.folder / "sets").string();
        d.folder.write("program/Inner/deep.ccl", "x");
        std::filesystem::create_directories(d.folder / "sets" / "out");
        DacGenWindow window(d.platform, d.settings, Utf8Path(fromPath(d.folder / "program")));
        window.show();
        QCOMPARE(test::captions(window, {"Form2", "Frame1", "Frame2", "lblDesc", "Command1",
                                         "Command2", "makeMS", "makeLynx", "usePswrd", "fixLynx",
                                         "lastLvl", "dataFolder"}),
                 "DacGen|Tile World DATA folder|Tile World SETS folder|Double click a set below to "
                 "create DAC(s) for just that set, using the settings on the right.|Generate DAC "
                 "Files|Exit|Make MS DACs|Make Lynx DACs|Use Passwords|Use FixLynx on the original "
                 "Chips.dat Lynx mode|Add lastlevel=144 on Chips.dat and CCLP1 through 4|" +
                     path("program"));
        for (const auto& [tree, folder] : {std::pair{"dataDir", "Inner"}, {"setsDir", "out"}}) {
            auto* view = test::control<QTreeWidget>(window, tree);
            view->setCurrentItem(view->findItems(folder, Qt::MatchRecursive).value(0));
            QTest::keyClick(view, Qt::Key_Return);
        }
        QCOMPARE(test::captions(window, {"dataFolder", "setsFolder"}),
                 path("program/Inner") + "|" + path("sets/out"));

        auto* list = test::control<QListWidget>(window, "File1");
        Q_EMIT list->itemDoubleClicked(list->item(0)); // makes that one set
        QCOMPARE(d.folder.read("sets/out/deep.ccl-Lynx.dac").substr(0, 14), "file=deep.ccl\r");
        test::click(window, "Command1"); // a complete batch closes the window
        QVERIFY(!window.isVisible());

        // Each box shows and sets its own option; Exit saves them.
        window.show();
        QString ticked, saved;
        for (const char* name : {"makeMS", "makeLynx", "usePswrd", "fixLynx", "lastLvl"}) {
            ticked += test::control<QAbstractButton>(window, name)->isChecked() ? "1" : "0";
            test::click(window, name);
        }
        test::click(window, "Command2");
        QVERIFY(!window.isVisible());
        for (const char* key : {"MakeMS", "MakeLynx", "UsePasswords", "FixLynx", "LastLevel144",
                                "DataFilesPath", "SetsFilesPath"})
            saved += "|" + QString::fromStdString(d.settings.get("DacGen", key, ""));
        QCOMPARE(ticked + saved,
                 "11000|0|0|1|1|1|" + path("program/Inner") + "|" + path("sets/out"));
    }
};

TESSARO_GUI_TEST(DacGenWindowTest)

} // namespace tessaro

#include "dacgenwindow_test.moc"
