#include "ccx/ccxeditorwindow.h"
#include "common/textfile.h"
#include "support/guitest.h"

#include <QAction>
#include <QGroupBox>
#include <QLabel>
#include <QListView>
#include <QPlainTextEdit>
#include <QTest>
#include <QTextBrowser>

namespace tessaro {

class CcxEditorWindowTest : public QObject {
    Q_OBJECT

private Q_SLOTS:
    // Captions and questions, then a set made by New (3 levels, "made" saved as made.ccx), saved
    // and reopened.
    void makesASetAndFindsItAgain() {
        test::Doubles f;
        CcxEditorWindow window{f.platform};
        const auto path = (f.folder / "made.ccx").string();
        f.platform.answer(MessageAnswer::Yes);
        f.platform.lineInputs.push_back("3");
        f.platform.chooseFile((f.folder / "made").string(), "made"); // typed without ".ccx"
        window.show();
        QApplication::processEvents();
        const auto click = [&window](const char* name) { test::click(window, name); };
        const auto checked = [&window](const char* name) {
            return test::control<QAbstractButton>(window, name)->isChecked();
        };
        auto* preview = test::control<QTextBrowser>(window, "pagePreview");
        QCOMPARE(window.objectName() + "|" + window.windowTitle(), "Form6|CCX File Editor");
        QStringList shown{test::control<QMenu>(window, "menuFile")->title().remove('&')};
        for (auto* action : test::control<QMenu>(window, "menuFile")->actions())
            shown << action->objectName() + "=" + action->text() + "=" +
                         action->shortcut().toString();
        QCOMPARE(shown.join('|'), "File|menuNew=New=Ctrl+N|menuOpen=Open=Ctrl+O|"
                                  "menuSave=Save=Ctrl+S|==|menuExit=Exit=");
        // Buttons, check boxes and options as name=caption; labels and frames.
        for (auto* button : window.findChildren<QAbstractButton*>())
            shown << button->objectName() + "=" + button->text();
        for (auto* label : window.findChildren<QLabel*>())
            shown << label->text();
        for (auto* frame : window.findChildren<QGroupBox*>())
            shown << frame->title();
        const QString expected =
            "insertBefore=Insert Before|insertAfter=Insert After|delete=Delete|"
            "deleteAndShift=Delete and Renumber|moveUp=Move Up|moveDown=Move Down|pageLeft=<|"
            "pageRight=>|addPage=Add Page|deletePage=Delete Page|bgColor=Background|"
            "fontColor=Font|bgColorSet=Background|fontColorSet=Font|importList=Import Titles|"
            "Check1=Set default colors|Check2=Set colors for this page only|prologue=Prologue|"
            "epilogue=Epilogue|msYes=Yes|msNo=No|msIgnore=Ignore|lynxYes=Yes|lynxNo=No|"
            "lynxIgnore=Ignore|pedYes=Yes|pedNo=No|pedIgnore=Ignore|levelMsYes=Yes|levelMsNo=No|"
            "levelMsIg=Ignore|levelLxYes=Yes|levelLxNo=No|levelLxIg=Ignore|levelPedYes=Yes|"
            "levelPedNo=No|levelPedIg=Ignore|Set name:|Set author:|Set compatibility:|"
            "List of levels:|Level number:|Level title:|Level author:|Level compatibility:|"
            "Color|MS|Lynx|Pedantic|Page 1 of 0|1";
        for (const QString& caption : expected.split('|'))
            QVERIFY2(shown.contains(caption), qPrintable(caption));

        QTest::keyClicks(test::control(window, "setDescription"), "Harbour Lights");
        QTest::keyClicks(test::control(window, "setAuthor"), "Mira");
        click("msYes");
        f.platform.colors = {0x402010, 0x0000FF, 0x00FFFF};
        click("bgColorSet");
        QTest::keyClicks(test::control(window, "levelTitle"), "Quay");
        QTest::keyClicks(test::control(window, "levelAuthor"), "Ann");
        click("levelLxNo");
        click("addPage");
        auto* page = test::control<QPlainTextEdit>(window, "thePage");
        QTest::keyClicks(page, "<b>Welcome</b>");
        QCOMPARE(preview->toPlainText(), QString("Welcome"));
        QCOMPARE(preview->palette().color(QPalette::Base), QColor(0x102040)); // the set's colours
        click("bgColor");
        click("fontColor");
        QCOMPARE(preview->palette().color(QPalette::Base), QColor(0xFF, 0, 0)); // the page's own
        click("addPage");
        click("pageRight");
        const auto pageShown = test::captions(window, {"pageNum"});
        click("pageLeft");
        QCOMPARE(pageShown + "|" + test::captions(window, {"pageNum"}), "Page 2 of 2|Page 1 of 2");
        test::saveScreenshot(window, "Form6");

        // Titles from a Tabulin report, then level 3 moved up.
        f.platform.chooseFile(TESSARO_TEST_DATA "/ccx/tabulin/beach-and-cave.txt", "report.txt");
        f.platform.answer(MessageAnswer::No);
        click("importList");
        auto* list = test::control<QListView>(window, "levelList");
        list->setCurrentIndex(list->model()->index(2, 0));
        click("moveUp");
        QCOMPARE(list->currentIndex().data().toString(), "2. Cave");
        QCOMPARE(test::captions(window, {"levelTitle", "curLevNum"}), "Cave|2");

        test::control<QAction>(window, "menuSave")->trigger();
        const auto saved = readFileBytes(path).value().str();
        QVERIFY(saved.find("\tbgcolor=\"#102040\" color=\"#FFFFFF\"\r\n") != std::string::npos);

        f.platform.chooseFile(path, "made.ccx");
        f.platform.answer(MessageAnswer::No);
        test::control<QAction>(window, "menuOpen")->trigger();
        QCOMPARE(test::captions(window, {"setDescription", "setAuthor", "levelAuthor", "pageNum"}),
                 "Harbour Lights|Mira|Ann|Page 1 of 2");
        QVERIFY(checked("msYes") && checked("Check1") && checked("levelLxNo"));
        QCOMPARE(page->toPlainText(), QString("<b>Welcome</b>"));
        QCOMPARE(preview->palette().color(QPalette::Base), QColor(0xFF, 0, 0)); // Check2 ticked

        // A pane chosen by keyboard runs Choose Pane as a press does.
        test::control(window, "prologue")->setFocus();
        QTest::keyClick(test::control(window, "prologue"), Qt::Key_Right);
        QApplication::processEvents();
        QVERIFY(checked("epilogue"));
        QCOMPARE(test::focused(window), QString("addPage"));

        // File > Exit asks as closing does (the hub's test has Cancel keep the window open).
        f.platform.answer(MessageAnswer::No);
        test::control<QAction>(window, "menuExit")->trigger();
        QVERIFY(!window.isVisible());
        QCOMPARE(f.platform.unscriptedQuestions, 0);
    }
};

TESSARO_GUI_TEST(CcxEditorWindowTest)

} // namespace tessaro

#include "ccxeditorwindow_test.moc"
