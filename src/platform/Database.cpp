#include "platform/Database.h"
#include "platform/AppError.h"
#include "platform/Currency.h"
#include "platform/SchemaCheck.h"
#include "platform/ShortDate.h"
#include <QFile>
#include <sqlite3.h>

namespace {
// How long a connection waits for another one's lock before it gives up.
constexpr int LockWaitMs = 2000;

// A text result column whole, with its length: a NUL inside it is kept.
QString columnText(sqlite3_stmt* stmt, int i) {
    const auto* text = reinterpret_cast<const char*>(sqlite3_column_text(stmt, i));
    return QString::fromUtf8(text, sqlite3_column_bytes(stmt, i));
}

// A text bound whole, with its length: a NUL inside it does not end it.
int bindText(sqlite3_stmt* stmt, int position, const QString& text) {
    const QByteArray utf8 = text.toUtf8();
    return sqlite3_bind_text64(stmt, position, utf8.constData(), sqlite3_uint64(utf8.size()), SQLITE_TRANSIENT,
                               SQLITE_UTF8);
}
}

void raiseSqliteError(sqlite3* db, int code, const QString& context) {
    const int extended = db ? sqlite3_extended_errcode(db) : code;
    const QString message = db ? QString::fromUtf8(sqlite3_errmsg(db)) : QString::fromUtf8(sqlite3_errstr(code));
    const QString text = context.isEmpty() ? message : context + ": " + message;
    switch (extended) {
    case SQLITE_CONSTRAINT_UNIQUE:
    case SQLITE_CONSTRAINT_PRIMARYKEY: raiseError(ErrorNo::DuplicateKey);
    case SQLITE_CONSTRAINT_NOTNULL: raiseError(ErrorNo::NullNotAllowed, message);
    case SQLITE_CONSTRAINT_CHECK: raiseError(ErrorNo::FieldTooSmall);
    default: break;
    }
    if ((extended & 0xff) == SQLITE_NOTADB) raiseError(ErrorNo::UnrecognizedDatabase, text);
    if ((extended & 0xff) == SQLITE_CANTOPEN) raiseError(ErrorNo::FileNotFound, text);
    raiseError(ErrorNo::DatabaseError, text);
}

Database& Database::shared() {
    static Database db;
    return db;
}

Database::~Database() { close(); }

void Database::openWithFlags(const QString& path, int flags) {
    close();
    sqlite3* db = nullptr;
    const int rc = sqlite3_open_v2(QFile::encodeName(path).constData(), &db, flags, nullptr);
    if (rc != SQLITE_OK) {
        const QString message = QString::fromUtf8(db ? sqlite3_errmsg(db) : sqlite3_errstr(rc));
        sqlite3_close(db);
        raiseError(rc == SQLITE_CANTOPEN ? ErrorNo::FileNotFound : ErrorNo::DatabaseError,
                   QString("Could not use '%1'; %2.").arg(path, message));
    }
    db_ = db;
    path_ = path;
    sqlite3_busy_timeout(db_, LockWaitMs);
    sqlite3_extended_result_codes(db_, 1);
}

void Database::open(const QString& path, bool readOnly) {
    QString why;
    if (!isOurDatabase(path, &why))
        raiseError(ErrorNo::UnrecognizedDatabase, QString("Unrecognized database format '%1'. %2").arg(path, why));
    openWithFlags(path, readOnly ? SQLITE_OPEN_READONLY : SQLITE_OPEN_READWRITE);
    exec("PRAGMA journal_mode=DELETE");
}

void Database::createNew(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::NewOnly))
        raiseError(ErrorNo::PermissionDenied, QString("Could not create '%1'; %2.").arg(path, file.errorString()));
    file.close();
    try {
        openWithFlags(path, SQLITE_OPEN_READWRITE);
        exec("PRAGMA journal_mode=DELETE");
    } catch (...) {
        // Either a new, open database or no file at all: an empty file
        // would stand in the way of the next attempt.
        close();
        QFile::remove(path);
        throw;
    }
}

void Database::close() {
    if (db_) sqlite3_close_v2(db_);
    db_ = nullptr;
    path_.clear();
}

sqlite3* Database::handle() const {
    if (!db_) raiseError(ErrorNo::DatabaseError, "The database is not open.");
    return db_;
}

void Database::exec(const QString& sql) {
    char* error = nullptr;
    const int rc = sqlite3_exec(handle(), sql.toUtf8().constData(), nullptr, nullptr, &error);
    sqlite3_free(error);
    if (rc != SQLITE_OK) raiseSqliteError(db_, rc);
}

QStringList Database::tableNames() const {
    QStringList names;
    Statement s(const_cast<Database&>(*this),
                "SELECT name FROM sqlite_master WHERE type = 'table' ORDER BY rowid");
    while (s.step()) names << s.value(0).toString();
    return names;
}

QString Database::storedTableName(const QString& name) const {
    for (const QString& t : tableNames())
        if (t.compare(name, Qt::CaseInsensitive) == 0) return t;
    return QString();
}

QStringList Database::columnNames(const QString& storedTable) const {
    QStringList names;
    Statement s(const_cast<Database&>(*this), "SELECT name FROM pragma_table_info(?)");
    s.bind(1, storedTable);
    while (s.step()) names << s.value(0).toString();
    return names;
}

bool Database::isOurDatabase(const QString& path, QString* why) {
    auto refuse = [&](const QString& reason) { if (why) *why = reason; return false; };
    QFile file(path);
    if (!file.exists()) return refuse("The file does not exist.");
    if (file.size() == 0) return refuse("The file is empty.");
    sqlite3* db = nullptr;
    if (sqlite3_open_v2(QFile::encodeName(path).constData(), &db, SQLITE_OPEN_READONLY, nullptr) != SQLITE_OK) {
        sqlite3_close(db);
        return refuse("The file cannot be opened.");
    }
    // A file another connection is writing is read once it has finished, as the main connection does.
    sqlite3_busy_timeout(db, LockWaitMs);
    const QString difference = schemaDifference(db);
    sqlite3_close(db);
    return difference.isEmpty() ? true : refuse(difference);
}

Statement::Statement(Database& db, const QString& sql) : db_(db) {
    const int rc = sqlite3_prepare_v2(db.handle(), sql.toUtf8().constData(), -1, &stmt_, nullptr);
    if (rc != SQLITE_OK) raiseSqliteError(db.handle(), rc);
}

Statement::~Statement() { sqlite3_finalize(stmt_); }

Statement& Statement::bind(int position, const QVariant& v) {
    int rc;
    if (!v.isValid() || v.isNull()) {
        rc = sqlite3_bind_null(stmt_, position);
    } else if (v.userType() == qMetaTypeId<Currency>()) {
        rc = sqlite3_bind_int64(stmt_, position, v.value<Currency>().raw());
    } else {
        switch (v.typeId()) {
        case QMetaType::Int: case QMetaType::LongLong: case QMetaType::Short: case QMetaType::UInt:
        case QMetaType::Bool:
            rc = sqlite3_bind_int64(stmt_, position, v.toLongLong());
            break;
        case QMetaType::Double: case QMetaType::Float:
            rc = sqlite3_bind_double(stmt_, position, v.toDouble());
            break;
        case QMetaType::QDate: rc = bindText(stmt_, position, isoDate(v.toDate())); break;
        case QMetaType::QDateTime: rc = bindText(stmt_, position, isoDateTime(v.toDateTime())); break;
        default: rc = bindText(stmt_, position, v.toString());
        }
    }
    if (rc != SQLITE_OK) raiseSqliteError(db_.handle(), rc);
    return *this;
}

Statement& Statement::bindAll(const std::vector<QVariant>& values) {
    for (size_t i = 0; i < values.size(); ++i) bind(int(i) + 1, values[i]);
    return *this;
}

bool Statement::step() {
    const int rc = sqlite3_step(stmt_);
    if (rc == SQLITE_ROW) return true;
    if (rc == SQLITE_DONE) return false;
    raiseSqliteError(db_.handle(), rc);
}

void Statement::run() { while (step()) {} }

void Statement::reset() {
    sqlite3_reset(stmt_);
    sqlite3_clear_bindings(stmt_);
}

int Statement::columnCount() const { return sqlite3_column_count(stmt_); }

QString Statement::columnName(int i) const { return QString::fromUtf8(sqlite3_column_name(stmt_, i)); }

QVariant Statement::value(int i) const {
    const int type = sqlite3_column_type(stmt_, i);
    if (type == SQLITE_NULL) return QVariant();
    const QString declared = QString::fromUtf8(sqlite3_column_decltype(stmt_, i)).toUpper();
    if (declared.startsWith("CURRENCY") && type == SQLITE_INTEGER)
        return QVariant::fromValue(Currency::fromRaw(sqlite3_column_int64(stmt_, i)));
    if (declared.startsWith("DATE") && type == SQLITE_TEXT)
        return parseIsoDateTime(columnText(stmt_, i));
    switch (type) {
    case SQLITE_INTEGER: {
        const qint64 v = sqlite3_column_int64(stmt_, i);
        if (declared == "INTEGER" && v >= INT32_MIN && v <= INT32_MAX) return int(v);
        return v;
    }
    case SQLITE_FLOAT: return sqlite3_column_double(stmt_, i);
    case SQLITE_BLOB:
        return QByteArray(static_cast<const char*>(sqlite3_column_blob(stmt_, i)), sqlite3_column_bytes(stmt_, i));
    default: return columnText(stmt_, i);
    }
}

qint64 Statement::lastInsertRowId() const { return sqlite3_last_insert_rowid(db_.handle()); }

Transaction::Transaction(Database& db) : db_(db) { db_.exec("BEGIN IMMEDIATE"); }

Transaction::~Transaction() {
    if (!done_ && db_.isOpen()) sqlite3_exec(db_.handle(), "ROLLBACK", nullptr, nullptr, nullptr);
}

void Transaction::commit() {
    db_.exec("COMMIT");
    done_ = true;
}
