// The road a new user takes: Add Invoice from the main frame, a customer,
// an invoice for it, saved; and the same customer found again in the search.
#include "common/HandOver.h"
#include "common/SettingsValues.h"
#include "common/Functions.h"
#include "widgets/ListKit.h"
#include "customers/frmAddCust.h"
#include "customers/frmsearchCust.h"
#include "invoices/frmAddInv.h"
#include "platform/Currency.h"
#include "platform/Database.h"
#include "platform/Recordset.h"
#include "shell/WindowRegistry.h"
#include "shell/frmMain.h"
#include "support/TestSupport.h"
#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTimer>
#include <QtTest>
#include <functional>

namespace {
// Runs the action on the window of that kind as soon as it is the active modal one.
template <typename Window>
void whenShown(std::function<void(Window*)> action) {
    auto* poll = new QTimer;
    poll->setInterval(5);
    QObject::connect(poll, &QTimer::timeout, [poll, action] {
        auto* window = qobject_cast<Window*>(QApplication::activeModalWidget());
        if (!window || !window->isVisible()) return;
        poll->stop();
        poll->deleteLater();
        action(window);
    });
    poll->start();
}

void type(QLineEdit* box, const QString& text) {
    box->setFocus();
    box->selectAll();
    QTest::keyClicks(box, text);
}

void writeSettingsRow() {
    Recordset rs("system");
    rs.addNew();
    const std::pair<const char*, QVariant> values[] = {
        {"BusinessName", "Kelm Garden Supplies"}, {"InvPrefix", "INV"}, {"Invstart", "100001"},
        {"CustPrefix", "CUS"}, {"CustStart", "100001"}, {"PartPrefix", "ITE"}, {"PartStart", "100001"},
        {"Currency", "$"}, {"TaxName", "VAT"}, {"TaxAmount", 17.5}, {"TaxEnabled", 1}, {"ConfirmAll", 1},
        {"phoneVisible", 1}, {"emailVisible", 1}, {"mobileVisible", 1}, {"FaxVisible", 1},
        {"shippingVisible", 1}, {"Text1Name", "Sales Person"}, {"Text2Name", "Shipping No"},
        {"Text3Name", "Sales No"}, {"Text4Name", "Tracking No"}, {"InvoiceType", "1"}};
    for (const auto& [column, value] : values) rs.setField(column, value);
    rs.update();
    QVERIFY(loadSettingsValues());
    DatabaseReady = 1;
}

QVariant invoiceField(const QString& number, const char* column) {
    Recordset rs("invoices");
    rs.setIndex("InvNo");
    return rs.seek(number) ? rs.field(column) : QVariant();
}

int linesOf(const QString& number) {
    Statement s(Database::shared(), "SELECT count(*) FROM InvoiceD WHERE InvNo = ?");
    s.bind(1, number);
    s.step();
    return s.value(0).toInt();
}
}  // namespace

class TestInvoiceRoad : public QObject {
    Q_OBJECT
private slots:
    void newCustomerThenInvoiceThenSearch() {
        TestProgram program;
        program.createDatabase();
        writeSettingsRow();
        registerWindows();
        frmMain frame;
        frame.show();

        int historyRows = -1;
        QString historyBalance;
        whenShown<frmAddCust>([&](frmAddCust* customer) {
            QCOMPARE(customer->custid_lbl->text(), QString("CUS100001"));
            type(customer->FirstName_txt, "Ann");
            type(customer->Lastname_txt, "Smith");
            type(customer->Phone_txt, "01903 555");
            whenShown<frmAddInv>([&](frmAddInv* invoice) {
                QCOMPARE(invoice->Inv_lbl->text(), QString("INV100001"));
                QCOMPARE(invoice->Cust_lbl->text(), QString("CUS100001"));
                type(invoice->Qty_txt[0], "2");
                type(invoice->Desc_txt[0], "Terracotta pot");
                type(invoice->Amount_txt[0], "12.50");
                type(invoice->Desc_txt[1], "Delivery");
                type(invoice->Amount_txt[1], "5");
                invoice->tax[1]->click();   // delivery carries no tax
                type(invoice->Desc_txt[2], "Seed tray");
                type(invoice->Amount_txt[2], "1.20");
                invoice->tax[2]->click();
                type(invoice->Discount2_txt, "10");
                type(invoice->Paid_txt, "10");
                QTest::mouseClick(invoice->Update_cmd, Qt::LeftButton);
            });
            QTest::mouseClick(customer->Save_cmd, Qt::LeftButton);
            historyRows = customer->invoices()->rowCount();
            if (historyRows > 0) historyBalance = customer->invoices()->text(0, 4);
            customer->exit_cmd->click();
        });
        ScriptedBoxes boxes;
        boxes.expect("Add to New Customer", Box::Answer::Yes)
            .expect("Saved", Box::Answer::Ok)
            .expect("Add Invoice", Box::Answer::Yes);
        frame.toolbarButton(5)->trigger();
        QVERIFY2(boxes.allAnswered(), qPrintable(boxes.report()));

        // 2 x 12.50 + 5 + 1.20
        QCOMPARE(invoiceField("INV100001", "Subtotal").value<Currency>(), Currency::fromText("31.20"));
        QCOMPARE(invoiceField("INV100001", "CustNo").toString(), QString("CUS100001"));
        QCOMPARE(invoiceField("INV100001", "Paid").value<Currency>(), Currency::fromText("10"));
        const Currency total = invoiceField("INV100001", "Total").value<Currency>();
        const Currency balance = invoiceField("INV100001", "Balance").value<Currency>();
        QCOMPARE(balance, total - Currency::fromText("10"));
        QCOMPARE(linesOf("INV100001"), 3);
        QCOMPARE(gSettings.Invstart, QString("100002"));
        QCOMPARE(gSettings.CustStart, QString("100002"));
        QCOMPARE(historyRows, 1);
        QCOMPARE(historyBalance, Format_Number_Right(QVariant::fromValue(balance), 7, 2));

        // No: the search finds the customer, and picking it opens a new invoice for it.
        QString proposed, forCustomer;
        whenShown<frmsearchCust>([&](frmsearchCust* search) {
            type(search->search_txt, "smith");
            QTest::keyClick(search->search_txt, Qt::Key_Return);
            whenShown<frmAddInv>([&](frmAddInv* invoice) {
                proposed = invoice->Inv_lbl->text();
                forCustomer = invoice->Customername_lbl->text();
                invoice->reject();
            });
            search->Select_cmd->click();
        });
        ScriptedBoxes again;
        again.expect("Add to New Customer", Box::Answer::No);
        frame.toolbarButton(5)->trigger();
        QVERIFY2(again.allAnswered(), qPrintable(again.report()));
        QCOMPARE(proposed, QString("INV100002"));
        QCOMPARE(forCustomer, QString("Ann Smith"));
    }
};

QTEST_MAIN(TestInvoiceRoad)
#include "test_invoice_road.moc"
