// The yardsticks of Tessaro's start: a bare Qt main window ("empty"), or one
// with a menu bar and a label ("menubar"), ending at its first frame (see
// firstframe.h). Run by startup_bench; links nothing but Qt Widgets.

#include "firstframe.h"

#include <QApplication>
#include <QLabel>
#include <QMainWindow>
#include <QMenuBar>

#include <cstring>

int main(int argc, char** argv) {
    const bool withMenuBar = argc > 1 && std::strcmp(argv[1], "menubar") == 0;
    qAddPreRoutine(tessaro::bench::watchForFirstFrame);
    QApplication app(argc, argv);
    QMainWindow window;
    if (withMenuBar) {
        auto* file = window.menuBar()->addMenu("&File");
        file->addAction("&Open...");
        file->addAction("E&xit");
        window.menuBar()->addMenu("&Help")->addAction("&About");
        window.setCentralWidget(new QLabel("Chip's Challenge level sets"));
    }
    window.show();
    return app.exec();
}
