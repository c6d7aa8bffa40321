// The texts that the comma-separated files give stored values.
#include "ExportFixture.h"
#include "debtors/CsvFile.h"
#include "debtors/ExportFiles.h"
#include <QtTest>

using ExportFixture::at;
using ExportFixture::money;

class TestExportTexts : public QObject {
    Q_OBJECT

private slots:
    void textsOfNumbers_data() {
        QTest::addColumn<QString>("kind");
        QTest::addColumn<QVariant>("value");
        QTest::addColumn<QString>("text");
        QTest::newRow("money 12") << "money" << money("12") << " 12";
        QTest::newRow("money 12.50") << "money" << money("12.50") << " 12.5";
        QTest::newRow("money 0") << "money" << money("0") << " 0";
        QTest::newRow("money -3.25") << "money" << money("-3.25") << "-3.25";
        QTest::newRow("money 0.5") << "money" << money("0.5") << " 0.5";
        QTest::newRow("money 100") << "money" << money("100") << " 100";
        QTest::newRow("money 10.05") << "money" << money("10.05") << " 10.05";
        QTest::newRow("money -0.0001") << "money" << money("-0.0001") << "-0.0001";
        QTest::newRow("money four decimals") << "money" << money("3.4567") << " 3.4567";
        QTest::newRow("money Null") << "money" << QVariant() << " 0";
        QTest::newRow("money huge") << "money" << QVariant::fromValue(Currency::fromRaw(INT64_MAX))
                                    << " 922337203685477.5807";
        QTest::newRow("line 12.345") << "line" << money("12.345") << " 12.35";
        QTest::newRow("line 12.5") << "line" << money("12.5") << " 12.5";
        QTest::newRow("line 3.456") << "line" << money("3.456") << " 3.46";
        QTest::newRow("line -2.005") << "line" << money("-2.005") << "-2.01";
        QTest::newRow("line 0.004") << "line" << money("0.004") << " 0";
        QTest::newRow("line -0.004") << "line" << money("-0.004") << " 0";
        QTest::newRow("line ten million") << "line" << money("12345678.915") << " 12345678.92";
        QTest::newRow("line minus a million") << "line" << money("-1234567.891") << "-1234567.89";
        QTest::newRow("line Null") << "line" << QVariant() << " 0";
        // Rounded past the largest amount: written, not refused.
        QTest::newRow("line largest") << "line" << QVariant::fromValue(Currency::fromRaw(INT64_MAX))
                                      << " 922337203685477.58";
        QTest::newRow("line smallest") << "line" << QVariant::fromValue(Currency::fromRaw(INT64_MIN + 1))
                                       << "-922337203685477.58";
        QTest::newRow("plain 3") << "plain" << QVariant(3) << " 3";
        QTest::newRow("plain -1") << "plain" << QVariant(-1) << "-1";
        QTest::newRow("plain wide") << "plain" << QVariant(qint64(-5000000000)) << "-5000000000";
        QTest::newRow("plain 12.5") << "plain" << QVariant(12.5) << " 12.5";
        QTest::newRow("plain 0.1") << "plain" << QVariant(0.1) << " 0.1";
        QTest::newRow("plain a third") << "plain" << QVariant(1.0 / 3) << " 0.333333333333333";
        QTest::newRow("plain -0") << "plain" << QVariant(-0.0) << " 0";
        QTest::newRow("plain Null") << "plain" << QVariant() << " 0";
        QTest::newRow("date") << "date" << at(2026, 3, 5) << "2026-03-05";
        QTest::newRow("date and time") << "date" << at(2026, 3, 5, 9, 7) << "2026-03-05 09:07:00";
        QTest::newRow("date Null") << "date" << QVariant() << "";
        QTest::newRow("date not a date") << "date" << QVariant(QDateTime()) << "";
    }
    void textsOfNumbers() {
        QFETCH(QString, kind);
        QFETCH(QVariant, value);
        QFETCH(QString, text);
        const QString written = kind == "money"  ? ExportFiles::moneyText(value)
                              : kind == "line"   ? ExportFiles::lineMoneyText(value)
                              : kind == "plain"  ? ExportFiles::plainNumberText(value)
                                                 : ExportFiles::invoiceDateText(value);
        QCOMPARE(written, text);
    }

    void valuesStayInTheirColumns_data() {
        QTest::addColumn<QString>("value");
        QTest::addColumn<QString>("field");
        QTest::newRow("plain") << "1 High St" << "1 High St";
        QTest::newRow("empty") << "" << "";
        QTest::newRow("comma") << "a,b" << "\"a,b\"";
        QTest::newRow("quote") << "say \"hi\"" << "\"say \"\"hi\"\"\"";
        QTest::newRow("CR LF") << "one\r\ntwo" << "\"one\r\ntwo\"";
        QTest::newRow("LF") << "one\ntwo" << "\"one\ntwo\"";
        QTest::newRow("blanks kept") << "  x  " << "  x  ";
    }
    void valuesStayInTheirColumns() {
        QFETCH(QString, value);
        QFETCH(QString, field);
        QCOMPARE(CsvFile::field(value), field);
    }

};

QTEST_MAIN(TestExportTexts)
#include "test_export_texts.moc"
