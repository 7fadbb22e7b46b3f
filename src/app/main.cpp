#include "app/application.h"

int main(int argc, char** argv) {
    return tessaro::runApplication(argc, argv);
}
