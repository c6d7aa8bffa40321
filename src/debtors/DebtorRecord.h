#pragma once
#include "debtors/Ageing.h"
#include "platform/MoneySum.h"
#include <QDate>
#include <QString>
#include <functional>
#include <vector>

class Database;

// What the debtors window, the debtors report and the debtors export read
// and write of the stored invoices. No widget is involved here.

// The pre-pass of the debtors report and export: every invoice with a
// positive balance gets its balance split over Balance1 to Balance3 by the
// ageing rule; one dated after today (or not dated) keeps the three as they
// were, and one that already holds its split is not written again. All rows
// in one transaction: all of them or, on a failure, none.
void writeAgedBalances(const QDate& today, Database& db);
void writeAgedBalances(const QDate& today);

// One aged invoice of the debtors list, with its customer's columns.
struct DebtorEntry {
    QString custId;
    QString lastName, firstName, phone;
    QString invNo;
    Ageing::Split split;
    QString notes;
    int remindersSent = 0;     // Null reads as 0
};

// What is owed per age bucket, over every aged invoice: sums, so that any
// number of invoices at the largest balance add up whole.
struct DebtorTotals {
    MoneySum upTo30, from31To60, from61;
    MoneySum all() const { return upTo30 + from31To60 + from61; }
};

// Every invoice in an age bucket, in table order, read by one query that
// finds each invoice's customer on its key. An invoice whose customer is
// missing counts in the totals but gives no entry.
DebtorTotals readDebtors(const QDate& today, const std::function<void(const DebtorEntry&)>& each, Database& db);
DebtorTotals readDebtors(const QDate& today, const std::function<void(const DebtorEntry&)>& each);

// The address block of a reminder letter: Address, then each of Address2,
// City, address4 and Postcode that is not empty on a line of its own (CR LF
// before it); a block without Address starts with a line break.
QString letterAddressBlock(const QString& address, const QString& address2, const QString& city,
                           const QString& address4, const QString& postcode);

// A ticked row of the debtors list: the letter goes to this customer about this invoice.
struct LetterChoice {
    QString custId;
    QString invNo;
};

// Makes the Letters table anew when the file's was made in an older form
// (narrower name and address columns), so that it takes a whole name and
// address block: its rows are only the last printing's letters, so nothing
// kept is lost. Nothing is done to a table the program made as it makes it
// now. Run when the file is opened, while nothing else is open on it.
void renewOlderLettersTable(Database& db);
void renewOlderLettersTable();

// Empties the Letters table and writes one letter per choice whose customer
// and invoice are both on file, in order, all in one transaction, whatever
// else is open on the file (a table of an older form is made anew first).
// Returns the invoice numbers of the letters written, in order.
std::vector<QString> writeLetters(const std::vector<LetterChoice>& choices, Database& db);
std::vector<QString> writeLetters(const std::vector<LetterChoice>& choices);

// The shaping query the letters are printed from: every row writeLetters wrote.
inline constexpr const char* LettersQuery = "SHAPE {SELECT * FROM Letters} as details";

// Adds one to the reminders sent of each invoice (Null counts as 0), all in
// one transaction.
void addReminderSent(const std::vector<QString>& invNos, Database& db);
void addReminderSent(const std::vector<QString>& invNos);

// Writes the start-up choice of the debtors window into the settings row,
// and into the settings value; false (nothing written) when there is no row.
bool writeDebtorstart(int value, Database& db);
bool writeDebtorstart(int value);
