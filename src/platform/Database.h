#pragma once
#include <QString>
#include <QVariant>
#include <QStringList>
#include <vector>

struct sqlite3;
struct sqlite3_stmt;

// The one SQLite connection on data.mdb. Every record set and query of the
// program goes through it; a missing file is never created by opening.
class Database {
public:
    static Database& shared();

    // Opens an existing database file read-write (or read-only) and checks
    // that it is one of ours; Unrecognized database when it is not.
    void open(const QString& path, bool readOnly = false);
    // Creates a new, empty file exclusively and opens it; fails if it exists.
    void createNew(const QString& path);
    void close();
    bool isOpen() const { return db_ != nullptr; }
    QString path() const { return path_; }

    void exec(const QString& sql);
    sqlite3* handle() const;

    // The names of the tables the file holds, as stored.
    QStringList tableNames() const;
    // The stored name of a table, matched without regard to case; empty when none.
    QString storedTableName(const QString& name) const;
    // The stored columns of a table, in their order.
    QStringList columnNames(const QString& storedTable) const;

    // True when the file at path opens as SQLite and its tables are those of
    // our schema (SchemaCheck.h); waits for a writer on the file as the main
    // connection does. Otherwise why says what is wrong.
    static bool isOurDatabase(const QString& path, QString* why = nullptr);

    Database() = default;
    ~Database();
    Database(const Database&) = delete;
    Database& operator=(const Database&) = delete;

private:
    void openWithFlags(const QString& path, int flags);
    sqlite3* db_ = nullptr;
    QString path_;
};

// A prepared statement with bound values; values never enter the SQL text.
class Statement {
public:
    Statement(Database& db, const QString& sql);
    ~Statement();
    Statement(const Statement&) = delete;
    Statement& operator=(const Statement&) = delete;

    Statement& bind(int position, const QVariant& value);   // from 1
    Statement& bindAll(const std::vector<QVariant>& values);
    bool step();            // true while a row is there
    void run();             // steps to the end
    void reset();

    int columnCount() const;
    QString columnName(int i) const;
    // The value of a result column, in the kind its declared type tells.
    QVariant value(int i) const;
    qint64 lastInsertRowId() const;

private:
    Database& db_;
    sqlite3_stmt* stmt_ = nullptr;
};

// A transaction: rolled back unless committed before it goes out of scope.
class Transaction {
public:
    explicit Transaction(Database& db = Database::shared());
    ~Transaction();
    void commit();
private:
    Database& db_;
    bool done_ = false;
};

// The error for the last failure on a connection, as an AppError.
[[noreturn]] void raiseSqliteError(sqlite3* db, int code, const QString& context = QString());
