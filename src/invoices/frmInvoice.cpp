#include "invoices/frmInvoice.h"
#include "invoices/InvoiceListRow.h"
#include "invoices/InvoiceRecord.h"
#include "common/ErrorReport.h"
#include "common/Functions.h"
#include "common/HandOver.h"
#include "common/InvoiceRequest.h"
#include "common/Opener.h"
#include "common/WidestAmounts.h"
#include "common/WindowNames.h"
#include "platform/MessageBox.h"
#include "widgets/ListKit.h"
#include "widgets/WidgetHelpers.h"
#include "widgets/WindowPlacement.h"
#include <QAction>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QStyle>
#include <QToolBar>
#include <QTreeView>

namespace {
const char* WindowName = "frmInvoice";

enum Button { Add = 2, Delete = 4, Edit = 6, Help = 8 };

// Column widths as designed, in twips.
const std::vector<int> Widths = {1300, 1200, 1300, 2450, 1400, 1440, 2600};
}  // namespace

frmInvoice::frmInvoice(QWidget* owner) : ActivatedDialog(owner), builder_(std::make_unique<ListKit::RowBuilder>()) {
    setObjectName(WindowName);
    setWindowTitle("Invoice");
    gHandOver.InvSaved = 0;
    Toolbar1 = named(new QToolBar(this), "Toolbar1");
    buttons_ = ListKit::addToolbarButtons(Toolbar1, {{Add, "Add", QStyle::SP_FileIcon},
                                           {Delete, "Delete", QStyle::SP_TrashIcon},
                                           {Edit, "Edit", QStyle::SP_FileDialogDetailedView},
                                           {Help, "Help", QStyle::SP_DialogHelpButton}},
                                          [this](int position) { Toolbar1_ButtonClick(position); });
    buttons_[Add]->setEnabled(Opener::has(Windows::frmAddCust) && Opener::has(Windows::frmsearchCust));
    buttons_[Edit]->setEnabled(Opener::has(Windows::frmAddInv));
    buttons_[Help]->setEnabled(Opener::has(Windows::Help_frm));

    Inv_lst = named(new QTreeView(this), "Inv_lst");
    search_txt = named(new QLineEdit(this), "search_txt");
    search_cmd = ListKit::searchButton();
    Found_lbl = label(QString(), "Found_lbl");
    Command1 = button("&Exit", "Command1");
    Command1->setAutoDefault(false);

    model_ = new ListKit::Model(InvoiceList::headers(), InvoiceList::HiddenSortKeys, this);
    model_->setAlignment(InvoiceList::AmountColumn, Qt::AlignRight);
    model_->setAlignment(InvoiceList::BalanceColumn, Qt::AlignRight);
    ListKit::setUpView(Inv_lst, model_);
    ListKit::setColumnWidthsTwips(Inv_lst, Widths);
    // The amounts show whole up to the widest an invoice can hold, credits
    // too; the room comes from the notes, then the name, so the list keeps
    // its designed width.
    ListKit::fitColumns(Inv_lst,
                        {{InvoiceList::AmountColumn, WidestAmounts::anyAmount()},
                         {InvoiceList::BalanceColumn, WidestAmounts::anyAmount()}},
                        {{InvoiceList::NotesColumn, Inv_lst->columnWidth(InvoiceList::NotesColumn) / 2},
                         {InvoiceList::NameColumn, Inv_lst->columnWidth(InvoiceList::NameColumn) / 2}});
    sort_ = new ListKit::HeaderSort(Inv_lst, model_, true);
    // The date sorts as a date, not as its dd/MM/yyyy text, and the amounts
    // as amounts, a negative one before zero, by their hidden keys.
    sort_->state().sortHeaderBy(InvoiceList::DateColumn, model_->sortKeyCell(InvoiceList::DateKey));
    sort_->state().sortHeaderBy(InvoiceList::AmountColumn, model_->sortKeyCell(InvoiceList::AmountKey));
    sort_->state().sortHeaderBy(InvoiceList::BalanceColumn, model_->sortKeyCell(InvoiceList::BalanceKey));
    find_ = new ListKit::FindBox(WindowName, Inv_lst, model_, search_txt, search_cmd,
                                 {InvoiceList::FindCells, Found_lbl, false});
    new ListKit::RowOpener(Inv_lst, [this] { Inv_lst_DblClick(); }, false);

    ListKit::arrangeListWindow(this, {Toolbar1, Inv_lst, label("Search:"), search_txt, search_cmd, Found_lbl, Command1});

    connect(Command1, &QPushButton::clicked, this, &QDialog::accept);

    centreOnScreen(this);
    Load_list();
}

frmInvoice::~frmInvoice() = default;

QAction* frmInvoice::toolbarButton(int position) const {
    const auto it = buttons_.find(position);
    return it == buttons_.end() ? nullptr : it->second;
}

void frmInvoice::Load_list() {
    guard(WindowName, "Load_list", [&] {
        {
            ListKit::Model::Refill refill(*model_);
            readInvoiceList([&](const InvoiceListEntry& invoice) {
                invoiceListRow(invoice, *builder_);
                refill.add(*builder_);
            });
        }
        if (model_->rowCount() > 0) ListKit::selectRow(Inv_lst, 0);
    });
}

void frmInvoice::Form_Activate() {
    if (model_->rowCount() > 0) Inv_lst->setFocus();
}

void frmInvoice::Inv_lst_DblClick() {
    const int row = ListKit::selectedRow(Inv_lst);
    if (row >= 0) editStoredInvoice(model_->text(row, 0), this, [this] { Changed_Inv(); });
}

void frmInvoice::Toolbar1_ButtonClick(int position) {
    switch (position) {
    case Add: addInvoice(); break;
    case Delete: deleteSelected(); break;
    case Edit: Inv_lst_DblClick(); break;
    case Help:
        gHandOver.HelpPage = "Invoice.htm";
        Opener::show(Windows::Help_frm, this);
        break;
    default: break;
    }
}

void frmInvoice::addInvoice() {
    if (!Opener::has(Windows::frmAddCust) || !Opener::has(Windows::frmsearchCust)) return;
    guard(WindowName, "Toolbar1_ButtonClick", [&] {
        const Box::Answer answer = Box::ask("Do you want to add this invoice to a new customer", "Add to New Customer",
                                            Box::Buttons::YesNoCancel, Box::Icon::Question, this);
        if (answer != Box::Answer::Yes && answer != Box::Answer::No) return;
        const InvoiceTableMark before = invoiceTableMark();
        if (answer == Box::Answer::Yes) {
            gHandOver.CustNewMode = 1;
            Opener::show(Windows::frmAddCust, this);
        } else {
            Opener::show(Windows::frmsearchCust, this);
        }
        const InvoiceTableMark after = invoiceTableMark();
        const QStringList added = invoicesAddedSince(before, 2);
        switch (afterAddRoute(gHandOver.InvSaved, gHandOver.SavedInvNo.text(), before, after, added)) {
        case AfterAddRoute::AddRow: NewInvoice(added[0]); break;
        case AfterAddRoute::Reload:
            Load_list();
            gHandOver.SavedInvNo = QString();
            break;
        case AfterAddRoute::Unchanged: break;
        }
        gHandOver.InvSaved = 0;
    });
}

void frmInvoice::deleteSelected() {
    if (model_->rowCount() == 0) {
        Box::ask("No row selected. Please try again.", "Please try again", Box::Buttons::Ok, Box::Icon::Exclamation,
                 this);
        Wait_Cursor_Off();
        return;
    }
    if (Box::ask("Are you sure you want to delete this invoice", "Confirm", Box::Buttons::YesNo, Box::Icon::Question,
                 this) != Box::Answer::Yes)
        return;
    const int row = ListKit::selectedRow(Inv_lst);
    if (row < 0) return;
    InvToDelete = model_->text(row, 0);
    if (!Delete_item()) return;
    ListKit::removeRowAndSelectNext(Inv_lst, model_, row);
}

void frmInvoice::NewInvoice(const QString& invNo) {
    guard(WindowName, "NewInvoice", [&] {
        readInvoiceListEntry(invNo, [&](const InvoiceListEntry& invoice) {
            const QString custNo = QString::fromUtf8(invoice.custNo.data(), qsizetype(invoice.custNo.size()));
            // Cells from the customer on file now; blank when there is none.
            invoiceListRow(invoice, *builder_, currentCustomerCells(custNo, false).value_or(InvoiceCustomerCells{}));
            builder_->key(invoiceRowKey(builder_->cellText(0).toString()));
            ListKit::selectRow(Inv_lst, model_->addRow(*builder_));
        });
        gHandOver.SavedInvNo = QString();
    });
}

void frmInvoice::Changed_Inv() {
    guard(WindowName, "Changed_Inv", [&] {
        const int row = ListKit::selectedRow(Inv_lst);
        if (row < 0) return;
        const QString key = model_->key(row);
        // The customer cells keep their values unless the customer is on file.
        const InvoiceCustomerCells shown{model_->text(row, 2), model_->text(row, 3)};
        readInvoiceListEntry(Trim(model_->text(row, 0)), [&](const InvoiceListEntry& invoice) {
            const QString custNo = QString::fromUtf8(invoice.custNo.data(), qsizetype(invoice.custNo.size()));
            invoiceListRow(invoice, *builder_, currentCustomerCells(custNo, true).value_or(shown));
            builder_->key(key);
            model_->setRow(row, *builder_);
        });
        ListKit::selectRow(Inv_lst, row);
    });
}

bool frmInvoice::Delete_item() {
    bool deleted = false;
    guard(WindowName, "Delete_item", [&] {
        deleted = deleteInvoice(InvToDelete);
        if (!deleted)
            Box::ask("Invoice " + InvToDelete + " is no longer on file: nothing was deleted.", "Please try again",
                     Box::Buttons::Ok, Box::Icon::Exclamation, this);
    });
    return deleted;
}
