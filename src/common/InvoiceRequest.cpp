#include "common/InvoiceRequest.h"
#include "common/HandOver.h"
#include "common/Opener.h"
#include "common/WindowNames.h"

void requestNewInvoice(const QString& custId, const QString& firstName, const QString& lastName,
                       const QString& phone) {
    gHandOver.InvEditMode = 0;
    gHandOver.InvCustID = custId;
    gHandOver.InvCustFirstName = firstName;
    gHandOver.InvCustLastName = lastName;
    gHandOver.InvCustPhone = phone;
}

void requestInvoiceEdit(const QString& invNo) {
    gHandOver.InvEditMode = 1;
    gHandOver.InvToEdit = invNo;
}

void editStoredInvoice(const QString& invNo, QWidget* owner, const std::function<void()>& saved) {
    if (!Opener::has(Windows::frmAddInv)) return;
    requestInvoiceEdit(invNo);
    Opener::show(Windows::frmAddInv, owner);
    if (gHandOver.InvSaved != 1) return;
    saved();
    gHandOver.InvSaved = 0;
}
