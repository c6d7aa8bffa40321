#include "platform/ShapeRecordset.h"
#include "platform/AppError.h"
#include "platform/Database.h"
#include "platform/Schema.h"
#include <QDate>
#include <QRegularExpression>

namespace {
[[noreturn]] void noSuchField(const QString& name) {
    raiseError(ErrorNo::ItemNotFound,
               QString("Item cannot be found in the collection corresponding to the requested name or "
                       "ordinal: %1.").arg(name));
}
}  // namespace

std::shared_ptr<ShapeRecordset> ShapeRecordset::fromQuery(Database& db, const QString& select,
                                                          const std::vector<QVariant>& values,
                                                          const QString& name) {
    auto set = std::make_shared<ShapeRecordset>();
    set->db_ = &db;
    set->sql_ = select;
    set->values_ = values;
    set->name_ = name;
    set->start();
    QStringList names;
    for (int i = 0; i < (*set->rows_)->columnCount(); ++i) names << (*set->rows_)->columnName(i);
    set->fields_ = FieldNames(names);
    return set;
}

void ShapeRecordset::start() {
    rows_.reset();   // given back first, so the same text takes the same statement
    rows_.emplace(*db_, sql_);
    (*rows_)->bindAll(values_);
    rowNumber_ = 0;
    onRow_ = true;
    for (Relation& r : relations_) r.parentRow = -1;
    stepRow();
}

void ShapeRecordset::stepRow() {
    onRow_ = (*rows_)->step();
    if (onRow_) return;
    // Past the last row the statement is reset: it holds nothing open. The
    // fields stay known, the rows are read again only by moveFirst.
    (*rows_)->reset();
}

void ShapeRecordset::moveFirst() {
    if (db_) start();
}

void ShapeRecordset::moveNext() {
    if (eof()) raiseError(ErrorNo::NoCurrentRecord);
    ++rowNumber_;
    stepRow();
}

void ShapeRecordset::moveTo(qint64 row) {
    if (!db_) return;
    if (row < rowNumber_) start();
    while (onRow_ && rowNumber_ < row) {
        ++rowNumber_;
        stepRow();
    }
}

std::shared_ptr<ShapeRecordset> ShapeRecordset::reopen() const {
    auto set = std::make_shared<ShapeRecordset>();
    if (!db_) return set;
    set->db_ = db_;
    set->sql_ = sql_;
    set->values_ = values_;
    set->name_ = name_;
    set->fields_ = fields_;
    set->relations_ = relations_;
    for (Relation& r : set->relations_) r.rows.reset();
    set->start();
    return set;
}

void ShapeRecordset::close() {
    rows_.reset();
    // Child rows handed out earlier let go of their query too.
    for (Relation& r : relations_)
        if (r.rows) r.rows->close();
    relations_.clear();
    db_ = nullptr;
    onRow_ = false;
    rowNumber_ = 0;
    count_ = 0;
}

int ShapeRecordset::recordCount() const {
    if (!db_) return 0;
    if (!count_) {
        CachedStatement count(*db_, QString("SELECT count(*) FROM (%1)").arg(sql_));
        count->bindAll(values_);
        count->step();
        count_ = count->value(0).toInt();
    }
    return *count_;
}

QVariant ShapeRecordset::field(const QString& name) const { return field(fieldIndex(name)); }

int ShapeRecordset::fieldIndex(const QString& name) const {
    const int i = fields_.find(name);
    if (i < 0) noSuchField(name);
    return i;
}

QVariant ShapeRecordset::field(int index) const {
    if (index < 0 || index >= fields_.size()) noSuchField(QString::number(index));
    if (!onRow_) raiseError(ErrorNo::NoCurrentRecord);
    return (*rows_)->value(index);
}

std::shared_ptr<ShapeRecordset> ShapeRecordset::child(const QString& name) {
    if (!onRow_) raiseError(ErrorNo::NoCurrentRecord);
    for (Relation& r : relations_) {
        if (r.name.compare(name, Qt::CaseInsensitive) != 0) continue;
        if (r.parentRow == rowNumber_ && r.rows) return r.rows;
        r.values.back() = (*rows_)->value(r.parentColumn);
        if (!r.rows) {
            r.rows = fromQuery(*db_, r.sql, r.values, r.name);
        } else {
            r.rows->values_ = r.values;
            r.rows->count_.reset();
            r.rows->start();
        }
        r.parentRow = rowNumber_;
        return r.rows;
    }
    raiseError(ErrorNo::ItemNotFound, QString("There is no child record set %1.").arg(name));
}

QStringList ShapeRecordset::childNames() const {
    QStringList names;
    for (const Relation& r : relations_) names << r.name;
    return names;
}

namespace {
// The SQL with its date literals, and the "?" when values are given, bound
// in order of appearance; texts between single quotes are copied unchanged.
QString bindInOrder(const QString& sql, const std::vector<QVariant>* given, size_t& used,
                    std::vector<QVariant>& values) {
    static const QRegularExpression literal("#\\s*(\\d{1,2})/(\\d{1,2})/(\\d{4})\\s*#");
    QString out;
    bool quoted = false;
    for (qsizetype i = 0; i < sql.size(); ++i) {
        const QChar c = sql[i];
        if (c == '\'') quoted = !quoted;
        if (!quoted && c == '?' && given) {
            if (used >= given->size()) raiseError(ErrorNo::InvalidUse, "The query has more places than values.");
            values.push_back((*given)[used++]);
        } else if (!quoted && c == '#') {
            const auto m = literal.match(sql, i, QRegularExpression::NormalMatch,
                                         QRegularExpression::AnchorAtOffsetMatchOption);
            if (m.hasMatch()) {
                const QDate d(m.captured(3).toInt(), m.captured(1).toInt(), m.captured(2).toInt());
                if (!d.isValid()) raiseError(ErrorNo::TypeMismatch, QString("Invalid date %1.").arg(m.captured(0)));
                values.push_back(d);
                out += '?';
                i = m.capturedEnd() - 1;
                continue;
            }
        }
        out += c;
    }
    return out;
}
}  // namespace

QString bindDateLiterals(const QString& sql, std::vector<QVariant>& values) {
    size_t used = 0;
    return bindInOrder(sql, nullptr, used, values);
}

namespace {
// The text between the brace at `open` and its matching close brace.
QString braced(const QString& text, qsizetype open, qsizetype* end) {
    int depth = 0;
    for (qsizetype i = open; i < text.size(); ++i) {
        if (text[i] == '{') ++depth;
        else if (text[i] == '}' && --depth == 0) { *end = i; return text.mid(open + 1, i - open - 1).trimmed(); }
    }
    raiseError(ErrorNo::InvalidUse, "Unbalanced braces in the shape command.");
}
}

ShapeQuery parseShape(const QString& text) {
    ShapeQuery q;
    const QString t = text.trimmed();
    static const QRegularExpression head("^SHAPE\\s*\\{", QRegularExpression::CaseInsensitiveOption);
    const auto h = head.match(t);
    if (!h.hasMatch()) raiseError(ErrorNo::InvalidUse, "The shape command must begin with SHAPE {.");
    qsizetype end = 0;
    q.parentSql = braced(t, h.capturedEnd() - 1, &end);
    const QString rest = t.mid(end + 1).trimmed();
    static const QRegularExpression flat("^(?:AS\\s+(\\w+))?$", QRegularExpression::CaseInsensitiveOption);
    static const QRegularExpression appended(
        "^(?:AS\\s+(\\w+)\\s+)?APPEND\\s*\\(\\s*\\{(.*)\\}\\s*AS\\s+(\\w+)\\s+RELATE\\s+'?(\\w+)'?\\s+TO\\s+'?(\\w+)'?\\s*\\)$",
        QRegularExpression::CaseInsensitiveOption | QRegularExpression::DotMatchesEverythingOption);
    if (const auto m = flat.match(rest); m.hasMatch()) {
        q.parentName = m.captured(1);
        return q;
    }
    const auto m = appended.match(rest);
    if (!m.hasMatch()) raiseError(ErrorNo::InvalidUse, "The shape command is not understood.");
    q.parentName = m.captured(1);
    q.childSql = m.captured(2).trimmed();
    q.childName = m.captured(3);
    q.parentColumn = m.captured(4);
    q.childColumn = m.captured(5);
    return q;
}

std::shared_ptr<ShapeRecordset> openShape(Database& db, const QString& text, const std::vector<QVariant>& given) {
    const ShapeQuery q = parseShape(text);
    size_t used = 0;
    std::vector<QVariant> values, childValues;
    const QString parentSql = bindInOrder(q.parentSql, &given, used, values);
    const QString childSql = q.hierarchical() ? bindInOrder(q.childSql, &given, used, childValues) : QString();
    if (used != given.size()) raiseError(ErrorNo::InvalidUse, "The query has fewer places than values.");
    auto parent = ShapeRecordset::fromQuery(db, parentSql, values, q.parentName);
    if (!q.hierarchical()) return parent;

    // Each parent's child rows: the child query narrowed to the parent's key,
    // which the key column's index answers; the key must be the parent's
    // exactly, letter case counted, in the child query's order. It is the
    // last value, after the child query's own.
    ShapeRecordset::Relation relation;
    relation.name = q.childName;
    relation.parentColumn = parent->fields_.find(q.parentColumn);
    relation.sql = QString("SELECT * FROM (%1) WHERE %2")
                       .arg(childSql, Schema::exactlyEqual(q.childColumn, int(childValues.size()) + 1));
    relation.values = childValues;
    relation.values.emplace_back();
    const Statement probe(db, QString("SELECT * FROM (%1) LIMIT 0").arg(childSql));
    bool childHasKey = false;
    for (int i = 0; i < probe.columnCount(); ++i)
        childHasKey = childHasKey || probe.columnName(i).compare(q.childColumn, Qt::CaseInsensitive) == 0;
    if (relation.parentColumn < 0 || !childHasKey)
        raiseError(ErrorNo::ItemNotFound, "The RELATE columns are not in the queries.");
    parent->relations_.push_back(std::move(relation));
    return parent;
}
