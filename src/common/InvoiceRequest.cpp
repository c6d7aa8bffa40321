#include "common/InvoiceRequest.h"
#include "common/HandOver.h"

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
