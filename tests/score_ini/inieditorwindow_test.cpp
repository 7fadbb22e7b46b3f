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
};

TESSARO_GUI_TEST(IniEditorWindowTest)

} // namespace tessaro

#include "inieditorwindow_test.moc"
