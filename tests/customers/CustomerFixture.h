#pragma once
// What the customer window tests share: a settings row, customers and
// invoices on file, and stand-ins for the windows the editor opens.
#include "support/FakeWindow.h"
#include "common/HandOver.h"
#include "common/Opener.h"
#include "common/SettingsValues.h"
#include "platform/Currency.h"
#include "platform/Database.h"
#include <QDate>
#include <functional>

namespace fixture {

inline void settingsRow(const QString& prefix, const QString& start, int freeForm) {
    Statement(Database::shared(), "INSERT INTO System (CustPrefix, CustStart, FreeformCus, TaxAmount, Text3Name, Text4Name) "
              "VALUES (?, ?, ?, 0, '', '')")
        .bindAll({prefix, start, freeForm})
        .run();
    gSettings.CustPrefix = prefix;
    gSettings.CustStart = start;
    gSettings.FreeformCus = freeForm;
    gSettings.FaxVisible = gSettings.phoneVisible = gSettings.emailVisible = 1;
    gSettings.shippingVisible = gSettings.mobileVisible = 1;
}

inline void addCustomer(const QString& id, const QVariant& first = "Ann", const QVariant& last = "Lee",
                        const QVariant& phone = QVariant()) {
    Statement(Database::shared(), "INSERT INTO Customers (CustID, FirstName, LastName, Phone) VALUES (?, ?, ?, ?)")
        .bindAll({id, first, last, phone})
        .run();
}

inline QVariant value(const QString& sql, const std::vector<QVariant>& values = {}) {
    Statement s(Database::shared(), sql);
    s.bindAll(values);
    return s.step() ? s.value(0) : QVariant();
}

inline QString customerField(const QString& id, const QString& column) {
    return value(QString("SELECT \"%1\" FROM Customers WHERE CustID = ? COLLATE BINARY").arg(column), {id})
        .toString();
}

inline int count(const QString& table) { return value(QString("SELECT COUNT(*) FROM %1").arg(table)).toInt(); }

inline Currency money(const char* text) { return Currency::fromText(text); }

inline void addInvoice(const QString& number, const QString& customer, const char* total, const char* paid,
                       const char* balance, const QString& notes = QString(), int lines = 0) {
    Statement(Database::shared(),
              "INSERT INTO Invoices (InvNo, CustNo, \"Date\", Total, Paid, Balance, Notes) VALUES (?, ?, ?, ?, ?, ?, ?)")
        .bindAll({number, customer, QDate(2025, 3, 7), QVariant::fromValue(money(total)),
                  QVariant::fromValue(money(paid)), QVariant::fromValue(money(balance)), notes})
        .run();
    for (int i = 0; i < lines; ++i)
        Statement(Database::shared(), "INSERT INTO InvoiceD (InvNo, Description) VALUES (?, ?)")
            .bindAll({number, QString("line %1").arg(i)})
            .run();
}

// A stand-in registered under a window's name: when shown it notes what it
// was handed, runs `act`, and closes.
struct FakeWindow {
    QString name;
    int opened = 0;
    HandOverValues seen;
    SettingsValues settingsSeen;
    std::function<void()> act;
    explicit FakeWindow(const QString& windowName, std::function<void()> action = {})
        : name(windowName), act(std::move(action)) {
        addFakeWindow(name, [this] {
            ++opened;
            seen = gHandOver;
            settingsSeen = gSettings;
            if (act) act();
        });
    }
    ~FakeWindow() { Opener::remove(name); }
};

}  // namespace fixture
