// Tessaro started as its executable starts it, ending at the main window's
// first frame (see firstframe.h). Run by startup_bench.

#include "app/application.h"
#include "firstframe.h"

int main(int argc, char** argv) {
    qAddPreRoutine(tessaro::bench::watchForFirstFrame);
    return tessaro::runApplication(argc, argv);
}
