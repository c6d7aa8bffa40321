#pragma once
#include <QString>
#include <array>

// The names windows and commands open each other by, in one place, so a
// misspelt name cannot pass for a window that is simply not there yet.
namespace Windows {
inline constexpr const char* frm_setup = "frm_setup";
inline constexpr const char* frmOptions = "frmOptions";
inline constexpr const char* frmInvoiceSet = "frmInvoiceSet";
inline constexpr const char* frmCustomerSet = "frmCustomerSet";
inline constexpr const char* Help_frm = "Help_frm";
inline constexpr const char* frmBrowser = "frmBrowser";
inline constexpr const char* frmCustomer = "frmCustomer";
inline constexpr const char* frmAddCust = "frmAddCust";
inline constexpr const char* frmsearchCust = "frmsearchCust";
inline constexpr const char* frm_Parts = "frm_Parts";
inline constexpr const char* frm_AddPart = "frm_AddPart";
inline constexpr const char* frmInvoice = "frmInvoice";
inline constexpr const char* frmAddInv = "frmAddInv";
inline constexpr const char* frmDebtor = "frmDebtor";
inline constexpr const char* frmReports = "frmReports";
inline constexpr const char* FrmExport = "FrmExport";
// Commands: procedures, not windows.
inline constexpr const char* Backup = "Backup";
inline constexpr const char* Restore = "Restore";

inline constexpr std::array all = {frm_setup,   frmOptions, frmInvoiceSet, frmCustomerSet, Help_frm,
                                   frmBrowser,  frmCustomer, frmAddCust,   frmsearchCust,  frm_Parts,
                                   frm_AddPart, frmInvoice, frmAddInv,     frmDebtor,      frmReports,
                                   FrmExport,   Backup,     Restore};

inline bool known(const QString& name) {
    for (const char* n : all)
        if (name == QLatin1String(n)) return true;
    return false;
}
}  // namespace Windows
