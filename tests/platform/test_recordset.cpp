#include "common/Functions.h"
#include "platform/AppError.h"
#include "platform/Currency.h"
#include "platform/Database.h"
#include "platform/Recordset.h"
#include "support/TestSupport.h"
#include <QtTest>
#include <functional>
#include <sqlite3.h>

namespace {

void addPart(const QString& id, const QString& desc, const QString& price) {
    Recordset rs("parts");
    rs.addNew();
    rs.setField("ID", id);
    rs.setField("Desc", desc);
    rs.setField("Price", price);
    rs.update();
}

void addInvoice(const QString& invNo, const QString& custNo) {
    Recordset rs("invoices");
    rs.addNew();
    rs.setField("InvNo", invNo);
    rs.setField("CustNo", custNo);
    rs.update();
}

// How many commits and how much work (in steps of the SQLite engine) the
// action costs on the shared connection.
struct Cost {
    int commits = 0;
    long long work = 0;
};
Cost costOf(const std::function<void()>& action) {
    Cost cost;
    sqlite3* db = Database::shared().handle();
    sqlite3_commit_hook(db, [](void* c) { ++static_cast<Cost*>(c)->commits; return 0; }, &cost);
    sqlite3_progress_handler(db, 10, [](void* c) { ++static_cast<Cost*>(c)->work; return 0; }, &cost);
    action();
    sqlite3_commit_hook(db, nullptr, nullptr);
    sqlite3_progress_handler(db, 0, nullptr, nullptr);
    return cost;
}

void addParts(int count) {
    Transaction batch;
    Statement insert(Database::shared(), "INSERT INTO Parts (ID, Price) VALUES (?, ?)");
    for (int i = 0; i < count; ++i) {
        insert.reset();
        insert.bindAll({QString("P%1").arg(i, 6, 10, QChar('0')), QVariant::fromValue(Currency::fromUnits(1))}).run();
    }
    batch.commit();
}

// Ten times a 1.00 price added to the first parts, then a duplicate key.
void addTenToEachThenFail(Recordset& parts, int failAt) {
    int n = 0;
    for (parts.moveFirst(); !parts.eof(); parts.moveNext(), ++n) {
        if (n == failAt) parts.setField("ID", "P000000");
        parts.setField("Price", QVariant::fromValue(Field_To_Currency(parts["Price"]) + Currency::fromUnits(10)));
        parts.update();
    }
}

QStringList column(const QString& table, const QString& name) {
    Recordset rs(table);
    QStringList out;
    for (rs.moveFirst(); !rs.eof(); rs.moveNext()) out << rs.field(name).toString();
    return out;
}
}  // namespace

class TestRecordset : public DatabaseTestCase {
    Q_OBJECT
private slots:
    void opensByNameInAnyCase() {
        addPart("P1", "one", "1");
        addPart("P2", "two", "2");
        for (const QString name : {"Parts", "PARTS", "parts"}) {
            Recordset rs(name);
            QCOMPARE(rs.table().name, QString("Parts"));
            QCOMPARE(rs.recordCount(), 2);
        }
        QCOMPARE(errorNumberOf([] { Recordset rs("Partz"); }), ErrorNo::DatabaseError);
    }

    void movesAndEnds() {
        {
            Recordset empty("Parts");
            QVERIFY(empty.bof() && empty.eof());
            empty.moveFirst();
            QVERIFY(empty.bof() && empty.eof());
            empty.moveLast();
            QVERIFY(empty.bof() && empty.eof());
            QCOMPARE(errorNumberOf([&] { empty.field("ID"); }), ErrorNo::NoCurrentRecord);
        }
        for (const char* id : {"A", "B", "C"}) addPart(id, "", "0");
        Recordset rs("Parts");
        QVERIFY(!rs.bof() && !rs.eof());
        QCOMPARE(rs.field("ID").toString(), QString("A"));   // a new set stands on its first row
        rs.moveNext();
        rs.moveNext();
        QCOMPARE(rs.field("ID").toString(), QString("C"));
        rs.moveNext();
        QVERIFY(rs.eof() && !rs.bof());
        QCOMPARE(errorNumberOf([&] { rs.field("ID"); }), ErrorNo::NoCurrentRecord);
        QCOMPARE(errorNumberOf([&] { rs.moveNext(); }), ErrorNo::NoCurrentRecord);
        rs.moveLast();
        QCOMPARE(rs.field("ID").toString(), QString("C"));
        rs.movePrevious();
        rs.movePrevious();
        QCOMPARE(rs.field("ID").toString(), QString("A"));
        rs.movePrevious();
        QVERIFY(rs.bof() && !rs.eof());
        QCOMPARE(errorNumberOf([&] { rs.movePrevious(); }), ErrorNo::NoCurrentRecord);
        rs.moveFirst();
        QCOMPARE(rs.field("ID").toString(), QString("A"));
    }

    void fieldsByNameNullAndEmpty() {
        Recordset rs("Customers");
        rs.addNew();
        rs.setField("custid", "C1");
        rs.setField("PHONE", "");
        rs.update();
        Recordset again("customers");
        QCOMPARE(again.field("CUSTID").toString(), QString("C1"));
        QVERIFY(again.field("Phone").isValid());
        QCOMPARE(again["phone"].toString(), QString(""));
        QVERIFY(!again.field("Fax").isValid());          // never set: Null, not ""
        QCOMPARE(again.field("Discount").toInt(), 0);     // the column's default
        QCOMPARE(again.fieldNames().size(), 20);
        QCOMPARE(errorNumberOf([&] { again.field("Surname"); }), ErrorNo::ItemNotFound);
        QCOMPARE(errorNumberOf([&] { again.setField("Surname", "x"); }), ErrorNo::ItemNotFound);
    }

    void valuesRoundTrip_data() {
        QTest::addColumn<QString>("field");
        QTest::addColumn<QVariant>("stored");
        QTest::addColumn<QVariant>("expected");
        const auto money = [](const char* text) { return QVariant::fromValue(Currency::fromText(text)); };
        QTest::newRow("currency text") << "Discount" << QVariant("1234.5678") << money("1234.5678");
        QTest::newRow("currency largest") << "Discount" << money("922337203685477.5807")
                                          << money("922337203685477.5807");
        QTest::newRow("currency negative") << "Discount" << money("-0.0001") << money("-0.0001");
        QTest::newRow("currency from double") << "Discount" << QVariant(0.1) << money("0.1");
        QTest::newRow("currency rounds text") << "Discount" << QVariant("2.00005") << money("2.0001");
        QTest::newRow("double") << "DiscountPercentage" << QVariant(17.5) << QVariant(17.5);
        QTest::newRow("double from text") << "TaxPer" << QVariant("12.25") << QVariant(12.25);
        QTest::newRow("integer") << "ReminderSent" << QVariant(3) << QVariant(3);
        QTest::newRow("integer from text") << "ReminderSent" << QVariant(" 12 ") << QVariant(12);
        QTest::newRow("integer half to even") << "ReminderSent" << QVariant(2.5) << QVariant(2);
        QTest::newRow("date") << "Date" << QVariant(QDate(2024, 2, 29)) << QVariant(QDateTime(QDate(2024, 2, 29), QTime(0, 0)));
        QTest::newRow("date and time") << "Date" << QVariant(QDateTime(QDate(1999, 12, 31), QTime(23, 59, 58)))
                                       << QVariant(QDateTime(QDate(1999, 12, 31), QTime(23, 59, 58)));
        QTest::newRow("date from short date") << "Date" << QVariant("01/02/2024")
                                              << QVariant(QDateTime(QDate(2024, 2, 1), QTime(0, 0)));
        QTest::newRow("text keeps blanks") << "Notes" << QVariant(" a\r\nb ") << QVariant(" a\r\nb ");
        QTest::newRow("text of a number") << "Notes" << QVariant(12.5) << QVariant("12.5");
        QTest::newRow("Null") << "Discount" << QVariant() << QVariant();
    }
    void valuesRoundTrip() {
        QFETCH(QString, field);
        QFETCH(QVariant, stored);
        QFETCH(QVariant, expected);
        {
            Recordset rs("Invoices");
            rs.addNew();
            rs.setField("InvNo", "INV1");
            rs.setField(field, stored);
            rs.update();
        }
        Recordset rs("Invoices");
        const QVariant got = rs.field(field);
        QCOMPARE(got.userType(), expected.userType());
        QCOMPARE(got, expected);
    }

    void valuesThatCannotBeStored_data() {
        QTest::addColumn<QString>("field");
        QTest::addColumn<QVariant>("value");
        QTest::addColumn<int>("error");
        QTest::newRow("text into currency") << "Total" << QVariant("12 pounds") << ErrorNo::TypeMismatch;
        QTest::newRow("empty text into currency") << "Total" << QVariant("") << ErrorNo::TypeMismatch;
        QTest::newRow("text into integer") << "ReminderSent" << QVariant("two") << ErrorNo::TypeMismatch;
        QTest::newRow("text into double") << "TaxPer" << QVariant("ten") << ErrorNo::TypeMismatch;
        QTest::newRow("text into date") << "Date" << QVariant("31/02/2024") << ErrorNo::TypeMismatch;
        QTest::newRow("integer overflow") << "ReminderSent" << QVariant(3e9) << ErrorNo::Overflow;
        QTest::newRow("currency overflow") << "Total" << QVariant("922337203685478") << ErrorNo::Overflow;
        QTest::newRow("text too long") << "CustomerName" << QVariant(QString(51, 'x')) << ErrorNo::FieldTooSmall;
    }
    void valuesThatCannotBeStored() {
        QFETCH(QString, field);
        QFETCH(QVariant, value);
        QFETCH(int, error);
        Recordset rs("Invoices");
        rs.addNew();
        rs.setField("InvNo", "INV1");
        QCOMPARE(errorNumberOf([&] { rs.setField(field, value); }), error);
        rs.update();   // the refused value left the column at its default
        const QVariant stored = Recordset("Invoices").field(field);
        QVERIFY(!stored.isValid() || stored.toDouble() == 0);
    }

    void addNewBecomesCurrent() {
        addPart("P1", "one", "1");
        Recordset rs("Parts");
        rs.addNew();
        QCOMPARE(rs.field("Price"), QVariant::fromValue(Currency()));   // defaults before the update
        QCOMPARE(rs.field("Taxable").toInt(), 0);
        QVERIFY(!rs.field("Desc").isValid());
        rs.setField("ID", "P2");
        rs.update();
        QCOMPARE(rs.recordCount(), 2);
        QCOMPARE(rs.field("ID").toString(), QString("P2"));
        QCOMPARE(rs.field("Price"), QVariant::fromValue(Currency()));
        rs.setField("Desc", "two");   // edits the new row, not the first
        rs.update();
        QCOMPARE(column("Parts", "Desc"), QStringList({"one", "two"}));

        Recordset again("Parts");
        again.addNew();
        again.setField("Desc", "no key");
        QCOMPARE(errorNumberOf([&] { again.update(); }), ErrorNo::NullNotAllowed);
        again.cancelUpdate();
        again.addNew();
        again.setField("ID", "p1");
        QCOMPARE(errorNumberOf([&] { again.update(); }), ErrorNo::DuplicateKey);
        again.cancelUpdate();
        QCOMPARE(column("Parts", "ID"), QStringList({"P1", "P2"}));
    }

    void editChangesOneRow() {
        for (const char* id : {"A", "B", "C"}) addPart(id, id, "1");
        Recordset rs("Parts");
        rs.moveNext();
        rs.setField("Desc", "changed");
        rs.setField("Price", "2.5");
        QCOMPARE(rs.field("Desc").toString(), QString("changed"));   // the pending value
        rs.update();
        QCOMPARE(column("Parts", "Desc"), QStringList({"A", "changed", "C"}));
        QCOMPARE(column("Parts", "Price"), QStringList({"1", "2.5", "1"}));
        rs.setField("Desc", "saved by moving");
        rs.moveNext();
        QCOMPARE(column("Parts", "Desc"), QStringList({"A", "saved by moving", "C"}));
        rs.setField("Desc", "dropped");
        rs.cancelUpdate();
        QCOMPARE(rs.field("Desc").toString(), QString("C"));
    }

    void deleteThenMoveNext() {
        for (const char* id : {"A", "B", "C"}) addPart(id, "", "0");
        Recordset rs("Parts");
        rs.moveNext();
        rs.deleteCurrent();
        QCOMPARE(errorNumberOf([&] { rs.field("ID"); }), ErrorNo::NoCurrentRecord);
        rs.moveNext();
        QCOMPARE(rs.field("ID").toString(), QString("C"));
        QCOMPARE(rs.recordCount(), 2);
        rs.deleteCurrent();
        rs.moveNext();
        QVERIFY(rs.eof());
        QCOMPARE(column("Parts", "ID"), QStringList({"A"}));

        rs.moveFirst();
        rs.deleteCurrent();
        rs.addNew();   // a new row right after a delete is current once saved
        rs.setField("ID", "D");
        rs.update();
        QCOMPARE(rs.field("ID").toString(), QString("D"));
        QVERIFY(!rs.bof() && !rs.eof());
    }

    void seekOnAnIndex() {
        for (const char* no : {"INV100002", "INV099999", "INV100001", "inv5"}) addInvoice(no, "C1");
        Recordset rs("invoices");
        QCOMPARE(errorNumberOf([&] { rs.seek("INV5"); }), ErrorNo::InvalidUse);
        QCOMPARE(errorNumberOf([&] { rs.setIndex("Number"); }), ErrorNo::ItemNotFound);
        rs.setIndex("invno");
        QVERIFY(rs.seek("INV5"));
        QCOMPARE(rs.field("InvNo").toString(), QString("inv5"));
        QVERIFY(rs.seek("INV10000", Recordset::SeekOption::AfterEQ));
        QCOMPARE(rs.field("InvNo").toString(), QString("INV100001"));
        rs.moveNext();   // on in index order
        QCOMPARE(rs.field("InvNo").toString(), QString("INV100002"));
        QVERIFY(!rs.seek("INV10000"));
        QVERIFY(rs.eof());
        QVERIFY(!rs.seek("zzz", Recordset::SeekOption::AfterEQ));
        QVERIFY(rs.eof());
        QVERIFY(!rs.seek(QString(60, '9')));   // longer than any key: simply not there
        QVERIFY(!rs.seek(QVariant()));
    }

    void seekFindsTheFirstOfEqualKeys() {
        addInvoice("I1", "C2");
        addInvoice("I2", "C1");
        addInvoice("I3", "c2");
        addInvoice("I4", "C3");
        Recordset rs("Invoices");
        rs.setIndex("CUSTNO");
        QVERIFY(rs.seek("C2"));
        QStringList found;
        for (; !rs.eof() && rs.field("CustNo").toString().compare("C2", Qt::CaseInsensitive) == 0; rs.moveNext())
            found << rs.field("InvNo").toString();
        QCOMPARE(found, QStringList({"I1", "I3"}));
    }

    // Opening, selecting an index and seeking read only around the key: the
    // work is the same for 200 rows as for 4,000.
    void lookUpWorkIsFlatInTheTableSize() {
        const auto lookUp = [] {
            Recordset rs("parts");
            rs.setIndex("PrimaryKey");
            QVERIFY(rs.seek("p000150"));
            QCOMPARE(rs["ID"].toString(), QString("P000150"));
        };
        addParts(200);
        const Cost small = costOf(lookUp);
        Database::shared().exec("DELETE FROM Parts");
        addParts(4000);
        const Cost large = costOf(lookUp);
        QVERIFY2(large.work <= small.work + 20, qPrintable(QString("%1 against %2").arg(large.work).arg(small.work)));
        QCOMPARE(large.commits, 0);
    }

    // A walk that writes every row meets each row once, in table or in index
    // order (rows without a key first, equal keys in table order), and the
    // way back gives the same rows reversed.
    void walkWhileWritingMeetsEachRowOnce_data() {
        QTest::addColumn<QString>("index");
        QTest::addColumn<QStringList>("order");
        QTest::newRow("table order") << "" << QStringList({"I1", "I2", "I3", "I4", "I5", "I6"});
        QTest::newRow("index order") << "CustNo" << QStringList({"I2", "I5", "I3", "I6", "I1", "I4"});
    }
    void walkWhileWritingMeetsEachRowOnce() {
        QFETCH(QString, index);
        QFETCH(QStringList, order);
        const char* custNo[] = {"C2", nullptr, "c1", "C2", nullptr, "C1"};
        for (int i = 0; i < 6; ++i) addInvoice(QString("I%1").arg(i + 1), custNo[i] ? QString(custNo[i]) : QString());
        Recordset rs("Invoices");
        if (!index.isEmpty()) rs.setIndex(index);
        QStringList met;
        for (rs.moveFirst(); !rs.eof(); rs.moveNext()) {
            met << rs["InvNo"].toString();
            rs.setField("Notes", "seen " + met.last());
            rs.update();
            QCOMPARE(rs["Notes"].toString(), "seen " + met.last());   // the row as written
        }
        QCOMPARE(met, order);
        QCOMPARE(column("Invoices", "Notes").size(), 6);
        QVERIFY(!column("Invoices", "Notes").contains(""));

        QStringList back;
        for (rs.moveLast(); !rs.bof(); rs.movePrevious()) back << rs["InvNo"].toString();
        std::reverse(back.begin(), back.end());
        QCOMPARE(back, order);
    }

    // Writes made elsewhere on the connection while a walk stands still are
    // what it reads on: a row deleted ahead is not met, a changed row shows its change.
    void walkReadsOnAfterWritesElsewhere() {
        for (const char* id : {"A", "B", "C", "D"}) addPart(id, id, "1");
        Recordset rs("Parts");
        rs.setIndex("ID");
        QCOMPARE(rs["ID"].toString(), QString("A"));
        Database::shared().exec("DELETE FROM Parts WHERE ID = 'B'");
        Database::shared().exec("UPDATE Parts SET \"Desc\" = 'changed' WHERE ID = 'C'");
        Recordset other("parts");
        other.addNew();
        other.setField("ID", "AA");
        other.update();
        rs.moveNext();
        QCOMPARE(rs["ID"].toString(), QString("AA"));   // added after the set opened, where it falls
        rs.moveNext();
        QCOMPARE(rs["ID"].toString(), QString("C"));
        QCOMPARE(rs["Desc"].toString(), QString("changed"));
        QVERIFY(rs.seek("aa"));   // and a seek finds it
        Database::shared().exec("DELETE FROM Parts WHERE ID = 'AA'");
        QCOMPARE(errorNumberOf([&] { rs["ID"]; }), ErrorNo::NoCurrentRecord);
        rs.moveNext();
        QCOMPARE(rs["ID"].toString(), QString("C"));
    }

    // A batch of updates inside one transaction costs one commit, and a
    // failure in the middle of it leaves no row changed; outside a
    // transaction each update is its own commit and stays.
    void batchOfUpdatesInOneTransaction() {
        addParts(50);
        Recordset parts("Parts");
        const Cost batch = costOf([&] {
            Transaction t;
            addTenToEachThenFail(parts, -1);
            t.commit();
        });
        QCOMPARE(batch.commits, 1);
        QCOMPARE(column("Parts", "Price"), QStringList(50, "11"));

        QCOMPARE(errorNumberOf([&] {
            Transaction t;
            addTenToEachThenFail(parts, 30);
            t.commit();
        }), ErrorNo::DuplicateKey);
        parts.cancelUpdate();
        QCOMPARE(column("Parts", "Price"), QStringList(50, "11"));

        const Cost alone = costOf([&] {
            QCOMPARE(errorNumberOf([&] { addTenToEachThenFail(parts, 30); }), ErrorNo::DuplicateKey);
        });
        parts.cancelUpdate();
        QCOMPARE(alone.commits, 30);
        Database other;   // committed: another connection sees them
        other.open(program->file("data.mdb"), true);
        Recordset seen("Parts", &other);
        QCOMPARE(Field_To_Currency(seen["Price"]), Currency::fromUnits(21));
        seen.setIndex("ID");
        QVERIFY(seen.seek("P000030"));
        QCOMPARE(Field_To_Currency(seen["Price"]), Currency::fromUnits(11));
    }

    // A transaction opened inside another is part of it: its rollback undoes
    // only its own writes, its commit leaves them to the outer one.
    void transactionsNest() {
        {
            Transaction outer;
            addPart("kept", "", "1");
            {
                Transaction inner;
                addPart("undone", "", "1");
            }
            {
                Transaction inner;
                addPart("with the outer", "", "1");
                inner.commit();
            }
            outer.commit();
        }
        QCOMPARE(column("Parts", "ID"), QStringList({"kept", "with the outer"}));
        {
            Transaction outer;
            Transaction inner;
            addPart("never", "", "1");
            inner.commit();
        }
        QCOMPARE(column("Parts", "ID"), QStringList({"kept", "with the outer"}));
    }

    // A record set outliving its connection refuses to go on, and does no harm.
    void closedConnectionRefuses() {
        for (const char* id : {"A", "B"}) addPart(id, "", "0");
        Recordset rs("Parts");
        program->closeDatabase();
        QVERIFY(errorNumberOf([&] { rs.moveNext(); }) != 0);
        program->openDatabase();
        rs.open("Parts");
        QCOMPARE(rs["ID"].toString(), QString("A"));
    }
};

QTEST_MAIN(TestRecordset)
#include "test_recordset.moc"
