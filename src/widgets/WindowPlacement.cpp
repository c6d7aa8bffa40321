#include "widgets/WindowPlacement.h"
#include <QGuiApplication>
#include <QScreen>
#include <QSize>
#include <QWidget>

void centreOnScreen(QWidget* window) {
    const QScreen* screen = window->screen() ? window->screen() : QGuiApplication::primaryScreen();
    if (!screen) return;
    const QRect area = screen->availableGeometry();
    const QSize size = window->frameGeometry().size();
    window->move(area.left() + (area.width() - size.width()) / 2, area.top() + (area.height() - size.height()) / 2);
}

int twipsToPixels(const QWidget* widget, int twips) { return qRound(twips * widget->logicalDpiX() / 1440.0); }

QSize twipsToPixels(const QWidget* widget, int widthTwips, int heightTwips) {
    return {twipsToPixels(widget, widthTwips), qRound(heightTwips * widget->logicalDpiY() / 1440.0)};
}
