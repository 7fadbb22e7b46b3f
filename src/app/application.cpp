#include "app/application.h"

#include <QApplication>
#include <QMainWindow>

namespace tessaro {

int runApplication(int argc, char** argv) {
    QApplication app(argc, argv);
    QApplication::setApplicationName("Tessaro");
    QApplication::setOrganizationName("Tessaro");
    QApplication::setApplicationVersion(TESSARO_VERSION);
    QMainWindow window;
    window.setObjectName("Form1");
    window.setWindowTitle("Tessaro");
    window.show();
    return app.exec();
}

} // namespace tessaro
