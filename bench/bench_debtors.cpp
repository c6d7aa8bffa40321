// The aged debtors window opening with every unpaid invoice in its list,
// against the sqlite3 command line reading the same rows from the same file.
#include "BenchSupport.h"
#include "debtors/DebtorRecord.h"
#include "debtors/frmDebtor.h"
#include "platform/Today.h"
#include "widgets/ListKit.h"
#include <QApplication>
#include <cstdio>

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    // A copy: closing the window writes the start-up choice.
    const QString copy = Bench::scratchCopy(Bench::dataSet(Bench::dataFolder(argc, argv, "bench_debtors")));
    const QString script =
        "SELECT i.Balance, i.\"Date\", i.InvNo, i.Notes, i.ReminderSent, c.rowid, c.CustID, c.LastName, "
        "c.FirstName, c.Phone FROM Invoices AS i LEFT JOIN Customers AS c ON c.CustID = i.CustNo "
        "WHERE i.Balance > 0 ORDER BY i.rowid;\n";
    const double commandLine = Bench::medianMs(3, [&] { Bench::commandLineMs(copy, script); });

    Bench::openProgramOn(copy);
    int rows = 0;
    const double read = Bench::medianMs(3, [&] {
        rows = 0;
        readDebtors(Today::date(), [&](const DebtorEntry&) { ++rows; });
    });
    int shown = 0;
    const double open = Bench::medianMs(3, [&] {
        frmDebtor window;
        window.show();
        QCoreApplication::processEvents();
        shown = window.debtors()->rowCount();
    });
    std::printf("aged invoices listed: %d (read: %d)\n", shown, rows);
    Bench::report("debtors list read, every unpaid invoice with its customer", read, commandLine);
    Bench::report("debtors window opened and shown with every unpaid invoice listed", open, commandLine);
    Bench::closeProgram();
    return 0;
}
