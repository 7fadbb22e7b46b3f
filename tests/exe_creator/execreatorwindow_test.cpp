#include "common/safewriter.h"
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

// A window in EXE Creator mode whose remembered original is CHIPS.EXE in a
// temporary folder.
struct Fixture {
    test::TempFolder folder;
    std::string original = test::makeGameExe();
    test::ScriptedPlatform platform;
    test::MemorySettings settings;
    ExeCreatorWindow window{platform, settings};
    QString chips = qs(folder.write("CHIPS.EXE", original).string());
    QString mine = qs((folder / "MINE.EXE").string());
    QString gone = qs((folder / "GONE.EXE").string());

    Fixture() {
        settings.values[{"EXE Creator", "OriginalExe"}] = chips.toStdString();
        window.setMode(ExeCreatorMode::ExeCreator);
        window.show();
    }
    template <typename T = QLineEdit> T* control(const char* name) {
        return test::control<T>(window, name);
    }
    QString text(const char* field) { return control(field)->text(); }
    void click(const char* button) { control<QPushButton>(button)->click(); }
    void browse(const char* button, const QString& path) {
        platform.chooseFile(path.toStdString(), "X.EXE");
        click(button);
    }
    QString focused() const {
        return window.focusWidget() ? window.focusWidget()->objectName() : QString("<none>");
    }
    // Presses OK and gives the box it shows.
    RecordedMessage ok() {
        platform.messages.clear();
        click("Command4");
        return platform.lastMessage();
    }
};

} // namespace

class ExeCreatorWindowTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void eachModeShowsItsControlsAndExitSavesOnlyInExeCreatorMode() {
        Fixture f;
        QCOMPARE(f.window.objectName(), QString("Form3"));
        QCOMPARE(f.window.windowTitle(), QString("EXE Creator"));
        QCOMPARE(f.control<QLabel>("Label1")->text(),
                 QString("Name of the original .exe:\n\nName of the new .exe:\n\n"
                         "Name of new ini file:\n\nName of new chips.dat file:"));
        QCOMPARE(f.control<QLabel>("Label2")->text(), QString("Fake last level:"));
        QCOMPARE(f.control<QLabel>("Label3")->text(), QString("Real last level:"));
        for (auto [name, caption] : {std::pair{"Command1", "Browse..."},
                                     {"Command2", "Browse..."},
                                     {"Command4", "OK"},
                                     {"Command3", "Exit"}})
            QCOMPARE(f.control<QPushButton>(name)->text(), QString(caption));
        QCOMPARE(f.text("lev144") + "/" + f.text("lev149"), QString("144/149"));
        QCOMPARE(f.text("OrigExe"), f.chips);
        QVERIFY(f.control("OrigExe")->isReadOnly() && f.control("NewExe")->isReadOnly());

        // Quorvel hides the new exe's fields, has its own original and writes
        // the levels in place.
        f.control("NewIni")->setText("mine.ini");
        f.control("lev144")->setText("20");
        f.control("lev149")->setText("25");
        f.window.setMode(ExeCreatorMode::Quorvel);
        QCOMPARE(f.window.windowTitle(), QString("Quorvel"));
        QCOMPARE(f.control<QLabel>("Label1")->text(), QString("Name of the original .exe:"));
        for (const char* name : {"NewExe", "Command2", "NewIni", "NewDat"})
            QVERIFY2(!f.control<QWidget>(name)->isVisible(), name);
        QVERIFY(f.text("OrigExe").isEmpty());
        f.browse("Command1", f.chips);
        QCOMPARE(f.ok(), (RecordedMessage{"Thank you for using Quorvel. Please use again!",
                                          "Quorvel", MessageIcon::None, MessageButtons::Ok}));
        QVERIFY(f.folder.read("CHIPS.EXE") == test::patched(f.original, 20, 25));
        f.browse("Command1", f.gone);
        const auto failed = f.ok();
        QCOMPARE(qs(failed.text), "Could not write the new levels into " + f.gone +
                                      ". Check that the file exists and is not read-only.");
        QCOMPARE(failed.title, std::string("Quorvel"));
        f.click("Command3");
        QVERIFY(!f.window.isVisible());
        QVERIFY(f.settings.writes.empty());

        // Back in EXE Creator mode every field is kept and the original is
        // this mode's own; only Exit saves it.
        f.browse("Command1", f.mine);
        f.window.setMode(ExeCreatorMode::ExeCreator);
        f.window.show();
        QCOMPARE(f.text("OrigExe"), f.chips);
        QCOMPARE(f.text("NewIni") + " " + f.text("lev144"), QString("mine.ini 20"));
        QVERIFY(f.control("NewDat")->isVisible());
        f.browse("Command1", "C:\\CHIPS\\CHIPS.EXE");
        f.window.close();
        QVERIFY(f.settings.writes.empty());
        f.window.show();
        f.click("Command3");
        QVERIFY(!f.window.isVisible());
        QCOMPARE(f.settings.writes.size(), std::size_t(1));
        QCOMPARE(f.settings.get("EXE Creator", "OriginalExe", ""),
                 std::string("C:\\CHIPS\\CHIPS.EXE"));
    }

    void okRefusesEachMissingFieldThenWritesTheCopy() {
        Fixture f;
        // Each row starts from fields that pass and changes one; a missing
        // path opens its browse dialog (cancelled here).
        const std::pair<const char*, QString> valid[] = {
            {"OrigExe", f.chips},    {"NewExe", f.mine}, {"NewIni", "mine.ini"},
            {"NewDat", "NAME1.DAT"}, {"lev144", "999"},  {"lev149", "999"}};
        const struct {
            const char *field, *value, *message, *focusOrDialog;
        } rows[] = {
            {"lev144", "", "Invalid level 144", "lev144"},
            {"lev149", "1000", "Invalid level 149", "lev149"},
            {"OrigExe", "", "You need to select an original EXE", "Browse for original .exe..."},
            {"NewExe", "", "You need to select a new EXE", "Browse for place to save new .exe..."},
            {"NewIni", "", "You need to type the name of your INI file", "NewIni"},
            {"NewIni", "myscores.ini", "Error - the INI file name must be 11 characters or less",
             "NewIni"},
            {"NewDat", "CCLP10.DAT", "Error - the data file name must be 9 characters or less",
             "NewDat"},
            {"NewDat", "", "You need to type the name of your level set", "NewDat"},
        };
        for (const auto& row : rows) {
            for (auto [field, text] : valid)
                f.control(field)->setText(field == std::string(row.field) ? QString(row.value)
                                                                          : text);
            f.platform.dialogs.clear();
            QCOMPARE(f.ok(), (RecordedMessage{row.message, "EXE Creator", MessageIcon::Exclamation,
                                              MessageButtons::Ok}));
            QCOMPARE(f.platform.dialogs.empty() ? f.focused() : qs(f.platform.dialogs[0].title),
                     QString(row.focusOrDialog));
        }
        QVERIFY(!std::filesystem::exists(f.folder / "MINE.EXE"));

        QTest::keyClicks(f.control("NewDat"), "NAME1.DAT");
        f.browse("Command1", f.chips);
        f.browse("Command2", f.mine);
        QCOMPARE(f.platform.dialogs.back().filterOrPrompt, std::string("Chip's EXE files|*.exe"));
        const auto done = f.ok();
        QCOMPARE(qs(done.text), "Your new exe file (" + f.mine + ") is ready to play.");
        QCOMPARE(done.icon, MessageIcon::None);
        const auto expected = test::patched(f.original, 999, 999, "NAME1.DAT", "mine.ini");
        QVERIFY(f.folder.read("MINE.EXE") == expected);

        // A copy or patch that fails is reported and the earlier copy stays.
        f.browse("Command1", f.gone);
        QCOMPARE(qs(f.ok().text), "Could not copy the original exe file (" + f.gone + ") to " +
                                      f.mine + ". No new exe file was written.");
        f.browse("Command1", f.chips);
        {
            ScopedWriteFailure failure(WriteStep::Write);
            QCOMPARE(qs(f.ok().text),
                     "Could not write the new names and levels into the new exe file (" + f.mine +
                         "). No new exe file was written.");
        }
        QVERIFY(f.folder.read("MINE.EXE") == expected);
    }
};

TESSARO_GUI_TEST(ExeCreatorWindowTest)

} // namespace tessaro

#include "execreatorwindow_test.moc"
