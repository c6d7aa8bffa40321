#include "reports/ReportTextFit.h"
#include <QFontMetricsF>
#include <QRegularExpression>
#include <map>
#include <optional>
#include <tuple>

namespace {
constexpr qreal SizeStep = 0.25;     // points; one step is 5 twips of font size
constexpr qreal Tolerance = 0.01;    // twips: rounding of the measures
// A text that is made to fit keeps this far from the sides of its box that
// it is not aligned to, so it never touches a frame drawn on the box.
constexpr qreal SidePadding = 15;

qreal usableWidth(const QSizeF& box, Qt::Alignment alignment) {
    const int freeSides = alignment & Qt::AlignHCenter ? 2 : 1;
    return std::max<qreal>(0, box.width() - freeSides * SidePadding);
}

QString withoutTrailingBlanks(const QString& line) {
    qsizetype end = line.size();
    while (end > 0 && line.at(end - 1) == ' ') --end;
    return line.left(end);
}

bool fitsWidth(const QStringList& lines, const QFontMetricsF& metrics, Qt::Alignment alignment, qreal width) {
    for (const QString& line : lines)
        if (lineWidth(line, metrics, alignment) > width + Tolerance) return false;
    return true;
}

// The line broken between its characters into pieces that fit the width;
// each piece holds at least one character.
QStringList brokenInsideWords(const QString& line, const QFontMetricsF& metrics, Qt::Alignment alignment,
                              qreal width) {
    QStringList pieces;
    QString piece;
    for (const QChar c : line) {
        if (!piece.isEmpty() && lineWidth(piece + c, metrics, alignment) > width + Tolerance) {
            pieces << piece;
            piece.clear();
            if (c == ' ') continue;   // a break between words needs no blank at its start
        }
        piece += c;
    }
    pieces << piece;
    return pieces;
}

// The line with CutMark at its end, shortened until both fit the width.
QString markedAsCut(QString line, const QFontMetricsF& metrics, Qt::Alignment alignment, qreal width) {
    line = withoutTrailingBlanks(line);
    while (!line.isEmpty() && lineWidth(line + CutMark, metrics, alignment) > width + Tolerance) {
        line.chop(1);
        line = withoutTrailingBlanks(line);
    }
    return line + CutMark;
}

// The text at that size when all of it fits the box.
std::optional<FittedText> setWhole(const QString& text, const ReportFont& font, Qt::Alignment alignment,
                                   const QSizeF& box, qreal pointSize) {
    const QFontMetricsF& metrics = reportFontMetrics(font, pointSize);
    QStringList lines = wrapReportText(text, metrics, box.width());
    if (lines.size() > wholeLinesIn(metrics, box.height()) || !fitsWidth(lines, metrics, alignment, box.width()))
        return std::nullopt;
    return FittedText{pointSize, std::move(lines), false};
}

FittedText atSmallestSize(const QString& text, const ReportFont& font, Qt::Alignment alignment, const QSizeF& box,
                          qreal pointSize) {
    const QFontMetricsF& metrics = reportFontMetrics(font, pointSize);
    FittedText fitted{pointSize, {}, false};
    // What joins each line to the one before it: a blank where the wrap
    // broke between words, nothing where a word itself was broken.
    QStringList joins;
    for (const QString& line : wrapReportText(text, metrics, box.width())) {
        const QStringList pieces = lineWidth(line, metrics, alignment) > box.width() + Tolerance
                                       ? brokenInsideWords(line, metrics, alignment, box.width())
                                       : QStringList{line};
        for (qsizetype i = 0; i < pieces.size(); ++i) joins << (i == 0 ? " " : "");
        fitted.lines << pieces;
    }
    // A box lower than one line still shows that line, so the mark is seen.
    const qsizetype room = std::max(1, wholeLinesIn(metrics, box.height()));
    if (fitted.lines.size() > room) {
        // The last line that prints takes as much of the rest as fits before the mark.
        QString rest = fitted.lines.at(room - 1);
        for (qsizetype i = room; i < fitted.lines.size(); ++i) rest += joins.at(i) + fitted.lines.at(i);
        fitted.lines = fitted.lines.mid(0, room);
        fitted.lines.last() = markedAsCut(rest, metrics, alignment, box.width());
        fitted.cut = true;
    }
    return fitted;
}
}  // namespace

QFont reportFont(const ReportFont& f, qreal pointSize) {
    QFont font(installedFontFamily(f.family));
    font.setPixelSize(qRound(pointSize * 20));   // twips: the painter is scaled to them
    font.setBold(f.bold);
    font.setItalic(f.italic);
    font.setHintingPreference(QFont::PreferNoHinting);
    return font;
}

const QFontMetricsF& reportFontMetrics(const ReportFont& f, qreal pointSize) {
    // A report sets thousands of texts in a few fonts: each is measured once.
    // The measures are kept to the very end of the process, never destroyed:
    // fonts must not be let go of after the application object has gone.
    using Key = std::tuple<QString, int, bool, bool>;
    static auto* measured = new std::map<Key, QFontMetricsF>;
    const Key key{f.family.toLower(), qRound(pointSize * 20), f.bold, f.italic};
    auto found = measured->find(key);
    if (found == measured->end()) found = measured->emplace(key, QFontMetricsF(reportFont(f, pointSize))).first;
    return found->second;
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

int wholeLinesIn(const QFontMetricsF& metrics, qreal height) {
    const qreal lineHeight = metrics.ascent() + metrics.descent();
    if (height + Tolerance < lineHeight) return 0;
    return 1 + int((height + Tolerance - lineHeight) / metrics.lineSpacing());
}

qreal lineWidth(const QString& line, const QFontMetricsF& metrics, Qt::Alignment alignment) {
    const bool blanksMove = alignment & (Qt::AlignRight | Qt::AlignHCenter);
    return metrics.horizontalAdvance(blanksMove ? line : withoutTrailingBlanks(line));
}

FittedText fitReportText(const QString& text, const ReportFont& font, Qt::Alignment alignment, const QSizeF& box) {
    if (text.isEmpty()) return {font.pointSize, {}, false};
    // A text that fits as designed prints as designed.
    if (auto asDesigned = setWhole(text, font, alignment, box, font.pointSize)) return *asDesigned;
    const QSizeF usable(usableWidth(box, alignment), box.height());
    const qreal smallest = std::min(font.pointSize, SmallestPointSize);
    for (qreal size = font.pointSize; size >= smallest - Tolerance; size -= SizeStep)
        if (auto smaller = setWhole(text, font, alignment, usable, size)) return *smaller;
    return atSmallestSize(text, font, alignment, usable, smallest);
}
