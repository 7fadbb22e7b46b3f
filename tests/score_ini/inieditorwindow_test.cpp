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

const char* const kEditingButtons[] = {
    "cmdInsert1",     "cmdInsert2",     "cmdMoveUp",     "cmdMoveDown", "cmdDelete",
    "cmdDeleteScore", "cmdChangeScore", "cmdChangePass", "cmdSave",     "cmdSaveAs"};

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

    // Types the file and set name and presses "Get Info".
    void getInfo(const std::string& fileText, const QString& setName) {
        find<QLineEdit>("Text1")->setText(
            QString::fromStdString(m_folder->write("scores.ini", fileText).string()));
        find<QLineEdit>("Text2")->setText(setName);
        button("cmdInfo")->click();
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

    void opensEmptyWithCaptionsAndTheEditingButtonsOff() {
        QCOMPARE(m_window->objectName(), QString("Form5"));
        QCOMPARE(m_window->windowTitle(), QString("INI File Editor"));
        QCOMPARE(find<QLabel>("Label1")->text(), QString("INI file:"));
        QCOMPARE(find<QLabel>("Label2")->text(),
                 QString("DAT/CCL/CCF file name:\n(include the extension)\nNote - if the INI has "
                         "only one level set in it, you might have to type \"Chip's "
                         "Challenge\" here."));
        const std::pair<const char*, const char*> captions[] = {
            {"Command1", "Browse"},
            {"cmdInfo", "Get Info"},
            {"cmdInsert1", "Insert Before"},
            {"cmdInsert2", "Insert After"},
            {"cmdMoveUp", "Move Up"},
            {"cmdMoveDown", "Move Down"},
            {"cmdDelete", "Delete Entry"},
            {"cmdDeleteScore", "Delete Score"},
            {"cmdChangeScore", "Change Time"},
            {"cmdChangePass", "Change Password"},
            {"cmdSave", "Save"},
            {"cmdSaveAs", "Save As"},
            {"Command3", "Exit"}};
        for (const auto& [name, caption] : captions)
            QCOMPARE(button(name)->text(), QString(caption));
        for (const char* name : kEditingButtons)
            QVERIFY2(!button(name)->isEnabled(), name);
        for (const char* name : {"Command1", "cmdInfo", "Command3"})
            QVERIFY2(button(name)->isEnabled(), name);
        QVERIFY(find<QLineEdit>("Text1")->text().isEmpty());
        QVERIFY(find<QLineEdit>("Text2")->text().isEmpty());
        QCOMPARE(list1()->count(), 0);
        QVERIFY(!find<QListWidget>("List2")->isVisible());
    }

    void controlsStandWhereThePlayerExpectsThem() {
        m_window->resize(640, 520);
        QCoreApplication::processEvents();
        const auto at = [this](const char* name) {
            auto* widget = find(name);
            return QRect(widget->mapTo(m_window.get(), QPoint(0, 0)), widget->size());
        };
        QVERIFY(at("Text1").bottom() < at("Label2").top());
        QCOMPARE(at("Text2").top(), at("Label2").top());
        QVERIFY(at("cmdInfo").top() > at("Text2").bottom());
        QVERIFY(at("List1").top() > at("cmdInfo").bottom());
        const char* column[] = {"cmdInsert1", "cmdInsert2",     "cmdMoveUp",      "cmdMoveDown",
                                "cmdDelete",  "cmdDeleteScore", "cmdChangeScore", "cmdChangePass"};
        for (std::size_t i = 0; i < std::size(column); ++i) {
            QVERIFY(at(column[i]).left() > at("List1").right());
            if (i > 0)
                QVERIFY(at(column[i]).top() > at(column[i - 1]).bottom());
        }
        for (const char* name : {"cmdSave", "cmdSaveAs", "Command3"}) {
            QVERIFY(at(name).top() > at("List1").bottom());
            QCOMPARE(at(name).top(), at("cmdSave").top());
        }
        QVERIFY(at("cmdSave").right() < at("cmdSaveAs").left());
        QVERIFY(at("cmdSaveAs").right() < at("Command3").left());

        // The list takes the room a larger window gives.
        const int listHeight = at("List1").height();
        m_window->resize(640, 720);
        QCoreApplication::processEvents();
        QVERIFY(at("List1").height() > listHeight);
    }

    void getInfoShowsTheSetAndEnablesEditing() {
        const std::string startFolder = scoreFileStartFolder(StartFolderEnvironment::fromSystem());
        m_platform->cancelFileDialog();
        button("Command1")->click();
        QVERIFY(find<QLineEdit>("Text1")->text().isEmpty());
        const auto& browse = m_platform->dialogs.back();
        QCOMPARE(browse.title, std::string("Browse for INI File"));
        QCOMPARE(browse.filterOrPrompt, std::string("Chip's Challenge score files (.ini)|*.ini"));
        QCOMPARE(browse.startFolderOrDefault, startFolder);
        m_platform->chooseFile((*m_folder / "picked.ini").string(), "picked.ini");
        button("Command1")->click();
        QCOMPARE(find<QLineEdit>("Text1")->text().toStdString(),
                 (*m_folder / "picked.ini").string());

        getInfo("[other.dat]\r\nLevel1=X\r\n[mine.dat]\r\nLevel3=CCCC,120,2160\r\n"
                "Highest Level=2\r\nLevel1=AAAA\r\n",
                "mine.dat");
        QCOMPARE(rowsOf(list1()), (QStringList{"Level001=AAAA", "Level003=CCCC,120,2160"}));
        QCOMPARE(list1()->currentRow(), -1);
        QCOMPARE(rowsOf(find<QListWidget>("List2")), QStringList{"Highest Level=2"});
        for (const char* name : kEditingButtons)
            QVERIFY2(button(name)->isEnabled(), name);
        QVERIFY(m_platform->messages.empty());
    }

    void editingButtonsRenumberRescoreAndSave() {
        getInfo("[mine.dat]\r\nLevel1=AAAA\r\nLevel2=BBBB\r\nLevel3=CCCC,120,2160\r\n", "mine.dat");
        list1()->setCurrentRow(2);
        button("cmdMoveUp")->click();
        QCOMPARE(rowsOf(list1()),
                 (QStringList{"Level001=AAAA", "Level002=CCCC,120,1840", "Level003=BBBB"}));
        QCOMPARE(list1()->currentRow(), 1);

        button("cmdInsert1")->click();
        QCOMPARE(
            rowsOf(list1()),
            (QStringList{"Level001=AAAA", "Level002=", "Level003=CCCC,120,2160", "Level004=BBBB"}));
        QCOMPARE(list1()->currentRow(), 2);

        m_platform->lineInputs = {"100", "WXYZ"};
        button("cmdChangeScore")->click();
        list1()->setCurrentRow(3);
        button("cmdChangePass")->click();
        button("cmdMoveDown")->click(); // the last one stays
        list1()->setCurrentRow(0);
        button("cmdDelete")->click();
        QCOMPARE(rowsOf(list1()),
                 (QStringList{"Level001=", "Level002=CCCC,100,1640", "Level003=WXYZ"}));
        QCOMPARE(list1()->currentRow(), 0);
        list1()->setCurrentRow(1);
        button("cmdDeleteScore")->click();
        button("cmdInsert2")->click();

        button("cmdSave")->click();
        QVERIFY(m_platform->messages.empty());
        QCOMPARE(m_folder->read("scores.ini"),
                 std::string("[mine.dat]\r\nCurrent Score=0\r\nLevel1=\r\nLevel2=CCCC\r\n"
                             "Level3=\r\nLevel4=WXYZ\r\n"));

        button("Command3")->click();
        QVERIFY(!m_window->isVisible());
    }

    void everyMessageTheWindowShows() {
        getInfo("[mine.dat]\r\nLevel1=AAAA,10,600\r\n", "mine.dat");
        list1()->setCurrentRow(0);
        m_platform->lineInputs = {"abc", "ABCDEFGHIJ"};
        button("cmdChangeScore")->click();
        expectMessage("Error - not a valid level time", "Tessaro", MessageIcon::Information);
        QCOMPARE(m_platform->dialogs.back().title, std::string("Enter New Time"));
        QCOMPARE(m_platform->dialogs.back().filterOrPrompt,
                 std::string("Enter your new time for the level:"));
        button("cmdChangePass")->click();
        expectMessage("Error - invalid password", "Tessaro", MessageIcon::Information);
        QCOMPARE(m_platform->dialogs.back().title, std::string("Enter New Password"));
        QCOMPARE(m_platform->dialogs.back().filterOrPrompt,
                 std::string("Enter the new password (1-9 characters, 4 is preferred):"));
        QCOMPARE(list1()->item(0)->text(), QString("Level001=AAAA,10,600"));

        std::string many;
        for (int i = 1; i <= 999; ++i)
            many += "[set" + std::to_string(i) + ".dat]\r\n";
        m_folder->write("scores.ini", many + "[mine.dat]\r\n");
        button("cmdSave")->click();
        expectMessage("Error - More than 999 level sets in the INI file, saving could not "
                      "continue.\nPlease use Save As if you would like to save these scores.");
        QCOMPARE(m_folder->read("scores.ini"), many + "[mine.dat]\r\n");

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
        QCOMPARE(m_folder->read("copy.ini"),
                 std::string("[mine.dat]\r\nCurrent Score=600\r\nLevel1=AAAA,10,600\r\n\r\n"));
        const auto& saveAs = m_platform->dialogs.back();
        QCOMPARE(saveAs.title, std::string("Save To File"));
        QCOMPARE(saveAs.filterOrPrompt, std::string("Chip's Challenge score files (.ini)|*.ini"));
        QCOMPARE(saveAs.startFolderOrDefault,
                 scoreFileStartFolder(StartFolderEnvironment::fromSystem()));
        button("cmdSaveAs")->click();
        expectMessage("Error - The file couldn't be written, the scores were not saved.");

        getInfo("[mine.dat]\r\nLevel1=NEW\r\n", "Mine.dat");
        expectMessage("The specified level set couldn't be found in the INI file.");
        find<QLineEdit>("Text1")->setText(QString::fromStdString((*m_folder / "x.ini").string()));
        button("cmdInfo")->click();
        expectMessage("The INI file couldn't be opened.");
        QCOMPARE(list1()->item(0)->text(), QString("Level001=AAAA,10,600"));
        QCOMPARE(m_platform->messages.size(), std::size_t(7));
    }
};

TESSARO_GUI_TEST(IniEditorWindowTest)

} // namespace tessaro

#include "inieditorwindow_test.moc"
