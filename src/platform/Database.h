#pragma once
#include <QHash>
#include <unordered_map>
#include <QString>
#include <QVariant>
#include <QStringList>
#include <memory>
#include <string_view>
#include <vector>

struct sqlite3;
struct sqlite3_stmt;
class Statement;

// The one SQLite connection on data.mdb. Every record set and query of the
// program goes through it; a missing file is never created by opening.
class Database {
public:
    static Database& shared();

    // Opens an existing database file read-write (or read-only) and checks
    // that it is one of ours; Unrecognized database when it is not.
    void open(const QString& path, bool readOnly = false);
    // Opens a file that is not the program's to write, such as a backup, as
    // open does but untouched: read-only, taking no lock and making no file
    // beside it (no journal, no WAL index), whatever journal mode its header
    // names; a file in WAL mode without its -wal is whole in itself. Only
    // for a file nothing writes meanwhile (changesBeside tells of a writer
    // that left its work beside it).
    void openUntouched(const QString& path);
    // Creates a new, empty file exclusively and opens it; fails if it exists.
    void createNew(const QString& path);
    void close();
    bool isOpen() const { return db_ != nullptr; }
    QString path() const { return path_; }

    void exec(const QString& sql);
    sqlite3* handle() const;

    // Another database file, read untouched (openUntouched) under the schema
    // name given, which no statement of this connection can change; and
    // letting it go again.
    void attachReadOnly(const QString& path, const QString& name);
    void detach(const QString& name);

    // The names of the tables the file holds, as stored.
    QStringList tableNames() const;
    // The stored name of a table, matched without regard to case; empty when none.
    QString storedTableName(const QString& name) const;
    // The stored columns of a table, in their order.
    QStringList columnNames(const QString& storedTable) const;

    // True when the file at path opens as SQLite and its tables are those of
    // our schema (SchemaCheck.h); waits for a writer on the file as the main
    // connection does. Otherwise why says what is wrong.
    // Untouched, the file is read as openUntouched reads it.
    static bool isOurDatabase(const QString& path, QString* why = nullptr, bool untouched = false);
    // Why the data of a file may not all be in the file itself: beside it a
    // -wal holding changes not yet written back, or the journal of a change
    // cut off, which only a writer could play back or undo. Empty when none.
    static QString changesBeside(const QString& path);

    // Changes with every row written on this connection and every rolled-back
    // transaction: a cursor that saw another version reads its rows again.
    qint64 dataVersion() const;
    // Which opening of the file this is: statements of an earlier one are dead.
    quint64 serial() const { return serial_; }

    Database() = default;
    ~Database();
    Database(const Database&) = delete;
    Database& operator=(const Database&) = delete;

private:
    friend class CachedStatement;
    friend class Transaction;
    void openWithFlags(const QString& path, int flags);
    void checkOurs(const QString& path, bool untouched);
    std::unique_ptr<Statement> takeCached(const QString& sql);
    void giveBack(const QString& sql, std::unique_ptr<Statement> statement);
    sqlite3* db_ = nullptr;
    QString path_;
    quint64 serial_ = 0;
    qint64 rollbacks_ = 0;
    struct TextHash {
        size_t operator()(const QString& text) const { return qHash(text); }
    };
    // Prepared, reset, ready for reuse, by their text.
    std::unordered_map<QString, std::vector<std::unique_ptr<Statement>>, TextHash> idle_;
    int idleCount_ = 0;
};

// A prepared statement with bound values; values never enter the SQL text.
// The kind of each result column is read from its declared type once, when
// the statement is prepared. A statement of a connection since closed
// refuses to run.
class Statement {
public:
    Statement(Database& db, const QString& sql);
    ~Statement();
    Statement(const Statement&) = delete;
    Statement& operator=(const Statement&) = delete;

    Statement& bind(int position, const QVariant& value);   // from 1; texts whole, NUL characters too
    Statement& bindAll(const std::vector<QVariant>& values);
    bool step();            // true while a row is there
    void run();             // steps to the end
    void reset();           // to the start, bindings cleared

    int columnCount() const;
    QString columnName(int i) const;
    // The value of a result column, in the kind its declared type tells.
    QVariant value(int i) const;
    qint64 lastInsertRowId() const;

    // Straight from the row, for walks over whole tables: how the value is
    // stored, a whole number as stored, and a text's UTF-8 bytes without a
    // copy (valid until the next step; empty for a null).
    enum class Stored { Null, Integer, Float, Text, Blob };
    Stored stored(int i) const;
    qint64 integer(int i) const;
    std::string_view utf8(int i) const;

private:
    friend class Database;
    enum class Kind { Plain, Integer, Currency, Date };
    void requireLive() const;
    Database& db_;
    sqlite3_stmt* stmt_ = nullptr;
    quint64 serial_ = 0;
    std::vector<Kind> kinds_;
};

// A statement prepared once per connection and reused: taken from the
// connection's cache (or prepared when none is free), reset and given back
// when this goes. Two of the same text in use at once are two statements.
class CachedStatement {
public:
    CachedStatement(Database& db, const QString& sql);
    ~CachedStatement();
    CachedStatement(CachedStatement&& other) noexcept = default;
    CachedStatement& operator=(CachedStatement&& other) noexcept;
    CachedStatement(const CachedStatement&) = delete;
    CachedStatement& operator=(const CachedStatement&) = delete;

    Statement& operator*() const { return *statement_; }
    Statement* operator->() const { return statement_.get(); }

private:
    void release();
    Database* db_;
    QString sql_;
    std::unique_ptr<Statement> statement_;
};

// A transaction: rolled back unless committed before it goes out of scope.
// Opened inside another one it is a part of it (a savepoint): its rollback
// undoes only its own writes, its commit leaves them to the outer one.
// Record sets and statements write inside whatever transaction is open, so
// a batch of writes in one costs one commit.
class Transaction {
public:
    explicit Transaction(Database& db = Database::shared());
    ~Transaction();
    Transaction(const Transaction&) = delete;
    Transaction& operator=(const Transaction&) = delete;
    void commit();
private:
    Database& db_;
    bool nested_ = false;
    bool done_ = false;
};

// The error for the last failure on a connection, as an AppError.
[[noreturn]] void raiseSqliteError(sqlite3* db, int code, const QString& context = QString());
