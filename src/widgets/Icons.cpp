#include "widgets/Icons.h"
#include <QPainter>
#include <QPainterPath>
#include <QPixmap>

namespace Icons {
namespace {
constexpr int Size = 32;

void person(QPainter& p, QPointF at, QColor colour) {
    p.setBrush(colour);
    p.drawEllipse(at + QPointF(-4, -10), 8, 8);
    QPainterPath body;
    body.moveTo(at + QPointF(-9, 12));
    body.quadTo(at + QPointF(-9, -1), at + QPointF(0, -1));
    body.quadTo(at + QPointF(9, -1), at + QPointF(9, 12));
    body.closeSubpath();
    p.drawPath(body);
}

void sheet(QPainter& p, QRectF r) {
    p.setBrush(Qt::white);
    p.drawRect(r);
    for (qreal y = r.top() + 6; y < r.bottom() - 3; y += 5)
        p.drawLine(QPointF(r.left() + 4, y), QPointF(r.right() - 4, y));
}

void plus(QPainter& p, QPointF centre) {
    p.setPen(QPen(QColor(0, 140, 0), 4, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(centre + QPointF(-6, 0), centre + QPointF(6, 0));
    p.drawLine(centre + QPointF(0, -6), centre + QPointF(0, 6));
}

void draw(QPainter& p, Task which) {
    p.setPen(QPen(QColor(40, 40, 40), 1.5));
    switch (which) {
    case Task::Customers:
        person(p, {20, 17}, QColor(120, 150, 210));
        person(p, {12, 19}, QColor(60, 100, 190));
        break;
    case Task::Invoices:
        sheet(p, {10, 4, 18, 24});
        sheet(p, {5, 8, 18, 22});
        break;
    case Task::AddInvoice:
        sheet(p, {5, 3, 18, 26});
        plus(p, {23, 23});
        break;
    case Task::Reports:
        p.setBrush(QColor(210, 120, 40));
        p.drawRect(QRectF(5, 16, 6, 12));
        p.setBrush(QColor(60, 140, 200));
        p.drawRect(QRectF(13, 8, 6, 20));
        p.setBrush(QColor(90, 170, 80));
        p.drawRect(QRectF(21, 12, 6, 16));
        p.drawLine(QPointF(3, 28.5), QPointF(29, 28.5));
        break;
    case Task::Debtors:
        p.setBrush(QColor(230, 190, 50));
        p.drawEllipse(QRectF(4, 4, 24, 24));
        p.setPen(QPen(QColor(120, 80, 0), 2.5, Qt::SolidLine, Qt::RoundCap));
        p.drawLine(QPointF(16, 16), QPointF(16, 8));
        p.drawLine(QPointF(16, 16), QPointF(22, 19));
        break;
    case Task::Items: {
        p.setBrush(QColor(200, 160, 110));
        p.drawRect(QRectF(5, 11, 22, 17));
        p.setBrush(QColor(225, 190, 140));
        QPolygonF lid({QPointF(5, 11), QPointF(10, 4), QPointF(22, 4), QPointF(27, 11)});
        p.drawPolygon(lid);
        p.drawLine(QPointF(16, 11), QPointF(16, 28));
        break;
    }
    case Task::Help: {
        p.setBrush(QColor(60, 110, 200));
        p.drawEllipse(QRectF(3, 3, 26, 26));
        QFont font("Liberation Sans");
        font.setBold(true);
        font.setPixelSize(20);
        p.setFont(font);
        p.setPen(Qt::white);
        p.drawText(QRectF(3, 3, 26, 26), Qt::AlignCenter, "?");
        break;
    }
    case Task::Exit:
        p.setBrush(QColor(150, 100, 60));
        p.drawRect(QRectF(5, 3, 14, 26));
        p.setPen(QPen(QColor(200, 30, 30), 3.5, Qt::SolidLine, Qt::RoundCap));
        p.drawLine(QPointF(14, 16), QPointF(28, 16));
        p.drawLine(QPointF(28, 16), QPointF(23, 11));
        p.drawLine(QPointF(28, 16), QPointF(23, 21));
        break;
    }
}
void draw(QPainter& p, Option which) {
    p.setPen(QPen(QColor(40, 40, 90), 1));
    switch (which) {
    case Option::Company:
        p.setBrush(QColor(200, 170, 120));
        p.drawRect(3, 4, 10, 11);
        p.setBrush(QColor(120, 170, 230));
        for (int y : {6, 10}) {
            p.drawRect(5, y, 2, 2);
            p.drawRect(9, y, 2, 2);
        }
        break;
    case Option::Currency:
        p.setBrush(QColor(240, 200, 60));
        p.drawEllipse(1, 1, 14, 14);
        p.drawText(QRect(1, 1, 14, 14), Qt::AlignCenter, "$");
        break;
    case Option::Prefixes:
        p.setBrush(Qt::white);
        p.drawRect(1, 4, 14, 8);
        p.drawText(QRect(1, 4, 14, 8), Qt::AlignCenter, "#1");
        break;
    case Option::Defaults:
        p.setBrush(Qt::white);
        p.drawRect(2, 3, 12, 12);
        p.setBrush(QColor(210, 60, 60));
        p.drawRect(2, 3, 12, 3);
        break;
    case Option::Invoice:
    case Option::Layout:
    case Option::Screen:
        p.setBrush(Qt::white);
        p.drawRect(3, 1, 10, 14);
        for (int y : {4, 7, 10}) p.drawLine(5, y, 11, y);
        if (which == Option::Layout) {
            p.setBrush(QColor(60, 140, 60));
            p.drawRect(9, 2, 3, 3);
        }
        if (which == Option::Screen) {
            p.setBrush(QColor(120, 170, 230));
            p.drawRect(1, 9, 8, 6);
        }
        break;
    case Option::Reminders:
        p.setBrush(Qt::white);
        p.drawRect(1, 4, 14, 9);
        p.drawLine(1, 4, 8, 9);
        p.drawLine(15, 4, 8, 9);
        break;
    case Option::Customize:
        p.setBrush(QColor(160, 160, 170));
        p.drawEllipse(3, 3, 10, 10);
        p.setBrush(Qt::white);
        p.drawEllipse(6, 6, 4, 4);
        break;
    case Option::Person:
        p.setBrush(QColor(120, 170, 230));
        p.drawEllipse(5, 1, 6, 6);
        p.drawRoundedRect(2, 8, 12, 7, 3, 3);
        break;
    }
}

// A transparent square of size pixels, drawn on a grid of grid pixels.
template <typename Which>
QPixmap drawn(Which which, int size, int grid) {
    QPixmap picture(size, size);
    picture.fill(Qt::transparent);
    QPainter p(&picture);
    p.setRenderHint(QPainter::Antialiasing);
    p.scale(qreal(size) / grid, qreal(size) / grid);
    draw(p, which);
    p.end();
    return picture;
}
}  // namespace

QIcon task(Task which) { return QIcon(drawn(which, Size, Size)); }

QPixmap option(Option which, int size) { return drawn(which, size, 16); }
}  // namespace Icons
