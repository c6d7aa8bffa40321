#include "invoices/InvoiceRecord.h"
#include "common/Functions.h"
#include "common/InvoiceDeletion.h"
#include "common/Numbering.h"
#include "common/TableRows.h"
#include "platform/AppError.h"
#include "platform/Database.h"
#include "platform/FixedText.h"
#include "platform/NumberText.h"
#include "platform/Schema.h"
#include "platform/ShortDate.h"
#include <cmath>

namespace {
const Schema::Table& invoicesTable() { return *Schema::table("Invoices"); }
const Schema::Table& linesTable() { return *Schema::table("InvoiceD"); }

QVariant money(Currency c) { return QVariant::fromValue(c); }

// Header columns in the order the save writes them.
ColumnValues headerValues(const InvoiceRecord& v) {
    return {{"InvNo", v.invNo},
            {"CustNo", v.custNo},
            {"Date", v.date.isValid() ? QVariant(QDateTime(v.date, QTime(0, 0))) : QVariant()},
            {"Subtotal", money(v.subtotal)},
            {"Vat", money(v.vat)},
            {"Total", money(v.total)},
            {"Discount", money(v.discount)},
            {"Paid", money(v.paid)},
            {"WrittenOff", money(v.writtenOff)},
            {"Balance", money(v.balance)},
            {"Notes", v.notes},
            {"CustomerName", v.customerName},
            {"DiscountPercentage", v.discountPercentage},
            {"SalesPerson", v.salesPerson},
            {"SalesNo", v.salesNo},
            {"ShippedNo", v.shippedNo},
            {"TrackingNo", v.trackingNo},
            {"Phone", v.phone},
            {"TaxPer", v.taxPer}};
}

ColumnValues lineValues(const QString& invNo, const InvoiceLine& l) {
    return {{"InvNo", invNo},
            {"Qty", l.qty},
            {"PartID", l.partId},
            {"Description", l.description},
            {"Amount", money(l.amount)},
            {"Total", money(l.total)},
            {"Taxable", l.taxable ? 1 : 0}};
}

std::optional<qint64> headerRow(const QString& invNo) {
    Statement s(Database::shared(), "SELECT rowid FROM \"Invoices\" WHERE \"InvNo\" = ? LIMIT 1");
    s.bind(1, Trim(invNo));
    if (!s.step()) return std::nullopt;
    return s.value(0).toLongLong();
}

void writeHeader(const InvoiceRecord& invoice, InvoiceSave kind) {
    // An edited invoice is updated in its own row; one that has vanished
    // meanwhile is written anew rather than into any other row.
    const auto row = kind == InvoiceSave::Edit ? headerRow(invoice.invNo) : std::nullopt;
    if (row) updateRow(invoicesTable(), *row, headerValues(invoice));
    else insertRow(invoicesTable(), headerValues(invoice));
}

QString tooLongText(const QString& what, int limit) {
    return QString("%1 can hold at most %2 characters. Please shorten it.").arg(what).arg(limit);
}
}  // namespace

bool lineRowFilled(const LineRowTexts& row) {
    return !Trim(row.partId).isEmpty() || !row.qty.isEmpty() || !Trim(row.description).isEmpty()
        || !Trim(row.amount).isEmpty();
}

InvoiceLine storedLine(const LineRowTexts& row) {
    InvoiceLine line;
    const double qty = Val(row.qty);
    if (std::fabs(qty) >= 2147483647.0) raiseError(ErrorNo::Overflow);
    line.qty = qty == 0 ? 1 : int(std::nearbyint(qty));
    line.partId = Trim(row.partId);
    line.description = Trim(row.description);
    line.amount = ValCurrency(row.amount);
    line.total = ValCurrency(row.total);
    line.taxable = row.taxable;
    return line;
}

std::optional<InvoiceRecord> loadInvoice(const QString& invNo, int maxLines) {
    Statement h(Database::shared(),
                "SELECT \"InvNo\", \"CustNo\", \"Date\", \"Subtotal\", \"Vat\", \"Discount\", \"Total\", "
                "\"DiscountPercentage\", \"Paid\", \"WrittenOff\", \"Balance\", \"Notes\", \"CustomerName\", "
                "\"Phone\", \"SalesPerson\", \"SalesNo\", \"ShippedNo\", \"TrackingNo\", \"TaxPer\" "
                "FROM \"Invoices\" WHERE \"InvNo\" = ? LIMIT 1");
    h.bind(1, Trim(invNo));
    if (!h.step()) return std::nullopt;
    InvoiceRecord r;
    int c = 0;
    r.invNo = Field_To_String(h.value(c++));
    r.custNo = Field_To_String(h.value(c++));
    r.date = h.value(c++).toDateTime().date();
    r.subtotal = Field_To_Currency(h.value(c++));
    r.vat = Field_To_Currency(h.value(c++));
    r.discount = Field_To_Currency(h.value(c++));
    r.total = Field_To_Currency(h.value(c++));
    r.discountPercentage = Field_To_Currency(h.value(c++)).toDouble();
    r.paid = Field_To_Currency(h.value(c++));
    r.writtenOff = Field_To_Currency(h.value(c++));
    r.balance = Field_To_Currency(h.value(c++));
    r.notes = Field_To_String(h.value(c++));
    r.customerName = Field_To_String(h.value(c++));
    r.phone = Field_To_String(h.value(c++));
    r.salesPerson = Field_To_String(h.value(c++));
    r.salesNo = Field_To_String(h.value(c++));
    r.shippedNo = Field_To_String(h.value(c++));
    r.trackingNo = Field_To_String(h.value(c++));
    r.taxPer = Field_To_Currency(h.value(c++)).toDouble();

    // Its own lines (see deleteInvoiceLines) in the order they were written.
    Statement l(Database::shared(),
                "SELECT \"PartID\", \"Qty\", \"Description\", \"Amount\", \"Total\", \"Taxable\" "
                "FROM \"InvoiceD\" WHERE " + Schema::exactlyEqual("InvNo", 1) + " ORDER BY rowid LIMIT ?2");
    l.bind(1, Trim(r.invNo)).bind(2, maxLines);
    while (l.step()) {
        InvoiceLine line;
        line.partId = Field_To_String(l.value(0));
        line.qty = l.value(1).toInt();
        line.description = Field_To_String(l.value(2));
        line.amount = Field_To_Currency(l.value(3));
        line.total = Field_To_Currency(l.value(4));
        line.taxable = l.value(5).toLongLong() != 0;
        r.lines.push_back(line);
    }
    return r;
}

bool invoiceNumberInUse(const QString& number) { return numberOnFile("Invoices", "InvNo", Trim(number)); }

QString invoiceTooLong(const InvoiceRecord& invoice) {
    static const std::vector<std::pair<QString, QString>> names = {
        {"InvNo", "The invoice number"}, {"CustNo", "The customer number"},
        {"CustomerName", "The customer name"}, {"Phone", "The phone number"},
        {"SalesPerson", "The first header field"}, {"SalesNo", "The second header field"},
        {"ShippedNo", "The third header field"}, {"TrackingNo", "The fourth header field"},
        {"Notes", "The notes"}};
    const auto header = headerValues(invoice);
    for (const auto& [column, what] : names) {
        const int limit = invoicesTable().column(column)->size;
        for (const auto& [name, value] : header)
            if (name == column && value.toString().size() > limit) return tooLongText(what, limit);
    }
    for (size_t i = 0; i < invoice.lines.size(); ++i) {
        const InvoiceLine& line = invoice.lines[i];
        const QString row = QString(" of line %1").arg(i + 1);
        if (line.partId.size() > linesTable().column("PartID")->size)
            return tooLongText("The item number" + row, linesTable().column("PartID")->size);
        if (line.description.size() > linesTable().column("Description")->size)
            return tooLongText("The description" + row, linesTable().column("Description")->size);
    }
    return QString();
}

void saveInvoice(const InvoiceRecord& invoice, InvoiceSave kind, const QString& newInvstart) {
    Transaction transaction;
    writeHeader(invoice, kind);
    if (kind == InvoiceSave::Edit) deleteInvoiceLines(invoice.invNo);
    for (const InvoiceLine& line : invoice.lines) insertRow(linesTable(), lineValues(invoice.invNo, line));
    if (!newInvstart.isEmpty()) writeStartNumber("Invstart", newInvstart);
    transaction.commit();
}

namespace {
const char* InvoiceListColumns =
    "\"InvNo\", \"Date\", \"CustNo\", \"CustomerName\", \"Total\", \"Balance\", \"Notes\"";

// Amounts are stored as whole ten-thousandths; anything else goes the long way.
Currency moneyAt(const Statement& s, int i) {
    if (s.stored(i) == Statement::Stored::Integer) return Currency::fromRaw(s.integer(i));
    return Field_To_Currency(s.value(i));
}

QDate dateAt(const Statement& s, int i) {
    switch (s.stored(i)) {
    case Statement::Stored::Null: return {};
    case Statement::Stored::Text:
        if (const QDate date = storedIsoDate(s.utf8(i)); date.isValid()) return date;
        [[fallthrough]];
    default: return s.value(i).toDateTime().date();
    }
}

InvoiceListEntry invoiceListEntryFrom(const Statement& s) {
    return {s.utf8(0), dateAt(s, 1), s.utf8(2), s.utf8(3), moneyAt(s, 4), moneyAt(s, 5), s.utf8(6)};
}
}  // namespace

void readInvoiceList(const std::function<void(const InvoiceListEntry&)>& each) {
    Statement s(Database::shared(), QString("SELECT %1 FROM \"Invoices\" ORDER BY rowid").arg(InvoiceListColumns));
    while (s.step()) each(invoiceListEntryFrom(s));
}

bool readInvoiceListEntry(const QString& invNo, const std::function<void(const InvoiceListEntry&)>& each) {
    Statement s(Database::shared(),
                QString("SELECT %1 FROM \"Invoices\" WHERE \"InvNo\" = ? LIMIT 1").arg(InvoiceListColumns));
    s.bind(1, Trim(invNo));
    if (!s.step()) return false;
    each(invoiceListEntryFrom(s));
    return true;
}

bool deleteInvoice(const QString& invNo) {
    return deleteInvoiceAndLines(Trim(invNo), LinesWithoutHeader::Keep).has_value();
}

InvoiceTableMark invoiceTableMark() {
    Statement s(Database::shared(), "SELECT COUNT(*), IFNULL(MAX(rowid), 0) FROM \"Invoices\"");
    if (!s.step()) return {};
    return {s.integer(0), s.integer(1)};
}

QStringList invoicesAddedSince(const InvoiceTableMark& mark, int limit) {
    Statement s(Database::shared(), "SELECT \"InvNo\" FROM \"Invoices\" WHERE rowid > ? ORDER BY rowid LIMIT ?");
    s.bind(1, mark.newest).bind(2, limit);
    QStringList numbers;
    while (s.step()) numbers << Field_To_String(s.value(0));
    return numbers;
}
