#include "shell/WindowRegistry.h"
#include "common/Opener.h"
#include "common/WindowNames.h"
#include "customers/frmAddCust.h"
#include "customers/frmCustomer.h"
#include "customers/frm_AddPart.h"
#include "customers/frm_Parts.h"
#include "customers/frmsearchCust.h"
#include "debtors/FrmExport.h"
#include "debtors/frmReports.h"
#include "debtors/frmDebtor.h"
#include "invoices/frmAddInv.h"
#include "invoices/frmInvoice.h"
#include "settings/frmCustomerSet.h"
#include "settings/frmInvoiceSet.h"
#include "settings/frmOptions.h"
#include "settings/frm_setup.h"
#include "shell/Backup.h"
#include "shell/Help_frm.h"
#include "shell/frmBrowser.h"

void registerWindows() {
    Opener::add(Windows::frm_setup, [](QWidget* o) { return new frm_setup(o); });
    Opener::addCommand(Windows::Backup, MnuSave_Click);
    Opener::addCommand(Windows::Restore, mnurestore_Click);
    Opener::add(Windows::Help_frm, [](QWidget* o) { return new Help_frm(o); });
    Opener::add(Windows::frmBrowser, [](QWidget* o) { return new frmBrowser(o); });
    Opener::add(Windows::frmAddCust, [](QWidget* o) { return new frmAddCust(o); });
    Opener::add(Windows::frmsearchCust, [](QWidget* o) { return new frmsearchCust(o); });
    Opener::add(Windows::frmAddInv, [](QWidget* o) { return new frmAddInv(o); });
    Opener::add(Windows::frmCustomer, [](QWidget* o) { return new frmCustomer(o); });
    Opener::add(Windows::frmInvoice, [](QWidget* o) { return new frmInvoice(o); });
    Opener::add(Windows::frmOptions, [](QWidget* o) { return new frmOptions(o); });
    Opener::add(Windows::frmInvoiceSet, [](QWidget* o) { return new frmInvoiceSet(o); });
    Opener::add(Windows::frmCustomerSet, [](QWidget* o) { return new frmCustomerSet(o); });
    Opener::add(Windows::frm_Parts, [](QWidget* o) { return new frm_Parts(o); });
    Opener::add(Windows::frm_AddPart, [](QWidget* o) { return new frm_AddPart(o); });
    Opener::add(Windows::FrmExport, [](QWidget* o) { return new FrmExport(o); });
    Opener::add(Windows::frmReports, [](QWidget* o) { return new frmReports(o); });
    Opener::add(Windows::frmDebtor, [](QWidget* o) { return new frmDebtor(o); });
}
