#include "invoices/InvoicePrinting.h"
#include "common/ErrorReport.h"
#include "common/Functions.h"
#include "common/SettingsValues.h"
#include "platform/FixedText.h"
#include "platform/MessageBox.h"
#include "platform/Recordset.h"
#include "platform/ShortDate.h"
#include "reports/PaperSize.h"
#include "reports/ReportLayout.h"
#include "reports/ReportPreview.h"
#include <QFileInfo>
#include <QImageReader>

namespace {
const QString CrLf = "\r\n";

// Each non-empty value followed by a line break, the last one without.
QString addressLines(const QStringList& leading, const QString& last) {
    QString block;
    for (const QString& line : leading)
        if (!line.isEmpty()) block += line + CrLf;
    if (!last.isEmpty()) block += last;
    return block;
}

void setCaption(ReportSection& section, const QString& control, const QString& caption) {
    section.control(control).caption = caption;
}

void hide(ReportSection& section, const QStringList& controls) {
    for (const QString& name : controls) section.control(name).visible = false;
}

bool headerInReportHeader(int layout) { return layout == 2 || layout == 4; }

QString companyBlock(int layout, const SettingsValues& s) {
    if (layout == 1) return Trim(s.Address) + CrLf + Trim(contactBlock(s)) + CrLf + Trim(taxText(s));
    return s.Address + CrLf + contactBlock(s) + CrLf + taxText(s);
}

// A value with its blanks made no-break ones, so a line too long for its box
// breaks between two values rather than inside one.
QString keptWhole(const QString& value) { return QString(value).replace(' ', QChar::Nbsp); }

QString lineTotal(const InvoiceOnScreen& screen, int row, const SettingsValues& s) {
    const QString& total = screen.tota1l_txt[size_t(row)];
    if (Trim(total) == "0.00") return QString();
    if (s.TaxEnabled == 1 && screen.tax[size_t(row)] != 1) return total + "*";
    return total;
}

void fillLines(ReportSection& page, const InvoiceOnScreen& screen, const SettingsValues& s) {
    for (int i = 0; i < InvoiceOnScreen::Rows; ++i) {
        const auto row = size_t(i);
        const QString n = QString::number(i);
        setCaption(page, "Parts" + n + "_lbl", screen.PartID_txt[row]);
        setCaption(page, "Qty" + n + "_lbl", screen.Qty_txt[row]);
        setCaption(page, "Description" + n + "_lbl", screen.Desc_txt[row]);
        setCaption(page, "Amount" + n + "_lbl", screen.Amount_txt[row] + " ");
        setCaption(page, "Total" + n + "_lbl", lineTotal(screen, i, s));
    }
}

void fillTotals(ReportSection& page, const InvoiceOnScreen& screen, const SettingsValues& s) {
    const QString currency = s.Currency.text();
    const std::pair<const char*, const QString*> totals[] = {
        {"Subtotal_lbl", &screen.subtotal_txt}, {"Tax_lbl", &screen.vat_txt},
        {"Discount_lbl", &screen.Discount_txt}, {"total11_lbl", &screen.total_txt},
        {"Total10_lbl", &screen.total_txt2},    {"Paid_lbl", &screen.Paid_txt},
        {"wrttenoff_lbl", &screen.Writtenoff_txt}, {"balance_lbl", &screen.Balance_txt}};
    for (const auto& [label, value] : totals) setCaption(page, label, currency + Trim(*value));
}

void fillHeaderFields(ReportSection& fields, int layout, const InvoiceOnScreen& screen, const SettingsValues& s) {
    setCaption(fields, "Invoice1_lbl", screen.Inv_lbl);
    setCaption(fields, "Date1_lbl", screen.Date_txt.isValid() ? shortDate(screen.Date_txt) : QString());
    setCaption(fields, "CustNo_lbl", screen.Cust_lbl);
    setCaption(fields, "CustName_lbl", screen.Customername_lbl);

    struct Optional { const char* value; const char* caption; const QString& text; const QString& label; int shown; };
    const Optional optional[] = {
        {"SalesPerson_lbl", "Sales_lbl", screen.SalesPerson_txt, screen.SalesPerson_lbl, s.Text1Visible},
        {"Shipping2_lbl", "Shipping_lbl", screen.SalesOrder_txt, screen.SalesOrder_lbl, s.Text2Visible},
        {"SalesNO1_lbl", "SalesNO_lbl", screen.Shipped_txt, screen.Shipped_lbl, s.Text3Visible},
        {"TrackNo_lbl", "Tracking_lbl", screen.TrackingNo_txt, screen.TrackingNo_lbl, s.Text4Visible}};
    const QString colon = headerInReportHeader(layout) ? ":" : "";
    for (const auto& field : optional) setCaption(fields, field.value, field.text);
    for (const auto& field : optional) setCaption(fields, field.caption, field.label + colon);
    for (const auto& field : optional) {
        fields.control(field.value).visible = field.shown == 1;
        fields.control(field.caption).visible = field.shown == 1;
    }
}
}

CustomerAddress lookUpCustomerAddress(const QString& custId) {
    CustomerAddress a;
    TableSource = "customers";
    Recordset rs(TableSource);
    rs.setIndex("CUSTID");
    if (rs.seek(custId)) {
        a.Address = Field_To_String(rs["Address"]);
        a.Address2 = Field_To_String(rs["Address2"]);
        a.city = Field_To_String(rs["city"]);
        a.Address4 = Field_To_String(rs["Address4"]);
        a.Postcode = Field_To_String(rs["Postcode"]);
        for (int i = 0; i < 5; ++i) a.DelAddress[size_t(i)] = Field_To_String(rs[QString("DelAddress%1").arg(i + 1)]);
    }
    rs.close();
    return a;
}

QString billingBlock(const CustomerAddress& a) {
    return addressLines({a.Address, a.Address2, a.city, a.Address4}, a.Postcode);
}

QString deliveryBlock(const CustomerAddress& a) {
    return addressLines({a.DelAddress[0], a.DelAddress[1], a.DelAddress[2], a.DelAddress[3]}, a.DelAddress[4]);
}

QString contactBlock(const SettingsValues& s) {
    QString block;
    if (!s.Phone.trimmed().isEmpty()) block = keptWhole("Phone: " + s.Phone.trimmed());
    if (!s.Mobile.trimmed().isEmpty()) block += "  " + keptWhole("Mobile: " + s.Mobile.trimmed());
    if (!s.Email.trimmed().isEmpty()) block += CrLf + "Email: " + s.Email.trimmed();
    if (!s.Web.trimmed().isEmpty()) block += CrLf + "Web: " + s.Web.trimmed();
    return block;
}

QString taxText(const SettingsValues& s) {
    return s.TaxEnabled == 1 ? s.TaxName.trimmed() + " No: " + s.TaxNo.trimmed() : QString();
}

void checkLogoFound(QWidget* owner) {
    if (gSettings.logopath.isEmpty() || QFileInfo::exists(gSettings.logopath)) return;
    Box::ask("Logo cannot be found", "Logo!", Box::Buttons::Ok, Box::Icon::Information, owner);
    gSettings.logopath.clear();
}

QImage readLogo(const QString& path) {
    if (path.isEmpty()) return QImage();
    QImageReader reader(path);
    reader.setAutoTransform(true);
    return reader.read();
}

void sayLogoNotLoaded(const QString& document, QWidget* owner) {
    Box::ask(QString("The logo picture cannot be loaded; the %1 prints without it.").arg(document), "Logo!",
             Box::Buttons::Ok, Box::Icon::Information, owner);
}

ReportDesign createInvoiceLayout(int layout, const QString& logoPath, bool* logoLoaded) {
    ReportDesign design = ReportDesign::load(QString("Invoice%1_rpt").arg(layout));
    const QImage logo = readLogo(logoPath);
    design.section("Section4").control("Image1").picture = logo;
    if (logoLoaded) *logoLoaded = !logo.isNull();
    return design;
}

void fillInvoiceLayout(ReportDesign& design, int layout, const InvoiceOnScreen& screen, const SettingsValues& s,
                       const CustomerAddress& customer, bool a4) {
    ReportSection& header = design.section("Section4");
    ReportSection& page = design.section("Section2");
    if (a4) {
        design.rightMargin = 1000;
        design.topMargin = 1300;
        header.height = 4500;
    }
    if (s.includestatement == 1) setCaption(page, "statment_lbl", s.Statement);
    if (s.includeshipping == 0) hide(header, {"ShippingAdd", "shippingShape", "shipping1_lbl"});
    setCaption(page, "taxname_lbl", screen.vat_lbl);
    setCaption(header, "Invoice_lbl", "INVOICE - " + screen.Inv_lbl);
    setCaption(header, "companyname_lbl", layout == 1 ? s.BusinessName.trimmed() : s.BusinessName.text());
    setCaption(header, "Companyadd", companyBlock(layout, s));
    setCaption(header, "BillingAdd", screen.Customername_lbl + CrLf + billingBlock(customer));
    setCaption(header, "ShippingAdd", screen.Customername_lbl + CrLf + deliveryBlock(customer));
    if (s.TaxEnabled == 0) hide(page, {"taxable_lbl"});
    fillLines(page, screen, s);
    if (screen.Notes_chk == 1) setCaption(page, "Notes_lbl", "Notes:" + CrLf + screen.Notes_txt);
    fillTotals(page, screen, s);
    fillHeaderFields(headerInReportHeader(layout) ? header : page, layout, screen, s);
    if (s.includeterms == 1) setCaption(page, "Terms_lbl", s.Terms1);
    else hide(page, {"Terms_lbl", "Shape1"});
}

void Print_Invoice(const InvoiceOnScreen& screen, QWidget* owner) {
    guard("frmAddInv", "Print_Invoice", [&] {
        checkLogoFound(owner);
        const QPageSize paper = currentPaperSize();
        const int paperCode = paperSizeCode(paper);
        if (paperCode != 1 && paperCode != 9) {
            Box::ask("Please change the paper size on your printer to 'Letter' or 'A4'", "Change Paper Size",
                     Box::Buttons::Ok, Box::Icon::Exclamation, owner);
            return;
        }
        const CustomerAddress customer = lookUpCustomerAddress(screen.Cust_lbl);

        // The number is bound, not pasted: a quote in a free-form number still prints.
        ShapeSql = "SHAPE {SELECT * FROM invoices where invno = ?} ";
        ShapeRsRelease release(ShapeRs);
        Open_Shape_Recordset(ShapeSql, {screen.Inv_lbl}, ShapeRs);

        const auto layout = invoiceLayoutNumber(gSettings.InvoiceType);
        if (!layout) return;
        bool logoLoaded = false;
        ReportDesign design = createInvoiceLayout(*layout, gSettings.logopath, &logoLoaded);
        if (!gSettings.logopath.isEmpty() && !logoLoaded) sayLogoNotLoaded("invoice", owner);
        fillInvoiceLayout(design, *layout, screen, gSettings, customer, paperCode == 9);
        const ReportPages pages = layoutReport(design, ShapeRs.get(), paper);
        showReportPreview(pages, "INVOICE - " + screen.Inv_lbl, owner);
    });
}
