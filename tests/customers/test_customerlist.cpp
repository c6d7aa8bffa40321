#include "CustomerFixture.h"
#include "customers/CustomerListRow.h"
#include "customers/frmCustomer.h"
#include "shell/WindowRegistry.h"
#include "support/TestSupport.h"
#include "widgets/ListKit.h"
#include <QAction>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTreeView>
#include <QtTest>
#include <string>

using namespace fixture;

namespace {
void addFullCustomer(const QString& id, const QVariant& last, const QVariant& first, const QVariant& phone,
                     const std::vector<QVariant>& address) {
    std::vector<QVariant> values{id, last, first, phone};
    values.insert(values.end(), address.begin(), address.end());
    Statement(Database::shared(), "INSERT INTO Customers (CustID, LastName, FirstName, Phone, Address, Address2, "
                                  "City, address4, Postcode) VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?)")
        .bindAll(values)
        .run();
}

QStringList column(const ListKit::Model& model, int cell) {
    QStringList texts;
    for (int row = 0; row < model.rowCount(); ++row) texts << model.text(row, cell);
    return texts;
}

// C1, C2, C3 in table order.
void threeCustomers() {
    addFullCustomer("C2", "Zed", "Amy", "555", {"1 High St", "", "Leeds", "", "LS1"});
    addFullCustomer("C1", "Adams", "Bob", "111", {"", "", "", "", ""});
    addFullCustomer("C3", "Moss", "Cy", "333", {"", "", "York", "", "YO1"});
}
}  // namespace

class TestCustomerList : public QObject {
    Q_OBJECT
private slots:
    void rowBuilder_data() {
        QTest::addColumn<QStringList>("stored");   // id, last, first, phone, five address parts
        QTest::addColumn<QStringList>("cells");
        QTest::newRow("gaps in the address") << QStringList{"C1", "Lee", "Ann", "01", "1 High St", "", "Leeds", "", "LS1"}
                                             << QStringList{"C1", "Lee, Ann", "01", "1 High St,  Leeds,  LS1"};
        QTest::newRow("fourth line, no postcode") << QStringList{"C2", "A", "B", "", "", "", "", "Shire", ""}
                                                  << QStringList{"C2", "A, B", "", "Shire,  "};
        QTest::newRow("blank part keeps its blanks") << QStringList{"C3", "A", "B", "", "  ", "x", "", "", ""}
                                                     << QStringList{"C3", "A, B", "", "  x,  "};
        QTest::newRow("no names") << QStringList{"C4", "", "", "", "", "", "", "", ""}
                                  << QStringList{"C4", ", ", "", ""};
        QTest::newRow("beyond ASCII") << QStringList{"Ç5", "Müller", "Zoë", "", "Straße 1", "", "", "", "€"}
                                      << QStringList{"Ç5", "Müller, Zoë", "", "Straße 1,  €"};
    }
    void rowBuilder() {
        QFETCH(QStringList, stored);
        QFETCH(QStringList, cells);
        std::vector<std::string> utf8;
        for (const QString& s : stored) utf8.push_back(s.toStdString());
        const CustomerListEntry entry{utf8[0], utf8[1], utf8[2], utf8[3], utf8[4], utf8[5], utf8[6], utf8[7], utf8[8]};
        ListKit::RowBuilder row;
        customerListRow(entry, row);
        QCOMPARE(row.row().cells, cells);
        QCOMPARE(row.row().key, QString());
    }

    void opensWithEveryCustomerFirstRowSelected() {
        TestProgram program;
        program.createDatabase();
        threeCustomers();
        addFullCustomer("C9", QVariant(), QVariant(), QVariant(), {QVariant(), QVariant(), QVariant(), QVariant(), QVariant()});
        frmCustomer window;
        window.show();
        QVERIFY(QTest::qWaitForWindowActive(&window));
        QCOMPARE(window.windowTitle(), QString("Customers"));
        QCOMPARE(column(*window.customers(), 0), (QStringList{"C2", "C1", "C3", "C9"}));
        QCOMPARE(window.customers()->row(0).cells, (QStringList{"C2", "Zed, Amy", "555", "1 High St,  Leeds,  LS1"}));
        QCOMPARE(window.customers()->row(3).cells, (QStringList{"C9", ", ", "", ""}));
        QCOMPARE(ListKit::selectedRow(window.cust_lst), 0);
        QVERIFY(window.cust_lst->hasFocus());
        QCOMPARE(window.toolbarButton(2)->text(), QString("Add"));
        QCOMPARE(window.toolbarButton(8)->text(), QString("Help"));
        QVERIFY(!window.toolbarButton(1));
    }

    // View, Enter and a double-click below the rows open the selected
    // customer; a save rewrites that one row in place, a cancel nothing.
    void editRefreshesOneRow() {
        TestProgram program;
        program.createDatabase();
        threeCustomers();
        bool save = true;
        FakeWindow editor("frmAddCust", [&] {
            if (!save) return;
            Statement(Database::shared(), "UPDATE Customers SET LastName = 'Aaron', Phone = '999' WHERE CustID = ?")
                .bind(1, gHandOver.SelectedCustID)
                .run();
            gHandOver.CustSaved = 1;
        });
        frmCustomer window;
        window.show();
        window.headerSort()->headerClicked(0);   // by id, descending: C3 C2 C1
        ListKit::selectRow(window.cust_lst, 1);
        window.toolbarButton(6)->trigger();
        QCOMPARE(editor.opened, 1);
        QCOMPARE(editor.seen.CustNewMode, 0);
        QCOMPARE(editor.seen.SelectedCustID, QString("C2"));
        QCOMPARE(column(*window.customers(), 0), (QStringList{"C3", "C2", "C1"}));
        QCOMPARE(window.customers()->row(1).cells, (QStringList{"C2", "Aaron, Amy", "999", "1 High St,  Leeds,  LS1"}));
        QCOMPARE(ListKit::selectedRow(window.cust_lst), 1);

        save = false;
        ListKit::selectRow(window.cust_lst, 2);
        QTest::keyClick(window.cust_lst, Qt::Key_Return);
        QCOMPARE(editor.seen.SelectedCustID, QString("C1"));
        QTest::mouseDClick(window.cust_lst->viewport(), Qt::LeftButton, {},
                           QPoint(5, window.cust_lst->viewport()->height() - 3));
        QCOMPARE(editor.opened, 3);
        QCOMPARE(editor.seen.SelectedCustID, QString("C1"));
        QCOMPARE(window.customers()->row(2).cells, (QStringList{"C1", "Adams, Bob", "111", ""}));
    }

    void addWhileSortedPutsTheRowInPlace() {
        TestProgram program;
        program.createDatabase();
        threeCustomers();
        FakeWindow editor("frmAddCust", [] {
            addFullCustomer("C25", "New", "Nell", "7", {"", "", "", "", ""});
            gHandOver.CustSaved = 1;
            gHandOver.SavedCustID = QString("C25");
        });
        frmCustomer window;
        window.show();
        window.headerSort()->headerClicked(0);
        window.toolbarButton(2)->trigger();
        QCOMPARE(editor.seen.CustNewMode, 1);
        QCOMPARE(column(*window.customers(), 0), (QStringList{"C3", "C25", "C2", "C1"}));
        QCOMPARE(ListKit::selectedRow(window.cust_lst), 1);
        QCOMPARE(window.customers()->key(1), QString("CC25"));

        // Closed without a save: nothing changes.
        editor.act = [] { gHandOver.CustSaved = 0; };
        window.toolbarButton(2)->trigger();
        QCOMPARE(window.customers()->rowCount(), 4);
    }

    void deleteRefusedWhileInvoicesReferToIt_data() {
        QTest::addColumn<QStringList>("filedUnder");   // CustNo of each invoice
        QTest::addColumn<QString>("message");          // "" = deleted
        QTest::newRow("none") << QStringList{} << QString();
        QTest::newRow("other case only") << QStringList{"c1", "C1 "} << QString();
        QTest::newRow("one") << QStringList{"C1", "c1"}
            << "Customer C1 cannot be deleted, as it has 1 invoice attached! Please delete this invoice first "
               "before deleting this customer.";
        QTest::newRow("two") << QStringList{"C1", "C1"}
            << "Customer C1 cannot be deleted, as it has 2 invoices attached! Please delete these invoices first "
               "before deleting this customer.";
    }
    void deleteRefusedWhileInvoicesReferToIt() {
        QFETCH(QStringList, filedUnder);
        QFETCH(QString, message);
        TestProgram program;
        program.createDatabase();
        threeCustomers();
        for (int i = 0; i < filedUnder.size(); ++i)
            addInvoice(QString("INV%1").arg(i), filedUnder[i], "1", "0", "1");
        frmCustomer window;
        ListKit::selectRow(window.cust_lst, 1);
        ScriptedBoxes boxes;
        boxes.expect("Delete?", Box::Answer::Yes, "Are you sure you want to delete this customer?");
        if (message.isEmpty()) boxes.expect("Customer Deleted!", Box::Answer::Ok, "Customer C1 has been deleted!");
        else boxes.expect("Cannot Delete!", Box::Answer::Ok, message);
        window.toolbarButton(4)->trigger();
        QVERIFY2(boxes.allAnswered(), qPrintable(boxes.report()));
        if (!message.isEmpty()) QCOMPARE(boxes.seen().back().text, message);
        const bool deleted = message.isEmpty();
        QCOMPARE(count("Customers"), deleted ? 2 : 3);
        QCOMPARE(column(*window.customers(), 0), deleted ? QStringList({"C2", "C3"}) : QStringList({"C2", "C1", "C3"}));
        QCOMPARE(gHandOver.CustDeleted, deleted ? 1 : 0);
        QCOMPARE(ListKit::selectedRow(window.cust_lst), 1);
    }

    // The count is a whole number, however many invoices there are.
    void manyInvoicesAreCountedWhole() {
        TestProgram program;
        program.createDatabase();
        addCustomer("C1");
        Statement(Database::shared(), "WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM n WHERE i < 40000) "
                                      "INSERT INTO Invoices (InvNo, CustNo) SELECT 'I' || i, 'C1' FROM n").run();
        QCOMPARE(invoicesFiledUnder("C1"), qint64(40000));
        QCOMPARE(invoicesFiledUnder("c1"), qint64(0));
    }

    void deleteOnNothingOrAnswerNo() {
        TestProgram program;
        program.createDatabase();
        {
            frmCustomer window;
            ScriptedBoxes boxes;
            boxes.expect("Delete?", Box::Answer::Yes);
            window.toolbarButton(4)->trigger();
            QVERIFY2(boxes.allAnswered(), qPrintable(boxes.report()));
        }
        threeCustomers();
        frmCustomer window;
        ScriptedBoxes boxes;
        boxes.expect("Delete?", Box::Answer::No);
        window.toolbarButton(4)->trigger();
        QVERIFY2(boxes.allAnswered(), qPrintable(boxes.report()));
        QCOMPARE(count("Customers"), 3);
        QCOMPARE(window.customers()->rowCount(), 3);
    }

    // A customer gone from the table meanwhile: said so, nothing changes.
    void deleteOfAVanishedCustomer() {
        TestProgram program;
        program.createDatabase();
        threeCustomers();
        frmCustomer window;
        Statement(Database::shared(), "DELETE FROM Customers WHERE CustID = 'C2'").run();
        ScriptedBoxes boxes;
        boxes.expect("Delete?", Box::Answer::Yes).expect("Cannot Delete!", Box::Answer::Ok, "no longer on file");
        window.toolbarButton(4)->trigger();
        QVERIFY2(boxes.allAnswered(), qPrintable(boxes.report()));
        QCOMPARE(window.customers()->rowCount(), 3);
        QCOMPARE(count("Customers"), 2);
        QCOMPARE(gHandOver.CustDeleted, 0);
    }

    void searchSortAndHelp() {
        TestProgram program;
        program.createDatabase();
        threeCustomers();
        QString page;
        FakeWindow help("Help_frm", [&] { page = gHandOver.HelpPage.trimmed(); });
        frmCustomer window;
        window.show();
        QVERIFY(QTest::qWaitForWindowActive(&window));
        window.search_txt->setText("york");
        window.search_txt->setFocus();
        QCOMPARE(window.search_txt->selectedText(), QString("york"));
        QTest::keyClick(window.search_txt, Qt::Key_Return);
        QCOMPARE(ListKit::selectedRow(window.cust_lst), 2);
        window.search_txt->setText("nobody");
        window.search_cmd->click();
        window.search_cmd->click();
        QCOMPARE(window.Found_lbl->text(), QString("Not Found"));

        window.headerSort()->headerClicked(2);
        QCOMPARE(column(*window.customers(), 2), (QStringList{"555", "333", "111"}));
        QCOMPARE(window.customers()->headerPicture(2), QString("key1"));
        window.headerSort()->headerClicked(0);
        QCOMPARE(column(*window.customers(), 0), (QStringList{"C1", "C2", "C3"}));
        QCOMPARE(window.customers()->headerPicture(0), QString("key2"));
        QCOMPARE(window.customers()->headerPicture(2), QString());

        window.toolbarButton(8)->trigger();
        QCOMPARE(page, QString("customers.htm"));
    }

    void registeredForTheMainFrame() {
        registerWindows();
        QVERIFY(Opener::has("frmCustomer"));
        QVERIFY(Opener::has("frmInvoice"));
    }
};

QTEST_MAIN(TestCustomerList)
#include "test_customerlist.moc"
