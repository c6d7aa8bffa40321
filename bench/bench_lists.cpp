// The customer list and the invoice list windows on the data set: opening
// and showing every row, against the sqlite3 command line reading the same
// columns in the same order; a header click and a wrapping find-next over
// every row; an edit that refreshes one row, against a whole reload.
#include "BenchSupport.h"
#include "common/HandOver.h"
#include "common/Opener.h"
#include "common/WindowNames.h"
#include "customers/frmCustomer.h"
#include "invoices/frmInvoice.h"
#include "widgets/ListKit.h"
#include <QApplication>
#include <QDialog>
#include <QTimer>
#include <QLineEdit>
#include <QTreeView>
#include <cstdio>

namespace {
const char* InvoiceColumns = "SELECT InvNo, \"Date\", CustNo, CustomerName, Total, Balance, Notes FROM Invoices "
                             "ORDER BY rowid;\n";
const char* CustomerColumns = "SELECT CustID, LastName, FirstName, Phone, Address, Address2, City, address4, "
                              "Postcode FROM Customers ORDER BY rowid;\n";

// An editor that saves without changing anything and closes at once: what
// is timed is the list's part.
void addSavingEditor(const char* name, int& savedFlag) {
    Opener::add(name, [&savedFlag](QWidget* owner) {
        auto* window = new QDialog(owner);
        QTimer::singleShot(0, window, [window, &savedFlag] {
            savedFlag = 1;
            window->accept();
        });
        return window;
    });
}

template <class Window>
double openAndShowMs() {
    return Bench::medianMs(3, [] {
        Window window;
        window.show();
        QApplication::processEvents();
    });
}

template <class Window>
void clicksAndFind(Window& window, QTreeView* view, ListKit::Model* model, const QString& what,
                   const std::vector<std::pair<int, QString>>& headers) {
    const QString rows = QString::number(model->rowCount());
    for (const auto& [header, name] : headers)
        Bench::report(QString("%1: header click on %2, %3 rows").arg(what, name, rows), Bench::medianMs(4, [&] {
            window.headerSort()->headerClicked(header);
            QApplication::processEvents();
        }));
    // Each find from the top with no hit passes over every row once.
    Bench::report(QString("%1: find-next over all %2 rows, nothing found").arg(what, rows),
                  Bench::medianMs(3, [&] {
                      ListKit::selectRow(view, model->rowCount() / 2);
                      window.search_txt->setText("no such text");
                      window.findBox()->find();
                      window.findBox()->find();
                      QApplication::processEvents();
                  }) / 2);
}
}  // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    const QString data = Bench::dataSet(Bench::dataFolder(argc, argv, "bench_lists"));
    Bench::openProgramOn(data);

    const double invoiceCli = Bench::medianMs(3, [&] { Bench::commandLineMs(data, InvoiceColumns); });
    const double customerCli = Bench::medianMs(3, [&] { Bench::commandLineMs(data, CustomerColumns); });
    Bench::report("invoice list opened and shown, 300,000 invoices", openAndShowMs<frmInvoice>(), invoiceCli);
    Bench::report("customer list opened and shown, 100,000 customers", openAndShowMs<frmCustomer>(), customerCli);

    addSavingEditor(Windows::frmAddInv, gHandOver.InvSaved);
    addSavingEditor(Windows::frmAddCust, gHandOver.CustSaved);
    {
        frmInvoice window;
        window.show();
        QApplication::processEvents();
        clicksAndFind(window, window.Inv_lst, window.invoices(), "invoice list",
                      {{1, "Date"}, {3, "Customer Name"}, {4, "Amount"}, {0, "Invoice No."}});
        ListKit::selectRow(window.Inv_lst, 150000);
        const double reload = Bench::medianMs(3, [&] { window.Load_list(); QApplication::processEvents(); });
        ListKit::selectRow(window.Inv_lst, 150000);
        Bench::report("invoice list: edit saved, one row refreshed", Bench::medianMs(5, [&] {
            window.Inv_lst_DblClick();
            QApplication::processEvents();
        }), reload);
    }
    {
        frmCustomer window;
        window.show();
        QApplication::processEvents();
        clicksAndFind(window, window.cust_lst, window.customers(), "customer list",
                      {{1, "Customer Name"}, {3, "Address"}, {0, "Cust ID"}});
        ListKit::selectRow(window.cust_lst, 50000);
        const double reload = Bench::medianMs(3, [&] { window.Load_list(); QApplication::processEvents(); });
        ListKit::selectRow(window.cust_lst, 50000);
        Bench::report("customer list: edit saved, one row refreshed", Bench::medianMs(5, [&] {
            window.cust_lst_DblClick();
            QApplication::processEvents();
        }), reload);
    }
    Opener::remove(Windows::frmAddInv);
    Opener::remove(Windows::frmAddCust);
    Bench::closeProgram();
    return 0;
}
