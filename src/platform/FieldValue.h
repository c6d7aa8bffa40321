#pragma once
#include "platform/Schema.h"
#include <QVariant>

// Field values are QVariants: an invalid QVariant is Null. Text columns give
// QString, integer columns int, currency columns Currency, double columns
// double and date columns QDateTime.
namespace FieldValue {

// The value a column stores for what a caller assigns: Null stays Null,
// numbers and dates are converted to the column's type, numeric text is read
// as a number. TypeMismatch, Overflow or FieldTooSmall when it cannot be stored.
QVariant toColumn(const Schema::Column& column, const QVariant& value);

// What a new row holds in a column it leaves unset: 0 of the column's kind
// for numbers, Null for texts and dates.
QVariant defaultValue(const Schema::Column& column);

bool isNull(const QVariant& v);
bool isNumeric(const QVariant& v);

}  // namespace FieldValue
