#include "gui/codepage.h"
#include "gui/keyrule.h"
#include "gui/qtsettings.h"
#include "support/guitest.h"

#include <QAction>
#include <QLineEdit>
#include <QMainWindow>
#include <QMenuBar>
#include <QSettings>
#include <QTest>
#include <QVBoxLayout>

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

    // Keys with Alt or Ctrl open the menus from a text box, and a read-only
    // field takes no key from the window's shortcuts.
    void keyRuleLeavesCommandKeysToTheWindow() {
        // The keys, where the focus is, and the menu or shortcut they run.
        struct Row {
            const char* keys;
            const char* in;
            QString runs;
        };
        const Row rows[] = {
            {.keys = "Alt+P", .in = "a text box", .runs = "Play"},
            {.keys = "Alt+T", .in = "a text box", .runs = "Tools"},
            {.keys = "Alt+F", .in = "a text box", .runs = "File"},
            {.keys = "Shift+H", .in = "a read-only field", .runs = "Shift+H"},
            {.keys = "Ctrl+C", .in = "a read-only field", .runs = "Ctrl+C"},
            {.keys = "Ctrl+X", .in = "a read-only field", .runs = "Ctrl+X"},
            {.keys = "Ctrl+A", .in = "a read-only field", .runs = "Ctrl+A"},
        };
        QMainWindow window;
        QString ran;
        for (const char* title : {"&Play", "&Tools", "&File"}) {
            QMenu* menu = window.menuBar()->addMenu(title);
            menu->addAction("Entry");
            connect(menu, &QMenu::aboutToShow, [&ran, menu] { ran = menu->title().remove('&'); });
        }
        for (const char* keys : {"Shift+H", "Ctrl+C", "Ctrl+X", "Ctrl+A"}) {
            auto* action = new QAction(keys, &window);
            action->setShortcut(QKeySequence(keys));
            window.addAction(action);
            connect(action, &QAction::triggered, [&ran, keys] { ran = keys; });
        }
        auto* body = new QWidget(&window);
        auto* layout = new QVBoxLayout(body);
        for (const char* name : {"a text box", "a read-only field"}) {
            auto* field = new QLineEdit("/games/ludex.exe", body);
            field->setObjectName(name);
            field->setReadOnly(name == std::string("a read-only field"));
            layout->addWidget(field);
        }
        window.setCentralWidget(body);
        KeyRule::installOn(window);
        window.show();
        window.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&window));
        for (const Row& row : rows) {
            ran.clear();
            auto* focus = test::control(window, row.in);
            focus->setFocus();
            QTest::keySequence(focus, QKeySequence(row.keys));
            if (QWidget* popup = QApplication::activePopupWidget())
                popup->close();
            QVERIFY2(ran == row.runs, qPrintable(QString(row.keys) + " in " + row.in));
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
