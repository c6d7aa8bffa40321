#include "reports/ReportPrinting.h"
#include "reports/ReportPager.h"
#include "reports/ReportPainter.h"
#include <QApplication>
#include <QFile>
#include <QPainter>
#include <QPrinter>
#include <QProgressDialog>
#include <memory>

namespace ReportPrinting {
namespace {
ProgressHandler& handler() {
    static ProgressHandler h;
    return h;
}

// The progress of one printing: nothing for a few pages, a window (or the
// tests' handler) for more.
class Progress {
public:
    Progress(int pages, QWidget* owner) : pages_(pages) {
        if (pages_ <= FewPages || handler()) return;
        window_ = std::make_unique<QProgressDialog>(QString(), "Cancel", 0, pages_, owner);
        window_->setWindowTitle("Printing");
        window_->setWindowModality(Qt::ApplicationModal);
        window_->setMinimumDuration(0);
        window_->setAutoClose(false);
        window_->setAutoReset(false);
    }

    // Before the page (from 1): false once the user has cancelled.
    bool goOn(int page) {
        if (pages_ <= FewPages) return true;
        if (handler()) return handler()(page, pages_);
        window_->setLabelText(QString("Printing page %1 of %2").arg(page).arg(pages_));
        window_->setValue(page - 1);
        QApplication::processEvents();
        return !window_->wasCanceled();
    }

private:
    int pages_;
    std::unique_ptr<QProgressDialog> window_;
};

// Ends a printing that did not end well: the sheets so far are dropped and
// a file begun is removed.
void drop(QPrinter& printer, QPainter& painter, Run& run) {
    printer.abort();
    if (painter.isActive()) painter.end();
    const QString file = printer.outputFileName();
    run.fileRemoved = !file.isEmpty() && QFile::remove(file);
}
}  // namespace

Run print(ReportDocument& report, QPrinter& printer, QWidget* owner) {
    const int count = report.pageCount();
    printer.setFullPage(true);
    printer.setPageLayout(QPageLayout(report.pageSize(), report.orientation(), QMarginsF(0, 0, 0, 0)));
    Run run;
    run.last = count - 1;
    if (printer.printRange() == QPrinter::PageRange && printer.fromPage() > 0) {
        run.first = printer.fromPage() - 1;
        if (printer.toPage() >= printer.fromPage()) run.last = std::min(run.last, printer.toPage() - 1);
    }
    if (run.first > run.last) return run;
    Progress progress(run.last - run.first + 1, owner);
    QPainter painter;
    if (!painter.begin(&printer)) {
        run.outcome = Run::Failed;   // nothing was begun: a file of that name is not ours to remove
        return run;
    }
    const qreal scale = printer.resolution() / 1440.0;
    try {
        for (int page = run.first; page <= run.last; ++page) {
            if (!progress.goOn(page - run.first + 1)) {
                run.outcome = Run::Cancelled;
                drop(printer, painter, run);
                return run;
            }
            if (page > run.first && !printer.newPage()) {
                run.outcome = Run::Failed;
                drop(printer, painter, run);
                return run;
            }
            paintReportPage(painter, report.page(page), scale);
        }
    } catch (...) {
        drop(printer, painter, run);
        throw;
    }
    if (!painter.end()) {
        run.outcome = Run::Failed;
        drop(printer, painter, run);
    }
    return run;
}

void setProgressHandler(ProgressHandler h) { handler() = std::move(h); }

}  // namespace ReportPrinting
