#pragma once
#include "platform/Database.h"
#include "platform/FieldNames.h"
#include <QString>
#include <QStringList>
#include <QVariant>
#include <memory>
#include <optional>
#include <vector>

// The read-only record set behind a report or an export: a forward cursor
// that reads the query's rows one at a time as it moves, so its memory stays
// the same however many rows pass. moveFirst reads the query again from its
// start. A hierarchical one gives each parent row its child rows by name,
// read by one indexed query per parent with the parent's key bound.
class ShapeRecordset {
public:
    ShapeRecordset() = default;   // opened on nothing: no rows
    ShapeRecordset(const ShapeRecordset&) = delete;
    ShapeRecordset& operator=(const ShapeRecordset&) = delete;

    // The rows of the query, counted by the database when first asked.
    int recordCount() const;
    bool eof() const { return !onRow_; }
    bool bof() const { return !onRow_ && rowNumber_ == 0; }   // only a set without rows is at its start
    void moveFirst();
    void moveNext();
    // Where the set stands: the rows passed since its start (0 on the first).
    qint64 position() const { return rowNumber_; }
    // Stands on the row at that position: read on from here, or from the
    // start again for a row passed already; at the end when there are fewer.
    // The same query over the same rows gives them in the same order, so a
    // position names the same row each time.
    void moveTo(qint64 row);
    // A second cursor on the same rows, at their start, for a reader that
    // walks them while another stands elsewhere.
    std::shared_ptr<ShapeRecordset> reopen() const;
    // Lets go of the query, and its child rows of theirs; the set is then empty.
    void close();

    const QString& name() const { return name_; }
    const QStringList& fieldNames() const { return fields_.names(); }
    bool hasField(const QString& name) const { return fields_.find(name) >= 0; }
    QVariant field(const QString& name) const;       // current row, without regard to case
    // A field by its position, for walks that read the same fields of many
    // rows: the position is looked up once.
    int fieldIndex(const QString& name) const;       // ItemNotFound when there is none
    QVariant field(int index) const;
    QVariant operator[](const QString& name) const { return field(name); }
    // The child rows of the current row, by their name in the query: the one
    // child set of that name, read anew for each parent row it is asked for.
    std::shared_ptr<ShapeRecordset> child(const QString& name);
    QStringList childNames() const;

    // Runs one SELECT with bound values and stands on its first row.
    static std::shared_ptr<ShapeRecordset> fromQuery(Database& db, const QString& select,
                                                     const std::vector<QVariant>& values,
                                                     const QString& name = QString());

private:
    struct Relation {
        QString name;
        QString sql;                      // the child query, narrowed to one key
        std::vector<QVariant> values;     // its own values, the key last
        int parentColumn = -1;
        std::shared_ptr<ShapeRecordset> rows;
        qint64 parentRow = -1;            // the parent row the rows were read for
    };
    void start();
    void stepRow();
    friend std::shared_ptr<ShapeRecordset> openShape(Database& db, const QString& text,
                                                     const std::vector<QVariant>& given);

    Database* db_ = nullptr;
    QString sql_;
    std::vector<QVariant> values_;
    QString name_;
    FieldNames fields_;
    std::optional<CachedStatement> rows_;
    bool onRow_ = false;
    qint64 rowNumber_ = 0;                // rows passed since the start
    mutable std::optional<int> count_;
    std::vector<Relation> relations_;
};

// A parsed shaping query: SHAPE {SELECT ...} [AS name]
// [APPEND ({SELECT ...} AS child RELATE 'parentColumn' TO 'childColumn')].
struct ShapeQuery {
    QString parentSql;
    QString parentName;
    QString childSql;
    QString childName;
    QString parentColumn;
    QString childColumn;
    bool hierarchical() const { return !childSql.isEmpty(); }
};

// InvalidUse when the text is not one of these forms.
ShapeQuery parseShape(const QString& text);

// Jet date literals #MM/DD/YYYY# become bound ISO dates: the SQL with "?" in
// their place, and the dates in order. Quoted texts are left as they are.
QString bindDateLiterals(const QString& sql, std::vector<QVariant>& values);

// Opens the shaping query. Each "?" outside quotes, in the parent query and
// then the child query, takes the next of the given values: user text is
// bound, never pasted. InvalidUse when the counts differ. Child rows relate
// to their parent by a key equal to the parent's, letter case counted.
std::shared_ptr<ShapeRecordset> openShape(Database& db, const QString& text,
                                          const std::vector<QVariant>& given = {});
