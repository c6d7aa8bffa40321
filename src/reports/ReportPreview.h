#pragma once
#include "reports/ReportLayout.h"
#include <functional>

class QWidget;

// Shows the pages in a modal print preview owned by the window; the user
// prints from it, on a printer or into a PDF file. Returns when it closes.
void showReportPreview(const ReportPages& pages, const QString& title, QWidget* owner);

// Tests see the preview's pages instead of a window; an empty hook restores it.
using ReportPreviewHook = std::function<void(const ReportPages& pages, const QString& title, QWidget* owner)>;
void setReportPreviewHook(ReportPreviewHook hook);
