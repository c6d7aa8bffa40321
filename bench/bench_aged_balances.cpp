// The debtors pre-pass: the age split of every unpaid invoice written back,
// against a bare loop reading and writing the same rows in one transaction.
#include "BenchSupport.h"
#include "debtors/DebtorRecord.h"
#include "platform/Today.h"
#include <QCoreApplication>
#include <sqlite3.h>

namespace {
double bareRewriteMs(sqlite3* db) {
    return Bench::medianMs(3, [db] {
        sqlite3_exec(db, "BEGIN IMMEDIATE", nullptr, nullptr, nullptr);
        sqlite3_stmt* read = nullptr;
        sqlite3_stmt* write = nullptr;
        sqlite3_prepare_v2(db, "SELECT rowid, Balance, \"Date\" FROM Invoices WHERE Balance > 0", -1, &read, nullptr);
        sqlite3_prepare_v2(db, "UPDATE Invoices SET Balance1 = ?, Balance2 = 0, Balance3 = 0 WHERE rowid = ?", -1,
                           &write, nullptr);
        while (sqlite3_step(read) == SQLITE_ROW) {
            sqlite3_bind_int64(write, 1, sqlite3_column_int64(read, 1));
            sqlite3_bind_int64(write, 2, sqlite3_column_int64(read, 0));
            sqlite3_step(write);
            sqlite3_reset(write);
        }
        sqlite3_finalize(read);
        sqlite3_finalize(write);
        sqlite3_exec(db, "COMMIT", nullptr, nullptr, nullptr);
    });
}
}  // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    const QString copy = Bench::scratchCopy(Bench::dataSet(Bench::dataFolder(argc, argv, "bench_aged_balances")));
    sqlite3* bare = Bench::bareConnection(copy);
    const double baseline = bareRewriteMs(bare);
    sqlite3_close(bare);
    Bench::openProgramOn(copy);
    Bench::report("debtors pre-pass over 100,000 unpaid invoices",
                  Bench::medianMs(3, [] { writeAgedBalances(Today::date()); }), baseline);
    Bench::closeProgram();
    return 0;
}
