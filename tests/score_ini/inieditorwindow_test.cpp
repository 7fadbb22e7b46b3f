#include "common/paths.h"
#include "score_ini/inieditorwindow.h"
#include "support/guitest.h"

#include <QAbstractItemModelTester>
#include <QLineEdit>
#include <QListView>
#include <QSignalSpy>
#include <QTest>

namespace tessaro {

class IniEditorWindowTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    // Enter in the set name runs Get Info, finding the set by its name in the game's code page.
    void buttonsEditTheListRowByRow() {
        test::Doubles d;
        IniEditorWindow window(d.platform);
        window.show();
        auto* list = test::control<QListView>(window, "List1");
        QAbstractItemModelTester tester(list->model()); // failures fail the test
        QSignalSpy changed(list->model(), &QAbstractItemModel::dataChanged);
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

        const auto file =
            d.folder.write("Иван/scores.ini", "[Don\x92t.dat]\r\nHighest Level=2\r\n"
                                              "Level1=AAAA\r\nLevel2=BBBB,120,1840\r\n");
        d.platform.chooseFile(fromPath(file), "scores.ini");
        test::click(window, "Command1");
        test::control<QLineEdit>(window, "Text2")->setText(QString::fromUtf8("Don’t.dat"));
        QTest::keyClick(test::control(window, "Text2"), Qt::Key_Return);
        QCOMPARE(list->model()->rowCount(), 2);
        for (const char* button : editButtons)
            QVERIFY2(test::control(window, button)->isEnabled(), button);

        list->setCurrentIndex(list->model()->index(1, 0));
        test::click(window, "cmdMoveUp");
        QCOMPARE(changed.back().at(0).toModelIndex().row(), 0);
        QCOMPARE(list->currentIndex().row(), 0);
        test::click(window, "cmdInsert2");
        d.platform.lineInputs = {"100"};
        test::click(window, "cmdChangeScore");
        QCOMPARE(changed.back().at(0).toModelIndex().row(), 0);
        QCOMPARE(list->model()->index(0, 0).data().toString(), QString("Level001=BBBB,100,1400"));
        test::click(window, "cmdSave");
        QCOMPARE(d.folder.read("Иван/scores.ini"),
                 "[Don\x92t.dat]\r\nHighest Level=3\r\nCurrent Score=1400\r\n"
                 "Level1=BBBB,100,1400\r\nLevel2=\r\nLevel3=AAAA\r\n");

        // Exit and the close button ask first; Cancel keeps the window and the edits, Yes saves.
        test::click(window, "cmdDeleteScore");
        d.platform.answer(MessageAnswer::Cancel);
        test::click(window, "Command3");
        QVERIFY(window.isVisible());
        QCOMPARE(list->model()->index(0, 0).data().toString(), QString("Level001=BBBB"));
        d.platform.answer(MessageAnswer::Yes);
        QVERIFY(window.close());
        QVERIFY(d.folder.read("Иван/scores.ini").find("Level1=BBBB\r\n") != std::string::npos);
    }
};

TESSARO_GUI_TEST(IniEditorWindowTest)

} // namespace tessaro

#include "inieditorwindow_test.moc"
