#include "common/Functions.h"
#include "common/Numbering.h"
#include "platform/AppError.h"
#include "platform/BusyCursor.h"
#include "support/TestSupport.h"
#include <QtTest>
#include <limits>

class TestFunctions : public QObject {
    Q_OBJECT
private slots:
    void formatNumberRight_data() {
        QTest::addColumn<QVariant>("value");
        QTest::addColumn<int>("intDigits");
        QTest::addColumn<int>("decimals");
        QTest::addColumn<QString>("expected");
        QTest::newRow("1234.5") << QVariant(1234.5) << 7 << 2 << "   1234.50";
        QTest::newRow("zero") << QVariant(0) << 7 << 2 << "      0.00";
        QTest::newRow("minus five") << QVariant(-5) << 7 << 2 << "     -5.00";
        QTest::newRow("12.5") << QVariant(12.5) << 7 << 2 << "     12.50";
        QTest::newRow("item list width") << QVariant(3) << 10 << 2 << "         3.00";
        QTest::newRow("no decimals") << QVariant(42) << 4 << 0 << "  42";
        QTest::newRow("half away from zero") << QVariant(QString("2.345")) << 7 << 2 << "      2.35";
        QTest::newRow("negative half") << QVariant(QString("-2.345")) << 7 << 2 << "     -2.35";
        QTest::newRow("too wide kept whole") << QVariant(QString("123456789.5")) << 7 << 2 << "123456789.50";
        QTest::newRow("null") << QVariant() << 7 << 2 << "      0.00";
        QTest::newRow("double rounds once") << QVariant(2.34499) << 7 << 2 << "      2.34";
        QTest::newRow("double half as written") << QVariant(2.345) << 7 << 2 << "      2.35";
        QTest::newRow("negative double half") << QVariant(-0.125) << 7 << 2 << "     -0.13";
        QTest::newRow("double whole half") << QVariant(2.5) << 4 << 0 << "   3";
        QTest::newRow("tiny double") << QVariant(1e-9) << 7 << 2 << "      0.00";
        QTest::newRow("currency") << QVariant::fromValue(Currency::fromText("-1234.565")) << 7 << 2 << "  -1234.57";
        // More decimals than an amount keeps: the width still counts them all.
        QTest::newRow("six decimals") << QVariant(1.5) << 2 << 6 << " 1.500000";
        QTest::newRow("six decimals rounded") << QVariant(-1.2345675) << 2 << 6 << "-1.234568";
        QTest::newRow("six decimals of an amount")
            << QVariant::fromValue(Currency::fromText("2.25")) << 2 << 6 << " 2.250000";
        QTest::newRow("rounding carries") << QVariant(9.995) << 2 << 2 << "10.00";
        QTest::newRow("negative to zero") << QVariant(-0.001) << 7 << 2 << "      0.00";
        // The largest amount rounds past itself; a sum of such amounts is wider still, and whole.
        const Currency largest = Currency::fromRaw(std::numeric_limits<qint64>::max());
        QTest::newRow("largest amount") << QVariant::fromValue(largest) << 7 << 2 << "922337203685477.58";
        QTest::newRow("sum") << QVariant::fromValue(MoneySum(largest) + largest) << 7 << 2 << "1844674407370955.16";
        QTest::newRow("negative sum") << QVariant::fromValue(MoneySum(-largest) - largest) << 7 << 2
                                      << "-1844674407370955.16";
        QTest::newRow("small sum") << QVariant::fromValue(MoneySum(Currency::fromText("-0.005"))) << 7 << 2
                                   << "     -0.01";
    }
    void formatNumberRight() {
        QFETCH(QVariant, value);
        QFETCH(int, intDigits);
        QFETCH(int, decimals);
        QFETCH(QString, expected);
        QCOMPARE(Format_Number_Right(value, intDigits, decimals), expected);
        QCOMPARE(Format_Number_Right2(value, intDigits, decimals), expected);
    }

    void zeroPad_data() {
        QTest::addColumn<QVariant>("value");
        QTest::addColumn<int>("n");
        QTest::addColumn<QString>("expected");
        QTest::newRow("42") << QVariant(42) << 6 << "000042";
        QTest::newRow("a million cut") << QVariant(1000000) << 6 << "000000";
        QTest::newRow("blanks removed") << QVariant(QString("  42 ")) << 4 << "0042";
        QTest::newRow("width 0") << QVariant(42) << 0 << "";
        QTest::newRow("10000 at 4") << QVariant(10000) << 4 << "0000";
    }
    void zeroPad() {
        QFETCH(QVariant, value);
        QFETCH(int, n);
        QFETCH(QString, expected);
        QCOMPARE(Zero_Pad(value, n), expected);
    }

    void csvField_data() {
        QTest::addColumn<QString>("line");
        QTest::addColumn<int>("n");
        QTest::addColumn<QString>("expected");
        QTest::newRow("1") << "a,b,,d" << 1 << "a";
        QTest::newRow("2") << "a,b,,d" << 2 << "b";
        QTest::newRow("3 empty") << "a,b,,d" << 3 << "";
        QTest::newRow("4") << "a,b,,d" << 4 << "d";
        QTest::newRow("5 past the end") << "a,b,,d" << 5 << "";
        QTest::newRow("empty line") << "" << 1 << "";
        QTest::newRow("n 0") << "a,b" << 0 << "";
        QTest::newRow("n negative") << "a,b" << -1 << "";
        QTest::newRow("blanks kept") << " a , b" << 2 << " b";
    }
    void csvField() {
        QFETCH(QString, line);
        QFETCH(int, n);
        QFETCH(QString, expected);
        QCOMPARE(Csv_Field(line, n), expected);
    }

    void padLeft() {
        QCOMPARE(Pad_Left("13", 6), QString("    13"));
        QCOMPARE(Pad_Left("1234567", 6), QString("234567"));
    }

    void nullGuards() {
        QCOMPARE(Field_To_String(QVariant()), QString());
        QCOMPARE(Field_To_Currency(QVariant()), Currency());
        QCOMPARE(Field_To_Currency(QString("12.5")), Currency::fromRaw(125000));
        QCOMPARE(Field_To_String(QVariant::fromValue(Currency::fromRaw(125000))), QString("12.5"));
        QCOMPARE(Field_To_String(QDateTime(QDate(2026, 12, 9), QTime(0, 0))), QString("09/12/2026"));
        QCOMPARE(Field_To_String(QDateTime(QDate(2026, 12, 9), QTime(13, 5))), QString("09/12/2026 13:05:00"));
        QCOMPARE(Field_To_String(0.1 + 0.2), QString("0.3"));
        QCOMPARE(Field_To_String(QString(" as is ")), QString(" as is "));
        bool mismatch = false;
        try { Field_To_Currency(QString("twelve")); } catch (const AppError& e) { mismatch = e.number == ErrorNo::TypeMismatch; }
        QVERIFY(mismatch);
    }

    void busyCursorNests() {
        TestProgram program;
        Wait_Cursor_Off();
        QCOMPARE(BusyCursor::depth(), 0);
        QVERIFY(!BusyCursor::showing());
        Wait_Cursor_On();
        Wait_Cursor_On();
        Wait_Cursor_Off();
        QVERIFY(BusyCursor::showing());
        Wait_Cursor_Off();
        QVERIFY(!BusyCursor::showing());
    }

    void nextStartNumber_data() {
        QTest::addColumn<QString>("saved");
        QTest::addColumn<QString>("counter");
        QTest::addColumn<QString>("expected");
        QTest::newRow("plain") << "INV100001" << "100001" << "100002";
        QTest::newRow("prefix digits count") << "IN2-0005" << "0005" << "0006";
        QTest::newRow("all nines wrap") << "CUS9999" << "9999" << "0000";
        QTest::newRow("no digits") << "FREE" << "0001" << "0001";
        QTest::newRow("longer than int64") << "99999999999999999999" << "000001" << "000000";
    }
    void nextStartNumber() {
        QFETCH(QString, saved);
        QFETCH(QString, counter);
        QFETCH(QString, expected);
        QCOMPARE(::nextStartNumber(saved, counter), expected);
    }
};

QTEST_MAIN(TestFunctions)
#include "test_functions.moc"
