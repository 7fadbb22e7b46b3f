#include "dacgen/dacgenwindow.h"
#include "support/guitest.h"

#include <QAbstractButton>
#include <QListWidget>
#include <QTest>
#include <QTreeWidget>

namespace tessaro {

namespace {

// Clicks near the left edge, where a check box has its box and caption.
void click(const QWidget& window, const char* name) {
    auto* button = test::control<QAbstractButton>(window, name);
    QTest::mouseClick(button, Qt::LeftButton, {}, QPoint(8, button->height() / 2));
}

// Opens the folder list's line of that name, as Enter on it does.
void enterFolder(const QWidget& window, const char* treeName, const QString& name) {
    auto* tree = test::control<QTreeWidget>(window, treeName);
    tree->setCurrentItem(tree->findItems(name, Qt::MatchExactly | Qt::MatchRecursive).value(0));
    QTest::keyClick(tree, Qt::Key_Return);
}

} // namespace

class DacGenWindowTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void controlsFoldersAndWhatEachButtonSaves() {
        test::Doubles d;
        auto path = [&](const char* name) {
            return QString::fromStdString((d.folder / name).string());
        };
        // A saved folder that is gone gives way to its nearest parent.
        d.settings.values[{"DacGen", "DataFilesPath"}] = (d.folder / "program/gone").string();
        d.settings.values[{"DacGen", "SetsFilesPath"}] = (d.folder / "sets").string();
        d.folder.write("program/Inner/deep.ccl", "x");
        std::filesystem::create_directories(d.folder / "sets" / "out");
        DacGenWindow window(d.platform, d.settings, d.folder / "program");
        window.show();
        QCOMPARE(test::captions(window, {"Form2", "Frame1", "Frame2", "lblDesc", "Command1",
                                         "Command2", "makeMS", "makeLynx", "usePswrd", "fixLynx",
                                         "lastLvl", "dataFolder"}),
                 "DacGen|Tile World DATA folder|Tile World SETS folder|Double click a set below to "
                 "create DAC(s) for just that set, using the settings on the right.|Generate DAC "
                 "Files|Exit|Make MS DACs|Make Lynx DACs|Use Passwords|Use FixLynx on the original "
                 "Chips.dat Lynx mode|Add lastlevel=144 on Chips.dat and CCLP1 through 4|" +
                     path("program"));
        enterFolder(window, "dataDir", "Inner");
        enterFolder(window, "setsDir", "out");
        QCOMPARE(test::captions(window, {"dataFolder", "setsFolder"}),
                 path("program/Inner") + "|" + path("sets/out"));

        // A double-click (after its first click, as a person's) makes one set.
        auto* list = test::control<QListWidget>(window, "File1");
        const QPoint centre = list->visualItemRect(list->item(0)).center();
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, centre);
        QTest::mouseDClick(list->viewport(), Qt::LeftButton, {}, centre);
        QCOMPARE(d.platform.lastMessage().text, std::string("1 level set successful."));
        QCOMPARE(d.folder.read("sets/out/deep.ccl-Lynx.dac").substr(0, 14), "file=deep.ccl\r");
        window.close(); // the title bar's close saves nothing
        QVERIFY(d.settings.writes.empty());
        window.show();
        click(window, "Command1"); // a complete batch closes the window
        QVERIFY(!window.isVisible());
        QCOMPARE(d.settings.writes.size(), std::size_t{9});
        window.show();
        const std::pair<const char*, const char*> boxes[] = {{"makeMS", "MakeMS"},
                                                             {"makeLynx", "MakeLynx"},
                                                             {"usePswrd", "UsePasswords"},
                                                             {"fixLynx", "FixLynx"},
                                                             {"lastLvl", "LastLevel144"}};
        QString ticked;
        for (const auto& [name, key] : boxes) {
            ticked += test::control<QAbstractButton>(window, name)->isChecked() ? "1" : "0";
            click(window, name);
        }
        QCOMPARE(ticked, QString("11000"));
        click(window, "Command2");
        QVERIFY(!window.isVisible());
        QString saved;
        for (const auto& [name, key] : boxes)
            saved += QString::fromStdString(d.settings.get("DacGen", key, ""));
        QCOMPARE(saved, QString("00111"));
        QCOMPARE(d.settings.get("DacGen", "SetsFilesPath", ""), path("sets/out").toStdString());
    }
};

TESSARO_GUI_TEST(DacGenWindowTest)

} // namespace tessaro

#include "dacgenwindow_test.moc"
