#include "gui/codepage.h"
#include "gui/keyrule.h"
#include "gui/qtsettings.h"
#include "gui/widgets.h"
#include "support/guitest.h"

#include <QLineEdit>
#include <QMainWindow>
#include <QMenuBar>
#include <QSettings>

namespace tessaro {

// What the windows share below them: text from the core's bytes, and settings.
class GuiSupportTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    // Every byte survives a trip through text; a path that is not UTF-8 reads as Windows-1252.
    void bytesAndPathsShowReadably() {
        std::string all;
        for (int b = 0; b < 256; ++b)
            all.push_back(static_cast<char>(b));
        QCOMPARE(toBytes(fromBytes(all)), all);
        QCOMPARE(toBytes(QString::fromUtf8("\u4E2D")), std::string("?"));
        QCOMPARE(pathText("Ol\xE9.dat"), QString::fromUtf8("Olé.dat"));
        QCOMPARE(pathBytes(QString::fromUtf8("Don’t.dat")), std::string("Don’t.dat"));
    }

    // Alt keys open the menus from any field, and a read-only field takes no key from the window's
    // shortcuts; a text box keeps its typing and editing keys.
    void keyRuleLeavesCommandKeysToTheWindow() {
        QMainWindow window;
        QString ran;
        for (const QString title : {"&Play", "&Tools", "&File"}) {
            QMenu* menu = window.menuBar()->addMenu(title);
            menu->addAction("Entry");
            connect(menu, &QMenu::aboutToShow, [&ran, title] { ran = "Alt+" + title.mid(1, 1); });
        }
        for (const char* keys : {"Shift+H", "Ctrl+C", "Ctrl+X", "Ctrl+A"})
            window.addAction(keys, QKeySequence(keys), [&ran, keys] { ran = keys; });
        auto* path = named<QLineEdit>("path", "/games/ludex.exe", &window);
        path->setReadOnly(true);
        path->move(0, 40);
        named<QLineEdit>("text box", &window)->move(0, 80);
        KeyRule::installOn(window);
        QVERIFY(test::showActive(window));
        for (const QString keys :
             {"Alt+P", "Alt+T", "Alt+F", "Shift+H", "Ctrl+C", "Ctrl+X", "Ctrl+A"}) {
            for (const char* in : {"text box", "path"}) {
                ran.clear();
                auto* field = test::control(window, in);
                field->setFocus();
                QTest::keySequence(field, QKeySequence(keys));
                if (QWidget* popup = QApplication::activePopupWidget())
                    popup->close();
                const bool runs = keys.startsWith("Alt") || in == QString("path");
                QVERIFY2(ran == (runs ? keys : ""), qPrintable(keys + " in " + in));
            }
        }
    }

    // The file's [General] section is the one a person edits by hand (a Linux settings file);
    // values an earlier version kept under [%General] are still read, and moved on the next write.
    void settingsGeneralIsTheFilesGeneralSection() {
        test::TempFolder home;
        QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope,
                           QString::fromStdString(home.str()));
        home.write("Tessaro/Tessaro.conf", "[General]\nPlayRunner=wine --bottle chips\n\n"
                                           "[%General]\nPlayRunner=old\nINIPath=old.ini\n");
        {
            QtSettings settings;
            QCOMPARE(settings.get("General", "PlayRunner", ""), std::string("wine --bottle chips"));
            settings.set("General", "LudexName", "new.exe");
            settings.set("EXE Creator", "OriginalExe", "/games/CHIPS.EXE");
        }
        QCOMPARE(home.read("Tessaro/Tessaro.conf"),
                 "[General]\nINIPath=old.ini\nLudexName=new.exe\nPlayRunner=wine --bottle "
                 "chips\n\n[EXE%20Creator]\nOriginalExe=/games/CHIPS.EXE\n");
    }
};

TESSARO_GUI_TEST(GuiSupportTest)

} // namespace tessaro

#include "guisupport_test.moc"
