// The invoices-with-their-lines report over about 25,000 invoices and 85,000
// lines: its layout pass against a bare sqlite3 loop over the same rows (the
// invoices of the range, then each one's lines by the same index), the memory
// its pages take at a quarter, a half and the whole range, the time the
// preview takes to show its first page, and printing the whole report to PDF
// from it. Then the same over every invoice, the Reports window's default
// range.
#include "BenchSupport.h"
#include "common/Functions.h"
#include "debtors/PrintedReports.h"
#include "reports/PrintDialog.h"
#include "reports/ReportInstance.h"
#include "reports/ReportPreviewDialog.h"
#include <QAbstractButton>
#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QPrinter>
#include <QTemporaryDir>
#include <cstdio>
#include <malloc.h>
#include <sqlite3.h>

namespace {
using PrintedReports::Report;
const QDate From(2026, 1, 1);
const QDate To(2026, 3, 24);
// The Reports window's default range: every invoice of the data set.
const QDate AllFrom(2005, 1, 1);
const QDate AllTo(2026, 12, 10);

// The heap in use now, in MiB.
double heapMiB() { return double(mallinfo2().uordblks) / 1048576.0; }

ReportInstance& boundDesign(const QDate& to, const QDate& from = From) {
    Open_Shape_Recordset(PrintedReports::recordSource(Report::InvoiceDetails, from, to), ShapeRs);
    ReportInstance& design = ReportInstance::of("InvoiceD_rpt");
    design.dataSource = ShapeRs;
    design.setOrientation(QPageLayout::Landscape);
    design.section("Section4").control("Date_lbl").caption = PrintedReports::rangeCaption(from, to);
    return design;
}

size_t itemsOf(const ReportPages& pages) {
    size_t n = 0;
    for (const ReportPage& page : pages.pages) n += page.items.size();
    return n;
}

// The preview opened on the pages, until its first page is painted; then,
// when asked, the whole report printed from it into a PDF file.
void preview(const ReportPages& pages, bool print) {
    QElapsedTimer timer;
    timer.start();
    ReportPreviewDialog dialog(pages, "Invoice Detailed", nullptr);
    bool painted = false;
    QObject::connect(dialog.view(), &ReportPageView::pagePainted, [&](int page) { painted |= page == 0; });
    dialog.show();
    while (!painted) QApplication::processEvents(QEventLoop::AllEvents, 10);
    Bench::report(QString("preview up to its first page painted (%1 pages)").arg(pages.pages.size()),
                  double(timer.elapsed()));
    Bench::reportMemory("  memory with the preview open", Bench::memoryNow());
    if (!print) return;
    QTemporaryDir out;
    const QString path = out.filePath("report.pdf");
    PrintDialog::setHandler([&](QPrinter& printer, int) {
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(path);
        return true;
    });
    timer.restart();
    dialog.findChild<QAbstractButton*>("print")->click();
    Bench::report(QString("whole report printed to PDF from the preview (%1 MiB)")
                      .arg(QFile(path).size() / 1048576.0, 0, 'f', 1),
                  double(timer.elapsed()));
    PrintDialog::setHandler({});
}

// Memory held by the pages laid out now.
void heldBy(const ReportPages& pages, double before, const QString& what) {
    const double held = heapMiB() - before;
    std::printf("pages %s: %zu items on %zu pages, %.1f MiB held, %.0f bytes an item\n", qPrintable(what),
                itemsOf(pages), pages.pages.size(), held, held * 1048576.0 / double(itemsOf(pages)));
}

// The same rows bare: the invoices of the range, each one's lines by the index.
double bareMs(sqlite3* db, long long* rows) {
    return Bench::medianMs(3, [&] {
        sqlite3_stmt *invoices = nullptr, *lines = nullptr;
        sqlite3_prepare_v2(db, "SELECT * FROM Invoices WHERE \"Date\" BETWEEN '2026-01-01' AND '2026-03-24'", -1,
                           &invoices, nullptr);
        sqlite3_prepare_v2(db, "SELECT * FROM InvoiceD WHERE InvNo = ?", -1, &lines, nullptr);
        *rows = 0;
        while (sqlite3_step(invoices) == SQLITE_ROW) {
            ++*rows;
            for (int c = 0; c < sqlite3_column_count(invoices); ++c) sqlite3_column_text(invoices, c);
            sqlite3_bind_text(lines, 1, reinterpret_cast<const char*>(sqlite3_column_text(invoices, 0)), -1,
                              SQLITE_TRANSIENT);
            while (sqlite3_step(lines) == SQLITE_ROW) {
                ++*rows;
                for (int c = 0; c < sqlite3_column_count(lines); ++c) sqlite3_column_text(lines, c);
            }
            sqlite3_reset(lines);
        }
        sqlite3_finalize(lines);
        sqlite3_finalize(invoices);
    });
}
}  // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    // Read only, but on a copy: the data set stays as it was made.
    const QString data = Bench::scratchCopy(Bench::dataSet(Bench::dataFolder(argc, argv, "bench_reports")));
    Bench::openProgramOn(data);
    const Bench::HeapPeak peak;
    const QPageSize letter(QPageSize::Letter);

    long long bareRows = 0;
    const double bare = bareMs(Bench::bareConnection(data), &bareRows);
    size_t pageCount = 0, items = 0;
    const double layoutMs = Bench::medianMs(3, [&] {
        const ReportPages pages = boundDesign(To).layout(letter);
        pageCount = pages.pages.size();
        items = itemsOf(pages);
    });
    Bench::report(QString("layout pass, invoices with their lines %1 to %2 (%3 invoices and lines), %4 pages")
                      .arg(From.toString(Qt::ISODate), To.toString(Qt::ISODate))
                      .arg(bareRows)
                      .arg(pageCount),
                  layoutMs, bare);

    // Memory held by the pages, growing with the rows laid out.
    for (int part : {4, 2, 1}) {
        const QDate to = From.addDays(From.daysTo(To) / part);
        const double before = heapMiB();
        const ReportPages pages = boundDesign(to).layout(letter);
        heldBy(pages, before, "to " + to.toString(Qt::ISODate));
    }

    // The preview paints only the pages in view: the first at once.
    {
        const ReportPages pages = boundDesign(To).layout(letter);
        preview(pages, true);
    }
    std::printf("items laid out: %zu; largest heap of the run so far: %.0f MiB\n", items, peak.peakMiB());

    // Every invoice, as the Reports window lays them out at its default range.
    {
        ShapeRs.reset();
        const double before = heapMiB();
        QElapsedTimer timer;
        timer.start();
        const ReportPages pages = boundDesign(AllTo, AllFrom).layout(letter);
        const double ms = double(timer.elapsed());
        Bench::report(QString("layout pass, every invoice with its lines %1 to %2, %3 pages")
                          .arg(AllFrom.toString(Qt::ISODate), AllTo.toString(Qt::ISODate))
                          .arg(pages.pages.size()),
                      ms);
        heldBy(pages, before, "of every invoice");
        preview(pages, qEnvironmentVariableIsSet("BENCH_PRINT_ALL"));
    }
    std::printf("largest heap of the whole run: %.0f MiB\n", peak.peakMiB());
    Bench::closeProgram();
    return 0;
}
