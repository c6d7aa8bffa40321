// The ageing rule and the pre-pass that stores its split in the invoices.
#include "debtors/Ageing.h"
#include "debtors/DebtorRecord.h"
#include "platform/Database.h"
#include "support/TestSupport.h"
#include <QtTest>

Q_DECLARE_METATYPE(Ageing::Bucket)

namespace {
const QDate Today(2026, 12, 10);

QDateTime daysAgo(int days, QTime time = QTime(0, 0)) { return QDateTime(Today.addDays(-days), time); }

void addInvoice(const QString& number, const QVariant& date, const QVariant& balance) {
    Statement(Database::shared(),
              "INSERT INTO Invoices (InvNo, \"Date\", Balance, Balance1, Balance2, Balance3) VALUES (?, ?, ?, 7, 8, 9)")
        .bindAll({number, date, balance})
        .run();
}

QList<qint64> storedSplit(const QString& number) {
    Statement s(Database::shared(), "SELECT Balance1, Balance2, Balance3 FROM Invoices WHERE InvNo = ?");
    s.bind(1, number);
    if (!s.step()) return {};
    return {s.value(0).value<Currency>().raw(), s.value(1).value<Currency>().raw(), s.value(2).value<Currency>().raw()};
}
}  // namespace

class TestAgeing : public QObject {
    Q_OBJECT
private slots:
    void buckets_data() {
        QTest::addColumn<QDateTime>("date");
        QTest::addColumn<qint64>("age");
        QTest::addColumn<Ageing::Bucket>("bucket");
        using B = Ageing::Bucket;
        QTest::newRow("tomorrow") << daysAgo(-1) << qint64(-1) << B::None;
        QTest::newRow("today") << daysAgo(0) << qint64(0) << B::UpTo30;
        QTest::newRow("30 days") << daysAgo(30) << qint64(30) << B::UpTo30;
        QTest::newRow("31 days") << daysAgo(31) << qint64(31) << B::From31To60;
        QTest::newRow("60 days") << daysAgo(60) << qint64(60) << B::From31To60;
        QTest::newRow("61 days") << daysAgo(61) << qint64(61) << B::From61;
        QTest::newRow("400 days") << daysAgo(400) << qint64(400) << B::From61;
        // Half a day rounds to the even number of days.
        QTest::newRow("30.5 days") << daysAgo(31, QTime(12, 0)) << qint64(30) << B::UpTo30;
        QTest::newRow("31.5 days") << daysAgo(32, QTime(12, 0)) << qint64(32) << B::From31To60;
        QTest::newRow("60.5 days") << daysAgo(61, QTime(12, 0)) << qint64(60) << B::From31To60;
        QTest::newRow("-0.5 days") << daysAgo(0, QTime(12, 0)) << qint64(0) << B::UpTo30;
        QTest::newRow("30.4 days") << daysAgo(31, QTime(14, 24)) << qint64(30) << B::UpTo30;
        QTest::newRow("30.6 days") << daysAgo(31, QTime(9, 36)) << qint64(31) << B::From31To60;
        // Far dates never overflow the age.
        QTest::newRow("1900") << QDateTime(QDate(1900, 1, 1), QTime(0, 0)) << qint64(46364) << B::From61;
        QTest::newRow("2200") << QDateTime(QDate(2200, 1, 1), QTime(0, 0)) << qint64(-63209) << B::None;
    }
    void buckets() {
        QFETCH(QDateTime, date);
        QFETCH(qint64, age);
        QFETCH(Ageing::Bucket, bucket);
        QCOMPARE(Ageing::ageInDays(date, Today), age);
        QCOMPARE(Ageing::bucketOf(age), bucket);
    }

    void splitPutsTheWholeBalanceInItsBucket() {
        const auto s = Ageing::split(QVariant::fromValue(Currency::fromText("45.50")), daysAgo(45), Today);
        QVERIFY(s);
        QCOMPARE(s->upTo30, Currency());
        QCOMPARE(s->from31To60, Currency::fromText("45.50"));
        QCOMPARE(s->from61, Currency());
    }

    void onlyPositiveDatedBalancesAreAged_data() {
        QTest::addColumn<QVariant>("balance");
        QTest::addColumn<QVariant>("date");
        const QVariant old = daysAgo(10);
        QTest::newRow("zero") << QVariant::fromValue(Currency()) << old;
        QTest::newRow("negative") << QVariant::fromValue(Currency::fromText("-3")) << old;
        QTest::newRow("null balance") << QVariant() << old;
        QTest::newRow("null date") << QVariant::fromValue(Currency::fromText("3")) << QVariant();
        QTest::newRow("after today") << QVariant::fromValue(Currency::fromText("3")) << QVariant(daysAgo(-2));
    }
    void onlyPositiveDatedBalancesAreAged() {
        QFETCH(QVariant, balance);
        QFETCH(QVariant, date);
        QVERIFY(!Ageing::split(balance, date, Today));
    }

    void prePassWritesTheSplitOfPositiveBalancesOnly() {
        TestProgram program;
        program.createDatabase();
        addInvoice("A", daysAgo(5), QVariant::fromValue(Currency::fromText("10")));
        addInvoice("B", daysAgo(45), QVariant::fromValue(Currency::fromText("20")));
        addInvoice("C", daysAgo(90), QVariant::fromValue(Currency::fromText("30")));
        addInvoice("D", daysAgo(-3), QVariant::fromValue(Currency::fromText("40")));
        addInvoice("E", daysAgo(90), QVariant::fromValue(Currency()));
        writeAgedBalances(Today);
        QCOMPARE(storedSplit("A"), (QList<qint64>{100000, 0, 0}));
        QCOMPARE(storedSplit("B"), (QList<qint64>{0, 200000, 0}));
        QCOMPARE(storedSplit("C"), (QList<qint64>{0, 0, 300000}));
        QCOMPARE(storedSplit("D"), (QList<qint64>{7, 8, 9}));   // after today: kept
        QCOMPARE(storedSplit("E"), (QList<qint64>{7, 8, 9}));   // nothing owed: untouched
    }

    // A row already holding today's split is left as it is (a second
    // printing the same day writes nothing); a Null part is not a 0.
    void aSplitAlreadyStoredIsNotWrittenAgain() {
        TestProgram program;
        program.createDatabase();
        addInvoice("A", daysAgo(5), QVariant::fromValue(Currency::fromText("10")));
        addInvoice("B", daysAgo(5), QVariant::fromValue(Currency::fromText("10")));
        Database::shared().exec("UPDATE Invoices SET Balance1 = 100000, Balance2 = 0, Balance3 = 0 WHERE InvNo = 'A'");
        Database::shared().exec("UPDATE Invoices SET Balance1 = 100000, Balance2 = NULL, Balance3 = 0 WHERE InvNo = 'B'");
        Database::shared().exec("CREATE TRIGGER refuse BEFORE UPDATE ON Invoices WHEN new.InvNo = 'A' "
                                "BEGIN SELECT RAISE(ABORT, 'refused'); END");
        writeAgedBalances(Today);
        Statement b(Database::shared(), "SELECT typeof(Balance2) FROM Invoices WHERE InvNo = 'B'");
        QVERIFY(b.step());
        QCOMPARE(b.value(0).toString(), QString("integer"));
        QCOMPARE(storedSplit("B"), (QList<qint64>{100000, 0, 0}));
    }

    void aFailingRowLeavesEveryRowAsItWas() {
        TestProgram program;
        program.createDatabase();
        addInvoice("A", daysAgo(5), QVariant::fromValue(Currency::fromText("10")));
        addInvoice("B", daysAgo(45), QVariant::fromValue(Currency::fromText("20")));
        Database::shared().exec("CREATE TRIGGER refuse BEFORE UPDATE ON Invoices WHEN new.InvNo = 'B' "
                                "BEGIN SELECT RAISE(ABORT, 'refused'); END");
        QVERIFY(errorNumberOf([] { writeAgedBalances(Today); }) != 0);
        QCOMPARE(storedSplit("A"), (QList<qint64>{7, 8, 9}));
        QCOMPARE(storedSplit("B"), (QList<qint64>{7, 8, 9}));
    }
};

QTEST_MAIN(TestAgeing)
#include "test_ageing.moc"
