// How long an invoice save takes on a large data set: a new invoice with
// eight lines and an edit of a stored one, through the data layer and
// through the editor's Update.
#include "BenchSupport.h"
#include "common/HandOver.h"
#include "common/SettingsValues.h"
#include "invoices/InvoiceRecord.h"
#include "invoices/frmAddInv.h"
#include <QApplication>
#include <QLineEdit>
#include <cstdio>
#include <functional>

namespace {
InvoiceRecord eightLines(const QString& number) {
    InvoiceRecord v;
    v.invNo = number;
    v.custNo = "CUS100001";
    v.customerName = "Anna Smith0";
    v.date = QDate(2026, 12, 10);
    for (int i = 0; i < 8; ++i) {
        InvoiceLine l;
        l.partId = QString("ITE%1").arg(100001 + i);
        l.qty = i + 1;
        l.description = QString("Item %1").arg(i);
        l.amount = Currency::fromText("12.50");
        l.total = l.amount.times(l.qty);
        l.taxable = i % 2 == 0;
        v.subtotal += l.total;
        v.lines.push_back(l);
    }
    v.total = v.balance = v.subtotal;
    v.taxPer = 17.5;
    return v;
}

void report(const char* what, int runs, const std::function<void(int)>& run) {
    int i = 0;
    Bench::report(what, Bench::medianMs(runs, [&] { run(i++); }));
}
}  // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    Bench::openProgramOn(Bench::scratchCopy(Bench::dataSet(Bench::dataFolder(argc, argv, "bench_invoice_save"))));

    const int runs = 25;
    report("new invoice, 8 lines (data layer)", runs, [](int i) {
        saveInvoice(eightLines(QString("BEN%1").arg(i)), InvoiceSave::New, QString("5%1").arg(i, 5, 10, QChar('0')));
    });
    report("edit of a stored invoice, 8 lines (data layer)", runs, [](int i) {
        saveInvoice(eightLines(QString("INV%1").arg(200001 + i)), InvoiceSave::Edit);
    });

    // Through the editor: open, fill, Update, as the user does.
    report("editor: open a new invoice", runs, [](int) {
        gHandOver.InvEditMode = 0;
        gHandOver.InvCustID = "CUS100001";
        frmAddInv w;
    });
    report("editor: new invoice, 8 lines, Update", runs, [](int) {
        gHandOver.InvEditMode = 0;
        gHandOver.InvCustID = "CUS100001";
        frmAddInv w;
        for (int r = 0; r < frmAddInv::Rows; ++r) {
            w.PartID_txt[size_t(r)]->setText(QString("ITE%1").arg(100001 + r));
            w.Qty_txt[size_t(r)]->setText(QString::number(r + 1));
            w.Desc_txt[size_t(r)]->setText("Item");
            w.Amount_txt[size_t(r)]->setText("     12.50");
        }
        w.Calc_Totals();
        w.Update_cmd_Click();
        if (gHandOver.InvSaved != 1) std::printf("save refused\n");
    });
    report("editor: open a stored invoice, Update", runs, [](int i) {
        gHandOver.InvEditMode = 1;
        gHandOver.InvToEdit = QString("INV%1").arg(250001 + i);
        frmAddInv w;
        w.Update_cmd_Click();
        if (gHandOver.InvSaved != 1) std::printf("save refused\n");
    });
    std::printf("next start number now %s\n", qPrintable(gSettings.Invstart));
    Bench::closeProgram();
    return 0;
}
