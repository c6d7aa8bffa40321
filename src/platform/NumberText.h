#pragma once
#include "platform/Currency.h"
#include "platform/MoneySum.h"
#include <QString>
#include <optional>

// Reads the leading number of a text: blanks, tabs and line feeds are passed
// over wherever they stand; an optional sign, digits with one "." as the point
// and an optional exponent; reading stops at the first character that cannot
// continue the number. No digits give 0. The point is "." whatever the locale.
// Overflow when the number is beyond a double.
double Val(const QString& text);

// The same reading without floating point, for amounts: the leading number
// rounded to four decimals (a half away from zero). Overflow when too large.
Currency ValCurrency(const QString& text);

// The same reading for a sum, exact whatever its size, so that a total shown
// as text reads back as the sum it shows. Sums are written without an
// exponent, so reading stops at one.
MoneySum ValSum(const QString& text);

// The whole text as one decimal number (blanks around it allowed), or nothing
// when it is not a number at all.
std::optional<Currency> readDecimal(const QString& text);
