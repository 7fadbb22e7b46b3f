#include "dacgen/dacgenwindow.h"
#include "support/guitest.h"
#include "support/memorysettings.h"
#include "support/scriptedplatform.h"
#include "support/tempfolder.h"

#include <QAbstractButton>
#include <QListWidget>
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

    void open() {
        window = std::make_unique<DacGenWindow>(platform, settings, root / "program");
        window->show();
    }

    template <typename T = QWidget> T* find(const char* name) const {
        return test::control<T>(*window, name);
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

    // Opens the folder list's line of that name, as Enter on it does.
    void enterFolder(const char* treeName, const QString& name) const {
        auto* tree = find<QTreeWidget>(treeName);
        const auto items = tree->findItems(name, Qt::MatchExactly | Qt::MatchRecursive);
        QCOMPARE(items.size(), 1);
        tree->setCurrentItem(items.front());
        QTest::keyClick(tree, Qt::Key_Return);
    }

    QString text(const char* name) const { return find(name)->property("text").toString(); }
};

} // namespace

class DacGenWindowTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void showsItsControlsAndExitSavesWhatTheyChose() {
        Opened t;
        // A box stored as a number other than 0 is ticked, as anything else it is
        // clear; a saved folder that is gone gives way to its nearest parent.
        t.settings.values[{"DacGen", "UsePasswords"}] = "1";
        t.settings.values[{"DacGen", "MakeLynx"}] = "checked";
        t.settings.values[{"DacGen", "DataFilesPath"}] = (t.root / "program" / "gone").string();
        t.root.write("program/Inner/deep.ccl", "x");
        std::filesystem::create_directories(t.root / "sets" / "out");
        t.open();
        QCOMPARE(t.window->objectName(), QString("Form2"));
        QCOMPARE(t.window->windowTitle(), QString("DacGen"));
        const char* captions[][3] = {
            {"Frame1", "title", "Tile World DATA folder"},
            {"Frame2", "title", "Tile World SETS folder"},
            {"lblDesc", "text",
             "Double click a set below to create DAC(s) for just that set, using the settings "
             "on the right."},
            {"Command1", "text", "Generate DAC Files"},
            {"Command2", "text", "Exit"}};
        for (const auto& [name, property, caption] : captions)
            QCOMPARE(t.find(name)->property(property).toString(), QString(caption));
        for (const char* name : {"dataFolder", "setsFolder"})
            QVERIFY(t.find(name)->property("readOnly").toBool());

        // Each box shows its option as opened and is clicked over.
        const char* boxes[][4] = {
            {"makeMS", "Make MS DACs", "MakeMS", "1"},
            {"makeLynx", "Make Lynx DACs", "MakeLynx", "0"},
            {"usePswrd", "Use Passwords", "UsePasswords", "1"},
            {"fixLynx", "Use FixLynx on the original Chips.dat Lynx mode", "FixLynx", "0"},
            {"lastLvl", "Add lastlevel=144 on Chips.dat and CCLP1 through 4", "LastLevel144", "0"}};
        for (const auto& [name, caption, key, opened] : boxes) {
            QCOMPARE(t.text(name), QString(caption));
            QCOMPARE(t.find<QAbstractButton>(name)->isChecked(), *opened == '1');
            t.click(name);
        }
        // The folder lists open the folders their lines name.
        QCOMPARE(t.text("dataFolder"), QString::fromStdString((t.root / "program").string()));
        t.enterFolder("dataDir", "Inner");
        QCOMPARE(t.text("dataFolder"),
                 QString::fromStdString((t.root / "program" / "Inner").string()));
        QCOMPARE(t.find<QListWidget>("File1")->item(0)->text(), QString("deep.ccl"));
        t.enterFolder("setsDir", "out");
        QCOMPARE(t.text("setsFolder"), QString::fromStdString((t.root / "sets" / "out").string()));

        t.window->close(); // the title bar's close saves nothing
        QVERIFY(t.settings.writes.empty());
        t.window->show();
        t.click("Command2");
        QVERIFY(!t.window->isVisible());
        QCOMPARE(t.settings.writes.size(), std::size_t{9});
        for (const auto& [name, caption, key, opened] : boxes)
            QCOMPARE(t.settings.get("DacGen", key, ""), std::string(*opened == '1' ? "0" : "1"));
        QCOMPARE(t.settings.get("DacGen", "SetsFilesPath", ""), (t.root / "sets" / "out").string());
        QVERIFY(t.platform.messages.empty());
    }

    void showsEachMessageAndSavesOnlyAfterACompleteBatch() {
        Opened t;
        t.root.write("data/a.ccf", "x");
        t.open();
        t.click("Command1");
        t.root.write("data/My Set.dat", "x");
        t.click("makeMS");
        t.click("makeLynx");
        t.click("Command1"); // lists the folder again and still refuses
        t.doubleClickSet("My Set.dat");
        t.click("makeLynx");
        std::filesystem::remove(t.root / "sets");
        t.click("Command1");
        std::filesystem::create_directory(t.root / "sets");
        t.doubleClickSet("My Set.dat");
        QVERIFY(t.window->isVisible());
        QVERIFY(t.settings.writes.empty());
        t.click("Command1");
        QVERIFY(!t.window->isVisible());
        QCOMPARE(t.settings.writes.size(), std::size_t{9});

        auto box = [](const std::string& text, bool error = true) {
            return RecordedMessage{text, error ? "Tessaro DacGen" : "DacGen",
                                   error ? MessageIcon::Exclamation : MessageIcon::Information,
                                   MessageButtons::Ok};
        };
        const auto noRuleset = box("DacGen Error: You must select either MS, Lynx, or both");
        const auto unfindable = box("DacGen Warning: Tile World reads a level set's file name "
                                    "only up to the first space, so it will not find these "
                                    "level sets:\r\n\r\nMy Set.dat");
        const auto failed =
            box("DacGen Error: The DAC files of these level sets could not be written to " +
                (t.root / "sets").string() + ":\r\n\r\nMy Set.dat");
        const std::vector<RecordedMessage> expected = {
            box("DacGen Error:\r\n\r\nNo level sets in directory"),
            noRuleset,
            noRuleset,
            failed,
            unfindable,
            box("1 level set successful.", false),
            unfindable,
            box("1 level sets successful.", false)};
        QCOMPARE(t.platform.messages.size(), expected.size());
        for (std::size_t i = 0; i < expected.size(); ++i)
            QVERIFY2(t.platform.messages[i] == expected[i], t.platform.messages[i].text.c_str());
    }
};

TESSARO_GUI_TEST(DacGenWindowTest)

} // namespace tessaro

#include "dacgenwindow_test.moc"
