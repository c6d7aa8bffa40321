#pragma once
#include "reports/ReportDesign.h"
#include <QFont>
#include <QSizeF>
#include <QStringList>

class QFontMetricsF;

// How a text is set in its box on paper. The box never moves and never
// grows; the text is made to fit it instead:
// - at the design's size when it fits, word-wrapped where the box is tall
//   enough for more than one line;
// - otherwise at the largest smaller size that fits, down to
//   SmallestPointSize;
// - where even that is too big, at SmallestPointSize, words that are wider
//   than the box broken between their characters, and, when lines are still
//   left over, the last line that prints ends in CutMark.
// Only whole lines print: none is ever cut at the bottom of its box.
struct FittedText {
    qreal pointSize = 0;
    QStringList lines;
    bool cut = false;            // some of the text is left out, and CutMark shows where
};

// The smallest size a text is shrunk to: still readable on paper.
constexpr qreal SmallestPointSize = 6;
// Ends a line after which text was left out.
inline const QString CutMark = QStringLiteral("\u2026");

FittedText fitReportText(const QString& text, const ReportFont& font, Qt::Alignment alignment, const QSizeF& box);

// The font a design names at that size, in twips for a painter scaled to twips.
QFont reportFont(const ReportFont& font, qreal pointSize);

// Its measures, in twips.
const QFontMetricsF& reportFontMetrics(const ReportFont& font, qreal pointSize);

// The installed font that stands for a font a design names.
QString installedFontFamily(const QString& designFamily);

// The lines a text takes in a box of that width: its own line breaks, then
// word wrap. The last line of a paragraph keeps its trailing blanks, so they
// count when the text is right-aligned.
QStringList wrapReportText(const QString& text, const QFontMetricsF& metrics, qreal width);

// How many lines of that font a box of that height holds whole.
int wholeLinesIn(const QFontMetricsF& metrics, qreal height);

// The width a line takes in its box: trailing blanks count only where they
// move the text, that is when it is centred or right-aligned.
qreal lineWidth(const QString& line, const QFontMetricsF& metrics, Qt::Alignment alignment);
