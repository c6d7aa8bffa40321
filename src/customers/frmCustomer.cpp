#include "customers/frmCustomer.h"
#include "customers/CustomerListRow.h"
#include "customers/CustomerRecord.h"
#include "common/ErrorReport.h"
#include "common/HandOver.h"
#include "common/Opener.h"
#include "common/WindowNames.h"
#include "platform/MessageBox.h"
#include "widgets/ListKit.h"
#include "widgets/WidgetHelpers.h"
#include "widgets/WindowPlacement.h"
#include <QAction>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QStyle>
#include <QToolBar>
#include <QTreeView>

namespace {
const char* WindowName = "frmCustomer";

enum Button { Add = 2, Delete = 4, View = 6, Help = 8 };
}  // namespace

frmCustomer::frmCustomer(QWidget* owner) : ActivatedDialog(owner), builder_(std::make_unique<ListKit::RowBuilder>()) {
    setObjectName(WindowName);
    setWindowTitle("Customers");
    Toolbar1 = named(new QToolBar(this), "Toolbar1");
    buttons_ = ListKit::addToolbarButtons(Toolbar1, {{Add, "Add", QStyle::SP_FileIcon},
                                           {Delete, "Delete", QStyle::SP_TrashIcon},
                                           {View, "View", QStyle::SP_FileDialogDetailedView},
                                           {Help, "Help", QStyle::SP_DialogHelpButton}},
                                          [this](int position) { Toolbar1_ButtonClick(position); });
    buttons_[Add]->setEnabled(Opener::has(Windows::frmAddCust));
    buttons_[View]->setEnabled(Opener::has(Windows::frmAddCust));
    buttons_[Help]->setEnabled(Opener::has(Windows::Help_frm));

    cust_lst = named(new QTreeView(this), "cust_lst");
    search_txt = named(new QLineEdit(this), "search_txt");
    search_cmd = ListKit::searchButton();
    Found_lbl = label(QString(), "Found_lbl");
    exit_cmd = button("&Exit", "exit_cmd");
    exit_cmd->setAutoDefault(false);

    model_ = new ListKit::Model({"Cust ID", "Customer Name", "Phone", "Address"}, this);
    ListKit::setUpView(cust_lst, model_);
    ListKit::setColumnWidthsMm(cust_lst, {25.40, 45.86, 28.22, 106.72});
    sort_ = new ListKit::HeaderSort(cust_lst, model_, true);
    find_ = new ListKit::FindBox(WindowName, cust_lst, model_, search_txt, search_cmd, {3, Found_lbl, true});
    new ListKit::RowOpener(cust_lst, [this] { cust_lst_DblClick(); }, true);

    auto* layout = new QGridLayout(this);
    layout->setMenuBar(Toolbar1);
    layout->addWidget(cust_lst, 0, 0, 1, 6);
    layout->addWidget(label("Search:"), 1, 0);
    layout->addWidget(search_txt, 1, 1);
    layout->addWidget(search_cmd, 1, 2);
    layout->addWidget(Found_lbl, 1, 3);
    layout->addWidget(exit_cmd, 1, 5);
    layout->setColumnStretch(4, 1);
    search_txt->setMinimumWidth(search_txt->fontMetrics().horizontalAdvance('M') * 16);
    Found_lbl->setMinimumWidth(Found_lbl->fontMetrics().horizontalAdvance("Not Found") + 8);
    cust_lst->setMinimumSize(int(cust_lst->logicalDpiX() / 25.4 * 212), 360);

    connect(exit_cmd, &QPushButton::clicked, this, &frmCustomer::exit_cmd_Click);

    adjustSize();
    centreOnScreen(this);
    Load_list();
}

frmCustomer::~frmCustomer() = default;

QAction* frmCustomer::toolbarButton(int position) const {
    const auto it = buttons_.find(position);
    return it == buttons_.end() ? nullptr : it->second;
}

void frmCustomer::Load_list() {
    guard(WindowName, "Load_list", [&] {
        gHandOver.CustSaved = 0;
        {
            ListKit::Model::Refill refill(*model_);
            readCustomerList([&](const CustomerListEntry& customer) {
                customerListRow(customer, *builder_);
                refill.add(*builder_);
            });
        }
        if (model_->rowCount() > 0) ListKit::selectRow(cust_lst, 0);
    });
}

void frmCustomer::Form_Activate() {
    if (model_->rowCount() > 0) cust_lst->setFocus();
}

void frmCustomer::cust_lst_DblClick() {
    const int row = ListKit::selectedRow(cust_lst);
    if (row < 0 || !Opener::has(Windows::frmAddCust)) return;
    gHandOver.CustNewMode = 0;
    gHandOver.SelectedCustID = model_->text(row, 0);
    Opener::show(Windows::frmAddCust, this);
    if (gHandOver.CustSaved == 1) ChangedCust();
}

void frmCustomer::Toolbar1_ButtonClick(int position) {
    guard(WindowName, "ToolbarButton", [&] {
        switch (position) {
        case Add:
            if (!Opener::has(Windows::frmAddCust)) return;
            gHandOver.CustNewMode = 1;
            Opener::show(Windows::frmAddCust, this);
            if (gHandOver.CustSaved == 1) NewCustomer();
            break;
        case Delete: {
            Delete_item();
            if (gHandOver.CustDeleted != 1) return;
            const int row = ListKit::selectedRow(cust_lst);
            if (row < 0) return;
            ListKit::removeRowAndSelectNext(cust_lst, model_, row);
            break;
        }
        case View: cust_lst_DblClick(); break;
        case Help:
            gHandOver.HelpPage = "customers.htm";
            Opener::show(Windows::Help_frm, this);
            break;
        default: break;
        }
    });
}

void frmCustomer::ChangedCust() {
    guard(WindowName, "ChangedCust", [&] {
        const int row = ListKit::selectedRow(cust_lst);
        if (row < 0) return;
        const QString key = model_->key(row);
        readCustomerListEntry(model_->text(row, 0), [&](const CustomerListEntry& customer) {
            customerListRow(customer, *builder_);
            builder_->key(key);
            model_->setRow(row, *builder_);
        });
        ListKit::selectRow(cust_lst, row);
    });
}

void frmCustomer::NewCustomer() {
    guard(WindowName, "NewCustomer", [&] {
        readCustomerListEntry(gHandOver.SavedCustID.trimmed(), [&](const CustomerListEntry& customer) {
            customerListRow(customer, *builder_);
            builder_->key(customerRowKey(builder_->cellText(0).toString()));
            ListKit::selectRow(cust_lst, model_->addRow(*builder_));
        });
    });
}

void frmCustomer::Delete_item() {
    guard(WindowName, "Delete_item", [&] {
        gHandOver.CustDeleted = 0;
        if (Box::ask("Are you sure you want to delete this customer?", "Delete?", Box::Buttons::YesNo,
                     Box::Icon::Question, this) != Box::Answer::Yes)
            return;
        const int row = ListKit::selectedRow(cust_lst);
        if (row < 0) return;
        const QString id = model_->text(row, 0);
        const qint64 invoices = invoicesFiledUnder(id);
        if (invoices > 0) {
            // The id goes in whole, as typed: no placeholder inside it is expanded.
            const QString text = "Customer " + id + " cannot be deleted, as it has " + QString::number(invoices)
                + (invoices == 1 ? " invoice attached! Please delete this invoice first before deleting this customer."
                                 : " invoices attached! Please delete these invoices first before deleting this "
                                   "customer.");
            Box::ask(text, "Cannot Delete!", Box::Buttons::Ok, Box::Icon::Exclamation, this);
            return;
        }
        if (!deleteCustomer(id)) {
            Box::ask("Customer " + id + " is no longer on file: nothing was deleted.", "Cannot Delete!",
                     Box::Buttons::Ok, Box::Icon::Exclamation, this);
            return;
        }
        gHandOver.CustDeleted = 1;
        Box::ask("Customer " + id + " has been deleted!", "Customer Deleted!", Box::Buttons::Ok,
                 Box::Icon::Information, this);
    });
}

void frmCustomer::exit_cmd_Click() { accept(); }
