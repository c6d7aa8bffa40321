#pragma once
// A row written as the program writes its rows (common/TableRows): each value
// checked and stored as its column keeps it. For fixtures that fill tables,
// the values given in the order of the columns named.
#include "common/TableRows.h"
#include <QStringList>
#include <QVariant>
#include <QtGlobal>
#include <vector>

inline void insertRow(const QString& table, const QStringList& columns, const std::vector<QVariant>& values) {
    const Schema::Table* stored = Schema::table(table);
    if (!stored) qFatal("No table %s", qPrintable(table));
    if (size_t(columns.size()) != values.size()) qFatal("%s: the columns and values differ in number", qPrintable(table));
    ColumnValues row;
    for (qsizetype i = 0; i < columns.size(); ++i) row.emplace_back(columns[i], values[size_t(i)]);
    insertRow(*stored, row);
}
