#include "exe_creator/execreatorwindow.h"
#include "gameexe.h"
#include "support/guitest.h"
#include "support/memorysettings.h"
#include "support/scriptedplatform.h"
#include "support/tempfolder.h"

#include <QLineEdit>
#include <QPushButton>
#include <QTest>

namespace tessaro {

// A window in EXE Creator mode whose remembered original is CHIPS.EXE in a
// temporary folder.
class ExeCreatorWindowTest : public QObject {
    Q_OBJECT

    std::unique_ptr<test::TempFolder> m_folder;
    std::unique_ptr<test::ScriptedPlatform> m_platform;
    std::unique_ptr<test::MemorySettings> m_settings;
    std::unique_ptr<ExeCreatorWindow> m_window;
    std::string m_original = test::makeGameExe();

    template <typename T = QLineEdit> T* find(const char* name) {
        return test::control<T>(*m_window, name);
    }
    void click(const char* name) { find<QPushButton>(name)->click(); }

private Q_SLOTS:
    void init() {
        m_window.reset();
        m_folder = std::make_unique<test::TempFolder>();
        m_platform = std::make_unique<test::ScriptedPlatform>();
        m_settings = std::make_unique<test::MemorySettings>();
        m_settings->values[{"EXE Creator", "OriginalExe"}] =
            m_folder->write("CHIPS.EXE", m_original).string();
        m_window = std::make_unique<ExeCreatorWindow>(*m_platform, *m_settings);
        m_window->setMode(ExeCreatorMode::ExeCreator);
        m_window->show();
    }

    void eachModeShowsItsControlsAndOnlyExeCreatorExitSaves() {
        QCOMPARE(test::captions(*m_window, {"Form3", "Label1", "Label2", "Label3", "Command1",
                                            "Command2", "Command4", "Command3"}),
                 QString("EXE Creator|Name of the original .exe:\n\nName of the new .exe:\n\n"
                         "Name of new ini file:\n\nName of new chips.dat file:|Fake last level:|"
                         "Real last level:|Browse...|Browse...|OK|Exit"));
        QCOMPARE(find("OrigExe")->text().toStdString(), (*m_folder / "CHIPS.EXE").string());
        QVERIFY(find("OrigExe")->isReadOnly() && find("NewExe")->isReadOnly());

        // Quorvel hides the new exe's fields and writes the levels in place.
        find("lev144")->setText("20");
        find("lev149")->setText("25");
        m_window->setMode(ExeCreatorMode::Quorvel);
        QCOMPARE(test::captions(*m_window, {"Form3", "Label1"}),
                 QString("Quorvel|Name of the original .exe:"));
        for (const char* name : {"NewExe", "Command2", "NewIni", "NewDat"})
            QVERIFY2(!find<QWidget>(name)->isVisible(), name);
        click("Command4");
        QCOMPARE(m_folder->read("CHIPS.EXE"), test::patched(m_original, 20, 25));
        m_platform->chooseFile("C:\\CHIPS\\OTHER.EXE", "OTHER.EXE");
        click("Command1");
        click("Command3");
        QVERIFY(!m_window->isVisible());
        QVERIFY(m_settings->writes.empty());

        // Back in EXE Creator mode the fields show again; closing saves nothing, Exit does.
        m_window->setMode(ExeCreatorMode::ExeCreator);
        m_window->show();
        QVERIFY(find("NewDat")->isVisible());
        m_platform->chooseFile("C:\\CHIPS\\CHIPS.EXE", "CHIPS.EXE");
        click("Command1");
        m_window->close();
        QVERIFY(m_settings->writes.empty());
        m_window->show();
        click("Command3");
        QVERIFY(!m_window->isVisible());
        QCOMPARE(m_settings->get("EXE Creator", "OriginalExe", ""),
                 std::string("C:\\CHIPS\\CHIPS.EXE"));
    }

    void okFocusesTheFieldAtFaultOrWritesTheCopy() {
        find("lev149")->clear();
        click("Command4");
        QCOMPARE(test::focused(*m_window), QString("lev149"));

        QTest::keyClicks(find("lev149"), "999");
        find("lev144")->setText("998");
        QTest::keyClicks(find("NewIni"), "mine.ini");
        QTest::keyClicks(find("NewDat"), "NAME1.DAT");
        m_platform->chooseFile((*m_folder / "MINE.EXE").string(), "MINE.EXE");
        click("Command2");
        click("Command4");
        QCOMPARE(m_folder->read("MINE.EXE"),
                 test::patched(m_original, 998, 999, "NAME1.DAT", "mine.ini"));
        QCOMPARE(m_platform->lastMessage().icon, MessageIcon::None);
    }
};

TESSARO_GUI_TEST(ExeCreatorWindowTest)

} // namespace tessaro

#include "execreatorwindow_test.moc"
