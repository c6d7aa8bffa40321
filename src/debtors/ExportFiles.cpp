#include "debtors/ExportFiles.h"
#include "common/Functions.h"
#include "debtors/CsvFile.h"
#include "debtors/DebtorRecord.h"
#include "platform/AppError.h"
#include "platform/MoneySum.h"
#include "platform/ShortDate.h"
#include "platform/Today.h"
#include <optional>
#include <vector>

namespace ExportFiles {
namespace {

enum class Kind { Text, CustomerDate, InvoiceDate, Money, PlainNumber, LineMoney };

struct Field {
    QString column;
    Kind kind;
};
using Fields = std::vector<Field>;

// What each file holds, in its order.
struct Layout {
    QString header;
    QString table;          // the query's table
    Fields fields;
    bool commaAfterLast;    // all but the item file end every value with ","
};

const Fields customerFields = {
    {"Date", Kind::CustomerDate}, {"CustID", Kind::Text},      {"FirstName", Kind::Text},
    {"LastName", Kind::Text},     {"Address", Kind::Text},     {"Address2", Kind::Text},
    {"City", Kind::Text},         {"address4", Kind::Text},    {"Postcode", Kind::Text},
    {"Phone", Kind::Text},        {"Mobile", Kind::Text},      {"Fax", Kind::Text},
    {"Email", Kind::Text},        {"DelAddress1", Kind::Text}, {"DelAddress2", Kind::Text},
    {"DelAddress3", Kind::Text},  {"DelAddress4", Kind::Text}, {"DelAddress5", Kind::Text},
};
constexpr int SummaryCustomerFields = 9;

const Fields invoiceFields = {
    {"Date", Kind::InvoiceDate}, {"InvNo", Kind::Text},      {"CustNo", Kind::Text},
    {"CustomerName", Kind::Text}, {"Subtotal", Kind::Money}, {"Vat", Kind::Money},
    {"Total", Kind::Money},       {"Discount", Kind::Money}, {"Paid", Kind::Money},
    {"WrittenOff", Kind::Money},  {"Balance", Kind::Money},  {"Notes", Kind::Text},
    {"DiscountPercentage", Kind::PlainNumber}, {"SalesPerson", Kind::Text}, {"SalesNo", Kind::Text},
    {"ShippedNo", Kind::Text},    {"TrackingNo", Kind::Text},
};

const Fields lineFields = {
    {"Qty", Kind::PlainNumber},   {"PartID", Kind::Text},      {"Description", Kind::Text},
    {"Amount", Kind::LineMoney},  {"Total", Kind::LineMoney},
};

const Fields debtorFields = {
    {"Date", Kind::InvoiceDate}, {"InvNo", Kind::Text},      {"CustNo", Kind::Text},
    {"CustomerName", Kind::Text}, {"Subtotal", Kind::Money}, {"Vat", Kind::Money},
    {"Total", Kind::Money},       {"Discount", Kind::Money}, {"Paid", Kind::Money},
    {"WrittenOff", Kind::Money},  {"Balance", Kind::Money},  {"Balance1", Kind::Money},
    {"Balance2", Kind::Money},    {"Balance3", Kind::Money}, {"Notes", Kind::Text},
};

const QString InvoiceHeader =
    "Date,Invno,Custno,CustomerName,Subtotal,Tax,Total,Discount,Paid,WrittenOff,Balance,Notes,DiscountPercentage,"
    "Field1,Field2,Field3,Field4,";

const Layout& layoutOf(Export which) {
    static const Layout layouts[] = {
        {"Date,CustID,FirstName,LastName,Address1,Address2,City,County,Zip/Post Code,", "customers",
         Fields(customerFields.begin(), customerFields.begin() + SummaryCustomerFields), true},
        {"Date,CustID,FirstName,LastName,Address1,Address2,City,County,Zip/Post Code,Phone,Mobile,Fax,Email,"
         "DelAddress1,DelAddress2,DelAddress3,DelAddress4,DelAddress5,",
         "customers", customerFields, true},
        {InvoiceHeader, "invoices", invoiceFields, true},
        {InvoiceHeader, "invoices", invoiceFields, true},
        {"ID,ShortDesc,Desc,Price", "parts",
         {{"ID", Kind::Text}, {"ShortDesc", Kind::Text}, {"Desc", Kind::Text}, {"Price", Kind::Money}}, false},
        {"Date,invno,Custno,CustomerName,Subtotal,Vat,Total,Discount,Paid,WrittenOff,balance,0-30 Days,"
         "31-60 Days,61+ Days,Notes,",
         "invoices", debtorFields, true},
    };
    return layouts[int(which)];
}

const QString LinesName = "Lines";

// The date as the query's literal takes it: MM/DD/YYYY.
QString jetDate(const QDate& date) { return date.toString("MM/dd/yyyy"); }

QString queryOf(Export which, const QDate& from, const QDate& to) {
    const Layout& layout = layoutOf(which);
    switch (which) {
    case Export::Parts: return "SHAPE {SELECT * FROM parts} as details";
    case Export::Debtors: return "SHAPE {SELECT * FROM invoices where balance > 0} as details";
    default: break;
    }
    QString query = "SHAPE {SELECT * FROM " + layout.table + " where Date BETWEEN #" + jetDate(from) + "# and #" +
                    jetDate(to) + "#} as details";
    // Each invoice's lines as its child rows, found by the lines' invoice number index.
    if (which == Export::InvoiceDetails)
        query += " APPEND ({SELECT * FROM invoiced} as " + LinesName + " RELATE 'InvNo' TO 'InvNo')";
    return query;
}

// A layout's fields by their positions in the record set, looked up once.
struct Position {
    int index;
    Kind kind;
};
using Positions = std::vector<Position>;

Positions positionsIn(const ShapeRecordset& rs, const Fields& fields) {
    Positions positions;
    for (const Field& f : fields) positions.push_back({rs.fieldIndex(f.column), f.kind});
    return positions;
}

// Numbers: a blank before zero and positive values, the sign before negative ones.
void appendNumber(QString& line, const MoneySum& amount) {
    if (amount.raw() >= 0) line += ' ';
    line += amount.toText();
}

void appendNumber(QString& line, qint64 value) {
    if (value >= 0) line += ' ';
    line += QString::number(value);
}

void appendNumber(QString& line, double value) {
    if (value == 0) value = 0;   // no "-0"
    if (value >= 0) line += ' ';
    line += QString::number(value, 'g', 15);
}

void appendPlainNumber(QString& line, const QVariant& value) {
    switch (value.typeId()) {
    case QMetaType::Int:
    case QMetaType::LongLong: appendNumber(line, value.toLongLong()); break;
    case QMetaType::Double: appendNumber(line, value.toDouble()); break;
    default: appendNumber(line, Field_To_Currency(value));   // absent, an amount, or a number as text
    }
}

void appendField(QString& line, const QVariant& value, Kind kind) {
    switch (kind) {
    case Kind::Text:
    case Kind::CustomerDate: line += CsvFile::field(Field_To_String(value)); break;
    case Kind::InvoiceDate: line += CsvFile::field(invoiceDateText(value)); break;
    case Kind::Money: appendNumber(line, Field_To_Currency(value)); break;
    case Kind::PlainNumber: appendPlainNumber(line, value); break;
    case Kind::LineMoney: appendNumber(line, MoneySum(Field_To_Currency(value)).rounded(2)); break;
    }
}

QString fieldText(const QVariant& value, Kind kind) {
    QString text;
    appendField(text, value, kind);
    return text;
}

void appendFields(QString& line, const ShapeRecordset& rs, const Positions& positions, bool commaAfterLast = true) {
    for (size_t i = 0; i < positions.size(); ++i) {
        appendField(line, rs.field(positions[i].index), positions[i].kind);
        if (commaAfterLast || i + 1 < positions.size()) line += ',';
    }
}

// The invoice's lines: its child rows, those filed under exactly its number
// (letter case counted), in the order of the lines' invoice number index.
class InvoiceLines {
public:
    void append(QString& line, ShapeRecordset& invoice) {
        const auto lines = invoice.child(LinesName);
        if (positions_.empty()) positions_ = positionsIn(*lines, lineFields);
        for (; !lines->eof(); lines->moveNext()) appendFields(line, *lines, positions_);
    }

private:
    Positions positions_;
};

void openRecords(const QString& query, std::shared_ptr<ShapeRecordset>& rows) {
    // A query that cannot be opened leaves an unopened set behind.
    if (!Open_Shape_Recordset(query, rows)) raiseError(ErrorNo::ObjectClosed);
}

}  // namespace

QString procedureName(Export which) {
    static const char* names[] = {"Summary_Customers", "Detailed_Customers", "Invoices",
                                  "Invoice_Details",   "Parts",              "Debtors"};
    return names[int(which)];
}

Outcome write(Export which, const QString& path, const QDate& from, const QDate& to,
              std::shared_ptr<ShapeRecordset>& rows) {
    ShapeRsRelease release(rows);
    const Layout& layout = layoutOf(which);
    const bool debtors = which == Export::Debtors;
    if (debtors) writeAgedBalances(Today::date());
    std::optional<CsvFile> file;
    if (!debtors) file.emplace(path);   // the file comes, empty if need be, whatever the query gives
    openRecords(queryOf(which, from, to), rows);
    if (rows->eof()) {
        if (file) file->close();
        return Outcome::NoRecords;
    }
    if (!file) file.emplace(path);
    file->writeLine(layout.header);
    const Positions positions = positionsIn(*rows, layout.fields);
    std::optional<InvoiceLines> lines;
    if (which == Export::InvoiceDetails) lines.emplace();
    QString line;
    for (; !rows->eof(); rows->moveNext()) {
        line.resize(0);
        appendFields(line, *rows, positions, layout.commaAfterLast);
        if (lines) lines->append(line, *rows);
        file->writeLine(line);
    }
    file->close();
    return Outcome::Written;
}

QString moneyText(const QVariant& value) { return fieldText(value, Kind::Money); }
QString lineMoneyText(const QVariant& value) { return fieldText(value, Kind::LineMoney); }
QString plainNumberText(const QVariant& value) { return fieldText(value, Kind::PlainNumber); }

QString invoiceDateText(const QVariant& value) {
    if (value.typeId() != QMetaType::QDateTime) return Field_To_String(value);
    const QDateTime date = value.toDateTime();
    return date.isValid() ? isoDateTime(date) : QString();   // a stored text that is no date
}

}  // namespace ExportFiles
