#pragma once
#include "platform/Currency.h"
#include <QDate>
#include <QString>
#include <functional>
#include <optional>
#include <string_view>
#include <vector>

// The stored customer, one Customers row, and what the customer windows
// read and write around it: the search list, the invoice history, the
// number check and the start number. No widget is involved here.
struct CustomerRecord {
    QString custId;
    QDate date;            // invalid when the row holds none
    QString firstName;
    QString lastName;
    QString phone;
    QString mobile;
    QString email;
    QString fax;
    QString address;
    QString address2;
    QString city;
    QString address4;
    QString postcode;
    QString delAddress1;
    QString delAddress2;
    QString delAddress3;
    QString delAddress4;
    QString delAddress5;
    QString notes;
};

// The customer of that number (letter case ignored); nothing when none has it.
std::optional<CustomerRecord> loadCustomer(const QString& custId);

// Writes every column but Discount: into the row of the customer's number
// when there is one (letter case ignored), else into a new row.
void saveCustomer(const CustomerRecord& customer);

// Whether a customer holds the number, letter case ignored.
bool customerNumberOnFile(const QString& number);

// The customer start number of the settings row.
void writeCustomerStart(const QString& start);

// One customer as the customer search lists it: its cells as stored
// (UTF-8), valid only during the call they are handed to; a value the row
// does not hold reads as empty.
struct CustomerSearchEntry {
    std::string_view custId;
    std::string_view lastName;
    std::string_view firstName;
    std::string_view phone;
};

// Every customer, in the order the table holds them, one at a time.
void readCustomerSearchList(const std::function<void(const CustomerSearchEntry&)>& each);

// One invoice of the customer's invoice history.
struct HistoryInvoice {
    QString invNo;
    QDate date;            // invalid when the row holds none
    Currency total;
    Currency paid;
    Currency balance;
    QString notes;
};

// The invoices filed under exactly that customer number (letter case
// counts), in the order of the customer-number index.
std::vector<HistoryInvoice> invoiceHistory(const QString& custId);

// The invoice of that number (letter case ignored); nothing when none has it.
std::optional<HistoryInvoice> historyInvoice(const QString& invNo);

// Deletes the invoice of that number (letter case ignored) and the lines
// filed under its trimmed number exactly, together or not at all. The
// balance of the deleted invoice; nothing when no invoice had the number.
std::optional<Currency> deleteHistoryInvoice(const QString& invNo);

// One customer as the customer list shows it: its texts as stored, in
// UTF-8 straight from the row (valid during the call only; "" for a value
// the row does not hold).
struct CustomerListEntry {
    std::string_view custId;
    std::string_view lastName;
    std::string_view firstName;
    std::string_view phone;
    std::string_view address;
    std::string_view address2;
    std::string_view city;
    std::string_view address4;
    std::string_view postcode;
};

// Every customer, in the order the table holds them, one at a time.
void readCustomerList(const std::function<void(const CustomerListEntry&)>& each);
// The customer of that number (letter case ignored); false when none has it.
bool readCustomerListEntry(const QString& custId, const std::function<void(const CustomerListEntry&)>& each);

// How many invoices are filed under exactly that customer number: letter
// case counts, nothing trimmed, an invoice without one counts for "".
qint64 invoicesFiledUnder(const QString& custId);

// Deletes the customer of that number (letter case ignored); false when
// none has it.
bool deleteCustomer(const QString& custId);
