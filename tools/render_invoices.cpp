// Renders each of the six invoice layouts to PDF on Letter and on A4, filled
// once from a sample invoice (invoice<N>-letter.pdf, invoice<N>-a4.pdf) and
// with the longest values the editors accept, once with their blanks
// (invoice<N>-letter-long.pdf, invoice<N>-a4-long.pdf) and once as unbroken
// words (invoice<N>-letter-unbroken.pdf, ...), in the folder named on the
// command line (the current folder when none). It names every text that
// prints cut.
#include "common/SettingsValues.h"
#include "invoices/InvoicePrinting.h"
#include "invoices/LongestValues.h"
#include "reports/ReportLayout.h"
#include "reports/ReportPainter.h"
#include <QDir>
#include <QGuiApplication>
#include <QPainter>
#include <QTemporaryDir>
#include <cstdio>

namespace {
SettingsValues sampleSettings(const QString& logoPath) {
    SettingsValues s;
    s.BusinessName = QString("Kelm Garden Supplies");
    s.Address = "12 Orchard Lane\r\nLittle Hampton\r\nWest Sussex BN17 5AB";
    s.Phone = QString("01903 555 123");
    s.Mobile = QString("07700 900 456");
    s.Email = QString("accounts@kelm.example");
    s.Web = QString("www.kelm.example");
    s.TaxEnabled = 1;
    s.TaxName = QString("VAT");
    s.TaxNo = QString("GB 123 4567 89");
    s.Currency = QString::fromUtf8("£");
    s.includeshipping = 1;
    s.includeterms = 1;
    s.includestatement = 1;
    s.Statement = "Thank you for your business.";
    s.Terms1 = "Payment within 30 days of the invoice date.\r\nPlease quote the invoice number with your payment.";
    s.Text1Visible = s.Text2Visible = s.Text3Visible = s.Text4Visible = 1;
    s.logopath = logoPath;
    return s;
}

InvoiceOnScreen sampleInvoice() {
    InvoiceOnScreen inv;
    inv.Inv_lbl = "INV000123";
    inv.Cust_lbl = "CUS000042";
    inv.Customername_lbl = "Jane O'Neill";
    inv.Date_txt = QDate(2026, 3, 14);
    inv.SalesPerson_txt = "Tom";
    inv.SalesOrder_txt = "SO-778";
    inv.Shipped_txt = "Courier";
    inv.TrackingNo_txt = "TRK55501";
    inv.SalesPerson_lbl = "Sales Person";
    inv.SalesOrder_lbl = "Sales Order";
    inv.Shipped_lbl = "Shipped Via";
    inv.TrackingNo_lbl = "Tracking No";
    const char* lines[][5] = {{"P001", "2", "Terracotta pot, large", "     12.50", "     25.00"},
                              {"P017", "1", "Garden hose 30 m", "     19.99", "     19.99"},
                              {"P020", "10", "Seed tray", "      1.20", "     12.00"}};
    for (auto& row : inv.tota1l_txt) row = "      0.00";
    for (int i = 0; i < 3; ++i) {
        inv.PartID_txt[size_t(i)] = lines[i][0];
        inv.Qty_txt[size_t(i)] = lines[i][1];
        inv.Desc_txt[size_t(i)] = lines[i][2];
        inv.Amount_txt[size_t(i)] = lines[i][3];
        inv.tota1l_txt[size_t(i)] = lines[i][4];
    }
    inv.tax = {1, 1, 0, 0, 0, 0, 0, 0};
    inv.Notes_chk = 1;
    inv.Notes_txt = "Deliver to the side gate.";
    inv.vat_lbl = "VAT 20%";
    inv.subtotal_txt = "     56.99";
    inv.vat_txt = "      9.00";
    inv.Discount_txt = "      0.00";
    inv.total_txt = "     65.99";
    inv.total_txt2 = "     65.99";
    inv.Paid_txt = "     20.00";
    inv.Writtenoff_txt = "      0.00";
    inv.Balance_txt = "     45.99";
    return inv;
}

CustomerAddress sampleCustomer() {
    CustomerAddress a;
    a.Address = "4 Mill Road";
    a.Address2 = "Ashington";
    a.city = "Pulborough";
    a.Postcode = "RH20 3AA";
    a.DelAddress = {"Unit 7, Downs Park", "Storrington", "", "", "RH20 4BB"};
    return a;
}

// Names the texts that print cut, ending in the mark, because even the
// smallest size is too big for their box.
void reportCutTexts(const ReportPages& pages, const QString& file) {
    for (const ReportPage& page : pages.pages)
        for (const PlacedItem& item : page.items)
            if (fittedText(page, item).cut)
                std::printf("%s: %s is cut: \"%s\"\n", qPrintable(file), qPrintable(item.control().name),
                            qPrintable(QString(item.text).replace("\r\n", " / ")));
}

QString sampleLogo(const QTemporaryDir& dir) {
    QImage logo(240, 200, QImage::Format_RGB32);
    logo.fill(Qt::white);
    QPainter p(&logo);
    p.setRenderHint(QPainter::Antialiasing);
    p.setBrush(QColor("#2E7D32"));
    p.setPen(Qt::NoPen);
    p.drawEllipse(QRect(30, 10, 180, 180));
    p.setPen(Qt::white);
    p.setFont(QFont("Liberation Sans", 60, QFont::Bold));
    p.drawText(logo.rect(), Qt::AlignCenter, "K");
    p.end();
    const QString path = dir.filePath("logo.png");
    logo.save(path);
    return path;
}
}

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    const QDir out(argc > 1 ? QString::fromLocal8Bit(argv[1]) : QDir::currentPath());
    if (!out.exists() && !QDir().mkpath(out.path())) {
        std::fprintf(stderr, "Cannot make the folder %s\n", qPrintable(out.path()));
        return 1;
    }
    QTemporaryDir scratch;
    const QString logo = sampleLogo(scratch);
    const struct { const char* suffix; SettingsValues settings; InvoiceOnScreen invoice; CustomerAddress customer; }
        cases[] = {{"", sampleSettings(logo), sampleInvoice(), sampleCustomer()},
                   {"-long", longest::settings(sampleSettings(logo)), longest::invoice(sampleInvoice()),
                    longest::customer()},
                   {"-unbroken", longest::settings(sampleSettings(logo), longest::Words::Unbroken),
                    longest::invoice(sampleInvoice(), longest::Words::Unbroken),
                    longest::customer(longest::Words::Unbroken)}};
    const struct { const char* name; QPageSize size; } papers[] = {{"letter", QPageSize(QPageSize::Letter)},
                                                                   {"a4", QPageSize(QPageSize::A4)}};
    for (const auto& sample : cases) {
        for (int layout = 1; layout <= 6; ++layout) {
            for (const auto& paper : papers) {
                ReportDesign design = createInvoiceLayout(layout, sample.settings.logopath);
                fillInvoiceLayout(design, layout, sample.invoice, sample.settings, sample.customer,
                                  paper.size.id() == QPageSize::A4);
                const ReportPages pages = layoutReport(design, nullptr, paper.size);
                const QString file =
                    out.filePath(QString("invoice%1-%2%3.pdf").arg(layout).arg(paper.name, sample.suffix));
                if (!writeReportPdf(pages, file)) {
                    std::fprintf(stderr, "Cannot write %s\n", qPrintable(file));
                    return 1;
                }
                std::printf("%s: %d page(s)\n", qPrintable(file), int(pages.pages.size()));
                reportCutTexts(pages, file);
            }
        }
    }
    return 0;
}
