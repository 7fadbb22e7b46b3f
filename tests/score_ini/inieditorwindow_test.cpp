#include "common/paths.h"
#include "score_ini/inieditorwindow.h"
#include "support/guitest.h"
#include "support/scriptedplatform.h"
#include "support/tempfolder.h"

#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTest>

#include <memory>

namespace tessaro {

namespace {

// Every button in the window's order; the ten between Get Info and Exit edit a loaded set.
const char* const kButtons[] = {"Command1",       "cmdInfo",       "cmdInsert1", "cmdInsert2",
                                "cmdMoveUp",      "cmdMoveDown",   "cmdDelete",  "cmdDeleteScore",
                                "cmdChangeScore", "cmdChangePass", "cmdSave",    "cmdSaveAs",
                                "Command3"};

QStringList rowsOf(const QListWidget* list) {
    QStringList rows;
    for (int i = 0; i < list->count(); ++i)
        rows.append(list->item(i)->text());
    return rows;
}

} // namespace

class IniEditorWindowTest : public QObject {
    Q_OBJECT

    std::unique_ptr<test::ScriptedPlatform> m_platform;
    std::unique_ptr<test::TempFolder> m_folder;
    std::unique_ptr<IniEditorWindow> m_window;

    template <typename T = QWidget> T* find(const char* name) {
        return test::control<T>(*m_window, name);
    }
    QPushButton* button(const char* name) { return find<QPushButton>(name); }
    QListWidget* list1() { return find<QListWidget>("List1"); }

    void expectMessage(const char* text, const char* title = "INI File Editor",
                       MessageIcon icon = MessageIcon::Exclamation) {
        QCOMPARE(m_platform->lastMessage(),
                 (test::RecordedMessage{text, title, icon, MessageButtons::Ok}));
    }

    void expectDialog(const char* title, const char* filterOrPrompt) {
        QCOMPARE(m_platform->dialogs.back().title, std::string(title));
        QCOMPARE(m_platform->dialogs.back().filterOrPrompt, std::string(filterOrPrompt));
    }

    // Types the file and set name and presses "Get Info".
    void getInfoAt(const std::string& file, const char* setName) {
        find<QLineEdit>("Text1")->setText(QString::fromStdString(file));
        find<QLineEdit>("Text2")->setText(setName);
        button("cmdInfo")->click();
    }
    void getInfo(const std::string& fileText, const char* setName) {
        getInfoAt(m_folder->write("scores.ini", fileText).string(), setName);
    }

private Q_SLOTS:
    void init() {
        m_platform = std::make_unique<test::ScriptedPlatform>();
        m_folder = std::make_unique<test::TempFolder>();
        m_window = std::make_unique<IniEditorWindow>(*m_platform);
        m_window->show();
    }

    void cleanup() {
        m_window.reset();
        m_folder.reset();
        QCOMPARE(m_platform->unscriptedQuestions, 0);
    }

    void editingWaitsForASuccessfulGetInfo() {
        QCOMPARE(m_window->objectName(), QString("Form5"));
        QCOMPARE(m_window->windowTitle(), QString("INI File Editor"));
        QCOMPARE(find<QLabel>("Label1")->text(), QString("INI file:"));
        QCOMPARE(find<QLabel>("Label2")->text(),
                 QString("DAT/CCL/CCF file name:\n(include the extension)\nNote - if the INI has "
                         "only one level set in it, you might have to type \"Chip's "
                         "Challenge\" here."));
        QStringList captions;
        for (const char* name : kButtons)
            captions.append(button(name)->text());
        QCOMPARE(captions.join('|'), QString("Browse|Get Info|Insert Before|Insert After|Move Up|"
                                             "Move Down|Delete Entry|Delete Score|Change Time|"
                                             "Change Password|Save|Save As|Exit"));
        for (int i = 2; i < 12; ++i)
            QVERIFY2(!button(kButtons[i])->isEnabled(), kButtons[i]);
        QVERIFY(!find<QListWidget>("List2")->isVisible());

        getInfo("[mine.dat]\r\n", "MINE.dat");
        expectMessage("The specified level set couldn't be found in the INI file.");
        QVERIFY(!button("cmdSave")->isEnabled());

        m_platform->chooseFile((*m_folder / "picked.ini").string(), "picked.ini");
        button("Command1")->click();
        QCOMPARE(find<QLineEdit>("Text1")->text().toStdString(),
                 (*m_folder / "picked.ini").string());
        expectDialog("Browse for INI File", "Chip's Challenge score files (.ini)|*.ini");
        QCOMPARE(m_platform->dialogs.back().startFolderOrDefault,
                 scoreFileStartFolder(StartFolderEnvironment::fromSystem()));

        // Enter in the set name runs Get Info.
        m_folder->write("scores.ini",
                        "[mine.dat]\r\nLevel3=CCCC\r\nHighest Level=2\r\nLevel1=AAAA\r\n");
        find<QLineEdit>("Text1")->setText(
            QString::fromStdString((*m_folder / "scores.ini").string()));
        find<QLineEdit>("Text2")->setText("mine.dat");
        QTest::keyClick(find<QLineEdit>("Text2"), Qt::Key_Return);
        QCOMPARE(rowsOf(list1()), (QStringList{"Level001=AAAA", "Level003=CCCC"}));
        QCOMPARE(rowsOf(find<QListWidget>("List2")), QStringList{"Highest Level=2"});
        for (int i = 2; i < 12; ++i)
            QVERIFY2(button(kButtons[i])->isEnabled(), kButtons[i]);
    }

    // The set name is typed as text and found as the game wrote it.
    void namesOutsideAsciiAreFound() {
        const auto file =
            fromPath(m_folder->write("Иван/scores.ini", "[Caf\xE9.dat]\r\nLevel1=CAFE\r\n"));
        getInfoAt(file, "Café.dat");
        QCOMPARE(rowsOf(list1()), QStringList{"Level001=CAFE"});
        QCOMPARE(find<QLineEdit>("Text1")->text(), QString::fromStdString(file));
    }

    void eachButtonEditsTheListRowByRowAndSaves() {
        getInfo("[mine.dat]\r\nHighest Level=3\r\nLevel1=AAAA\r\nLevel2=BBBB\r\n"
                "Level3=CCCC,120,2160\r\n",
                "mine.dat");
        list1()->item(0)->setData(Qt::UserRole, "untouched");
        list1()->setCurrentRow(2);
        button("cmdMoveUp")->click();
        button("cmdInsert1")->click();
        QCOMPARE(list1()->currentRow(), 2);
        m_platform->lineInputs = {"100", "WXYZ"};
        button("cmdChangeScore")->click();
        list1()->setCurrentRow(3);
        button("cmdChangePass")->click();
        button("cmdMoveDown")->click(); // the last one stays
        QCOMPARE(
            rowsOf(list1()),
            (QStringList{"Level001=AAAA", "Level002=", "Level003=CCCC,100,1960", "Level004=WXYZ"}));
        // Only the rows that changed were redrawn.
        QCOMPARE(list1()->item(0)->data(Qt::UserRole), QVariant("untouched"));

        list1()->setCurrentRow(0);
        button("cmdDelete")->click();
        list1()->setCurrentRow(1);
        button("cmdDeleteScore")->click();
        button("cmdInsert2")->click();
        button("cmdSave")->click();
        QCOMPARE(rowsOf(list1()),
                 (QStringList{"Level001=", "Level002=CCCC", "Level003=", "Level004=WXYZ"}));
        QCOMPARE(rowsOf(find<QListWidget>("List2")), QStringList{"Highest Level=4"});
        QVERIFY(m_platform->messages.empty());

        button("Command3")->click();
        QVERIFY(!m_window->isVisible());
    }

    void everyMessageTheWindowShows() {
        getInfo("[mine.dat]\r\nLevel1=AAAA,10,600\r\n", "mine.dat");
        m_platform->lineInputs = {"abc", "ABCDEFGHIJ"};
        button("cmdChangeScore")->click();
        expectMessage("Error - not a valid level time", "Tessaro", MessageIcon::Information);
        expectDialog("Enter New Time", "Enter your new time for the level:");
        button("cmdChangePass")->click();
        expectMessage("Error - invalid password", "Tessaro", MessageIcon::Information);
        expectDialog("Enter New Password",
                     "Enter the new password (1-9 characters, 4 is preferred):");

        std::string many;
        for (int i = 1; i <= 999; ++i)
            many += "[set" + std::to_string(i) + ".dat]\r\n";
        m_folder->write("scores.ini", many + "[mine.dat]\r\n");
        button("cmdSave")->click();
        expectMessage("Error - More than 999 level sets in the INI file, saving could not "
                      "continue.\nPlease use Save As if you would like to save these scores.");

        std::filesystem::remove(*m_folder / "scores.ini");
        button("cmdSave")->click();
        expectMessage("Error - The INI file couldn't be read, saving could not continue.\n"
                      "Please use Save As if you would like to save these scores.");
        QVERIFY(!std::filesystem::exists(*m_folder / "scores.ini"));

        // Save As still writes the edits; Cancel or an empty name does nothing.
        m_platform->cancelFileDialog();
        m_platform->chooseFile("", "");
        m_platform->chooseFile((*m_folder / "copy.ini").string(), "copy.ini");
        m_platform->chooseFile((*m_folder / "no" / "copy.ini").string(), "copy.ini");
        for (int i = 0; i < 3; ++i)
            button("cmdSaveAs")->click();
        QCOMPARE(m_platform->messages.size(), std::size_t(4));
        QVERIFY(std::filesystem::exists(*m_folder / "copy.ini"));
        expectDialog("Save To File", "Chip's Challenge score files (.ini)|*.ini");
        button("cmdSaveAs")->click();
        expectMessage("Error - The file couldn't be written, the scores were not saved.");

        getInfoAt((*m_folder / "x.ini").string(), "mine.dat");
        expectMessage("The INI file couldn't be opened.");

        // A file that reads but is marked read-only.
        const auto locked = m_folder->write("scores.ini", "[mine.dat]\r\n");
        std::filesystem::permissions(locked, std::filesystem::perms::owner_read);
        getInfoAt(locked.string(), "mine.dat");
        button("cmdSave")->click();
        expectMessage("Error - The INI file couldn't be written, saving could not continue.\n"
                      "Please use Save As if you would like to save these scores.");
        QCOMPARE(m_platform->messages.size(), std::size_t(7));

        std::string full = "[mine.dat]\r\n";
        for (int i = 1; i <= 999; ++i)
            full += "Level" + std::to_string(i) + "=\r\n";
        getInfo(full, "mine.dat");
        list1()->setCurrentRow(0);
        button("cmdInsert1")->click();
        expectMessage("Error - there are already 999 levels in this set");
        QCOMPARE(list1()->count(), 999);
        getInfo("[mine.dat]\r\nLevel1=A\r\nLevel1=B\r\n", "mine.dat");
        list1()->setCurrentRow(0);
        button("cmdDelete")->click();
        expectMessage(
            "Error - deleting this entry would renumber Level001 to Level000. Levels must "
            "be numbered 1 to 999.");
        QCOMPARE(rowsOf(list1()), (QStringList{"Level001=A", "Level001=B"}));
    }

    // Exit, the close button and the main window's Exit all ask first when
    // the entries changed; Cancel keeps the window and the edits.
    void closingWithUnsavedEditsAsks() {
        getInfo("[mine.dat]\r\nLevel1=AAAA,10,600\r\n", "mine.dat");
        list1()->setCurrentRow(0);
        button("cmdDeleteScore")->click();
        m_platform->answer(MessageAnswer::Cancel);
        button("Command3")->click();
        QCOMPARE(m_platform->lastMessage(),
                 (test::RecordedMessage{
                     "Save changes to " + (*m_folder / "scores.ini").string() + "?",
                     "INI File Editor", MessageIcon::Question, MessageButtons::YesNoCancel}));
        QVERIFY(m_window->isVisible());
        QCOMPARE(rowsOf(list1()), QStringList{"Level001=AAAA"});
        m_platform->answer(MessageAnswer::Yes);
        QVERIFY(m_window->close());
        QCOMPARE(m_folder->read("scores.ini"),
                 std::string("[mine.dat]\r\nCurrent Score=0\r\nLevel1=AAAA\r\n"));
    }
};

TESSARO_GUI_TEST(IniEditorWindowTest)

} // namespace tessaro

#include "inieditorwindow_test.moc"
