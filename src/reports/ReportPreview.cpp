#include "reports/ReportPreview.h"
#include "reports/ReportPreviewDialog.h"

namespace {
ReportPreviewHook& hook() {
    static ReportPreviewHook h;
    return h;
}
}

void setReportPreviewHook(ReportPreviewHook h) { hook() = std::move(h); }

void showReportPreview(const ReportPages& pages, const QString& title, QWidget* owner) {
    if (hook()) {
        hook()(pages, title, owner);
        return;
    }
    ReportPreviewDialog preview(pages, title, owner);
    preview.exec();
}
