#include "platform/Recordset.h"
#include "platform/AppError.h"
#include "platform/FieldValue.h"

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
    const QStringList stored = d.columnNames(stored_);
    QStringList names{"rowid"}, quotedNames{"rowid"};
    for (const auto& c : table_->columns) {
        if (!stored.contains(c.name, Qt::CaseInsensitive)) continue;
        columns_.push_back(&c);
        names << c.name;
        quotedNames << quoted(c.name);
    }
    names.removeFirst();
    fields_ = FieldNames(names);
    selectList_ = quotedNames.join(", ");
    db_ = &d;
    moveFirst();
}

void Recordset::close() {
    cursor_.reset();
    reread_.reset();
    cursorFresh_ = false;
    db_ = nullptr;
    columns_.clear();
    fields_ = FieldNames();
    index_ = nullptr;
    keyColumn_ = -1;
    place_ = Place::BeforeFirst;
    noRows_ = true;
    mode_ = Mode::None;
    pending_.clear();
}

int Recordset::recordCount() const {
    if (!db_) return 0;
    CachedStatement count(db(), QString("SELECT count(*) FROM %1").arg(quoted(stored_)));
    count->step();
    return count->value(0).toInt();
}

QString Recordset::quotedKey() const { return quoted(index_->column); }

QString Recordset::select(const QString& where, bool descending, bool single) const {
    const QString order = index_ ? QString(descending ? "%1 DESC, rowid DESC" : "%1, rowid").arg(quotedKey())
                                 : QString(descending ? "rowid DESC" : "rowid");
    return QString("SELECT %1 FROM %2%3 ORDER BY %4%5")
        .arg(selectList_, quoted(stored_), where.isEmpty() ? QString() : " WHERE (" + where + ")", order,
             single ? " LIMIT 1" : "");
}

bool Recordset::moveBy(const QString& sql, const std::vector<QVariant>& values, bool continues, Place none) {
    cursor_.reset();   // given back first, so the same text takes the same statement
    cursor_.emplace(db(), sql);
    (*cursor_)->bindAll(values);
    cursorContinues_ = continues;
    if (standOnCursorRow()) return true;
    cursor_.reset();
    place_ = none;
    return false;
}

bool Recordset::standOnCursorRow() {
    Statement& row = **cursor_;
    if (!row.step()) {
        cursorFresh_ = false;
        return false;
    }
    rowId_ = row.value(0).toLongLong();
    key_ = keyColumn_ >= 0 ? row.value(keyColumn_) : QVariant();
    place_ = Place::OnRow;
    noRows_ = false;
    cursorFresh_ = true;
    cursorRowFresh_ = true;
    cursorVersion_ = db().dataVersion();
    return true;
}

void Recordset::moveFirst() {
    savePending();
    if (!moveBy(select(QString(), false, false), {}, true, Place::AfterLast)) noRows_ = true;
}

void Recordset::moveLast() {
    savePending();
    if (!moveBy(select(QString(), true, true), {}, false, Place::AfterLast)) noRows_ = true;
}

void Recordset::moveNext() {
    savePending();
    if (eof()) raiseError(ErrorNo::NoCurrentRecord);
    if (place_ == Place::BeforeFirst) {
        moveFirst();
        return;
    }
    if (place_ == Place::OnRow && cursor_ && cursorFresh_ && cursorContinues_ &&
        cursorVersion_ == db().dataVersion()) {
        if (!standOnCursorRow()) {
            cursor_.reset();   // at the end: the statement holds nothing open
            place_ = Place::AfterLast;
        }
        return;
    }
    readOnFromHere();
}

// The rows after the current row's place, read by a new query: after a
// write, after a delete, or where the cursor ran the other way.
void Recordset::readOnFromHere() {
    if (!index_) {
        moveBy(select("rowid > ?1", false, false), {rowId_}, true, Place::AfterLast);
        return;
    }
    const QString k = quotedKey();
    if (FieldValue::isNull(key_))   // rows without a key come first in index order
        moveBy(select(QString("%1 IS NULL AND rowid > ?2) OR (%1 IS NOT NULL").arg(k), false, false),
               {key_, rowId_}, true, Place::AfterLast);
    else
        moveBy(select(QString("%1 >= ?1 AND NOT (%1 = ?1 AND rowid <= ?2)").arg(k), false, false), {key_, rowId_},
               true, Place::AfterLast);
}

void Recordset::movePrevious() {
    savePending();
    if (bof()) raiseError(ErrorNo::NoCurrentRecord);
    if (place_ == Place::AfterLast) {
        moveLast();
        return;
    }
    backFromHere();
}

// The row before the current row's place. In index order the rows without
// a key come first: the last of them is before the first row with one.
void Recordset::backFromHere() {
    if (!index_) {
        moveBy(select("rowid < ?1", true, true), {rowId_}, false, Place::BeforeFirst);
        return;
    }
    const QString k = quotedKey();
    if (!FieldValue::isNull(key_) &&
        moveBy(select(QString("%1 <= ?1 AND NOT (%1 = ?1 AND rowid >= ?2)").arg(k), true, true), {key_, rowId_},
               false, Place::BeforeFirst))
        return;
    const qint64 before = FieldValue::isNull(key_) ? rowId_ : INT64_MAX;
    moveBy(select(QString("%1 IS NULL AND rowid < ?2").arg(k), true, true), {QVariant(), before}, false,
           Place::BeforeFirst);
}

void Recordset::setIndex(const QString& name) {
    const Schema::Index* index = table_ ? table_->index(name) : nullptr;
    const int column = index ? fields_.find(index->column) : -1;
    if (!index || column < 0)
        raiseError(ErrorNo::ItemNotFound, QString("'%1' isn't an index in this table.").arg(name));
    savePending();
    index_ = index;
    keyColumn_ = column + 1;
    moveFirst();
}

bool Recordset::seek(const QVariant& key, SeekOption option) {
    if (!index_) raiseError(ErrorNo::InvalidUse, "Current provider does not support the necessary interface for Index functionality.");
    savePending();
    Schema::Column keyColumn = *table_->column(index_->column);
    if (keyColumn.type == Schema::Type::Text) keyColumn.size = INT32_MAX;   // a longer key is simply not there
    const QVariant value = FieldValue::toColumn(keyColumn, key);
    // One query on the index, which the cursor then follows onwards; its
    // last column tells whether the key found is the one sought.
    const QString sql = QString("SELECT %1, (%2 = ?1) FROM %3 WHERE %2 >= ?1 ORDER BY %2, rowid")
                            .arg(selectList_, quotedKey(), quoted(stored_));
    if (!moveBy(sql, {value}, true, Place::AfterLast)) return false;
    if (option == SeekOption::FirstEQ && (*cursor_)->value(int(columns_.size()) + 1).toInt() != 1) {
        cursor_.reset();
        place_ = Place::AfterLast;
        return false;
    }
    return true;
}

int Recordset::columnIndex(const QString& name) const {
    const int i = fields_.find(name);
    if (i < 0)
        raiseError(ErrorNo::ItemNotFound,
                   QString("Item cannot be found in the collection corresponding to the requested name or "
                           "ordinal: %1.").arg(name));
    return i;
}

void Recordset::requireCurrent() const {
    if (place_ != Place::OnRow) raiseError(ErrorNo::NoCurrentRecord);
}

// The statement whose columns hold the current row as it is now.
const Statement& Recordset::currentRow() const {
    const qint64 version = db().dataVersion();
    if (cursor_ && cursorFresh_ && cursorRowFresh_ && cursorVersion_ == version) return **cursor_;
    if (reread_ && rereadVersion_ == version && (*reread_)->value(0).toLongLong() == rowId_) return **reread_;
    reread_.reset();
    reread_.emplace(db(), select("rowid = ?1", false, true));
    (*reread_)->bind(1, rowId_);
    if (!(*reread_)->step()) {
        reread_.reset();
        raiseError(ErrorNo::NoCurrentRecord);   // deleted by someone else
    }
    rereadVersion_ = version;
    return **reread_;
}

QVariant Recordset::field(const QString& name) const {
    const int i = columnIndex(name);
    if (mode_ != Mode::None) {
        const auto it = pending_.find(i);
        if (it != pending_.end()) return it->second;
        if (mode_ == Mode::Adding) return FieldValue::defaultValue(*columns_[size_t(i)]);
    }
    requireCurrent();
    return currentRow().value(i + 1);
}

void Recordset::setField(const QString& name, const QVariant& value) {
    const int i = columnIndex(name);
    if (mode_ == Mode::None) {
        requireCurrent();
        mode_ = Mode::Editing;
    }
    pending_[i] = FieldValue::toColumn(*columns_[size_t(i)], value);
}

void Recordset::addNew() {
    savePending();
    db();
    mode_ = Mode::Adding;
    pending_.clear();
}

void Recordset::standOnRowId(qint64 rowid) {
    moveBy(select("rowid = ?1", false, true), {rowid}, false, Place::AfterLast);
}

void Recordset::update() {
    if (mode_ == Mode::None) return;
    std::vector<QVariant> values;
    QStringList names;
    for (const auto& [i, value] : pending_) {
        names << quoted(columns_[size_t(i)]->name);
        values.push_back(value);
    }
    if (mode_ == Mode::Adding) {
        const QString sql = names.isEmpty()
            ? QString("INSERT INTO %1 DEFAULT VALUES").arg(quoted(stored_))
            : QString("INSERT INTO %1 (%2) VALUES (%3)")
                  .arg(quoted(stored_), names.join(", "), QStringList(names.size(), "?").join(", "));
        CachedStatement insert(db(), sql);
        insert->bindAll(values).run();
        const qint64 added = insert->lastInsertRowId();
        mode_ = Mode::None;
        pending_.clear();
        standOnRowId(added);
        return;
    }
    if (!names.isEmpty()) {
        requireCurrent();
        QStringList assignments;
        for (const auto& n : names) assignments << n + " = ?";
        CachedStatement write(db(), QString("UPDATE %1 SET %2 WHERE rowid = ?").arg(quoted(stored_), assignments.join(", ")));
        values.push_back(rowId_);
        const qint64 before = db().dataVersion();
        write->bindAll(values).run();
        // The row keeps its place in the order unless its key changed: the
        // cursor steps on from it, and only its values are read again.
        const bool keptItsPlace = !index_ || !pending_.count(keyColumn_ - 1);
        if (cursorFresh_ && cursorVersion_ == before && keptItsPlace && db().dataVersion() == before + 1) {
            cursorVersion_ = before + 1;
            cursorRowFresh_ = false;
        }
    }
    mode_ = Mode::None;
    pending_.clear();
}

void Recordset::cancelUpdate() {
    mode_ = Mode::None;
    pending_.clear();
}

void Recordset::deleteCurrent() {
    cancelUpdate();
    requireCurrent();
    CachedStatement remove(db(), QString("DELETE FROM %1 WHERE rowid = ?1").arg(quoted(stored_)));
    remove->bind(1, rowId_).run();
    cursor_.reset();
    cursorFresh_ = false;
    place_ = Place::Deleted;
}

void Recordset::savePending() {
    if (mode_ != Mode::None) update();
}
