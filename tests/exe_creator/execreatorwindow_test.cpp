#include "exe_creator/execreatorwindow.h"
#include "gameexe.h"
#include "support/guitest.h"
#include "support/memorysettings.h"
#include "support/scriptedplatform.h"
#include "support/tempfolder.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

namespace tessaro {

namespace {

using test::RecordedMessage;

QString qs(const std::string& text) {
    return QString::fromStdString(text);
}

// A window whose remembered original is CHIPS.EXE in a temporary folder.
struct Fixture {
    test::TempFolder folder;
    std::string original = test::makeGameExe();
    test::ScriptedPlatform platform;
    test::MemorySettings settings;
    ExeCreatorWindow window{platform, settings};

    explicit Fixture(ExeCreatorMode mode) {
        folder.write("CHIPS.EXE", original);
        settings.values[{"EXE Creator", "OriginalExe"}] = (folder / "CHIPS.EXE").string();
        window.setMode(mode);
        window.show();
    }
    template <typename T = QLineEdit> T* control(const char* name) {
        return test::control<T>(window, name);
    }
    void type(const char* field, const QString& text) {
        control(field)->clear();
        QTest::keyClicks(control(field), text);
    }
    void click(const char* button) { control<QPushButton>(button)->click(); }
    QString focused() const {
        return window.focusWidget() ? window.focusWidget()->objectName() : QString();
    }
    // Presses OK and gives the text of the one box it shows.
    QString okMessage() {
        platform.messages.clear();
        click("Command4");
        return platform.messages.size() == 1 ? qs(platform.messages[0].text) : QString("<none>");
    }
};

} // namespace

class ExeCreatorWindowTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void captionsAndControlsFollowTheMode() {
        Fixture f(ExeCreatorMode::ExeCreator);
        QCOMPARE(f.window.objectName(), QString("Form3"));
        QCOMPARE(f.window.windowTitle(), QString("EXE Creator"));
        QCOMPARE(f.control<QLabel>("Label1")->text(),
                 QString("Name of the original .exe:\n\nName of the new .exe:\n\n"
                         "Name of new ini file:\n\nName of new chips.dat file:"));
        QCOMPARE(f.control<QLabel>("Label2")->text(), QString("Fake last level:"));
        QCOMPARE(f.control<QLabel>("Label3")->text(), QString("Real last level:"));
        QCOMPARE(f.control<QPushButton>("Command1")->text(), QString("Browse..."));
        QCOMPARE(f.control<QPushButton>("Command2")->text(), QString("Browse..."));
        QCOMPARE(f.control<QPushButton>("Command4")->text(), QString("OK"));
        QCOMPARE(f.control<QPushButton>("Command3")->text(), QString("Exit"));
        QCOMPARE(f.control("lev144")->text(), QString("144"));
        QCOMPARE(f.control("lev149")->text(), QString("149"));
        QCOMPARE(f.control("OrigExe")->text(), qs((f.folder / "CHIPS.EXE").string()));
        QVERIFY(f.control("OrigExe")->isReadOnly());
        QVERIFY(f.control("NewExe")->isReadOnly());
        QVERIFY(!f.control("NewIni")->isReadOnly());
        for (const char* name : {"NewExe", "Command2", "NewIni", "NewDat"})
            QVERIFY2(f.control<QWidget>(name)->isVisible(), name);

        f.type("NewIni", "mine.ini");
        f.type("lev144", "7");
        f.window.setMode(ExeCreatorMode::Quorvel);
        QCOMPARE(f.window.windowTitle(), QString("Quorvel"));
        QCOMPARE(f.control<QLabel>("Label1")->text(), QString("Name of the original .exe:"));
        for (const char* name : {"NewExe", "Command2", "NewIni", "NewDat"})
            QVERIFY2(!f.control<QWidget>(name)->isVisible(), name);
        for (const char* name : {"OrigExe", "Command1", "lev144", "lev149", "Command4", "Command3"})
            QVERIFY2(f.control<QWidget>(name)->isVisible(), name);

        // Back in EXE Creator mode the typed fields are kept and the original
        // comes from the setting again.
        f.platform.chooseFile("C:\\OTHER\\GAME.EXE", "GAME.EXE");
        f.click("Command1");
        QCOMPARE(f.control("OrigExe")->text(), QString("C:\\OTHER\\GAME.EXE"));
        f.window.setMode(ExeCreatorMode::ExeCreator);
        QCOMPARE(f.window.windowTitle(), QString("EXE Creator"));
        QCOMPARE(f.control("OrigExe")->text(), qs((f.folder / "CHIPS.EXE").string()));
        QCOMPARE(f.control("NewIni")->text(), QString("mine.ini"));
        QCOMPARE(f.control("lev144")->text(), QString("7"));
        QVERIFY(f.control("NewDat")->isVisible());
    }

    void okShowsEachMessageAndMovesTheFocus() {
        Fixture f(ExeCreatorMode::ExeCreator);
        f.type("lev144", "");
        QCOMPARE(f.okMessage(), QString("Invalid level 144"));
        QCOMPARE(f.platform.messages[0],
                 (RecordedMessage{"Invalid level 144", "EXE Creator", MessageIcon::Exclamation,
                                  MessageButtons::Ok}));
        QCOMPARE(f.focused(), QString("lev144"));
        f.type("lev144", "999");
        f.type("lev149", "1000");
        QCOMPARE(f.okMessage(), QString("Invalid level 149"));
        QCOMPARE(f.focused(), QString("lev149"));
        f.type("lev149", "999");

        f.platform.chooseFile((f.folder / "MINE.EXE").string(), "MINE.EXE");
        QCOMPARE(f.okMessage(), QString("You need to select a new EXE"));
        QCOMPARE(f.platform.dialogs.back().title,
                 std::string("Browse for place to save new .exe..."));
        QCOMPARE(f.control("NewExe")->text(), qs((f.folder / "MINE.EXE").string()));
        QCOMPARE(f.okMessage(), QString("You need to type the name of your INI file"));
        QCOMPARE(f.focused(), QString("NewIni"));
        f.type("NewIni", "mine.ini");
        QCOMPARE(f.okMessage(), QString("You need to type the name of your level set"));
        QCOMPARE(f.focused(), QString("NewDat"));
        f.type("NewDat", "NAME1.DAT");

        QCOMPARE(f.okMessage(), "Your new exe file (" + qs((f.folder / "MINE.EXE").string()) +
                                    ") is ready to play.");
        QCOMPARE(f.platform.messages[0].icon, MessageIcon::None);
        auto expected = test::withLevels(f.original, 999, 999);
        expected.replace(19156, 9, "NAME1.DAT");
        expected.replace(19048, 11, "mine.ini   ");
        QVERIFY(f.folder.read("MINE.EXE") == expected);

        // The original is asked for at once when it is missing, and a copy
        // that fails is reported as such.
        f.control("OrigExe")->clear();
        f.platform.chooseFile((f.folder / "GONE.EXE").string(), "GONE.EXE");
        QCOMPARE(f.okMessage(), QString("You need to select an original EXE"));
        QCOMPARE(f.platform.dialogs.back().title, std::string("Browse for original .exe..."));
        QCOMPARE(f.okMessage(), "Could not copy the original exe file (" +
                                    qs((f.folder / "GONE.EXE").string()) + ") to " +
                                    qs((f.folder / "MINE.EXE").string()) +
                                    ". No new exe file was written.");
        QCOMPARE(f.platform.messages[0].icon, MessageIcon::Exclamation);
        QVERIFY(f.folder.read("MINE.EXE") == expected);
#ifdef __unix__
        // An original too short for the level fields must grow when patched,
        // which the limit forbids.
        f.folder.write("SHORT.EXE", test::makeGameExe(30000));
        f.platform.chooseFile((f.folder / "SHORT.EXE").string(), "SHORT.EXE");
        f.click("Command1");
        {
            test::FileSizeLimit limit(40000);
            QCOMPARE(f.okMessage(),
                     "Could not write the new names and levels into the new exe file (" +
                         qs((f.folder / "MINE.EXE").string()) + "). No new exe file was written.");
        }
        QVERIFY(f.folder.read("MINE.EXE") == expected);
#endif
        QCOMPARE(f.platform.unscriptedQuestions, 0);
    }

    void quorvelPatchesTheChosenFileInPlace() {
        Fixture f(ExeCreatorMode::Quorvel);
        QCOMPARE(f.control("OrigExe")->text(), QString());
        f.platform.chooseFile((f.folder / "CHIPS.EXE").string(), "CHIPS.EXE");
        QCOMPARE(f.okMessage(), QString("You need to select an original EXE"));
        QCOMPARE(f.platform.messages[0].title, std::string("Quorvel"));
        f.type("lev144", "20");
        f.type("lev149", "25");
        QCOMPARE(f.okMessage(), QString("Thank you for using Quorvel. Please use again!"));
        QCOMPARE(f.platform.messages[0].title, std::string("Quorvel"));
        QVERIFY(f.folder.read("CHIPS.EXE") == test::withLevels(f.original, 20, 25));

        f.platform.chooseFile((f.folder / "GONE.EXE").string(), "GONE.EXE");
        f.click("Command1");
        QCOMPARE(f.okMessage(), "Could not write the new levels into " +
                                    qs((f.folder / "GONE.EXE").string()) +
                                    ". Check that the file exists and is not read-only.");
        QCOMPARE(f.platform.messages[0].title, std::string("Quorvel"));
    }

    void exitRemembersTheOriginalOnlyInExeCreatorMode() {
        {
            Fixture f(ExeCreatorMode::ExeCreator);
            f.platform.chooseFile("C:\\CHIPS\\CHIPS.EXE", "CHIPS.EXE");
            f.click("Command1");
            f.window.close(); // the title bar's close saves nothing
            QVERIFY(f.settings.writes.empty());
            f.window.show();
            f.click("Command3");
            QVERIFY(!f.window.isVisible());
            QCOMPARE(f.settings.writes.size(), std::size_t(1));
            QCOMPARE(f.settings.get("EXE Creator", "OriginalExe", ""),
                     std::string("C:\\CHIPS\\CHIPS.EXE"));
        }
        Fixture f(ExeCreatorMode::Quorvel);
        f.platform.chooseFile("C:\\CHIPS\\CHIPS.EXE", "CHIPS.EXE");
        f.click("Command1");
        f.click("Command3");
        QVERIFY(!f.window.isVisible());
        QVERIFY(f.settings.writes.empty());
    }
};

TESSARO_GUI_TEST(ExeCreatorWindowTest)

} // namespace tessaro

#include "execreatorwindow_test.moc"
