// The customer's invoice history: its invoices with their amounts, the
// total balance due, and the way into the invoice editor.
#include "customers/frmAddCust.h"
#include "common/ErrorReport.h"
#include "common/Functions.h"
#include "common/HandOver.h"
#include "widgets/ListKit.h"
#include "common/Opener.h"
#include "common/WindowNames.h"
#include "platform/Database.h"
#include "platform/MessageBox.h"
#include "platform/NumberText.h"
#include "platform/ShortDate.h"
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTreeView>
#include <optional>

namespace {
const char* WindowName = "frmAddCust";

struct StoredInvoice {
    QString number;
    ListKit::Row row;
    Currency balance;
};

const char* InvoiceColumns = "InvNo, \"Date\", Total, Paid, Balance, Notes";

// One history row from a result row of InvoiceColumns.
StoredInvoice invoiceFrom(const Statement& s) {
    const QVariant date = s.value(1);
    StoredInvoice invoice;
    invoice.number = Field_To_String(s.value(0));
    invoice.row.cells = {date.isValid() ? shortDate(date.toDateTime().date()) : QString(), invoice.number,
                         Format_Number_Right(s.value(2), 7, 2), Format_Number_Right(s.value(3), 7, 2),
                         Format_Number_Right(s.value(4), 7, 2), Field_To_String(s.value(5))};
    invoice.balance = Field_To_Currency(s.value(4));
    return invoice;
}

QString invoicesTable() {
    TableSource = "invoices";
    return Database::shared().storedTableName(TableSource);
}

// The invoice whose number is the key sought; nothing when none has it.
std::optional<StoredInvoice> storedInvoice(const QString& number) {
    Statement s(Database::shared(),
                QString("SELECT %1 FROM \"%2\" WHERE InvNo = ? LIMIT 1").arg(InvoiceColumns, invoicesTable()));
    s.bind(1, number);
    if (!s.step()) return std::nullopt;
    return invoiceFrom(s);
}
}  // namespace

Currency frmAddCust::totalShown() const { return ValCurrency(Total_lbl->text()); }
void frmAddCust::showTotal(Currency total) { Total_lbl->setText(Format_Number_Right(QVariant::fromValue(total), 7, 2)); }

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
        const QString customer = custid_lbl->text();
        Statement s(Database::shared(), QString("SELECT %1, CustNo FROM \"%2\" WHERE CustNo = ? ORDER BY CustNo, rowid")
                                            .arg(InvoiceColumns, invoicesTable()));
        s.bind(1, customer);
        std::vector<ListKit::Row> rows;
        Currency sum;
        while (s.step()) {
            // Filed under the number in other letter case: not this customer's.
            if (Field_To_String(s.value(6)) != customer) continue;
            StoredInvoice invoice = invoiceFrom(s);
            sum += invoice.balance;
            rows.push_back(std::move(invoice.row));
        }
        invoiceModel_->setRows(std::move(rows));
        historyRowsChanged();
        showTotal(sum);
    });
}

void frmAddCust::Add_cmd_Click() {
    if (!Opener::has(Windows::frmAddInv)) return;
    guard(WindowName, "Add_cmd", [&] {
        gHandOver.InvEditMode = 0;
        gHandOver.InvCustID = custid_lbl->text();
        gHandOver.InvCustFirstName = Trim(FirstName_txt->text());
        gHandOver.InvCustLastName = Trim(Lastname_txt->text());
        gHandOver.InvCustPhone = Trim(Phone_txt->text());
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
    if (row < 0 || !Opener::has(Windows::frmAddInv)) return;
    gHandOver.InvToEdit = invoiceModel_->text(row, 1);
    gHandOver.InvEditMode = 1;
    Opener::show(Windows::frmAddInv, this);
    if (gHandOver.InvSaved == 1) {
        Changed_Inv();
        gHandOver.InvSaved = 0;
    }
}

void frmAddCust::NewInvoice() {
    guard(WindowName, "NewInvoice", [&] {
        Currency sum = totalShown();
        if (const auto invoice = storedInvoice(gHandOver.SavedInvNo.trimmed())) {
            invoiceModel_->addRow(invoice->row);
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
        Currency sum = totalShown();
        if (const auto invoice = storedInvoice(Trim(invoiceModel_->text(row, 1)))) {
            sum -= ValCurrency(invoiceModel_->text(row, 4));
            invoiceModel_->setRow(row, invoice->row);
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
    invoiceModel_->removeRow(row);
    if (invoiceModel_->rowCount() > 0) ListKit::selectRow(Inv_lst, std::min(row, invoiceModel_->rowCount() - 1));
    else historyRowsChanged();
}

void frmAddCust::Delete_item() {
    guard(WindowName, "Delete_item", [&] {
        Currency sum = totalShown();
        Database& db = Database::shared();
        const QString header = invoicesTable();
        TableSource = "invoiced";
        const QString lines = db.storedTableName(TableSource);
        const QString number = Trim(InvToDelete);
        // Header and lines go together or not at all.
        Transaction transaction(db);
        if (const auto invoice = storedInvoice(InvToDelete)) {
            sum -= invoice->balance;
            Statement(db, QString("DELETE FROM \"%1\" WHERE InvNo = ?").arg(header)).bind(1, InvToDelete).run();
        }
        Statement(db, QString("DELETE FROM \"%1\" WHERE InvNo = ?1 AND InvNo = ?1 COLLATE BINARY").arg(lines))
            .bind(1, number)
            .run();
        transaction.commit();
        showTotal(sum);
    });
}
