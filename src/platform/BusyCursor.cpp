#include "platform/BusyCursor.h"
#include <QCursor>
#include <QGuiApplication>

namespace BusyCursor {
namespace {
int busyDepth = 0;
bool overridden = false;

void setOverride(bool busy) {
    if (busy == overridden || !qGuiApp) return;
    if (busy) QGuiApplication::setOverrideCursor(QCursor(Qt::WaitCursor));
    else QGuiApplication::restoreOverrideCursor();
    overridden = busy;
}
}

void on() {
    if (busyDepth < 32767) ++busyDepth;
    if (busyDepth == 1) setOverride(true);
}

void off() {
    if (busyDepth > 0) --busyDepth;
    if (busyDepth == 0) setOverride(false);
}

int depth() { return busyDepth; }
bool showing() { return overridden; }
}
