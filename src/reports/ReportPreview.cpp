#include "reports/ReportPreview.h"
#include "reports/ReportPainter.h"
#include <QPrintPreviewDialog>
#include <QPrinter>

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
    QPrinter printer(QPrinter::HighResolution);
    printer.setDocName(title);
    printer.setFullPage(true);
    printer.setPageLayout(QPageLayout(pages.pageSize, pages.orientation, QMarginsF(0, 0, 0, 0)));
    QPrintPreviewDialog preview(&printer, owner);
    preview.setWindowTitle(title);
    QObject::connect(&preview, &QPrintPreviewDialog::paintRequested, &preview,
                     [&pages](QPrinter* target) { printReport(pages, *target); });
    preview.exec();
}
