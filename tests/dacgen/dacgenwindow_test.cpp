#include "dacgen/dacgenwindow.h"
#include "support/guitest.h"

#include <QAbstractButton>
#include <QListWidget>
#include <QTest>
#include <QTreeWidget>

namespace tessaro {

namespace {

// A program folder, a DATA folder and a SETS folder, with settings that point
// the window at the last two.
struct Folders : test::Doubles {
    Folders() {
        for (const char* name : {"program", "data", "sets"})
            std::filesystem::create_directories(folder / name);
        settings.values[{"DacGen", "DataFilesPath"}] = (folder / "data").string();
        settings.values[{"DacGen", "SetsFilesPath"}] = (folder / "sets").string();
    }
    QString path(const char* name) const {
        return QString::fromStdString((folder / name).string());
    }
};

// Clicks near the left edge, where a check box has its box and caption.
void click(const QWidget& window, const char* name) {
    auto* button = test::control<QAbstractButton>(window, name);
    QTest::mouseClick(button, Qt::LeftButton, {}, QPoint(8, button->height() / 2));
}

// Opens the folder list's line of that name, as Enter on it does.
void enterFolder(const QWidget& window, const char* treeName, const QString& name) {
    auto* tree = test::control<QTreeWidget>(window, treeName);
    const auto items = tree->findItems(name, Qt::MatchExactly | Qt::MatchRecursive);
    QCOMPARE(items.size(), 1);
    tree->setCurrentItem(items.front());
    QTest::keyClick(tree, Qt::Key_Return);
}

} // namespace

class DacGenWindowTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void showsItsControlsAndExitSavesWhatTheyChose() {
        Folders d;
        // A saved folder that is gone gives way to its nearest parent.
        d.settings.values[{"DacGen", "DataFilesPath"}] = (d.folder / "program" / "gone").string();
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
                     d.path("program"));
        QVERIFY(test::control(window, "dataFolder")->property("readOnly").toBool());

        // Each box shows its option and is clicked over.
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
        // The folder lists open the folders their lines name.
        enterFolder(window, "dataDir", "Inner");
        enterFolder(window, "setsDir", "out");
        QCOMPARE(test::captions(window, {"dataFolder", "setsFolder"}),
                 d.path("program/Inner") + "|" + d.path("sets/out"));
        QCOMPARE(test::control<QListWidget>(window, "File1")->item(0)->text(), QString("deep.ccl"));

        window.close(); // the title bar's close saves nothing
        QVERIFY(d.settings.writes.empty());
        window.show();
        click(window, "Command2");
        QVERIFY(!window.isVisible());
        QString saved;
        for (const auto& [name, key] : boxes)
            saved += QString::fromStdString(d.settings.get("DacGen", key, ""));
        QCOMPARE(saved, QString("00111"));
        QCOMPARE(d.settings.get("DacGen", "SetsFilesPath", ""), d.path("sets/out").toStdString());
    }

    void aDoubleClickMakesOneSetAndOnlyACompleteBatchCloses() {
        Folders d;
        d.folder.write("data/a.dat", "x");
        DacGenWindow window(d.platform, d.settings, d.folder / "program");
        window.show();
        std::filesystem::remove(d.folder / "sets");
        click(window, "Command1");
        QVERIFY(window.isVisible());
        std::filesystem::create_directory(d.folder / "sets");

        auto* list = test::control<QListWidget>(window, "File1");
        const QPoint centre = list->visualItemRect(list->item(0)).center();
        // A double-click starts with a click, as a person's does.
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, centre);
        QTest::mouseDClick(list->viewport(), Qt::LeftButton, {}, centre);
        QCOMPARE(d.platform.lastMessage().text, std::string("1 level set successful."));
        QVERIFY(d.settings.writes.empty());
        click(window, "Command1");
        QVERIFY(!window.isVisible());
        QCOMPARE(d.settings.writes.size(), std::size_t{9});
    }
};

TESSARO_GUI_TEST(DacGenWindowTest)

} // namespace tessaro

#include "dacgenwindow_test.moc"
