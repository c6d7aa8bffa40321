#pragma once
#include "platform/Schema.h"
#include <QStringList>
#include <QVariant>
#include <map>
#include <vector>

class Database;

// A record set opened on one table by name (without regard to case). It
// takes the table's keyset of row ids when it opens, in row id order, or in
// index order once an index is selected; it holds no statement open between
// calls. Fields are read and written by name, without regard to case.
class Recordset {
public:
    enum class SeekOption { FirstEQ, AfterEQ };

    Recordset() = default;
    explicit Recordset(const QString& table, Database* db = nullptr) { open(table, db); }
    ~Recordset() = default;
    Recordset(const Recordset&) = delete;
    Recordset& operator=(const Recordset&) = delete;

    void open(const QString& table, Database* db = nullptr);
    void close();
    bool isOpen() const { return db_ != nullptr; }
    const Schema::Table& table() const { return *table_; }

    int recordCount() const { return int(keys_.size()); }
    // An empty set is at both ends at once.
    bool eof() const { return position_ >= recordCount() || keys_.empty(); }
    bool bof() const { return position_ < 0 || keys_.empty(); }
    void moveFirst();
    void moveLast();
    void moveNext();
    void movePrevious();

    // Orders the rows by the index's key column; the index is named as in
    // the schema, without regard to case.
    void setIndex(const QString& name);
    // Positions on the first row whose key equals the value (FirstEQ), or on
    // the first whose key is equal or after it in index order (AfterEQ); at
    // the end when there is none. Keys compare without regard to case.
    bool seek(const QVariant& key, SeekOption option = SeekOption::FirstEQ);

    QVariant field(const QString& name) const;
    QVariant operator[](const QString& name) const { return field(name); }
    void setField(const QString& name, const QVariant& value);
    QStringList fieldNames() const;

    void addNew();
    void update();
    void cancelUpdate();
    void deleteCurrent();
    bool editing() const { return mode_ != Mode::None; }

private:
    enum class Mode { None, Editing, Adding };
    Database& db() const;
    const Schema::Column& column(const QString& name) const;
    void requireCurrent() const;
    void loadKeys(const QString& orderBy);
    void loadRow() const;
    void savePending();

    Database* db_ = nullptr;
    const Schema::Table* table_ = nullptr;
    QString stored_;                       // the table's stored name
    QStringList storedColumns_;
    std::vector<qint64> keys_;
    int position_ = 0;
    bool afterDelete_ = false;             // the current row was just deleted
    const Schema::Index* index_ = nullptr;
    Mode mode_ = Mode::None;
    std::map<QString, QVariant> pending_;  // by schema column name
    mutable qint64 loadedKey_ = -1;
    mutable std::map<QString, QVariant> row_;
};
