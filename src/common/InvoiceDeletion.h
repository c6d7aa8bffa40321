#pragma once
#include "platform/Currency.h"
#include <QString>
#include <optional>

// What becomes of the lines filed under the number when no invoice header
// has it: the customer's history clears them away all the same, the
// invoice list leaves everything as it is.
enum class LinesWithoutHeader { Keep, Delete };

// The lines of an invoice are those filed under exactly its number, letter
// case counted: never the lines of a number that differs only in case.
// Deletes them, inside the caller's transaction where there is one.
void deleteInvoiceLines(const QString& invNo);

// Deletes the invoice header whose number is `headerNo` (letter case
// ignored) and the lines filed under exactly its trimmed number, together
// or not at all: never the lines of a number that merely begins the same.
// The balance of the deleted header; nothing when no header had the number.
std::optional<Currency> deleteInvoiceAndLines(const QString& headerNo, LinesWithoutHeader orphans);
