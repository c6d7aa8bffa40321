#include "reports/ReportPainter.h"
#include <QFontMetricsF>
#include <QPainter>
#include <QPainterPath>
#include <QPdfWriter>

namespace {
constexpr qreal TwipsPerInch = 1440;
constexpr int PenTwips = 15;   // one screen pixel at 96 dots to the inch

// Outlines and rules end where their box ends: no cap reaches past it.
QPen outline(const QColor& color) {
    QPen pen(color, PenTwips);
    pen.setJoinStyle(Qt::MiterJoin);
    pen.setCapStyle(Qt::FlatCap);
    return pen;
}

FittedText fittedIn(const QRectF& room, const PlacedItem& item) {
    const ReportControl& c = item.control();
    return fitReportText(c.trimLineEnds ? withoutBlanksAtLineEnds(item.text) : item.text, c.font, c.alignment,
                         room.size());
}

void paintText(QPainter& p, const ReportPage& page, const PlacedItem& item) {
    const ReportControl& c = item.control();
    const QRectF box = textRoom(page, item);
    const FittedText fitted = fittedIn(box, item);
    if (fitted.lines.isEmpty()) return;
    const QFontMetricsF& metrics = reportFontMetrics(c.font, fitted.pointSize);
    p.save();
    p.setFont(reportFont(c.font, fitted.pointSize));
    p.setPen(c.foreColor);
    qreal y = box.top() + metrics.ascent();
    for (const QString& line : fitted.lines) {
        const qreal advance = metrics.horizontalAdvance(line);
        qreal x = box.left();
        if (c.alignment & Qt::AlignRight) x = box.right() - advance;
        else if (c.alignment & Qt::AlignHCenter) x = box.left() + (box.width() - advance) / 2;
        p.drawText(QPointF(x, y), line);
        y += metrics.lineSpacing();
    }
    p.restore();
}

bool showsText(ControlKind kind) {
    return kind == ControlKind::Label || kind == ControlKind::TextBox || kind == ControlKind::Function;
}

bool printsText(const PlacedItem& item) { return showsText(item.control().kind) && !item.text.isEmpty(); }

// Whether a text of that alignment holds its place at that side of its box.
bool anchoredAt(Qt::Alignment align, bool rightSide) {
    if (align & Qt::AlignHCenter) return false;
    return rightSide == bool(align & Qt::AlignRight);
}

// How much each side of a text's box gives up to its neighbours.
class Yielded {
public:
    explicit Yielded(const PlacedItem& item) : box_(item.rect()), align_(item.control().alignment) {}

    // The overlap with another text's box: to the one anchored at it, shared
    // when both are, and given up by both when neither is.
    void toText(const PlacedItem& other) {
        const QRectF theirs = other.rect();
        const QRectF overlap = box_.intersected(theirs);
        if (overlap.isEmpty()) return;
        if (overlap.width() <= overlap.height()) {
            const bool onRight = theirs.center().x() > box_.center().x();
            sideways(onRight, part(overlap.width(), anchoredAt(align_, onRight),
                                   anchoredAt(other.control().alignment, !onRight)));
        } else {
            const bool below = theirs.center().y() > box_.center().y();
            (below ? bottom_ : top_) = std::max(below ? bottom_ : top_, part(overlap.height(), !below, below));
        }
    }

    // A rule across the box: the text keeps the side of it where it is
    // anchored (its top; for a centred text, the larger side).
    void toRule(const QLineF& rule) {
        const qreal halfPen = PenTwips / 2.0;
        if (rule.dx() == 0 && rule.x1() > box_.left() && rule.x1() < box_.right() &&
            std::min(rule.y1(), rule.y2()) < box_.bottom() && std::max(rule.y1(), rule.y2()) > box_.top()) {
            const qreal leftPart = rule.x1() - halfPen - box_.left();
            const qreal rightPart = box_.right() - rule.x1() - halfPen;
            const bool keepsLeft = align_ & Qt::AlignHCenter ? leftPart > rightPart : !anchoredAt(align_, true);
            sideways(keepsLeft, box_.width() - std::max<qreal>(0, keepsLeft ? leftPart : rightPart));
        } else if (rule.dy() == 0 && rule.y1() > box_.top() && rule.y1() < box_.bottom() &&
                   std::min(rule.x1(), rule.x2()) < box_.right() && std::max(rule.x1(), rule.x2()) > box_.left()) {
            bottom_ = std::max(bottom_, box_.bottom() - (rule.y1() - halfPen));
        }
    }

    // The edges of a framed shape are rules too, except for a text with a
    // background of its own, which the design sets on the frame on purpose.
    void toFrame(const PlacedItem& shape, bool opaqueText) {
        const QRect box = shape.rect();
        if (opaqueText || !shape.control().border || box.width() <= 0 || box.height() <= 0) return;
        const QRectF edges = QRectF(box).adjusted(PenTwips / 2.0, PenTwips / 2.0, -PenTwips / 2.0, -PenTwips / 2.0);
        toRule(QLineF(edges.topLeft(), edges.topRight()));
        toRule(QLineF(edges.bottomLeft(), edges.bottomRight()));
        toRule(QLineF(edges.topLeft(), edges.bottomLeft()));
        toRule(QLineF(edges.topRight(), edges.bottomRight()));
    }

    QRectF room() const { return box_.adjusted(left_, top_, -right_, -bottom_); }

private:
    static qreal part(qreal overlap, bool mineAnchored, bool theirsAnchored) {
        if (!mineAnchored) return overlap;
        return theirsAnchored ? overlap / 2 : 0;
    }

    // A centred text gives up the same on both sides, so it stays centred.
    void sideways(bool rightSide, qreal amount) {
        if (align_ & Qt::AlignHCenter) left_ = right_ = std::max({left_, right_, amount});
        else (rightSide ? right_ : left_) = std::max(rightSide ? right_ : left_, amount);
    }

    QRectF box_;
    Qt::Alignment align_;
    qreal left_ = 0, right_ = 0, top_ = 0, bottom_ = 0;
};

// A line runs from its box's top-left corner to its bottom-right one.
QLineF ruleOf(const PlacedItem& item) {
    const QRect r = item.rect();
    return QLineF(r.left(), r.top(), r.left() + r.width(), r.top() + r.height());
}

void paintShape(QPainter& p, const PlacedItem& item) {
    const ReportControl& c = item.control();
    if (c.width <= 0 || c.height <= 0) return;
    // A border is drawn inside the shape's box, as its fill is.
    const qreal inset = c.border ? PenTwips / 2.0 : 0;
    const QRectF box = QRectF(item.rect()).adjusted(inset, inset, -inset, -inset);
    p.setPen(c.border ? outline(c.borderColor) : QPen(Qt::NoPen));
    p.setBrush(c.opaque ? QBrush(c.fillColor.isValid() ? c.fillColor : c.backColor) : QBrush(Qt::NoBrush));
    if (c.shape == ShapeKind::RoundedRectangle) {
        const qreal radius = std::min<qreal>(150, std::min(box.width(), box.height()) / 4);
        p.drawRoundedRect(box, radius, radius);
    } else {
        p.drawRect(box);
    }
}

void paintImage(QPainter& p, const PlacedItem& item) {
    const ReportControl& c = item.control();
    if (c.picture.isNull() || c.width <= 0 || c.height <= 0) return;
    const QSizeF fitted = QSizeF(c.picture.size()).scaled(QSizeF(c.width, c.height), Qt::KeepAspectRatio);
    p.drawImage(QRectF(item.rect().topLeft(), fitted), c.picture);
}
}

QRectF textRoom(const ReportPage& page, const PlacedItem& item) {
    Yielded yielded(item);
    for (const PlacedItem& other : page.items) {
        if (&other == &item) continue;
        const ControlKind kind = other.control().kind;
        if (printsText(other)) yielded.toText(other);
        else if (kind == ControlKind::Line) yielded.toRule(ruleOf(other));
        else if (kind == ControlKind::Shape) yielded.toFrame(other, item.control().opaque);
    }
    return yielded.room();
}

FittedText fittedText(const ReportPage& page, const PlacedItem& item) { return fittedIn(textRoom(page, item), item); }

void paintReportPage(QPainter& painter, const ReportPage& page, qreal devicePixelsPerTwip) {
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setRenderHint(QPainter::TextAntialiasing);
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    painter.scale(devicePixelsPerTwip, devicePixelsPerTwip);
    // Backgrounds, shapes, lines and pictures first, in the design's order;
    // then every text over them, so an opaque caption never hides another text.
    for (const PlacedItem& item : page.items) {
        const ReportControl& c = item.control();
        if (showsText(c.kind)) {
            if (c.opaque) painter.fillRect(item.rect(), c.backColor);
            continue;
        }
        switch (c.kind) {
        case ControlKind::Shape: paintShape(painter, item); break;
        case ControlKind::Line:
            painter.setPen(outline(c.borderColor));
            painter.drawLine(ruleOf(item));
            break;
        case ControlKind::Image: paintImage(painter, item); break;
        default: break;
        }
    }
    for (const PlacedItem& item : page.items)
        if (showsText(item.control().kind)) paintText(painter, page, item);
    painter.restore();
}

QImage renderReportPage(const ReportPages& pages, int page, int dotsPerInch) {
    const qreal scale = dotsPerInch / TwipsPerInch;
    QImage image(qRound(pages.paper.width() * scale), qRound(pages.paper.height() * scale), QImage::Format_RGB32);
    image.fill(Qt::white);
    image.setDotsPerMeterX(qRound(dotsPerInch / 0.0254));
    image.setDotsPerMeterY(qRound(dotsPerInch / 0.0254));
    QPainter painter(&image);
    paintReportPage(painter, pages.pages.at(size_t(page)), scale);
    return image;
}

namespace {
// The pages first..last (from 0), one sheet each.
bool paintAll(const ReportPages& pages, QPagedPaintDevice& device, int resolution, size_t first, size_t last) {
    QPainter painter;
    if (!painter.begin(&device)) return false;
    for (size_t i = first; i <= last && i < pages.pages.size(); ++i) {
        if (i > first) device.newPage();
        paintReportPage(painter, pages.pages[i], resolution / TwipsPerInch);
    }
    return painter.end();
}

QPageLayout paperLayout(const ReportPages& pages) {
    return QPageLayout(pages.pageSize, pages.orientation, QMarginsF(0, 0, 0, 0));
}
}

bool writeReportPdf(const ReportPages& pages, const QString& path) {
    QPdfWriter writer(path);
    writer.setResolution(1200);
    writer.setPageLayout(paperLayout(pages));
    writer.setCreator("Kelm Invoice");
    return paintAll(pages, writer, writer.resolution(), 0, pages.pages.size() - 1);
}
