#include "reports/ReportPainter.h"
#include <QFontMetricsF>
#include <QPainter>
#include <QPainterPath>
#include <QPdfWriter>
#include <QPrinter>
#include <QRegularExpression>
#include <map>

namespace {
constexpr qreal TwipsPerInch = 1440;
constexpr int PenTwips = 15;   // one screen pixel at 96 dots to the inch

QFont fontOf(const ReportFont& f) {
    QFont font(installedFontFamily(f.family));
    font.setPixelSize(qRound(f.pointSize * 20));   // twips: the painter is scaled to them
    font.setBold(f.bold);
    font.setItalic(f.italic);
    font.setHintingPreference(QFont::PreferNoHinting);
    return font;
}

QPen outline(const QColor& color) {
    QPen pen(color, PenTwips);
    pen.setJoinStyle(Qt::MiterJoin);
    return pen;
}

void paintText(QPainter& p, const PlacedItem& item) {
    const ReportControl& c = item.control;
    const QRectF box = item.rect();
    if (item.text.isEmpty()) return;
    const QFont font = fontOf(c.font);
    const QFontMetricsF metrics(font);
    p.save();
    p.setClipRect(box);
    p.setFont(font);
    p.setPen(c.foreColor);
    // A box of one line clips its text; a taller one wraps it.
    const bool wraps = box.height() >= 2 * metrics.lineSpacing();
    qreal y = box.top() + metrics.ascent();
    for (const QString& line : wrapReportText(item.text, metrics, wraps ? box.width() : qreal(INT_MAX))) {
        const qreal advance = metrics.horizontalAdvance(line);
        qreal x = box.left();
        if (c.alignment & Qt::AlignRight) x = box.right() - advance;
        else if (c.alignment & Qt::AlignHCenter) x = box.left() + (box.width() - advance) / 2;
        p.drawText(QPointF(x, y), line);
        y += metrics.lineSpacing();
        if (y - metrics.ascent() > box.bottom()) break;
    }
    p.restore();
}

bool showsText(ControlKind kind) {
    return kind == ControlKind::Label || kind == ControlKind::TextBox || kind == ControlKind::Function;
}

void paintShape(QPainter& p, const ReportControl& c) {
    if (c.width <= 0 || c.height <= 0) return;
    const QRectF box(c.left, c.top, c.width, c.height);
    p.setPen(c.border ? outline(c.borderColor) : QPen(Qt::NoPen));
    p.setBrush(c.opaque ? QBrush(c.fillColor.isValid() ? c.fillColor : c.backColor) : QBrush(Qt::NoBrush));
    if (c.shape == ShapeKind::RoundedRectangle) {
        const qreal radius = std::min<qreal>(150, std::min(box.width(), box.height()) / 4);
        p.drawRoundedRect(box, radius, radius);
    } else {
        p.drawRect(box);
    }
}

void paintImage(QPainter& p, const ReportControl& c) {
    if (c.picture.isNull() || c.width <= 0 || c.height <= 0) return;
    const QSizeF fitted = QSizeF(c.picture.size()).scaled(QSizeF(c.width, c.height), Qt::KeepAspectRatio);
    p.drawImage(QRectF(QPointF(c.left, c.top), fitted), c.picture);
}
}

QString installedFontFamily(const QString& designFamily) {
    static const std::map<QString, QString> twins{
        {"arial", "Liberation Sans"}, {"times new roman", "Liberation Serif"}, {"courier new", "Liberation Mono"}};
    const auto found = twins.find(designFamily.toLower());
    return found == twins.end() ? designFamily : found->second;
}

QStringList wrapReportText(const QString& text, const QFontMetricsF& metrics, qreal width) {
    static const QRegularExpression lineBreak("\r\n|\r|\n");
    static const QRegularExpression word(" *[^ ]+ *| +");
    QStringList lines;
    for (const QString& paragraph : text.split(lineBreak)) {
        QString line;
        auto it = word.globalMatch(paragraph);
        while (it.hasNext()) {
            const QString token = it.next().captured(0);
            const QString candidate = line + token;
            if (line.isEmpty() || metrics.horizontalAdvance(candidate.trimmed()) <= width) {
                line = candidate;
                continue;
            }
            lines << line.trimmed();
            line = token.trimmed().isEmpty() ? token : token.mid(token.indexOf(QRegularExpression("[^ ]")));
        }
        lines << line;
    }
    return lines;
}

void paintReportPage(QPainter& painter, const ReportPage& page, qreal devicePixelsPerTwip) {
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setRenderHint(QPainter::TextAntialiasing);
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    painter.scale(devicePixelsPerTwip, devicePixelsPerTwip);
    // Backgrounds, shapes, lines and pictures first, in the design's order;
    // then every text over them, so an opaque caption never hides another text.
    for (const PlacedItem& item : page.items) {
        const ReportControl& c = item.control;
        if (showsText(c.kind)) {
            if (c.opaque) painter.fillRect(item.rect(), c.backColor);
            continue;
        }
        switch (c.kind) {
        case ControlKind::Shape: paintShape(painter, c); break;
        case ControlKind::Line:
            painter.setPen(outline(c.borderColor));
            painter.drawLine(QPointF(c.left, c.top), QPointF(c.left + c.width, c.top + c.height));
            break;
        case ControlKind::Image: paintImage(painter, c); break;
        default: break;
        }
    }
    for (const PlacedItem& item : page.items)
        if (showsText(item.control.kind)) paintText(painter, item);
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
bool paintAll(const ReportPages& pages, QPagedPaintDevice& device, int resolution) {
    QPainter painter;
    if (!painter.begin(&device)) return false;
    for (size_t i = 0; i < pages.pages.size(); ++i) {
        if (i > 0) device.newPage();
        paintReportPage(painter, pages.pages[i], resolution / TwipsPerInch);
    }
    return painter.end();
}

QPageLayout paperLayout(const ReportPages& pages) {
    return QPageLayout(pages.pageSize, pages.orientation, QMarginsF(0, 0, 0, 0));
}
}

void printReport(const ReportPages& pages, QPrinter& printer) {
    printer.setFullPage(true);
    printer.setPageLayout(paperLayout(pages));
    paintAll(pages, printer, printer.resolution());
}

bool writeReportPdf(const ReportPages& pages, const QString& path) {
    QPdfWriter writer(path);
    writer.setResolution(1200);
    writer.setPageLayout(paperLayout(pages));
    writer.setCreator("Kelm Invoice");
    return paintAll(pages, writer, writer.resolution());
}
