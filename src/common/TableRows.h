#pragma once
#include "platform/Schema.h"
#include <QString>
#include <QVariant>
#include <utility>
#include <vector>

// Values of one row by column name, in the order they are written.
using ColumnValues = std::vector<std::pair<QString, QVariant>>;

// Each value is checked and converted as its column stores it first
// (FieldTooSmall, Overflow... when it cannot be), and bound, never pasted.
void insertRow(const Schema::Table& table, const ColumnValues& values);
void updateRow(const Schema::Table& table, qint64 rowid, const ColumnValues& values);
