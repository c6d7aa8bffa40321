#pragma once
// The longest values the editors accept, every text as long as its box in the
// settings or in the invoice editor lets it be: what each invoice layout must
// print whole, with its blanks, as unbroken words or as runs of the font's
// widest letter. Shared by the printing tests and the render tools.
#include "common/SettingsValues.h"
#include "invoices/InvoicePrinting.h"
#include "reports/ReportLayout.h"
#include "reports/ReportTextFit.h"
#include <QFontMetricsF>

namespace longest {

// Whether the values have their blanks, or run together as one word a line
// (an e-mail address, a long reference), so that the print must break them
// inside; or are made of nothing but the widest letter of the font they print
// in, the hardest of all to fit.
enum class Words { Spaced, Unbroken, Widest };

// Stands for the widest letter in a sample: which letter that is depends on
// the font of the box a text prints in, so widen() puts it in once the texts
// are placed.
inline const QChar WidestMark(0xE000);

// The text with the blanks of each of its lines taken out and the line's
// characters repeated to its length again, in capitals: wider than small
// letters, so the hardest to fit.
inline QString unbroken(const QString& text) {
    QStringList lines = text.split("\r\n");
    for (QString& line : lines) {
        QString run = line.toUpper().remove(' ');
        while (!run.isEmpty() && run.size() < line.size()) run += run;
        line = run.left(line.size());
    }
    return lines.join("\r\n");
}

// Each line of the text as a run of WidestMark as long as the line.
inline QString widest(const QString& text) {
    QStringList lines = text.split("\r\n");
    for (QString& line : lines) line = QString(line.size(), WidestMark);
    return lines.join("\r\n");
}

inline QString in(Words words, const QString& text) {
    switch (words) {
    case Words::Unbroken: return unbroken(text);
    case Words::Widest: return widest(text);
    default: return text;
    }
}

// A number, code or address kept as it is in the other samples.
inline QString key(Words words, const QString& text) { return words == Words::Widest ? widest(text) : text; }

// Of the printable characters a keyboard types (those of Latin-1), the one
// that is widest in the font at the smallest size a text is set in, where a
// text that does not fit is cut.
inline QChar widestCharacter(const ReportFont& font) {
    const QFontMetricsF& metrics = reportFontMetrics(font, SmallestPointSize);
    QChar widest(' ');
    for (char16_t u = 0x21; u <= 0xFF; ++u) {
        if (u >= 0x7F && u <= 0xA0) continue;
        if (metrics.horizontalAdvance(QChar(u)) > metrics.horizontalAdvance(widest)) widest = QChar(u);
    }
    return widest;
}

// Every WidestMark on the pages made the widest letter of the font its text
// prints in.
inline void widen(ReportPages& pages) {
    for (ReportPage& page : pages.pages)
        for (PlacedItem& item : page.items)
            if (item.text.contains(WidestMark)) item.text.replace(WidestMark, widestCharacter(item.control().font));
}

// The company, tax and invoice look settings of s at their longest, and the
// reminder letter's texts.
inline SettingsValues settings(SettingsValues s, Words words = Words::Spaced) {
    const auto w = [words](const QString& text) { return in(words, text); };
    s.BusinessName = w("Wetherington Garden Centre Ltd");
    // Five lines: 150 characters as the address box counts them, one for each line end.
    s.Address = w("Unit 14, Wetherington Business\r\nPark, Montgomery Industrial Es\r\n"
                  "Great Wetherington-on-the-Wold\r\nWorcestershire and Warwickshir\r\nWR14 9WW, Great Britain UK");
    s.Phone = w("+44 (0)1903 555 123 ext. 45678");
    s.Mobile = w("+44 (0)7700 900 456 / 900 4578");
    s.Email = key(words, "accounts.receivable@kelm.co.uk");
    s.Web = key(words, "https://www.kelm-gardens.co.uk");
    s.TaxName = w("Excise Tax");
    s.TaxNo = w("GB 123 4567 89 0001A");
    s.Currency = key(words, QString::fromUtf8("£"));
    s.Statement =
        w("Thank you for your business. Every invoice is payable in full within thirty days of its date, thanks");
    s.Terms1 = w("Payment within 30 days of the invoice date. Please quote the invoice number with your payment. "
                 "Goods remain our property until paid in full. Interest is charged on overdue balances at 2% a "
                 "month, sir.");
    const QString reminder = w("We have not been able to register payment for the invoice listed above and assume "
                               "there has been an oversight. We would appreciate payment in the coming days. If you "
                               "have paid in the last few days, please accept our thanks and disregard this letter, "
                               "sir.")
                                 .left(250);
    s.Reminder1 = s.Reminder2 = s.Reminder3 = reminder;
    return s;
}

// The invoice on the screen with every box filled to its limit, all eight rows used.
inline InvoiceOnScreen invoice(InvoiceOnScreen inv, Words words = Words::Spaced) {
    const auto w = [words](const QString& text) { return in(words, text); };
    inv.Inv_lbl = key(words, "INV000012345");
    inv.Cust_lbl = key(words, "CUS000012345");
    inv.Customername_lbl = w("Bartholomew Fitzgerald-Montgomery Wetheringto");
    inv.SalesPerson_txt = w("Wilhelmina Worthings");
    inv.SalesOrder_txt = key(words, "SO-2026-000123-00045");
    inv.Shipped_txt = w("Overnight Courier UK");
    inv.TrackingNo_txt = key(words, "TRK-WW-000123-456789");
    inv.SalesPerson_lbl = w("Sales Representative");
    inv.SalesOrder_lbl = w("Purchase Order Ref 1");
    inv.Shipped_lbl = w("Shipping Carrier Ref");
    inv.TrackingNo_lbl = w("Parcel Tracking Ref.");
    for (int i = 0; i < InvoiceOnScreen::Rows; ++i) {
        const auto row = size_t(i);
        inv.PartID_txt[row] = key(words, QString("MW-TER-%1").arg(i, 5, 10, QChar('0')));
        inv.Qty_txt[row] = "9999";
        inv.Desc_txt[row] = w("Terracotta planter, hand thrown, frost proof, with drainage holes and matching "
                              "saucer, extra large, glazed in deep blue ");
        inv.Amount_txt[row] = "9999999.99";
        inv.tota1l_txt[row] = "9999999.99";
        inv.tax[row] = i % 2;
    }
    inv.Notes_chk = 1;
    inv.Notes_txt = w("Deliver to the side gate between eight and ten in the morning; ring the bell twice and wait. "
                      "Leave nothing with the neighbours at number 12 thank you.");
    inv.vat_lbl = w("Excise Tax") + " 17.5%";
    for (QString* total : {&inv.subtotal_txt, &inv.vat_txt, &inv.Discount_txt, &inv.total_txt, &inv.total_txt2,
                           &inv.Paid_txt, &inv.Writtenoff_txt, &inv.Balance_txt})
        *total = "9999999.99";
    return inv;
}

// A customer whose every address line is as long as the customer editor takes.
inline CustomerAddress customer(Words words = Words::Spaced) {
    const auto w = [words](const QString& text) { return in(words, text); };
    CustomerAddress a;
    a.Address = w("Flat 12, Wetherington Mansions");
    a.Address2 = w("147 Montgomery Worthington Rd.");
    a.city = w("Great Wetherington-upon-Severn");
    a.Address4 = w("Worcestershire and Warwickshir");
    a.Postcode = w("WR14 9WW Worcester 1");
    a.DelAddress = {a.Address, a.Address2, a.city, a.Address4, w("WR14 9WW, Worcester, Worcs. UK")};
    return a;
}

}  // namespace longest
