#pragma once
#include <QDate>
#include <QString>
#include <QVariant>
#include <memory>

class ShapeRecordset;

// The six comma-separated exports: customers in summary and in detail and
// invoices over a date range, invoices with their lines, items, and debtors
// split by age. No widget is involved here; the export window calls these.
namespace ExportFiles {

enum class Export { SummaryCustomers, DetailedCustomers, Invoices, InvoiceDetails, Parts, Debtors };

// The export's procedure name, as its error report gives it.
QString procedureName(Export which);

enum class Outcome { Written, NoRecords };

// Writes the export into the file at path, streaming the records from the
// query to the file; from and to (whole days, both included) choose the
// customers and invoices by their date. With no records the customer,
// invoice and item files are left on disk empty, while the debtors file is
// not touched at all. The debtors export first rewrites the age split of
// every unpaid invoice for today. The file is written whole or not at all:
// an error (raised when the file cannot be written, naming the system's
// reason) leaves an older file of that name as it was. The records are read
// into rows, which is closed and let go when the export ends, however it ends.
Outcome write(Export which, const QString& path, const QDate& from, const QDate& to,
              std::shared_ptr<ShapeRecordset>& rows);

// The texts the files give stored values. Numbers: a blank before zero and
// positive values, "-" before negative ones, "." as the point, no thousands
// separators and no trailing zeros (" 12.5", "-3.25", " 0").
// A money column; an absent amount is 0.
QString moneyText(const QVariant& value);
// A line's price or total: rounded to two decimals, a half away from zero.
QString lineMoneyText(const QVariant& value);
// A quantity or a percentage; an absent one is 0.
QString plainNumberText(const QVariant& value);
// An invoice date as a spreadsheet reads it in any locale: YYYY-MM-DD, and
// " hh:mm:ss" when it carries a time of day; an absent one is empty.
QString invoiceDateText(const QVariant& value);

}  // namespace ExportFiles
