#pragma once
#include <QDate>

class Database;

// What the debtors window, the debtors report and the debtors export read
// and write of the stored invoices. No widget is involved here.

// The pre-pass of the debtors report and export: every invoice with a
// positive balance gets its balance split over Balance1 to Balance3 by the
// ageing rule; one dated after today (or not dated) keeps the three as they
// were. All rows in one transaction: all of them or, on a failure, none.
void writeAgedBalances(const QDate& today, Database& db);
void writeAgedBalances(const QDate& today);
