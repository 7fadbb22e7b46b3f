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

// A window over a program folder that already holds a few files.
struct Fixture {
    test::TempFolder folder;
    test::ScriptedPlatform platform;
    std::unique_ptr<CcfCreatorWindow> window;

    Fixture() {
        folder.write("zeta.CCF", "\"C:\\SETS\\ZETA.DAT\"\r\n\"5\"\r\n\"6\"\r\n\"zeta.CCF\"\r\n");
        folder.write("Alpha.ccf", "\"C:\\SETS\\ALPHA.DAT\"\r\n\"144\"\r\n\"149\"\r\n");
        folder.write("broken.ccf", "\"C:\\SETS\\B.DAT\"\r\n");
        folder.write("levels.dat", "");
        window = std::make_unique<CcfCreatorWindow>(platform, folder.path());
        window->show();
    }
    template <typename T = QLineEdit> T* control(const char* name) {
        return test::control<T>(*window, name);
    }
    void type(const char* field, const QString& text) {
        control(field)->clear();
        QTest::keyClicks(control(field), text);
    }
    void typeName(const QString& text) {
        control<QComboBox>("Combo1")->clearEditText();
        QTest::keyClicks(control<QComboBox>("Combo1"), text);
    }
    void pick(int index) {
        auto* combo = control<QComboBox>("Combo1");
        combo->setCurrentIndex(index);
        Q_EMIT combo->activated(index);
    }
    // Presses Save and gives the text of the one box it shows.
    QString saveMessage() {
        platform.messages.clear();
        control<QPushButton>("Command1")->click();
        return platform.messages.size() == 1 ? QString::fromStdString(platform.messages[0].text)
                                             : QString("<none>");
    }
    QString focused() const {
        return window->focusWidget() ? window->focusWidget()->objectName() : QString();
    }
};

QStringList items(QComboBox* combo) {
    QStringList list;
    for (int i = 0; i < combo->count(); ++i)
        list << combo->itemText(i);
    return list;
}

} // namespace

class CcfCreatorWindowTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void opensWithItsCaptionsAndTheFolderCcfFiles() {
        Fixture f;
        QCOMPARE(f.window->objectName(), QString("Form4"));
        QCOMPARE(f.window->windowTitle(), QString("CCF File Creator"));
        QCOMPARE(f.control<QLabel>("Label1")->text(), QString("DAT File:"));
        QCOMPARE(f.control<QLabel>("Label2")->text(), QString("Fake \"level 144\" last level:"));
        QCOMPARE(f.control<QLabel>("Label3")->text(), QString("Real \"level 149\" last level:"));
        QCOMPARE(f.control<QLabel>("Label4")->text(),
                 QString("What to call this CCF file (include the \".ccf\"):"));
        QCOMPARE(f.control<QPushButton>("Command3")->text(), QString("Browse..."));
        QCOMPARE(f.control<QPushButton>("Command1")->text(), QString("Save"));
        QCOMPARE(f.control<QPushButton>("Command2")->text(), QString("Cancel"));
        QVERIFY(f.control("Text1")->isReadOnly());
        QCOMPARE(f.control("Text1")->text(), QString());
        QCOMPARE(f.control("Text2")->text(), QString("144"));
        QCOMPARE(f.control("Text3")->text(), QString("149"));
        auto* combo = f.control<QComboBox>("Combo1");
        QVERIFY(combo->isEditable());
        QCOMPARE(combo->currentText(), QString());
        const QStringList names{"Alpha.ccf", "broken.ccf", "zeta.CCF"};
        QCOMPARE(items(combo), names);
        auto* file1 = f.control<QListWidget>("File1");
        QVERIFY(!file1->isVisible());
        QCOMPARE(file1->count(), 3);

        f.control<QPushButton>("Command2")->click();
        QVERIFY(!f.window->isVisible());
        QCOMPARE(items(combo), names); // nothing written by Cancel
    }

    void saveShowsEachMessageAndSignalsOnlyAWrittenFile() {
        Fixture f;
        QSignalSpy saved(f.window.get(), &CcfCreatorWindow::ccfSaved);
        QCOMPARE(f.saveMessage(), QString("Error - you didn't select a level set"));
        QCOMPARE(f.platform.messages[0],
                 (test::RecordedMessage{"Error - you didn't select a level set", "CCF File Creator",
                                        MessageIcon::Exclamation, MessageButtons::Ok}));
        QCOMPARE(f.focused(), QString("Text1"));

        f.platform.chooseFile("C:\\CHIPS\\CCLP1.DAT", "CCLP1.DAT");
        f.control<QPushButton>("Command3")->click();
        QCOMPARE(f.control("Text1")->text(), QString("C:\\CHIPS\\CCLP1.DAT"));
        QCOMPARE(f.platform.dialogs.at(0).title, std::string("Browse for level sets..."));
        QCOMPARE(f.platform.dialogs.at(0).filterOrPrompt,
                 std::string("Chip's Challenge level sets (.dat, .ccl)|*.dat;*.ccl"));
        f.type("Text2", "x");
        QCOMPARE(f.saveMessage(), QString("Error - invalid level 144"));
        QCOMPARE(f.focused(), QString("Text2"));
        f.type("Text2", "150");
        f.type("Text3", "");
        QCOMPARE(f.saveMessage(), QString("Error - invalid level 149"));
        QCOMPARE(f.focused(), QString("Text3"));
        f.type("Text3", "149");
        QCOMPARE(f.saveMessage(), QString("Error - invalid level 144"));
        f.type("Text2", "144");
        QCOMPARE(f.saveMessage(), QString("Error - you didn't type a name for this CCF file"));
        QCOMPARE(f.focused(), QString("Combo1"));
        f.typeName("seventeen-ch.ccf1");
        QCOMPARE(f.saveMessage(), QString("Error - CCF filename too long"));
        f.typeName("../up.ccf");
        QCOMPARE(f.saveMessage(),
                 QString("Error - the CCF filename cannot contain \"\\\", \"/\" or \"..\""));
        QCOMPARE(f.focused(), QString("Combo1"));
        QCOMPARE(saved.count(), 0);

        f.typeName("new.ccf");
        QCOMPARE(f.saveMessage(), QString("Your CCF file (new.ccf) has been created."));
        QCOMPARE(f.platform.messages[0].icon, MessageIcon::None);
        QCOMPARE(f.platform.messages[0].title, std::string("CCF File Creator"));
        QCOMPARE(saved.count(), 1);
        QCOMPARE(QString::fromStdString(f.folder.read("new.ccf")),
                 QString("\"C:\\CHIPS\\CCLP1.DAT\"\r\n\"144\"\r\n\"149\"\r\n\"new.ccf\"\r\n"));
        QCOMPARE(f.control<QComboBox>("Combo1")->count(), 3); // the list is not refilled

        std::filesystem::remove_all(f.folder.path());
        QCOMPARE(f.saveMessage(), QString("Error - your CCF file (new.ccf) could not be written, "
                                          "so nothing was saved."));
        QCOMPARE(f.platform.messages[0].icon, MessageIcon::Exclamation);
        QCOMPARE(saved.count(), 1);
        QCOMPARE(f.platform.unscriptedQuestions, 0);
    }

    void pickingACcfFileFillsTheFields() {
        Fixture f;
        f.pick(2); // zeta.CCF
        QCOMPARE(f.control<QComboBox>("Combo1")->currentText(), QString("zeta.CCF"));
        QCOMPARE(f.control("Text1")->text(), QString("C:\\SETS\\ZETA.DAT"));
        QCOMPARE(f.control("Text2")->text(), QString("5"));
        QCOMPARE(f.control("Text3")->text(), QString("6"));

        f.pick(1); // broken.ccf holds one field only
        QCOMPARE(f.control("Text1")->text(), QString("C:\\SETS\\ZETA.DAT"));
        QCOMPARE(f.platform.lastMessage().text,
                 std::string("Error - could not read the CCF file (broken.ccf)"));
        QCOMPARE(f.platform.lastMessage().title, std::string("CCF File Creator"));

        // Save after a pick writes the picked file again, now with four lines.
        f.pick(0); // Alpha.ccf has no fourth line
        QCOMPARE(f.saveMessage(), QString("Your CCF file (Alpha.ccf) has been created."));
        QCOMPARE(QString::fromStdString(f.folder.read("Alpha.ccf")),
                 QString("\"C:\\SETS\\ALPHA.DAT\"\r\n\"144\"\r\n\"149\"\r\n\"Alpha.ccf\"\r\n"));
    }
};

TESSARO_GUI_TEST(CcfCreatorWindowTest)

} // namespace tessaro

#include "ccfcreatorwindow_test.moc"
