#include "platform/AppError.h"
#include "platform/Currency.h"
#include "platform/FixedText.h"
#include "platform/MoneySum.h"
#include "platform/NumberText.h"
#include "platform/ShortDate.h"
#include "support/TestSupport.h"
#include <QtTest>
#include <cmath>
#include <functional>
#include <limits>

namespace {
constexpr qint64 NoResult = std::numeric_limits<qint64>::min();   // "raises" / "no number" in a table
const Currency Largest = Currency::fromRaw(std::numeric_limits<qint64>::max());

}  // namespace

class TestNumbers : public QObject {
    Q_OBJECT

private slots:
    void currencyFromText_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<qint64>("raw");
        QTest::addColumn<int>("error");
        QTest::newRow("plain") << "12.5" << qint64(125000) << 0;
        QTest::newRow("blanks and sign") << " -0.5 " << qint64(-5000) << 0;
        QTest::newRow("plus") << "+3" << qint64(30000) << 0;
        QTest::newRow("no whole part") << ".25" << qint64(2500) << 0;
        QTest::newRow("point at the end") << "5." << qint64(50000) << 0;
        QTest::newRow("fifth decimal up") << "1.23456" << qint64(12346) << 0;
        QTest::newRow("half away from zero") << "1.23455" << qint64(12346) << 0;
        QTest::newRow("negative half") << "-1.23455" << qint64(-12346) << 0;
        QTest::newRow("below half") << "1.234549" << qint64(12345) << 0;
        QTest::newRow("largest") << "922337203685477.5807" << qint64(Largest.raw()) << 0;
        QTest::newRow("too large") << "922337203685477.5808" << NoResult << ErrorNo::Overflow;
        QTest::newRow("far too large") << "100000000000000000000" << NoResult << ErrorNo::Overflow;
        QTest::newRow("empty") << "" << NoResult << ErrorNo::TypeMismatch;
        QTest::newRow("words") << "abc" << NoResult << ErrorNo::TypeMismatch;
        QTest::newRow("two points") << "1.2.3" << NoResult << ErrorNo::TypeMismatch;
        QTest::newRow("trailing letters") << "12a" << NoResult << ErrorNo::TypeMismatch;
        QTest::newRow("sign alone") << "-" << NoResult << ErrorNo::TypeMismatch;
        QTest::newRow("comma") << "12,5" << NoResult << ErrorNo::TypeMismatch;
    }
    void currencyFromText() {
        QFETCH(QString, text);
        QFETCH(qint64, raw);
        QFETCH(int, error);
        Currency c;
        QCOMPARE(errorNumberOf([&] { c = Currency::fromText(text); }), error);
        if (!error) QCOMPARE(c.raw(), raw);
        if (error == ErrorNo::Overflow) return;   // readDecimal raises it too
        const auto decimal = readDecimal(text);
        QCOMPARE(bool(decimal), error == 0);
        if (decimal) QCOMPARE(decimal->raw(), raw);
    }

    void currencyToFixed_data() {
        QTest::addColumn<QString>("amount");
        QTest::addColumn<int>("decimals");
        QTest::addColumn<QString>("text");
        QTest::newRow("half up") << "2.345" << 2 << "2.35";
        QTest::newRow("negative half") << "-2.345" << 2 << "-2.35";
        QTest::newRow("below half") << "2.3449" << 2 << "2.34";
        QTest::newRow("half a cent") << "0.005" << 2 << "0.01";
        QTest::newRow("tiny negative") << "-0.004" << 2 << "0.00";
        QTest::newRow("whole half") << "12.5" << 0 << "13";
        QTest::newRow("negative whole half") << "-12.5" << 0 << "-13";
        QTest::newRow("four decimals") << "1.5" << 4 << "1.5000";
        QTest::newRow("largest") << "922337203685477.5807" << 4 << "922337203685477.5807";
    }
    void currencyToFixed() {
        QFETCH(QString, amount);
        QFETCH(int, decimals);
        QFETCH(QString, text);
        QCOMPARE(Currency::fromText(amount).toFixed(decimals), text);
    }

    // Sums of stored amounts: exact and whole whatever the amounts and however
    // many rows, with the texts of an amount, and read back from them.
    void moneySum_data() {
        QTest::addColumn<QStringList>("amounts");
        QTest::addColumn<int>("times");   // the amounts added this many times over
        QTest::addColumn<QString>("fixed");
        QTest::addColumn<QString>("plain");
        const QString largest = "922337203685477.5807", smallest = "-922337203685477.5807";
        QTest::newRow("two largest") << QStringList{largest, largest} << 1 << "1844674407370955.16"
                                     << "1844674407370955.1614";
        QTest::newRow("two smallest") << QStringList{smallest, smallest} << 1 << "-1844674407370955.16"
                                      << "-1844674407370955.1614";
        QTest::newRow("largest and smallest") << QStringList{largest, smallest} << 1 << "0.00" << "0";
        QTest::newRow("past the largest and back") << QStringList{largest, largest, smallest} << 1
                                                   << "922337203685477.58" << largest;
        QTest::newRow("many rows") << QStringList{largest} << 100000 << "92233720368547758070.00"
                                   << "92233720368547758070";
        QTest::newRow("many rows of cents") << QStringList{"0.01", "-0.02", "0.0049"} << 1000 << "-5.10" << "-5.1";
        QTest::newRow("half away from zero") << QStringList{"0.003", "0.002"} << 1 << "0.01" << "0.005";
        QTest::newRow("negative half") << QStringList{"-0.003", "-0.002"} << 1 << "-0.01" << "-0.005";
        QTest::newRow("below half, negative") << QStringList{"-0.0049"} << 1 << "0.00" << "-0.0049";
        QTest::newRow("none") << QStringList{} << 1 << "0.00" << "0";
    }
    void moneySum() {
        QFETCH(QStringList, amounts);
        QFETCH(int, times);
        QFETCH(QString, fixed);
        QFETCH(QString, plain);
        MoneySum sum, taken;
        for (int i = 0; i < times; ++i)
            for (const QString& a : amounts) {
                sum += Currency::fromText(a);
                taken -= Currency::fromText(a);
            }
        QCOMPARE(sum.toFixed(2), fixed);
        QCOMPARE(sum.toText(), plain);
        QCOMPARE(taken + sum, MoneySum());
        // A total shown as text reads back as the sum it shows.
        QCOMPARE(ValSum(sum.toText()), sum);
        QCOMPARE(ValSum(" " + sum.toFixed(2) + " owed"), ValSum(fixed));
        QCOMPARE(ValSum(fixed).toFixed(2), fixed);
    }

    void currencyPercent_data() {
        QTest::addColumn<QString>("amount");
        QTest::addColumn<double>("rate");
        QTest::addColumn<QString>("result");
        QTest::newRow("17.5 of 100") << "100" << 17.5 << "17.5";
        QTest::newRow("half a cent") << "0.01" << 50.0 << "0.005";
        QTest::newRow("exact to four") << "33.33" << 15.0 << "4.9995";
        QTest::newRow("rounded to four") << "1" << 33.333333 << "0.3333";
        QTest::newRow("negative") << "-10" << 12.5 << "-1.25";
        QTest::newRow("half away from zero") << "0.0001" << 50.0 << "0.0001";
        QTest::newRow("negative half") << "-0.0001" << 50.0 << "-0.0001";
        QTest::newRow("large amount keeps its cents") << "90000000000.07" << 10.0 << "9000000000.007";
    }
    void currencyPercent() {
        QFETCH(QString, amount);
        QFETCH(double, rate);
        QFETCH(QString, result);
        QCOMPARE(Currency::fromText(amount).percent(rate).toText(), result);
    }

    void overflowRaises() {
        QCOMPARE(errorNumberOf([] { Val("1e400"); }), ErrorNo::Overflow);
        const Currency tick = Currency::fromRaw(1);
        QCOMPARE(errorNumberOf([&] { Largest + tick; }), ErrorNo::Overflow);
        QCOMPARE(errorNumberOf([&] { -Largest - tick; }), ErrorNo::Overflow);
        QCOMPARE(errorNumberOf([&] { Largest.rounded(2); }), ErrorNo::Overflow);   // .5807 rounds up past the end
        QCOMPARE(Largest.toFixed(2), QString("922337203685477.58"));   // its text is still written
        QCOMPARE(errorNumberOf([&] { Largest.times(2); }), ErrorNo::Overflow);
        QCOMPARE(errorNumberOf([&] { Largest.percent(200); }), ErrorNo::Overflow);
        QCOMPARE(errorNumberOf([] { Currency::fromUnits(1'000'000'000'000'000); }), ErrorNo::Overflow);
        QCOMPARE(errorNumberOf([] { Currency::fromDouble(1e300); }), ErrorNo::Overflow);
        QCOMPARE(errorNumberOf([] { Currency::fromDouble(std::nan("")); }), ErrorNo::Overflow);
        QCOMPARE((Largest - tick + tick), Largest);
        QCOMPARE(Currency::fromDouble(0.1).raw(), qint64(1000));
        QCOMPARE(Currency::fromDouble(-2.00005).raw(), qint64(-20001));
        QCOMPARE(Currency::fromText("2.345").rounded(2), Currency::fromText("2.35"));
        QCOMPARE(QVariant::fromValue(Currency::fromText("-7.25")).toString(), QString("-7.25"));
    }

    void val_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<double>("value");
        QTest::newRow("empty") << "" << 0.0;
        QTest::newRow("leading blanks") << "  12" << 12.0;
        QTest::newRow("blanks inside") << "1 2 3" << 123.0;
        QTest::newRow("tabs and line feeds") << "\t-\n4.5" << -4.5;
        QTest::newRow("stops at letters") << "12abc" << 12.0;
        QTest::newRow("no digits") << "abc" << 0.0;
        QTest::newRow("second point stops") << "1.2.3" << 1.2;
        QTest::newRow("point first") << "-.5" << -0.5;
        QTest::newRow("plus") << "+7" << 7.0;
        QTest::newRow("exponent") << "1e3" << 1000.0;
        QTest::newRow("negative exponent") << "1.5E-2" << 0.015;
        QTest::newRow("exponent without digits") << "2e" << 2.0;
        QTest::newRow("exponent sign only") << "2e+" << 2.0;
        QTest::newRow("blanks in exponent") << "3 e 2" << 300.0;
        QTest::newRow("two signs") << "--5" << 0.0;
        QTest::newRow("comma stops") << "12,5" << 12.0;
        QTest::newRow("carriage return stops") << "1\r\n2" << 1.0;
    }
    void val() {
        QFETCH(QString, text);
        QFETCH(double, value);
        QCOMPARE(Val(text), value);
    }

    void valCurrency_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<qint64>("raw");
        QTest::newRow("empty") << "" << qint64(0);
        QTest::newRow("words") << "abc" << qint64(0);
        QTest::newRow("rounded to four") << "12.34567" << qint64(123457);
        QTest::newRow("negative half") << "  -0.00005" << qint64(-1);
        QTest::newRow("blanks inside") << "1 000.5" << qint64(10005000);
        QTest::newRow("stops at second point") << "1.2.3" << qint64(12000);
        QTest::newRow("stops at letters") << "9.99 each" << qint64(99900);
        QTest::newRow("exponent") << "1e2" << qint64(1000000);
        QTest::newRow("too large") << "99999999999999999" << NoResult;
        QTest::newRow("exponent too large") << "1e20" << NoResult;
    }
    void valCurrency() {
        QFETCH(QString, text);
        QFETCH(qint64, raw);
        Currency c;
        const int error = errorNumberOf([&] { c = ValCurrency(text); });
        QCOMPARE(error, raw == NoResult ? ErrorNo::Overflow : 0);
        if (!error) QCOMPARE(c.raw(), raw);
    }

    void fixedText() {
        FixedText<5> t;
        QCOMPARE(t.text(), QString(5, ' '));
        t = "abcdefg";
        QCOMPARE(t.text(), QString("abcde"));
        t = "ab";
        QCOMPARE(t.text(), QString("ab   "));
        QCOMPARE(t.trimmed(), QString("ab"));
        t = " a\n";
        QCOMPARE(t.trimmed(), QString("a\n"));   // blanks only, never line breaks
        QCOMPARE(FixedText<1>(QString()).text(), QString(" "));
        QCOMPARE(Trim("\t x \r\n "), QString("\t x \r\n"));
    }

    void shortDates_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QDate>("date");
        QTest::newRow("two-digit day and month") << "09/02/2024" << QDate(2024, 2, 9);
        QTest::newRow("one-digit day and month") << "9/2/2024" << QDate(2024, 2, 9);
        QTest::newRow("blanks around") << " 29/02/2024 " << QDate(2024, 2, 29);
        QTest::newRow("no such day") << "31/02/2024" << QDate();
        QTest::newRow("not a leap year") << "29/02/2023" << QDate();
        QTest::newRow("month first is no short date") << "02/13/2024" << QDate();
        QTest::newRow("two-digit year") << "09/02/24" << QDate();
        QTest::newRow("ISO text") << "2024-02-09" << QDate();
        QTest::newRow("empty") << "" << QDate();
    }
    void shortDates() {
        QFETCH(QString, text);
        QFETCH(QDate, date);
        QCOMPARE(parseShortDate(text), date);
        if (date.isValid()) QCOMPARE(parseShortDate(shortDate(date)), date);
    }

    void storedDates() {
        QCOMPARE(shortDate(QDate(2024, 2, 9)), QString("09/02/2024"));
        QCOMPARE(todayShortDate(), shortDate(QDate::currentDate()));
        const QDateTime withTime(QDate(2024, 2, 9), QTime(13, 5, 7));
        const QDateTime midnight(QDate(2024, 2, 9), QTime(0, 0));
        QCOMPARE(isoDateTime(withTime), QString("2024-02-09 13:05:07"));
        QCOMPARE(isoDateTime(midnight), QString("2024-02-09"));
        QCOMPARE(isoDate(QDate(999, 1, 2)), QString("0999-01-02"));
        QCOMPARE(parseIsoDateTime("2024-02-09 13:05:07"), withTime);
        QCOMPARE(parseIsoDateTime("2024-02-09"), midnight);
        for (const char* malformed : {"09/02/2024", "2024-02-30", "2024-2-09", "", "2024-02-09T13:05:07",
                                      "2024-02-09 25:00:00", "2024-02-09 13:05", "２024-02-09"})
            QVERIFY2(!parseIsoDateTime(QString::fromUtf8(malformed)).isValid(), malformed);
    }
};

QTEST_MAIN(TestNumbers)
#include "test_numbers.moc"
