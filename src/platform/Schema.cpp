#include "platform/Schema.h"
#include <QStringList>

namespace Schema {
namespace {

Column text(const char* name, int size, bool nullable = true) { return {name, Type::Text, size, nullable}; }
Column integer(const char* name) { return {name, Type::Integer, 0, true}; }
Column currency(const char* name) { return {name, Type::Currency, 0, true}; }
Column real(const char* name, bool nullable = true) { return {name, Type::Double, 0, nullable}; }
Column date(const char* name) { return {name, Type::Date, 0, true}; }

std::vector<Table> build() {
    std::vector<Table> t;
    t.push_back({"Customers",
                 {text("CustID", 50, false), date("Date"), text("FirstName", 50), text("LastName", 50),
                  text("Phone", 50), text("Mobile", 50), text("Email", 50), text("Fax", 50),
                  text("Address", 50), text("Address2", 50), text("address4", 50), text("City", 50),
                  text("Postcode", 50), text("DelAddress1", 50), text("DelAddress2", 50),
                  text("DelAddress3", 50), text("DelAddress4", 50), text("DelAddress5", 50),
                  integer("Discount"), text("notes", 200)},
                 {{"CustID", "CustID", true, false}, {"PrimaryKey", "CustID", true, true}}});
    t.push_back({"InvoiceD",
                 {text("InvNo", 50, false), text("PartID", 50), integer("Qty"), text("Description", 200),
                  currency("Amount"), currency("Total"), integer("Taxable")},
                 {{"InvNo", "InvNo", false, false}, {"PartID", "PartID", false, false}}});
    t.push_back({"Invoices",
                 {text("InvNo", 50, false), date("Date"), text("CustNo", 50), text("CustomerName", 50),
                  text("SalesNo", 50), text("SalesPerson", 50), text("ShippedNo", 50),
                  text("TrackingNo", 50), currency("Discount"), real("DiscountPercentage"),
                  text("Notes", 150), currency("Subtotal"), currency("Vat"), currency("Total"),
                  currency("WrittenOff"), currency("Paid"), currency("Balance"), currency("Balance1"),
                  currency("Balance2"), currency("Balance3"), text("Phone", 50), real("TaxPer"),
                  integer("ReminderSent")},
                 {{"InvNo", "InvNo", true, false}, {"PrimaryKey", "InvNo", true, false},
                  {"CustNo", "CustNo", false, false}}});
    // A letter takes a whole name ("First Last") and a whole address block
    // of five lines.
    t.push_back({"Letters",
                 {text("Address", 258), text("Address2", 50), currency("Balance"), text("City", 50),
                  text("CustID", 50), date("Date"), date("Date2"), integer("Discount"),
                  currency("Discount2"), text("Email", 50), text("Fax", 50), text("FirstName", 101),
                  text("InvNo", 50), text("LastName", 50), text("Mobile", 50), text("notes", 50),
                  text("Notes2", 50), currency("Paid"), text("Phone", 50), text("Postcode", 50),
                  currency("Subtotal"), currency("Total"), currency("Vat"), currency("WrittenOff")},
                 {{"Paid", "Paid", false, false}}});
    t.push_back({"Parts",
                 {text("ID", 50, false), text("ShortDesc", 50), text("Desc", 200), currency("Price"),
                  integer("Taxable")},
                 {{"PrimaryKey", "ID", true, true}, {"ID", "ID", false, false}}});
    t.push_back({"System",
                 {text("BusinessName", 50), text("Address", 151), text("Contact", 50),
                  integer("ConfirmAll"), integer("ConfirmBackup"), integer("ConfirmExit"),
                  text("CrdPrefix", 50), text("CrdStart", 50), text("Currency", 50),
                  text("CustPrefix", 50), text("CustStart", 50), text("DateFormat", 50),
                  text("Debtorstart", 50), text("DefaultEnd", 50), text("DefaultStart", 50),
                  text("Email", 50), integer("emailVisible"), integer("FaxVisible"),
                  integer("FreeFormCrd"), integer("FreeformCus"), integer("FreeFormInv"),
                  integer("FreeformPart"), integer("includecompany"), integer("includeshipping"),
                  integer("includestatement"), integer("includeterms"), text("InvPrefix", 50),
                  text("Invstart", 50), text("Mobile", 50), integer("mobileVisible"),
                  text("NextCrd", 50), text("NextCust", 50), text("NextInv", 50), text("NextPart", 50),
                  text("PartPrefix", 50), text("PartStart", 50), text("Phone", 50),
                  integer("phoneVisible"), text("Reminder1", 255), text("Reminder2", 255),
                  text("Reminder3", 255), integer("Save"), integer("shippingVisible"),
                  integer("ShowShipping"), text("Statement", 100), real("TaxAmount", false),
                  integer("TaxEnabled"), text("TaxName", 50), text("TaxNo", 50), text("Terms", 255),
                  text("Terms1", 250), text("Text1Name", 50), integer("Text1Visible"),
                  text("Text2Name", 50), integer("Text2Visible"), text("Text3Name", 50, false),
                  integer("Text3Visible"), text("Text4Name", 50, false), integer("Text4Visible"),
                  text("Web", 50), integer("webVisible"), integer("Present"), text("InvoiceType", 50),
                  text("logopath", 200)},
                 {}});
    return t;
}

QString columnSql(const Column& c) {
    QString sql = quoted(c.name) + ' ' + declaredType(c.type);
    if (c.type == Type::Text) sql += " COLLATE " + collation(c.type);
    if (!c.nullable) sql += " NOT NULL";
    if (c.type == Type::Integer || c.type == Type::Currency || c.type == Type::Double) sql += " DEFAULT 0";
    if (c.type == Type::Text)
        sql += QString(" CHECK (length(%1) <= %2)").arg(quoted(c.name)).arg(c.size);
    return sql;
}
}  // namespace

const Column* Table::column(const QString& n) const {
    for (const auto& c : columns)
        if (c.name.compare(n, Qt::CaseInsensitive) == 0) return &c;
    return nullptr;
}

const Index* Table::index(const QString& n) const {
    for (const auto& i : indexes)
        if (i.name.compare(n, Qt::CaseInsensitive) == 0) return &i;
    return nullptr;
}

const std::vector<Table>& tables() {
    static const std::vector<Table> all = build();
    return all;
}

const Table* table(const QString& name) {
    for (const auto& t : tables())
        if (t.name.compare(name, Qt::CaseInsensitive) == 0) return &t;
    return nullptr;
}

// Declared types: the affinity SQLite gives them is what we store; the first
// word tells a result column's kind back to the record sets.
QString declaredType(Type type) {
    switch (type) {
    case Type::Text: return "TEXT";
    case Type::Integer: return "INTEGER";
    case Type::Currency: return "CURRENCY INTEGER";
    case Type::Double: return "REAL";
    case Type::Date: return "DATE TEXT";
    }
    return "TEXT";
}

// Text keys compare without regard to case.
QString collation(Type type) { return type == Type::Text ? "NOCASE" : "BINARY"; }

QString storedIndexName(const Table& t, const Index& i) { return t.name + '_' + i.name; }

QString createTableSql(const Table& t) {
    QStringList columns;
    for (const auto& c : t.columns) columns << columnSql(c);
    return QString("CREATE TABLE %1 (\n  %2\n)").arg(quoted(t.name), columns.join(",\n  "));
}

QString createIndexSql(const Table& t, const Index& i) {
    return QString("CREATE %1INDEX %2 ON %3 (%4)")
        .arg(i.unique ? "UNIQUE " : "", quoted(storedIndexName(t, i)), quoted(t.name), quoted(i.column));
}

QString quoted(const QString& identifier) {
    return '"' + QString(identifier).replace('"', "\"\"") + '"';
}

QString exactlyEqual(const QString& column, int parameter) {
    return QString("%1 = ?%2 AND %1 = ?%2 COLLATE BINARY").arg(quoted(column)).arg(parameter);
}

}  // namespace Schema
