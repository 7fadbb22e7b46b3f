#include "ccf/ccfcreatorwindow.h"
#include "support/guitest.h"
#include "support/scriptedplatform.h"
#include "support/tempfolder.h"

#include <QComboBox>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>

namespace tessaro {

// The window over a program folder that already holds two CCF files.
class CcfCreatorWindowTest : public QObject {
    Q_OBJECT

    std::unique_ptr<test::TempFolder> m_folder;
    std::unique_ptr<test::ScriptedPlatform> m_platform;
    std::unique_ptr<CcfCreatorWindow> m_window;

    template <typename T = QLineEdit> T* find(const char* name) {
        return test::control<T>(*m_window, name);
    }
    QString fields() {
        return find("Text1")->text() + "|" + find("Text2")->text() + "|" + find("Text3")->text();
    }
    void pick(int index) {
        find<QComboBox>("Combo1")->setCurrentIndex(index);
        Q_EMIT find<QComboBox>("Combo1")->activated(index);
    }

private Q_SLOTS:
    void init() {
        m_window.reset();
        m_folder = std::make_unique<test::TempFolder>();
        m_platform = std::make_unique<test::ScriptedPlatform>();
        m_folder->write("zeta.CCF", "\"C:\\SETS\\ZETA.DAT\"\r\n\"5\"\r\n\"6\"\r\n\"zeta.CCF\"\r\n");
        m_folder->write("broken.ccf", "\"C:\\SETS\\B.DAT\"\r\n");
        m_window = std::make_unique<CcfCreatorWindow>(*m_platform, m_folder->path());
        m_window->show();
    }

    void opensWithItsCaptionsAndPicksAListedFile() {
        QCOMPARE(test::captions(*m_window, {"Form4", "Label1", "Label2", "Label3", "Label4",
                                            "Command3", "Command1", "Command2"}),
                 QString("CCF File Creator|DAT File:|Fake \"level 144\" last level:|Real \"level "
                         "149\" last level:|What to call this CCF file (include the \".ccf\"):|"
                         "Browse...|Save|Cancel"));
        QVERIFY(find("Text1")->isReadOnly() && find<QComboBox>("Combo1")->isEditable());
        QVERIFY(!find<QListWidget>("File1")->isVisible());
        QCOMPARE(fields(), QString("|144|149"));
        QCOMPARE(find<QComboBox>("Combo1")->itemText(1), QString("zeta.CCF"));

        pick(1);
        QCOMPARE(fields(), QString("C:\\SETS\\ZETA.DAT|5|6"));
        pick(0); // too short: told, and the fields stay
        QCOMPARE(m_platform->messages.size(), std::size_t(1));
        QCOMPARE(fields(), QString("C:\\SETS\\ZETA.DAT|5|6"));

        find<QPushButton>("Command2")->click();
        QVERIFY(!m_window->isVisible());
    }

    void saveFocusesTheFieldAtFaultOrSignalsTheWrittenFile() {
        QSignalSpy saved(m_window.get(), &CcfCreatorWindow::ccfSaved);
        find<QPushButton>("Command1")->click();
        QCOMPARE(test::focused(*m_window), QString("Text1"));

        m_platform->chooseFile("C:\\CHIPS\\CCLP1.DAT", "CCLP1.DAT");
        find<QPushButton>("Command3")->click();
        QTest::keyClicks(find("Text2"), "0");
        find("Text3")->setText("1440");
        find<QComboBox>("Combo1")->setEditText("new.ccf");
        find<QPushButton>("Command1")->click();
        QCOMPARE(saved.count(), 1);
        QCOMPARE(
            m_folder->read("new.ccf"),
            std::string("\"C:\\CHIPS\\CCLP1.DAT\"\r\n\"1440\"\r\n\"1440\"\r\n\"new.ccf\"\r\n"));

        std::filesystem::remove_all(m_folder->path());
        find<QPushButton>("Command1")->click();
        QCOMPARE(saved.count(), 1);
        QCOMPARE(m_platform->messages.size(), std::size_t(3));
    }
};

TESSARO_GUI_TEST(CcfCreatorWindowTest)

} // namespace tessaro

#include "ccfcreatorwindow_test.moc"
