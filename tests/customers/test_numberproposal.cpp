#include "common/Numbering.h"
#include "platform/AppError.h"
#include "platform/Database.h"
#include "support/TestSupport.h"
#include <QtTest>

class TestNumberProposal : public QObject {
    Q_OBJECT
private slots:
    void proposal_data() {
        QTest::addColumn<QString>("prefix");
        QTest::addColumn<QString>("start");
        QTest::addColumn<QStringList>("used");
        QTest::addColumn<QString>("expected");   // "" = none free
        QTest::newRow("free start number as stored") << "C" << "0005" << QStringList{"C0004"} << "C0005";
        QTest::newRow("used numbers skipped, case ignored")
            << "C" << "0005" << QStringList{"C0005", "c0006"} << "C0007";
        QTest::newRow("width one") << "C" << "5" << QStringList{"C5"} << "C6";
        QTest::newRow("nine wraps to zero") << "C" << "9" << QStringList{"C9"} << "C0";
        QTest::newRow("wrap skips used too") << "C" << "8" << QStringList{"C8", "C9", "c0"} << "C1";
        QTest::newRow("prefix in other case is the same number")
            << "c" << "0005" << QStringList{"C0005"} << "c0006";
        QTest::newRow("every number of the width used")
            << "C" << "3" << QStringList{"C0", "C1", "C2", "C3", "C4", "C5", "C6", "C7", "C8", "C9"} << "";
        QTest::newRow("no prefix") << "" << "0001" << QStringList{"0001", "0002"} << "0003";
    }
    void proposal() {
        QFETCH(QString, prefix);
        QFETCH(QString, start);
        QFETCH(QStringList, used);
        QFETCH(QString, expected);
        TestProgram program;
        program.createDatabase();
        Statement add(Database::shared(), "INSERT INTO Customers (CustID) VALUES (?)");
        for (const QString& id : used) {
            add.reset();
            add.bind(1, id).run();
        }
        const auto proposed = proposeNumber("customers", "CUSTID", prefix, start);
        QCOMPARE(proposed.value_or(QString()), expected);
        QCOMPARE(proposed.has_value(), !expected.isEmpty());
    }

    void invoicesUseTheSameProposal() {
        TestProgram program;
        program.createDatabase();
        Statement(Database::shared(), "INSERT INTO Invoices (InvNo) VALUES ('inv000100')").run();
        QCOMPARE(proposeNumber("Invoices", "InvNo", "INV", "000100").value_or(QString()), QString("INV000101"));
    }

    void startThatIsNoNumberIsAnError() {
        TestProgram program;
        program.createDatabase();
        try {
            proposeNumber("Customers", "CustID", "C", "00x5");
            QFAIL("no error");
        } catch (const AppError& e) {
            QCOMPARE(e.number, ErrorNo::TypeMismatch);
        }
    }
};

QTEST_MAIN(TestNumberProposal)
#include "test_numberproposal.moc"
