#include "gui/qtsettings.h"
#include "support/guitest.h"
#include "support/tempfolder.h"

#include <QSettings>
#include <QTest>

namespace tessaro {

class QtSettingsTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    // The settings file a person edits by hand and the one Tessaro writes use
    // the same [General] section; values an earlier version kept under
    // [%General] are still read, and moved on the next write.
    void generalIsTheFilesGeneralSection() {
#if defined(Q_OS_WIN) || defined(Q_OS_MACOS)
        QSKIP("the settings live in the system's own store here");
#endif
        test::TempFolder home;
        QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope,
                           QString::fromStdString(home.str()));
        home.write("Tessaro/Tessaro.conf", "[General]\nPlayRunner=wine --bottle chips\n\n"
                                           "[%General]\nPlayRunner=old\nINIPath=old.ini\n");
        {
            QtSettings settings;
            QCOMPARE(settings.get("General", "PlayRunner", ""), std::string("wine --bottle chips"));
            QCOMPARE(settings.get("General", "INIPath", ""), std::string("old.ini"));
            QCOMPARE(settings.get("General", "Absent", "none"), std::string("none"));
            settings.set("General", "LudexName", "new.exe");
            settings.set("EXE Creator", "OriginalExe", "/games/CHIPS.EXE");
        }
        const std::string file = home.read("Tessaro/Tessaro.conf");
        QVERIFY2(file.find("[General]\nINIPath=old.ini\nLudexName=new.exe\nPlayRunner=wine "
                           "--bottle chips\n\n[EXE%20Creator]") == 0,
                 file.c_str());
        QVERIFY2(file.find("[%General]") == std::string::npos, file.c_str());
        QtSettings again;
        QCOMPARE(again.get("EXE Creator", "OriginalExe", ""), std::string("/games/CHIPS.EXE"));
        QCOMPARE(again.get("General", "INIPath", ""), std::string("old.ini"));
    }
};

TESSARO_GUI_TEST(QtSettingsTest)

} // namespace tessaro

#include "qtsettings_test.moc"
