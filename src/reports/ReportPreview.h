#pragma once
#include "reports/ReportLayout.h"
#include <functional>

class QWidget;
class ReportDocument;

// Shows the report in a modal print preview owned by the window; the user
// prints from it, on a printer or into a PDF file. Returns when it closes:
// whether a printing of every page ran to its end.
bool showReportPreview(ReportDocument& report, const QString& title, QWidget* owner);
// The same for pages laid out whole beforehand.
bool showReportPreview(const ReportPages& pages, const QString& title, QWidget* owner);

// Tests see the preview's pages, laid out whole, instead of a window; the
// stand-in answers as if every page was printed or not, and leaves the
// report's rows standing on its first page, as the window does. An empty
// hook restores the window.
using ReportPreviewHook = std::function<void(const ReportPages& pages, const QString& title, QWidget* owner)>;
void setReportPreviewHook(ReportPreviewHook hook, bool printedInFull = false);
