#include "debtors/PrintedReports.h"
#include "common/ErrorReport.h"
#include "common/Functions.h"
#include "debtors/DebtorRecord.h"
#include "platform/MessageBox.h"
#include "platform/ShortDate.h"
#include "platform/Today.h"
#include "reports/PaperSize.h"
#include "reports/ReportInstance.h"

namespace PrintedReports {
namespace {
const char* WindowName = "frmReports";

const Entry Entries[Count] = {
    {"Customers - Summary", "Summary_Customers", "Customer1_rpt"},
    {"Customers - Detailed", "Detailed_Customers", "Customer_rpt"},
    {"Invoices - Summary", "Invoices", "Invoice_rpt1"},
    {"Invoices and Invoice Details", "Invoice_Details", "InvoiceD_rpt"},
    {"Items", "Parts", "Parts_rpt"},
    {"Debtors", "Debtors", "Debtor_rpt"},
};

// The date as the query's literal takes it.
QString literalDate(const QDate& date) { return date.toString("MM/dd/yyyy"); }

QString inRange(const QString& table, const QDate& from, const QDate& to) {
    return "SELECT * FROM " + table + " where Date BETWEEN #" + literalDate(from) + "# and #" + literalDate(to) + "#";
}

bool isCustomerReport(Report report) {
    return report == Report::SummaryCustomers || report == Report::DetailedCustomers;
}
}  // namespace

const Entry& entry(Report report) { return Entries[int(report)]; }

QString recordSource(Report report, const QDate& from, const QDate& to) {
    switch (report) {
    case Report::SummaryCustomers:
    case Report::DetailedCustomers: return "SHAPE {" + inRange("customers", from, to) + "} as details";
    case Report::Invoices: return "SHAPE {" + inRange("invoices", from, to) + "} as details";
    case Report::InvoiceDetails:
        return "SHAPE {" + inRange("invoices", from, to) + "} as main " +
               "APPEND ({SELECT * FROM invoiceD} as Details " + "RELATE 'invno' TO 'invno')  ";
    case Report::Parts: return "SHAPE {SELECT * FROM parts} as details";
    case Report::Debtors: return "SHAPE {SELECT * FROM invoices where balance > 0} as details";
    }
    return QString();
}

QString rangeCaption(const QDate& from, const QDate& to) {
    return "From " + shortDate(from) + " To " + shortDate(to);
}

bool usablePaper(const QPageSize& paper) {
    const int code = paperSizeCode(paper);
    return code == 1 || code == 9;
}

void print(Report report, const QDate& from, const QDate& to, const QPageSize& paper,
           std::shared_ptr<ShapeRecordset>& rows, QWidget* owner) {
    // Both customer reports report their errors alike.
    guard(WindowName, entry(report).procedure, [&] {
        ShapeRsRelease release(rows);
        if (report == Report::Debtors) writeAgedBalances(Today::date());
        Open_Shape_Recordset(recordSource(report, from, to), rows);
        if (isCustomerReport(report) && rows->recordCount() < 1) {
            Box::ask("No records to print!", "Nothing to Print", Box::Buttons::Ok, Box::Icon::Exclamation, owner);
            return;
        }
        ReportInstance& design = ReportInstance::of(entry(report).design);
        design.dataSource = rows;
        release.alsoHeldBy(design.dataSource);
        if (report != Report::Parts) design.setOrientation(QPageLayout::Landscape);
        design.section("Section4").control("Date_lbl").caption = rangeCaption(from, to);
        design.show(paper, owner);
    });
}

void select(int listIndex, const QDate& from, const QDate& to, std::shared_ptr<ShapeRecordset>& rows,
            QWidget* owner) {
    const QPageSize paper = currentPaperSize();
    if (!usablePaper(paper)) {
        Box::ask("Please change the paper size on your printer to 'Letter' or 'A4'", "Change Paper Size",
                 Box::Buttons::Ok, Box::Icon::Exclamation, owner);
        return;
    }
    if (listIndex < 0 || listIndex >= Count) return;
    print(Report(listIndex), from, to, paper, rows, owner);
}

}  // namespace PrintedReports
