#pragma once
// A small company for the export tests: customers, invoices with and without
// lines, items and debtors, with a comma, a quote, a Null and a negative
// amount among the values, seen from a fixed today.
#include "platform/Currency.h"
#include "support/TableFixture.h"
#include <QDate>
#include <QDateTime>
#include <QFile>
#include <QString>
#include <QVariant>
#include <vector>

namespace ExportFixture {

inline const QDate Today(2026, 12, 10);
inline const QDate From(2026, 10, 1);
inline const QDate To(2026, 12, 1);

inline QVariant money(const char* text) { return QVariant::fromValue(Currency::fromText(text)); }
inline QVariant at(int y, int m, int d, int h = 0, int min = 0) {
    return QDateTime(QDate(y, m, d), QTime(h, min));
}

inline void addCustomers() {
    const QStringList columns = {"CustID", "Date", "FirstName", "LastName", "Address", "Address2", "City",
                                 "address4", "Postcode", "Phone", "Mobile", "Fax", "Email", "DelAddress1",
                                 "DelAddress2", "DelAddress3", "DelAddress4", "DelAddress5", "notes"};
    insertRow("Customers", columns,
              {"C1", at(2026, 11, 1), "Ann", "Lee", "1 High St, Flat 2", QVariant(), "Town", "Shire", "AB1 2CD", "0123",
            "0789", "0456", "ann@lee.example", "Dock 4", "Quay Rd", "Port", "Shire", "ZZ9", "not exported"});
    insertRow("Customers", columns,
              {"C2", at(2026, 11, 15, 14, 5), "Bo \"Big\"", "Ng", "2 Low Rd", "Annexe", "City", QVariant(), "CD3",
            QVariant(), QVariant(), QVariant(), QVariant(), QVariant(), QVariant(), QVariant(), QVariant(),
            QVariant(), QVariant()});
    // On the last day, but after midnight: outside the range.
    insertRow("Customers", {"CustID", "Date", "FirstName"}, {"C3", at(2026, 12, 1, 8, 0), "Late"});
}

inline void addInvoices() {
    const QStringList columns = {"InvNo", "Date", "CustNo", "CustomerName", "Subtotal", "Vat", "Total", "Discount",
                                 "Paid", "WrittenOff", "Balance", "Notes", "DiscountPercentage", "SalesPerson",
                                 "SalesNo", "ShippedNo", "TrackingNo", "Balance1", "Balance2", "Balance3"};
    insertRow("Invoices", columns,
              {"INV1", at(2026, 11, 30), "C1", "Ann Lee", money("100"), money("17.5"), money("117.5"), money("0"),
            money("0"), money("0"), money("117.5"), "Call, first", 12.5, "Sam", "S-1", "Ship 1", "TR \"9\"",
            money("7"), money("8"), money("9")});
    // No lines, a credit balance, Nulls.
    insertRow("Invoices", columns,
              {"INV2", at(2026, 10, 1), "C2", "Bo Ng", money("0"), money("0"), money("0"), money("5"), money("0"),
            money("0"), money("-5"), QVariant(), QVariant(), QVariant(), QVariant(), QVariant(), QVariant(),
            money("7"), money("8"), money("9")});
    // Before the range: a debtor of 100 days.
    insertRow("Invoices", columns,
              {"INV3", at(2026, 9, 1), "C1", "Ann Lee", money("50"), money("0"), money("50"), money("0"), money("0"),
            money("0"), money("50"), "Old", 0.0, QVariant(), QVariant(), QVariant(), QVariant(), money("7"),
            money("8"), money("9")});
    // Dated tomorrow: exported as a debtor with the split it had.
    insertRow("Invoices", columns,
              {"INV4", at(2026, 12, 11), "C2", "Bo Ng", money("10"), money("0"), money("10"), money("0"), money("0"),
            money("0"), money("10"), QVariant(), 0.0, QVariant(), QVariant(), QVariant(), QVariant(), money("7"),
            money("8"), money("9")});
    // On the last day after midnight: outside the range; 8.6 days old.
    insertRow("Invoices", columns,
              {"INV5", at(2026, 12, 1, 9, 30), "C1", "Ann Lee", money("20"), money("0"), money("20"), money("0"),
            money("0.5"), money("-0.25"), money("19.75"), QVariant(), 0.0, QVariant(), QVariant(), QVariant(),
            QVariant(), QVariant(), QVariant(), QVariant()});

    const QStringList line = {"InvNo", "PartID", "Qty", "Description", "Amount", "Total", "Taxable"};
    // Another case of the number, filed first: not one of INV1's lines.
    insertRow("InvoiceD", line, {"inv1", "P9", 9, "Stray", money("1"), money("9"), 0});
    insertRow("InvoiceD", line, {"INV1", "P1", 2, "Widget", money("12.345"), money("24.69"), 1});
    insertRow("InvoiceD", line, {"INV3", "P1", 1, "Widget", money("50"), money("50"), 1});
    insertRow("InvoiceD", line, {"INV1", "P2", 1, "Say \"hi\", twice", money("3.456"), money("3.456"), 0});
    insertRow("InvoiceD", line, {"INV1", "BIG", -1, QVariant(), money("12345678.915"), money("-12345678.915"), 0});
}

inline void addItems() {
    const QStringList columns = {"ID", "ShortDesc", "Desc", "Price", "Taxable"};
    insertRow("Parts", columns, {"P1", "Widget", "A widget, blue", money("12.50"), 1});
    insertRow("Parts", columns, {"P2", "Gadget \"XL\"", QVariant(), QVariant(), 0});
    insertRow("Parts", columns, {"P3", "Refund", "Line one\r\nline two", money("-3.25"), 0});
}

inline void addAll() {
    addCustomers();
    addInvoices();
    addItems();
}

inline QByteArray contents(const QString& path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

inline void writeFile(const QString& path, const QByteArray& bytes) {
    QFile f(path);
    if (f.open(QIODevice::WriteOnly | QIODevice::Truncate)) f.write(bytes);
}

}  // namespace ExportFixture
