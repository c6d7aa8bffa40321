#include "reports/ReportPreview.h"
#include "reports/ReportPager.h"
#include "reports/ReportPreviewDialog.h"

namespace {
struct StandIn {
    ReportPreviewHook hook;
    bool printedInFull = false;
};

StandIn& standIn() {
    static StandIn s;
    return s;
}
}  // namespace

void setReportPreviewHook(ReportPreviewHook hook, bool printedInFull) { standIn() = {std::move(hook), printedInFull}; }

bool showReportPreview(ReportDocument& report, const QString& title, QWidget* owner) {
    if (standIn().hook) {
        const ReportPages pages = wholeLayout(report);
        // The rows are left where the window leaves them: on the first page, the one it opens on.
        if (report.pagesKnown() > 0) report.page(0);
        standIn().hook(pages, title, owner);
        return standIn().printedInFull;
    }
    ReportPreviewDialog preview(report, title, owner);
    preview.exec();
    return preview.printedInFull();
}

bool showReportPreview(const ReportPages& pages, const QString& title, QWidget* owner) {
    if (standIn().hook) {
        standIn().hook(pages, title, owner);
        return standIn().printedInFull;
    }
    LaidOutPages report(pages);
    return showReportPreview(report, title, owner);
}
