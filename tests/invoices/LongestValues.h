#pragma once
// The longest values the editors accept, every text as long as its box in the
// settings or in the invoice editor lets it be: what each invoice layout must
// print whole. Shared by the printing tests and tools/render_invoices.
#include "common/SettingsValues.h"
#include "invoices/InvoicePrinting.h"

namespace longest {

// The company, tax and invoice look settings of s at their longest.
inline SettingsValues settings(SettingsValues s) {
    s.BusinessName = QString("Wetherington Garden Centre Ltd");
    // Five lines: 150 characters as the address box counts them, one for each line end.
    s.Address = "Unit 14, Wetherington Business\r\nPark, Montgomery Industrial Es\r\nGreat Wetherington-on-the-Wold\r\n"
                "Worcestershire and Warwickshir\r\nWR14 9WW, Great Britain UK";
    s.Phone = QString("+44 (0)1903 555 123 ext. 45678");
    s.Mobile = QString("+44 (0)7700 900 456 / 900 4578");
    s.Email = QString("accounts.receivable@kelm.co.uk");
    s.Web = QString("https://www.kelm-gardens.co.uk");
    s.TaxName = QString("Excise Tax");
    s.TaxNo = QString("GB 123 4567 89 0001A");
    s.Currency = QString::fromUtf8("£");
    s.Statement =
        "Thank you for your business. Every invoice is payable in full within thirty days of its date, thanks";
    s.Terms1 = "Payment within 30 days of the invoice date. Please quote the invoice number with your payment. Goods "
               "remain our property until paid in full. Interest is charged on overdue balances at 2% a month, sir.";
    return s;
}

// The invoice on the screen with every box filled to its limit, all eight rows used.
inline InvoiceOnScreen invoice(InvoiceOnScreen inv) {
    inv.Inv_lbl = "INV000012345";
    inv.Cust_lbl = "CUS000012345";
    inv.Customername_lbl = "Bartholomew Fitzgerald-Montgomery Wetheringto";
    inv.SalesPerson_txt = "Wilhelmina Worthings";
    inv.SalesOrder_txt = "SO-2026-000123-00045";
    inv.Shipped_txt = "Overnight Courier UK";
    inv.TrackingNo_txt = "TRK-WW-000123-456789";
    inv.SalesPerson_lbl = "Sales Representative";
    inv.SalesOrder_lbl = "Purchase Order Ref 1";
    inv.Shipped_lbl = "Shipping Carrier Ref";
    inv.TrackingNo_lbl = "Parcel Tracking Ref.";
    for (int i = 0; i < InvoiceOnScreen::Rows; ++i) {
        const auto row = size_t(i);
        inv.PartID_txt[row] = QString("MW-TER-%1").arg(i, 5, 10, QChar('0'));
        inv.Qty_txt[row] = "9999";
        inv.Desc_txt[row] = "Terracotta planter, hand thrown, frost proof, with drainage holes and matching "
                            "saucer, extra large, glazed in deep blue ";
        inv.Amount_txt[row] = "9999999.99";
        inv.tota1l_txt[row] = "9999999.99";
        inv.tax[row] = i % 2;
    }
    inv.Notes_chk = 1;
    inv.Notes_txt = "Deliver to the side gate between eight and ten in the morning; ring the bell twice and wait. "
                    "Leave nothing with the neighbours at number 12 thank you.";
    inv.vat_lbl = "Excise Tax 17.5%";
    for (QString* total : {&inv.subtotal_txt, &inv.vat_txt, &inv.Discount_txt, &inv.total_txt, &inv.total_txt2,
                           &inv.Paid_txt, &inv.Writtenoff_txt, &inv.Balance_txt})
        *total = "9999999.99";
    return inv;
}

// A customer whose every address line is as long as the customer editor takes.
inline CustomerAddress customer() {
    CustomerAddress a;
    a.Address = "Flat 12, Wetherington Mansions";
    a.Address2 = "147 Montgomery Worthington Rd.";
    a.city = "Great Wetherington-upon-Severn";
    a.Address4 = "Worcestershire and Warwickshir";
    a.Postcode = "WR14 9WW Worcester 1";
    a.DelAddress = {a.Address, a.Address2, a.city, a.Address4, "WR14 9WW, Worcester, Worcs. UK"};
    return a;
}

}  // namespace longest
