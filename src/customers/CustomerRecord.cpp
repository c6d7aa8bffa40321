#include "customers/CustomerRecord.h"
#include "common/Functions.h"
#include "common/InvoiceDeletion.h"
#include "common/Numbering.h"
#include "common/TableRows.h"
#include "platform/Database.h"
#include "platform/FixedText.h"
#include "platform/Schema.h"

namespace {
const Schema::Table& customersTable() { return *Schema::table("Customers"); }

// The customer's columns, in the order the save writes them.
ColumnValues customerValues(const CustomerRecord& c) {
    return {{"CustID", c.custId},
            {"LastName", c.lastName},
            {"FirstName", c.firstName},
            {"Phone", c.phone},
            {"Address", c.address},
            {"Address2", c.address2},
            {"City", c.city},
            {"address4", c.address4},
            {"Postcode", c.postcode},
            {"Mobile", c.mobile},
            {"Fax", c.fax},
            {"Email", c.email},
            {"notes", c.notes},
            {"Date", c.date.isValid() ? QVariant(c.date) : QVariant()},
            {"DelAddress1", c.delAddress1},
            {"DelAddress2", c.delAddress2},
            {"DelAddress3", c.delAddress3},
            {"DelAddress4", c.delAddress4},
            {"DelAddress5", c.delAddress5}};
}

std::optional<qint64> customerRow(const QString& custId) {
    Statement s(Database::shared(), "SELECT rowid FROM \"Customers\" WHERE \"CustID\" = ? LIMIT 1");
    s.bind(1, custId);
    if (!s.step()) return std::nullopt;
    return s.value(0).toLongLong();
}

QDate dateOf(const QVariant& value) {
    return Field_To_String(value).isEmpty() ? QDate() : value.toDateTime().date();
}

const char* HistoryColumns = "\"InvNo\", \"Date\", \"Total\", \"Paid\", \"Balance\", \"Notes\"";

// One history invoice from a result row of HistoryColumns.
HistoryInvoice historyInvoiceFrom(const Statement& s) {
    return {Field_To_String(s.value(0)), dateOf(s.value(1)), Field_To_Currency(s.value(2)),
            Field_To_Currency(s.value(3)), Field_To_Currency(s.value(4)), Field_To_String(s.value(5))};
}
}  // namespace

std::optional<CustomerRecord> loadCustomer(const QString& custId) {
    Statement s(Database::shared(),
                "SELECT \"CustID\", \"Date\", \"FirstName\", \"LastName\", \"Phone\", \"Mobile\", \"Email\", \"Fax\", "
                "\"Address\", \"Address2\", \"City\", \"address4\", \"Postcode\", \"DelAddress1\", \"DelAddress2\", "
                "\"DelAddress3\", \"DelAddress4\", \"DelAddress5\", \"notes\" "
                "FROM \"Customers\" WHERE \"CustID\" = ? LIMIT 1");
    s.bind(1, custId);
    if (!s.step()) return std::nullopt;
    int c = 0;
    auto text = [&] { return Field_To_String(s.value(c++)); };
    CustomerRecord r;
    r.custId = text();
    r.date = dateOf(s.value(c++));
    for (QString* field : {&r.firstName, &r.lastName, &r.phone, &r.mobile, &r.email, &r.fax, &r.address,
                           &r.address2, &r.city, &r.address4, &r.postcode, &r.delAddress1, &r.delAddress2,
                           &r.delAddress3, &r.delAddress4, &r.delAddress5, &r.notes})
        *field = text();
    return r;
}

void saveCustomer(const CustomerRecord& customer) {
    if (const auto row = customerRow(customer.custId))
        updateRow(customersTable(), *row, customerValues(customer));
    else
        insertRow(customersTable(), customerValues(customer));
}

bool customerNumberOnFile(const QString& number) { return numberOnFile("Customers", "CustID", number); }

void writeCustomerStart(const QString& start) { writeStartNumber("CustStart", start); }

void readCustomerSearchList(const std::function<void(const CustomerSearchEntry&)>& each) {
    Statement s(Database::shared(),
                "SELECT \"CustID\", \"LastName\", \"FirstName\", \"Phone\" FROM \"Customers\" ORDER BY rowid");
    while (s.step()) each({s.utf8(0), s.utf8(1), s.utf8(2), s.utf8(3)});
}

std::vector<HistoryInvoice> invoiceHistory(const QString& custId) {
    // Those filed under the number exactly as written.
    Statement s(Database::shared(), QString("SELECT %1 FROM \"Invoices\" WHERE %2 ORDER BY \"CustNo\", rowid")
                                        .arg(HistoryColumns, Schema::exactlyEqual("CustNo", 1)));
    s.bind(1, custId);
    std::vector<HistoryInvoice> invoices;
    while (s.step()) invoices.push_back(historyInvoiceFrom(s));
    return invoices;
}

std::optional<HistoryInvoice> historyInvoice(const QString& invNo) {
    Statement s(Database::shared(),
                QString("SELECT %1 FROM \"Invoices\" WHERE \"InvNo\" = ? LIMIT 1").arg(HistoryColumns));
    s.bind(1, invNo);
    if (!s.step()) return std::nullopt;
    return historyInvoiceFrom(s);
}

std::optional<Currency> deleteHistoryInvoice(const QString& invNo) {
    return deleteInvoiceAndLines(invNo, LinesWithoutHeader::Delete);
}

namespace {
const char* CustomerListColumns = "\"CustID\", \"LastName\", \"FirstName\", \"Phone\", \"Address\", \"Address2\", "
                                  "\"City\", \"address4\", \"Postcode\"";

CustomerListEntry customerListEntryFrom(const Statement& s) {
    return {s.utf8(0), s.utf8(1), s.utf8(2), s.utf8(3), s.utf8(4), s.utf8(5), s.utf8(6), s.utf8(7), s.utf8(8)};
}
}  // namespace

void readCustomerList(const std::function<void(const CustomerListEntry&)>& each) {
    Statement s(Database::shared(), QString("SELECT %1 FROM \"Customers\" ORDER BY rowid").arg(CustomerListColumns));
    while (s.step()) each(customerListEntryFrom(s));
}

bool readCustomerListEntry(const QString& custId, const std::function<void(const CustomerListEntry&)>& each) {
    Statement s(Database::shared(),
                QString("SELECT %1 FROM \"Customers\" WHERE \"CustID\" = ? LIMIT 1").arg(CustomerListColumns));
    s.bind(1, custId);
    if (!s.step()) return false;
    each(customerListEntryFrom(s));
    return true;
}

qint64 invoicesFiledUnder(const QString& custId) {
    // Those filed under the number exactly as written.
    Statement s(Database::shared(), "SELECT COUNT(*) FROM \"Invoices\" WHERE " + Schema::exactlyEqual("CustNo", 1));
    s.bind(1, custId);
    qint64 count = s.step() ? s.integer(0) : 0;
    if (custId.isEmpty()) {
        Statement nulls(Database::shared(), "SELECT COUNT(*) FROM \"Invoices\" WHERE \"CustNo\" IS NULL");
        if (nulls.step()) count += nulls.integer(0);
    }
    return count;
}

bool deleteCustomer(const QString& custId) {
    Database& db = Database::shared();
    Transaction transaction(db);
    const auto row = customerRow(custId);
    if (!row) return false;
    Statement(db, "DELETE FROM \"Customers\" WHERE rowid = ?").bind(1, *row).run();
    transaction.commit();
    return true;
}
