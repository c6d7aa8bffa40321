#include "shell/WindowRegistry.h"
#include "shell/frmBrowser.h"
#include "shell/frmMain.h"
#include <QApplication>

int main(int argc, char* argv[]) {
    prepareWebEngine();
    QApplication app(argc, argv);
    app.setApplicationName("Kelm Invoice");
    registerWindows();
    frmMain frame;
    frame.Load();
    frame.show();
    return app.exec();
}
