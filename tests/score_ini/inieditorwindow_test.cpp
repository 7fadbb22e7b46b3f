#include "common/paths.h"
#include "score_ini/inieditorwindow.h"
#include "support/guitest.h"

#include <QAbstractItemModelTester>
#include <QLineEdit>
#include <QListView>
#include <QListWidget>
#include <QSignalSpy>
#include <QTest>

namespace tessaro {

class IniEditorWindowTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    // The level list hears of each changed row; it is built once per Get Info.
    void eachButtonEditsTheListRowByRow() {
        test::Doubles d;
        IniEditorWindow window(d.platform);
        window.show();
        auto* list = test::control<QListView>(window, "List1");
        QAbstractItemModelTester tester(list->model(),
                                        QAbstractItemModelTester::FailureReportingMode::QtTest);
        QSignalSpy rebuilt(list->model(), &QAbstractItemModel::modelReset);
        QSignalSpy changed(list->model(), &QAbstractItemModel::dataChanged);
        const auto rows = [list] {
            QStringList rows;
            for (int i = 0; i < list->model()->rowCount(); ++i)
                rows << list->model()->index(i, 0).data().toString();
            return rows.join(' ');
        };
        const auto select = [list](int row) {
            list->setCurrentIndex(list->model()->index(row, 0));
        };
        const auto clickAll = [&](std::initializer_list<const char*> buttons) {
            for (const char* button : buttons)
                test::click(window, button);
        };
        const auto editButtons = {"cmdInsert1", "cmdInsert2",     "cmdMoveUp",      "cmdMoveDown",
                                  "cmdDelete",  "cmdDeleteScore", "cmdChangeScore", "cmdChangePass",
                                  "cmdSave",    "cmdSaveAs"};
        QCOMPARE(test::captions(window, {"Form5", "Label1", "Label2", "Command1", "cmdInfo"}),
                 QString("INI File Editor|INI file:|DAT/CCL/CCF file name:\n(include the "
                         "extension)\nNote - if the INI has only one level set in it, you might "
                         "have to type \"Chip's Challenge\" here.|Browse|Get Info"));
        QCOMPARE(test::captions(window, editButtons) + "|" + test::captions(window, {"Command3"}),
                 QString("Insert Before|Insert After|Move Up|Move Down|Delete Entry|Delete Score|"
                         "Change Time|Change Password|Save|Save As|Exit"));
        for (const char* button : editButtons)
            QVERIFY2(!test::control(window, button)->isEnabled(), button);
        QVERIFY(!test::control(window, "List2")->isVisible());

        const auto file = d.folder.write("scores.ini", "[mine.dat]\r\nHighest Level=3\r\n"
                                                       "Level1=AAAA\r\nLevel2=BBBB\r\n"
                                                       "Level3=CCCC,120,2160\r\n");
        d.platform.chooseFile(file.string(), "scores.ini");
        test::click(window, "Command1");
        QTest::keyClicks(test::control(window, "Text2"), "mine.dat");
        test::click(window, "cmdInfo");
        QCOMPARE(rows(), QString("Level001=AAAA Level002=BBBB Level003=CCCC,120,2160"));
        for (const char* button : editButtons)
            QVERIFY2(test::control(window, button)->isEnabled(), button);

        select(2);
        clickAll({"cmdMoveUp", "cmdInsert1"});
        QCOMPARE(list->currentIndex().row(), 2);
        d.platform.lineInputs = {"100", "WXYZ"};
        test::click(window, "cmdChangeScore");
        QVERIFY(!changed.isEmpty());
        QCOMPARE(changed.back().at(0).toModelIndex().row(), 2);
        select(3);
        clickAll({"cmdChangePass", "cmdMoveDown"}); // the last one stays
        QCOMPARE(rows(), QString("Level001=AAAA Level002= Level003=CCCC,100,1960 Level004=WXYZ"));
        select(1);
        clickAll({"cmdDelete", "cmdDeleteScore", "cmdInsert2", "cmdSave"});
        QCOMPARE(rows(), QString("Level001=AAAA Level002=CCCC Level003= Level004=WXYZ"));
        QCOMPARE(test::control<QListWidget>(window, "List2")->item(0)->text(),
                 QString("Highest Level=4"));
        QCOMPARE(rebuilt.count(), 1);
        d.platform.chooseFile((d.folder / "copy.ini").string(), "copy.ini");
        test::click(window, "cmdSaveAs");
        QVERIFY(std::filesystem::exists(d.folder / "copy.ini"));
        QVERIFY(d.platform.messages.empty());

        test::click(window, "Command3");
        QVERIFY(!window.isVisible());
    }

    // Enter in the set name runs Get Info; a name outside ASCII is found as
    // the game wrote it.
    void enterFindsTheSetAsTheGameNamedIt() {
        test::Doubles d;
        IniEditorWindow window(d.platform);
        window.show();
        const auto file = d.folder.write("Иван/scores.ini", "[Caf\xE9.dat]\r\nLevel1=CAFE\r\n");
        test::control<QLineEdit>(window, "Text1")->setText(QString::fromStdString(fromPath(file)));
        test::control<QLineEdit>(window, "Text2")->setText(QString::fromUtf8("Café.dat"));
        QTest::keyClick(test::control(window, "Text2"), Qt::Key_Return);
        auto* list = test::control<QListView>(window, "List1");
        QCOMPARE(list->model()->rowCount(), 1);
        QCOMPARE(list->model()->index(0, 0).data().toString(), QString("Level001=CAFE"));
    }

    // Exit and the close button ask first when the entries changed; Cancel
    // keeps the window and the edits.
    void closingWithUnsavedEditsAsks() {
        test::Doubles d;
        IniEditorWindow window(d.platform);
        window.show();
        const auto file = d.folder.write("scores.ini", "[mine.dat]\r\nLevel1=AAAA,10,600\r\n");
        test::control<QLineEdit>(window, "Text1")->setText(QString::fromStdString(file.string()));
        test::control<QLineEdit>(window, "Text2")->setText("mine.dat");
        test::click(window, "cmdInfo");
        auto* list = test::control<QListView>(window, "List1");
        list->setCurrentIndex(list->model()->index(0, 0));
        test::click(window, "cmdDeleteScore");
        d.platform.answer(MessageAnswer::Cancel);
        test::click(window, "Command3");
        QCOMPARE(d.platform.lastMessage(),
                 (test::RecordedMessage{"Save changes to " + file.string() + "?", "INI File Editor",
                                        MessageIcon::Question, MessageButtons::YesNoCancel}));
        QVERIFY(window.isVisible());
        QCOMPARE(list->model()->index(0, 0).data().toString(), QString("Level001=AAAA"));
        d.platform.answer(MessageAnswer::Yes);
        QVERIFY(window.close());
        QCOMPARE(d.folder.read("scores.ini"),
                 std::string("[mine.dat]\r\nCurrent Score=0\r\nLevel1=AAAA\r\n"));
    }
};

TESSARO_GUI_TEST(IniEditorWindowTest)

} // namespace tessaro

#include "inieditorwindow_test.moc"
