#pragma once
#include <QDate>
#include <QDateTime>
#include <QString>
#include <string_view>

// The system short date of this program: dd/MM/yyyy, four-digit year.
QString shortDate(const QDate& date);
// The same written into out (room for 16 units) without a QString; its length.
int shortDateInto(const QDate& date, char16_t* out);
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
// The date of a stored ISO date or date-time, read straight from its UTF-8
// bytes; an invalid date when it is neither.
QDate storedIsoDate(std::string_view utf8);
