#include "ccx/ccxeditorwindow.h"
#include "common/textfile.h"
#include "support/guitest.h"
#include "support/scriptedplatform.h"
#include "support/tempfolder.h"

#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QMenu>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <QTextBrowser>

namespace tessaro {

namespace {

using test::RecordedMessage;

RecordedMessage question(const std::string& text, MessageButtons buttons) {
    return {text, "CCX File Editor", MessageIcon::Question, buttons};
}

// The editor window, shown; its start-up question runs on the first events.
struct Fixture {
    test::TempFolder folder;
    test::ScriptedPlatform platform;
    CcxEditorWindow window{platform};
    std::string path = (folder / "made.ccx").string();

    // Starts with New: 3 levels, saved as made.ccx.
    Fixture() {
        platform.answer(MessageAnswer::Yes);
        platform.lineInputs.push_back("3");
        platform.chooseFile(path, "made.ccx");
        window.show();
        QApplication::processEvents();
    }
    template <typename T = QAbstractButton> T* control(const char* name) {
        return test::control<T>(window, name);
    }
    QString text(const char* name) { return control<QLabel>(name)->text(); }
    void click(const char* name) { QTest::mouseClick(control(name), Qt::LeftButton); }
    void trigger(const char* action) {
        auto* found = control<QAction>(action);
        QVERIFY(found->isEnabled());
        found->trigger();
    }
    void type(const char* name, const QString& text) {
        QTest::keyClicks(control<QLineEdit>(name), text);
    }
    QStringList entries() {
        QStringList rows;
        auto* model = control<QListView>("levelList")->model();
        for (int row = 0; row < model->rowCount(); ++row)
            rows << model->index(row, 0).data().toString();
        return rows;
    }
    void selectLevel(int row) {
        auto* list = control<QListView>("levelList");
        const QRect rect = list->visualRect(list->model()->index(row, 0));
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, rect.center());
    }
    QString focused() const {
        return window.focusWidget() ? window.focusWidget()->objectName() : QString("<none>");
    }
    QColor previewBackground() {
        return control<QTextBrowser>("pagePreview")->palette().color(QPalette::Base);
    }
};

} // namespace

class CcxEditorWindowTest : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void captionsMenusAndQuestions() {
        Fixture f;
        QCOMPARE(f.window.objectName(), QString("Form6"));
        QCOMPARE(f.window.windowTitle(), QString("CCX File Editor"));
        QCOMPARE(f.platform.messages.front(),
                 question("Do you want to start a new CCX file?", MessageButtons::YesNo));
        QStringList actions;
        for (auto* action : f.control<QMenu>("menuFile")->actions())
            actions << action->objectName() + "=" + action->text() + "=" +
                           action->shortcut().toString();
        QCOMPARE(actions, QString("menuNew=New=Ctrl+N|menuOpen=Open=Ctrl+O|menuSave=Save=Ctrl+S|"
                                  "==|menuExit=Exit=")
                              .split('|'));
        QCOMPARE(f.control<QMenu>("menuFile")->title().remove('&'), QString("File"));
        // Buttons, check boxes and options, as name=caption.
        QStringList captions;
        for (auto* button : f.window.findChildren<QAbstractButton*>())
            captions << button->objectName() + "=" + button->text();
        const QString expected =
            "insertBefore=Insert Before|insertAfter=Insert After|delete=Delete|"
            "deleteAndShift=Delete and Renumber|moveUp=Move Up|moveDown=Move Down|pageLeft=<|"
            "pageRight=>|addPage=Add Page|deletePage=Delete Page|bgColor=Background|"
            "fontColor=Font|bgColorSet=Background|fontColorSet=Font|importList=Import Titles|"
            "Check1=Set default colors|Check2=Set colors for this page only|prologue=Prologue|"
            "epilogue=Epilogue|msYes=Yes|msNo=No|msIgnore=Ignore|lynxYes=Yes|lynxNo=No|"
            "lynxIgnore=Ignore|pedYes=Yes|pedNo=No|pedIgnore=Ignore|levelMsYes=Yes|levelMsNo=No|"
            "levelMsIg=Ignore|levelLxYes=Yes|levelLxNo=No|levelLxIg=Ignore|levelPedYes=Yes|"
            "levelPedNo=No|levelPedIg=Ignore";
        for (const QString& pair : expected.split('|'))
            QVERIFY2(captions.contains(pair), qPrintable(pair));
        QStringList labels;
        for (auto* label : f.window.findChildren<QLabel*>())
            labels << label->text();
        for (auto* frame : f.window.findChildren<QGroupBox*>())
            labels << frame->title();
        for (const char* caption :
             {"Set name:", "Set author:", "Set compatibility:", "List of levels:", "Level number:",
              "Level title:", "Level author:", "Level compatibility:", "Color", "MS", "Lynx",
              "Pedantic"})
            QVERIFY2(labels.contains(caption), caption);

        // New's empty set: level 1 with an empty prologue.
        QCOMPARE(f.text("Label1"), QString::fromStdString("File Name: " + f.path));
        QCOMPARE(f.entries(), (QStringList{"1. ", "2. ", "3. "}));
        QCOMPARE(f.text("curLevNum"), QString("1"));
        QCOMPARE(f.text("pageNum"), QString("Page 1 of 0"));
        QVERIFY(!f.control<QPlainTextEdit>("thePage")->isEnabled());
        QVERIFY(f.control<QRadioButton>("msIgnore")->isChecked());
        QVERIFY(f.control<QRadioButton>("levelPedIg")->isChecked());

        // A pane chosen by keyboard runs Choose Pane as a press does.
        auto* prologue = f.control<QRadioButton>("prologue");
        prologue->setFocus();
        QTest::keyClick(prologue, Qt::Key_Right);
        QApplication::processEvents();
        QVERIFY(f.control<QRadioButton>("epilogue")->isChecked());
        QCOMPARE(f.focused(), QString("addPage"));

        // Closing by the title bar asks as File > Exit does; Cancel keeps it.
        f.platform.answer(MessageAnswer::Cancel);
        QVERIFY(!f.window.close());
        QCOMPARE(f.platform.lastMessage(),
                 question("Save changes to " + f.path + "?", MessageButtons::YesNoCancel));
        QVERIFY(f.window.isVisible());
        f.platform.answer(MessageAnswer::No);
        f.trigger("menuExit");
        QVERIFY(!f.window.isVisible());
        QVERIFY(!QFile::exists(QString::fromStdString(f.path)));
        QCOMPARE(f.platform.unscriptedQuestions, 0);
    }

    void createsASetAndFindsItAgain() {
        Fixture f;
        f.type("setDescription", "Harbour Lights");
        f.type("setAuthor", "Mira");
        f.click("msYes");
        f.platform.colors = {0x402010, 0x0000FF, 0x00FFFF};
        f.click("bgColorSet");
        QVERIFY(f.control<QCheckBox>("Check1")->isChecked());

        // Level 1: the list follows the title as it is typed.
        f.type("levelTitle", "Quay");
        QCOMPARE(f.entries().front(), QString("1. Quay"));
        f.type("levelAuthor", "Ann");
        f.click("levelLxNo");
        f.click("addPage");
        QCOMPARE(f.text("pageNum"), QString("Page 1 of 1"));
        auto* page = f.control<QPlainTextEdit>("thePage");
        QTest::keyClicks(page, "<b>Welcome</b>");
        auto* preview = f.control<QTextBrowser>("pagePreview");
        QCOMPARE(preview->toPlainText(), QString("Welcome"));
        QCOMPARE(f.previewBackground(), QColor(0x10, 0x20, 0x40)); // the set's colours
        f.click("bgColor");
        f.click("fontColor");
        QVERIFY(f.control<QCheckBox>("Check2")->isChecked());
        QCOMPARE(f.previewBackground(), QColor(0xFF, 0, 0)); // the page's own
        f.click("addPage");
        f.click("pageRight");
        QCOMPARE(f.text("pageNum"), QString("Page 2 of 2"));
        QTest::keyClicks(page, "Second");
        QTest::keyClick(page, Qt::Key_Return);
        QTest::keyClicks(page, "line");
        QCOMPARE(preview->toPlainText(), QString("Second line"));
        QCOMPARE(f.previewBackground(), QColor(0x10, 0x20, 0x40));
        f.click("pageLeft");
        QCOMPARE(page->toPlainText(), QString("<b>Welcome</b>"));
        QCOMPARE(preview->toPlainText(), QString("Welcome"));
        test::saveScreenshot(f.window, "Form6");

        // Titles from a Tabulin report, then level 3 moved up.
        const auto report =
            f.folder.write("report.txt", "CCLP1.dat\r\n\r\nTitles\r\n  2. Beach\r\n  3. Cave\r\n");
        f.platform.chooseFile(report.string(), "report.txt");
        f.platform.answer(MessageAnswer::No);
        f.click("importList");
        QCOMPARE(f.entries(), (QStringList{"1. Quay", "2. Beach", "3. Cave"}));
        f.selectLevel(2);
        QCOMPARE(f.text("curLevNum"), QString("3"));
        f.click("moveUp");
        QCOMPARE(f.entries(), (QStringList{"1. Quay", "2. Cave", "3. Beach"}));
        QCOMPARE(f.control<QLineEdit>("levelTitle")->text(), QString("Cave"));
        QCOMPARE(f.text("curLevNum"), QString("2"));

        f.trigger("menuSave");
        const auto saved = readFileBytes(f.path).value_or("");
        for (const char* line :
             {"\tdescription=\"Harbour Lights\"\r\n\tms=\"yes\"\r\n\tauthor=\"Mira\"\r\n",
              "\tbgcolor=\"#102040\" color=\"#FFFFFF\"\r\n",
              "<!-- Quay -->\r\n<level number=\"1\" author=\"Ann\" lynx=\"no\">\r\n",
              "<page bgcolor=\"#FF0000\" color=\"#FFFF00\">\r\n<![CDATA[\r\n<b>Welcome</b>\r\n]]>",
              "<page>\r\n<![CDATA[\r\nSecond\r\nline\r\n]]>",
              "<!-- Cave -->\r\n<level number=\"2\">", "<!-- Beach -->\r\n<level number=\"3\">"})
            QVERIFY2(saved.find(line) != std::string::npos, line);

        // Reopened, everything is back, and saving it again changes no byte.
        f.platform.chooseFile(f.path, "made.ccx");
        f.platform.answer(MessageAnswer::No);
        f.trigger("menuOpen");
        QCOMPARE(f.control<QLineEdit>("setDescription")->text(), QString("Harbour Lights"));
        QCOMPARE(f.control<QLineEdit>("setAuthor")->text(), QString("Mira"));
        QVERIFY(f.control<QRadioButton>("msYes")->isChecked());
        QVERIFY(f.control<QCheckBox>("Check1")->isChecked());
        QCOMPARE(f.entries(), (QStringList{"1. Quay", "2. Cave", "3. Beach"}));
        QCOMPARE(f.control<QLineEdit>("levelAuthor")->text(), QString("Ann"));
        QVERIFY(f.control<QRadioButton>("levelLxNo")->isChecked());
        QCOMPARE(f.text("pageNum"), QString("Page 1 of 2"));
        QCOMPARE(page->toPlainText(), QString("<b>Welcome</b>"));
        QVERIFY(f.control<QCheckBox>("Check2")->isChecked());
        QCOMPARE(f.previewBackground(), QColor(0xFF, 0, 0));
        f.click("pageRight");
        QCOMPARE(page->toPlainText(), QString("Second\nline"));
        f.trigger("menuSave");
        QCOMPARE(readFileBytes(f.path).value_or(""), saved);
        QCOMPARE(f.platform.unscriptedQuestions, 0);
    }
};

TESSARO_GUI_TEST(CcxEditorWindowTest)

} // namespace tessaro

#include "ccxeditorwindow_test.moc"
