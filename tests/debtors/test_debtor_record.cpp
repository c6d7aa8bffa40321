// What the debtors window reads and writes: the aged list and its totals,
// the letters table and the reminder counts.
#include "DebtorFixture.h"
#include "common/SettingsValues.h"
#include "debtors/DebtorRecord.h"
#include "platform/SchemaCheck.h"
#include "platform/ShapeRecordset.h"
#include "support/TestSupport.h"
#include <QtTest>

using namespace debtors;

namespace {
QStringList describe(const DebtorEntry& e) {
    return {e.custId, e.lastName, e.firstName, e.phone, e.invNo, e.split.upTo30.toText(),
            e.split.from31To60.toText(), e.split.from61.toText(), e.notes, QString::number(e.remindersSent)};
}

std::vector<QStringList> readAll(DebtorTotals* totals = nullptr) {
    std::vector<QStringList> out;
    const DebtorTotals t = readDebtors(FixedToday, [&](const DebtorEntry& e) { out.push_back(describe(e)); });
    if (totals) *totals = t;
    return out;
}

const char* LettersColumns = "SELECT CustID, FirstName, Address, InvNo, \"Date\", Total, Paid, WrittenOff, Balance, "
                             "LastName, City, Phone FROM Letters ORDER BY rowid";
}  // namespace

class TestDebtorRecord : public DatabaseTestCase {
    Q_OBJECT
private slots:
    // One row per aged invoice in table order; bounds of the buckets; an
    // invoice without its customer counts in the totals only.
    void agedListAndTotals() {
        addCompany();
        DebtorTotals totals;
        const auto list = readAll(&totals);
        const std::vector<QStringList> expected = {
            {"C1", "Lee", "Ann", "0123", "I-today", "10", "0", "0", "first", "2"},
            {"C2", "Ng", "Bo", "0456", "I-30", "20.5", "0", "0", "", "0"},
            {"C1", "Lee", "Ann", "0123", "I-31", "0", "30", "0", "", "0"},
            {"C2", "Ng", "Bo", "0456", "I-60", "0", "40", "0", "", "0"},
            {"C1", "Lee", "Ann", "0123", "I-61", "0", "0", "50.25", "", "0"},
            {"C2", "Ng", "Bo", "0456", "I-1900", "0", "0", "1", "", "0"},
        };
        QCOMPARE(list, expected);
        QCOMPARE(totals.upTo30.toText(), QString("30.5"));
        QCOMPARE(totals.from31To60.toText(), QString("77.77"));
        QCOMPARE(totals.from61.toText(), QString("51.25"));
        QCOMPARE(totals.all().toText(), QString("159.52"));
    }

    void emptyAndExactTotals() {
        DebtorTotals totals;
        QVERIFY(readAll(&totals).empty());
        QCOMPARE(totals.all(), Currency());
        // Many cents add up exactly; written in one commit.
        addCustomer("C1", "Ann", "Lee");
        Transaction invoices;
        for (int i = 0; i < 1000; ++i) addInvoice(QString("I%1").arg(i), "C1", daysAgo(i % 90), money("0.1"));
        invoices.commit();
        readAll(&totals);
        QCOMPARE(totals.all().toText(), QString("100"));
    }

    void addressBlocks_data() {
        QTest::addColumn<QStringList>("lines");   // Address, Address2, City, address4, Postcode
        QTest::addColumn<QString>("block");
        QTest::newRow("all five") << QStringList{"1 St", "Flat 2", "Town", "Shire", "AB1"}
                                  << "1 St\r\nFlat 2\r\nTown\r\nShire\r\nAB1";
        QTest::newRow("address and postcode") << QStringList{"1 St", "", "", "", "AB1"} << "1 St\r\nAB1";
        QTest::newRow("city only") << QStringList{"", "", "Town", "", ""} << "\r\nTown";
        QTest::newRow("nothing") << QStringList{"", "", "", "", ""} << "";
        QTest::newRow("blanks are not empty") << QStringList{" ", "", "", "", ""} << " ";
    }
    void addressBlocks() {
        QFETCH(QStringList, lines);
        QFETCH(QString, block);
        QCOMPARE(letterAddressBlock(lines[0], lines[1], lines[2], lines[3], lines[4]), block);
    }

    // Two invoices of one customer make two letters, each with its own
    // invoice; a choice whose customer or invoice is gone writes nothing,
    // and is not among the invoices written; the last printing's letters are gone.
    void lettersTable() {
        addCompany();
        insertRow("Letters", {"CustID", "FirstName"}, {"OLD", "From the last printing"});
        const std::vector<QString> written = writeLetters(
            {{"C1", "I-today"}, {"GONE", "I-nocust"}, {"C1", "I-61"}, {"C2", "NO-SUCH"}, {"C2", "I-30"}});
        QCOMPARE(written, (std::vector<QString>{"I-today", "I-61", "I-30"}));
        const std::vector<QStringList> expected = {
            {"C1", "Ann Lee", "1 High St\r\nTown\r\nAB1 2CD", "I-today", FixedToday.toString(Qt::ISODate), "250.75", "100",
             "0.5", "10", "<null>", "<null>", "<null>"},
            {"C1", "Ann Lee", "1 High St\r\nTown\r\nAB1 2CD", "I-61", FixedToday.addDays(-61).toString(Qt::ISODate),
             "250.75", "100", "0.5", "50.25", "<null>", "<null>", "<null>"},
            {"C2", "Bo Ng", "\r\nCity", "I-30", FixedToday.addDays(-30).toString(Qt::ISODate), "250.75", "100", "0.5",
             "20.5", "<null>", "<null>", "<null>"},
        };
        QCOMPARE(rows(LettersColumns), expected);
    }

    // The longest name and address a customer holds go into the letter whole,
    // also in a file whose letters table was made with narrower columns; a
    // Null name part makes the whole name Null.
    void longestValuesAndNulls() {
        const QString first = QString(50, QChar(0x00e9)), last = QString(50, 'L');
        const QVariantList address = {QString(50, 'a'), QString(50, 'b'), QString(50, 'c'), QString(50, 'd'),
                                      QString(50, 'e')};
        addCustomer("LONG", first, last, QVariant(), address);
        addCustomer("HALF", "Ann", QVariant());
        addInvoice("I1", "LONG", daysAgo(3), money("1"));
        addInvoice("I2", "HALF", daysAgo(3), money("1"));
        Database::shared().exec("DROP TABLE Letters");
        Database::shared().exec("CREATE TABLE Letters (Address TEXT COLLATE NOCASE CHECK (length(Address) <= 200), "
                                "FirstName TEXT COLLATE NOCASE CHECK (length(FirstName) <= 50), CustID TEXT, "
                                "InvNo TEXT, \"Date\" DATETIME)");
        QCOMPARE(writeLetters({{"LONG", "I1"}, {"HALF", "I2"}}).size(), size_t(2));
        const auto stored = rows("SELECT FirstName, Address FROM Letters ORDER BY rowid");
        QCOMPARE(stored[0][0], first + " " + last);
        QCOMPARE(stored[0][0].size(), 101);
        QCOMPARE(stored[0][1].size(), 258);
        QCOMPARE(stored[1][0], QString("<null>"));
        QCOMPARE(schemaDifference(Database::shared().handle()), QString());
    }

    // The letters are written whatever else stands open on the connection
    // meanwhile: a report's rows in the middle of their walk, and the last
    // printing's letters.
    void lettersWrittenWhateverIsOpen() {
        addCompany();
        writeLetters({{"C1", "I-today"}});
        const auto invoices = openShape(Database::shared(), "SHAPE {SELECT * FROM invoices}");
        const auto letters = openShape(Database::shared(), "SHAPE {SELECT * FROM Letters}");
        QVERIFY(!invoices->eof() && !letters->eof());
        QCOMPARE(writeLetters({{"C1", "I-61"}, {"C2", "I-30"}}), (std::vector<QString>{"I-61", "I-30"}));
        QCOMPARE(rows("SELECT InvNo FROM Letters ORDER BY rowid"), (std::vector<QStringList>{{"I-61"}, {"I-30"}}));
        invoices->moveNext();
        QCOMPARE(invoices->field("InvNo").toString(), QString("I-30"));
    }

    void reminderCounts() {
        addCompany();
        addReminderSent({"I-today", "I-30", "I-60", "no such invoice"});
        addReminderSent({"I-today"});
        const auto counts = rows("SELECT InvNo, ReminderSent FROM Invoices WHERE InvNo IN "
                                 "('I-today', 'I-30', 'I-60', 'I-31') ORDER BY rowid");
        const std::vector<QStringList> expected = {
            {"I-today", "4"}, {"I-30", "1"}, {"I-31", "<null>"}, {"I-60", "1"}};
        QCOMPARE(counts, expected);
    }

    void startUpChoice() {
        QVERIFY(!writeDebtorstart(1));
        QCOMPARE(gSettings.Debtorstart, 0);
        insertRow("System", {"BusinessName", "Debtorstart", "TaxAmount", "Text3Name", "Text4Name"},
                  {"Acme", "0", 0.0, "", ""});
        QVERIFY(writeDebtorstart(1));
        QCOMPARE(gSettings.Debtorstart, 1);
        QCOMPARE(value("SELECT Debtorstart FROM System").toString(), QString("1"));
        QVERIFY(writeDebtorstart(0));
        QCOMPARE(value("SELECT Debtorstart FROM System").toString(), QString("0"));
    }
};

QTEST_MAIN(TestDebtorRecord)
#include "test_debtor_record.moc"
