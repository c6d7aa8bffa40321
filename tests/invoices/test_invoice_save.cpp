#include "InvoiceFixture.h"
#include "common/Numbering.h"
#include "invoices/InvoiceRecord.h"
#include "platform/AppError.h"
#include "support/TestSupport.h"
#include <QtTest>

class TestInvoiceSave : public QObject {
    Q_OBJECT
private slots:
    void filledRows_data() {
        QTest::addColumn<QString>("partId");
        QTest::addColumn<QString>("qty");
        QTest::addColumn<QString>("description");
        QTest::addColumn<QString>("amount");
        QTest::addColumn<bool>("filled");
        QTest::addColumn<int>("storedQty");
        QTest::newRow("empty") << "" << "" << "" << "" << false << 0;
        QTest::newRow("blanks only") << "  " << "" << "   " << " " << false << 0;
        QTest::newRow("a blank quantity counts") << "" << " " << "" << "" << true << 1;
        QTest::newRow("description only") << "" << "" << "Labour" << "" << true << 1;
        QTest::newRow("quantity 0 is one") << "P1" << "0" << "" << "5" << true << 1;
        QTest::newRow("quantity kept") << "P1" << "12" << "" << "5" << true << 12;
    }
    void filledRows() {
        QFETCH(QString, partId);
        QFETCH(QString, qty);
        QFETCH(QString, description);
        QFETCH(QString, amount);
        const LineRowTexts row{partId, qty, description, amount, "      0.00", false};
        QTEST(lineRowFilled(row), "filled");
        if (lineRowFilled(row)) QTEST(storedLine(row).qty, "storedQty");
    }

    void descriptionOnlyLine() {
        const InvoiceLine l = storedLine({"", "", "  Labour  ", "", "      0.00", false});
        QCOMPARE(l.partId, QString());
        QCOMPARE(l.description, QString("Labour"));
        QCOMPARE(l.amount, Currency());
        QCOMPARE(l.total, Currency());
    }

    void newInvoiceIsWrittenWithItsCounter() {
        fixture::World world("INV", "000099");
        InvoiceRecord v = fixture::invoice("INV000099", 2);
        v.vat = Currency::fromText("3.50");
        v.discount = Currency::fromText("1.25");
        v.paid = Currency::fromText("10");
        v.notes = "Deliver to the back door";
        v.phone = "0123 456";
        v.salesPerson = "Jo";
        v.discountPercentage = 12.5;
        saveInvoice(v, InvoiceSave::New, "000100");

        QCOMPARE(fixture::header("INV000099", "CustomerName").toString(), QString("Ann Smith"));
        QCOMPARE(fixture::header("INV000099", "Vat").value<Currency>(), Currency::fromText("3.50"));
        QCOMPARE(fixture::header("INV000099", "Paid").value<Currency>(), Currency::fromText("10"));
        QCOMPARE(fixture::header("INV000099", "DiscountPercentage").toDouble(), 12.5);
        QCOMPARE(fixture::header("INV000099", "Date").toDateTime().date(), QDate(2026, 3, 14));
        QCOMPARE(fixture::header("INV000099", "ReminderSent").toInt(), 0);
        QCOMPARE(fixture::lines("INV000099"),
                 QStringList({"P0 1 10.00 10.00 0 Widget", "P1 2 10.00 20.00 0 Widget"}));
        QCOMPARE(fixture::storedInvstart(), QString("000100"));

        const auto loaded = loadInvoice("inv000099");   // case ignored
        QVERIFY(loaded);
        QCOMPARE(loaded->notes, v.notes);
        QCOMPARE(loaded->discount, v.discount);
        QCOMPARE(loaded->lines.size(), size_t(2));
        QCOMPARE(loaded->lines[1].total, Currency::fromText("20"));
    }

    // Its own lines are those filed under exactly its number: a line of
    // another case of the number, filed first, is neither loaded nor replaced.
    void editReplacesOnlyItsOwnLines() {
        fixture::World world;
        Statement(Database::shared(), "INSERT INTO InvoiceD (InvNo, PartID) VALUES ('a1', 'STRAY')").run();
        saveInvoice(fixture::invoice("A1", 5), InvoiceSave::New);
        saveInvoice(fixture::invoice("A2", 2), InvoiceSave::New);
        const auto loaded = loadInvoice("A1");
        QVERIFY(loaded);
        QCOMPARE(loaded->lines.size(), size_t(5));
        QCOMPARE(loaded->lines[0].partId, QString("P0"));
        fixture::setHeader("A1", "Balance2", QVariant::fromValue(Currency::fromText("7")));
        fixture::setHeader("A1", "ReminderSent", 2);

        InvoiceRecord edited = fixture::invoice("A1", 3);
        edited.notes = "changed";
        saveInvoice(edited, InvoiceSave::Edit);

        QCOMPARE(fixture::lines("A1").size(), 3);
        QCOMPARE(fixture::lines("A2").size(), 2);
        QCOMPARE(fixture::lines("a1").size(), 1);
        QCOMPARE(fixture::invoiceCount(), 2);
        QCOMPARE(fixture::header("A1", "Notes").toString(), QString("changed"));
        QCOMPARE(fixture::header("A1", "Balance2").value<Currency>(), Currency::fromText("7"));
        QCOMPARE(fixture::header("A1", "ReminderSent").toInt(), 2);
        QCOMPARE(fixture::storedInvstart(), QString("0001"));
    }

    void failedSaveLeavesEverythingWhole() {
        fixture::World world;
        saveInvoice(fixture::invoice("A1", 5), InvoiceSave::New);
        const QStringList before = fixture::lines("A1");

        // The third line cannot be stored: header and old lines are already rewritten by then.
        InvoiceRecord edited = fixture::invoice("A1", 4);
        edited.notes = "changed";
        edited.lines[2].description = QString(201, 'x');
        QVERIFY_THROWS_EXCEPTION(AppError, saveInvoice(edited, InvoiceSave::Edit));
        QCOMPARE(fixture::lines("A1"), before);
        QCOMPARE(fixture::header("A1", "Notes").toString(), QString());

        InvoiceRecord fresh = fixture::invoice("A2", 2);
        fresh.lines[1].partId = QString(51, 'p');
        QVERIFY_THROWS_EXCEPTION(AppError, saveInvoice(fresh, InvoiceSave::New, "0002"));
        QCOMPARE(fixture::invoiceCount(), 1);
        QCOMPARE(fixture::lines("A2"), QStringList());
        QCOMPARE(fixture::storedInvstart(), QString("0001"));
    }

    void tooLongValuesAreNamed() {
        InvoiceRecord v = fixture::invoice("A1", 2);
        QCOMPARE(invoiceTooLong(v), QString());
        v.customerName = QString(51, 'n');
        QVERIFY(invoiceTooLong(v).contains("customer name"));
        v.customerName = QString(50, 'n');
        v.lines[1].description = QString(201, 'd');
        QVERIFY(invoiceTooLong(v).contains("line 2"));
    }

    void proposalSkipsNumbersInUse_data() {
        QTest::addColumn<QString>("prefix");
        QTest::addColumn<QString>("start");
        QTest::addColumn<QStringList>("used");
        QTest::addColumn<QString>("expected");   // "" = none free
        QTest::newRow("free") << "INV" << "0041" << QStringList{"INV0040"} << "INV0041";
        QTest::newRow("skips, case ignored") << "INV" << "0041" << QStringList{"inv0041", "INV0042"} << "INV0043";
        QTest::newRow("prefix digits") << "A7-" << "0041" << QStringList{"A7-0041"} << "A7-0042";
        QTest::newRow("wraps to zeros") << "N" << "9" << QStringList{"N9"} << "N0";
        QTest::newRow("every number used")
            << "N" << "3" << QStringList{"N0", "N1", "N2", "N3", "N4", "N5", "N6", "N7", "N8", "n9"} << "";
        QTest::newRow("no counter") << "FIX" << "" << QStringList{"FIX"} << "";
    }
    void proposalSkipsNumbersInUse() {
        QFETCH(QString, prefix);
        QFETCH(QString, start);
        QFETCH(QStringList, used);
        QFETCH(QString, expected);
        TestProgram program;
        program.createDatabase();
        for (const QString& number : used) saveInvoice(fixture::invoice(number, 0), InvoiceSave::New);
        QCOMPARE(proposeNumber("Invoices", "InvNo", prefix, start).value_or(QString()), expected);
    }
};

QTEST_MAIN(TestInvoiceSave)
#include "test_invoice_save.moc"
