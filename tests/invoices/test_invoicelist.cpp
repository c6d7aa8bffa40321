#include "common/Functions.h"
#include "common/HandOver.h"
#include "invoices/InvoiceListRow.h"
#include "invoices/frmInvoice.h"
#include "platform/Database.h"
#include "platform/ShortDate.h"
#include "support/FakeWindow.h"
#include "support/TestSupport.h"
#include "widgets/ListKit.h"
#include <QAction>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTreeView>
#include <QtTest>
#include <algorithm>
#include <string>

namespace {
void addInvoice(const QString& number, const QVariant& date, const QString& custNo, const QString& name,
                const char* total, const char* balance, const QString& notes = QString(), int lines = 0) {
    Statement(Database::shared(), "INSERT INTO Invoices (InvNo, \"Date\", CustNo, CustomerName, Total, Balance, Notes) "
                                  "VALUES (?, ?, ?, ?, ?, ?, ?)")
        .bindAll({number, date, custNo, name, QVariant::fromValue(Currency::fromText(total)),
                  QVariant::fromValue(Currency::fromText(balance)), notes})
        .run();
    for (int i = 0; i < lines; ++i)
        Statement(Database::shared(), "INSERT INTO InvoiceD (InvNo, Description) VALUES (?, ?)")
            .bindAll({number, QString("line %1").arg(i)})
            .run();
}

void addCustomer(const QString& id, const QString& first, const QString& last) {
    Statement(Database::shared(), "INSERT INTO Customers (CustID, FirstName, LastName) VALUES (?, ?, ?)")
        .bindAll({id, first, last})
        .run();
}

int rows(const QString& sql) {
    Statement s(Database::shared(), sql);
    return s.step() ? s.value(0).toInt() : -1;
}

QStringList column(const ListKit::Model& model, int cell) {
    QStringList texts;
    for (int row = 0; row < model.rowCount(); ++row) texts << model.text(row, cell);
    return texts;
}

// INV1 (three lines), INV10 (two lines) and INV2, over two years.
void threeInvoices() {
    addCustomer("C1", "Ann", "Lee");
    addInvoice("INV1", QDate(2025, 12, 31), "C1", "Ann Lee", "100", "40", "first", 3);
    addInvoice("INV10", QDate(2024, 1, 15), "C2", "Bob Ray", "-5.5", "0", QString(), 2);
    addInvoice("INV2", QDate(2026, 1, 2), "C1", "Ann Lee", "1234567.891", "7.25");
}

void answerEditorWith(const std::function<void()>& act) {
    Opener::remove("frmAddInv");
    addFakeWindow("frmAddInv", act);
}
}  // namespace

class TestInvoiceList : public DatabaseTestCase {
    Q_OBJECT
private slots:
    void amountTextsAreTheStandardOnes_data() {
        QTest::addColumn<QString>("amount");
        for (const char* a : {"0", "12.5", "-20.5", "0.005", "-0.005", "-0.004", "9999999.99", "99999999.995",
                              "-1234567.891", "922337203685477.58", "-922337203685477.58", "922337203685476.995", "0.0049"})
            QTest::newRow(a) << QString(a);
    }
    void amountTextsAreTheStandardOnes() {
        QFETCH(QString, amount);
        const Currency value = Currency::fromText(amount);
        for (const auto& [digits, decimals] : {std::pair{7, 2}, {10, 2}, {1, 0}, {3, 4}}) {
            // Where the standard text cannot be made (rounding past the largest amount), neither can ours.
            QString standard, ours;
            const int standardError =
                errorNumberOf([&] { standard = Format_Number_Right(QVariant::fromValue(value), digits, decimals); });
            const int ourError = errorNumberOf([&] {
                char16_t out[32];
                ours = QString(reinterpret_cast<const QChar*>(out), formatNumberRightInto(value, digits, decimals, out));
            });
            QCOMPARE(ourError, standardError);
            QCOMPARE(ours, standard);
        }
    }

    void storedDates_data() {
        QTest::addColumn<QString>("stored");
        QTest::addColumn<QDate>("date");
        QTest::newRow("date") << "2025-03-07" << QDate(2025, 3, 7);
        QTest::newRow("date and time") << "2025-03-07 10:11:12" << QDate(2025, 3, 7);
        QTest::newRow("no such day") << "2025-02-30" << QDate();
        QTest::newRow("no such hour") << "2025-03-07 25:00:00" << QDate();
        QTest::newRow("other form") << "07/03/2025" << QDate();
        QTest::newRow("empty") << "" << QDate();
    }
    void storedDates() {
        QFETCH(QString, stored);
        QFETCH(QDate, date);
        QCOMPARE(storedIsoDate(stored.toStdString()), date);
        if (date.isValid()) {
            char16_t out[16];
            QCOMPARE(QString(reinterpret_cast<const QChar*>(out), shortDateInto(date, out)), shortDate(date));
        }
    }

    void rowBuilder() {
        const std::string number = "INV1", cust = "C1", name = "Zoë Müller", notes = "paid in part";
        InvoiceListEntry entry{number, QDate(2025, 3, 7), cust, name, Currency::fromText("12.5"),
                               Currency::fromText("-0.5"), notes};
        ListKit::RowBuilder row;
        invoiceListRow(entry, row);
        QCOMPARE(row.row().cells, (QStringList{"INV1", "07/03/2025", "C1", "Zoë Müller", "     12.50", "     -0.50",
                                              "paid in part"}));
        QCOMPARE(row.sortKeys(), (std::vector{ListKit::SortKey::date(QDate(2025, 3, 7)),
                                              ListKit::SortKey::amount(Currency::fromText("12.5")),
                                              ListKit::SortKey::amount(Currency::fromText("-0.5"))}));
        entry.date = QDate();
        entry.notes = {};
        invoiceListRow(entry, row, InvoiceCustomerCells{"C9", "Lee Ann"});
        QCOMPARE(row.row().cells, (QStringList{"INV1", "", "C9", "Lee Ann", "     12.50", "     -0.50", ""}));
        QCOMPARE(row.sortKeys(), (std::vector{ListKit::SortKey(), ListKit::SortKey::amount(Currency::fromText("12.5")),
                                              ListKit::SortKey::amount(Currency::fromText("-0.5"))}));
    }

    // Rows added or refreshed after a save take the customer cells from the
    // customer on file: added rows only for the number exactly, refreshed
    // ones for it trimmed.
    void customerCellsFromTheCustomerOnFile() {
        addCustomer("C1", "Ann", "Lee");
        const auto cells = [](const QString& custNo, bool trimmed) {
            const auto found = currentCustomerCells(custNo, trimmed);
            return found ? found->custId + "|" + found->name : QString("none");
        };
        QCOMPARE(cells("C1", false), QString("C1|Lee Ann"));
        QCOMPARE(cells("c1", false), QString("none"));
        QCOMPARE(cells("C1 ", false), QString("none"));
        QCOMPARE(cells(" C1 ", true), QString("C1|Lee Ann"));
        QCOMPARE(cells("C9", true), QString("none"));
    }

    void afterAddRoute_data() {
        QTest::addColumn<int>("invSaved");
        QTest::addColumn<QString>("saved");
        QTest::addColumn<int>("rowsAdded");
        QTest::addColumn<QStringList>("added");
        QTest::addColumn<int>("expected");
        const int unchanged = int(AfterAddRoute::Unchanged), addRow = int(AfterAddRoute::AddRow),
                  reload = int(AfterAddRoute::Reload);
        QTest::newRow("nothing saved") << 0 << "" << 0 << QStringList{} << unchanged;
        QTest::newRow("one saved, number back") << 1 << "INV7   " << 1 << QStringList{"INV7"} << addRow;
        QTest::newRow("number taken on the route") << 1 << "" << 1 << QStringList{"INV7"} << reload;
        QTest::newRow("two saved") << 1 << "INV8" << 2 << QStringList{"INV7", "INV8"} << reload;
        QTest::newRow("number cut") << 1 << QString(30, 'X') << 1 << QStringList{QString(31, 'X')} << reload;
        QTest::newRow("saved flag cleared later") << 0 << "" << 1 << QStringList{"INV7"} << reload;
        QTest::newRow("flag left from before") << 1 << "INV3" << 0 << QStringList{} << reload;
        QTest::newRow("one deleted on the route") << 0 << "" << -1 << QStringList{} << reload;
    }
    void afterAddRoute() {
        QFETCH(int, invSaved);
        QFETCH(QString, saved);
        QFETCH(int, rowsAdded);
        QFETCH(QStringList, added);
        QFETCH(int, expected);
        const InvoiceTableMark before{10, 10};
        const InvoiceTableMark after{10 + rowsAdded, 10 + qint64(added.size())};
        QCOMPARE(int(::afterAddRoute(invSaved, saved, before, after, added)), expected);
    }

    void emptyTable() {
        frmInvoice window;
        window.show();
        QCOMPARE(window.windowTitle(), QString("Invoice"));
        QCOMPARE(window.invoices()->rowCount(), 0);
        QCOMPARE(ListKit::selectedRow(window.Inv_lst), -1);
        int opened = 0;
        answerEditorWith([&] { ++opened; });
        window.toolbarButton(6)->trigger();
        window.Inv_lst_DblClick();
        QCOMPARE(opened, 0);
        ScriptedBoxes boxes;
        boxes.expect("Please try again", Box::Answer::Ok, "No row selected. Please try again.");
        window.toolbarButton(4)->trigger();
        QVERIFY2(boxes.allAnswered(), qPrintable(boxes.report()));
    }

    void opensWithEveryInvoice() {
        threeInvoices();
        Statement(Database::shared(), "INSERT INTO Invoices (InvNo) VALUES ('INV0')").run();
        frmInvoice window;
        window.show();
        QVERIFY(QTest::qWaitForWindowActive(&window));
        QCOMPARE(column(*window.invoices(), 0), (QStringList{"INV1", "INV10", "INV2", "INV0"}));
        QCOMPARE(window.invoices()->row(0).cells,
                 (QStringList{"INV1", "31/12/2025", "C1", "Ann Lee", "    100.00", "     40.00", "first"}));
        QCOMPARE(window.invoices()->text(1, 4), QString("     -5.50"));
        QCOMPARE(window.invoices()->text(2, 4), QString("1234567.89"));
        QCOMPARE(window.invoices()->row(3).cells, (QStringList{"INV0", "", "", "", "      0.00", "      0.00", ""}));
        QCOMPARE(ListKit::selectedRow(window.Inv_lst), 0);
        QVERIFY(window.Inv_lst->hasFocus());
        QCOMPARE(gHandOver.InvSaved, 0);
        // As designed: the window's client area, the list, a picture search button.
        QVERIFY2(offDesign(&window, 12180, 7050).isEmpty(), qPrintable(offDesign(&window, 12180, 7050)));
        QVERIFY2(offDesign(window.Inv_lst, 12015, 5415).isEmpty(), qPrintable(offDesign(window.Inv_lst, 12015, 5415)));
        QVERIFY(window.search_cmd->text().isEmpty() && !window.search_cmd->icon().isNull());
        QCOMPARE(window.search_cmd->toolTip(), QString("Find"));
    }

    // The date header sorts by the date, across years, not by its text.
    void dateSortsByTheHiddenKey() {
        threeInvoices();
        addInvoice("INV3", QDate(2025, 1, 31), "C1", "Ann Lee", "1", "1");
        frmInvoice window;
        window.headerSort()->headerClicked(1);
        QCOMPARE(column(*window.invoices(), 0), (QStringList{"INV2", "INV1", "INV3", "INV10"}));
        QCOMPARE(window.invoices()->headerPicture(1), QString("key1"));
        window.headerSort()->headerClicked(1);
        QCOMPARE(column(*window.invoices(), 0), (QStringList{"INV10", "INV3", "INV1", "INV2"}));
        QCOMPARE(window.invoices()->headerPicture(1), QString("key2"));
        // Found over the number and the four cells after it, with the hidden key beside them.
        window.search_txt->setText("31/12");
        window.findBox()->find();
        QCOMPARE(window.invoices()->text(ListKit::selectedRow(window.Inv_lst), 0), QString("INV1"));
        window.search_txt->setText("1234567.89");
        window.findBox()->find();
        QCOMPARE(window.invoices()->text(ListKit::selectedRow(window.Inv_lst), 0), QString("INV2"));
        window.search_txt->setText("first");   // notes are not searched
        window.findBox()->find();
        window.findBox()->find();
        QCOMPARE(window.Found_lbl->text(), QString("Not Found"));
    }

    // Amount and Balance sort as amounts: a negative one before zero and
    // the small ones, both ways, as the item list's Price does.
    void amountsSortAsAmounts_data() {
        QTest::addColumn<int>("header");
        QTest::newRow("Amount") << InvoiceList::AmountColumn;
        QTest::newRow("Balance") << InvoiceList::BalanceColumn;
    }
    void amountsSortAsAmounts() {
        QFETCH(int, header);
        for (const char* amount : {"5", "-3", "20", "100", "9999999.99", "-0.01", "0"})
            addInvoice(QString("I%1").arg(amount), QDate(2025, 1, 1), "C1", "Ann Lee", amount, amount);
        frmInvoice window;
        const QStringList ascending = {"I-3", "I-0.01", "I0", "I5", "I20", "I100", "I9999999.99"};
        QStringList descending = ascending;
        std::reverse(descending.begin(), descending.end());
        window.headerSort()->headerClicked(header);
        QCOMPARE(column(*window.invoices(), 0), descending);
        window.headerSort()->headerClicked(header);
        QCOMPARE(column(*window.invoices(), 0), ascending);
        QCOMPARE(window.invoices()->headerPicture(header), QString("key2"));
    }

    // A save rewrites the selected row at once, the name from the customer
    // record; a later sort places it by its new date. A cancel changes nothing.
    void editRefreshesTheRow() {
        threeInvoices();
        QString handed;
        answerEditorWith([&] {
            handed = gHandOver.InvEditMode == 1 ? gHandOver.InvToEdit : QString();
            Statement(Database::shared(), "UPDATE Invoices SET \"Date\" = '2020-05-06', Total = 90000, "
                                          "Balance = 10000, Notes = '' WHERE InvNo = 'INV1'").run();
            gHandOver.InvSaved = 1;
        });
        frmInvoice window;
        window.show();
        window.toolbarButton(6)->trigger();
        QCOMPARE(handed, QString("INV1"));
        QCOMPARE(window.invoices()->row(0).cells,
                 (QStringList{"INV1", "06/05/2020", "C1", "Lee Ann", "      9.00", "      1.00", ""}));
        QCOMPARE(gHandOver.InvSaved, 0);
        window.headerSort()->headerClicked(1);
        window.headerSort()->headerClicked(1);
        QCOMPARE(column(*window.invoices(), 0), (QStringList{"INV1", "INV10", "INV2"}));

        answerEditorWith([] { gHandOver.InvSaved = 0; });
        Statement(Database::shared(), "UPDATE Invoices SET Notes = 'changed' WHERE InvNo = 'INV1'").run();
        window.Inv_lst_DblClick();
        QCOMPARE(window.invoices()->text(0, 6), QString());
        QCOMPARE(window.invoices()->rowCount(), 3);
    }

    void addThroughTheCustomerSearch() {
        threeInvoices();
        addFakeWindow("frmAddCust");
        addFakeWindow("frmsearchCust", [] {
            addInvoice("INV7", QDate(2025, 6, 1), "C1", "stored name", "12", "12");
            gHandOver.InvSaved = 1;
            gHandOver.SavedInvNo = QString("INV7");
        });
        frmInvoice window;
        window.show();
        window.headerSort()->headerClicked(0);   // by number, descending
        ScriptedBoxes boxes;
        boxes.expect("Add to New Customer", Box::Answer::No, "Do you want to add this invoice to a new customer");
        window.toolbarButton(2)->trigger();
        QVERIFY2(boxes.allAnswered(), qPrintable(boxes.report()));
        QCOMPARE(column(*window.invoices(), 0), (QStringList{"INV7", "INV2", "INV10", "INV1"}));
        QCOMPARE(window.invoices()->row(0).cells,
                 (QStringList{"INV7", "01/06/2025", "C1", "Lee Ann", "     12.00", "     12.00", ""}));
        QCOMPARE(window.invoices()->key(0), QString("IINV7"));
        QCOMPARE(ListKit::selectedRow(window.Inv_lst), 0);
        QCOMPARE(gHandOver.SavedInvNo.trimmed(), QString());
        QCOMPARE(gHandOver.InvSaved, 0);
        Opener::remove("frmAddCust");
        Opener::remove("frmsearchCust");
    }

    // Routes whose saves cannot be added as one row read the list again:
    // every saved invoice is listed, once.
    void addRoutesThatReload_data() {
        QTest::addColumn<int>("route");
        QTest::newRow("number taken on the route") << 0;
        QTest::newRow("number cut") << 1;
        QTest::newRow("two saved, the flag cleared by a later opening") << 2;
    }
    void addRoutesThatReload() {
        QFETCH(int, route);
        threeInvoices();
        const QString longNumber = QString("N").repeated(30) + "1";
        addInvoice(longNumber.left(30), QDate(2025, 1, 1), "C1", "Ann Lee", "1", "1");
        addFakeWindow("frmsearchCust");
        addFakeWindow("frmAddCust", [&] {
            if (route == 0) {
                addInvoice("INV7", QDate(2025, 6, 1), "C9", "New One", "1", "1");
                gHandOver.InvSaved = 1;
                gHandOver.SavedInvNo = QString();
            } else if (route == 1) {
                addInvoice(longNumber, QDate(2025, 6, 1), "C9", "New One", "1", "1");
                gHandOver.InvSaved = 1;
                gHandOver.SavedInvNo = longNumber;
            } else {
                addInvoice("INV7", QDate(2025, 6, 1), "C9", "New One", "1", "1");
                addInvoice("INV8", QDate(2025, 6, 2), "C9", "New One", "1", "1");
                gHandOver.InvSaved = 0;
                gHandOver.SavedInvNo = QString();
            }
        });
        frmInvoice window;
        ScriptedBoxes boxes;
        boxes.expect("Add to New Customer", Box::Answer::Yes);
        window.toolbarButton(2)->trigger();
        QVERIFY2(boxes.allAnswered(), qPrintable(boxes.report()));
        QStringList expected{"INV1", "INV10", "INV2", longNumber.left(30)};
        if (route == 1) expected << longNumber;
        else expected << "INV7";
        if (route == 2) expected << "INV8";
        QCOMPARE(column(*window.invoices(), 0), expected);
        QCOMPARE(window.invoices()->text(4, 3), QString("New One"));
        QCOMPARE(gHandOver.InvSaved, 0);
        Opener::remove("frmAddCust");
        Opener::remove("frmsearchCust");
    }

    void addCancelledOrWithoutInvoice() {
        threeInvoices();
        int opened = 0;
        addFakeWindow("frmsearchCust");
        addFakeWindow("frmAddCust", [&] { ++opened; gHandOver.CustSaved = 1; });
        frmInvoice window;
        // Changed behind the list: a reload would show it.
        Statement(Database::shared(), "UPDATE Invoices SET Notes = 'behind' WHERE InvNo = 'INV10'").run();
        ScriptedBoxes boxes;
        boxes.expect("Add to New Customer", Box::Answer::Cancel).expect("Add to New Customer", Box::Answer::Yes);
        window.toolbarButton(2)->trigger();
        QCOMPARE(opened, 0);
        window.toolbarButton(2)->trigger();
        QCOMPARE(opened, 1);
        QVERIFY2(boxes.allAnswered(), qPrintable(boxes.report()));
        QCOMPARE(window.invoices()->text(1, 6), QString());
        Opener::remove("frmAddCust");
        Opener::remove("frmsearchCust");
    }

    void deleteRemovesTheInvoiceAndOnlyItsLines() {
        threeInvoices();
        frmInvoice window;
        ScriptedBoxes boxes;
        boxes.expect("Confirm", Box::Answer::No, "Are you sure you want to delete this invoice")
            .expect("Confirm", Box::Answer::Yes);
        window.toolbarButton(4)->trigger();
        QCOMPARE(rows("SELECT COUNT(*) FROM InvoiceD"), 5);
        window.toolbarButton(4)->trigger();
        QVERIFY2(boxes.allAnswered(), qPrintable(boxes.report()));
        QCOMPARE(rows("SELECT COUNT(*) FROM Invoices WHERE InvNo = 'INV1'"), 0);
        QCOMPARE(rows("SELECT COUNT(*) FROM InvoiceD WHERE InvNo = 'INV1'"), 0);
        QCOMPARE(rows("SELECT COUNT(*) FROM InvoiceD WHERE InvNo = 'INV10'"), 2);
        QCOMPARE(column(*window.invoices(), 0), (QStringList{"INV10", "INV2"}));
        QCOMPARE(ListKit::selectedRow(window.Inv_lst), 0);
    }

    // A failure part way leaves the invoice whole: header, lines and row.
    void failedDeleteChangesNothing() {
        threeInvoices();
        Database::shared().exec("CREATE TEMP TRIGGER refuse BEFORE DELETE ON InvoiceD "
                                "BEGIN SELECT RAISE(ABORT, 'disk full'); END");
        frmInvoice window;
        ScriptedBoxes boxes;
        boxes.expect("Confirm", Box::Answer::Yes).expect("Error Message", Box::Answer::Ok, "Delete_item");
        window.toolbarButton(4)->trigger();
        QVERIFY2(boxes.allAnswered(), qPrintable(boxes.report()));
        QCOMPARE(program->endings(), 1);
        QCOMPARE(rows("SELECT COUNT(*) FROM Invoices WHERE InvNo = 'INV1'"), 1);
        QCOMPARE(rows("SELECT COUNT(*) FROM InvoiceD WHERE InvNo = 'INV1'"), 3);
        QCOMPARE(window.invoices()->rowCount(), 3);
    }

    void deleteOfAVanishedInvoice() {
        threeInvoices();
        frmInvoice window;
        Statement(Database::shared(), "DELETE FROM Invoices WHERE InvNo = 'INV1'").run();
        ScriptedBoxes boxes;
        boxes.expect("Confirm", Box::Answer::Yes).expect("Please try again", Box::Answer::Ok, "no longer on file");
        window.toolbarButton(4)->trigger();
        QVERIFY2(boxes.allAnswered(), qPrintable(boxes.report()));
        QCOMPARE(rows("SELECT COUNT(*) FROM InvoiceD WHERE InvNo = 'INV1'"), 3);
        QCOMPARE(window.invoices()->rowCount(), 3);
    }

    void helpPage() {
        QString page;
        addFakeWindow("Help_frm", [&] { page = gHandOver.HelpPage.trimmed(); });
        frmInvoice window;
        window.toolbarButton(8)->trigger();
        QCOMPARE(page, QString("Invoice.htm"));
        Opener::remove("Help_frm");
    }
};

QTEST_MAIN(TestInvoiceList)
#include "test_invoicelist.moc"
