#include "exe_creator/execreatorwindow.h"
#include "gameexe/gameexe.h"
#include "support/guitest.h"

#include <QLineEdit>
#include <QTest>

namespace tessaro {

class ExeCreatorWindowTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void eachModeShowsItsFieldsAndOkWritesWhatWasTyped() {
        test::Doubles d;
        const auto original = d.folder.write("CHIPS.EXE", test::makeGameExe());
        d.settings.values[{"EXE Creator", "OriginalExe"}] = original.string();
        ExeCreatorWindow window(d.platform, d.settings);
        window.setMode(ExeCreatorMode::ExeCreator);
        window.show();
        const auto field = [&](const char* name) { return test::control<QLineEdit>(window, name); };
        QCOMPARE(test::captions(window, {"Form3", "Label1", "Label2", "Label3", "Command1",
                                         "Command2", "Command4", "Command3", "OrigExe"}),
                 QString("EXE Creator|Name of the original .exe:\n\nName of the new .exe:\n\n"
                         "Name of new ini file:\n\nName of new chips.dat file:|Fake last level:|"
                         "Real last level:|Browse...|Browse...|OK|Exit|") +
                     QString::fromStdString((d.folder / "CHIPS.EXE").string()));
        QVERIFY(field("OrigExe")->isReadOnly() && field("NewExe")->isReadOnly());

        field("lev149")->clear();
        test::click(window, "Command4");
        QCOMPARE(test::focused(window), QString("lev149"));
        QTest::keyClicks(field("lev149"), "999");
        field("lev144")->setText("998");
        QTest::keyClicks(field("NewIni"), "mine.ini");
        QTest::keyClicks(field("NewDat"), "NAME1.DAT");
        d.platform.chooseFile((d.folder / "MINE.EXE").string(), "MINE.EXE");
        test::click(window, "Command2");
        test::click(window, "Command4");
        QCOMPARE(d.folder.read("MINE.EXE"),
                 test::patched(original, 998, 999, "NAME1.DAT", "mine.ini"));

        test::click(window, "Command3"); // Exit remembers the original
        QVERIFY(!window.isVisible() && d.settings.writes.size() == 1);

        window.setMode(ExeCreatorMode::Quorvel);
        QCOMPARE(test::captions(window, {"Form3", "Label1"}),
                 QString("Quorvel|Name of the original .exe:"));
    }
};

TESSARO_GUI_TEST(ExeCreatorWindowTest)

} // namespace tessaro

#include "execreatorwindow_test.moc"
