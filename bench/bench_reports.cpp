// The six printed reports at the Reports window's default range (from the
// settings: every invoice of the data set), each through the Select of the
// window up to its first page painted in the preview, against the sqlite3
// command line reading the same rows in the same run; the heap with the
// preview open, and the jump to the last page. Then the detailed invoices
// over one quarter of the range: their heap against the whole range's, and
// the quarter printed to PDF from the preview.
#include "BenchSupport.h"
#include "common/Functions.h"
#include "common/SettingsValues.h"
#include "debtors/DebtorRecord.h"
#include "debtors/PrintedReports.h"
#include "platform/ShortDate.h"
#include "platform/Today.h"
#include "reports/PrintDialog.h"
#include "reports/ReportPreviewDialog.h"
#include <QAbstractButton>
#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QPrinter>
#include <QTemporaryDir>
#include <QTimer>
#include <cstdio>

namespace {
using PrintedReports::Report;

struct Range {
    QDate from, to;
};

// As the Reports window sets its pickers when it loads.
Range defaultRange() {
    return {storedDate(gSettings.DefaultStart, Today::date()),
            gSettings.Present == 1 ? Today::date() : storedDate(gSettings.DefaultEnd, Today::date())};
}

// The debtors report's first step, the age split of every unpaid invoice
// written for today, as one UPDATE in one transaction.
QString ageSplit() {
    const QString age = QString("(julianday('%1') - julianday(\"Date\"))").arg(Today::date().toString(Qt::ISODate));
    return QString("BEGIN;\nUPDATE Invoices SET Balance1 = CASE WHEN %1 <= 30 THEN Balance ELSE 0 END, "
                   "Balance2 = CASE WHEN %1 > 30 AND %1 <= 60 THEN Balance ELSE 0 END, "
                   "Balance3 = CASE WHEN %1 > 60 THEN Balance ELSE 0 END WHERE Balance > 0 AND %1 >= 0;\nCOMMIT;\n")
        .arg(age);
}

// The same rows as the report's query, read by the sqlite3 command line
// (for the debtors, after the age split is written as the report writes it).
QString sameRows(Report report, const Range& range) {
    const QString inRange = QString("\"Date\" BETWEEN '%1' AND '%2'")
                                .arg(range.from.toString(Qt::ISODate), range.to.toString(Qt::ISODate));
    switch (report) {
    case Report::SummaryCustomers:
    case Report::DetailedCustomers: return "SELECT * FROM Customers WHERE " + inRange + ";\n";
    case Report::Invoices: return "SELECT * FROM Invoices WHERE " + inRange + ";\n";
    case Report::InvoiceDetails:
        return "SELECT * FROM Invoices WHERE " + inRange + ";\n" +
               "SELECT d.* FROM Invoices AS i JOIN InvoiceD AS d ON d.InvNo = i.InvNo WHERE i." + inRange + ";\n";
    case Report::Parts: return "SELECT * FROM Parts;\n";
    case Report::Debtors: return ageSplit() + "SELECT * FROM Invoices WHERE Balance > 0;\n";
    }
    return QString();
}

// What one Select showed: the time to its first page painted and the heap
// then, the jump to its last page, and the PDF printed from it.
struct Shown {
    double firstPageMs = -1;
    Bench::Memory withPreview;
    double lastPageMs = -1;
    double pageBackMs = -1;
    Bench::Memory allCounted;
    int pages = 0;
    double pdfMs = -1;
    double pdfMiB = 0;
};

// Runs the Select the Reports window runs and watches the preview it opens:
// once its first page is painted the figures are taken, then it is closed.
class SelectWatch : public QObject {
public:
    SelectWatch(bool jumpToLast, const QString& pdfPath) : jumpToLast_(jumpToLast), pdfPath_(pdfPath) {}

    Shown select(Report report, const Range& range) {
        shown_ = Shown();
        qApp->installEventFilter(this);
        timer_.start();
        PrintedReports::select(int(report), range.from, range.to, ShapeRs, nullptr);
        qApp->removeEventFilter(this);
        return shown_;
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::Show)
            if (auto* preview = qobject_cast<ReportPreviewDialog*>(watched)) watch(preview);
        return false;
    }

private:
    void watch(ReportPreviewDialog* preview) {
        connect(preview->view(), &ReportPageView::pagePainted, preview, [this, preview](int page) {
            if (page == 0 && shown_.firstPageMs < 0) {
                shown_.firstPageMs = double(timer_.elapsed());
                QTimer::singleShot(0, preview, [this, preview] { measure(preview); });
            }
            if (page > 0 && page + 1 == preview->view()->pageCount() && preview->view()->counted()) lastPainted_ = true;
        });
    }

    void measure(ReportPreviewDialog* preview) {
        shown_.withPreview = Bench::memoryNow();
        if (jumpToLast_) {
            lastPainted_ = false;
            timer_.restart();
            preview->findChild<QAbstractButton*>("lastPage")->click();
            while (!lastPainted_ && preview->view()->pageCount() > 1) QApplication::processEvents();
            shown_.lastPageMs = double(timer_.elapsed());
            shown_.allCounted = Bench::memoryNow();
            // Back past the pages at hand: the rows are read again up to the page's start.
            timer_.restart();
            preview->view()->showPage(preview->view()->pageCount() - 20);
            preview->view()->viewport()->repaint();
            shown_.pageBackMs = double(timer_.elapsed());
        }
        if (!pdfPath_.isEmpty()) {
            PrintDialog::setHandler([this](QPrinter& printer, int) {
                printer.setOutputFormat(QPrinter::PdfFormat);
                printer.setOutputFileName(pdfPath_);
                return true;
            });
            timer_.restart();
            preview->findChild<QAbstractButton*>("print")->click();
            shown_.pdfMs = double(timer_.elapsed());
            shown_.pdfMiB = double(QFile(pdfPath_).size()) / 1048576.0;
            PrintDialog::setHandler({});
        }
        shown_.pages = preview->view()->pageCount();
        preview->reject();
    }

    bool jumpToLast_;
    QString pdfPath_;
    Shown shown_;
    QElapsedTimer timer_;
    bool lastPainted_ = false;
};

QString rangeText(const Range& range) {
    return range.from.toString(Qt::ISODate) + " to " + range.to.toString(Qt::ISODate);
}
}  // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    // A copy: the debtors report writes the age split first.
    const QString data = Bench::scratchCopy(Bench::dataSet(Bench::dataFolder(argc, argv, "bench_reports")));
    Bench::openProgramOn(data);
    const Bench::HeapPeak peak;
    const Range range = defaultRange();
    std::printf("default range of the settings: %s\n", qPrintable(rangeText(range)));

    SelectWatch jumping(true, QString());
    double wholeHeap = 0;
    for (int r = 0; r < PrintedReports::Count; ++r) {
        const Report report = Report(r);
        const double commandLine = Bench::commandLineMs(data, sameRows(report, range));
        const Shown shown = jumping.select(report, range);
        Bench::report(QString("%1: Select to first page painted").arg(PrintedReports::entry(report).listEntry),
                      shown.firstPageMs, commandLine);
        Bench::reportMemory("  heap with the preview open", shown.withPreview);
        Bench::report(QString("  jump to the last page (%1 pages)").arg(shown.pages), shown.lastPageMs);
        Bench::reportMemory("  heap with every page counted", shown.allCounted);
        Bench::report("  twenty pages back from the last", shown.pageBackMs);
        if (report == Report::InvoiceDetails) wholeHeap = shown.withPreview.heapMiB;
    }
    Bench::report("  Debtors' first step alone, the age split written for today",
                  Bench::medianMs(3, [] { writeAgedBalances(Today::date()); }),
                  Bench::medianMs(3, [&] { Bench::commandLineMs(data, ageSplit()); }));

    // The heap stays flat in the range: a quarter of it against the whole.
    QTemporaryDir out;
    const Range quarter{range.from, range.from.addDays(range.from.daysTo(range.to) / 4)};
    SelectWatch printing(false, out.filePath("quarter.pdf"));
    const Shown shown = printing.select(Report::InvoiceDetails, quarter);
    Bench::report(QString("Invoices and Invoice Details, %1: Select to first page painted").arg(rangeText(quarter)),
                  shown.firstPageMs, Bench::commandLineMs(data, sameRows(Report::InvoiceDetails, quarter)));
    Bench::reportMemory("  heap with the preview open", shown.withPreview);
    std::printf("  heap at a quarter against the whole range: %.1f MiB against %.1f MiB\n",
                shown.withPreview.heapMiB, wholeHeap);
    Bench::report(QString("  printed to PDF from the preview (%1 pages, %2 MiB)")
                      .arg(shown.pages)
                      .arg(shown.pdfMiB, 0, 'f', 1),
                  shown.pdfMs);
    std::printf("largest heap of the whole run: %.0f MiB\n", peak.peakMiB());
    Bench::closeProgram();
    return 0;
}
