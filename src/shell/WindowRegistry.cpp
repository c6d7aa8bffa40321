#include "shell/WindowRegistry.h"
#include "common/Opener.h"
#include "invoices/frmAddInv.h"
#include "settings/frmCustomerSet.h"
#include "settings/frmInvoiceSet.h"
#include "settings/frmOptions.h"

void registerWindows() {
    Opener::add("frmAddInv", [](QWidget* o) { return new frmAddInv(o); });
    Opener::add("frmOptions", [](QWidget* o) { return new frmOptions(o); });
    Opener::add("frmInvoiceSet", [](QWidget* o) { return new frmInvoiceSet(o); });
    Opener::add("frmCustomerSet", [](QWidget* o) { return new frmCustomerSet(o); });
}
