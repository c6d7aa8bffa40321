#pragma once
#include <QDate>
#include <QDateTime>
#include <QString>

// The system short date of this program: dd/MM/yyyy, four-digit year.
QString shortDate(const QDate& date);
// A short-date text read back; an invalid date when it is none.
QDate parseShortDate(const QString& text);
// A stored date text (short date, or ISO) read back; the fallback when it
// is empty or no date at all.
QDate storedDate(const QString& text, const QDate& fallback);
// Today's date as the short-date text.
QString todayShortDate();

// How dates are held in the database: ISO text.
QString isoDate(const QDate& date);
QString isoDateTime(const QDateTime& dateTime);
// An ISO date or date-time text read back (a date with midnight when no time).
QDateTime parseIsoDateTime(const QString& text);
