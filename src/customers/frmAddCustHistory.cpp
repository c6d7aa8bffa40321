// The customer's invoice history: its invoices with their amounts, the
// total balance due, and the way into the invoice editor.
#include "customers/frmAddCust.h"
#include "customers/CustomerRecord.h"
#include "common/ErrorReport.h"
#include "common/Functions.h"
#include "common/HandOver.h"
#include "common/InvoiceRequest.h"
#include "widgets/ListKit.h"
#include "common/Opener.h"
#include "common/WindowNames.h"
#include "platform/MessageBox.h"
#include "platform/NumberText.h"
#include "platform/ShortDate.h"
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTreeView>

namespace {
const char* WindowName = "frmAddCust";

QString money(Currency amount) { return Format_Number_Right(QVariant::fromValue(amount), 7, 2); }
QString sumText(const MoneySum& sum) { return Format_Number_Right(QVariant::fromValue(sum), 7, 2); }

ListKit::Row historyRow(const HistoryInvoice& invoice) {
    return {.cells = {invoice.date.isValid() ? shortDate(invoice.date) : QString(), invoice.invNo,
                      money(invoice.total), money(invoice.paid), money(invoice.balance), invoice.notes}};
}
}  // namespace

// The total is the label's text alone; a sum of the largest balances is
// wider than any one amount, so it reads back as a sum.
MoneySum frmAddCust::totalShown() const { return ValSum(Total_lbl->text()); }
void frmAddCust::showTotal(const MoneySum& total) { Total_lbl->setText(sumText(total)); }

void frmAddCust::historyRowsChanged() {
    if (invoiceModel_->rowCount() > 0) {
        ListKit::selectRow(Inv_lst, 0);
        const bool editor = Opener::has(Windows::frmAddInv);
        Edit_cmd->setEnabled(editor);
        Delete_cmd->setEnabled(true);
        Add_cmd->setEnabled(editor);
        inv_frame->setEnabled(true);
    } else {
        Edit_cmd->setEnabled(false);
        Delete_cmd->setEnabled(false);
    }
}

void frmAddCust::Load_invoices() {
    guard(WindowName, "Load_invoices", [&] {
        MoneySum sum;
        {
            ListKit::Model::Refill refill(*invoiceModel_);
            for (const HistoryInvoice& invoice : invoiceHistory(custid_lbl->text())) {
                sum += invoice.balance;
                refill.add(historyRow(invoice));
            }
        }
        historyRowsChanged();
        showTotal(sum);
    });
}

void frmAddCust::Add_cmd_Click() {
    if (!Opener::has(Windows::frmAddInv)) return;
    guard(WindowName, "Add_cmd", [&] {
        requestNewInvoice(custid_lbl->text(), Trim(FirstName_txt->text()), Trim(Lastname_txt->text()),
                          Trim(Phone_txt->text()));
        Opener::show(Windows::frmAddInv, this);
        gHandOver.InvCustFirstName = QString();
        gHandOver.InvCustLastName = QString();
        gHandOver.InvCustPhone = QString();
        if (gHandOver.InvSaved != 1) return;
        if (!gHandOver.SavedInvNo.trimmed().isEmpty()) NewInvoice();
        else Load_invoices();
    });
}

void frmAddCust::Edit_cmd_Click() {
    const int row = ListKit::selectedRow(Inv_lst);
    if (row >= 0) editStoredInvoice(invoiceModel_->text(row, 1), this, [this] { Changed_Inv(); });
}

void frmAddCust::NewInvoice() {
    guard(WindowName, "NewInvoice", [&] {
        MoneySum sum = totalShown();
        if (const auto invoice = historyInvoice(gHandOver.SavedInvNo.trimmed())) {
            invoiceModel_->addRow(historyRow(*invoice));
            sum += invoice->balance;
        }
        showTotal(sum);
        gHandOver.SavedInvNo = QString();
        historyRowsChanged();
    });
}

void frmAddCust::Changed_Inv() {
    guard(WindowName, "Changed_Inv", [&] {
        const int row = ListKit::selectedRow(Inv_lst);
        if (row < 0) return;
        MoneySum sum = totalShown();
        if (const auto invoice = historyInvoice(Trim(invoiceModel_->text(row, 1)))) {
            sum -= ValSum(invoiceModel_->text(row, 4));
            invoiceModel_->setRow(row, historyRow(*invoice));
            sum += invoice->balance;
        }
        showTotal(sum);
        ListKit::selectRow(Inv_lst, row);
    });
}

void frmAddCust::Delete_cmd_Click() {
    if (Box::ask("Are you sure you want to delete this invoice", "Confirm", Box::Buttons::YesNo, Box::Icon::Question,
                 this) != Box::Answer::Yes)
        return;
    const int row = ListKit::selectedRow(Inv_lst);
    if (row < 0) return;
    InvToDelete = invoiceModel_->text(row, 1);
    Delete_item();
    if (!ListKit::removeRowAndSelectNext(Inv_lst, invoiceModel_, row)) historyRowsChanged();
}

void frmAddCust::Delete_item() {
    guard(WindowName, "Delete_item", [&] {
        MoneySum sum = totalShown();
        if (const auto balance = deleteHistoryInvoice(InvToDelete)) sum -= *balance;
        showTotal(sum);
    });
}
