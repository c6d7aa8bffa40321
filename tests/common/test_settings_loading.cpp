#include "common/SettingsValues.h"
#include "platform/AppError.h"
#include "platform/Recordset.h"
#include "support/TestSupport.h"
#include <QtTest>
#include <functional>
#include <map>

namespace {
// The settings values a case looks at, as the text a reader sees.
QString valueOf(const SettingsValues& s, const QString& name) {
    static const std::map<QString, std::function<QString(const SettingsValues&)>> readers = {
        {"TaxEnabled", [](auto& v) { return QString::number(v.TaxEnabled); }},
        {"Debtorstart", [](auto& v) { return QString::number(v.Debtorstart); }},
        {"ConfirmAll", [](auto& v) { return QString::number(v.ConfirmAll); }},
        {"Present", [](auto& v) { return QString::number(v.Present); }},
        {"FreeFormInv", [](auto& v) { return QString::number(v.FreeFormInv); }},
        {"FreeformCus", [](auto& v) { return QString::number(v.FreeformCus); }},
        {"FreeformPart", [](auto& v) { return QString::number(v.FreeformPart); }},
        {"FreeFormCrd", [](auto& v) { return QString::number(v.FreeFormCrd); }},
        {"TaxAmount", [](auto& v) { return QString::number(v.TaxAmount, 'g', 17); }},
        {"BusinessName", [](auto& v) { return v.BusinessName.text(); }},
        {"Currency", [](auto& v) { return v.Currency.text(); }},
        {"Text1Name", [](auto& v) { return v.Text1Name.text(); }},
        {"Text4Name", [](auto& v) { return v.Text4Name.text(); }},
        {"Address", [](auto& v) { return v.Address; }},
        {"Reminder2", [](auto& v) { return v.Reminder2; }},
        {"Invstart", [](auto& v) { return v.Invstart; }},
    };
    return readers.at(name)(s);
}

void addSettingsRow(const std::map<QString, QVariant>& fields) {
    Recordset rs("system");
    rs.addNew();
    rs.setField("Text3Name", "");
    rs.setField("Text4Name", "");
    for (const auto& [name, value] : fields) rs.setField(name, value);
    rs.update();
}
}  // namespace

class TestSettingsLoading : public DatabaseTestCase {
    Q_OBJECT
private slots:
    void conversions_data() {
        QTest::addColumn<QString>("column");
        QTest::addColumn<QVariant>("stored");
        QTest::addColumn<QString>("expected");   // as valueOf shows it; "" when an error is expected
        QTest::addColumn<int>("error");
        QTest::newRow("flag 1") << "TaxEnabled" << QVariant(1) << "1" << 0;
        QTest::newRow("flag text 1") << "Debtorstart" << QVariant("1") << "1" << 0;
        QTest::newRow("flag text with blanks") << "Debtorstart" << QVariant(" 1 ") << "1" << 0;
        QTest::newRow("flag 2") << "ConfirmAll" << QVariant(2) << "2" << 0;
        QTest::newRow("flag half to even") << "Debtorstart" << QVariant("2.5") << "2" << 0;
        QTest::newRow("flag half up to even") << "Debtorstart" << QVariant("3.5") << "4" << 0;
        QTest::newRow("flag Null") << "Present" << QVariant() << "0" << 0;
        QTest::newRow("flag text Null") << "Debtorstart" << QVariant() << "0" << 0;
        // A Null here must not end every start of the program.
        QTest::newRow("free-form invoice Null") << "FreeFormInv" << QVariant() << "0" << 0;
        QTest::newRow("free-form customer Null") << "FreeformCus" << QVariant() << "0" << 0;
        QTest::newRow("free-form item Null") << "FreeformPart" << QVariant() << "0" << 0;
        QTest::newRow("free-form credit Null") << "FreeFormCrd" << QVariant() << "0" << 0;
        QTest::newRow("free-form 1") << "FreeformPart" << QVariant(1) << "1" << 0;
        QTest::newRow("flag not a number") << "Debtorstart" << QVariant("yes") << "" << ErrorNo::TypeMismatch;
        QTest::newRow("flag beyond 16 bits") << "Debtorstart" << QVariant("40000") << "" << ErrorNo::Overflow;
        QTest::newRow("flag beyond 16 bits below") << "ConfirmAll" << QVariant(-32769) << "" << ErrorNo::Overflow;
        QTest::newRow("tax rate four decimals") << "TaxAmount" << QVariant(17.123456) << "17.1235" << 0;
        QTest::newRow("tax rate") << "TaxAmount" << QVariant(12.5) << "12.5" << 0;
        QTest::newRow("business name cut") << "BusinessName" << QVariant(QString(40, 'b'))
                                           << QString(30, 'b') << 0;
        QTest::newRow("business name filled") << "BusinessName" << QVariant("Kelm") << QString("Kelm").leftJustified(30)
                                              << 0;
        QTest::newRow("business name Null") << "BusinessName" << QVariant() << QString(30, ' ') << 0;
        QTest::newRow("currency first letter") << "Currency" << QVariant("EUR") << "E" << 0;
        QTest::newRow("currency empty") << "Currency" << QVariant("") << " " << 0;
        QTest::newRow("caption trimmed") << "Text1Name" << QVariant("  Sales rep  ")
                                         << QString("Sales rep").leftJustified(30) << 0;
        QTest::newRow("caption of a required column") << "Text4Name" << QVariant(" Tracking")
                                                      << QString("Tracking").leftJustified(30) << 0;
        QTest::newRow("address keeps its lines") << "Address" << QVariant(" 1 Road\r\nTown ") << " 1 Road\r\nTown "
                                                 << 0;
        QTest::newRow("text Null") << "Reminder2" << QVariant() << "" << 0;
        QTest::newRow("start number kept as typed") << "Invstart" << QVariant(" 0042") << " 0042" << 0;
    }
    void conversions() {
        QFETCH(QString, column);
        QFETCH(QVariant, stored);
        QFETCH(QString, expected);
        QFETCH(int, error);
        addSettingsRow({{column, stored}});
        Recordset rs("System");
        SettingsValues values;
        int raised = 0;
        try {
            loadSettingsFromRow(rs, values);
        } catch (const AppError& e) {
            raised = e.number;
        }
        QCOMPARE(raised, error);
        if (error == 0) QCOMPARE(valueOf(values, column), expected);
    }

    void loadsTheFirstRowOnly() {
        addSettingsRow({{"BusinessName", "First"}, {"TaxAmount", 20.0}, {"FreeFormInv", 1}, {"logopath", "/l.jpg"}});
        addSettingsRow({{"BusinessName", "Second"}, {"TaxAmount", 5.0}});
        QVERIFY(loadSettingsValues());
        QCOMPARE(gSettings.BusinessName.trimmed(), QString("First"));
        QCOMPARE(gSettings.TaxAmount, 20.0);
        QCOMPARE(gSettings.FreeFormInv, 1);
        QCOMPARE(gSettings.logopath, QString("/l.jpg"));
    }

    void noRowChangesNothing() {
        gSettings.BusinessName = "Kept";
        gSettings.TaxAmount = 7.5;
        gSettings.FreeformCus = 1;
        QVERIFY(!loadSettingsValues());
        QCOMPARE(gSettings.BusinessName.trimmed(), QString("Kept"));
        QCOMPARE(gSettings.TaxAmount, 7.5);
        QCOMPARE(gSettings.FreeformCus, 1);
    }
};

QTEST_MAIN(TestSettingsLoading)
#include "test_settings_loading.moc"
