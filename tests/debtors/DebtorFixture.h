#pragma once
// A few customers and unpaid invoices seen from a fixed today, for the
// debtors list and the reminder letters.
#include "platform/Currency.h"
#include "platform/Database.h"
#include "support/TableFixture.h"
#include <QDate>
#include <QDateTime>
#include <QStringList>
#include <QVariant>
#include <vector>

namespace debtors {

inline const QDate FixedToday(2026, 12, 10);

inline QVariant money(const char* text) { return QVariant::fromValue(Currency::fromText(text)); }
inline QVariant daysAgo(int days) { return QDateTime(FixedToday.addDays(-days), QTime(0, 0)); }

inline void addCustomer(const QString& id, const QVariant& first, const QVariant& last, const QVariant& phone = {},
                        const QVariantList& address = {}) {
    std::vector<QVariant> values = {id, first, last, phone};
    for (int i = 0; i < 5; ++i) values.push_back(address.value(i));
    insertRow("Customers", {"CustID", "FirstName", "LastName", "Phone", "Address", "Address2", "City", "address4",
                         "Postcode"},
              values);
}

inline void addInvoice(const QString& number, const QString& custNo, const QVariant& date, const QVariant& balance,
                       const QVariant& notes = {}, const QVariant& reminders = {}) {
    insertRow("Invoices",
              {"InvNo", "CustNo", "Date", "Total", "Paid", "WrittenOff", "Balance", "Notes", "ReminderSent"},
              {number, custNo, date, money("250.75"), money("100"), money("0.5"), balance, notes, reminders});
}

inline QVariant value(const QString& sql, const std::vector<QVariant>& values = {}) {
    Statement s(Database::shared(), sql);
    s.bindAll(values);
    return s.step() ? s.value(0) : QVariant();
}

// Every row of a query, each its columns as text ("<null>" for Null).
inline std::vector<QStringList> rows(const QString& sql) {
    Statement s(Database::shared(), sql);
    std::vector<QStringList> out;
    while (s.step()) {
        QStringList row;
        for (int i = 0; i < s.columnCount(); ++i) {
            const QVariant v = s.value(i);
            if (v.isNull()) row << "<null>";
            else if (v.userType() == qMetaTypeId<Currency>()) row << v.value<Currency>().toText();
            else if (v.userType() == QMetaType::QDateTime) row << v.toDateTime().date().toString(Qt::ISODate);
            else row << v.toString();
        }
        out.push_back(row);
    }
    return out;
}

// The usual small company: two customers, one of them with two invoices,
// and invoices on every side of the buckets' bounds.
inline void addCompany() {
    addCustomer("C1", "Ann", "Lee", "0123", {"1 High St", QVariant(), "Town", QVariant(), "AB1 2CD"});
    addCustomer("C2", "Bo", "Ng", "0456", {QVariant(), QVariant(), "City", QVariant(), QVariant()});
    addInvoice("I-today", "C1", daysAgo(0), money("10"), "first", 2);
    addInvoice("I-30", "C2", daysAgo(30), money("20.5"));
    addInvoice("I-31", "c1", daysAgo(31), money("30"));            // the key matches without regard to case
    addInvoice("I-60", "C2", daysAgo(60), money("40"), QVariant(), 0);
    addInvoice("I-61", "C1", daysAgo(61), money("50.25"));
    addInvoice("I-tomorrow", "C1", daysAgo(-1), money("1000"));     // in no bucket
    addInvoice("I-paid", "C1", daysAgo(5), money("0"));
    addInvoice("I-credit", "C1", daysAgo(5), money("-5"));
    addInvoice("I-null", "C1", daysAgo(5), QVariant());
    addInvoice("I-nocust", "GONE", daysAgo(45), money("7.77"));     // counts, but no row
    addInvoice("I-1900", "C2", QDateTime(QDate(1900, 1, 1), QTime(0, 0)), money("1"));
    addInvoice("I-2200", "C2", QDateTime(QDate(2200, 1, 1), QTime(0, 0)), money("1"));
}

}  // namespace debtors
