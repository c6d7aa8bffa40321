#pragma once
#include <QString>

// Whether the next automatic number of a kind is already on file: the row
// the index finds at or after the key is compared, letter case ignored.
namespace NumberChecks {
bool inUse(const QString& table, const QString& index, const QString& column, const QString& number);
}
