#include "ccf/ccfcreatorwindow.h"
#include "support/guitest.h"

#include <QComboBox>
#include <QLineEdit>
#include <QSignalSpy>
#include <QTest>

namespace tessaro {

class CcfCreatorWindowTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    // The name box lists the folder's CCF files in the file list's order.
    void showsItsFieldsAndSavesWhatWasTyped() {
        test::Doubles d;
        d.folder.write("ab.ccf", "");
        d.folder.write("a_b.CCF", "\"C:\\SETS\\ZETA.DAT\"\r\n\"5\"\r\n\"6\"\r\n\"a_b.CCF\"\r\n");
        CcfCreatorWindow window(d.platform, Utf8Path(d.folder.str()));
        window.show();
        QSignalSpy saved(&window, &CcfCreatorWindow::ccfSaved);
        auto* name = test::control<QComboBox>(window, "Combo1");
        QCOMPARE(test::captions(window, {"Form4", "Label1", "Label2", "Label3", "Label4",
                                         "Command3", "Command1", "Command2"}),
                 QString("CCF File Creator|DAT File:|Fake \"level 144\" last level:|Real \"level "
                         "149\" last level:|What to call this CCF file (include the \".ccf\"):|"
                         "Browse...|Save|Cancel"));
        QVERIFY(test::control<QLineEdit>(window, "Text1")->isReadOnly() && name->isEditable());
        QCOMPARE(test::captions(window, {"Text1", "Text2", "Text3"}), QString("|144|149"));
        Q_EMIT name->activated(0);
        QCOMPARE(test::captions(window, {"Text1", "Text2", "Text3"}),
                 QString("C:\\SETS\\ZETA.DAT|5|6"));

        test::control<QLineEdit>(window, "Text2")->clear();
        test::click(window, "Command1");
        QCOMPARE(test::focused(window), QString("Text2"));
        d.platform.chooseFile("C:\\CHIPS\\CCLP1.DAT", "CCLP1.DAT");
        test::click(window, "Command3");
        QTest::keyClicks(test::control(window, "Text2"), "5");
        name->setEditText("new.ccf");
        test::click(window, "Command1");
        QCOMPARE(d.folder.read("new.ccf"),
                 std::string("\"C:\\CHIPS\\CCLP1.DAT\"\r\n\"5\"\r\n\"6\"\r\n\"new.ccf\"\r\n"));
        QCOMPARE(saved.count(), 1);
        test::click(window, "Command2");
        QVERIFY(!window.isVisible());
    }
};

TESSARO_GUI_TEST(CcfCreatorWindowTest)

} // namespace tessaro

#include "ccfcreatorwindow_test.moc"
