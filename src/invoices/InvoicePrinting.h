#pragma once
#include "reports/ReportDesign.h"
#include <QDate>
#include <QImage>
#include <QString>
#include <array>
#include <optional>

class QWidget;
struct SettingsValues;

// What the invoice editor shows at the moment it prints, named after its
// controls: texts as the controls hold them, tick boxes as 0 or 1.
struct InvoiceOnScreen {
    static constexpr int Rows = 8;

    QString Inv_lbl;                  // invoice number
    QString Cust_lbl;                 // customer number
    QString Customername_lbl;
    QDate Date_txt;

    // The four optional header fields and their captions.
    QString SalesPerson_txt, SalesOrder_txt, Shipped_txt, TrackingNo_txt;
    QString SalesPerson_lbl, SalesOrder_lbl, Shipped_lbl, TrackingNo_lbl;

    std::array<QString, Rows> PartID_txt, Qty_txt, Desc_txt, Amount_txt, tota1l_txt;
    std::array<int, Rows> tax{};

    int Notes_chk = 0;
    QString Notes_txt;

    QString vat_lbl;                  // tax name, rate and "%"
    QString subtotal_txt, vat_txt, Discount_txt, total_txt;
    QString total_txt2, Paid_txt, Writtenoff_txt, Balance_txt;
};

// The customer's address columns the invoice prints; empty when there is no such customer.
struct CustomerAddress {
    QString Address, Address2, city, Address4, Postcode;
    std::array<QString, 5> DelAddress;
};

// Looks the customer up by number in the customers table.
CustomerAddress lookUpCustomerAddress(const QString& custId);

QString billingBlock(const CustomerAddress& a);
QString deliveryBlock(const CustomerAddress& a);
// The company's phone and mobile on one line, each kept whole where the line
// must break, then its e-mail and web address on lines of their own.
QString contactBlock(const SettingsValues& s);
// The tax name and number, trimmed; empty with tax off.
QString taxText(const SettingsValues& s);

// The logo checks of every printed document. A logo named in the settings
// whose file is missing says "Logo cannot be found" and is forgotten for the
// rest of the run.
void checkLogoFound(QWidget* owner);
// The picture of a logo file; a null picture when the path is empty or the
// file does not load as a picture.
QImage readLogo(const QString& path);
// Says that the logo named in the settings cannot be loaded and that the
// document ("invoice", "letter") prints without it.
void sayLogoNotLoaded(const QString& document, QWidget* owner);

// The layout as designed, with the logo from the path, when it loads, in Image1.
ReportDesign createInvoiceLayout(int layout, const QString& logoPath, bool* logoLoaded = nullptr);

// Fills the layout's captions and visibility from the screen and the
// settings; on A4 paper also its right and top margins and the report
// header's height.
void fillInvoiceLayout(ReportDesign& design, int layout, const InvoiceOnScreen& screen, const SettingsValues& s,
                       const CustomerAddress& customer, bool a4);

// The editor's Print: checks the logo and the paper, fills the layout that
// the settings choose and shows it as a preview owned by the editor. The
// invoice's rows, read into the shared record set, are let go when the
// preview closes.
void Print_Invoice(const InvoiceOnScreen& screen, QWidget* owner);
