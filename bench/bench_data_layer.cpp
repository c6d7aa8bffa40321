// What the windows, reports and exports stand on: a key look-up through a
// record set, a walk over a whole table, a batch of updates in one
// transaction, and streamed reads of shaped record sets, flat and
// hierarchical. Each beside the same work done by a bare sqlite3 loop.
#include "BenchSupport.h"
#include "common/Functions.h"
#include "platform/Currency.h"
#include "platform/Database.h"
#include "platform/Recordset.h"
#include "platform/ShapeRecordset.h"
#include <QDate>
#include <QDateTime>
#include <QElapsedTimer>
#include <QFile>
#include <cstdio>
#include <sqlite3.h>

namespace {

// How much more the process holds than before: heap and mapped database pages apart, each at its largest.
struct Growth {
    Bench::Memory before = Bench::memoryNow();
    Bench::Memory grown;
    void sample() {
        const Bench::Memory now = Bench::memoryNow();
        grown.heapMiB = std::max(grown.heapMiB, now.heapMiB - before.heapMiB);
        grown.mappedDataMiB = std::max(grown.mappedDataMiB, now.mappedDataMiB - before.mappedDataMiB);
    }
};

void exec(sqlite3* db, const char* sql) {
    if (sqlite3_exec(db, sql, nullptr, nullptr, nullptr) != SQLITE_OK) {
        std::fprintf(stderr, "%s: %s\n", sql, sqlite3_errmsg(db));
        std::exit(1);
    }
}

// The look-up the customer editor makes: open, select the index, seek, read.
QString lookUp(const QString& custId) {
    Recordset rs("customers");
    rs.setIndex("CUSTID");
    return rs.seek(custId) ? rs["LastName"].toString() : QString();
}

void lookUps(const QString& data, const QString& figure, const QString& custId) {
    Bench::openProgramOn(data);
    sqlite3* bare = Bench::bareConnection(data);
    const QByteArray sql = QString("SELECT * FROM Customers WHERE CustID = '%1'").arg(custId).toUtf8();
    const double bareMs = Bench::medianMs(9, [&] { Bench::bareLoopMs(bare, sql.constData()); });
    if (lookUp(custId).isEmpty()) std::fprintf(stderr, "%s not found\n", qPrintable(custId));
    Bench::report(figure, Bench::medianMs(9, [&] { lookUp(custId); }), bareMs);
    sqlite3_close(bare);
    Bench::closeProgram();
}

// The age split of the debtors pre-pass, for an invoice of that date.
void ageSplit(const QDate& date, const QVariant& balance, QVariant split[3]) {
    const qint64 age = date.daysTo(QDate(2026, 12, 31));
    const int bucket = age <= 30 ? 0 : age <= 60 ? 1 : 2;
    for (int b = 0; b < 3; ++b) split[b] = b == bucket ? balance : QVariant::fromValue(Currency());
}

// Walks the invoices and writes the age split of the first `rows` of them.
void ageInvoices(int rows) {
    Recordset rs("invoices");
    rs.moveFirst();
    for (int n = 0; n < rows && !rs.eof(); ++n, rs.moveNext()) {
        QVariant split[3];
        ageSplit(rs["Date"].toDateTime().date(), rs["Balance"], split);
        rs.setField("Balance1", split[0]);
        rs.setField("Balance2", split[1]);
        rs.setField("Balance3", split[2]);
        rs.update();
    }
}

double bareAgeInvoicesMs(sqlite3* db, int rows) {
    QElapsedTimer t;
    t.start();
    exec(db, "BEGIN IMMEDIATE");
    sqlite3_stmt* read = nullptr;
    sqlite3_stmt* write = nullptr;
    sqlite3_prepare_v2(db, "SELECT rowid, \"Date\", Balance FROM Invoices ORDER BY rowid", -1, &read, nullptr);
    sqlite3_prepare_v2(db, "UPDATE Invoices SET Balance1 = ?, Balance2 = ?, Balance3 = ? WHERE rowid = ?", -1,
                       &write, nullptr);
    for (int n = 0; n < rows && sqlite3_step(read) == SQLITE_ROW; ++n) {
        const QDate date = QDate::fromString(
            QString::fromUtf8(reinterpret_cast<const char*>(sqlite3_column_text(read, 1))).left(10), "yyyy-MM-dd");
        const qint64 age = date.daysTo(QDate(2026, 12, 31));
        const int bucket = age <= 30 ? 0 : age <= 60 ? 1 : 2;
        for (int b = 0; b < 3; ++b)
            sqlite3_bind_int64(write, b + 1, b == bucket ? sqlite3_column_int64(read, 2) : 0);
        sqlite3_bind_int64(write, 4, sqlite3_column_int64(read, 0));
        if (sqlite3_step(write) != SQLITE_DONE) std::exit(1);
        sqlite3_reset(write);
    }
    sqlite3_finalize(read);
    sqlite3_finalize(write);
    exec(db, "COMMIT");
    return double(t.nsecsElapsed()) / 1e6;
}

void batchUpdate(const QString& data) {
    const QString copy = Bench::scratchCopy(data);
    Bench::openProgramOn(copy);
    sqlite3* bare = Bench::bareConnection(copy);
    const double bareMs = Bench::medianMs(3, [&] { bareAgeInvoicesMs(bare, 200000); });
    Bench::report("batch update of 200,000 invoices in one transaction", Bench::medianMs(3, [] {
        Transaction batch;
        ageInvoices(200000);
        batch.commit();
    }), bareMs);
    const int alone = 300;
    Bench::report("one update outside a transaction, per row",
                  Bench::medianMs(3, [&] { ageInvoices(alone); }) / alone);
    sqlite3_close(bare);
    Bench::closeProgram();
}

void walk(const QString& data) {
    Bench::openProgramOn(data);
    sqlite3* bare = Bench::bareConnection(data);
    long long seen = 0;
    const double bareMs = Bench::medianMs(3, [&] { Bench::bareLoopMs(bare, "SELECT * FROM Invoices ORDER BY rowid"); });
    Bench::report("walk of 300,000 invoices reading number, date and balance", Bench::medianMs(3, [&] {
        Recordset rs("invoices");
        for (rs.moveFirst(); !rs.eof(); rs.moveNext()) {
            seen += rs["InvNo"].toString().size() + rs["Date"].isValid();
            seen += Field_To_Currency(rs["Balance"]).raw() > 0;
        }
    }), bareMs);
    Bench::report("walk of 300,000 invoices reading every field", Bench::medianMs(3, [&] {
        Recordset rs("invoices");
        const QStringList names = rs.fieldNames();
        for (rs.moveFirst(); !rs.eof(); rs.moveNext())
            for (const QString& name : names) seen += rs[name].isValid();
    }), bareMs);
    if (seen == -1) std::printf(" ");
    sqlite3_close(bare);
    Bench::closeProgram();
}

void streamedReads(const QString& data) {
    Bench::openProgramOn(data);
    sqlite3* bare = Bench::bareConnection(data);
    long long seen = 0;
    const double bareMs = Bench::medianMs(3, [&] { Bench::bareLoopMs(bare, "SELECT * FROM InvoiceD"); });
    Growth growth;
    Bench::report("streamed read of 1,000,000 invoice lines", Bench::medianMs(3, [&] {
        Open_Shape_Recordset("SHAPE {SELECT * FROM invoiceD} as details", ShapeRs);
        long long n = 0;
        const QStringList names = ShapeRs->fieldNames();
        for (ShapeRs->moveFirst(); !ShapeRs->eof(); ShapeRs->moveNext(), ++n) {
            for (const QString& name : names) seen += ShapeRs->field(name).isValid();
            if (n % 100000 == 0) growth.sample();
        }
        growth.sample();
        ShapeRs.reset();
    }), bareMs);
    Bench::reportMemory("streamed read of 1,000,000 invoice lines, memory grown", growth.grown);

    growth = Growth();
    const double bareJoinMs = Bench::medianMs(3, [&] {
        Bench::bareLoopMs(bare, "SELECT * FROM Invoices AS i LEFT JOIN InvoiceD AS d ON d.InvNo = i.InvNo");
    });
    Bench::report("300,000 invoices with their 1,000,000 lines, hierarchical", Bench::medianMs(3, [&] {
        Open_Shape_Recordset("SHAPE {SELECT * FROM invoices} as main APPEND ({SELECT * FROM invoiceD} as Details "
                             "RELATE 'invno' TO 'invno')  ", ShapeRs);
        long long n = 0;
        for (ShapeRs->moveFirst(); !ShapeRs->eof(); ShapeRs->moveNext(), ++n) {
            seen += ShapeRs->field("InvNo").toString().size() + Field_To_Currency(ShapeRs->field("Total")).raw();
            auto lines = ShapeRs->child("Details");
            for (lines->moveFirst(); !lines->eof(); lines->moveNext())
                seen += lines->field("Description").toString().size() + lines->field("Qty").toInt();
            if (n % 30000 == 0) growth.sample();
        }
        growth.sample();
        ShapeRs.reset();
    }), bareJoinMs);
    Bench::reportMemory("300,000 invoices with their lines, memory grown", growth.grown);
    if (seen == -1) std::printf(" ");
    sqlite3_close(bare);
    Bench::closeProgram();
}
}  // namespace

int main(int argc, char** argv) {
    const QString folder = Bench::dataFolder(argc, argv, "bench_data_layer");
    const QString data = Bench::dataSet(folder);
    const QString million = Bench::dataSet(folder, "customers-1m.mdb", {1000000, 3000, 10000, 100});
    lookUps(data, "key look-up at 100,000 customers (open, index, seek, read)", "CUS150000");
    lookUps(million, "key look-up at 1,000,000 customers (open, index, seek, read)", "CUS950000");
    walk(data);
    streamedReads(data);
    batchUpdate(data);
    return 0;
}
