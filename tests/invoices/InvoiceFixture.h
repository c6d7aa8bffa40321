#pragma once
// A small stored world for the invoice tests: a settings row and invoices.
#include "common/SettingsValues.h"
#include "invoices/InvoiceRecord.h"
#include "platform/Database.h"
#include "support/TestSupport.h"
#include <QStringList>

namespace fixture {

inline void settingsRow(const QString& prefix, const QString& start, double taxAmount = 17.5) {
    Statement s(Database::shared(),
                "INSERT INTO \"System\" (InvPrefix, Invstart, TaxAmount, TaxEnabled, TaxName, ConfirmAll, "
                "FreeFormInv, Text1Name, Text1Visible, Text2Name, Text2Visible, Text3Name, Text3Visible, "
                "Text4Name, Text4Visible) VALUES (?, ?, ?, ?, 'VAT', 1, 0, 'Sales Person', 1, 'Order', 1, "
                "'Shipped', 1, 'Tracking', 0)");
    s.bindAll({prefix, start, taxAmount, taxAmount != 0 ? 1 : 0}).run();
    loadSettingsValues();
}

// A fresh program folder with its database and a settings row.
struct World {
    TestProgram program;
    explicit World(const QString& prefix = "INV", const QString& start = "0001", double taxAmount = 17.5) {
        program.createDatabase();
        settingsRow(prefix, start, taxAmount);
    }
};

inline InvoiceLine line(const QString& part, int qty, const char* amount, bool taxable = false,
                        const QString& description = "Widget") {
    InvoiceLine l;
    l.partId = part;
    l.qty = qty;
    l.description = description;
    l.amount = Currency::fromText(amount);
    l.total = l.amount.times(qty);
    l.taxable = taxable;
    return l;
}

inline InvoiceRecord invoice(const QString& number, int lines) {
    InvoiceRecord v;
    v.invNo = number;
    v.custNo = "CUS0001";
    v.customerName = "Ann Smith";
    v.date = QDate(2026, 3, 14);
    for (int i = 0; i < lines; ++i) v.lines.push_back(line(QString("P%1").arg(i), i + 1, "10.00"));
    for (const InvoiceLine& l : v.lines) v.subtotal += l.total;
    v.total = v.subtotal;
    v.balance = v.total;
    v.taxPer = 17.5;
    return v;
}

inline QVariant header(const QString& number, const QString& column) {
    Statement s(Database::shared(), QString("SELECT \"%1\" FROM \"Invoices\" WHERE \"InvNo\" = ?").arg(column));
    s.bind(1, number);
    return s.step() ? s.value(0) : QVariant();
}

inline void setHeader(const QString& number, const QString& column, const QVariant& value) {
    Statement s(Database::shared(), QString("UPDATE \"Invoices\" SET \"%1\" = ? WHERE \"InvNo\" = ?").arg(column));
    s.bindAll({value, number}).run();
}

// The lines stored under exactly the number as "part qty amount total taxable description", in their order.
inline QStringList lines(const QString& number) {
    Statement s(Database::shared(), "SELECT PartID, Qty, Amount, Total, Taxable, Description FROM InvoiceD "
                                    "WHERE InvNo = ? COLLATE BINARY ORDER BY rowid");
    s.bind(1, number);
    QStringList out;
    while (s.step())
        out << QString("%1 %2 %3 %4 %5 %6")
                   .arg(s.value(0).toString(), s.value(1).toString(), s.value(2).value<Currency>().toFixed(2),
                        s.value(3).value<Currency>().toFixed(2), s.value(4).toString(), s.value(5).toString());
    return out;
}

// Every column of the invoice and of its lines as SQL literals, in their
// order, so that a value written back in another type or form shows.
inline QStringList storedAsIs(const QString& number) {
    auto rowsOf = [&](const QString& table) {
        QStringList columns;
        Statement info(Database::shared(), QString("PRAGMA table_info(\"%1\")").arg(table));
        while (info.step()) columns << QString("quote(\"%1\")").arg(info.value(1).toString());
        Statement s(Database::shared(), QString("SELECT %1 FROM \"%2\" WHERE InvNo = ? COLLATE BINARY ORDER BY rowid")
                                            .arg(columns.join(", "), table));
        s.bind(1, number);
        QStringList out;
        while (s.step()) {
            QStringList row;
            for (int i = 0; i < columns.size(); ++i) row << s.value(i).toString();
            out << table + ": " + row.join(" | ");
        }
        return out;
    };
    return rowsOf("Invoices") + rowsOf("InvoiceD");
}

inline QString storedInvstart() {
    Statement s(Database::shared(), "SELECT Invstart FROM \"System\"");
    return s.step() ? s.value(0).toString() : QString();
}

inline int invoiceCount() {
    Statement s(Database::shared(), "SELECT count(*) FROM Invoices");
    s.step();
    return s.value(0).toInt();
}

}  // namespace fixture
