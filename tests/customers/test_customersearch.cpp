#include "CustomerFixture.h"
#include "common/HandOver.h"
#include "common/Opener.h"
#include "widgets/ListKit.h"
#include "customers/frmsearchCust.h"
#include "shell/WindowRegistry.h"
#include "support/TestSupport.h"
#include <QDialog>
#include <QLineEdit>
#include <QPushButton>
#include <QTreeView>
#include <QtTest>

using fixture::addCustomer;
using fixture::FakeWindow;

class TestCustomerSearch : public QObject {
    Q_OBJECT
private slots:
    void listShowsEveryCustomerInTableOrder() {
        TestProgram program;
        program.createDatabase();
        addCustomer("C2", "Amy", "Zed", "555");
        addCustomer("C1", QVariant(), QVariant(), QVariant());
        frmsearchCust window;
        const ListKit::Model& rows = *window.customers();
        QCOMPARE(rows.rowCount(), 2);
        QCOMPARE(rows.row(0).cells, (QStringList{"C2", "Zed", "Amy", "555"}));
        QCOMPARE(rows.row(1).cells, (QStringList{"C1", "", "", ""}));
        QCOMPARE(window.windowTitle(), QString("Search for a Customer"));
    }

    // The pick hands the customer to a new invoice, the names cut to 30
    // characters, and the window closes whether or not anything was saved.
    void pickHandsOverAndCloses() {
        TestProgram program;
        program.createDatabase();
        FakeWindow editor("frmAddInv");
        const QString longLast = QString("Abcdefghij").repeated(3) + "K";   // 31 characters
        addCustomer("C1", "Ann", "Smith", "111");
        addCustomer("c7", "Bea", longLast, "0123 456 789");
        frmsearchCust window;
        window.show();
        QCOMPARE(ListKit::selectedRow(window.cust_lst), 0);
        ListKit::selectRow(window.cust_lst, 1);
        gHandOver.InvEditMode = 1;
        window.Select_cmd->click();
        QCOMPARE(editor.opened, 1);
        QCOMPARE(editor.seen.InvEditMode, 0);
        QCOMPARE(editor.seen.InvCustID, QString("c7"));
        QCOMPARE(editor.seen.InvCustLastName.text(), longLast.left(30));
        QCOMPARE(editor.seen.InvCustFirstName.text(), QString("Bea").leftJustified(30));
        QCOMPARE(editor.seen.InvCustPhone.trimmed(), QString("0123 456 789"));
        QCOMPARE(window.result(), int(QDialog::Accepted));
        QVERIFY(!window.isVisible());
    }

    // The main frame's No route: find the customer by text, double-click.
    void findThenDoubleClickPicks() {
        TestProgram program;
        program.createDatabase();
        FakeWindow editor("frmAddInv");
        addCustomer("C1", "Ann", "Smith", "111");
        addCustomer("C2", "Bob", "Jones", "222");
        addCustomer("C3", "Cy", "Brown", "333");
        frmsearchCust window;
        window.show();
        QVERIFY(QTest::qWaitForWindowActive(&window));
        QVERIFY(window.search_txt->hasFocus());
        QTest::keyClicks(window.search_txt, "JON");
        QTest::keyClick(window.search_txt, Qt::Key_Return);
        QCOMPARE(ListKit::selectedRow(window.cust_lst), 1);
        // A double-click below the rows picks the row selected now.
        const QPoint empty(5, window.cust_lst->viewport()->height() - 3);
        QTest::mouseDClick(window.cust_lst->viewport(), Qt::LeftButton, {}, empty);
        QCOMPARE(editor.opened, 1);
        QCOMPARE(editor.seen.InvCustID, QString("C2"));
        QCOMPARE(editor.seen.InvCustFirstName.trimmed(), QString("Bob"));
    }

    void emptyTableAndSorting() {
        TestProgram program;
        program.createDatabase();
        FakeWindow editor("frmAddInv");
        {
            frmsearchCust window;
            window.show();
            window.Select_cmd_Click();
            window.findBox()->find();
            QCOMPARE(editor.opened, 0);
            QVERIFY(window.isVisible());
        }
        addCustomer("C1", "A", "Adams", "1");
        addCustomer("C2", "Y", "Young", "2");
        frmsearchCust window;
        window.headerSort()->headerClicked(1);
        QCOMPARE(window.customers()->text(0, 1), QString("Young"));
        QCOMPARE(window.customers()->headerPicture(1), QString());
    }

    void selectNeedsTheInvoiceEditor() {
        TestProgram program;
        program.createDatabase();
        addCustomer("C1", "Ann", "Smith", "111");
        Opener::remove("frmAddInv");
        frmsearchCust window;
        QVERIFY(!window.Select_cmd->isEnabled());
    }

    // The main frame's Add Invoice, No: the search opens by name, the user
    // finds the customer and picks it, the invoice editor opens for it.
    void addInvoiceToACustomerOnFile() {
        TestProgram program;
        program.createDatabase();
        addCustomer("C1", "Ann", "Smith", "111");
        addCustomer("C2", "Bob", "Jones", "222");
        registerWindows();
        QVERIFY(Opener::has("frmAddCust"));
        FakeWindow editor("frmAddInv");
        QTimer::singleShot(0, [] {
            auto* search = qobject_cast<frmsearchCust*>(QApplication::activeModalWidget());
            QVERIFY(search);
            search->search_txt->setText("bob");
            search->findBox()->find();
            search->Select_cmd->click();
        });
        QCOMPARE(Opener::show("frmsearchCust", nullptr), int(QDialog::Accepted));
        QCOMPARE(editor.opened, 1);
        QCOMPARE(editor.seen.InvEditMode, 0);
        QCOMPARE(editor.seen.InvCustID, QString("C2"));
        QCOMPARE(editor.seen.InvCustLastName.trimmed(), QString("Jones"));
    }
};

QTEST_MAIN(TestCustomerSearch)
#include "test_customersearch.moc"
