#include "common/Functions.h"
#include "platform/AppError.h"
#include "platform/Currency.h"
#include "platform/Database.h"
#include "platform/Recordset.h"
#include "platform/ShapeRecordset.h"
#include "support/TestSupport.h"
#include <QtTest>

namespace {
void addInvoice(const QString& invNo, const QDateTime& date) {
    Recordset rs("invoices");
    rs.addNew();
    rs.setField("InvNo", invNo);
    rs.setField("Date", date);
    rs.setField("Total", "10.5");
    rs.update();
}

void addLine(const QString& invNo, const QString& description) {
    Recordset rs("invoiced");
    rs.addNew();
    rs.setField("InvNo", invNo);
    rs.setField("Description", description);
    rs.update();
}

QDateTime day(int y, int m, int d, QTime t = QTime(0, 0)) { return QDateTime(QDate(y, m, d), t); }

// The column's values from the first row to the last.
QStringList column(ShapeRecordset& rs, const QString& name) {
    QStringList out;
    for (rs.moveFirst(); !rs.eof(); rs.moveNext()) out << rs.field(name).toString();
    return out;
}
}  // namespace

class TestShape : public DatabaseTestCase {
    Q_OBJECT
private slots:
    void closedConnectionLeavesTheSetAlone() {
        auto before = std::make_shared<ShapeRecordset>();
        auto rs = before;
        Connections::closeShape();
        QVERIFY(!Open_Shape_Recordset("SHAPE {SELECT * FROM parts} as details", rs));
        QCOMPARE(rs, before);
        QVERIFY(Database::shared().isOpen());   // the Jet connection still holds the file
        Connections::closeJet();
        QVERIFY(!Database::shared().isOpen());
    }

    void flatRowsStream() {
        addInvoice("INV1", day(2024, 3, 1));
        addInvoice("INV2", day(2024, 3, 2));
        QVERIFY(Open_Shape_Recordset("SHAPE {SELECT * FROM invoices where balance > 0 or Total > 0} as details",
                                     ShapeRs));
        QCOMPARE(ShapeRs->name(), QString("details"));
        QCOMPARE(ShapeRs->recordCount(), 2);
        QCOMPARE(ShapeRs->fieldNames().size(), 23);
        QCOMPARE(ShapeRs->field("INVNO").toString(), QString("INV1"));
        QCOMPARE(ShapeRs->field("total"), QVariant::fromValue(Currency::fromText("10.5")));
        QCOMPARE(ShapeRs->field("Date"), QVariant(day(2024, 3, 1)));
        QVERIFY(!ShapeRs->field("CustNo").isValid());
        ShapeRs->moveNext();
        QCOMPARE(ShapeRs->field("InvNo").toString(), QString("INV2"));
        ShapeRs->moveNext();
        QVERIFY(ShapeRs->eof() && !ShapeRs->bof());
        QCOMPARE(errorNumberOf([] { ShapeRs->field("InvNo"); }), ErrorNo::NoCurrentRecord);
        QCOMPARE(errorNumberOf([] { ShapeRs->moveNext(); }), ErrorNo::NoCurrentRecord);
        QCOMPARE(errorNumberOf([] { ShapeRs->field("nosuch"); }), ErrorNo::ItemNotFound);
        // Read as they are when read: moving to the first row reads the query again.
        addInvoice("INV3", day(2024, 3, 3));
        QCOMPARE(column(*ShapeRs, "InvNo"), QStringList({"INV1", "INV2", "INV3"}));

        QVERIFY(Open_Shape_Recordset("SHAPE {SELECT * FROM parts}", ShapeRs));
        QVERIFY(ShapeRs->bof() && ShapeRs->eof());
    }

    // A set outliving its connection refuses to read on, and does no harm.
    void closedConnectionStopsTheRead() {
        addInvoice("INV1", day(2024, 3, 1));
        addInvoice("INV2", day(2024, 3, 2));
        QVERIFY(Open_Shape_Recordset("SHAPE {SELECT * FROM invoices} as details", ShapeRs));
        program->closeDatabase();
        QCOMPARE(errorNumberOf([] { ShapeRs->moveNext(); }), ErrorNo::InvalidUse);
        program->openDatabase();
        QVERIFY(Open_Shape_Recordset("SHAPE {SELECT * FROM invoices} as details", ShapeRs));
        QCOMPARE(ShapeRs->recordCount(), 2);
    }

    void dateLiteralsBecomeBoundDates() {
        addInvoice("DEC", day(2023, 12, 31));
        addInvoice("FIRST", day(2024, 1, 1));
        addInvoice("MID", day(2024, 1, 15, QTime(9, 30)));
        addInvoice("LAST", day(2024, 1, 31));
        addInvoice("LAST LATE", day(2024, 1, 31, QTime(10, 0)));   // after midnight of the end date
        addInvoice("FEB", day(2024, 2, 1));
        QVERIFY(Open_Shape_Recordset(
            "SHAPE {SELECT * FROM invoices where Date BETWEEN #01/01/2024# and #01/31/2024#} as details", ShapeRs));
        QCOMPARE(column(*ShapeRs, "InvNo"), QStringList({"FIRST", "MID", "LAST"}));

        std::vector<QVariant> values;
        QCOMPARE(bindDateLiterals("a > #2/3/2024# and b < # 12/01/1999 #", values), QString("a > ? and b < ?"));
        QCOMPARE(values, (std::vector<QVariant>{QDate(2024, 2, 3), QDate(1999, 12, 1)}));
    }

    // An invoice number typed by the user is bound, so a quote in it is just a character.
    void userTextIsBound() {
        addInvoice("O'BRIEN-1", day(2024, 1, 5));
        addInvoice("X", day(2024, 1, 6));
        QVERIFY(Open_Shape_Recordset("SHAPE {SELECT * FROM invoices where invno = ?} ", {QVariant("o'brien-1")},
                                     ShapeRs));
        QCOMPARE(column(*ShapeRs, "InvNo"), QStringList({"O'BRIEN-1"}));
        QVERIFY(Open_Shape_Recordset(
            "SHAPE {SELECT * FROM invoices where Date > #01/05/2024# or InvNo = ?} as main APPEND "
            "({SELECT * FROM invoiceD where Description <> ?} as Details RELATE 'invno' TO 'invno')",
            {QVariant("O'BRIEN-1"), QVariant("#no date?")}, ShapeRs));
        QCOMPARE(column(*ShapeRs, "InvNo"), QStringList({"O'BRIEN-1", "X"}));
        addLine("O'BRIEN-1", "#no date?");
        addLine("O'BRIEN-1", "kept");
        ShapeRs->moveFirst();   // the child query's own value first, then the parent's key
        QCOMPARE(column(*ShapeRs->child("Details"), "Description"), QStringList({"kept"}));
        QVERIFY(!Open_Shape_Recordset("SHAPE {SELECT * FROM invoices where invno = ?}", {}, ShapeRs));
        QVERIFY(!Open_Shape_Recordset("SHAPE {SELECT * FROM invoices}", {QVariant("spare")}, ShapeRs));

        std::vector<QVariant> values;
        QCOMPARE(bindDateLiterals("notes = 'due #01/02/2024#?' and d = #01/02/2024#", values),
                 QString("notes = 'due #01/02/2024#?' and d = ?"));
        QCOMPARE(values.size(), size_t(1));
    }

    void failingQueryGivesFalse_data() {
        QTest::addColumn<QString>("text");
        QTest::newRow("no such table") << "SHAPE {SELECT * FROM nosuch} as details";
        QTest::newRow("not a shape command") << "SELECT * FROM parts";
        QTest::newRow("unbalanced") << "SHAPE {SELECT * FROM parts as details";
        QTest::newRow("impossible date") << "SHAPE {SELECT * FROM invoices where Date > #13/01/2024#}";
        QTest::newRow("relate column missing")
            << "SHAPE {SELECT * FROM invoices} as main APPEND ({SELECT * FROM invoiceD} as Details "
               "RELATE 'nosuch' TO 'invno')";
        QTest::newRow("child relate column missing")
            << "SHAPE {SELECT * FROM invoices} as main APPEND ({SELECT * FROM invoiceD} as Details "
               "RELATE 'invno' TO 'nosuch')";
    }
    void failingQueryGivesFalse() {
        QFETCH(QString, text);
        addInvoice("INV1", day(2024, 1, 1));
        QVERIFY(Open_Shape_Recordset("SHAPE {SELECT * FROM invoices}", ShapeRs));
        const auto before = ShapeRs;
        QVERIFY(!Open_Shape_Recordset(text, ShapeRs));
        QVERIFY(ShapeRs && ShapeRs != before);   // a new, empty set, not the old rows
        QCOMPARE(ShapeRs->recordCount(), 0);
    }

    // Each parent row gets exactly its own child rows, in table order, and
    // the child set follows the parent as it moves.
    void appendGivesEachParentItsChildren() {
        addInvoice("INV1", day(2024, 5, 1));
        addInvoice("INV2", day(2024, 5, 2));
        addInvoice("OLD", day(2020, 5, 2));
        addInvoice("INV3", day(2024, 5, 3));
        addLine("inv1", "of no invoice either");   // keys relate with letter case counted
        addLine("INV1", "b first");
        addLine("INV2", "of two");
        addLine("INV1", "a second");
        addLine("OLD", "not in range");
        addLine("Inv1", "nor this");
        addLine("INV10", "of no invoice shown");
        const QString text = "SHAPE {SELECT * FROM invoices where Date BETWEEN #01/01/2024# and #12/31/2024#} as main "
                             "APPEND ({SELECT * FROM invoiceD} as Details RELATE 'invno' TO 'invno')  ";
        QVERIFY(Open_Shape_Recordset(text, ShapeRs));
        QCOMPARE(ShapeRs->name(), QString("main"));
        QCOMPARE(ShapeRs->childNames(), QStringList({"Details"}));

        QMap<QString, QStringList> children;
        for (ShapeRs->moveFirst(); !ShapeRs->eof(); ShapeRs->moveNext()) {
            const auto lines = ShapeRs->child("details");
            QCOMPARE(lines->name(), QString("Details"));
            QVERIFY(lines->hasField("Description"));
            children[ShapeRs->field("InvNo").toString()] = column(*lines, "Description");
            QCOMPARE(lines->recordCount(), int(children[ShapeRs->field("InvNo").toString()].size()));
        }
        QCOMPARE(children.keys(), QStringList({"INV1", "INV2", "INV3"}));
        QCOMPARE(children["INV1"], QStringList({"b first", "a second"}));
        QCOMPARE(children["INV2"], QStringList({"of two"}));
        QVERIFY(children["INV3"].isEmpty());

        ShapeRs->moveFirst();
        const auto lines = ShapeRs->child("Details");
        ShapeRs->moveNext();
        QCOMPARE(ShapeRs->child("Details"), lines);   // one child set, read anew for the row
        QCOMPARE(lines->field("Description").toString(), QString("of two"));
        ShapeRs->moveNext();
        ShapeRs->child("Details");
        QVERIFY(lines->eof() && lines->bof());
        ShapeRs->moveNext();
        QCOMPARE(errorNumberOf([] { ShapeRs->child("Details"); }), ErrorNo::NoCurrentRecord);
    }
};

QTEST_MAIN(TestShape)
#include "test_shape.moc"
