#include "platform/Currency.h"
#include "platform/Recordset.h"
#include "shell/Import.h"
#include "support/TestSupport.h"
#include <QFile>
#include <QtTest>

using Box::Answer;

namespace {
// One line of the older file: customer, date, invoice, names, phone, address,
// amount, line 1, line 2, an unread field, delivery address.
QString line(const QString& cust, const QString& inv, const QString& amount = "100.00", int fieldCount = 21,
             const QString& second = "Second line") {
    QStringList f = {cust, "15/03/2004", inv, "Zoë", "Müller", "555 0101", "1 High St", "Upton",
                     "Leeds", "LS1 1AA", amount, "First line", amount, second, "0.00", "unread",
                     "Dock 4", "Quay Rd", "Hull", "Yorks", "HU1 2BB"};
    while (f.size() < fieldCount) f << QString("extra%1").arg(f.size() + 1);
    return QStringList(f.mid(0, fieldCount)).join(',');
}

void writeImportFile(const TestProgram& program, const QByteArray& bytes) {
    QFile f(program.file("Invoices1.csv"));
    QVERIFY(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
    f.write(bytes);
}

QStringList column(const QString& table, const QString& name) {
    QStringList values;
    Recordset rs(table);
    for (; !rs.eof(); rs.moveNext()) values << rs[name].toString();
    return values;
}

// The row of the table whose column holds the value.
void seekRow(Recordset& rs, const QString& name, const QString& value) {
    for (rs.moveFirst(); !rs.eof(); rs.moveNext())
        if (rs[name].toString() == value) return;
    QFAIL(qPrintable(QString("no %1 %2").arg(name, value)));
}

Currency money(const QVariant& v) { return v.value<Currency>(); }
}  // namespace

class TestImport : public QObject {
    Q_OBJECT
    std::unique_ptr<TestProgram> program;

private slots:
    void init() {
        program = std::make_unique<TestProgram>();
        program->createDatabase();
    }
    void cleanup() { program.reset(); }

    // Every kind of line end, a last line without one, UTF-8 text.
    void importsEveryLine() {
        const QString lines = line("C1", "I1") + "\r\n" +
                              line("C2", "I2", "20.00", 15, "   ") + "\r" +
                              line("C3", "I3", "30.00", 24) + "\n" +
                              line("C4", "I4", "40.00");
        writeImportFile(*program, lines.toUtf8());
        ScriptedBoxes boxes;
        Import_Data();
        QVERIFY2(boxes.allAnswered(), qPrintable(boxes.report()));
        QCOMPARE(program->endings(), 0);
        QCOMPARE(column("Customers", "CustID"), (QStringList{"C1", "C2", "C3", "C4"}));
        QCOMPARE(column("Invoices", "InvNo"), (QStringList{"I1", "I2", "I3", "I4"}));
        // Line 2's second description is blanks only: no second invoice line.
        QCOMPARE(column("InvoiceD", "InvNo"), (QStringList{"I1", "I1", "I2", "I3", "I3", "I4", "I4"}));
        QCOMPARE(column("System", "CustStart"), QStringList());

        Recordset customers("Customers");
        seekRow(customers, "CustID", "C1");
        QCOMPARE(customers["FirstName"].toString(), QString("Zoë"));
        QCOMPARE(customers["LastName"].toString(), QString("Müller"));
        QCOMPARE(customers["Date"].toDateTime().date(), QDate(2004, 3, 15));
        QCOMPARE(customers["City"].toString(), QString("Leeds"));
        QCOMPARE(customers["Postcode"].toString(), QString("LS1 1AA"));
        QCOMPARE(customers["DelAddress1"].toString(), QString("Dock 4"));
        QCOMPARE(customers["DelAddress5"].toString(), QString("HU1 2BB"));
        QCOMPARE(customers["address4"], QVariant(QString("")));
        QCOMPARE(customers["notes"], QVariant(QString("")));
        QVERIFY(!customers["Mobile"].isValid());
        seekRow(customers, "CustID", "C2");   // 15 fields: empty texts, not Null
        for (const char* c : {"DelAddress1", "DelAddress2", "DelAddress3", "DelAddress4", "DelAddress5"})
            QCOMPARE(customers[c], QVariant(QString("")));
        seekRow(customers, "CustID", "C3");   // the fields after the 21st are ignored
        QCOMPARE(customers["DelAddress5"].toString(), QString("HU1 2BB"));

        Recordset invoices("Invoices");
        seekRow(invoices, "InvNo", "I3");
        QCOMPARE(invoices["CustNo"].toString(), QString("C3"));
        QCOMPARE(invoices["CustomerName"].toString(), QString("Zoë Müller"));
        QCOMPARE(money(invoices["Subtotal"]), Currency::fromText("30"));
        QCOMPARE(money(invoices["Total"]), Currency::fromText("30"));
        QCOMPARE(money(invoices["Paid"]), Currency::fromText("30"));
        QCOMPARE(money(invoices["Balance"]), Currency());
        QCOMPARE(money(invoices["Vat"]), Currency());
        QCOMPARE(invoices["Notes"], QVariant(QString("")));

        Recordset invoiceLines("InvoiceD");
        invoiceLines.moveFirst();
        invoiceLines.moveNext();   // I1's second line
        QCOMPARE(invoiceLines["Description"].toString(), QString("Second line"));
        QCOMPARE(invoiceLines["Qty"].toInt(), 1);
        QCOMPARE(invoiceLines["PartID"], QVariant(QString("")));
        QCOMPARE(money(invoiceLines["Amount"]), Currency());
        QCOMPARE(money(invoiceLines["Total"]), Currency());
    }

    void aNulInsideAFieldIsImportedWhole() {
        QByteArray bytes = line("C1", "I1").toUtf8();
        bytes.replace("First line", QByteArray("First\0line", 10));
        writeImportFile(*program, bytes);
        ScriptedBoxes boxes;
        Import_Data();
        QVERIFY2(boxes.allAnswered(), qPrintable(boxes.report()));
        QCOMPARE(column("InvoiceD", "Description"),
                 (QStringList{QString("First") + QChar(0) + "line", "Second line"}));
    }

    void emptyFileAddsNothing() {
        writeImportFile(*program, "");
        ScriptedBoxes boxes;
        Import_Data();
        QVERIFY2(boxes.allAnswered(), qPrintable(boxes.report()));
        QCOMPARE(column("Customers", "CustID"), QStringList());
        QCOMPARE(program->endings(), 0);
    }

    // The failing line is reported and stored not at all; the lines before
    // it stay, the lines after it are not read.
    void firstFailingLineStopsTheImport_data() {
        QTest::addColumn<QStringList>("lines");
        QTest::addColumn<QStringList>("keptCustomers");
        QTest::addColumn<QStringList>("keptLines");
        QTest::newRow("duplicate customer")
            << QStringList{line("C1", "I1"), line("C2", "I2"), line("c1", "I3"), line("C4", "I4")}
            << QStringList{"C1", "C2"} << QStringList{"I1", "I1", "I2", "I2"};
        QTest::newRow("duplicate invoice after a new customer")
            << QStringList{line("C1", "I1"), line("C2", "I2"), line("C3", "I1"), line("C4", "I4")}
            << QStringList{"C1", "C2"} << QStringList{"I1", "I1", "I2", "I2"};
        QTest::newRow("bad amount in the second invoice line")
            << QStringList{line("C1", "I1"), line("C2", "I2"), line("C3", "I3").replace(",0.00,", ",lots,"),
                           line("C4", "I4")}
            << QStringList{"C1", "C2"} << QStringList{"I1", "I1", "I2", "I2"};
        QTest::newRow("empty line")
            << QStringList{line("C1", "I1"), line("C2", "I2"), "", line("C4", "I4")}
            << QStringList{"C1", "C2"} << QStringList{"I1", "I1", "I2", "I2"};
    }
    void firstFailingLineStopsTheImport() {
        QFETCH(QStringList, lines);
        QFETCH(QStringList, keptCustomers);
        QFETCH(QStringList, keptLines);
        writeImportFile(*program, (lines.join("\r\n") + "\r\n").toUtf8());
        ScriptedBoxes boxes;
        boxes.expect("Error Message", Answer::Ok, "Line 3 of Invoices1.csv");
        Import_Data();
        QVERIFY2(boxes.allAnswered(), qPrintable(boxes.report()));
        QCOMPARE(program->endings(), 1);
        QCOMPARE(program->logFiles().size(), 1);
        QVERIFY(program->logFiles().at(0).contains("mnuImport_Click"));
        QCOMPARE(column("Customers", "CustID"), keptCustomers);
        QCOMPARE(column("Invoices", "InvNo"), (QStringList{"I1", "I2"}));
        QCOMPARE(column("InvoiceD", "InvNo"), keptLines);
    }

    void unreadableFileImportsNothing_data() {
        QTest::addColumn<bool>("present");
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QString>("reason");
        QTest::newRow("missing") << false << QByteArray() << "Invoices1.csv";
        QTest::newRow("not UTF-8") << true << (line("C1", "I1").toUtf8() + "\r\nC2,\xE9t\xE9\r\n") << "not UTF-8";
    }
    void unreadableFileImportsNothing() {
        QFETCH(bool, present);
        QFETCH(QByteArray, bytes);
        QFETCH(QString, reason);
        if (present) writeImportFile(*program, bytes);
        ScriptedBoxes boxes;
        boxes.expect("Error Message", Answer::Ok, reason);
        Import_Data();
        QVERIFY2(boxes.allAnswered(), qPrintable(boxes.report()));
        QCOMPARE(program->endings(), 1);
        QCOMPARE(column("Customers", "CustID"), QStringList());
    }
};

QTEST_MAIN(TestImport)
#include "test_import.moc"
