#include "platform/Database.h"
#include "platform/AppError.h"
#include "platform/Currency.h"
#include "platform/SchemaCheck.h"
#include "platform/ShortDate.h"
#include "platform/WholeFile.h"
#include <QFile>
#include <QFileInfo>
#include <QUrl>
#include <cerrno>
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

// The URI of a file read as it stands: no lock, no file made beside it.
QString untouchedUri(const QString& path) {
    return QUrl::fromLocalFile(QFileInfo(path).absoluteFilePath()).toString(QUrl::FullyEncoded) +
           "?mode=ro&immutable=1";
}

// Enough free statements of one text for record sets open side by side.
constexpr size_t IdlePerText = 4;
constexpr int IdleLimit = 256;
}

namespace {
// What went wrong, with the system's reason when the file could not be read
// or written: a full disk says "No space left on device", as every failed
// write of the program does.
QString failureText(sqlite3* db, int code) {
    const int primary = code & 0xff;
    if (primary == SQLITE_FULL) return systemReason(ENOSPC);
    const QString message = db ? QString::fromUtf8(sqlite3_errmsg(db)) : QString::fromUtf8(sqlite3_errstr(code));
    const int error = db ? sqlite3_system_errno(db) : 0;
    if ((primary == SQLITE_IOERR || primary == SQLITE_CANTOPEN) && error != 0)
        return message + " (" + systemReason(error) + ")";
    return message;
}
}  // namespace

void raiseSqliteError(sqlite3* db, int code, const QString& context) {
    const int extended = db ? sqlite3_extended_errcode(db) : code;
    const QString message = failureText(db, extended);
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
    // Never destroyed: record sets held in module values may outlive any
    // other static, and give their statements back to it.
    static Database* const db = new Database;
    return *db;
}

Database::~Database() { close(); }

void Database::openWithFlags(const QString& path, int flags) {
    close();
    sqlite3* db = nullptr;
    // One thread uses the connection: SQLite need not lock it on every call.
    // URI file names let a file be read untouched (openUntouched,
    // attachReadOnly); the program's own paths are plain, absolute ones.
    const int rc = sqlite3_open_v2(QFile::encodeName(path).constData(), &db,
                                   flags | SQLITE_OPEN_NOMUTEX | SQLITE_OPEN_URI, nullptr);
    if (rc != SQLITE_OK) {
        const QString message = failureText(db, db ? sqlite3_extended_errcode(db) : rc);
        sqlite3_close(db);
        raiseError(rc == SQLITE_CANTOPEN ? ErrorNo::FileNotFound : ErrorNo::DatabaseError,
                   QString("Could not use '%1'; %2.").arg(path, message));
    }
    db_ = db;
    path_ = path;
    ++serial_;
    sqlite3_busy_timeout(db_, LockWaitMs);
    sqlite3_extended_result_codes(db_, 1);
    // Reads map the file instead of copying it a page per system call: a
    // look-up per row of a long walk (each debtor's customer) costs a third.
    // Only this program works on the file while it is open (ProgramLock).
    sqlite3_exec(db_, "PRAGMA mmap_size=1073741824", nullptr, nullptr, nullptr);
}

void Database::checkOurs(const QString& path, bool untouched) {
    QString why;
    if (!isOurDatabase(path, &why, untouched))
        raiseError(ErrorNo::UnrecognizedDatabase, QString("Unrecognized database format '%1'. %2").arg(path, why));
}

void Database::open(const QString& path, bool readOnly) {
    checkOurs(path, false);
    openWithFlags(path, readOnly ? SQLITE_OPEN_READONLY : SQLITE_OPEN_READWRITE);
    exec("PRAGMA journal_mode=DELETE");
}

void Database::openUntouched(const QString& path) {
    checkOurs(path, true);
    openWithFlags(untouchedUri(path), SQLITE_OPEN_READONLY);
    path_ = path;
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
    idle_.clear();
    idleCount_ = 0;
    if (db_) {
        // Statements still held elsewhere die with this opening; reset they
        // hold no lock on the file while they wait to be finalized.
        for (sqlite3_stmt* s = sqlite3_next_stmt(db_, nullptr); s; s = sqlite3_next_stmt(db_, s)) sqlite3_reset(s);
        sqlite3_close_v2(db_);
    }
    db_ = nullptr;
    path_.clear();
    ++serial_;
}

qint64 Database::dataVersion() const {
    return (qint64(serial_) << 40) + (db_ ? sqlite3_total_changes64(db_) : 0) + rollbacks_;
}

std::unique_ptr<Statement> Database::takeCached(const QString& sql) {
    const auto it = idle_.find(sql);
    if (it == idle_.end() || it->second.empty()) return std::make_unique<Statement>(*this, sql);
    std::unique_ptr<Statement> statement = std::move(it->second.back());
    it->second.pop_back();
    --idleCount_;
    return statement;
}

void Database::giveBack(const QString& sql, std::unique_ptr<Statement> statement) {
    if (!db_ || statement->serial_ != serial_) return;   // of an earlier opening: finalized here
    statement->reset();
    if (idleCount_ >= IdleLimit) {
        idle_.clear();
        idleCount_ = 0;
    }
    auto& free = idle_[sql];
    if (free.size() >= IdlePerText) return;
    free.push_back(std::move(statement));
    ++idleCount_;
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

void Database::attachReadOnly(const QString& path, const QString& name) {
    Statement(*this, QString("ATTACH DATABASE ? AS \"%1\"").arg(name)).bind(1, untouchedUri(path)).run();
}

void Database::detach(const QString& name) { exec(QString("DETACH DATABASE \"%1\"").arg(name)); }

QStringList Database::tableNames() const {
    QStringList names;
    CachedStatement s(const_cast<Database&>(*this),
                      "SELECT name FROM sqlite_master WHERE type = 'table' ORDER BY rowid");
    while (s->step()) names << s->value(0).toString();
    return names;
}

QString Database::storedTableName(const QString& name) const {
    for (const QString& t : tableNames())
        if (t.compare(name, Qt::CaseInsensitive) == 0) return t;
    return QString();
}

QStringList Database::columnNames(const QString& storedTable) const {
    QStringList names;
    CachedStatement s(const_cast<Database&>(*this), "SELECT name FROM pragma_table_info(?)");
    s->bind(1, storedTable);
    while (s->step()) names << s->value(0).toString();
    return names;
}

bool Database::isOurDatabase(const QString& path, QString* why, bool untouched) {
    auto refuse = [&](const QString& reason) { if (why) *why = reason; return false; };
    QFile file(path);
    if (!file.exists()) return refuse("The file does not exist.");
    if (file.size() == 0) return refuse("The file is empty.");
    sqlite3* db = nullptr;
    const QByteArray name = QFile::encodeName(untouched ? untouchedUri(path) : path);
    if (sqlite3_open_v2(name.constData(), &db, SQLITE_OPEN_READONLY | (untouched ? SQLITE_OPEN_URI : 0), nullptr) !=
        SQLITE_OK) {
        sqlite3_close(db);
        return refuse("The file cannot be opened.");
    }
    // A file another connection is writing is read once it has finished, as the main connection does.
    sqlite3_busy_timeout(db, LockWaitMs);
    const QString difference = schemaDifference(db);
    sqlite3_close(db);
    return difference.isEmpty() ? true : refuse(difference);
}

QString Database::changesBeside(const QString& path) {
    const QString name = QFileInfo(path).fileName();
    // A -wal of no more than its header holds no change.
    constexpr qint64 WalHeader = 32;
    if (QFileInfo(path + "-wal").size() > WalHeader)
        return QString("Beside it stands %1-wal, holding changes that are not yet in %1 itself: a program may "
                       "still be working on it, or was stopped before it finished. Close that program, or "
                       "restore a copy made while it was closed.")
            .arg(name);
    // A journal whose first byte is 0 was finished with.
    QFile journal(path + "-journal");
    const QByteArray first = journal.open(QIODevice::ReadOnly) ? journal.read(1) : QByteArray();
    if (!first.isEmpty() && first[0] != 0)
        return QString("Beside it stands %1-journal, left by a change to %1 that was cut off, so %1 may hold "
                       "only part of that change. Restore a copy made while no program was working on it.")
            .arg(name);
    return QString();
}

Statement::Statement(Database& db, const QString& sql) : db_(db), serial_(db.serial()) {
    const int rc = sqlite3_prepare_v2(db.handle(), sql.toUtf8().constData(), -1, &stmt_, nullptr);
    if (rc != SQLITE_OK) raiseSqliteError(db.handle(), rc);
    kinds_.resize(size_t(sqlite3_column_count(stmt_)), Kind::Plain);
    for (int i = 0; i < int(kinds_.size()); ++i) {
        const QByteArray declared = QByteArray(sqlite3_column_decltype(stmt_, i)).toUpper();
        kinds_[size_t(i)] = declared.startsWith("CURRENCY") ? Kind::Currency
                          : declared.startsWith("DATE")     ? Kind::Date
                          : declared == "INTEGER"           ? Kind::Integer
                                                            : Kind::Plain;
    }
}

Statement::~Statement() { sqlite3_finalize(stmt_); }

void Statement::requireLive() const {
    if (serial_ != db_.serial() || !db_.isOpen())
        raiseError(ErrorNo::InvalidUse, "Operation is not allowed when the object is closed.");
}

Statement& Statement::bind(int position, const QVariant& v) {
    requireLive();
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
    requireLive();
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
    const Kind kind = i >= 0 && i < int(kinds_.size()) ? kinds_[size_t(i)] : Kind::Plain;
    if (kind == Kind::Currency && type == SQLITE_INTEGER)
        return QVariant::fromValue(Currency::fromRaw(sqlite3_column_int64(stmt_, i)));
    if (kind == Kind::Date && type == SQLITE_TEXT) return parseIsoDateTime(columnText(stmt_, i));
    switch (type) {
    case SQLITE_INTEGER: {
        const qint64 v = sqlite3_column_int64(stmt_, i);
        if (kind == Kind::Integer && v >= INT32_MIN && v <= INT32_MAX) return int(v);
        return v;
    }
    case SQLITE_FLOAT: return sqlite3_column_double(stmt_, i);
    case SQLITE_BLOB:
        return QByteArray(static_cast<const char*>(sqlite3_column_blob(stmt_, i)), sqlite3_column_bytes(stmt_, i));
    default: return columnText(stmt_, i);
    }
}

Statement::Stored Statement::stored(int i) const {
    switch (sqlite3_column_type(stmt_, i)) {
    case SQLITE_INTEGER: return Stored::Integer;
    case SQLITE_FLOAT: return Stored::Float;
    case SQLITE_TEXT: return Stored::Text;
    case SQLITE_BLOB: return Stored::Blob;
    default: return Stored::Null;
    }
}

qint64 Statement::integer(int i) const { return sqlite3_column_int64(stmt_, i); }

std::string_view Statement::utf8(int i) const {
    const auto* text = reinterpret_cast<const char*>(sqlite3_column_text(stmt_, i));
    return text ? std::string_view(text, size_t(sqlite3_column_bytes(stmt_, i))) : std::string_view();
}

qint64 Statement::lastInsertRowId() const { return sqlite3_last_insert_rowid(db_.handle()); }

CachedStatement::CachedStatement(Database& db, const QString& sql)
    : db_(&db), sql_(sql), statement_(db.takeCached(sql)) {}

CachedStatement::~CachedStatement() { release(); }

CachedStatement& CachedStatement::operator=(CachedStatement&& other) noexcept {
    if (this != &other) {
        release();
        db_ = other.db_;
        sql_ = std::move(other.sql_);
        statement_ = std::move(other.statement_);
    }
    return *this;
}

void CachedStatement::release() {
    if (statement_) db_->giveBack(sql_, std::move(statement_));
}

namespace {
// One name serves every level: a rollback or release names the innermost.
const char* const Savepoint = "kelm_part";
}

Transaction::Transaction(Database& db) : db_(db) {
    nested_ = sqlite3_get_autocommit(db_.handle()) == 0;
    db_.exec(nested_ ? QString("SAVEPOINT %1").arg(Savepoint) : QString("BEGIN IMMEDIATE"));
}

Transaction::~Transaction() {
    if (done_ || !db_.isOpen()) return;
    sqlite3* db = db_.handle();
    if (nested_) {
        const QByteArray undo = QString("ROLLBACK TO %1; RELEASE %1").arg(Savepoint).toUtf8();
        sqlite3_exec(db, undo.constData(), nullptr, nullptr, nullptr);
    } else if (sqlite3_get_autocommit(db) == 0) {
        sqlite3_exec(db, "ROLLBACK", nullptr, nullptr, nullptr);
    }
    ++db_.rollbacks_;
}

void Transaction::commit() {
    db_.exec(nested_ ? QString("RELEASE %1").arg(Savepoint) : QString("COMMIT"));
    done_ = true;
}
