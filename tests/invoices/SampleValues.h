#pragma once
// The sample invoice: a company with tax on, one taxed line, every header
// field filled, and its customer. Shared by the printing tests and
// tools/render_invoices; LongestValues.h makes its longest form.
#include "common/SettingsValues.h"
#include "invoices/InvoicePrinting.h"

inline SettingsValues sampleSettings() {
    SettingsValues s;
    s.BusinessName = QString("Kelm Garden Supplies");
    s.Address = "12 Orchard Lane\r\nLittle Hampton";
    s.Phone = QString("01903 555 123");
    s.Mobile = QString("07700 900 456");
    s.Email = QString("accounts@kelm.example");
    s.Web = QString("www.kelm.example");
    s.TaxEnabled = 1;
    s.TaxName = QString("VAT");
    s.TaxNo = QString("GB 123");
    s.Currency = QString("$");
    s.includeshipping = 1;
    s.includeterms = 1;
    s.includestatement = 1;
    s.Statement = "Thank you";
    s.Terms1 = "30 days";
    s.Text1Visible = s.Text2Visible = s.Text3Visible = s.Text4Visible = 1;
    s.InvoiceType = "1";
    return s;
}

inline InvoiceOnScreen sampleScreen() {
    InvoiceOnScreen inv;
    inv.Inv_lbl = "INV1";
    inv.Cust_lbl = "C1";
    inv.Customername_lbl = "Jane Doe";
    inv.Date_txt = QDate(2026, 3, 14);
    inv.SalesPerson_txt = "Tom";
    inv.SalesOrder_txt = "SO-7";
    inv.Shipped_txt = "Courier";
    inv.TrackingNo_txt = "TRK5";
    inv.SalesPerson_lbl = "Sales Person";
    inv.SalesOrder_lbl = "Sales Order";
    inv.Shipped_lbl = "Shipped Via";
    inv.TrackingNo_lbl = "Tracking No";
    for (auto& t : inv.tota1l_txt) t = "      0.00";
    inv.PartID_txt[0] = "P001";
    inv.Qty_txt[0] = "2";
    inv.Desc_txt[0] = "Pot";
    inv.Amount_txt[0] = "     12.50";
    inv.tota1l_txt[0] = "     25.00";
    inv.tax[0] = 1;
    inv.Notes_txt = "Side gate";
    inv.vat_lbl = "VAT 20%";
    inv.subtotal_txt = "     25.00";
    inv.vat_txt = "      5.00";
    inv.Discount_txt = "      0.00";
    inv.total_txt = "     30.00";
    inv.total_txt2 = "     30.00";
    inv.Paid_txt = "      0.00";
    inv.Writtenoff_txt = "      0.00";
    inv.Balance_txt = "     30.00";
    return inv;
}

inline CustomerAddress sampleCustomer() {
    CustomerAddress a;
    a.Address = "4 Mill Road";
    a.Address2 = "Ashington";
    a.city = "Pulborough";
    a.Postcode = "RH20 3AA";
    a.DelAddress = {"Unit 7", "", "", "", "RH20 4BB"};
    return a;
}
