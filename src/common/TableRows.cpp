#include "common/TableRows.h"
#include "platform/Database.h"
#include "platform/FieldValue.h"
#include <QStringList>

namespace {
std::vector<QVariant> storedValues(const Schema::Table& table, const ColumnValues& values) {
    std::vector<QVariant> stored;
    for (const auto& [name, value] : values) stored.push_back(FieldValue::toColumn(*table.column(name), value));
    return stored;
}
}  // namespace

void insertRow(const Schema::Table& table, const ColumnValues& values) {
    QStringList names;
    for (const auto& [name, value] : values) names << Schema::quoted(name);
    Statement s(Database::shared(), QString("INSERT INTO %1 (%2) VALUES (%3)")
                                        .arg(Schema::quoted(table.name), names.join(", "),
                                             QStringList(names.size(), "?").join(", ")));
    s.bindAll(storedValues(table, values)).run();
}

void updateRow(const Schema::Table& table, qint64 rowid, const ColumnValues& values) {
    QStringList assignments;
    for (const auto& [name, value] : values) assignments << Schema::quoted(name) + " = ?";
    std::vector<QVariant> bound = storedValues(table, values);
    bound.push_back(rowid);
    Statement s(Database::shared(), QString("UPDATE %1 SET %2 WHERE rowid = ?")
                                        .arg(Schema::quoted(table.name), assignments.join(", ")));
    s.bindAll(bound).run();
}
