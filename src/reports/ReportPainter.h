#pragma once
#include "reports/ReportLayout.h"
#include "reports/ReportTextFit.h"
#include <QImage>

class QPainter;

// Draws laid-out pages. The painter's origin is the paper's top-left corner;
// devicePixelsPerTwip scales the page's twips to the device.
void paintReportPage(QPainter& painter, const ReportPage& page, qreal devicePixelsPerTwip);

// The page on a white image of the paper's size at that resolution.
QImage renderReportPage(const ReportPages& pages, int page, int dotsPerInch);

// Every page into a PDF file; false when the file cannot be written.
bool writeReportPdf(const ReportPages& pages, const QString& path);

// The part of a placed text's box that it prints in, so no text prints over
// another or across a rule: the box, less the strips where the boxes of other
// texts on the page overlap it, and less the side of each rule or frame edge
// that crosses it away from where the text is anchored (its top, and its left
// or right edge as it is aligned). A strip between two texts goes to the one
// anchored at it; two anchored there share it, and one anchored at neither
// side yields it. A centred text yields the same on both sides, so it stays
// centred where the design puts it. A text with a background of its own is
// set on its frame on purpose and keeps its whole box there.
QRectF textRoom(const ReportPage& page, const PlacedItem& item);

// How a placed text is set in its room (ReportTextFit.h); a control that
// says so leaves out the blanks that pad its lines.
FittedText fittedText(const ReportPage& page, const PlacedItem& item);
