#pragma once
#include <QString>
#include <vector>

// The one description of the database: creation, the record set's type
// conversions and the checks of a foreign file all read it.
namespace Schema {

enum class Type { Text, Integer, Currency, Double, Date };

struct Column {
    QString name;
    Type type;
    int size = 0;          // text(n): the longest text; 0 for other types
    bool nullable = true;
};

struct Index {
    QString name;          // the name other code selects; stored as <Table>_<name>
    QString column;
    bool unique = false;
    bool primaryKey = false;
};

struct Table {
    QString name;
    std::vector<Column> columns;
    std::vector<Index> indexes;

    const Column* column(const QString& name) const;   // without regard to case
    const Index* index(const QString& name) const;     // without regard to case
};

const std::vector<Table>& tables();
// Without regard to case; nullptr when there is no such table.
const Table* table(const QString& name);

// The stored name of an index: index names are global in SQLite.
QString storedIndexName(const Table& table, const Index& index);

// The type a column of that kind is declared with: it tells the record sets
// how to read the column back.
QString declaredType(Type type);
// The collation a column of that kind compares with.
QString collation(Type type);

// SQL of the creation steps.
QString createTableSql(const Table& table);
QString createIndexSql(const Table& table, const Index& index);

// An identifier quoted for SQL ("Desc", "Date" are keywords).
QString quoted(const QString& identifier);

// The condition that a text column holds exactly the value of parameter
// `parameter` (?N), letter case counted: the column's own comparison, which
// its index answers, narrowed by a case-exact one.
QString exactlyEqual(const QString& column, int parameter);

}  // namespace Schema
