#pragma once
#include "platform/Currency.h"
#include <QDate>
#include <QString>
#include <functional>
#include <optional>
#include <string_view>
#include <vector>

// The stored invoice: one Invoices row and its InvoiceD rows, in the order
// of the editor's rows. No widget is involved here.
struct InvoiceLine {
    QString partId;
    int qty = 1;
    QString description;
    Currency amount;
    Currency total;
    bool taxable = false;
};

struct InvoiceRecord {
    QString invNo;
    QString custNo;
    QDate date;
    Currency subtotal;
    Currency vat;
    Currency total;
    Currency discount;
    Currency paid;
    Currency writtenOff;
    Currency balance;
    QString notes;
    QString customerName;
    double discountPercentage = 0;
    QString salesPerson;
    QString salesNo;
    QString shippedNo;
    QString trackingNo;
    QString phone;
    double taxPer = 0;
    std::vector<InvoiceLine> lines;
};

// One editor row as its boxes hold it.
struct LineRowTexts {
    QString partId;
    QString qty;
    QString description;
    QString amount;
    QString total;
    bool taxable = false;
};

// A row is stored when any of its four entry boxes holds something.
bool lineRowFilled(const LineRowTexts& row);
// The stored line of a filled row: a quantity of 0 (or none) is stored as 1.
InvoiceLine storedLine(const LineRowTexts& row);

// The invoice of that number with at most maxLines of its lines; nothing
// when no invoice has that number.
std::optional<InvoiceRecord> loadInvoice(const QString& invNo, int maxLines = 8);

// Whether an invoice holds the number, without regard to case.
bool invoiceNumberInUse(const QString& number);

// The first value that does not fit its column ("Description of line 2 ...");
// empty when the whole invoice fits.
QString invoiceTooLong(const InvoiceRecord& invoice);

enum class InvoiceSave { New, Edit };

// Writes the header, replaces the lines of an edited invoice and, when
// newInvstart is not empty, the System row's Invstart: all or nothing. An
// edit keeps the row's age split and reminder count.
void saveInvoice(const InvoiceRecord& invoice, InvoiceSave kind, const QString& newInvstart = QString());

// One invoice as the invoice list shows it. Its texts are as stored, in
// UTF-8 straight from the row (valid during the call only; "" for a value
// the row does not hold); a missing date is an invalid one.
struct InvoiceListEntry {
    std::string_view invNo;
    QDate date;
    std::string_view custNo;
    std::string_view customerName;
    Currency total;
    Currency balance;
    std::string_view notes;
};

// Every invoice, in the order the table holds them, one at a time.
void readInvoiceList(const std::function<void(const InvoiceListEntry&)>& each);
// The invoice of that number (trimmed, letter case ignored); false when none has it.
bool readInvoiceListEntry(const QString& invNo, const std::function<void(const InvoiceListEntry&)>& each);

// Deletes the invoice of that number (trimmed, letter case ignored) and the
// lines filed under exactly its trimmed number, together or not at all.
// False, and nothing changed, when no invoice has the number.
bool deleteInvoice(const QString& invNo);

// Where the invoice table stands: how many rows it holds and its newest row.
struct InvoiceTableMark {
    qint64 rows = 0;
    qint64 newest = 0;
    bool operator==(const InvoiceTableMark&) const = default;
};
InvoiceTableMark invoiceTableMark();
// The numbers of the invoices written as rows after the mark, at most `limit`.
QStringList invoicesAddedSince(const InvoiceTableMark& mark, int limit);
