#include "platform/DatabaseCreation.h"
#include "platform/Database.h"
#include "platform/Schema.h"
#include <QFile>
#include <QStringList>

std::vector<CreationStep> creationSteps(Database& db, const QString& path) {
    std::vector<CreationStep> steps;
    steps.push_back({"Create the file " + path, [&db, path] { db.createNew(path); }});
    for (const auto& table : Schema::tables()) {
        const QString createTable = Schema::createTableSql(table);
        steps.push_back({"Create table " + table.name, [&db, createTable] { db.exec(createTable); }});
        for (const auto& index : table.indexes) {
            const QString createIndex = Schema::createIndexSql(table, index);
            steps.push_back({"Create index " + index.name + " of " + table.name,
                             [&db, createIndex] { db.exec(createIndex); }});
        }
    }
    return steps;
}

namespace {
const QString Source = "backup";

QString copyRowsSql(const Schema::Table& table) {
    QStringList columns{"rowid"};
    for (const auto& column : table.columns) columns << Schema::quoted(column.name);
    const QString list = columns.join(", ");
    return QString("INSERT INTO main.%1 (%2) SELECT %2 FROM %3.%1").arg(Schema::quoted(table.name), list, Source);
}
}  // namespace

void createDatabaseFromRows(const QString& source, const QString& path) {
    // A journal left beside it would be played back into the new file.
    const QString journal = path + "-journal";
    QFile::remove(path);
    QFile::remove(journal);
    Database made;
    made.createNew(path);
    try {
        made.attachReadOnly(source, Source);
        Transaction rows(made);
        for (const auto& table : Schema::tables()) {
            made.exec(Schema::createTableSql(table));
            made.exec(copyRowsSql(table));
        }
        // Indexes built once over all rows cost less than kept up row by row.
        for (const auto& table : Schema::tables())
            for (const auto& index : table.indexes) made.exec(Schema::createIndexSql(table, index));
        rows.commit();
        made.detach(Source);
        made.close();
    } catch (...) {
        made.close();
        QFile::remove(path);
        QFile::remove(journal);
        throw;
    }
}
