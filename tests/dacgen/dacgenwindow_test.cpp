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

// A program folder, a DATA folder and a SETS folder, and the window opened
// on settings that point at the last two.
class DacGenWindowTest : public QObject {
    Q_OBJECT

    std::unique_ptr<test::TempFolder> m_root;
    std::unique_ptr<test::ScriptedPlatform> m_platform;
    std::unique_ptr<test::MemorySettings> m_settings;
    std::unique_ptr<DacGenWindow> m_window;

    void open() {
        m_window = std::make_unique<DacGenWindow>(*m_platform, *m_settings, *m_root / "program");
        m_window->show();
    }
    template <typename T = QWidget> T* find(const char* name) const {
        return test::control<T>(*m_window, name);
    }
    QString text(const char* name) const { return find(name)->property("text").toString(); }
    QString path(const char* name) const {
        return QString::fromStdString((*m_root / name).string());
    }

    // Clicks near the left edge, where a check box has its box and caption.
    void click(const char* name) const {
        auto* button = find<QAbstractButton>(name);
        QTest::mouseClick(button, Qt::LeftButton, {}, QPoint(8, button->height() / 2));
    }

    // Opens the folder list's line of that name, as Enter on it does.
    void enterFolder(const char* treeName, const QString& name) const {
        auto* tree = find<QTreeWidget>(treeName);
        const auto items = tree->findItems(name, Qt::MatchExactly | Qt::MatchRecursive);
        QCOMPARE(items.size(), 1);
        tree->setCurrentItem(items.front());
        QTest::keyClick(tree, Qt::Key_Return);
    }

private Q_SLOTS:
    void init() {
        m_window.reset();
        m_root = std::make_unique<test::TempFolder>();
        m_platform = std::make_unique<test::ScriptedPlatform>();
        m_settings = std::make_unique<test::MemorySettings>();
        for (const char* name : {"program", "data", "sets"})
            std::filesystem::create_directories(*m_root / name);
        m_settings->values[{"DacGen", "DataFilesPath"}] = (*m_root / "data").string();
        m_settings->values[{"DacGen", "SetsFilesPath"}] = (*m_root / "sets").string();
    }

    void showsItsControlsAndExitSavesWhatTheyChose() {
        // A saved folder that is gone gives way to the program folder.
        m_settings->values[{"DacGen", "DataFilesPath"}] = (*m_root / "gone").string();
        m_root->write("program/Inner/deep.ccl", "x");
        std::filesystem::create_directories(*m_root / "sets" / "out");
        open();
        QCOMPARE(test::captions(*m_window,
                                {"Form2", "Frame1", "Frame2", "lblDesc", "Command1", "Command2"}),
                 QString("DacGen|Tile World DATA folder|Tile World SETS folder|Double click a set "
                         "below to create DAC(s) for just that set, using the settings on the "
                         "right.|Generate DAC Files|Exit"));
        QVERIFY(find("dataFolder")->property("readOnly").toBool());

        // Each box shows its option as opened and is clicked over.
        const char* boxes[][4] = {
            {"makeMS", "Make MS DACs", "MakeMS", "1"},
            {"makeLynx", "Make Lynx DACs", "MakeLynx", "1"},
            {"usePswrd", "Use Passwords", "UsePasswords", "0"},
            {"fixLynx", "Use FixLynx on the original Chips.dat Lynx mode", "FixLynx", "0"},
            {"lastLvl", "Add lastlevel=144 on Chips.dat and CCLP1 through 4", "LastLevel144", "0"}};
        for (const auto& [name, caption, key, opened] : boxes) {
            QCOMPARE(text(name), QString(caption));
            QCOMPARE(find<QAbstractButton>(name)->isChecked(), *opened == '1');
            click(name);
        }
        // The folder lists open the folders their lines name.
        QCOMPARE(text("dataFolder"), path("program"));
        enterFolder("dataDir", "Inner");
        QCOMPARE(text("dataFolder"), path("program/Inner"));
        QCOMPARE(find<QListWidget>("File1")->item(0)->text(), QString("deep.ccl"));
        enterFolder("setsDir", "out");
        QCOMPARE(text("setsFolder"), path("sets/out"));

        m_window->close(); // the title bar's close saves nothing
        QVERIFY(m_settings->writes.empty());
        m_window->show();
        click("Command2");
        QVERIFY(!m_window->isVisible());
        for (const auto& [name, caption, key, opened] : boxes)
            QCOMPARE(m_settings->get("DacGen", key, ""), std::string(*opened == '1' ? "0" : "1"));
        QCOMPARE(m_settings->get("DacGen", "SetsFilesPath", ""), path("sets/out").toStdString());
    }

    void aDoubleClickMakesOneSetAndOnlyACompleteBatchCloses() {
        m_root->write("data/a.dat", "x");
        open();
        std::filesystem::remove(*m_root / "sets");
        click("Command1");
        QVERIFY(m_window->isVisible());
        std::filesystem::create_directory(*m_root / "sets");

        auto* list = find<QListWidget>("File1");
        const QPoint centre = list->visualItemRect(list->item(0)).center();
        // A double-click starts with a click, as a person's does.
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, centre);
        QTest::mouseDClick(list->viewport(), Qt::LeftButton, {}, centre);
        QCOMPARE(m_platform->lastMessage().text, std::string("1 level set successful."));
        QVERIFY(m_settings->writes.empty());
        click("Command1");
        QVERIFY(!m_window->isVisible());
        QCOMPARE(m_settings->writes.size(), std::size_t{9});
    }
};

TESSARO_GUI_TEST(DacGenWindowTest)

} // namespace tessaro

#include "dacgenwindow_test.moc"
