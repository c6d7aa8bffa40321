#include "reports/ReportTextFit.h"
#include <QFontMetricsF>
#include <QRegularExpression>
#include <map>
#include <optional>
#include <tuple>
#include <utility>
#include <vector>

namespace {
constexpr qreal SizeStep = 0.25;     // points; one step is 5 twips of font size
constexpr qreal Tolerance = 0.01;    // twips: rounding of the measures
// A text that is made to fit keeps this far from the sides of its box that
// it is not aligned to, so it never touches a frame drawn on the box.
constexpr qreal SidePadding = 15;

const QRegularExpression& lineBreak() {
    static const QRegularExpression re("\r\n|\r|\n");
    return re;
}

qreal usableWidth(const QSizeF& box, Qt::Alignment alignment) {
    const int freeSides = alignment & Qt::AlignHCenter ? 2 : 1;
    return std::max<qreal>(0, box.width() - freeSides * SidePadding);
}

QString withoutTrailingBlanks(const QString& line) {
    qsizetype end = line.size();
    while (end > 0 && line.at(end - 1) == ' ') --end;
    return line.left(end);
}

QString withoutLeadingBlanks(const QString& text) {
    qsizetype start = 0;
    while (start < text.size() && text.at(start) == ' ') ++start;
    return text.mid(start);
}

bool fitsWidth(const QStringList& lines, const QFontMetricsF& metrics, Qt::Alignment alignment, qreal width) {
    for (const QString& line : lines)
        if (lineWidth(line, metrics, alignment) > width + Tolerance) return false;
    return true;
}

// A text's lines, each marked where it goes on with a word that the line
// before it broke.
struct Wrapped {
    QStringList lines;
    std::vector<bool> goesOnWithWord;
};

// How many of the first characters of a text too wide for the width fit
// it, one at least.
qsizetype fittingPrefix(const QString& word, const QFontMetricsF& metrics, qreal width) {
    qsizetype fits = 1, wider = word.size();   // a prefix of `fits` fits, one of `wider` does not
    while (wider - fits > 1) {
        const qsizetype middle = (fits + wider) / 2;
        (metrics.horizontalAdvance(word.left(middle)) <= width + Tolerance ? fits : wider) = middle;
    }
    return fits;
}

// How much of the line and the next word (a token of blanks, a word and
// blanks) fills a line that ends inside the word: none when not even its
// first character fits.
qsizetype filledLine(const QString& line, const QString& token, const QFontMetricsF& metrics, qreal width) {
    static const QRegularExpression nonBlank("[^ ]");
    const qsizetype wordStart = token.indexOf(nonBlank);
    if (wordStart < 0) return 0;
    const qsizetype fits = fittingPrefix(withoutTrailingBlanks(line + token), metrics, width);
    return fits > line.size() + wordStart ? fits : 0;
}

void wrapParagraph(const QString& paragraph, const QFontMetricsF& metrics, qreal width, LineBreaks breaks,
                   Wrapped& out) {
    static const QRegularExpression word(" *[^ ]+ *| +");
    QString line;
    bool inWord = false;   // the line goes on with a word the line before broke
    const auto add = [&](const QString& done, bool breaksWord) {
        out.lines << done;
        out.goesOnWithWord.push_back(std::exchange(inWord, breaksWord));
    };
    auto it = word.globalMatch(paragraph);
    while (it.hasNext()) {
        const QString token = it.next().captured(0);
        const QString candidate = line + token;
        if (line.isEmpty() || metrics.horizontalAdvance(candidate.trimmed()) <= width) {
            line = candidate;
        } else if (const qsizetype filled =
                       breaks == LineBreaks::Anywhere ? filledLine(line, token, metrics, width) : 0) {
            add(candidate.left(filled), true);
            line = candidate.mid(filled);
        } else {
            add(line.trimmed(), false);
            line = token.trimmed().isEmpty() ? token : withoutLeadingBlanks(token);
        }
        // Only a word that has a line to itself can still be too wide for it.
        while (breaks != LineBreaks::AtBlanks && line.size() > 1 &&
               metrics.horizontalAdvance(withoutTrailingBlanks(line)) > width + Tolerance) {
            const qsizetype piece = fittingPrefix(withoutTrailingBlanks(line), metrics, width);
            add(line.left(piece), true);
            line = line.mid(piece);
        }
    }
    add(line, false);
}

Wrapped wrapped(const QString& text, const QFontMetricsF& metrics, qreal width, LineBreaks breaks) {
    Wrapped out;
    for (const QString& paragraph : text.split(lineBreak())) wrapParagraph(paragraph, metrics, width, breaks, out);
    return out;
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
                                   const QSizeF& box, qreal pointSize, LineBreaks breaks) {
    const QFontMetricsF& metrics = reportFontMetrics(font, pointSize);
    QStringList lines = wrapReportText(text, metrics, box.width(), breaks);
    if (lines.size() > wholeLinesIn(metrics, box.height()) || !fitsWidth(lines, metrics, alignment, box.width()))
        return std::nullopt;
    return FittedText{pointSize, std::move(lines), false};
}

// The largest size from the design's down to the smallest at which the text fits.
std::optional<FittedText> setSmaller(const QString& text, const ReportFont& font, Qt::Alignment alignment,
                                     const QSizeF& box, LineBreaks breaks) {
    const qreal smallest = std::min(font.pointSize, SmallestPointSize);
    for (qreal size = font.pointSize; size >= smallest - Tolerance; size -= SizeStep)
        if (auto fitted = setWhole(text, font, alignment, box, size, breaks)) return fitted;
    return std::nullopt;
}

FittedText setCut(const QString& text, const ReportFont& font, Qt::Alignment alignment, const QSizeF& box) {
    const qreal smallest = std::min(font.pointSize, SmallestPointSize);
    const QFontMetricsF& metrics = reportFontMetrics(font, smallest);
    const Wrapped all = wrapped(text, metrics, box.width(), LineBreaks::Anywhere);
    FittedText fitted{smallest, all.lines, false};
    // A box lower than one line still shows that line, so the mark is seen.
    const qsizetype room = std::max(1, wholeLinesIn(metrics, box.height()));
    if (fitted.lines.size() > room) {
        // The last line that prints takes as much of the rest as fits before the mark.
        QString rest = all.lines.at(room - 1);
        for (qsizetype i = room; i < all.lines.size(); ++i)
            rest += (all.goesOnWithWord.at(size_t(i)) ? "" : " ") + all.lines.at(i);
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

QStringList wrapReportText(const QString& text, const QFontMetricsF& metrics, qreal width, LineBreaks breaks) {
    return wrapped(text, metrics, width, breaks).lines;
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

QString withoutBlanksAtLineEnds(const QString& text) {
    QString out;
    qsizetype from = 0;
    for (auto breaks = lineBreak().globalMatch(text); breaks.hasNext();) {
        const auto found = breaks.next();
        out += withoutTrailingBlanks(text.mid(from, found.capturedStart() - from)) + found.captured(0);
        from = found.capturedEnd();
    }
    return out + withoutTrailingBlanks(text.mid(from));
}

FittedText fitReportText(const QString& text, const ReportFont& font, Qt::Alignment alignment, const QSizeF& box) {
    if (text.isEmpty()) return {font.pointSize, {}, false};
    // A text that fits as designed prints as designed.
    if (auto asDesigned = setWhole(text, font, alignment, box, font.pointSize, LineBreaks::AtBlanks))
        return *asDesigned;
    // A slightly smaller size reads better than a word broken in two; a
    // word too wide for a line at any size is broken, at the largest size
    // that holds all of the text; lines are filled to the edge only where
    // nothing else holds it.
    const QSizeF usable(usableWidth(box, alignment), box.height());
    for (LineBreaks breaks : {LineBreaks::AtBlanks, LineBreaks::InLongWords, LineBreaks::Anywhere})
        if (auto smaller = setSmaller(text, font, alignment, usable, breaks)) return *smaller;
    return setCut(text, font, alignment, usable);
}
