#pragma once
#include "platform/Database.h"
#include <QString>
#include <optional>

// Whether the text is digits 0-9 only ("" is).
bool allDigits(const QString& text);

// Whether a row of the table holds this key in the column of the named
// index, without regard to case (as the key columns compare). Asks as often
// as needed on one prepared query.
class KeyOnFile {
public:
    KeyOnFile(const QString& table, const QString& index);
    bool operator()(const QString& key);

private:
    Statement query_;
};

// "Is this number on file": the one check the editors and the settings
// dialog make before they use a number.
bool numberOnFile(const QString& table, const QString& index, const QString& number);

// Writes a start-number column (Invstart, CustStart, PartStart) of the
// settings row; the caller then sets the settings value.
void writeStartNumber(const QString& column, const QString& start);

// The counter after a record numbered automatically was saved: all the digit
// characters of the saved number (prefix digits included) read as one
// number, plus 1, zero-filled to the length of the current counter and cut
// to its rightmost characters (so all nines wrap to all zeros).
QString nextStartNumber(const QString& savedNumber, const QString& currentStart);

// The automatic number to propose for a new record: the first of
// prefix + start (as given), prefix + Zero_Pad(start + 1, width),
// prefix + Zero_Pad(start + 2, width), ... that no row of the table uses as
// the key of the named index, compared without regard to case. The width is
// the length of start; the counting wraps from all nines to all zeros.
// Nothing when every number of that width is in use. TypeMismatch when start,
// blanks removed, is not made of digits.
std::optional<QString> proposeNumber(const QString& table, const QString& index, const QString& prefix,
                                     const QString& start);

// What the editors say when proposeNumber found no free number.
inline const char* numbersUsedUpMessage() {
    return "Every number of this width is already in use. Please enter a longer start number in the settings.";
}
inline const char* numbersUsedUpTitle() { return "No Free Number"; }
