#pragma once
#include "reports/ReportDesign.h"
#include <QFont>
#include <QSizeF>
#include <QStringList>

class QFontMetricsF;

// How a text is set in its box on paper. The box never moves and never
// grows; the text is made to fit it instead, every character of it:
// - at the design's size when it fits, word-wrapped where the box is tall
//   enough for more than one line;
// - otherwise at the largest smaller size that fits with its words whole,
//   down to SmallestPointSize;
// - where a word is too wide for a line even at that size, at the largest
//   size that fits with such words broken between their characters: a line
//   ends inside a word only where no blank lets it end before;
// - where that takes too many lines, at the largest size that fits with
//   every line filled to the width of the box, ending inside a word where
//   the next word does not fit whole;
// - where even that is too big, at SmallestPointSize, broken so, and the
//   last line that prints ends in CutMark.
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

// Where a wrapped line may end: at a blank only (a word wider than a line
// is left whole on a line of its own); also inside a word wider than a
// whole line; or anywhere, each line filled to the width.
enum class LineBreaks { AtBlanks, InLongWords, Anywhere };

// The lines a text takes in a box of that width: its own line breaks, then
// word wrap. The last line of a paragraph keeps its trailing blanks, so they
// count when the text is right-aligned.
QStringList wrapReportText(const QString& text, const QFontMetricsF& metrics, qreal width,
                           LineBreaks breaks = LineBreaks::AtBlanks);

// How many lines of that font a box of that height holds whole.
int wholeLinesIn(const QFontMetricsF& metrics, qreal height);

// The width a line takes in its box: trailing blanks count only where they
// move the text, that is when it is centred or right-aligned.
qreal lineWidth(const QString& line, const QFontMetricsF& metrics, Qt::Alignment alignment);

// The text without the blanks at the end of each of its lines.
QString withoutBlanksAtLineEnds(const QString& text);
