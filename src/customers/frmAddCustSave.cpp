// Saving a customer: the required fields, the number checks, the row, and
// the advance of the automatic customer number.
#include "customers/frmAddCust.h"
#include "customers/CustomerRecord.h"
#include "widgets/BoxText.h"
#include "common/ErrorReport.h"
#include "common/Functions.h"
#include "common/HandOver.h"
#include "common/Numbering.h"
#include "common/Opener.h"
#include "common/WindowNames.h"
#include "common/SettingsValues.h"
#include "platform/MessageBox.h"
#include <QApplication>
#include <QDateEdit>
#include <QGroupBox>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>

namespace {
const char* WindowName = "frmAddCust";

void refuse(QWidget* box) {
    QApplication::beep();
    box->setFocus();
}

void numberAlreadyUsed(QWidget* parent) {
    Box::ask("This Customer number has already been used. Please try again!", "Customer Number Already In Use",
             Box::Buttons::Ok, Box::Icon::Exclamation, parent);
}
}  // namespace

int frmAddCust::check_feilds() {
    if (custid_lbl->text().isEmpty()) { refuse(custid_lbl); return 1; }
    if (FirstName_txt->text().isEmpty()) { refuse(FirstName_txt); return 1; }
    if (Trim(Lastname_txt->text()).isEmpty()) { refuse(Lastname_txt); return 1; }
    return 0;
}

int frmAddCust::CheckCustNo() {
    int answer = 0;
    guard(WindowName, "CheckCustNo", [&] {
        const QString number = Trim(custid_lbl->text());
        if (number.isEmpty()) {
            Box::ask(" Please enter a Customer ID.", "Enter Customer ID", Box::Buttons::Ok, Box::Icon::Exclamation,
                     this);
            if (custid_lbl->isEnabled()) {
                custid_lbl->setFocus();
                answer = 1;
                return;
            }
        }
        if (gHandOver.CustNewMode != 0 && customerNumberOnFile(number)) {
            numberAlreadyUsed(this);
            answer = 1;
        }
    });
    return answer;
}

void frmAddCust::Save_cmd_Click() { saveCustomer(); }

bool frmAddCust::saveCustomer() {
    bool saved = false;
    guard(WindowName, "Save_cmd", [&] {
        const bool freeForm = gSettings.FreeformCus != 0;
        if (freeForm && CheckCustNo() == 1) {
            custid_lbl->setFocus();
            return;
        }
        if (check_feilds() == 1) return;
        const QString number = Trim(custid_lbl->text());
        const bool isNew = gHandOver.CustNewMode == 1;
        if (isNew && customerNumberOnFile(number)) {
            // c5 is the same number as C5: the unique key ignores case.
            numberAlreadyUsed(this);
            if (freeForm) custid_lbl->setFocus();
            return;
        }
        ::saveCustomer(customerOnScreen(number));
        // Only now is the customer on file; the box holds the number as stored.
        gHandOver.CustSaved = 1;
        setBoxText(custid_lbl, number);
        Box::ask("Customer details have been saved.", "Saved", Box::Buttons::Ok, Box::Icon::Information, this);
        if (isNew && Opener::has(Windows::frmAddInv) &&
            Box::ask("Do you want to add an invoice to this customer?", "Add Invoice", Box::Buttons::YesNo,
                     Box::Icon::Question, this) == Box::Answer::Yes)
            Add_cmd_Click();
        if (!freeForm && isNew) advanceStartNumber();
        gHandOver.CustNewMode = 0;
        Add_cmd->setEnabled(Opener::has(Windows::frmAddInv));
        inv_frame->setEnabled(true);
        // From now on this is the stored customer: its number no longer changes.
        custid_lbl->setEnabled(false);
        IsDirty = false;
        saved = true;
    });
    return saved;
}

CustomerRecord frmAddCust::customerOnScreen(const QString& number) const {
    CustomerRecord c;
    c.custId = number;
    c.date = DTPicker1->date();
    const std::pair<QString*, QLineEdit*> boxes[] = {
        {&c.lastName, Lastname_txt}, {&c.firstName, FirstName_txt}, {&c.phone, Phone_txt},
        {&c.address, address1}, {&c.address2, address2}, {&c.city, address3}, {&c.address4, address4},
        {&c.postcode, postcode_txt}, {&c.mobile, Mobile_txt}, {&c.fax, Fax_txt}, {&c.email, email_txt},
        {&c.delAddress1, delAddress1}, {&c.delAddress2, delAddress2}, {&c.delAddress3, delAddress3},
        {&c.delAddress4, delAddress4}, {&c.delAddress5, delpostcode}};
    for (const auto& [field, box] : boxes) *field = Trim(box->text());
    c.notes = Trim(Notes_txt->toPlainText());
    return c;
}

void frmAddCust::advanceStartNumber() {
    const QString next = nextStartNumber(custid_lbl->text(), gSettings.CustStart);
    writeCustomerStart(next);
    gSettings.CustStart = next;
}
