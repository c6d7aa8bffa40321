#include "platform/AppError.h"
#include "platform/Database.h"
#include "platform/Recordset.h"
#include "platform/Schema.h"
#include "support/TestSupport.h"
#include <QRegularExpression>
#include <QtTest>
#include <functional>

// The tables a new data.mdb must hold, written out independently of the
// schema description: name:type, T<n> = text(n), I integer, C currency,
// F double, D date; "!" = refuses Null.
namespace {
struct ExpectedTable {
    const char* name;
    const char* columns;
};

const ExpectedTable expectedTables[] = {
    {"Customers",
     "CustID:T50! Date:D FirstName:T50 LastName:T50 Phone:T50 Mobile:T50 Email:T50 Fax:T50 Address:T50 "
     "Address2:T50 address4:T50 City:T50 Postcode:T50 DelAddress1:T50 DelAddress2:T50 DelAddress3:T50 "
     "DelAddress4:T50 DelAddress5:T50 Discount:I notes:T200"},
    {"InvoiceD", "InvNo:T50! PartID:T50 Qty:I Description:T200 Amount:C Total:C Taxable:I"},
    {"Invoices",
     "InvNo:T50! Date:D CustNo:T50 CustomerName:T50 SalesNo:T50 SalesPerson:T50 ShippedNo:T50 TrackingNo:T50 "
     "Discount:C DiscountPercentage:F Notes:T150 Subtotal:C Vat:C Total:C WrittenOff:C Paid:C Balance:C "
     "Balance1:C Balance2:C Balance3:C Phone:T50 TaxPer:F ReminderSent:I"},
    {"Letters",
     "Address:T258 Address2:T50 Balance:C City:T50 CustID:T50 Date:D Date2:D Discount:I Discount2:C Email:T50 "
     "Fax:T50 FirstName:T101 InvNo:T50 LastName:T50 Mobile:T50 notes:T50 Notes2:T50 Paid:C Phone:T50 "
     "Postcode:T50 Subtotal:C Total:C Vat:C WrittenOff:C"},
    {"Parts", "ID:T50! ShortDesc:T50 Desc:T200 Price:C Taxable:I"},
    {"System",
     "BusinessName:T50 Address:T151 Contact:T50 ConfirmAll:I ConfirmBackup:I ConfirmExit:I CrdPrefix:T50 "
     "CrdStart:T50 Currency:T50 CustPrefix:T50 CustStart:T50 DateFormat:T50 Debtorstart:T50 DefaultEnd:T50 "
     "DefaultStart:T50 Email:T50 emailVisible:I FaxVisible:I FreeFormCrd:I FreeformCus:I FreeFormInv:I "
     "FreeformPart:I includecompany:I includeshipping:I includestatement:I includeterms:I InvPrefix:T50 "
     "Invstart:T50 Mobile:T50 mobileVisible:I NextCrd:T50 NextCust:T50 NextInv:T50 NextPart:T50 "
     "PartPrefix:T50 PartStart:T50 Phone:T50 phoneVisible:I Reminder1:T255 Reminder2:T255 Reminder3:T255 "
     "Save:I shippingVisible:I ShowShipping:I Statement:T100 TaxAmount:F! TaxEnabled:I TaxName:T50 "
     "TaxNo:T50 Terms:T255 Terms1:T250 Text1Name:T50 Text1Visible:I Text2Name:T50 Text2Visible:I "
     "Text3Name:T50! Text3Visible:I Text4Name:T50! Text4Visible:I Web:T50 webVisible:I Present:I "
     "InvoiceType:T50 logopath:T200"},
};

// Stored name, unique, key column; in creation order.
const char* expectedIndexes[][3] = {
    {"Customers_CustID", "1", "CustID"},   {"Customers_PrimaryKey", "1", "CustID"},
    {"InvoiceD_InvNo", "0", "InvNo"},      {"InvoiceD_PartID", "0", "PartID"},
    {"Invoices_InvNo", "1", "InvNo"},      {"Invoices_PrimaryKey", "1", "InvNo"},
    {"Invoices_CustNo", "0", "CustNo"},    {"Letters_Paid", "0", "Paid"},
    {"Parts_PrimaryKey", "1", "ID"},       {"Parts_ID", "0", "ID"},
};

struct ExpectedColumn {
    QString name;
    QChar kind;
    int size = 0;
    bool notNull = false;
};

std::vector<ExpectedColumn> columnsOf(const ExpectedTable& t) {
    std::vector<ExpectedColumn> out;
    for (const QString& entry : QString(t.columns).split(' ')) {
        const QString name = entry.section(':', 0, 0);
        QString type = entry.section(':', 1);
        ExpectedColumn c{name, type[0]};
        c.notNull = type.endsWith('!');
        if (c.notNull) type.chop(1);
        c.size = type.mid(1).toInt();
        out.push_back(c);
    }
    return out;
}

QString declaredType(QChar kind) {
    switch (kind.toLatin1()) {
    case 'T': return "TEXT";
    case 'I': return "INTEGER";
    case 'C': return "CURRENCY INTEGER";
    case 'F': return "REAL";
    default: return "DATE TEXT";
    }
}

std::vector<std::vector<QVariant>> rows(const QString& sql, const QVariant& bound = QVariant()) {
    Statement s(Database::shared(), sql);
    if (bound.isValid()) s.bind(1, bound);
    std::vector<std::vector<QVariant>> out;
    while (s.step()) {
        std::vector<QVariant> row;
        for (int i = 0; i < s.columnCount(); ++i) row.push_back(s.value(i));
        out.push_back(row);
    }
    return out;
}

void exec(const QString& sql) { Statement(Database::shared(), sql).run(); }

}  // namespace

class TestSchema : public DatabaseTestCase {
    Q_OBJECT
private slots:
    void sixTablesWithoutRows() {
        QStringList names;
        for (const auto& t : expectedTables) names << t.name;
        QCOMPARE(Database::shared().tableNames(), names);
        for (const auto& t : expectedTables)
            QCOMPARE(rows(QString("SELECT count(*) FROM \"%1\"").arg(t.name))[0][0].toInt(), 0);
    }

    void columnsInOrderWithTypesRulesAndDefaults() {
        for (const auto& t : expectedTables) {
            const auto expected = columnsOf(t);
            const auto info = rows("SELECT name, type, \"notnull\", dflt_value FROM pragma_table_info(?)", t.name);
            QCOMPARE(info.size(), expected.size());
            const QString createSql =
                rows("SELECT sql FROM sqlite_master WHERE type = 'table' AND name = ?", t.name)[0][0].toString();
            for (size_t i = 0; i < expected.size(); ++i) {
                const auto& e = expected[i];
                const QString where = QString("%1.%2").arg(t.name, e.name);
                QCOMPARE(info[i][0].toString(), e.name);
                QVERIFY2(info[i][1].toString() == declaredType(e.kind), qPrintable(where));
                QVERIFY2(info[i][2].toBool() == e.notNull, qPrintable(where));
                const bool numeric = e.kind == 'I' || e.kind == 'C' || e.kind == 'F';
                QVERIFY2(info[i][3] == (numeric ? QVariant("0") : QVariant()), qPrintable(where));
                if (e.kind == 'T') {
                    const QRegularExpression nocase(
                        QString("\"%1\" TEXT COLLATE NOCASE").arg(QRegularExpression::escape(e.name)));
                    QVERIFY2(nocase.match(createSql).hasMatch(), qPrintable(where));
                }
            }
        }
    }

    // Each text column takes exactly its length in raw SQL, and "" too.
    void textLengthsHoldInRawSql() {
        for (const auto& t : expectedTables) {
            const auto columns = columnsOf(t);
            QStringList required;
            for (const auto& c : columns)
                if (c.notNull && c.kind == 'T') required << '"' + c.name + '"';
            exec(required.isEmpty()
                     ? QString("INSERT INTO \"%1\" DEFAULT VALUES").arg(t.name)
                     : QString("INSERT INTO \"%1\" (%2) VALUES (%3)")
                           .arg(t.name, required.join(", "), QStringList(required.size(), "''").join(", ")));
            for (const auto& c : columns) {
                if (c.kind != 'T') continue;
                const QString where = QString("%1.%2").arg(t.name, c.name);
                auto setTo = [&](const QString& value) {
                    return errorNumberOf([&] {
                        Statement s(Database::shared(), QString("UPDATE \"%1\" SET \"%2\" = ?").arg(t.name, c.name));
                        s.bind(1, value).run();
                    });
                };
                QVERIFY2(setTo(QString(c.size, QChar(0x00e9))) == 0, qPrintable(where));
                QVERIFY2(setTo(QString(c.size + 1, 'x')) == ErrorNo::FieldTooSmall, qPrintable(where));
                QVERIFY2(setTo("") == 0, qPrintable(where));
            }
        }
    }

    void namedIndexes() {
        const auto all = rows("SELECT name, tbl_name FROM sqlite_master WHERE type = 'index' ORDER BY rowid");
        QCOMPARE(all.size(), std::size(expectedIndexes));
        for (size_t i = 0; i < all.size(); ++i) {
            const QString name = expectedIndexes[i][0];
            QCOMPARE(all[i][0].toString(), name);
            QCOMPARE(all[i][1].toString(), name.section('_', 0, 0));
            const auto list = rows(QString("SELECT \"unique\" FROM pragma_index_list('%1') WHERE name = ?")
                                       .arg(name.section('_', 0, 0)), name);
            QCOMPARE(list.size(), size_t(1));
            QCOMPARE(list[0][0].toString(), QString(expectedIndexes[i][1]));
            const auto key = rows("SELECT name FROM pragma_index_info(?)", name);
            QCOMPARE(key.size(), size_t(1));
            QCOMPARE(key[0][0].toString(), QString(expectedIndexes[i][2]));
        }
    }

    void constraints_data() {
        QTest::addColumn<QStringList>("setup");
        QTest::addColumn<QString>("statement");
        QTest::addColumn<int>("error");
        QTest::addColumn<QString>("check");     // a query after the statement
        QTest::addColumn<QString>("expected");  // its row, fields joined by "|", Null as "<null>"
        const QString noCheck;
        QTest::newRow("customer key ignores case")
            << QStringList{"INSERT INTO Customers (CustID) VALUES ('cus1')"}
            << "INSERT INTO Customers (CustID) VALUES ('CUS1')" << ErrorNo::DuplicateKey
            << "SELECT count(*) FROM Customers" << "1";
        QTest::newRow("customer key Null") << QStringList{} << "INSERT INTO Customers (FirstName) VALUES ('Ann')"
                                           << ErrorNo::NullNotAllowed << "SELECT count(*) FROM Customers" << "0";
        QTest::newRow("customer key empty") << QStringList{} << "INSERT INTO Customers (CustID) VALUES ('')" << 0
                                            << "SELECT CustID, Discount, Date FROM Customers" << "|0|<null>";
        QTest::newRow("item key twice")
            << QStringList{"INSERT INTO Parts (ID) VALUES ('P1')"} << "INSERT INTO Parts (ID) VALUES ('p1')"
            << ErrorNo::DuplicateKey << noCheck << "";
        QTest::newRow("invoice number twice")
            << QStringList{"INSERT INTO Invoices (InvNo) VALUES ('INV1')"}
            << "INSERT INTO Invoices (InvNo, CustNo) VALUES ('inv1', 'C1')" << ErrorNo::DuplicateKey << noCheck << "";
        QTest::newRow("invoice without customer")
            << QStringList{} << "INSERT INTO Invoices (InvNo) VALUES ('INV1')" << 0
            << "SELECT CustNo, Total, TaxPer FROM Invoices" << "<null>|0|0";
        QTest::newRow("identical lines")
            << QStringList{"INSERT INTO InvoiceD (InvNo, PartID, Qty) VALUES ('INV1', 'P1', 2)"}
            << "INSERT INTO InvoiceD (InvNo, PartID, Qty) VALUES ('INV1', 'P1', 2)" << 0
            << "SELECT count(*) FROM InvoiceD WHERE InvNo = 'inv1'" << "2";
        QTest::newRow("line without item")
            << QStringList{"INSERT INTO InvoiceD (InvNo, PartID) VALUES ('INV1', '')"}
            << "INSERT INTO InvoiceD (InvNo) VALUES ('INV1')" << 0 << "SELECT count(*) FROM InvoiceD" << "2";
        QTest::newRow("line number Null") << QStringList{} << "INSERT INTO InvoiceD (PartID) VALUES ('P1')"
                                          << ErrorNo::NullNotAllowed << noCheck << "";
        QTest::newRow("settings without tax rate")
            << QStringList{} << "INSERT INTO System (Text3Name, Text4Name) VALUES ('', '')" << 0
            << "SELECT TaxAmount, Text1Name, Text2Name, TaxEnabled FROM System" << "0|<null>|<null>|0";
        QTest::newRow("settings Text3Name Null") << QStringList{} << "INSERT INTO System (Text4Name) VALUES ('')"
                                                 << ErrorNo::NullNotAllowed << "SELECT count(*) FROM System" << "0";
        QTest::newRow("settings Text4Name Null") << QStringList{} << "INSERT INTO System (Text3Name) VALUES ('')"
                                                 << ErrorNo::NullNotAllowed << noCheck << "";
        QTest::newRow("settings tax rate Null")
            << QStringList{} << "INSERT INTO System (Text3Name, Text4Name, TaxAmount) VALUES ('', '', NULL)"
            << ErrorNo::NullNotAllowed << noCheck << "";
        QTest::newRow("letter partly set")
            << QStringList{} << "INSERT INTO Letters (CustID, InvNo) VALUES ('C1', 'INV1')" << 0
            << "SELECT Balance, Discount, Discount2, Paid, Address, Date, Date2, notes FROM Letters"
            << "0|0|0|0|<null>|<null>|<null>|<null>";
    }
    void constraints() {
        QFETCH(QStringList, setup);
        QFETCH(QString, statement);
        QFETCH(int, error);
        QFETCH(QString, check);
        QFETCH(QString, expected);
        for (const QString& sql : setup) exec(sql);
        QCOMPARE(errorNumberOf([&] { exec(statement); }), error);
        if (check.isEmpty()) return;
        QStringList got;
        const auto result = rows(check);
        for (const QVariant& v : result.at(0)) got << (v.isValid() ? v.toString() : "<null>");
        QCOMPARE(got.join('|'), expected);
    }

    void namesReachTablesAndIndexesInAnyCase() {
        exec("INSERT INTO InvoiceD (InvNo) VALUES ('INV1')");
        Recordset lines("invoiced");
        QCOMPARE(lines.table().name, QString("InvoiceD"));
        QCOMPARE(lines.recordCount(), 1);
        QCOMPARE(lines.field("INVNO").toString(), QString("INV1"));

        exec("INSERT INTO Invoices (InvNo, CustNo) VALUES ('B', 'C1'), ('A', 'C2')");
        Recordset invoices("INVOICES");
        invoices.setIndex("INVNO");
        invoices.moveFirst();
        QCOMPARE(invoices.field("invno").toString(), QString("A"));  // index order, not row order
        QVERIFY(invoices.seek("b"));
        QCOMPARE(invoices.field("CustNo").toString(), QString("C1"));
    }

    // A key equal exactly, letter case counted, found through the column's
    // index, also through the subquery a shaped record set relates by.
    void exactlyEqualUsesTheIndex_data() {
        QTest::addColumn<QString>("from");
        QTest::addColumn<QString>("column");
        QTest::addColumn<QString>("index");
        QTest::newRow("invoice lines") << "\"InvoiceD\"" << "InvNo" << "InvoiceD_InvNo";
        QTest::newRow("lines, shaped") << "(SELECT * FROM invoiced)" << "InvNo" << "InvoiceD_InvNo";
        QTest::newRow("customer's invoices") << "\"Invoices\"" << "CustNo" << "Invoices_CustNo";
    }
    void exactlyEqualUsesTheIndex() {
        QFETCH(QString, from);
        QFETCH(QString, column);
        QFETCH(QString, index);
        const QString table = from.startsWith('(') ? "InvoiceD" : from.mid(1, from.size() - 2);
        int row = 0;
        for (const char* key : {"ab", "AB", "Ab", "AB"}) {
            // An invoice needs a number of its own.
            const QString insert = column == "InvNo" ? "INSERT INTO \"%1\" (\"%2\") VALUES (?1)"
                                                     : "INSERT INTO \"%1\" (\"%2\", \"InvNo\") VALUES (?1, ?2)";
            Statement(Database::shared(), insert.arg(table, column))
                .bindAll(column == "InvNo" ? std::vector<QVariant>{key} : std::vector<QVariant>{key, ++row})
                .run();
        }
        const QString where = Schema::exactlyEqual(column, 1);
        Statement count(Database::shared(), QString("SELECT COUNT(*) FROM %1 WHERE %2").arg(from, where));
        count.bind(1, QString("AB"));
        QVERIFY(count.step());
        QCOMPARE(count.value(0).toInt(), 2);
        Statement plan(Database::shared(), QString("EXPLAIN QUERY PLAN SELECT * FROM %1 WHERE %2").arg(from, where));
        plan.bind(1, QString("AB"));
        QStringList steps;
        while (plan.step()) steps << plan.value(3).toString();
        QVERIFY2(steps.join(' ').contains("INDEX " + index + " ("), qPrintable(steps.join(" / ")));
    }

    void tooLongTextRefusedByRecordset() {
        Recordset customers("Customers");
        customers.addNew();
        QCOMPARE(errorNumberOf([&] { customers.setField("CustID", QString(51, 'x')); }), ErrorNo::FieldTooSmall);
        customers.setField("CustID", QString(50, 'x'));
        customers.setField("notes", QString(200, 'n'));
        customers.update();
        QCOMPARE(rows("SELECT length(CustID), length(notes) FROM Customers")[0][1].toInt(), 200);
    }
};

QTEST_MAIN(TestSchema)
#include "test_schema.moc"
