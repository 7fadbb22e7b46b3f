#include "gui/qtsettings.h"
#include "support/guitest.h"

#include <QSettings>
#include <QTest>

namespace tessaro {

class QtSettingsTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    // The file's [General] section is the one a person edits by hand; values an earlier
    // version kept under [%General] are still read, and moved on the next write.
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
            QCOMPARE(settings.get("General", "Absent", "none"), std::string("none"));
            settings.set("General", "LudexName", "new.exe");
            settings.set("EXE Creator", "OriginalExe", "/games/CHIPS.EXE");
        }
        QCOMPARE(home.read("Tessaro/Tessaro.conf"),
                 "[General]\nINIPath=old.ini\nLudexName=new.exe\nPlayRunner=wine --bottle "
                 "chips\n\n[EXE%20Creator]\nOriginalExe=/games/CHIPS.EXE\n");
        QCOMPARE(QtSettings().get("EXE Creator", "OriginalExe", ""),
                 std::string("/games/CHIPS.EXE"));
    }
};

TESSARO_GUI_TEST(QtSettingsTest)

} // namespace tessaro

#include "qtsettings_test.moc"
