#include "shell/WindowRegistry.h"
#include "common/Opener.h"
#include "customers/frmAddCust.h"
#include "customers/frmsearchCust.h"
#include "invoices/frmAddInv.h"
#include "settings/frmCustomerSet.h"
#include "settings/frmInvoiceSet.h"
#include "settings/frmOptions.h"
#include "settings/frm_setup.h"
#include "shell/Backup.h"
#include "shell/Help_frm.h"
#include "shell/frmBrowser.h"

void registerWindows() {
    Opener::add("frm_setup", [](QWidget* o) { return new frm_setup(o); });
    Opener::addCommand("Backup", MnuSave_Click);
    Opener::addCommand("Restore", mnurestore_Click);
    Opener::add("Help_frm", [](QWidget* o) { return new Help_frm(o); });
    Opener::add("frmBrowser", [](QWidget* o) { return new frmBrowser(o); });
    Opener::add("frmAddCust", [](QWidget* o) { return new frmAddCust(o); });
    Opener::add("frmsearchCust", [](QWidget* o) { return new frmsearchCust(o); });
    Opener::add("frmAddInv", [](QWidget* o) { return new frmAddInv(o); });
    Opener::add("frmOptions", [](QWidget* o) { return new frmOptions(o); });
    Opener::add("frmInvoiceSet", [](QWidget* o) { return new frmInvoiceSet(o); });
    Opener::add("frmCustomerSet", [](QWidget* o) { return new frmCustomerSet(o); });
}
