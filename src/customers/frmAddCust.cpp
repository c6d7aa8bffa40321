#include "customers/frmAddCust.h"
#include "widgets/BoxRules.h"
#include "widgets/BoxText.h"
#include "customers/CustomerRecord.h"
#include "common/ErrorReport.h"
#include "common/Functions.h"
#include "common/HandOver.h"
#include "widgets/ListKit.h"
#include "widgets/WidgetHelpers.h"
#include "common/Numbering.h"
#include "common/Opener.h"
#include "common/WindowNames.h"
#include "common/SettingsValues.h"
#include "common/WidestAmounts.h"
#include "widgets/WindowPlacement.h"
#include "platform/MessageBox.h"
#include <QApplication>
#include <QDateEdit>
#include <QFocusEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QStyle>
#include <QTimer>
#include <QTreeView>
#include <QVBoxLayout>

namespace {
const char* WindowName = "frmAddCust";

// The hint a box shows while it has the focus, and whether Enter in it saves.
struct Hint {
    QString text;
    bool saveDefault;
};
const char* HintProperty = "fieldHint";
const char* SavesOnEnterProperty = "savesOnEnter";

QLineEdit* makeBox(const char* name, int maxLength) {
    auto* box = lineBox(name, maxLength);
    box->setMinimumWidth(box->fontMetrics().averageCharWidth() * 18);
    return box;
}

}  // namespace

frmAddCust::frmAddCust(QWidget* owner) : ActivatedDialog(owner) {
    setObjectName(WindowName);
    setWindowTitle("Customer");
    buildWindow();
    // Loading the window.
    IsDirty = false;
    adjustSize();
    centreOnScreen(this);
    invoiceModel_->clear();
    if (gHandOver.CustNewMode == 1) {
        Newdetails();
        inv_frame->setEnabled(false);
        Add_cmd->setEnabled(false);
        Edit_cmd->setEnabled(false);
        Delete_cmd->setEnabled(false);
    } else {
        Load_customer();
    }
    gHandOver.CustSaved = 0;
    LoadSetup();
    watchBoxes();
}

void frmAddCust::buildWindow() {
    cust_frame = new QGroupBox("Customer Info:", this);
    cust_frame->setObjectName("cust_frame");
    custid_lbl = makeBox("custid_lbl", 12);
    custid_lbl->setAlignment(Qt::AlignCenter);
    custid_lbl->setEnabled(false);
    DTPicker1 = new QDateEdit(QDate::currentDate(), cust_frame);
    DTPicker1->setObjectName("DTPicker1");
    DTPicker1->setDisplayFormat("dd/MM/yyyy");
    DTPicker1->setCalendarPopup(true);
    FirstName_txt = makeBox("FirstName_txt", 20);
    Lastname_txt = makeBox("Lastname_txt", 20);
    Phone_txt = makeBox("Phone_txt", 30);
    Mobile_txt = makeBox("Mobile_txt", 30);
    Fax_txt = makeBox("Fax_txt", 30);
    email_txt = makeBox("email_txt", 30);
    address1 = makeBox("address1", 30);
    address2 = makeBox("address2", 30);
    address3 = makeBox("address3", 30);
    address4 = makeBox("address4", 30);
    postcode_txt = makeBox("postcode_txt", 20);
    delAddress1 = makeBox("delAddress1", 30);
    delAddress2 = makeBox("delAddress2", 30);
    delAddress3 = makeBox("delAddress3", 30);
    delAddress4 = makeBox("delAddress4", 30);
    delpostcode = makeBox("delpostcode", 30);
    // The notes are stored as shown, each line break one character.
    auto* notes = textBox("Notes_txt", 200, LimitedTextBox::LineBreaks::CountOnce);
    notes->setLinesHigh(2);
    Notes_txt = notes;

    phone_lbl = label("Phone:", "phone_lbl");
    mobile_lbl = label("Mobile:", "mobile_lbl");
    Fax_lbl = label("Fax:", "Fax_lbl");
    email_lbl = label("Email:", "email_lbl");
    delivery1_lbl = label("Delivery Address:", "delivery1_lbl");
    delivery2 = label("Street:", "delivery2");
    delivery3 = label("Town:", "delivery3");
    delivery4 = label("City:", "delivery4");
    Label5 = label("County", "Label5");
    delivery5 = label("Zip/Postcode:", "delivery5");
    copy_cmd = new QPushButton(cust_frame);
    copy_cmd->setObjectName("copy_cmd");
    copy_cmd->setIcon(style()->standardIcon(QStyle::SP_ArrowRight));
    copy_cmd->setToolTip("Copy Billing to Delivery Address");

    auto* fields = new QGridLayout(cust_frame);
    const std::vector<std::pair<QString, QWidget*>> left{
        {"Customer ID:", custid_lbl}, {"Date:", DTPicker1}, {"First Name:", FirstName_txt},
        {"Last Name:", Lastname_txt}};
    int row = 0;
    for (const auto& [caption, box] : left) {
        fields->addWidget(label(caption), row, 0);
        fields->addWidget(box, row++, 1);
    }
    for (const auto& [label, box] : std::vector<std::pair<QLabel*, QWidget*>>{
             {phone_lbl, Phone_txt}, {mobile_lbl, Mobile_txt}, {Fax_lbl, Fax_txt}, {email_lbl, email_txt}}) {
        fields->addWidget(label, row, 0);
        fields->addWidget(box, row++, 1);
    }
    fields->addWidget(label("Billing Address:"), 0, 2, 1, 2);
    row = 1;
    for (const auto& [caption, box] : std::vector<std::pair<QString, QWidget*>>{
             {"Street:", address1}, {"Town:", address2}, {"City:", address3}, {"County", address4},
             {"Zip/Postcode:", postcode_txt}}) {
        fields->addWidget(label(caption), row, 2);
        fields->addWidget(box, row++, 3);
    }
    auto* deliveryHeading = new QHBoxLayout;
    deliveryHeading->addWidget(delivery1_lbl);
    deliveryHeading->addStretch();
    deliveryHeading->addWidget(copy_cmd);
    fields->addLayout(deliveryHeading, 0, 4, 1, 2);
    row = 1;
    for (const auto& [label, box] : std::vector<std::pair<QLabel*, QWidget*>>{
             {delivery2, delAddress1}, {delivery3, delAddress2}, {delivery4, delAddress3}, {Label5, delAddress4},
             {delivery5, delpostcode}}) {
        fields->addWidget(label, row, 4);
        fields->addWidget(box, row++, 5);
    }
    for (int column : {1, 3, 5}) fields->setColumnStretch(column, 1);
    fields->addWidget(label("Private Notes:"), 8, 0);
    fields->addWidget(Notes_txt, 8, 1, 1, 5);

    Save_cmd = button("&Save", "Save_cmd");
    exit_cmd = button("&Exit", "exit_cmd");
    customize_cmd = button("Customize", "customize_cmd");
    customize_cmd->setEnabled(Opener::has(Windows::frmCustomerSet));
    help_lbl = label(QString(), "help_lbl");
    help_lbl->setWordWrap(true);
    help_lbl->setMinimumWidth(help_lbl->fontMetrics().averageCharWidth() * 22);
    auto* side = new QVBoxLayout;
    side->addWidget(label("Help Notes"));
    side->addWidget(help_lbl);
    side->addStretch();
    side->addWidget(customize_cmd);
    side->addWidget(Save_cmd);
    side->addWidget(exit_cmd);

    inv_frame = new QGroupBox("Invoice History:", this);
    inv_frame->setObjectName("inv_frame");
    Inv_lst = new QTreeView(inv_frame);
    Inv_lst->setObjectName("Inv_lst");
    invoiceModel_ = new ListKit::Model({"Date", "Inv No.", "Total", "Paid", "Balance", "Notes"}, this);
    for (int column : {2, 3, 4}) invoiceModel_->setAlignment(column, Qt::AlignRight);
    ListKit::setUpView(Inv_lst, invoiceModel_);
    ListKit::setColumnWidthsMm(Inv_lst, {22, 25, 22, 22, 22, 60});
    // Total, paid and balance show whole up to the widest an invoice can
    // hold, credits too; the room comes from the notes.
    ListKit::fitColumns(Inv_lst, {{2, WidestAmounts::anyAmount()}, {3, WidestAmounts::anyAmount()},
                                  {4, WidestAmounts::anyAmount()}}, {{5, Inv_lst->columnWidth(5) / 2}});
    ListKit::widenToColumns(Inv_lst);
    Inv_lst->setMinimumHeight(Inv_lst->fontMetrics().lineSpacing() * 8);
    Add_cmd = button("&Add", "Add_cmd");
    Edit_cmd = button("Ed&it", "Edit_cmd");
    Delete_cmd = button("&Delete", "Delete_cmd");
    Total_lbl = label(QString(), "Total_lbl");
    Total_lbl->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    Total_lbl->setFont(QFont("Liberation Mono"));
    auto* history = new QGridLayout(inv_frame);
    history->addWidget(Inv_lst, 0, 0, 4, 1);
    history->addWidget(Add_cmd, 0, 1);
    history->addWidget(Edit_cmd, 1, 1);
    history->addWidget(Delete_cmd, 2, 1);
    auto* total = new QHBoxLayout;
    total->addStretch();
    total->addWidget(label("Total Balance Due"));
    total->addWidget(Total_lbl);
    history->addLayout(total, 4, 0);

    auto* top = new QHBoxLayout;
    top->addWidget(cust_frame, 1);
    top->addLayout(side);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addWidget(inv_frame, 1);

    QWidget* order[] = {custid_lbl, DTPicker1, FirstName_txt, Lastname_txt, Phone_txt, Mobile_txt, Fax_txt,
                        email_txt, address1, address2, address3, address4, postcode_txt, delAddress1,
                        delAddress2, delAddress3, delAddress4, delpostcode, Notes_txt, Save_cmd, exit_cmd,
                        Add_cmd, Edit_cmd, Delete_cmd};
    for (size_t i = 1; i < std::size(order); ++i) setTabOrder(order[i - 1], order[i]);

    connect(Save_cmd, &QPushButton::clicked, this, &frmAddCust::Save_cmd_Click);
    connect(exit_cmd, &QPushButton::clicked, this, &frmAddCust::exit_cmd_Click);
    connect(copy_cmd, &QPushButton::clicked, this, &frmAddCust::copy_cmd_Click);
    connect(customize_cmd, &QPushButton::clicked, this, &frmAddCust::customize_cmd_Click);
    connect(Add_cmd, &QPushButton::clicked, this, &frmAddCust::Add_cmd_Click);
    connect(Edit_cmd, &QPushButton::clicked, this, &frmAddCust::Edit_cmd_Click);
    connect(Delete_cmd, &QPushButton::clicked, this, &frmAddCust::Delete_cmd_Click);
    connect(Inv_lst, &QTreeView::doubleClicked, this, &frmAddCust::Edit_cmd_Click);
}

// Hints, whole-text selection and the changed flag, once the boxes hold
// what the program put in them.
void frmAddCust::watchBoxes() {
    const std::vector<std::pair<QWidget*, Hint>> boxes{
        {FirstName_txt, {"Please enter first name.", true}}, {Lastname_txt, {"Please enter last name.", true}},
        {Phone_txt, {"Please enter phone number.", false}}, {Mobile_txt, {"Please enter mobile number.", false}},
        {Fax_txt, {"Please enter fax number.", false}}, {email_txt, {"Please enter email.", false}},
        {address1, {"Please enter address", false}}, {address2, {"Please enter address.", true}},
        {address3, {"Please enter address.", true}}, {address4, {"Please enter County.", true}},
        {postcode_txt, {"Please enter postcode.", true}}, {delAddress1, {"Please enter address.", true}},
        {delAddress2, {"Please enter address.", true}}, {delAddress3, {"Please enter address.", true}},
        {delAddress4, {"Please enter address.", true}}, {delpostcode, {"Please enter address.", true}},
        {Notes_txt, {"Please enter any notes here.", true}}};
    for (const auto& [box, hint] : boxes) {
        box->setProperty(HintProperty, hint.text);
        box->setProperty(SavesOnEnterProperty, hint.saveDefault);
        box->installEventFilter(this);
        BoxRules::selectOnFocus(box);
        if (auto* line = qobject_cast<QLineEdit*>(box))
            connect(line, &QLineEdit::textEdited, this, [this] { IsDirty = true; });
    }
    connect(custid_lbl, &QLineEdit::textEdited, this, [this] { IsDirty = true; });
    connect(Notes_txt, &QPlainTextEdit::textChanged, this, [this] { IsDirty = true; });
    connect(DTPicker1, &QDateEdit::dateChanged, this, [this] { IsDirty = true; });
    DTPicker1->installEventFilter(this);
    custid_lbl->installEventFilter(this);
}

bool frmAddCust::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::FocusIn) {
        const QVariant hint = watched->property(HintProperty);
        if (hint.isValid()) {
            help_lbl->setText(hint.toString());
            if (watched->property(SavesOnEnterProperty).toBool()) Save_cmd->setDefault(true);
        }
    } else if (event->type() == QEvent::FocusOut && watched == custid_lbl) {
        const auto reason = static_cast<QFocusEvent*>(event)->reason();
        if (reason != Qt::ActiveWindowFocusReason && reason != Qt::PopupFocusReason && !closing_)
            custid_lbl_LostFocus();
    } else if (event->type() == QEvent::KeyPress && watched == DTPicker1) {
        if (!static_cast<QKeyEvent*>(event)->text().isEmpty()) IsDirty = true;
    }
    return QDialog::eventFilter(watched, event);
}

void frmAddCust::Newdetails() {
    guard(WindowName, "Newdetails", [&] {
        if (gSettings.FreeformCus != 0) {
            custid_lbl->clear();
            custid_lbl->setEnabled(true);
        } else {
            custid_lbl->setEnabled(false);
            const auto number = proposeNumber("Customers", "CustID", gSettings.CustPrefix, gSettings.CustStart);
            if (number) {
                setBoxText(custid_lbl, *number);
            } else {
                custid_lbl->clear();
                Box::ask(numbersUsedUpMessage(), numbersUsedUpTitle(), Box::Buttons::Ok, Box::Icon::Exclamation,
                         this);
            }
        }
        DTPicker1->setDate(QDate::currentDate());
    });
}

void frmAddCust::Load_customer() {
    guard(WindowName, "Load_customer", [&] {
        if (const auto customer = loadCustomer(gHandOver.SelectedCustID)) showCustomer(*customer);
        Load_invoices();
    });
}

void frmAddCust::showCustomer(const CustomerRecord& c) {
    const std::pair<QLineEdit*, const QString&> boxes[] = {
        {custid_lbl, c.custId}, {Lastname_txt, c.lastName}, {FirstName_txt, c.firstName}, {Phone_txt, c.phone},
        {address1, c.address}, {address2, c.address2}, {address3, c.city}, {postcode_txt, c.postcode},
        {Mobile_txt, c.mobile}, {Fax_txt, c.fax}, {email_txt, c.email}, {address4, c.address4},
        {delAddress1, c.delAddress1}, {delAddress2, c.delAddress2}, {delAddress3, c.delAddress3},
        {delAddress4, c.delAddress4}, {delpostcode, c.delAddress5}};
    for (const auto& [box, text] : boxes) setBoxText(box, text);
    Notes_txt->setPlainText(c.notes);
    if (c.date.isValid()) DTPicker1->setDate(c.date);
}

void frmAddCust::LoadSetup() {
    guard(WindowName, "LoadSetup", [&] {
        auto show = [](int setting, std::initializer_list<QWidget*> widgets) {
            for (QWidget* w : widgets) w->setVisible(setting == 1);
        };
        show(gSettings.FaxVisible, {Fax_txt, Fax_lbl});
        show(gSettings.phoneVisible, {Phone_txt, phone_lbl});
        show(gSettings.emailVisible, {email_txt, email_lbl});
        show(gSettings.shippingVisible, {delAddress1, delAddress2, delAddress3, delAddress4, delpostcode,
                                         delivery1_lbl, delivery2, delivery3, delivery4, delivery5, Label5,
                                         copy_cmd});
        show(gSettings.mobileVisible, {Mobile_txt, mobile_lbl});
    });
}

void frmAddCust::Form_Activate() {
    if (gHandOver.CustNewMode != 1) return;
    if (gSettings.FreeformCus != 1) {
        custid_lbl->setEnabled(false);
        FirstName_txt->setFocus();
    } else {
        custid_lbl->setEnabled(true);
        custid_lbl->setFocus();
    }
}

void frmAddCust::custid_lbl_LostFocus() {
    if (QApplication::focusWidget() == exit_cmd) return;
    if (CheckCustNo() == 1)
        QTimer::singleShot(0, custid_lbl, [box = custid_lbl] { box->setFocus(); });
}

void frmAddCust::copy_cmd_Click() {
    Wait_Cursor_On();
    delAddress1->setText(address1->text());
    delAddress2->setText(address2->text());
    delAddress3->setText(address3->text());
    delAddress4->setText(address4->text());
    delpostcode->setText(postcode_txt->text());
    Wait_Cursor_Off();
}

void frmAddCust::customize_cmd_Click() {
    if (!Opener::has(Windows::frmCustomerSet)) return;
    Opener::show(Windows::frmCustomerSet, this);
    LoadSetup();
}

void frmAddCust::exit_cmd_Click() {
    if (IsDirty) {
        const auto answer = Box::ask("Do you wish to save changes?", "Save Changes", Box::Buttons::YesNo,
                                     Box::Icon::Question, this);
        // A refused save keeps the window open with everything typed.
        if (answer == Box::Answer::Yes && !saveCustomer()) return;
    }
    accept();
}

void frmAddCust::done(int result) {
    closing_ = true;
    if (gHandOver.CustSaved == 1) gHandOver.SavedCustID = custid_lbl->text();
    QDialog::done(result);
}
