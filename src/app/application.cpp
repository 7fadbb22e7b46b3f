#include "app/application.h"

#include "gui/codepage.h"

#include "app/windowhub.h"
#include "common/paths.h"
#include "common/programfolder.h"
#include "gui/qtplatform.h"
#include "gui/qtsettings.h"
#include "launcher/mainwindow.h"

#include <QApplication>
#include <QStandardPaths>

namespace tessaro {

int runApplication(int argc, char** argv) {
    QApplication app(argc, argv);
    QApplication::setApplicationName("Tessaro");
    QApplication::setOrganizationName("Tessaro");
    QApplication::setApplicationVersion(TESSARO_VERSION);

    std::optional<std::string> home;
    if (qEnvironmentVariableIsSet("TESSARO_HOME"))
        home = pathBytes(qEnvironmentVariable("TESSARO_HOME"));
    const auto folder = chooseProgramFolder(
        home, toPath(pathBytes(QApplication::applicationDirPath())),
        toPath(pathBytes(QStandardPaths::writableLocation(QStandardPaths::AppLocalDataLocation))),
        isFolderWritable);

    QtSettings settings;
    QtPlatform platform;
    WindowHub hub(platform, settings, fromPath(folder));
    hub.mainWindow().show();
    return app.exec();
}

} // namespace tessaro
