#include "common/Numbering.h"
#include "common/Functions.h"
#include "platform/AppError.h"
#include "platform/FieldValue.h"
#include "platform/FixedText.h"
#include "platform/Schema.h"

namespace {
// The query of KeyOnFile; ItemNotFound when the table has no such index.
QString keyQuery(const QString& tableName, const QString& indexName) {
    const Schema::Table* table = Schema::table(tableName);
    const Schema::Index* index = table ? table->index(indexName) : nullptr;
    if (!index) raiseError(ErrorNo::ItemNotFound, QString("'%1' isn't an index in this table.").arg(indexName));
    // The key columns compare without regard to case, so "=" finds c5 for C5.
    return QString("SELECT 1 FROM %1 WHERE %2 = ? LIMIT 1")
        .arg(Schema::quoted(table->name), Schema::quoted(index->column));
}
}  // namespace

KeyOnFile::KeyOnFile(const QString& table, const QString& index)
    : query_(Database::shared(), keyQuery(table, index)) {}

bool KeyOnFile::operator()(const QString& key) {
    query_.reset();
    query_.bind(1, key);
    return query_.step();
}

bool numberOnFile(const QString& table, const QString& index, const QString& number) {
    return KeyOnFile(table, index)(number);
}

void writeStartNumber(const QString& column, const QString& start) {
    const Schema::Table& system = *Schema::table("System");
    const Schema::Column& stored = *system.column(column);
    Statement s(Database::shared(),
                QString("UPDATE \"System\" SET %1 = ? WHERE rowid = (SELECT min(rowid) FROM \"System\")")
                    .arg(Schema::quoted(stored.name)));
    s.bind(1, FieldValue::toColumn(stored, start)).run();
}

QString nextStartNumber(const QString& savedNumber, const QString& currentStart) {
    QString digits;
    for (QChar c : savedNumber)
        if (c >= '0' && c <= '9') digits += c;
    // Decimal increment on the text itself: no digit count can overflow it.
    int i = int(digits.size()) - 1;
    for (; i >= 0; --i) {
        if (digits[i] != '9') { digits[i] = QChar(digits[i].unicode() + 1); break; }
        digits[i] = '0';
    }
    if (i < 0) digits.prepend('1');
    return Zero_Pad(digits, int(currentStart.size()));
}

bool allDigits(const QString& text) {
    for (QChar c : text)
        if (c < '0' || c > '9') return false;
    return true;
}

namespace {

// How many different numbers a counter of this width can give; 0 when more
// than any table could hold, so the search ends only at a free number.
qint64 numbersOfWidth(qsizetype width) {
    if (width > 15) return 0;
    qint64 count = 1;
    for (qsizetype i = 0; i < width; ++i) count *= 10;
    return count;
}
}  // namespace

std::optional<QString> proposeNumber(const QString& tableName, const QString& indexName, const QString& prefix,
                                     const QString& start) {
    const QString counterText = Trim(start);
    if (!allDigits(counterText))
        raiseError(ErrorNo::TypeMismatch);
    KeyOnFile used(tableName, indexName);
    const qint64 limit = numbersOfWidth(start.size());
    QString candidate = prefix + start;
    QString counter = counterText;
    for (qint64 tried = 0; limit == 0 || tried < limit; ++tried) {
        if (!used(candidate)) return candidate;
        counter = nextStartNumber(counter, start);
        candidate = prefix + counter;
    }
    return std::nullopt;
}
