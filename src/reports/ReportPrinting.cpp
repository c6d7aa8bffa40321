#include "reports/ReportPrinting.h"
#include "reports/ReportPager.h"
#include "reports/ReportPainter.h"
#include "platform/WholeFile.h"
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

// The printer's file, while a printing into it runs, is the side file
// beside it; the printer names the file again once the printing has ended.
class SideFile {
public:
    explicit SideFile(QPrinter& printer) : printer_(printer), target_(printer.outputFileName()) {
        if (target_.isEmpty()) return;
        side_ = WholeFile::sidePath(target_);
        QFile::remove(side_);   // one a killed printing left behind
        printer_.setOutputFileName(side_);
    }
    ~SideFile() {
        if (!target_.isEmpty()) printer_.setOutputFileName(target_);
    }
    // The whole file takes its name, and is on disk with it. Only a failed
    // sync of the folder leaves the file under its name.
    bool putInPlace(Run& run) {
        bool replaced = false;
        if (side_.isEmpty() || WholeFile::putInPlace(side_, target_, &run.reason, &replaced)) return true;
        run.fileRemoved = !replaced;
        return false;
    }
    // A file begun is removed.
    void remove(Run& run) { run.fileRemoved = !side_.isEmpty() && QFile::remove(side_); }

private:
    QPrinter& printer_;
    QString target_, side_;
};

// Ends a printing that did not end well: the sheets so far are dropped and
// a file begun is removed.
void drop(QPrinter& printer, QPainter& painter, SideFile& file, Run& run) {
    printer.abort();
    if (painter.isActive()) painter.end();
    file.remove(run);
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
    SideFile file(printer);
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
                drop(printer, painter, file, run);
                return run;
            }
            if (page > run.first && !printer.newPage()) {
                run.outcome = Run::Failed;
                drop(printer, painter, file, run);
                return run;
            }
            paintReportPage(painter, report.page(page), scale);
        }
    } catch (...) {
        drop(printer, painter, file, run);
        throw;
    }
    if (!painter.end()) {
        run.outcome = Run::Failed;
        drop(printer, painter, file, run);
    } else if (!file.putInPlace(run)) {
        run.outcome = Run::Failed;
    }
    return run;
}

void setProgressHandler(ProgressHandler h) { handler() = std::move(h); }

}  // namespace ReportPrinting
