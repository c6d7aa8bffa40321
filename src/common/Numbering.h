#pragma once
#include <QString>

// The counter after a record numbered automatically was saved: all the digit
// characters of the saved number (prefix digits included) read as one
// number, plus 1, zero-filled to the length of the current counter and cut
// to its rightmost characters (so all nines wrap to all zeros).
QString nextStartNumber(const QString& savedNumber, const QString& currentStart);
