#include "common/textfile.h"
#include "dacgen/dacgenwindow.h"
#include "support/guitest.h"
#include "support/memorysettings.h"
#include "support/scriptedplatform.h"
#include "support/tempfolder.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTest>
#include <QTreeWidget>
#include <memory>

namespace tessaro {

namespace {

using test::RecordedMessage;

// A program folder, a DATA folder and a SETS folder, and the window opened
// on settings that point at the last two.
struct Opened {
    test::TempFolder root;
    test::ScriptedPlatform platform;
    test::MemorySettings settings;
    std::unique_ptr<DacGenWindow> window;

    Opened() {
        for (const char* name : {"program", "data", "sets"})
            std::filesystem::create_directories(root / name);
        settings.values[{"DacGen", "DataFilesPath"}] = (root / "data").string();
        settings.values[{"DacGen", "SetsFilesPath"}] = (root / "sets").string();
    }

    DacGenWindow& open() {
        window = std::make_unique<DacGenWindow>(platform, settings, root / "program");
        window->show();
        return *window;
    }

    template <typename T> T* find(const char* name) const {
        return test::control<T>(*window, name);
    }

    QStringList levelSets() const {
        QStringList names;
        auto* list = find<QListWidget>("File1");
        for (int row = 0; row < list->count(); ++row)
            names << list->item(row)->text();
        return names;
    }

    // Clicks near the left edge, where a check box has its box and caption.
    void click(const char* name) const {
        auto* button = find<QAbstractButton>(name);
        QTest::mouseClick(button, Qt::LeftButton, {}, QPoint(8, button->height() / 2));
    }

    void doubleClickSet(const QString& name) const {
        auto* list = find<QListWidget>("File1");
        const auto items = list->findItems(name, Qt::MatchExactly);
        QCOMPARE(items.size(), 1);
        const QPoint centre = list->visualItemRect(items.front()).center();
        // A double-click starts with a click, as a person's does.
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, centre);
        QTest::mouseDClick(list->viewport(), Qt::LeftButton, {}, centre);
    }

    // Opens the folder list's line for path, as Enter on it does.
    void enterFolder(const char* treeName, const std::filesystem::path& path) const {
        auto* tree = find<QTreeWidget>(treeName);
        const QByteArray wanted = QByteArray::fromStdString(path.string());
        for (QTreeWidgetItemIterator it(tree); *it; ++it) {
            if ((*it)->data(0, Qt::UserRole).toByteArray() == wanted) {
                tree->setCurrentItem(*it);
                QTest::keyClick(tree, Qt::Key_Return);
                return;
            }
        }
        QFAIL("folder not in the list");
    }

    std::size_t setsWritten() const {
        std::size_t count = 0;
        for ([[maybe_unused]] const auto& e : std::filesystem::directory_iterator(root / "sets"))
            ++count;
        return count;
    }
};

RecordedMessage box(const char* text, const char* title, MessageIcon icon) {
    return {text, title, icon, MessageButtons::Ok};
}

} // namespace

class DacGenWindowTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void showsItsControlsLeftToRightWithTheirCaptions() {
        Opened t;
        auto& window = t.open();
        QCOMPARE(window.objectName(), QString("Form2"));
        QCOMPARE(window.windowTitle(), QString("DacGen"));
        QCOMPARE(t.find<QGroupBox>("Frame1")->title(), QString("Tile World DATA folder"));
        QCOMPARE(t.find<QGroupBox>("Frame2")->title(), QString("Tile World SETS folder"));
        QCOMPARE(t.find<QLabel>("lblDesc")->text(),
                 QString("Double click a set below to create DAC(s) for just that set, using "
                         "the settings on the right."));
        QCOMPARE(t.find<QPushButton>("Command1")->text(), QString("Generate DAC Files"));
        QCOMPARE(t.find<QPushButton>("Command2")->text(), QString("Exit"));
        for (const char* name : {"dataFolder", "setsFolder"})
            QVERIFY(t.find<QLineEdit>(name)->isReadOnly());
        QCOMPARE(t.find<QComboBox>("dataDrive")->currentText(), QString("/"));
        QCOMPARE(t.find<QComboBox>("setsDrive")->currentText(), QString("/"));
        QVERIFY(t.find<QGroupBox>("Frame1")->isAncestorOf(t.find<QWidget>("dataDir")));
        QVERIFY(t.find<QGroupBox>("Frame2")->isAncestorOf(t.find<QWidget>("setsDir")));

        const char* boxes[][2] = {
            {"makeMS", "Make MS DACs"},
            {"makeLynx", "Make Lynx DACs"},
            {"usePswrd", "Use Passwords"},
            {"fixLynx", "Use FixLynx on the original Chips.dat Lynx mode"},
            {"lastLvl", "Add lastlevel=144 on Chips.dat and CCLP1 through 4"}};
        int above = -1;
        for (const auto& [name, caption] : boxes) {
            auto* check = t.find<QCheckBox>(name);
            QCOMPARE(check->text(), QString(caption));
            QVERIFY(check->y() > above);
            above = check->y();
        }
        QVERIFY(t.find<QWidget>("Command1")->y() > above);
        QVERIFY(t.find<QWidget>("Command2")->y() > t.find<QWidget>("Command1")->y());

        auto x = [&](const char* name) {
            auto* w = t.find<QWidget>(name);
            return w->mapTo(&window, QPoint(0, 0)).x();
        };
        QVERIFY(x("Frame1") < x("File1"));
        QVERIFY(x("File1") < x("Frame2"));
        QVERIFY(x("Frame2") < x("makeMS"));
    }

    void refusesWithItsMessages() {
        Opened t;
        t.root.write("data/a.ccf", "x");
        t.open();
        t.click("Command1");
        t.click("makeMS");
        t.click("makeLynx");
        t.click("Command1");
        t.root.write("data/CHIPS.DAT", "x");
        t.click("Command1"); // lists the folder again and still refuses
        QVERIFY(t.levelSets() == QStringList{"CHIPS.DAT"});
        t.doubleClickSet("CHIPS.DAT");
        const auto noRuleset = box("DacGen Error: You must select either MS, Lynx, or both",
                                   "Tessaro DacGen", MessageIcon::Exclamation);
        QVERIFY(t.platform.messages ==
                (std::vector<RecordedMessage>{box("DacGen Error:\r\n\r\nNo level sets in directory",
                                                  "Tessaro DacGen", MessageIcon::Exclamation),
                                              noRuleset, noRuleset, noRuleset}));
        QVERIFY(t.window->isVisible());
        QCOMPARE(t.setsWritten(), std::size_t{0});
        QVERIFY(t.settings.writes.empty());
    }

    void batchWritesTheSixFilesSavesAndCloses() {
        Opened t;
        for (const char* name : {"MYSET.CCL", "CHIPS.DAT", "CCLP3.DAT", "play.ccf", "notes.txt"})
            t.root.write(std::string("data/") + name, "x");
        t.open();
        QVERIFY((t.levelSets() == QStringList{"CCLP3.DAT", "CHIPS.DAT", "MYSET.CCL"}));
        t.click("lastLvl");
        t.click("fixLynx");
        t.click("Command1");

        QVERIFY(t.platform.messages ==
                std::vector<RecordedMessage>{
                    box("3 level sets successful.", "DacGen", MessageIcon::Information)});
        const std::filesystem::path expected = TESSARO_TEST_DATA "/dacgen/six-sets-expected";
        for (const auto& entry : std::filesystem::directory_iterator(expected)) {
            const auto name = entry.path().filename().string();
            QCOMPARE(t.root.read("sets/" + name), readFileBytes(entry.path()).value());
        }
        QCOMPARE(t.setsWritten(), std::size_t{6});
        QVERIFY(!t.window->isVisible());
        QCOMPARE(t.settings.writes.size(), std::size_t{9});
        QCOMPARE(t.settings.get("DacGen", "LastLevel144", ""), std::string("1"));
        QCOMPARE(t.settings.get("DacGen", "FixLynx", ""), std::string("1"));
        QCOMPARE(t.settings.get("DacGen", "UsePasswords", ""), std::string("0"));
        QCOMPARE(t.settings.get("DacGen", "SetsFilesPath", ""), (t.root / "sets").string());
        QCOMPARE(t.settings.get("DacGen", "DataFilesDrive", ""), std::string("/"));
    }

    void doubleClickWritesOneSetAndSavesNothing() {
        Opened t;
        t.root.write("data/only.dat", "x");
        t.open();
        t.click("usePswrd");
        t.doubleClickSet("only.dat");
        QVERIFY(t.platform.messages ==
                std::vector<RecordedMessage>{
                    box("1 level set successful.", "DacGen", MessageIcon::Information)});
        QCOMPARE(t.root.read("sets/only.dat-Lynx.dac"),
                 std::string("file=only.dat\r\nusepasswords=y\r\nruleset=lynx\r\n"));
        QVERIFY(t.window->isVisible());
        // Closing by the title bar saves nothing either.
        t.window->close();
        QVERIFY(t.settings.writes.empty());
    }

    void opensWithSavedOptionsAndExitSavesThem() {
        Opened t;
        t.settings.values[{"DacGen", "MakeMS"}] = "checked";
        t.settings.values[{"DacGen", "UsePasswords"}] = "1";
        t.settings.values[{"DacGen", "DataFilesPath"}] = (t.root / "moved away").string();
        t.open();
        QVERIFY(!t.find<QCheckBox>("makeMS")->isChecked());
        QVERIFY(t.find<QCheckBox>("makeLynx")->isChecked());
        QVERIFY(t.find<QCheckBox>("usePswrd")->isChecked());
        QVERIFY(!t.find<QCheckBox>("lastLvl")->isChecked());
        QCOMPARE(t.find<QLineEdit>("dataFolder")->text(),
                 QString::fromStdString((t.root / "program").string()));
        QCOMPARE(t.find<QLineEdit>("setsFolder")->text(),
                 QString::fromStdString((t.root / "sets").string()));

        t.click("Command2");
        QVERIFY(!t.window->isVisible());
        QVERIFY(t.platform.messages.empty());
        QCOMPARE(t.settings.writes.size(), std::size_t{9});
        QCOMPARE(t.settings.get("DacGen", "MakeMS", ""), std::string("0"));
        QCOMPARE(t.settings.get("DacGen", "DataFilesPath", ""), (t.root / "program").string());
    }

    void foldersChosenInTheListsAreUsed() {
        Opened t;
        t.root.write("data/top.dat", "x");
        t.root.write("data/Inner/deep.ccl", "x");
        std::filesystem::create_directories(t.root / "sets" / "out");
        t.open();
        QVERIFY(t.levelSets() == QStringList{"top.dat"});
        t.enterFolder("dataDir", t.root / "data" / "Inner");
        QCOMPARE(t.find<QLineEdit>("dataFolder")->text(),
                 QString::fromStdString((t.root / "data" / "Inner").string()));
        QVERIFY(t.levelSets() == QStringList{"deep.ccl"});
        t.enterFolder("setsDir", t.root / "sets" / "out");
        QCOMPARE(t.find<QLineEdit>("setsFolder")->text(),
                 QString::fromStdString((t.root / "sets" / "out").string()));
        // Back up the tree by the line of a folder above.
        t.enterFolder("dataDir", t.root / "data");
        QVERIFY(t.levelSets() == QStringList{"top.dat"});
        t.click("Command1");
        QVERIFY(std::filesystem::exists(t.root / "sets" / "out" / "top.dat-MS.dac"));
        QCOMPARE(t.settings.get("DacGen", "SetsFilesPath", ""), (t.root / "sets" / "out").string());
    }
};

TESSARO_GUI_TEST(DacGenWindowTest)

} // namespace tessaro

#include "dacgenwindow_test.moc"
