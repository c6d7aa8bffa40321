// The list kit at the invoice list's size: every invoice of the data set
// filled into a list model with the invoice list's columns, sorted by the
// date header and by text headers, searched over every row, a row added
// while sorted and one refreshed, and the heap the rows hold.
#include "BenchSupport.h"
#include "common/Functions.h"
#include "invoices/InvoiceListRow.h"
#include "platform/Database.h"
#include "platform/ShortDate.h"
#include "widgets/ListKit.h"
#include <QApplication>
#include <QElapsedTimer>
#include <QTreeView>
#include <algorithm>
#include <cstdio>
#include <functional>
#include <malloc.h>
#include <sqlite3.h>

namespace {
const char* Query = "SELECT InvNo, \"Date\", CustNo, CustomerName, Total, Balance, Notes FROM Invoices ORDER BY rowid";

size_t heapInUse() {
    const struct mallinfo2 info = mallinfo2();
    return info.uordblks + info.hblkhd;
}

// The median of the times `work` reports for the part it measures itself.
double medianOfMs(int runs, const std::function<double()>& work) {
    std::vector<double> ms;
    for (int i = 0; i < runs; ++i) ms.push_back(work());
    std::sort(ms.begin(), ms.end());
    return ms[ms.size() / 2];
}

double msSince(const QElapsedTimer& t) { return double(t.nsecsElapsed()) / 1e6; }

// One row as the invoice list shows it: number, date, customer id and name,
// amount, balance, notes; the date sorts by its hidden key.
ListKit::Row invoiceRow(const QString& number, const QDate& date, const QString& customer, const QString& name,
                        const QVariant& total, const QVariant& balance, const QString& notes) {
    return {{number, shortDate(date), customer, name, Format_Number_Right(total, 7, 2),
             Format_Number_Right(balance, 7, 2), notes},
            QString(), false, {ListKit::SortKey::date(date)}};
}

// Every invoice, in the table's order, one row at a time, as the invoice
// list reads and builds them.
void forEachInvoiceRow(const std::function<void(const ListKit::RowBuilder&)>& each) {
    ListKit::RowBuilder row;
    readInvoiceList([&](const InvoiceListEntry& invoice) {
        invoiceListRow(invoice, row);
        each(row);
    });
}

std::vector<ListKit::Row> invoiceRows() {
    std::vector<ListKit::Row> rows;
    forEachInvoiceRow([&](const ListKit::RowBuilder& row) { rows.push_back(row.row()); });
    return rows;
}

// What the invoice list does when it opens: read, build and fill in one pass.
void loadInvoiceList(ListKit::Model& model) {
    ListKit::Model::Refill refill(model);
    forEachInvoiceRow([&](const ListKit::RowBuilder& row) { refill.add(row); });
}

const QStringList Headers{"Invoice No.", "Date", "Cust ID.", "Customer Name", "Amount", "Balance", "Notes"};
}  // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    const QString data = Bench::dataSet(Bench::dataFolder(argc, argv, "bench_list_model"));
    Bench::openProgramOn(data);
    sqlite3* bare = Bench::bareConnection(data);
    const double bareRead = Bench::medianMs(3, [&] { Bench::bareLoopMs(bare, Query); });

    Bench::report("invoice rows read and built, 300,000 rows", Bench::medianMs(3, [] { invoiceRows(); }), bareRead);
    Bench::report("invoice list loaded: read, built and filled, 300,000 rows", Bench::medianMs(3, [] {
        ListKit::Model model(Headers, 1);
        loadInvoiceList(model);
    }), bareRead);
    Bench::report("model filled from the built rows, 300,000 rows", medianOfMs(3, [] {
        const std::vector<ListKit::Row> rows = invoiceRows();
        ListKit::Model model(Headers, 1);
        QElapsedTimer t;
        t.start();
        model.setRows(rows);
        return msSince(t);
    }));

    const size_t heapBefore = heapInUse();
    ListKit::Model model(Headers, 1);
    loadInvoiceList(model);
    const size_t heapAfter = heapInUse();
    std::printf("model heap per row: %.0f bytes (%d rows, %.1f MiB)\n",
                double(heapAfter - heapBefore) / model.rowCount(), model.rowCount(),
                double(heapAfter - heapBefore) / (1024.0 * 1024.0));

    QTreeView view;
    ListKit::setUpView(&view, &model);
    view.resize(900, 600);
    view.show();
    QApplication::processEvents();
    ListKit::selectRow(&view, 1000);
    ListKit::HeaderSort sort(&view, &model, true);
    sort.state().sortHeaderBy(1, model.sortKeyCell(0));
    auto clicks = [&](int header) {
        return Bench::medianMs(4, [&] {
            sort.headerClicked(header);
            QApplication::processEvents();
        });
    };
    Bench::report("header click on Date (by its date key), 300,000 rows", clicks(1));
    Bench::report("header click on Customer Name, 300,000 rows", clicks(3));
    Bench::report("header click on Invoice No., 300,000 rows", clicks(0));

    Bench::report("find-next wrapping over every row, nothing found", Bench::medianMs(3, [&] {
        int findPos = model.rowCount() / 2;
        ListKit::findNext(model, "no such text", 4, findPos);
    }));

    int added = 0;
    Bench::report("row added in its sorted place", Bench::medianMs(5, [&] {
        const QString number = QString("INV9%1").arg(added++, 5, 10, QChar('0'));
        ListKit::selectRow(&view, model.addRow(invoiceRow(number, QDate(2025, 6, 1), "CUS100001", "Anna Smith0",
                                                          QVariant::fromValue(Currency::fromText("12.50")),
                                                          QVariant::fromValue(Currency()), QString())));
        QApplication::processEvents();
    }));
    Bench::report("selected row refreshed in place", Bench::medianMs(5, [&] {
        const int row = ListKit::selectedRow(&view);
        model.setRow(row, invoiceRow(model.text(row, 0), QDate(2026, 1, 2), "CUS100002", "Ben Jones1",
                                     QVariant::fromValue(Currency::fromText("99.99")),
                                     QVariant::fromValue(Currency::fromText("9.99")), "paid in part"));
        QApplication::processEvents();
    }));
    sqlite3_close(bare);
    Bench::closeProgram();
    return 0;
}
