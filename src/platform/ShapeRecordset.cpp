#include "platform/ShapeRecordset.h"
#include "platform/AppError.h"
#include "platform/Database.h"
#include "platform/FieldValue.h"
#include <QDate>
#include <QRegularExpression>

void ShapeRecordset::moveNext() {
    if (eof()) raiseError(ErrorNo::NoCurrentRecord);
    ++position_;
}

void ShapeRecordset::movePrevious() {
    if (bof()) raiseError(ErrorNo::NoCurrentRecord);
    --position_;
}

int ShapeRecordset::fieldIndex(const QString& name) const {
    for (int i = 0; i < fields_.size(); ++i)
        if (fields_[i].compare(name, Qt::CaseInsensitive) == 0) return i;
    return -1;
}

QVariant ShapeRecordset::value(int row, const QString& name) const {
    const int i = fieldIndex(name);
    if (i < 0)
        raiseError(ErrorNo::ItemNotFound,
                   QString("Item cannot be found in the collection corresponding to the requested name or "
                           "ordinal: %1.").arg(name));
    if (row < 0 || row >= recordCount()) raiseError(ErrorNo::NoCurrentRecord);
    return rows_[size_t(row)][size_t(i)];
}

QVariant ShapeRecordset::field(const QString& name) const { return value(position_, name); }

std::shared_ptr<ShapeRecordset> ShapeRecordset::child(const QString& name) const {
    return childAt(position_, name);
}

std::shared_ptr<ShapeRecordset> ShapeRecordset::childAt(int row, const QString& name) const {
    if (row < 0 || row >= recordCount()) raiseError(ErrorNo::NoCurrentRecord);
    for (const auto& [n, set] : children_[size_t(row)])
        if (n.compare(name, Qt::CaseInsensitive) == 0) return set;
    raiseError(ErrorNo::ItemNotFound, QString("There is no child record set %1.").arg(name));
}

QStringList ShapeRecordset::childNames() const {
    QStringList names;
    if (!children_.empty())
        for (const auto& [n, set] : children_.front()) names << n;
    return names;
}

std::shared_ptr<ShapeRecordset> ShapeRecordset::fromQuery(Database& db, const QString& select,
                                                          const std::vector<QVariant>& values,
                                                          const QString& name) {
    auto set = std::make_shared<ShapeRecordset>();
    set->name_ = name;
    Statement s(db, select);
    s.bindAll(values);
    for (int i = 0; i < s.columnCount(); ++i) set->fields_ << s.columnName(i);
    while (s.step()) {
        std::vector<QVariant> row;
        row.reserve(size_t(s.columnCount()));
        for (int i = 0; i < s.columnCount(); ++i) row.push_back(s.value(i));
        set->rows_.push_back(std::move(row));
    }
    set->children_.resize(set->rows_.size());
    return set;
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

    // The child rows of every parent row, related by equal key text (case ignored).
    auto all = ShapeRecordset::fromQuery(db, childSql, childValues, q.childName);
    const int childKey = all->fieldIndex(q.childColumn);
    if (childKey < 0 || !parent->hasField(q.parentColumn))
        raiseError(ErrorNo::ItemNotFound, "The RELATE columns are not in the queries.");
    std::map<QString, std::shared_ptr<ShapeRecordset>> byKey;
    for (auto& row : all->rows_) {
        const QString key = row[size_t(childKey)].toString().toLower();
        auto& set = byKey[key];
        if (!set) {
            set = std::make_shared<ShapeRecordset>();
            set->name_ = q.childName;
            set->fields_ = all->fields_;
        }
        set->rows_.push_back(row);
    }
    for (int r = 0; r < parent->recordCount(); ++r) {
        const QString key = parent->value(r, q.parentColumn).toString().toLower();
        auto found = byKey.find(key);
        std::shared_ptr<ShapeRecordset> set;
        if (found != byKey.end()) {
            // Each parent row gets a set of its own, so positions do not interfere.
            set = std::make_shared<ShapeRecordset>(*found->second);
        } else {
            set = std::make_shared<ShapeRecordset>();
            set->name_ = q.childName;
            set->fields_ = all->fields_;
        }
        set->children_.resize(set->rows_.size());
        parent->children_[size_t(r)][q.childName] = set;
    }
    return parent;
}
