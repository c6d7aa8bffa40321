#pragma once
#include "invoices/InvoiceRecord.h"
#include <QString>
#include <optional>

namespace ListKit { class RowBuilder; }

// The invoice list's columns and the cell its Date header sorts by.
namespace InvoiceList {
QStringList headers();
constexpr int DateColumn = 1;
constexpr int NameColumn = 3;
constexpr int AmountColumn = 4;
constexpr int BalanceColumn = 5;
constexpr int NotesColumn = 6;
// The date as a date, the amount and balance as amounts.
enum SortKey { DateKey, AmountKey, BalanceKey, HiddenSortKeys };
constexpr int FindCells = 4;        // tested after the number: date, customer id and name, amount
}

// The customer cells of a row: the id and the name.
struct InvoiceCustomerCells {
    QString custId;
    QString name;
};

// The invoice list's row of one invoice: number, short date, customer id
// and name, amount and balance as ten right-aligned characters, notes, and
// the date, amount and balance as the hidden sort keys. The customer cells are the invoice's own
// unless others are given. No key is set.
void invoiceListRow(const InvoiceListEntry& invoice, ListKit::RowBuilder& row,
                    const std::optional<InvoiceCustomerCells>& customer = std::nullopt);

// The customer cells from the customer record now on file, as rows added
// or refreshed after an edit show them: the id and "Last First". Nothing
// when no customer has that number, compared exactly, or, with `trimmed`,
// exactly after blanks are trimmed from both.
std::optional<InvoiceCustomerCells> currentCustomerCells(const QString& custNo, bool trimmed);

// What the invoice list does after the Add route (customer editor or
// search, and the invoice editor behind them) has closed: add the row of
// the invoice saved, when that invoice is the one new row of the table and
// its number came back whole; else, when anything was saved or the table
// changed, read the whole list again, so that no saved invoice is missing
// and none is listed twice.
enum class AfterAddRoute { Unchanged, AddRow, Reload };
AfterAddRoute afterAddRoute(int invSaved, const QString& savedInvNo, const InvoiceTableMark& before,
                            const InvoiceTableMark& after, const QStringList& added);

// The key of a row added for an invoice just saved.
QString invoiceRowKey(const QString& invNo);
