#pragma once
#include "reports/ReportLayout.h"
#include <QImage>

class QPainter;
class QPrinter;

// Draws laid-out pages. The painter's origin is the paper's top-left corner;
// devicePixelsPerTwip scales the page's twips to the device.
void paintReportPage(QPainter& painter, const ReportPage& page, qreal devicePixelsPerTwip);

// The page on a white image of the paper's size at that resolution.
QImage renderReportPage(const ReportPages& pages, int page, int dotsPerInch);

// Every page on the printer, one sheet each, on the report's paper.
void printReport(const ReportPages& pages, QPrinter& printer);

// Every page into a PDF file; false when the file cannot be written.
bool writeReportPdf(const ReportPages& pages, const QString& path);

// The installed font that stands for a font a design names.
QString installedFontFamily(const QString& designFamily);

// The lines a text takes in a box of that width: its own line breaks, then
// word wrap. The last line of a paragraph keeps its trailing blanks, so they
// count when the text is right-aligned.
class QFontMetricsF;
QStringList wrapReportText(const QString& text, const QFontMetricsF& metrics, qreal width);
