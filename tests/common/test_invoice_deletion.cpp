#include "common/InvoiceDeletion.h"
#include "platform/Database.h"
#include "support/TestSupport.h"
#include <QtTest>

namespace {
int count(const QString& sql) {
    Statement s(Database::shared(), sql);
    return s.step() ? s.value(0).toInt() : -1;
}

// Lines filed under exactly this number, letter case included.
int linesOf(const QString& invNo) {
    Statement s(Database::shared(), "SELECT COUNT(*) FROM InvoiceD WHERE InvNo = ? COLLATE BINARY");
    s.bind(1, invNo);
    return s.step() ? s.value(0).toInt() : -1;
}

void addLines(const QString& invNo, int lines) {
    for (int i = 0; i < lines; ++i)
        Statement(Database::shared(), "INSERT INTO InvoiceD (InvNo) VALUES (?)").bind(1, invNo).run();
}
}  // namespace

Q_DECLARE_METATYPE(LinesWithoutHeader)

class TestInvoiceDeletion : public DatabaseTestCase {
    Q_OBJECT
private slots:
    // INV1 with a header and two lines, INV10 with lines only, and one line
    // under "inv1", another case of INV1's number; each deletion touches the
    // lines of exactly its own number, letter case included.
    void deletesHeaderAndExactlyItsLines_data() {
        QTest::addColumn<QString>("number");
        QTest::addColumn<LinesWithoutHeader>("orphans");
        QTest::addColumn<bool>("found");
        QTest::addColumn<int>("inv1Lines");
        QTest::addColumn<int>("inv10Lines");
        QTest::newRow("header, keep") << "INV1" << LinesWithoutHeader::Keep << true << 0 << 3;
        QTest::newRow("header, delete") << "INV1" << LinesWithoutHeader::Delete << true << 0 << 3;
        QTest::newRow("padded number") << "INV1  " << LinesWithoutHeader::Delete << false << 0 << 3;
        QTest::newRow("no header, keep") << "INV10" << LinesWithoutHeader::Keep << false << 2 << 3;
        QTest::newRow("no header, delete") << "INV10" << LinesWithoutHeader::Delete << false << 2 << 0;
    }
    void deletesHeaderAndExactlyItsLines() {
        QFETCH(QString, number);
        QFETCH(LinesWithoutHeader, orphans);
        QFETCH(bool, found);
        QFETCH(int, inv1Lines);
        QFETCH(int, inv10Lines);
        Statement(Database::shared(), "INSERT INTO Invoices (InvNo, Balance) VALUES ('INV1', 12.5)").run();
        addLines("inv1", 1);   // another case of the number, filed first: no one's lines
        addLines("INV1", 2);
        addLines("INV10", 3);
        const auto balance = deleteInvoiceAndLines(number, orphans);
        QCOMPARE(balance.has_value(), found);
        if (found) QCOMPARE(*balance, Currency::fromText("12.5"));
        QCOMPARE(count("SELECT COUNT(*) FROM Invoices"), found ? 0 : 1);
        QCOMPARE(linesOf("INV1"), inv1Lines);
        QCOMPARE(linesOf("INV10"), inv10Lines);
        QCOMPARE(linesOf("inv1"), 1);
    }

    // A failure part way leaves header and lines whole.
    void failureDeletesNothing() {
        Statement(Database::shared(), "INSERT INTO Invoices (InvNo, Balance) VALUES ('INV1', 1)").run();
        addLines("INV1", 2);
        Database::shared().exec("CREATE TEMP TRIGGER refuse BEFORE DELETE ON InvoiceD "
                                "BEGIN SELECT RAISE(ABORT, 'disk full'); END");
        QVERIFY(errorNumberOf([] { deleteInvoiceAndLines("INV1", LinesWithoutHeader::Keep); }) != 0);
        QCOMPARE(count("SELECT COUNT(*) FROM Invoices"), 1);
        QCOMPARE(count("SELECT COUNT(*) FROM InvoiceD"), 2);
    }
};

QTEST_MAIN(TestInvoiceDeletion)
#include "test_invoice_deletion.moc"
