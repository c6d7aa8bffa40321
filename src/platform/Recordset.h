#pragma once
#include "platform/Database.h"
#include "platform/FieldNames.h"
#include "platform/Schema.h"
#include <QStringList>
#include <QVariant>
#include <map>
#include <optional>
#include <vector>

// A record set opened on one table by name (without regard to case), in row
// id order, or in index order once an index is selected. It reads no keys up
// front: a cursor steps forward through the rows on one prepared statement,
// a seek is one indexed query, and a move after a write anywhere on the
// connection reads on from the current row's place in the order. Fields are
// read and written by name, without regard to case. Writes go into whatever
// transaction is open: a batch in one `Transaction` costs one commit.
//
// In index order, a row whose key an update moves further on is met again
// there; rows added after the set opened are seen where they fall.
class Recordset {
public:
    enum class SeekOption { FirstEQ, AfterEQ };

    Recordset() = default;
    explicit Recordset(const QString& table, Database* db = nullptr) { open(table, db); }
    ~Recordset() = default;
    Recordset(const Recordset&) = delete;
    Recordset& operator=(const Recordset&) = delete;

    // Opens on the table and stands on its first row.
    void open(const QString& table, Database* db = nullptr);
    void close();
    bool isOpen() const { return db_ != nullptr; }
    const Schema::Table& table() const { return *table_; }

    // A count of the table's rows, asked of the database each time; 0 when closed.
    int recordCount() const;
    // An empty set is at both ends at once.
    bool eof() const { return place_ == Place::AfterLast || noRows_; }
    bool bof() const { return place_ == Place::BeforeFirst || noRows_; }
    void moveFirst();
    void moveLast();
    void moveNext();
    void movePrevious();

    // Orders the rows by the index's key column and stands on the first; the
    // index is named as in the schema, without regard to case.
    void setIndex(const QString& name);
    // Positions on the first row whose key equals the value (FirstEQ), or on
    // the first whose key is equal or after it in index order (AfterEQ); at
    // the end when there is none. Keys compare without regard to case.
    bool seek(const QVariant& key, SeekOption option = SeekOption::FirstEQ);

    QVariant field(const QString& name) const;
    QVariant operator[](const QString& name) const { return field(name); }
    void setField(const QString& name, const QVariant& value);
    QStringList fieldNames() const { return fields_.names(); }

    void addNew();
    void update();
    void cancelUpdate();
    void deleteCurrent();
    bool editing() const { return mode_ != Mode::None; }

private:
    enum class Mode { None, Editing, Adding };
    enum class Place { BeforeFirst, OnRow, AfterLast, Deleted };

    Database& db() const;
    int columnIndex(const QString& name) const;
    void requireCurrent() const;
    void savePending();

    QString select(const QString& where, bool descending, bool single) const;
    QString quotedKey() const;
    // Runs a query for the cursor and stands on its first row; at `none`
    // when it has no row. `continues`: stepping it further gives the rows
    // after, in order.
    bool moveBy(const QString& sql, const std::vector<QVariant>& values, bool continues, Place none);
    bool standOnCursorRow();
    void readOnFromHere();
    void backFromHere();
    const Statement& currentRow() const;
    void standOnRowId(qint64 rowid);

    Database* db_ = nullptr;
    const Schema::Table* table_ = nullptr;
    QString stored_;                             // the table's stored name
    std::vector<const Schema::Column*> columns_; // the stored ones, in schema order: result columns 1..n
    FieldNames fields_;
    QString selectList_;                         // rowid and the stored columns
    const Schema::Index* index_ = nullptr;
    int keyColumn_ = -1;                         // result column of the index key

    Place place_ = Place::BeforeFirst;
    bool noRows_ = true;                         // closed, or a move from an end found no row at all
    qint64 rowId_ = 0;                           // the current (or just deleted) row's place
    QVariant key_;

    std::optional<CachedStatement> cursor_;      // stands on the current row while cursorFresh_
    bool cursorFresh_ = false;
    bool cursorRowFresh_ = false;                // its columns hold the current row as it is
    bool cursorContinues_ = false;
    qint64 cursorVersion_ = -1;
    mutable std::optional<CachedStatement> reread_;   // the current row read again after a change
    mutable qint64 rereadVersion_ = -1;

    Mode mode_ = Mode::None;
    std::map<int, QVariant> pending_;            // by column position
};
