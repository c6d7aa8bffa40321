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

QString columnDifference(sqlite3* db, const QString& table, const QString& column, const Schema::Column& described) {
    const char* type = nullptr;
    const char* collation = nullptr;
    int notNull = 0;
    const int rc = sqlite3_table_column_metadata(db, "main", table.toUtf8().constData(), column.toUtf8().constData(),
                                                 &type, &collation, &notNull, nullptr, nullptr);
    if (rc != SQLITE_OK) return unreadable(rc);
    const bool same = sameWords(QString::fromUtf8(type ? type : ""), Schema::declaredType(described.type)) &&
                      sameWords(QString::fromUtf8(collation ? collation : "BINARY"),
                                Schema::collation(described.type)) &&
                      bool(notNull) == !described.nullable;
    return same ? QString()
                : QString("The column %1 of the table %2 is not kept as this program keeps it.").arg(column, table);
}

QString tableDifference(sqlite3* db, const Schema::Table& described, const QString& stored) {
    int rc = SQLITE_OK;
    const auto columns = rowsOf(db, "SELECT name FROM pragma_table_info(?)", stored, rc);
    if (rc != SQLITE_OK) return unreadable(rc);
    for (const Schema::Column& c : described.columns) {
        const QString column = storedName(columns, c.name);
        if (column.isEmpty()) return QString("The table %1 has no column %2.").arg(described.name, c.name);
        if (const QString why = columnDifference(db, stored, column, c); !why.isEmpty()) return why;
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
