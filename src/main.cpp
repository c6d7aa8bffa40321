#include "shell/WindowRegistry.h"
#include <QApplication>

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    registerWindows();
    return 0;
}
