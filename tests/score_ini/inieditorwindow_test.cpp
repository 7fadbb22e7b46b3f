#include "score_ini/inieditorwindow.h"
#include "support/guitest.h"
#include "support/scriptedplatform.h"
#include "support/tempfolder.h"

#include <QAbstractItemModelTester>
#include <QLineEdit>
#include <QListView>
#include <QListWidget>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>

#include <memory>

namespace tessaro {

namespace {

// Every button in the window's order; the ten between Get Info and Exit edit a loaded set.
const char* const kButtons[] = {"Command1",       "cmdInfo",       "cmdInsert1", "cmdInsert2",
                                "cmdMoveUp",      "cmdMoveDown",   "cmdDelete",  "cmdDeleteScore",
                                "cmdChangeScore", "cmdChangePass", "cmdSave",    "cmdSaveAs",
                                "Command3"};

} // namespace

class IniEditorWindowTest : public QObject {
    Q_OBJECT

    std::unique_ptr<test::ScriptedPlatform> m_platform;
    std::unique_ptr<test::TempFolder> m_folder;
    std::unique_ptr<IniEditorWindow> m_window;

    template <typename T = QWidget> T* find(const char* name) {
        return test::control<T>(*m_window, name);
    }
    void click(const char* name) { find<QPushButton>(name)->click(); }
    QListView* levels() { return find<QListView>("List1"); }
    QStringList rows() {
        QStringList rows;
        for (int i = 0; i < levels()->model()->rowCount(); ++i)
            rows.append(levels()->model()->index(i, 0).data().toString());
        return rows;
    }
    void select(int row) { levels()->setCurrentIndex(levels()->model()->index(row, 0)); }
    int enabledEditButtons() {
        int enabled = 0;
        for (int i = 2; i < 12; ++i)
            enabled += find(kButtons[i])->isEnabled() ? 1 : 0;
        return enabled;
    }

private Q_SLOTS:
    void init() {
        m_window.reset();
        m_platform = std::make_unique<test::ScriptedPlatform>();
        m_folder = std::make_unique<test::TempFolder>();
        m_window = std::make_unique<IniEditorWindow>(*m_platform);
        m_window->show();
    }

    void editingWaitsForASuccessfulGetInfo() {
        QCOMPARE(test::captions(*m_window, {"Form5", "Label1", "Label2"}),
                 QString("INI File Editor|INI file:|DAT/CCL/CCF file name:\n(include the "
                         "extension)\nNote - if the INI has only one level set in it, you might "
                         "have to type \"Chip's Challenge\" here."));
        QStringList captions;
        for (const char* name : kButtons)
            captions.append(find<QPushButton>(name)->text());
        QCOMPARE(captions.join('|'), QString("Browse|Get Info|Insert Before|Insert After|Move Up|"
                                             "Move Down|Delete Entry|Delete Score|Change Time|"
                                             "Change Password|Save|Save As|Exit"));
        QCOMPARE(enabledEditButtons(), 0);
        QVERIFY(!find("List2")->isVisible());

        const auto file = m_folder->write(
            "scores.ini", "[mine.dat]\r\nLevel3=CCCC\r\nHighest Level=2\r\nLevel1=AAAA\r\n");
        m_platform->chooseFile(file.string(), "scores.ini");
        click("Command1");
        QCOMPARE(find<QLineEdit>("Text1")->text().toStdString(), file.string());
        QTest::keyClicks(find("Text2"), "MINE.dat");
        click("cmdInfo");
        QCOMPARE(enabledEditButtons(), 0);
        find<QLineEdit>("Text2")->setText("mine.dat");
        click("cmdInfo");
        QCOMPARE(rows(), (QStringList{"Level001=AAAA", "Level003=CCCC"}));
        QCOMPARE(find<QListWidget>("List2")->item(0)->text(), QString("Highest Level=2"));
        QCOMPARE(enabledEditButtons(), 10);
    }

    // The level list hears of each changed row; it is built only once per Get Info.
    void eachButtonEditsTheListRowByRowAndSaves() {
        QAbstractItemModelTester tester(levels()->model(),
                                        QAbstractItemModelTester::FailureReportingMode::QtTest);
        QSignalSpy rebuilt(levels()->model(), &QAbstractItemModel::modelReset);
        const auto file = m_folder->write("scores.ini", "[mine.dat]\r\nHighest Level=3\r\n"
                                                        "Level1=AAAA\r\nLevel2=BBBB\r\n"
                                                        "Level3=CCCC,120,2160\r\n");
        find<QLineEdit>("Text1")->setText(QString::fromStdString(file.string()));
        find<QLineEdit>("Text2")->setText("mine.dat");
        click("cmdInfo");
        select(2);
        click("cmdMoveUp");
        click("cmdInsert1");
        QCOMPARE(levels()->currentIndex().row(), 2);
        m_platform->lineInputs = {"100", "WXYZ"};
        click("cmdChangeScore");
        select(3);
        click("cmdChangePass");
        click("cmdMoveDown"); // the last one stays
        QCOMPARE(rows(), (QStringList{"Level001=AAAA", "Level002=", "Level003=CCCC,100,1960",
                                      "Level004=WXYZ"}));

        select(0);
        click("cmdDelete");
        select(1);
        click("cmdDeleteScore");
        click("cmdInsert2");
        click("cmdSave");
        QCOMPARE(rows(), (QStringList{"Level001=", "Level002=CCCC", "Level003=", "Level004=WXYZ"}));
        QCOMPARE(find<QListWidget>("List2")->item(0)->text(), QString("Highest Level=4"));
        QCOMPARE(rebuilt.count(), 1);
        QVERIFY(m_platform->messages.empty());

        m_platform->chooseFile((*m_folder / "copy.ini").string(), "copy.ini");
        click("cmdSaveAs");
        QVERIFY(std::filesystem::exists(*m_folder / "copy.ini"));
        click("Command3");
        QVERIFY(!m_window->isVisible());
        QCOMPARE(m_platform->unscriptedQuestions, 0);
    }
};

TESSARO_GUI_TEST(IniEditorWindowTest)

} // namespace tessaro

#include "inieditorwindow_test.moc"
