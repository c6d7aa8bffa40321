#include "platform/Recordset.h"
#include "platform/AppError.h"
#include "platform/Database.h"
#include "platform/FieldValue.h"
#include <algorithm>

using Schema::quoted;

Database& Recordset::db() const {
    if (!db_) raiseError(ErrorNo::InvalidUse, "Operation is not allowed when the object is closed.");
    return *db_;
}

void Recordset::open(const QString& tableName, Database* database) {
    close();
    Database& d = database ? *database : Database::shared();
    table_ = Schema::table(tableName);
    stored_ = d.storedTableName(tableName);
    if (!table_ || stored_.isEmpty())
        raiseError(ErrorNo::DatabaseError,
                   QString("The Microsoft Jet database engine cannot find the input table or query '%1'.")
                       .arg(tableName));
    storedColumns_ = d.columnNames(stored_);
    db_ = &d;
    loadKeys("rowid");
}

void Recordset::close() {
    db_ = nullptr;
    keys_.clear();
    index_ = nullptr;
    mode_ = Mode::None;
    pending_.clear();
    row_.clear();
    loadedKey_ = -1;
    position_ = 0;
}

void Recordset::loadKeys(const QString& orderBy) {
    keys_.clear();
    Statement s(db(), QString("SELECT rowid FROM %1 ORDER BY %2").arg(quoted(stored_), orderBy));
    while (s.step()) keys_.push_back(s.value(0).toLongLong());
    position_ = 0;
    loadedKey_ = -1;
    afterDelete_ = false;
}

void Recordset::moveFirst() { savePending(); afterDelete_ = false; position_ = 0; }
void Recordset::moveLast() { savePending(); afterDelete_ = false; position_ = recordCount() - 1; }
void Recordset::moveNext() {
    savePending();
    if (afterDelete_) { afterDelete_ = false; return; }  // the row after the deleted one is already here
    if (eof()) raiseError(ErrorNo::NoCurrentRecord);
    ++position_;
}
void Recordset::movePrevious() {
    savePending();
    afterDelete_ = false;
    if (bof()) raiseError(ErrorNo::NoCurrentRecord);
    --position_;
}

void Recordset::setIndex(const QString& name) {
    const Schema::Index* index = table_ ? table_->index(name) : nullptr;
    if (!index) raiseError(ErrorNo::ItemNotFound, QString("'%1' isn't an index in this table.").arg(name));
    savePending();
    index_ = index;
    loadKeys(quoted(index->column) + ", rowid");
}

bool Recordset::seek(const QVariant& key, SeekOption option) {
    if (!index_) raiseError(ErrorNo::InvalidUse, "Current provider does not support the necessary interface for Index functionality.");
    savePending();
    const QString comparison = option == SeekOption::FirstEQ ? "=" : ">=";
    Statement s(db(), QString("SELECT rowid FROM %1 WHERE %2 %3 ? ORDER BY %2, rowid LIMIT 1")
                          .arg(quoted(stored_), quoted(index_->column), comparison));
    Schema::Column keyColumn = *table_->column(index_->column);
    if (keyColumn.type == Schema::Type::Text) keyColumn.size = INT32_MAX;   // a longer key is simply not there
    s.bind(1, FieldValue::toColumn(keyColumn, key));
    position_ = recordCount();
    afterDelete_ = false;
    if (!s.step()) return false;
    const qint64 found = s.value(0).toLongLong();
    const auto it = std::find(keys_.begin(), keys_.end(), found);
    if (it == keys_.end()) return false;   // added by someone else since this set opened
    position_ = int(it - keys_.begin());
    return true;
}

const Schema::Column& Recordset::column(const QString& name) const {
    const Schema::Column* c = table_ ? table_->column(name) : nullptr;
    if (!c || !storedColumns_.contains(c->name, Qt::CaseInsensitive))
        raiseError(ErrorNo::ItemNotFound,
                   QString("Item cannot be found in the collection corresponding to the requested name or "
                           "ordinal: %1.").arg(name));
    return *c;
}

void Recordset::requireCurrent() const {
    if (bof() || eof() || afterDelete_) raiseError(ErrorNo::NoCurrentRecord);
}

void Recordset::loadRow() const {
    requireCurrent();
    const qint64 key = keys_[size_t(position_)];
    if (key == loadedKey_) return;
    row_.clear();
    Statement s(db(), QString("SELECT * FROM %1 WHERE rowid = ?").arg(quoted(stored_)));
    s.bind(1, key);
    if (!s.step()) raiseError(ErrorNo::NoCurrentRecord);
    for (int i = 0; i < s.columnCount(); ++i) {
        const Schema::Column* c = table_->column(s.columnName(i));
        if (c) row_[c->name] = s.value(i);
    }
    loadedKey_ = key;
}

QVariant Recordset::field(const QString& name) const {
    const Schema::Column& c = column(name);
    if (mode_ != Mode::None) {
        const auto it = pending_.find(c.name);
        if (it != pending_.end()) return it->second;
        if (mode_ == Mode::Adding) return FieldValue::defaultValue(c);
    }
    loadRow();
    return row_[c.name];
}

void Recordset::setField(const QString& name, const QVariant& value) {
    const Schema::Column& c = column(name);
    if (mode_ == Mode::None) {
        requireCurrent();
        mode_ = Mode::Editing;
    }
    pending_[c.name] = FieldValue::toColumn(c, value);
}

QStringList Recordset::fieldNames() const {
    QStringList names;
    for (const auto& c : table_->columns)
        if (storedColumns_.contains(c.name, Qt::CaseInsensitive)) names << c.name;
    return names;
}

void Recordset::addNew() {
    savePending();
    db();
    mode_ = Mode::Adding;
    pending_.clear();
}

void Recordset::update() {
    if (mode_ == Mode::None) return;
    std::vector<QVariant> values;
    QStringList names;
    for (const auto& [name, value] : pending_) {
        names << quoted(name);
        values.push_back(value);
    }
    if (mode_ == Mode::Adding) {
        QString sql = names.isEmpty()
            ? QString("INSERT INTO %1 DEFAULT VALUES").arg(quoted(stored_))
            : QString("INSERT INTO %1 (%2) VALUES (%3)")
                  .arg(quoted(stored_), names.join(", "), QStringList(names.size(), "?").join(", "));
        Statement s(db(), sql);
        s.bindAll(values).run();
        keys_.push_back(s.lastInsertRowId());
        position_ = recordCount() - 1;
        afterDelete_ = false;
    } else if (!names.isEmpty()) {
        requireCurrent();
        QStringList assignments;
        for (const auto& n : names) assignments << n + " = ?";
        Statement s(db(), QString("UPDATE %1 SET %2 WHERE rowid = ?").arg(quoted(stored_), assignments.join(", ")));
        values.push_back(keys_[size_t(position_)]);
        s.bindAll(values).run();
    }
    mode_ = Mode::None;
    pending_.clear();
    loadedKey_ = -1;
}

void Recordset::cancelUpdate() {
    mode_ = Mode::None;
    pending_.clear();
}

void Recordset::deleteCurrent() {
    cancelUpdate();
    requireCurrent();
    Statement s(db(), QString("DELETE FROM %1 WHERE rowid = ?").arg(quoted(stored_)));
    s.bind(1, keys_[size_t(position_)]).run();
    keys_.erase(keys_.begin() + position_);
    loadedKey_ = -1;
    afterDelete_ = true;
}

void Recordset::savePending() {
    if (mode_ != Mode::None) update();
}
