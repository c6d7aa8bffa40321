#include "common/WindowPlacement.h"
#include <QGuiApplication>
#include <QScreen>
#include <QWidget>

void centreOnScreen(QWidget* window) {
    window->adjustSize();
    const QScreen* screen = window->screen() ? window->screen() : QGuiApplication::primaryScreen();
    if (!screen) return;
    const QRect area = screen->availableGeometry();
    window->move(area.x() + (area.width() - window->width()) / 2, area.y() + (area.height() - window->height()) / 2);
}
