#include "ccx/ccxeditorwindow.h"
#include "common/textfile.h"
#include "support/guitest.h"

#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QGroupBox>
#include <QLabel>
#include <QListView>
#include <QMenu>
#include <QPlainTextEdit>
#include <QTest>
#include <QTextBrowser>

namespace tessaro {
namespace {

// The editor window, shown and started with New: 3 levels, to be saved as made.ccx.
struct Fixture : test::Doubles {
    CcxEditorWindow window{platform};
    std::string path = (folder / "made.ccx").string();

    Fixture() {
        platform.answer(MessageAnswer::Yes);
        platform.lineInputs.push_back("3");
        platform.chooseFile(path, "made.ccx");
        window.show();
        QApplication::processEvents();
    }
    template <typename T = QWidget> T* control(const char* name) {
        return test::control<T>(window, name);
    }
    void click(const char* name) { test::click(window, name); }
    bool checked(const char* name) { return control<QAbstractButton>(name)->isChecked(); }
    void trigger(const char* name) { control<QAction>(name)->trigger(); }
    QColor previewBackground() {
        return control<QTextBrowser>("pagePreview")->palette().color(QPalette::Base);
    }
};

} // namespace

class CcxEditorWindowTest : public QObject {
    Q_OBJECT

private Q_SLOTS:
    // Captions and questions, then a set made, saved and opened again.
    void makesASetAndFindsItAgain() {
        Fixture f;
        QCOMPARE(f.window.objectName() + "|" + f.window.windowTitle(), "Form6|CCX File Editor");
        QStringList shown{f.control<QMenu>("menuFile")->title().remove('&')};
        for (auto* action : f.control<QMenu>("menuFile")->actions())
            shown << action->objectName() + "=" + action->text() + "=" +
                         action->shortcut().toString();
        QCOMPARE(shown.join('|'), "File|menuNew=New=Ctrl+N|menuOpen=Open=Ctrl+O|"
                                  "menuSave=Save=Ctrl+S|==|menuExit=Exit=");
        // Buttons, check boxes and options as name=caption; labels and frames.
        for (auto* button : f.window.findChildren<QAbstractButton*>())
            shown << button->objectName() + "=" + button->text();
        for (auto* label : f.window.findChildren<QLabel*>())
            shown << label->text();
        for (auto* frame : f.window.findChildren<QGroupBox*>())
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

        QTest::keyClicks(f.control("setDescription"), "Harbour Lights");
        QTest::keyClicks(f.control("setAuthor"), "Mira");
        f.click("msYes");
        f.platform.colors = {0x402010, 0x0000FF, 0x00FFFF};
        f.click("bgColorSet");
        QTest::keyClicks(f.control("levelTitle"), "Quay");
        QTest::keyClicks(f.control("levelAuthor"), "Ann");
        f.click("levelLxNo");
        f.click("addPage");
        auto* page = f.control<QPlainTextEdit>("thePage");
        QTest::keyClicks(page, "<b>Welcome</b>");
        QCOMPARE(f.previewBackground(), QColor(0x10, 0x20, 0x40)); // the set's colours
        f.click("bgColor");
        f.click("fontColor");
        QCOMPARE(f.previewBackground(), QColor(0xFF, 0, 0)); // the page's own
        f.click("addPage");
        f.click("pageRight");
        QTest::keyClicks(page, "Second");
        QTest::keyClick(page, Qt::Key_Return);
        QTest::keyClicks(page, "line");
        f.click("pageLeft");
        test::saveScreenshot(f.window, "Form6");

        // Titles from a Tabulin report, then level 3 moved up.
        f.platform.chooseFile(TESSARO_TEST_DATA "/ccx/tabulin/beach-and-cave.txt", "report.txt");
        f.platform.answer(MessageAnswer::No);
        f.click("importList");
        auto* list = f.control<QListView>("levelList");
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {},
                          list->visualRect(list->model()->index(2, 0)).center());
        f.click("moveUp");
        QCOMPARE(list->currentIndex().data().toString(), "2. Cave");
        QCOMPARE(test::captions(f.window, {"levelTitle", "curLevNum"}), "Cave|2");

        f.trigger("menuSave");
        const auto saved = readFileBytes(f.path).value_or("");
        QVERIFY(saved.find("\tbgcolor=\"#102040\" color=\"#FFFFFF\"\r\n") != std::string::npos);

        // Reopened, everything is back, and saving it again changes no byte.
        f.platform.chooseFile(f.path, "made.ccx");
        f.platform.answer(MessageAnswer::No);
        f.trigger("menuOpen");
        QCOMPARE(
            test::captions(f.window, {"setDescription", "setAuthor", "levelAuthor", "pageNum"}),
            "Harbour Lights|Mira|Ann|Page 1 of 2");
        QVERIFY(f.checked("msYes") && f.checked("Check1") && f.checked("levelLxNo"));
        QCOMPARE(page->toPlainText(), QString("<b>Welcome</b>"));
        QCOMPARE(f.previewBackground(), QColor(0xFF, 0, 0)); // Check2 ticked
        f.trigger("menuSave");
        QCOMPARE(readFileBytes(f.path).value_or(""), saved);

        // A pane chosen by keyboard runs Choose Pane as a press does.
        f.control("prologue")->setFocus();
        QTest::keyClick(f.control("prologue"), Qt::Key_Right);
        QApplication::processEvents();
        QVERIFY(f.checked("epilogue"));
        QCOMPARE(test::focused(f.window), QString("addPage"));

        // Closing by the title bar asks as File > Exit does; Cancel keeps it.
        f.platform.answer(MessageAnswer::Cancel);
        QVERIFY(!f.window.close());
        f.platform.answer(MessageAnswer::No);
        f.trigger("menuExit");
        QVERIFY(!f.window.isVisible());
        QCOMPARE(f.platform.unscriptedQuestions, 0);
    }
};

TESSARO_GUI_TEST(CcxEditorWindowTest)

} // namespace tessaro

#include "ccxeditorwindow_test.moc"
