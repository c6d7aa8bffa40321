#include "platform/SchemaCheck.h"
#include "platform/Schema.h"
#include <QStringList>
#include <sqlite3.h>

namespace {
// The rows of a query, each its columns as text; the failure, if any, in rc.
std::vector<QStringList> rowsOf(sqlite3* db, const char* sql, const QString& parameter, int& rc) {
    std::vector<QStringList> rows;
    sqlite3_stmt* stmt = nullptr;
    rc = sqlite3_prepare_v2(db, sql, -1, &stmt, nullptr);
    if (rc == SQLITE_OK && !parameter.isNull()) {
        const QByteArray utf8 = parameter.toUtf8();
        rc = sqlite3_bind_text(stmt, 1, utf8.constData(), int(utf8.size()), SQLITE_TRANSIENT);
    }
    while (rc == SQLITE_OK || rc == SQLITE_ROW) {
        rc = sqlite3_step(stmt);
        if (rc != SQLITE_ROW) break;
        QStringList row;
        for (int i = 0; i < sqlite3_column_count(stmt); ++i)
            row << QString::fromUtf8(reinterpret_cast<const char*>(sqlite3_column_text(stmt, i)),
                                     sqlite3_column_bytes(stmt, i));
        rows.push_back(row);
    }
    sqlite3_finalize(stmt);
    if (rc == SQLITE_DONE) rc = SQLITE_OK;
    return rows;
}

QString unreadable(int rc) {
    if ((rc & 0xff) == SQLITE_BUSY || (rc & 0xff) == SQLITE_LOCKED)
        return "The file is in use by another program and could not be read; try again when it has finished.";
    return "The file is not a database of this program.";
}

QString storedName(const std::vector<QStringList>& rows, const QString& name) {
    for (const QStringList& row : rows)
        if (row.value(0).compare(name, Qt::CaseInsensitive) == 0) return row.value(0);
    return QString();
}

bool sameWords(const QString& a, const QString& b) {
    return a.simplified().compare(b.simplified(), Qt::CaseInsensitive) == 0;
}

QString columnDifference(sqlite3* db, const Schema::Table& table, const QString& storedTable,
                         const QString& column, const Schema::Column& described) {
    const char* type = nullptr;
    const char* collation = nullptr;
    int notNull = 0;
    const int rc = sqlite3_table_column_metadata(db, "main", storedTable.toUtf8().constData(), column.toUtf8().constData(),
                                                 &type, &collation, &notNull, nullptr, nullptr);
    if (rc != SQLITE_OK) return unreadable(rc);
    const bool same = sameWords(QString::fromUtf8(type ? type : ""), Schema::declaredType(described.type)) &&
                      sameWords(QString::fromUtf8(collation ? collation : "BINARY"),
                                Schema::collation(described.type)) &&
                      bool(notNull) == !described.nullable;
    return same ? QString()
                : QString("The column %1 of the table %2 is not kept as this program keeps it.")
                      .arg(described.name, table.name);
}

QString tableDifference(sqlite3* db, const Schema::Table& described, const QString& stored) {
    int rc = SQLITE_OK;
    const auto columns = rowsOf(db, "SELECT name FROM pragma_table_info(?)", stored, rc);
    if (rc != SQLITE_OK) return unreadable(rc);
    for (const Schema::Column& c : described.columns) {
        const QString column = storedName(columns, c.name);
        if (column.isEmpty()) return QString("The table %1 has no column %2.").arg(described.name, c.name);
        if (const QString why = columnDifference(db, described, stored, column, c); !why.isEmpty()) return why;
    }
    for (const QStringList& row : columns)
        if (!described.column(row.value(0)))
            return QString("The table %1 has a column %2 that this program does not know.")
                .arg(described.name, row.value(0));
    return QString();
}
}  // namespace

QString schemaDifference(sqlite3* db) {
    int rc = SQLITE_OK;
    const auto tables = rowsOf(db, "SELECT name FROM sqlite_master WHERE type = 'table'", QString(), rc);
    if (rc != SQLITE_OK) return unreadable(rc);
    for (const Schema::Table& t : Schema::tables()) {
        const QString stored = storedName(tables, t.name);
        if (stored.isEmpty()) return QString("The file has no table %1.").arg(t.name);
        if (const QString why = tableDifference(db, t, stored); !why.isEmpty()) return why;
    }
    return QString();
}

namespace {
// A condition true for a value its column does not keep.
QString refusedValue(const Schema::Column& c) {
    const QString v = Schema::quoted(c.name);
    switch (c.type) {
    case Schema::Type::Text: return QString("(typeof(%1) = 'blob' OR length(%1) > %2)").arg(v).arg(c.size);
    case Schema::Type::Integer:
        return QString("(%1 IS NOT NULL AND NOT (typeof(%1) = 'integer' AND %1 BETWEEN -2147483648 AND 2147483647))")
            .arg(v);
    case Schema::Type::Currency: return QString("(%1 IS NOT NULL AND typeof(%1) <> 'integer')").arg(v);
    case Schema::Type::Double:
        return QString("(%1 IS NOT NULL AND (typeof(%1) <> 'real' OR abs(%1) > 1.7976931348623157e308))").arg(v);
    case Schema::Type::Date:
        // Exactly as the program stores a date, of a day that exists: the
        // day's own text again once taken as a point in time.
        return QString("(%1 IS NOT NULL AND (typeof(%1) <> 'text' OR %1 < '0001' OR "
                       "(%1 IS NOT strftime('%Y-%m-%d', %1, '+0 days') AND "
                       "%1 IS NOT strftime('%Y-%m-%d %H:%M:%S', %1, '+0 days'))))")
            .arg(v);
    }
    return "0";
}

QString keptKind(const Schema::Column& c) {
    switch (c.type) {
    case Schema::Type::Text: return QString("texts of up to %1 characters").arg(c.size);
    case Schema::Type::Integer: return "whole numbers";
    case Schema::Type::Currency: return "amounts";
    case Schema::Type::Double: return "numbers";
    case Schema::Type::Date: return "dates";
    }
    return QString();
}

// The column that tells a row apart to the user: the first index's, when it
// is a text that every row has.
const Schema::Column* keyOf(const Schema::Table& t) {
    if (t.indexes.empty()) return nullptr;
    const Schema::Column* key = t.column(t.indexes.front().column);
    return key && key->type == Schema::Type::Text && !key->nullable ? key : nullptr;
}

QString shortened(const QString& text) { return text.size() > 40 ? text.left(40) + QChar(0x2026) : text; }

// The one row and column found wrong, said as the user reads it.
QString refusal(sqlite3* db, const Schema::Table& t, qint64 row, const Schema::Column& c) {
    const Schema::Column* key = keyOf(t);
    int rc = SQLITE_OK;
    const auto found = rowsOf(db,
                              QString("SELECT quote(%1), typeof(%1), length(%1), %2 FROM %3 WHERE rowid = %4")
                                  .arg(Schema::quoted(c.name), key ? Schema::quoted(key->name) : "NULL",
                                       Schema::quoted(t.name))
                                  .arg(row)
                                  .toUtf8()
                                  .constData(),
                              QString(), rc);
    if (rc != SQLITE_OK || found.empty()) return unreadable(rc);
    const QStringList& value = found.front();
    const QString what = value[1] == "text" && c.type == Schema::Type::Text
                             ? QString("a text of %1 characters").arg(value[2])
                             : shortened(value[0]);
    const QString which = key ? QString(" (%1 %2)").arg(key->name, shortened(value[3])) : QString();
    return QString("Row %1 of the table %2%3 holds %4 in the column %5, which keeps %6.")
        .arg(row)
        .arg(t.name, which, what, c.name, keptKind(c));
}

QString tableValueDifference(sqlite3* db, const Schema::Table& t) {
    QStringList conditions, cases;
    for (size_t i = 0; i < t.columns.size(); ++i) {
        conditions << refusedValue(t.columns[i]);
        cases << QString("WHEN %1 THEN %2").arg(conditions.back(), QString::number(i));
    }
    const QString sql = QString("SELECT rowid, CASE %1 END FROM %2 WHERE %3 LIMIT 1")
                            .arg(cases.join(' '), Schema::quoted(t.name), conditions.join(" OR "));
    int rc = SQLITE_OK;
    const auto found = rowsOf(db, sql.toUtf8().constData(), QString(), rc);
    if (rc != SQLITE_OK) return unreadable(rc);
    if (found.empty()) return QString();
    return refusal(db, t, found.front()[0].toLongLong(), t.columns[size_t(found.front()[1].toInt())]);
}

// A key that a unique index of ours would find in two rows.
QString duplicateKey(sqlite3* db, const Schema::Table& t) {
    for (const Schema::Index& index : t.indexes) {
        if (!index.unique) continue;
        const QString key = Schema::quoted(index.column);
        const QString sql = QString("SELECT %1 FROM %2 WHERE %1 IS NOT NULL GROUP BY %1 HAVING count(*) > 1 LIMIT 1")
                                .arg(key, Schema::quoted(t.name));
        int rc = SQLITE_OK;
        const auto found = rowsOf(db, sql.toUtf8().constData(), QString(), rc);
        if (rc != SQLITE_OK) return unreadable(rc);
        if (!found.empty())
            return QString("The table %1 holds the %2 %3 in more than one row.")
                .arg(t.name, t.column(index.column)->name, shortened(found.front()[0]));
    }
    return QString();
}
}  // namespace

QString valueDifference(sqlite3* db) {
    for (const Schema::Table& t : Schema::tables()) {
        if (const QString why = tableValueDifference(db, t); !why.isEmpty()) return why;
        if (const QString why = duplicateKey(db, t); !why.isEmpty()) return why;
    }
    return QString();
}
