// How long the customer search takes to open and show its list, and the
// customer editor to open with its history.
#include "BenchSupport.h"
#include "common/HandOver.h"
#include "customers/frmAddCust.h"
#include "customers/frmsearchCust.h"
#include "widgets/ListKit.h"
#include <QApplication>
#include <QLineEdit>
#include <QTreeView>
#include <sqlite3.h>

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    const QString data = Bench::dataSet(Bench::dataFolder(argc, argv, "bench_customer_search"));
    Bench::openProgramOn(data);
    sqlite3* bare = Bench::bareConnection(data);

    // Against the sqlite3 command line reading the same columns in the same
    // order, as the other lists are measured (bench_lists).
    const double searchBare = Bench::medianMs(3, [&] {
        Bench::commandLineMs(data, "SELECT CustID, LastName, FirstName, Phone FROM Customers ORDER BY rowid;\n");
    });
    Bench::report("customer search open and shown, 100,000 rows", Bench::medianMs(3, [] {
        frmsearchCust window;
        window.show();
        QApplication::processEvents();
    }), searchBare);

    frmsearchCust window;
    window.show();
    QApplication::processEvents();
    Bench::report("customer search sort by last name", Bench::medianMs(3, [&] {
        window.headerSort()->headerClicked(1);
        QApplication::processEvents();
    }));
    window.search_txt->setText("no such customer");
    Bench::report("customer search find over every row, nothing found",
                  Bench::medianMs(3, [&] { window.findBox()->find(); }));

    const double historyBare = Bench::medianMs(5, [&] {
        Bench::bareLoopMs(bare, "SELECT * FROM Customers WHERE CustID = 'CUS150000'");
        Bench::bareLoopMs(bare, "SELECT InvNo, \"Date\", Total, Balance FROM Invoices WHERE CustNo = 'CUS150000'");
    });
    Bench::report("customer editor open with its history", Bench::medianMs(5, [] {
        gHandOver.CustNewMode = 0;
        gHandOver.SelectedCustID = "CUS150000";
        frmAddCust editor;
        editor.show();
        QApplication::processEvents();
    }), historyBare);
    sqlite3_close(bare);
    Bench::closeProgram();
    return 0;
}
