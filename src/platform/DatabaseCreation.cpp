#include "platform/DatabaseCreation.h"
#include "platform/Database.h"
#include "platform/Schema.h"

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
