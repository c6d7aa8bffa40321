#include "invoices/InvoiceTotals.h"
#include <QtTest>

using namespace InvoiceTotals;

namespace {
// "qty|amount|t;..." — one row per ";", "t" marks a taxable row.
Entries entries(const QString& rows, const QString& rate, const QString& discount = "0",
                const QString& paid = "0.00", const QString& writtenOff = "0.00") {
    Entries e;
    const QStringList list = rows.isEmpty() ? QStringList() : rows.split(';');
    for (int i = 0; i < list.size(); ++i) {
        const QStringList cell = list[i].split('|');
        e.lines[size_t(i)] = {cell.value(0), cell.value(1), cell.value(2) == "t"};
    }
    e.taxRate = rate;
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
        QTest::addColumn<QString>("discount");
        QTest::addColumn<QString>("paid");
        QTest::addColumn<QString>("writtenOff");
        QTest::addColumn<QString>("firstLine");
        QTest::addColumn<QString>("subtotal");
        QTest::addColumn<QString>("vat");
        QTest::addColumn<QString>("discountShown");
        QTest::addColumn<QString>("total");
        QTest::addColumn<QString>("balance");

        QTest::newRow("no quantity counts once") << "|12.5|" << "17.5" << "0" << "0" << "0"
            << money("12.50") << money("12.50") << money("0.00") << "0.00" << money("12.50") << money("12.50");
        QTest::newRow("subtotal adds the shown line") << "3|0.333|;1|1|" << "0" << "" << "" << ""
            << money("1.00") << money("2.00") << money("0.00") << money("0.00") << money("2.00") << money("2.00");
        QTest::newRow("tax kept to four decimals, rounded on the sum")
            << "|0.10|t;|0.10|t" << "17.5" << "0" << "0" << "0"
            << money("0.10") << money("0.20") << money("0.04") << "0.00" << money("0.24") << money("0.24");
        QTest::newRow("taxable row without a price adds no tax")
            << "2||t;|10|t;|5|" << "10" << "0" << "0" << "0"
            << money("0.00") << money("15.00") << money("1.00") << "0.00" << money("16.00") << money("16.00");
        QTest::newRow("a rate of 0 charges no tax")
            << "|100|t" << "0" << "0" << "0" << "0"
            << money("100.00") << money("100.00") << money("0.00") << "0.00" << money("100.00") << money("100.00");
        QTest::newRow("10623.00 at 17.5, paid in full")
            << "|10623|t" << "17.5" << "0" << "12482.03" << "0"
            << money("10623.00") << money("10623.00") << money("1859.03") << "0.00" << money("12482.03") << money("0.00");
        QTest::newRow("discount from the subtotal before tax")
            << "2|100|t" << "17.5" << "10" << "0" << "0"
            << money("200.00") << money("200.00") << money("35.00") << "20.00" << money("215.00") << money("215.00");
        QTest::newRow("paid in full") << "2|100|t" << "17.5" << "10" << "215" << "0"
            << money("200.00") << money("200.00") << money("35.00") << "20.00" << money("215.00") << money("0.00");
        QTest::newRow("part paid and written off") << "1|100|" << "0" << "" << "60.00" << "15.5"
            << money("100.00") << money("100.00") << money("0.00") << money("0.00") << money("100.00") << money("24.50");
        QTest::newRow("all rows empty") << "" << "17.5" << "0" << "0.00" << "0.00"
            << money("0.00") << money("0.00") << money("0.00") << "0.00" << money("0.00") << money("0.00");
        QTest::newRow("a lone point in the discount reads as none")
            << "|50|" << "0" << "." << "" << ""
            << money("50.00") << money("50.00") << money("0.00") << "0.00" << money("50.00") << money("50.00");
    }
    void totals() {
        QFETCH(QString, rows);
        QFETCH(QString, rate);
        QFETCH(QString, discount);
        QFETCH(QString, paid);
        QFETCH(QString, writtenOff);
        const Totals t = calculate(entries(rows, rate, discount, paid, writtenOff));
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
        const Totals t = calculate(entries(rows, rate, discount));
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

    // "Paid In Full" leaves nothing owed, with a write-off or without.
    void paidInFullOwesNothing_data() {
        QTest::addColumn<QString>("amount");
        QTest::addColumn<QString>("writtenOff");
        QTest::addColumn<QString>("paid");
        QTest::newRow("no write-off") << "590.76" << money("0.00") << money("590.76");
        QTest::newRow("write-off box empty") << "590.76" << "" << money("590.76");
        QTest::newRow("part written off") << "590.76" << money("10.50") << money("580.26");
        QTest::newRow("write-off still being typed") << "590.76" << "10.5" << money("580.26");
        QTest::newRow("all written off") << "590.76" << "590.76" << money("0.00");
    }
    void paidInFullOwesNothing() {
        QFETCH(QString, amount);
        QFETCH(QString, writtenOff);
        const QString total = calculate(entries("|" + amount + "|", "0")).total;
        const QString paid = paidInFull(total, writtenOff);
        QTEST(paid, "paid");
        const Totals t = calculate(entries("|" + amount + "|", "0", "0", paid, writtenOff));
        QCOMPARE(t.balance, money("0.00"));
        QVERIFY(balanceState(t.total, t.balance).paidInFull);
    }

    // A stored invoice whose amounts are not what its lines give (imported:
    // a subtotal of 100.00 over lines of 40 and 50, and a balance of 0.00
    // after paying 90.00) keeps them until what they come from changes.
    void storedAmountsStandUntilChanged_data() {
        QTest::addColumn<QString>("rows");
        QTest::addColumn<QString>("discount");
        QTest::addColumn<QString>("paid");
        QTest::addColumn<QString>("writtenOff");
        QTest::addColumn<QString>("subtotal");
        QTest::addColumn<QString>("vat");
        QTest::addColumn<QString>("total");
        QTest::addColumn<QString>("balance");
        const QString asStored = "|40.00|;|50.00|";
        QTest::newRow("as stored") << asStored << "0" << money("90.00") << money("0.00")
            << money("100.00") << money("0.00") << money("100.00") << money("0.00");
        QTest::newRow("the same values typed otherwise") << "|40|;|50.0|" << "" << "90" << ""
            << money("100.00") << money("0.00") << money("100.00") << money("0.00");
        QTest::newRow("paid changed: only the balance follows") << asStored << "0" << "95" << money("0.00")
            << money("100.00") << money("0.00") << money("100.00") << money("5.00");
        QTest::newRow("written off changed") << asStored << "0" << money("90.00") << "4.5"
            << money("100.00") << money("0.00") << money("100.00") << money("5.50");
        QTest::newRow("a quantity changed") << "2|40.00|;|50.00|" << "0" << money("90.00") << money("0.00")
            << money("130.00") << money("0.00") << money("130.00") << money("40.00");
        QTest::newRow("a tax tick changed") << "|40.00|t;|50.00|" << "0" << money("90.00") << money("0.00")
            << money("90.00") << money("7.00") << money("97.00") << money("7.00");
        QTest::newRow("the discount changed") << asStored << "10" << money("90.00") << money("0.00")
            << money("90.00") << money("0.00") << money("81.00") << money("-9.00");
    }
    void storedAmountsStandUntilChanged() {
        QFETCH(QString, rows);
        QFETCH(QString, discount);
        QFETCH(QString, paid);
        QFETCH(QString, writtenOff);
        StoredAmounts stored{entries("|40.00|;|50.00|", "17.5", "0", money("90.00"), money("0.00")), {}};
        stored.totals = calculate(stored.entries);
        stored.totals.subtotal = money("100.00");
        stored.totals.total = money("100.00");
        stored.totals.balance = money("0.00");
        stored.totals.lineTotals[1] = money("60.00");
        const Totals t = calculate(entries(rows, "17.5", discount, paid, writtenOff), stored);
        QTEST(t.subtotal, "subtotal");
        QTEST(t.vat, "vat");
        QTEST(t.total, "total");
        QTEST(t.balance, "balance");
        QCOMPARE(t.lineTotals[1], t.subtotal == money("100.00") ? money("60.00") : money("50.00"));
    }

    void taxColumn_data() {
        QTest::addColumn<bool>("taxEnabled");
        QTest::addColumn<QString>("vat");
        QTest::addColumn<QString>("rows");
        QTest::addColumn<QString>("rate");
        QTest::addColumn<bool>("shown");
        QTest::newRow("tax on") << true << money("0.00") << "" << "0" << true;
        QTest::newRow("tax off, nothing ticked") << false << money("0.00") << "|10|" << "17.5" << false;
        QTest::newRow("tax off, the invoice bears tax") << false << money("1.75") << "|10|t" << "17.5" << true;
        QTest::newRow("tax off, a ticked line without a price at its rate")
            << false << money("0.00") << "||t" << "17.5" << true;
        QTest::newRow("tax off, a ticked line at a rate of 0") << false << money("0.00") << "|10|t" << "0" << false;
    }
    void taxColumn() {
        QFETCH(bool, taxEnabled);
        QFETCH(QString, vat);
        QFETCH(QString, rows);
        QFETCH(QString, rate);
        QTEST(taxColumnShown(taxEnabled, vat, entries(rows, rate)), "shown");
    }

    void taxCaptions() {
        QCOMPARE(taxCaption("VAT", rateText(17.5)), QString("VAT @  17.5%"));
        QCOMPARE(taxCaption("Tax", rateText(0)), QString("Tax @  0%"));
        QCOMPARE(taxCaption("GST", "15.0000"), QString("GST @  15%"));
    }
};

QTEST_MAIN(TestInvoiceTotals)
#include "test_invoice_totals.moc"
