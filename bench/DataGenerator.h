#pragma once
// Fills a database made by our creation code with a large, plausible data
// set for the benchmarks: customers, their invoices and invoice lines.
#include "platform/Currency.h"
#include "platform/Database.h"
#include <QDate>
#include <QString>
#include <random>

struct DataSetSize {
    int customers = 100000;
    int invoices = 300000;
    int lines = 1000000;
};

inline void generateDataSet(Database& db, const DataSetSize& size, unsigned seed = 42) {
    std::mt19937 random(seed);
    auto pick = [&](int n) { return int(random() % unsigned(n)); };
    static const char* first[] = {"Anna", "Ben", "Clara", "David", "Erin", "Farid", "Grace", "Hugo"};
    static const char* last[] = {"Smith", "Jones", "O'Brien", "Nguyen", "Patel", "Kowalski", "Brown"};
    Transaction tx(db);
    Statement customer(db,
        "INSERT INTO Customers (CustID, \"Date\", FirstName, LastName, Phone, Address, City, Postcode) "
        "VALUES (?, ?, ?, ?, ?, ?, ?, ?)");
    for (int i = 0; i < size.customers; ++i) {
        customer.reset();
        customer.bindAll({QString("CUS%1").arg(100001 + i), QDate(2020, 1, 1).addDays(pick(2000)),
                          QString(first[pick(8)]), QString(last[pick(7)]) + QString::number(i),
                          QString("0%1").arg(100000000 + pick(899999999)),
                          QString("%1 High Street").arg(1 + pick(200)), QString("Town %1").arg(pick(500)),
                          QString("PC%1").arg(pick(9999))});
        customer.run();
    }
    Statement invoice(db,
        "INSERT INTO Invoices (InvNo, \"Date\", CustNo, CustomerName, Subtotal, Vat, Total, Paid, Balance, TaxPer) "
        "VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?, 17.5)");
    Statement line(db,
        "INSERT INTO InvoiceD (InvNo, PartID, Qty, Description, Amount, Total, Taxable) VALUES (?, ?, ?, ?, ?, ?, ?)");
    int linesLeft = size.lines;
    for (int i = 0; i < size.invoices; ++i) {
        const QString number = QString("INV%1").arg(100001 + i);
        const int invoicesLeft = size.invoices - i;
        const int count = invoicesLeft == 1 ? linesLeft : std::min(8, std::max(1, linesLeft / invoicesLeft + pick(3) - 1));
        Currency subtotal;
        for (int l = 0; l < count && linesLeft > 0; ++l, --linesLeft) {
            const int qty = 1 + pick(20);
            const Currency price = Currency::fromRaw(10000 * (1 + pick(500)));
            const Currency total = price.times(qty);
            subtotal += total;
            line.reset();
            line.bindAll({number, QString("ITE%1").arg(100001 + pick(5000)), qty, QString("Item %1").arg(l),
                          QVariant::fromValue(price), QVariant::fromValue(total), 1});
            line.run();
        }
        const Currency vat = subtotal.percent(17.5).rounded(2);
        const Currency total = subtotal + vat;
        const Currency paid = pick(3) == 0 ? total : Currency();
        invoice.reset();
        invoice.bindAll({number, QDate(2024, 1, 1).addDays(pick(1000)),
                         QString("CUS%1").arg(100001 + pick(size.customers)), QString("Customer %1").arg(i),
                         QVariant::fromValue(subtotal), QVariant::fromValue(vat), QVariant::fromValue(total),
                         QVariant::fromValue(paid), QVariant::fromValue(total - paid)});
        invoice.run();
    }
    tx.commit();
}
