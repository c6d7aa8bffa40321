#include "customers/frmsearchCust.h"
#include "common/ErrorReport.h"
#include "common/InvoiceRequest.h"
#include "widgets/ListKit.h"
#include "common/Opener.h"
#include "common/WindowNames.h"
#include "widgets/WindowPlacement.h"
#include "customers/CustomerRecord.h"
#include <QEvent>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTreeView>

namespace {
const char* WindowName = "frmsearchCust";
}

frmsearchCust::frmsearchCust(QWidget* owner) : ActivatedDialog(owner) {
    setObjectName(WindowName);
    setWindowTitle("Search for a Customer");
    cust_lst = new QTreeView(this);
    cust_lst->setObjectName("cust_lst");
    search_txt = new QLineEdit(this);
    search_txt->setObjectName("search_txt");
    search_cmd = ListKit::searchButton();
    Select_cmd = new QPushButton("Select", this);
    Select_cmd->setObjectName("Select_cmd");
    Cancel_cmd = new QPushButton("&Cancel", this);
    Cancel_cmd->setObjectName("Cancel_cmd");
    // Without the invoice editor a pick has nowhere to go.
    Select_cmd->setEnabled(Opener::has(Windows::frmAddInv));

    model_ = new ListKit::Model({"Customer ID", "Last Name", "First Name", "Phone"}, this);
    ListKit::setUpView(cust_lst, model_);
    ListKit::setColumnWidthsMm(cust_lst, {22.93, 29.99, 29.99, 25.40});
    sort_ = new ListKit::HeaderSort(cust_lst, model_, false);
    find_ = new ListKit::FindBox(WindowName, cust_lst, model_, search_txt, search_cmd, {3, nullptr, false});
    // A double-click anywhere in the list picks the row selected then.
    new ListKit::RowOpener(cust_lst, [this] { Select_cmd_Click(); }, false);

    auto* layout = new QGridLayout(this);
    layout->addWidget(cust_lst, 0, 0, 1, 4);
    layout->addWidget(new QLabel("Search:", this), 1, 0);
    layout->addWidget(search_txt, 1, 1);
    layout->addWidget(search_cmd, 1, 2);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(Select_cmd);
    buttons->addWidget(Cancel_cmd);
    layout->addLayout(buttons, 2, 0, 1, 4);
    layout->setColumnStretch(1, 1);
    cust_lst->setMinimumWidth(int(cust_lst->logicalDpiX() / 25.4 * 115));

    connect(Select_cmd, &QPushButton::clicked, this, &frmsearchCust::Select_cmd_Click);
    connect(Cancel_cmd, &QPushButton::clicked, this, &QDialog::reject);

    adjustSize();
    centreOnScreen(this);
    Load_list();
}

void frmsearchCust::Load_list() {
    guard(WindowName, "Load_list", [&] {
        // Each row built in place from the stored texts: a hundred thousand
        // customers open as fast as the customer list does.
        ListKit::RowBuilder row;
        ListKit::Model::Refill refill(*model_);
        readCustomerSearchList([&](const CustomerSearchEntry& c) {
            row.reset();
            for (std::string_view cell : {c.custId, c.lastName, c.firstName, c.phone}) row.cell().addUtf8(cell);
            refill.add(row);
        });
    });
}

void frmsearchCust::Form_Activate() {
    if (model_->rowCount() > 0) {
        ListKit::selectRow(cust_lst, 0);
        cust_lst->setFocus();
    }
    search_txt->setFocus();
}

void frmsearchCust::Select_cmd_Click() {
    const int row = ListKit::selectedRow(cust_lst);
    if (row < 0 || !Opener::has(Windows::frmAddInv)) return;
    requestNewInvoice(model_->text(row, 0), model_->text(row, 2), model_->text(row, 1), model_->text(row, 3));
    Opener::show(Windows::frmAddInv, this);
    accept();
}
