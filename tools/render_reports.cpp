// Renders each report design to PDF on Letter and on A4, filled from a small
// company (<design>-letter.pdf, <design>-a4.pdf) and from one whose every
// value is as long as its column holds, once with its blanks
// (<design>-letter-long.pdf, ...), once as unbroken words
// (<design>-letter-unbroken.pdf, ...) and once as runs of the widest letter
// of the font each text prints in (<design>-letter-widest.pdf, ...), in the
// folder named on the command line (the current folder when none). Each
// design prints through the procedure the program prints it with; it names
// every text that prints cut. A new design is one more line in Designs. The
// reminder letter prints with a logo, from the sample's sender and with its
// reminder.
#include "common/Functions.h"
#include "common/SettingsValues.h"
#include "debtors/FirstLetters.h"
#include "debtors/LongestRows.h"
#include "debtors/PrintedReports.h"
#include "platform/Database.h"
#include "platform/ProgramFolder.h"
#include "platform/Today.h"
#include "reports/PaperSize.h"
#include "reports/ReportInstance.h"
#include "reports/ReportPainter.h"
#include "reports/ReportPreview.h"
#include "shell/CreateDatabase.h"
#include "support/TableFixture.h"
#include <QApplication>
#include <QDir>
#include <QTemporaryDir>
#include <cstdio>
#include <functional>

namespace {
using PrintedReports::Report;

const QDate Fixed(2026, 12, 10);
const QDate From(2026, 11, 1);
const QDate To(2026, 11, 30);

// Prints a design through its procedure, onto the paper the printer has.
struct Design {
    const char* name;
    std::function<void()> print;
};

void printReport(Report report) { PrintedReports::select(int(report), From, To, ShapeRs, nullptr); }

const Design Designs[] = {
    {"Customer1_rpt", [] { printReport(Report::SummaryCustomers); }},
    {"Customer_rpt", [] { printReport(Report::DetailedCustomers); }},
    {"Invoice_rpt1", [] { printReport(Report::Invoices); }},
    {"InvoiceD_rpt", [] { printReport(Report::InvoiceDetails); }},
    {"Parts_rpt", [] { printReport(Report::Parts); }},
    {"Debtor_rpt", [] { printReport(Report::Debtors); }},
    {"Letter_rpt", [] { showReportPreview(firstLetters(2), "Reminder", nullptr); }},
};

using longest::money;

const QStringList CustomerColumns = {"CustID", "Date", "FirstName", "LastName", "Address", "Address2", "City",
                                     "address4", "Postcode", "Phone", "Mobile", "Fax", "Email", "notes"};
const QStringList InvoiceColumns = {"InvNo", "Date", "CustNo", "CustomerName", "Phone", "Subtotal", "Vat",
                                    "Total", "WrittenOff", "Paid", "Balance", "Notes"};
const QStringList LineColumns = {"InvNo", "PartID", "Qty", "Description", "Amount", "Total"};
const QStringList PartColumns = {"ID", "ShortDesc", "Desc", "Price", "Taxable"};

void addSample() {
    insertRow("Customers", CustomerColumns,
              {"CUS000041", QDate(2026, 11, 2), "Jane", "O'Neill", "4 Mill Road", "Ashington", "Pulborough",
            "West Sussex", "RH20 3AA", "01903 555 123", "07700 900 456", "", "jane@oneill.example",
            "Prefers delivery in the morning."});
    insertRow("Customers", CustomerColumns,
              {"CUS000042", QDate(2026, 11, 20), "Tom", "Baker", "9 High Street", "", "Storrington", "", "RH20 4BB",
            "01903 555 987", "", "", "", ""});
    for (int i = 0; i < 40; ++i) {
        const QString invNo = QString("INV%1").arg(120 + i, 6, 10, QChar('0'));
        const bool paid = i % 3 == 0;
        insertRow("Invoices", InvoiceColumns,
                  {invNo, QDate(2026, 11, 1 + i % 30), i % 2 ? "CUS000041" : "CUS000042",
                i % 2 ? "Jane O'Neill" : "Tom Baker", "01903 555 123", money("56.99"), money("9.00"), money("65.99"),
                money("0"), paid ? money("65.99") : money("20.00"), paid ? money("0") : money("45.99"),
                i % 5 ? "" : "Deliver to the side gate."});
        insertRow("InvoiceD", LineColumns, {invNo, "P001", 2, "Terracotta pot, large", money("12.50"), money("25.00")});
        if (i % 2)
            insertRow("InvoiceD", LineColumns, {invNo, "P017", 1, "Garden hose 30 m", money("19.99"), money("19.99")});
    }
    insertRow("Parts", PartColumns, {"P001", "Pot", "Terracotta pot, large", money("12.50"), 1});
    insertRow("Parts", PartColumns, {"P017", "Hose", "Garden hose 30 m", money("19.99"), 0});
}

// The small company's sender and reminder.
SettingsValues sampleSender() {
    SettingsValues s;
    s.BusinessName = QString("Kelm Garden Supplies");
    s.Address = "12 Orchard Lane\r\nLittle Hampton\r\nWest Sussex BN17 5AB";
    s.Phone = QString("01903 555 123");
    s.Reminder1 = "We have not been able to register payment for the invoice listed above and assume there has been "
                  "an oversight. We would appreciate payment in the coming days.";
    return s;
}

// Every value as long as its column holds, and the largest amounts; the
// sender and the reminder at their longest.
template <longest::Words words>
SettingsValues addLongest() {
    longest::store(longest::rows(30, From, words));
    return longest::settings(sampleSender(), words);
}

SettingsValues addSampleCompany() {
    addSample();
    return sampleSender();
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
}  // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    const QDir out(argc > 1 ? QString::fromLocal8Bit(argv[1]) : QDir::currentPath());
    if (!out.exists() && !QDir().mkpath(out.path())) {
        std::fprintf(stderr, "Cannot make the folder %s\n", qPrintable(out.path()));
        return 1;
    }
    Today::fix(Fixed);
    const struct { const char* suffix; SettingsValues (*fill)(); } samples[] = {
        {"", addSampleCompany},
        {"-long", addLongest<longest::Words::Spaced>},
        {"-unbroken", addLongest<longest::Words::Unbroken>},
        {"-widest", addLongest<longest::Words::Widest>}};
    const struct { const char* name; QPageSize::PageSizeId size; } papers[] = {{"letter", QPageSize::Letter},
                                                                               {"a4", QPageSize::A4}};
    bool written = true;
    for (const auto& sample : samples) {
        QTemporaryDir folder;
        ProgramFolder::setPath(folder.path());
        ReportInstance::forgetAll();
        CreateDatabase();
        Connections::openJet(QDir(folder.path()).filePath("data.mdb"));
        Connections::openShape();
        gSettings = sample.fill();
        QImage logo(200, 170, QImage::Format_RGB32);
        logo.fill(QColor(40, 110, 60));
        gSettings.logopath = QDir(folder.path()).filePath("logo.png");
        logo.save(gSettings.logopath);
        for (const Design& design : Designs) {
            for (const auto& paper : papers) {
                const QString file = out.filePath(QString("%1-%2%3.pdf").arg(design.name, paper.name, sample.suffix));
                setPaperSizeSource([&paper] { return QPageSize(paper.size); });
                setReportPreviewHook([&](const ReportPages& shown, const QString&, QWidget*) {
                    ReportPages pages = shown;
                    longest::widen(pages);
                    if (!writeReportPdf(pages, file)) {
                        std::fprintf(stderr, "Cannot write %s\n", qPrintable(file));
                        written = false;
                        return;
                    }
                    std::printf("%s: %d page(s)\n", qPrintable(file), int(pages.pages.size()));
                    reportCutTexts(pages, file);
                });
                design.print();
            }
        }
        ShapeRs.reset();
        Connections::closeJet();
        Connections::closeShape();
    }
    return written ? 0 : 1;
}
