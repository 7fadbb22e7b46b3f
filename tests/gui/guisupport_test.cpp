#include "gui/codepage.h"
#include "gui/qtsettings.h"
#include "support/guitest.h"

#include <QSettings>
#include <QTest>

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
