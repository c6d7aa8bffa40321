// How long the item list takes to open with every item shown, against the
// sqlite3 command line reading the same columns in the same order; and the
// invoice editor's item picker refilled from the same table.
#include "BenchSupport.h"
#include "common/HandOver.h"
#include "customers/frm_Parts.h"
#include "invoices/frmAddInv.h"
#include "widgets/ListKit.h"
#include <QApplication>

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    const QString data = Bench::dataSet(Bench::dataFolder(argc, argv, "bench_item_list"));
    Bench::openProgramOn(data);

    const QString query = "SELECT ID, ShortDesc, \"Desc\", Price, Taxable FROM Parts ORDER BY rowid;\n";
    const double cli = Bench::medianMs(5, [&] { Bench::commandLineMs(data, query); });
    int rows = 0;
    const double list = Bench::medianMs(5, [&] {
        frm_Parts window;
        window.show();
        QApplication::processEvents();
        rows = window.items()->rowCount();
    });
    Bench::report(QString("item list open and shown, %1 rows").arg(rows), list, cli);

    gHandOver.InvEditMode = 0;
    frmAddInv editor;
    Bench::report("invoice editor's item picker refilled", Bench::medianMs(5, [&] { editor.Load_list(); }), cli);
    Bench::closeProgram();
    return 0;
}
