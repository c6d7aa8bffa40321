#include "platform/AppError.h"
#include "platform/Currency.h"
#include "platform/Database.h"
#include "support/TestSupport.h"
#include <QFile>
#include <chrono>
#include <thread>
#include <QtTest>

namespace {
int openError(const QString& path) {
    Database db;
    try {
        db.open(path);
    } catch (const AppError& e) {
        return e.number;
    }
    return 0;
}

int count(const QString& table) {
    Statement s(Database::shared(), QString("SELECT count(*) FROM \"%1\"").arg(table));
    s.step();
    return s.value(0).toInt();
}
}  // namespace

class TestDatabase : public QObject {
    Q_OBJECT

private slots:
    // A file that is not ours is refused, never taken over or made anew.
    void openRefusesWhatIsNotOurs_data() {
        QTest::addColumn<QByteArray>("content");
        QTest::addColumn<QString>("sql");   // run on the file as SQLite first, when given
        QTest::newRow("empty file") << QByteArray() << "";
        QTest::newRow("text file") << QByteArray("Name,Total\r\nA,1\r\n") << "";
        QTest::newRow("other database") << QByteArray() << "CREATE TABLE Customers (CustID TEXT)";
    }
    void openRefusesWhatIsNotOurs() {
        QFETCH(QByteArray, content);
        QFETCH(QString, sql);
        TestProgram program;
        const QString path = program.file("data.mdb");
        {
            QFile f(path);
            QVERIFY(f.open(QIODevice::WriteOnly));
            f.write(content);
        }
        if (!sql.isEmpty()) {
            QFile::remove(path);
            Database other;
            other.createNew(path);
            other.exec(sql);
        }
        const QByteArray before = [&] { QFile f(path); f.open(QIODevice::ReadOnly); return f.readAll(); }();
        QCOMPARE(openError(path), ErrorNo::UnrecognizedDatabase);
        QFile f(path);
        QVERIFY(f.open(QIODevice::ReadOnly));
        QCOMPARE(f.readAll(), before);
    }

    // Every table is checked column by column against the program's own
    // schema: a file that differs in a way that changes how it is read or
    // written is refused, one that differs only in letter case is ours.
    void openChecksEveryColumn_data() {
        QTest::addColumn<QString>("sql");   // run on a database as the program creates it
        QTest::addColumn<QString>("why");   // "" = accepted
        const QString parts = "DROP TABLE Parts; CREATE TABLE Parts (ID TEXT COLLATE NOCASE %1, "
                              "ShortDesc TEXT COLLATE NOCASE, \"Desc\" TEXT COLLATE NOCASE, Price %2, "
                              "Taxable INTEGER DEFAULT 0 %3)";
        QTest::newRow("as created") << "" << "";
        QTest::newRow("names in another case") << "ALTER TABLE Parts RENAME COLUMN ShortDesc TO SHORTDESC" << "";
        QTest::newRow("a column missing")
            << "ALTER TABLE InvoiceD DROP COLUMN Taxable" << "The table InvoiceD has no column Taxable.";
        QTest::newRow("a column too many")
            << "ALTER TABLE Parts ADD COLUMN Colour TEXT" << "a column Colour that this program does not know";
        QTest::newRow("money kept as a whole number")
            << parts.arg("NOT NULL", "INTEGER DEFAULT 0", "") << "The column Price of the table Parts";
        QTest::newRow("a key that may be Null")
            << parts.arg("", "CURRENCY INTEGER DEFAULT 0", "") << "The column ID of the table Parts";
        QTest::newRow("a key that compares letter case")
            << QString(parts.arg("NOT NULL", "CURRENCY INTEGER DEFAULT 0", "")).replace("ID TEXT COLLATE NOCASE",
                                                                                         "ID TEXT")
            << "The column ID of the table Parts";
        // Named as the program spells them, whatever the file's letter case.
        QTest::newRow("money kept as a whole number, names in another case")
            << QString(parts.arg("NOT NULL", "INTEGER DEFAULT 0", ""))
                   .replace("CREATE TABLE Parts", "CREATE TABLE parts")
                   .replace("Price", "PRICE")
            << "The column Price of the table Parts is not kept";
        QTest::newRow("only the length check and default differ")
            << parts.arg("NOT NULL", "CURRENCY INTEGER", "") << "";
    }
    void openChecksEveryColumn() {
        QFETCH(QString, sql);
        QFETCH(QString, why);
        TestProgram program;
        program.createDatabase();
        if (!sql.isEmpty()) Database::shared().exec(sql);
        program.closeDatabase();
        QString reason;
        QCOMPARE(Database::isOurDatabase(program.file("data.mdb"), &reason), why.isEmpty());
        QVERIFY2(reason.contains(why), qPrintable(reason));
        QCOMPARE(openError(program.file("data.mdb")), why.isEmpty() ? 0 : ErrorNo::UnrecognizedDatabase);
    }

    // The check waits for a writer as the main connection does, instead of
    // taking a busy file for one that is not ours.
    void theCheckWaitsForAWriter() {
        TestProgram program;
        program.createDatabase();
        program.closeDatabase();
        Database writer;
        writer.open(program.file("data.mdb"));
        writer.exec("BEGIN EXCLUSIVE");
        writer.exec("INSERT INTO Parts (ID) VALUES ('P1')");
        std::thread finishing([&writer] {
            std::this_thread::sleep_for(std::chrono::milliseconds(300));
            writer.exec("COMMIT");
        });
        QString why;
        const bool ours = Database::isOurDatabase(program.file("data.mdb"), &why);
        finishing.join();
        QVERIFY2(ours, qPrintable(why));
    }

    void openNeverCreatesAMissingFile() {
        TestProgram program;
        QVERIFY(openError(program.file("data.mdb")) != 0);
        QVERIFY(!QFile::exists(program.file("data.mdb")));
        Database db;
        db.createNew(program.file("new.mdb"));
        QVERIFY(db.isOpen());
        Database again;
        QCOMPARE([&] { try { again.createNew(program.file("new.mdb")); } catch (const AppError& e) { return e.number; }
                       return 0; }(), ErrorNo::PermissionDenied);
    }

    void readOnlyOpenReadsButNeverWrites() {
        TestProgram program;
        program.createDatabase();
        Database::shared().exec("INSERT INTO Parts (ID) VALUES ('P1')");
        Database reader;
        reader.open(program.file("data.mdb"), true);
        QCOMPARE(reader.tableNames().size(), 6);
        QCOMPARE(reader.columnNames("Parts"), QStringList({"ID", "ShortDesc", "Desc", "Price", "Taxable"}));
        QCOMPARE(reader.storedTableName("PARTS"), QString("Parts"));
        QVERIFY(errorNumberOf([&] { reader.exec("DELETE FROM Parts"); }) != 0);
        QCOMPARE(count("Parts"), 1);
    }

    void statementsBindValuesOfEveryKind() {
        TestProgram program;
        program.createDatabase();
        Statement insert(Database::shared(),
                         "INSERT INTO Invoices (InvNo, Date, Total, TaxPer, ReminderSent, Notes) VALUES (?, ?, ?, ?, ?, ?)");
        insert.bindAll({QVariant("it's \"quoted\"; DROP TABLE Invoices"), QVariant(QDate(2024, 2, 29)),
                        QVariant::fromValue(Currency::fromText("-12.3456")), QVariant(17.5), QVariant(2), QVariant()})
            .run();
        Statement read(Database::shared(), "SELECT InvNo, Date, Total, TaxPer, ReminderSent, Notes FROM Invoices");
        QVERIFY(read.step());
        QCOMPARE(read.value(0).toString(), QString("it's \"quoted\"; DROP TABLE Invoices"));
        QCOMPARE(read.value(1), QVariant(QDateTime(QDate(2024, 2, 29), QTime(0, 0))));
        QCOMPARE(read.value(2), QVariant::fromValue(Currency::fromText("-12.3456")));
        QCOMPARE(read.value(3), QVariant(17.5));
        QCOMPARE(read.value(4), QVariant(2));
        QVERIFY(!read.value(5).isValid());
        QVERIFY(!read.step());
    }

    // A NUL inside a text (from the import file or a paste) neither ends it
    // on the way in nor on the way out.
    void textsWithANulAreStoredWhole() {
        TestProgram program;
        program.createDatabase();
        const QString notes = QString("before") + QChar(0) + QString("after ü");
        Statement insert(Database::shared(), "INSERT INTO Customers (CustID, notes) VALUES (?, ?)");
        insert.bindAll({QVariant("C1"), QVariant(notes)}).run();
        Statement stored(Database::shared(), "SELECT length(CAST(notes AS BLOB)), notes FROM Customers");
        QVERIFY(stored.step());
        QCOMPARE(stored.value(0).toInt(), int(notes.toUtf8().size()));
        QCOMPARE(stored.value(1).toString(), notes);
    }

    void transactionsRollBackUnlessCommitted() {
        TestProgram program;
        program.createDatabase();
        {
            Transaction t;
            Database::shared().exec("INSERT INTO Parts (ID) VALUES ('dropped')");
        }
        QCOMPARE(count("Parts"), 0);
        {
            Transaction t;
            Database::shared().exec("INSERT INTO Parts (ID) VALUES ('kept')");
            t.commit();
        }
        QCOMPARE(count("Parts"), 1);
    }
};

QTEST_MAIN(TestDatabase)
#include "test_database.moc"
