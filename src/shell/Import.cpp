#include "shell/Import.h"
#include "common/ErrorReport.h"
#include "common/Functions.h"
#include "platform/AppError.h"
#include "platform/Database.h"
#include "platform/FixedText.h"
#include "platform/ProgramFolder.h"
#include "platform/Recordset.h"
#include <QFile>
#include <QRegularExpression>
#include <QStringDecoder>

namespace {
const QString ImportFile = "Invoices1.csv";

// Field n of the line as text: a field the line does not reach is the empty
// text, never Null.
QString field(const QString& line, int n) {
    const QString text = Csv_Field(line, n);
    return text.isNull() ? QString("") : text;
}

// The lines of the file: CR LF, CR or LF ends a line; a last line without
// an end is read too, and a final line end starts no further line.
QStringList readLines() {
    QFile file(ProgramFolder::file(ImportFile));
    if (!file.open(QIODevice::ReadOnly))
        raiseError(ErrorNo::FileNotFound, QString("File not found: %1 (%2)").arg(file.fileName(), file.errorString()));
    const QByteArray bytes = file.readAll();
    QStringDecoder utf8(QStringDecoder::Utf8);
    QString text = utf8(bytes);
    if (utf8.hasError())
        raiseError(ErrorNo::InvalidUse, QString("%1 is not UTF-8 text; nothing was imported.").arg(ImportFile));
    if (text.isEmpty()) return {};
    QStringList lines = text.split(QRegularExpression("\r\n|\r|\n"));
    if (lines.last().isEmpty()) lines.removeLast();
    return lines;
}

void addCustomer(Recordset& customers, const QString& line) {
    customers.addNew();
    customers.setField("CustID", field(line, 1));
    customers.setField("Date", field(line, 2));
    customers.setField("LastName", field(line, 5));
    customers.setField("FirstName", field(line, 4));
    customers.setField("Phone", field(line, 6));
    customers.setField("Address", field(line, 7));
    customers.setField("Address2", field(line, 8));
    customers.setField("City", field(line, 9));
    customers.setField("address4", QString(""));
    customers.setField("Postcode", field(line, 10));
    customers.setField("notes", QString(""));
    customers.setField("DelAddress1", field(line, 17));
    customers.setField("DelAddress2", field(line, 18));
    customers.setField("DelAddress3", field(line, 19));
    customers.setField("DelAddress4", field(line, 20));
    customers.setField("DelAddress5", field(line, 21));
    customers.update();
}

// Every imported invoice is fully paid, without tax or discount.
void addInvoice(Recordset& invoices, const QString& line) {
    invoices.addNew();
    invoices.setField("InvNo", field(line, 3));
    invoices.setField("CustNo", field(line, 1));
    invoices.setField("Date", field(line, 2));
    invoices.setField("Subtotal", field(line, 11));
    invoices.setField("Vat", 0);
    invoices.setField("Total", field(line, 11));
    invoices.setField("Discount", 0);
    invoices.setField("Paid", field(line, 11));
    invoices.setField("Balance", 0);
    invoices.setField("Notes", QString(""));
    invoices.setField("CustomerName", field(line, 4) + " " + field(line, 5));
    invoices.update();
}

void addInvoiceLine(Recordset& lines, const QString& line, int descriptionField) {
    lines.addNew();
    lines.setField("InvNo", field(line, 3));
    lines.setField("Qty", 1);
    lines.setField("PartID", QString(""));
    lines.setField("Description", field(line, descriptionField));
    lines.setField("Amount", field(line, descriptionField + 1));
    lines.setField("Total", field(line, descriptionField + 1));
    lines.update();
}

void importLine(Recordset& invoices, Recordset& invoiceLines, Recordset& customers, const QString& line) {
    Transaction whole;
    addCustomer(customers, line);
    addInvoice(invoices, line);
    addInvoiceLine(invoiceLines, line, 12);
    if (!Trim(field(line, 14)).isEmpty()) addInvoiceLine(invoiceLines, line, 14);
    whole.commit();
}

void importFile() {
    TableSource = "invoices";
    Recordset invoices(TableSource);
    TableSource = "invoiced";
    Recordset invoiceLines(TableSource);
    TableSource = "customers";
    Recordset customers(TableSource);
    const QStringList lines = readLines();
    for (int i = 0; i < lines.size(); ++i) {
        try {
            importLine(invoices, invoiceLines, customers, lines[i]);
        } catch (const AppError& e) {
            throw AppError(e.number, QString("Line %1 of %2: %3 Nothing of this line or the lines after it "
                                             "was imported.").arg(i + 1).arg(ImportFile, e.description));
        }
    }
}
}  // namespace

void Import_Data() {
    guard("frmMain", "mnuImport_Click", importFile);
}
