#pragma once
#include <QString>
#include <QStringList>
#include <QVariant>
#include <map>
#include <memory>
#include <vector>

class Database;

// A static, read-only snapshot of a query's rows, for reports and exports.
// A hierarchical one gives each parent row its child record set by name.
class ShapeRecordset {
public:
    int recordCount() const { return int(rows_.size()); }
    // An empty snapshot is at both ends at once.
    bool eof() const { return position_ >= recordCount() || rows_.empty(); }
    bool bof() const { return position_ < 0 || rows_.empty(); }
    void moveFirst() { position_ = 0; }
    void moveLast() { position_ = recordCount() - 1; }
    void moveNext();
    void movePrevious();
    int position() const { return position_; }
    void setPosition(int row) { position_ = row; }

    const QString& name() const { return name_; }
    const QStringList& fieldNames() const { return fields_; }
    bool hasField(const QString& name) const { return fieldIndex(name) >= 0; }
    QVariant field(const QString& name) const;       // current row, without regard to case
    QVariant operator[](const QString& name) const { return field(name); }
    QVariant value(int row, const QString& name) const;
    // The child record set of the current row, by its name in the query.
    std::shared_ptr<ShapeRecordset> child(const QString& name) const;
    // The child record set of a given row.
    std::shared_ptr<ShapeRecordset> childAt(int row, const QString& name) const;
    QStringList childNames() const;

    // Runs one SELECT with bound values and takes all of its rows.
    static std::shared_ptr<ShapeRecordset> fromQuery(Database& db, const QString& select,
                                                     const std::vector<QVariant>& values,
                                                     const QString& name = QString());

private:
    int fieldIndex(const QString& name) const;
    friend std::shared_ptr<ShapeRecordset> openShape(Database& db, const QString& text,
                                                     const std::vector<QVariant>& given);

    QString name_;
    QStringList fields_;
    std::vector<std::vector<QVariant>> rows_;
    std::vector<std::map<QString, std::shared_ptr<ShapeRecordset>>> children_;  // per row
    int position_ = 0;
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
// bound, never pasted. InvalidUse when the counts differ.
std::shared_ptr<ShapeRecordset> openShape(Database& db, const QString& text,
                                          const std::vector<QVariant>& given = {});
