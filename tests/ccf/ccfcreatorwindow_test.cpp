#include "ccf/ccfcreatorwindow.h"
#include "support/guitest.h"
#include "support/scriptedplatform.h"
#include "support/tempfolder.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>

namespace tessaro {

namespace {

using test::RecordedMessage;

// A window over a program folder that already holds two CCF files.
struct Fixture {
    test::TempFolder folder;
    test::ScriptedPlatform platform;
    std::unique_ptr<CcfCreatorWindow> window;

    Fixture() {
        folder.write("zeta.CCF", "\"C:\\SETS\\ZETA.DAT\"\r\n\"5\"\r\n\"6\"\r\n\"zeta.CCF\"\r\n");
        folder.write("broken.ccf", "\"C:\\SETS\\B.DAT\"\r\n");
        window = std::make_unique<CcfCreatorWindow>(platform, folder.path());
        window->show();
    }
    template <typename T = QLineEdit> T* control(const char* name) {
        return test::control<T>(*window, name);
    }
    QComboBox* combo() { return control<QComboBox>("Combo1"); }
    void set(const char* field, const QString& text) {
        if (field == QString("Combo1"))
            combo()->setEditText(text);
        else
            control(field)->setText(text);
    }
    QString fields() {
        return control("Text1")->text() + "|" + control("Text2")->text() + "|" +
               control("Text3")->text();
    }
    QString focused() const {
        return window->focusWidget() ? window->focusWidget()->objectName() : QString("<none>");
    }
    // Presses Save and gives the box it shows.
    RecordedMessage save() {
        platform.messages.clear();
        control<QPushButton>("Command1")->click();
        return platform.lastMessage();
    }
};

RecordedMessage box(const std::string& text, MessageIcon icon = MessageIcon::Exclamation) {
    return {text, "CCF File Creator", icon, MessageButtons::Ok};
}

} // namespace

class CcfCreatorWindowTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void opensWithItsCaptionsAndPicksAListedFile() {
        Fixture f;
        QCOMPARE(f.window->objectName(), QString("Form4"));
        QCOMPARE(f.window->windowTitle(), QString("CCF File Creator"));
        for (auto [name, caption] :
             {std::pair{"Label1", "DAT File:"},
              {"Label2", "Fake \"level 144\" last level:"},
              {"Label3", "Real \"level 149\" last level:"},
              {"Label4", "What to call this CCF file (include the \".ccf\"):"}})
            QCOMPARE(f.control<QLabel>(name)->text(), QString(caption));
        for (auto [name, caption] :
             {std::pair{"Command3", "Browse..."}, {"Command1", "Save"}, {"Command2", "Cancel"}})
            QCOMPARE(f.control<QPushButton>(name)->text(), QString(caption));
        QVERIFY(f.control("Text1")->isReadOnly() && f.combo()->isEditable());
        QCOMPARE(f.fields(), QString("|144|149"));
        QCOMPARE(f.combo()->count(), 2);
        QCOMPARE(f.combo()->itemText(1), QString("zeta.CCF"));
        QVERIFY(!f.control<QListWidget>("File1")->isVisible());

        f.combo()->setCurrentIndex(1);
        Q_EMIT f.combo()->activated(1);
        QCOMPARE(f.fields(), QString("C:\\SETS\\ZETA.DAT|5|6"));
        f.combo()->setCurrentIndex(0);
        Q_EMIT f.combo()->activated(0);
        QCOMPARE(f.platform.lastMessage(), box("Error - could not read the CCF file (broken.ccf)"));
        QCOMPARE(f.fields(), QString("C:\\SETS\\ZETA.DAT|5|6"));

        f.control<QPushButton>("Command2")->click();
        QVERIFY(!f.window->isVisible());
    }

    void saveRefusesEachBadFieldAndSignalsOnlyAWrittenFile() {
        Fixture f;
        QSignalSpy saved(f.window.get(), &CcfCreatorWindow::ccfSaved);
        QCOMPARE(f.save(), box("Error - you didn't select a level set"));
        QCOMPARE(f.focused(), QString("Text1"));
        f.platform.chooseFile("C:\\CHIPS\\CCLP1.DAT", "CCLP1.DAT");
        f.control<QPushButton>("Command3")->click();
        QCOMPARE(f.platform.dialogs.at(0).title, std::string("Browse for level sets..."));
        QCOMPARE(f.platform.dialogs.at(0).filterOrPrompt,
                 std::string("Chip's Challenge level sets (.dat, .ccl)|*.dat;*.ccl"));
        QCOMPARE(f.control("Text1")->text(), QString("C:\\CHIPS\\CCLP1.DAT"));
        // Each row starts from fields that pass and changes one.
        const std::pair<const char*, const char*> valid[] = {
            {"Text2", "144"}, {"Text3", "149"}, {"Combo1", "new.ccf"}};
        const struct {
            const char *field, *value, *message;
        } rows[] = {
            {"Text2", "x", "Error - invalid level 144"},
            {"Text3", "", "Error - invalid level 149"},
            {"Combo1", "", "Error - you didn't type a name for this CCF file"},
            {"Combo1", "seventeen-ch.ccf1", "Error - CCF filename too long"},
            {"Combo1", "../up.ccf",
             "Error - the CCF filename cannot contain \"\\\", \"/\" or \"..\""},
            {"Combo1", "a:b.ccf",
             "Error - the CCF filename cannot contain \\ / : * ? \" < > | or control characters, "
             "end in a space or a dot, or be a device name such as CON or NUL"},
            {"Combo1", "Иван.ccf", "Error - the CCF filename holds letters the game cannot read"},
        };
        for (const auto& row : rows) {
            for (auto [field, text] : valid)
                f.set(field, field == std::string(row.field) ? row.value : text);
            QCOMPARE(f.save(), box(row.message));
            QCOMPARE(f.focused(), QString(row.field));
        }
        f.set("Combo1", "new.ccf");
        f.platform.chooseFile("/home/Иван/s.dat", "s.dat");
        f.control<QPushButton>("Command3")->click();
        QCOMPARE(f.control("Text1")->text(), QString("/home/Иван/s.dat"));
        QCOMPARE(f.save(), box("Error - the level set's path holds letters the game cannot read; "
                               "choose a set in a folder whose path uses only the letters of "
                               "Western European languages"));
        QCOMPARE(f.focused(), QString("Text1"));
        QCOMPARE(saved.count(), 0);

        f.platform.chooseFile("C:\\CHIPS\\CCLP1.DAT", "CCLP1.DAT");
        f.control<QPushButton>("Command3")->click();
        QCOMPARE(f.save(), box("Your CCF file (new.ccf) has been created.", MessageIcon::None));
        QCOMPARE(saved.count(), 1);
        QCOMPARE(QString::fromStdString(f.folder.read("new.ccf")),
                 QString("\"C:\\CHIPS\\CCLP1.DAT\"\r\n\"144\"\r\n\"149\"\r\n\"new.ccf\"\r\n"));

        std::filesystem::remove_all(f.folder.path());
        QCOMPARE(f.save(), box("Error - your CCF file (new.ccf) could not be written, "
                               "so nothing was saved."));
        QCOMPARE(saved.count(), 1);
    }
};

TESSARO_GUI_TEST(CcfCreatorWindowTest)

} // namespace tessaro

#include "ccfcreatorwindow_test.moc"
