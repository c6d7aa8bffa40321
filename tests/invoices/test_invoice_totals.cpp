#include "invoices/InvoiceTotals.h"
#include <QtTest>

using namespace InvoiceTotals;

namespace {
// "qty|amount|t;..." — one row per ";", "t" marks a taxable row.
Entries entries(const QString& rows, const QString& rate, bool taxOn, const QString& discount = "0",
                const QString& paid = "0.00", const QString& writtenOff = "0.00") {
    Entries e;
    const QStringList list = rows.isEmpty() ? QStringList() : rows.split(';');
    for (int i = 0; i < list.size(); ++i) {
        const QStringList cell = list[i].split('|');
        e.lines[size_t(i)] = {cell.value(0), cell.value(1), cell.value(2) == "t"};
    }
    e.taxRate = rate;
    e.taxOn = taxOn;
    e.discountPercent = discount;
    e.paid = paid;
    e.writtenOff = writtenOff;
    return e;
}

QString money(const char* amount) { return QString(amount).rightJustified(10, ' '); }
}

class TestInvoiceTotals : public QObject {
    Q_OBJECT
private slots:
    void totals_data() {
        QTest::addColumn<QString>("rows");
        QTest::addColumn<QString>("rate");
        QTest::addColumn<bool>("taxOn");
        QTest::addColumn<QString>("discount");
        QTest::addColumn<QString>("paid");
        QTest::addColumn<QString>("writtenOff");
        QTest::addColumn<QString>("firstLine");
        QTest::addColumn<QString>("subtotal");
        QTest::addColumn<QString>("vat");
        QTest::addColumn<QString>("discountShown");
        QTest::addColumn<QString>("total");
        QTest::addColumn<QString>("balance");

        QTest::newRow("no quantity counts once") << "|12.5|" << "17.5" << true << "0" << "0" << "0"
            << money("12.50") << money("12.50") << money("0.00") << "0.00" << money("12.50") << money("12.50");
        QTest::newRow("subtotal adds the shown line") << "3|0.333|;1|1|" << "0" << false << "" << "" << ""
            << money("1.00") << money("2.00") << money("0.00") << money("0.00") << money("2.00") << money("2.00");
        QTest::newRow("tax kept to four decimals, rounded on the sum")
            << "|0.10|t;|0.10|t" << "17.5" << true << "0" << "0" << "0"
            << money("0.10") << money("0.20") << money("0.04") << "0.00" << money("0.24") << money("0.24");
        QTest::newRow("taxable row without a price adds no tax")
            << "2||t;|10|t;|5|" << "10" << true << "0" << "0" << "0"
            << money("0.00") << money("15.00") << money("1.00") << "0.00" << money("16.00") << money("16.00");
        QTest::newRow("tax setting 0 overrides the invoice's rate")
            << "|100|t" << "15" << false << "0" << "0" << "0"
            << money("100.00") << money("100.00") << money("0.00") << "0.00" << money("100.00") << money("100.00");
        QTest::newRow("discount from the subtotal before tax")
            << "2|100|t" << "17.5" << true << "10" << "0" << "0"
            << money("200.00") << money("200.00") << money("35.00") << "20.00" << money("215.00") << money("215.00");
        QTest::newRow("paid in full") << "2|100|t" << "17.5" << true << "10" << "215" << "0"
            << money("200.00") << money("200.00") << money("35.00") << "20.00" << money("215.00") << money("0.00");
        QTest::newRow("part paid and written off") << "1|100|" << "0" << true << "" << "60.00" << "15.5"
            << money("100.00") << money("100.00") << money("0.00") << money("0.00") << money("100.00") << money("24.50");
        QTest::newRow("all rows empty") << "" << "17.5" << true << "0" << "0.00" << "0.00"
            << money("0.00") << money("0.00") << money("0.00") << "0.00" << money("0.00") << money("0.00");
        QTest::newRow("a lone point in the discount reads as none")
            << "|50|" << "0" << false << "." << "" << ""
            << money("50.00") << money("50.00") << money("0.00") << "0.00" << money("50.00") << money("50.00");
    }
    void totals() {
        QFETCH(QString, rows);
        QFETCH(QString, rate);
        QFETCH(bool, taxOn);
        QFETCH(QString, discount);
        QFETCH(QString, paid);
        QFETCH(QString, writtenOff);
        const Totals t = calculate(entries(rows, rate, taxOn, discount, paid, writtenOff));
        QTEST(t.lineTotals[0], "firstLine");
        QTEST(t.subtotal, "subtotal");
        QTEST(t.vat, "vat");
        QTEST(t.discount, "discountShown");
        QTEST(t.total, "total");
        QTEST(t.balance, "balance");
        for (const QString& line : t.lineTotals) QCOMPARE(line.size(), 10);
    }

    // Exact money: halves round away from zero, each figure rounded once.
    void rounding_data() {
        QTest::addColumn<QString>("rows");
        QTest::addColumn<QString>("rate");
        QTest::addColumn<QString>("discount");
        QTest::addColumn<QString>("firstLine");
        QTest::addColumn<QString>("vat");
        QTest::addColumn<QString>("discountShown");
        QTest::newRow("3 x 0.335 is 1.005, up") << "3|0.335|" << "0" << "" << money("1.01") << money("0.00") << money("0.00");
        QTest::newRow("half cent of a price, up") << "|2.345|" << "0" << "" << money("2.35") << money("0.00") << money("0.00");
        QTest::newRow("tax halves summed, not per line")
            << "|0.01|t;|0.01|t;|0.01|t" << "50" << "" << money("0.01") << money("0.02") << money("0.00");
        QTest::newRow("line tax half of a ten-thousandth, up")
            << "|0.03|t" << "17.5" << "" << money("0.03") << money("0.01") << money("0.00");
        QTest::newRow("discount half cent, up") << "|0.20|" << "0" << "12.5" << money("0.20") << money("0.00") << "0.03";
        QTest::newRow("discount rounded once, not via four decimals")
            << "|0.99|" << "0" << "0.5" << money("0.99") << money("0.00") << "0.00";
        QTest::newRow("largest line is kept whole")
            << "9999|9999999.99|" << "0" << "" << "99989999900.01" << money("0.00") << money("0.00");
    }
    void rounding() {
        QFETCH(QString, rows);
        QFETCH(QString, rate);
        QFETCH(QString, discount);
        const Totals t = calculate(entries(rows, rate, true, discount));
        QTEST(t.lineTotals[0], "firstLine");
        QTEST(t.vat, "vat");
        QTEST(t.discount, "discountShown");
    }

    void balanceLabels_data() {
        QTest::addColumn<QString>("total");
        QTest::addColumn<QString>("balance");
        QTest::addColumn<bool>("paidInFull");
        QTest::addColumn<bool>("stillOwes");
        QTest::addColumn<QString>("text");
        QTest::newRow("paid") << money("215.00") << money("0.00") << true << false << "";
        QTest::newRow("owes") << money("215.00") << money("15.00") << false << true << "BALANCE: 15.00";
        QTest::newRow("overpaid") << money("215.00") << money("-5.00") << false << true << "BALANCE: -5.00";
        QTest::newRow("nothing to pay") << money("0.00") << money("-3.00") << false << false << "";
    }
    void balanceLabels() {
        QFETCH(QString, total);
        QFETCH(QString, balance);
        const BalanceState s = balanceState(total, balance);
        QTEST(s.paidInFull, "paidInFull");
        QTEST(s.stillOwes, "stillOwes");
        QTEST(s.stillOwesText, "text");
    }

    void taxCaptions() {
        QCOMPARE(taxCaption("VAT", rateText(17.5)), QString("VAT @  17.5%"));
        QCOMPARE(taxCaption("Tax", rateText(0)), QString("Tax @  0%"));
        QCOMPARE(taxCaption("GST", "15.0000"), QString("GST @  15%"));
    }
};

QTEST_MAIN(TestInvoiceTotals)
#include "test_invoice_totals.moc"
