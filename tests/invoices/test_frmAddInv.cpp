#include "InvoiceFixture.h"
#include "common/HandOver.h"
#include "common/Opener.h"
#include "common/WidestAmounts.h"
#include "invoices/frmAddInv.h"
#include "reports/PaperSize.h"
#include "reports/ReportPreview.h"
#include "shell/WindowRegistry.h"
#include "support/TestSupport.h"
#include <QAction>
#include <QCheckBox>
#include <QClipboard>
#include <QDateEdit>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QtTest>
#include <memory>

namespace {
QString money(const char* amount) { return QString(amount).rightJustified(10, ' '); }

void newInvoiceFor(const QString& custId, const QString& first, const QString& last) {
    gHandOver.InvEditMode = 0;
    gHandOver.InvCustID = custId;
    gHandOver.InvCustFirstName = first;
    gHandOver.InvCustLastName = last;
    gHandOver.InvCustPhone = QString("0123 456");
}

void openStored(const QString& number) {
    gHandOver.InvEditMode = 1;
    gHandOver.InvToEdit = number;
}

std::unique_ptr<frmAddInv> shown() {
    auto w = std::make_unique<frmAddInv>();
    w->show();
    if (!QTest::qWaitForWindowActive(w.get())) qWarning("editor not active");
    return w;
}

// Typed as a user does: the box gets the focus, then the keys.
void type(QLineEdit* box, const QString& text) {
    box->setFocus();
    box->selectAll();
    QTest::keyClicks(box, text);
}
}  // namespace

class TestFrmAddInv : public QObject {
    Q_OBJECT
private slots:
    void opensModallyByName() {
        fixture::World world;
        registerWindows();
        newInvoiceFor("C1", "Ann", "Smith");
        gHandOver.InvSaved = 1;
        QTimer::singleShot(0, [] {
            auto* editor = qobject_cast<frmAddInv*>(QApplication::activeModalWidget());
            QVERIFY(editor);
            editor->exit_cmd->click();
        });
        QCOMPARE(Opener::show("frmAddInv", nullptr), int(QDialog::Rejected));
        QCOMPARE(gHandOver.InvSaved, 0);
    }

    void missingStoredInvoiceIsNotSaved() {
        fixture::World world;
        openStored("GONE");
        ScriptedBoxes boxes;
        boxes.expect("Invoice Not Found", Box::Answer::Ok, "GONE").expect("Enter Invoice Number", Box::Answer::Ok);
        auto w = shown();
        w->Update_cmd_Click();
        QVERIFY2(boxes.allAnswered(), qPrintable(boxes.report()));
        QVERIFY(w->isVisible());
        QCOMPARE(fixture::invoiceCount(), 0);
    }

    void proposalAndFocus_data() {
        QTest::addColumn<int>("freeForm");
        QTest::addColumn<QString>("number");
        QTest::addColumn<bool>("enabled");
        QTest::addColumn<QString>("focus");
        QTest::newRow("automatic") << 0 << "INV000123" << false << "Date_txt";
        QTest::newRow("free-form") << 1 << "" << true << "Inv_lbl";
    }
    void proposalAndFocus() {
        QFETCH(int, freeForm);
        fixture::World world("INV", "000123");
        gSettings.FreeFormInv = freeForm;
        newInvoiceFor("CUS0001", "Ann", "Smith");
        auto w = shown();
        QTEST(w->Inv_lbl->text(), "number");
        QTEST(w->Inv_lbl->isEnabled(), "enabled");
        QVERIFY(QApplication::focusWidget());
        const QWidget* focus = QApplication::focusWidget();
        while (focus && focus->objectName().isEmpty()) focus = focus->parentWidget();
        QTEST(focus->objectName(), "focus");
        QCOMPARE(w->Cust_lbl->text(), QString("CUS0001"));
        QCOMPARE(w->Customername_lbl->text(), QString("Ann Smith"));
        QCOMPARE(w->Label16->text(), QString("0123 456"));
        QCOMPARE(w->Date_txt->date(), QDate::currentDate());
        QCOMPARE(w->vat_lbl->text(), QString("VAT @  17.5%"));
    }

    void proposalSkipsUsedNumbersAndGivesUp() {
        fixture::World world("N", "8");
        saveInvoice(fixture::invoice("n8", 0), InvoiceSave::New);
        newInvoiceFor("C1", "A", "B");
        {
            frmAddInv w;
            QCOMPARE(w.Inv_lbl->text(), QString("N9"));
        }
        for (int i = 0; i < 10; ++i)
            if (i != 8) saveInvoice(fixture::invoice(QString("N%1").arg(i), 0), InvoiceSave::New);
        ScriptedBoxes boxes;
        boxes.expect("No Free Number", Box::Answer::Ok, "Every number of this width is already in use.");
        frmAddInv w;
        QVERIFY2(boxes.allAnswered(), qPrintable(boxes.report()));
        QCOMPARE(w.Inv_lbl->text(), QString());
        QVERIFY(!w.Inv_lbl->isEnabled());
    }

    void taxColumns() {
        fixture::World world;
        newInvoiceFor("C1", "A", "B");
        {
            auto w = shown();
            for (QCheckBox* box : w->tax) QVERIFY(box->isChecked() && box->isVisible());
            QVERIFY(w->toptax->isVisible());
        }
        saveInvoice(fixture::invoice("TAXED", 1), InvoiceSave::New);
        fixture::setHeader("TAXED", "Vat", QVariant::fromValue(Currency::fromText("1.75")));
        gSettings.TaxEnabled = 0;
        {
            // Tax switched off later: a stored invoice that still has tax keeps its column.
            Statement(Database::shared(), "UPDATE InvoiceD SET Taxable = 1").run();
            openStored("TAXED");
            auto stored = shown();
            QCOMPARE(stored->vat_txt->text(), money("1.75"));
            QVERIFY(stored->toptax->isVisible() && stored->tax[0]->isChecked());
        }
        newInvoiceFor("C1", "A", "B");
        auto w = shown();
        QVERIFY(!w->toptax->isVisible());
        for (int i = 0; i < frmAddInv::Rows; ++i) {
            QVERIFY(!w->tax[size_t(i)]->isChecked() && !w->tax[size_t(i)]->isVisible());
            QVERIFY(w->Desc_txt[size_t(i)]->width() >= 6405 / 15);
        }
    }

    // Print shows what is on the screen, saved or not, in a preview the editor owns.
    void printShowsTheScreenInAPreview() {
        fixture::World world("INV", "000123");
        gSettings.InvoiceType = "1";
        setPaperSizeSource([] { return QPageSize(QPageSize::A4); });
        QWidget* previewOwner = nullptr;
        QString invoiceCaption, firstPart;
        setReportPreviewHook([&](const ReportPages& pages, const QString&, QWidget* owner) {
            previewOwner = owner;
            if (const PlacedItem* item = pages.pages.at(0).find("Invoice_lbl")) invoiceCaption = item->text;
            if (const PlacedItem* item = pages.pages.at(0).find("Parts0_lbl")) firstPart = item->text;
        });
        newInvoiceFor("CUS0001", "Ann", "Smith");
        auto w = shown();
        type(w->PartID_txt[0], "P1");
        type(w->Amount_txt[0], "10.5");
        QVERIFY(w->toolbarButton(8)->isEnabled());
        w->toolbarButton(8)->trigger();
        setReportPreviewHook(nullptr);
        setPaperSizeSource(nullptr);
        QCOMPARE(previewOwner, w.get());
        QCOMPARE(invoiceCaption, QString("INVOICE - INV000123"));
        QCOMPARE(firstPart, QString("P1"));
    }

    // Three lines, one taxable, a discount and a part payment: stored as shown, and shown again.
    void newInvoiceIsStoredAndOpensTheSame() {
        fixture::World world("INV", "000123");
        newInvoiceFor("CUS0001", "Ann", "Smith");
        auto w = shown();
        type(w->PartID_txt[0], "P1");
        type(w->Qty_txt[0], "2");
        type(w->Desc_txt[0], "Widget");
        type(w->Amount_txt[0], "10.5");
        type(w->Desc_txt[1], "Labour");
        type(w->Amount_txt[1], "40");
        w->tax[1]->click();
        type(w->PartID_txt[2], "P3");
        type(w->Qty_txt[2], "3");
        type(w->Amount_txt[2], "0.333");
        w->tax[2]->click();
        type(w->Discount2_txt, "10");
        type(w->Paid_txt, "20");
        QTest::mouseClick(w->Update_cmd, Qt::LeftButton);

        QCOMPARE(w->result(), int(QDialog::Accepted));
        QCOMPARE(fixture::header("INV000123", "Subtotal").value<Currency>(), Currency::fromText("61.99"));
        QCOMPARE(fixture::header("INV000123", "Vat").value<Currency>(), Currency::fromText("3.68"));
        QCOMPARE(fixture::header("INV000123", "Discount").value<Currency>(), Currency::fromText("6.20"));
        QCOMPARE(fixture::header("INV000123", "Total").value<Currency>(), Currency::fromText("59.47"));
        QCOMPARE(fixture::header("INV000123", "Paid").value<Currency>(), Currency::fromText("20"));
        QCOMPARE(fixture::header("INV000123", "Balance").value<Currency>(), Currency::fromText("39.47"));
        QCOMPARE(fixture::header("INV000123", "DiscountPercentage").toDouble(), 10.0);
        QCOMPARE(fixture::header("INV000123", "TaxPer").toDouble(), 17.5);
        QCOMPARE(fixture::header("INV000123", "CustNo").toString(), QString("CUS0001"));
        QCOMPARE(fixture::header("INV000123", "CustomerName").toString(), QString("Ann Smith"));
        QCOMPARE(fixture::header("INV000123", "Phone").toString(), QString("0123 456"));
        QCOMPARE(fixture::header("INV000123", "Date").toDateTime().date(), QDate::currentDate());
        QCOMPARE(fixture::lines("INV000123"), QStringList({"P1 2 10.50 21.00 1 Widget", " 1 40.00 40.00 0 Labour",
                                                           "P3 3 0.33 0.99 0 "}));
        QCOMPARE(fixture::storedInvstart(), QString("000124"));
        QCOMPARE(gSettings.Invstart, QString("000124"));
        QCOMPARE(gHandOver.InvSaved, 1);
        QCOMPARE(gHandOver.SavedInvNo.trimmed(), QString("INV000123"));

        openStored("INV000123");
        auto again = shown();
        QCOMPARE(again->Inv_lbl->text(), QString("INV000123"));
        QVERIFY(!again->Inv_lbl->isEnabled());
        QCOMPARE(again->Customername_lbl->text(), QString("Ann Smith"));
        QCOMPARE(again->Qty_txt[0]->text(), QString("2"));
        QCOMPARE(again->Qty_txt[1]->text(), QString("1"));
        QCOMPARE(again->Amount_txt[2]->text(), money("0.33"));
        QVERIFY(again->tax[0]->isChecked() && !again->tax[1]->isChecked());
        QCOMPARE(again->Discount2_txt->text(), QString("10"));
        QCOMPARE(again->subtotal_txt->text(), money("61.99"));
        QCOMPARE(again->vat_txt->text(), money("3.68"));
        QCOMPARE(again->Discount_txt->text(), money("6.20"));
        QCOMPARE(again->total_txt->text(), money("59.47"));
        QCOMPARE(again->Paid_txt->text(), money("20.00"));
        QCOMPARE(again->Balance_txt->text(), money("39.47"));
        QCOMPARE(again->StillOwes_lbl->text(), QString("BALANCE: 39.47"));
        QVERIFY(!again->PaidFull_chk->isChecked());
    }

    // A paid invoice with a write-off, taxed at a rate the settings no longer hold.
    void openingAndSavingKeepsAStoredInvoice() {
        fixture::World world("INV", "0001", 20);
        InvoiceRecord v = fixture::invoice("OLD1", 0);
        v.lines = {fixture::line("P1", 1, "100.00", true)};
        v.subtotal = Currency::fromText("100");
        v.vat = Currency::fromText("15");
        v.total = Currency::fromText("115");
        v.writtenOff = Currency::fromText("15");
        v.paid = Currency::fromText("100");
        v.balance = Currency();
        v.taxPer = 15;
        saveInvoice(v, InvoiceSave::New);

        openStored("OLD1");
        auto w = shown();
        QVERIFY(w->PaidFull_chk->isChecked());
        QVERIFY(w->Paid_lbl->isVisible());
        QCOMPARE(w->Paid_txt->text(), money("100.00"));
        QCOMPARE(w->vat_txt->text(), money("15.00"));
        QCOMPARE(w->vat_lbl->text(), QString("VAT @  15%"));
        w->Update_cmd_Click();
        QCOMPARE(w->result(), int(QDialog::Accepted));
        QCOMPARE(fixture::header("OLD1", "Paid").value<Currency>(), Currency::fromText("100"));
        QCOMPARE(fixture::header("OLD1", "Balance").value<Currency>(), Currency());
        QCOMPARE(fixture::header("OLD1", "Total").value<Currency>(), Currency::fromText("115"));
        QCOMPARE(fixture::header("OLD1", "TaxPer").toDouble(), 15.0);
        QCOMPARE(fixture::storedInvstart(), QString("0001"));
    }

    // "Paid In Full" pays what the write-off leaves, so nothing is owed; unticked it pays nothing.
    void paidInFullLeavesNothingOwed_data() {
        QTest::addColumn<QString>("writtenOff");
        QTest::addColumn<QString>("paid");
        QTest::addColumn<QString>("owedUnpaid");
        QTest::newRow("no write-off") << "" << "590.76" << "590.76";
        QTest::newRow("10.50 written off") << "10.50" << "580.26" << "580.26";
    }
    void paidInFullLeavesNothingOwed() {
        QFETCH(QString, writtenOff);
        QFETCH(QString, paid);
        QFETCH(QString, owedUnpaid);
        fixture::World world("INV", "0001", 0);
        newInvoiceFor("C1", "Ann", "Smith");
        auto w = shown();
        type(w->Amount_txt[0], "590.76");
        if (!writtenOff.isEmpty()) type(w->Writtenoff_txt, writtenOff);
        w->PaidFull_chk->click();
        QCOMPARE(w->total_txt->text(), money("590.76"));
        QCOMPARE(w->Paid_txt->text(), money(qPrintable(paid)));
        QCOMPARE(w->Balance_txt->text(), money("0.00"));
        QVERIFY(w->Paid_lbl->isVisible() && !w->StillOwes_lbl->isVisible());
        w->PaidFull_chk->click();
        QCOMPARE(w->Paid_txt->text(), money("0.00"));
        QCOMPARE(w->StillOwes_lbl->text(), "BALANCE: " + owedUnpaid);
        w->PaidFull_chk->click();
        w->Update_cmd_Click();
        QCOMPARE(w->result(), int(QDialog::Accepted));
        QCOMPARE(fixture::header("INV0001", "Paid").value<Currency>(), Currency::fromText(paid));
        QCOMPARE(fixture::header("INV0001", "Balance").value<Currency>(), Currency());
    }

    // A stored invoice is taxed at its own rate whatever the settings say now:
    // opened and updated it keeps every stored value, and an edit works its
    // tax out at that rate.
    void storedInvoiceKeepsItsOwnTax_data() {
        QTest::addColumn<double>("storedRate");
        QTest::addColumn<int>("taxEnabled");
        QTest::addColumn<double>("taxAmount");
        QTest::addColumn<QString>("vat");
        QTest::addColumn<QString>("vatAfterEdit");   // with a taxable line of 100.00 added
        QTest::newRow("settings as stored") << 17.5 << 1 << 17.5 << "1859.03" << "1876.53";
        QTest::newRow("rate changed") << 17.5 << 1 << 20.0 << "1859.03" << "1876.53";
        QTest::newRow("tax on at a rate of 0") << 17.5 << 1 << 0.0 << "1859.03" << "1876.53";
        QTest::newRow("tax off and 0") << 17.5 << 0 << 0.0 << "1859.03" << "1876.53";
        QTest::newRow("tax off, rate kept") << 17.5 << 0 << 17.5 << "1859.03" << "1876.53";
        QTest::newRow("untaxed invoice, tax now on") << 0.0 << 1 << 20.0 << "0.00" << "0.00";
    }
    void storedInvoiceKeepsItsOwnTax() {
        QFETCH(double, storedRate);
        QFETCH(int, taxEnabled);
        QFETCH(double, taxAmount);
        QFETCH(QString, vat);
        fixture::World world;
        InvoiceRecord v = fixture::invoice("OLD", 0);
        v.lines = {fixture::line("P1", 1, "10623.00", true)};
        v.subtotal = Currency::fromText("10623");
        v.vat = Currency::fromText(vat);
        v.total = v.subtotal + v.vat;
        v.paid = v.total;
        v.balance = Currency();
        v.taxPer = storedRate;
        saveInvoice(v, InvoiceSave::New);
        const QStringList before = fixture::storedAsIs("OLD");
        gSettings.TaxEnabled = taxEnabled;
        gSettings.TaxAmount = taxAmount;
        openStored("OLD");
        {
            auto w = shown();
            QCOMPARE(w->vat_lbl->text(), storedRate != 0 ? QString("VAT @  17.5%") : QString("VAT @  0%"));
            QCOMPARE(w->vat_txt->text(), money(qPrintable(vat)));
            QCOMPARE(w->total_txt->text(), InvoiceTotals::moneyText(v.total));
            QCOMPARE(w->Balance_txt->text(), money("0.00"));
            QVERIFY(w->PaidFull_chk->isChecked() && w->Paid_lbl->isVisible() && !w->StillOwes_lbl->isVisible());
            QVERIFY(w->toptax->isVisible() && w->tax[0]->isChecked());
            w->Update_cmd_Click();
            QCOMPARE(w->result(), int(QDialog::Accepted));
        }
        QCOMPARE(fixture::storedAsIs("OLD"), before);

        openStored("OLD");
        auto w = shown();
        type(w->Amount_txt[1], "100");
        w->tax[1]->click();
        QTEST(w->vat_txt->text().trimmed(), "vatAfterEdit");
        w->Update_cmd_Click();
        QCOMPARE(fixture::header("OLD", "TaxPer").toDouble(), storedRate);
        QTEST(fixture::header("OLD", "Vat").value<Currency>().toFixed(2), "vatAfterEdit");
    }

    // Opening changes nothing, also where the stored amounts are not what
    // the editor would work out: they are shown, and stored again, as they are.
    void openingKeepsStoredAmountsAsStored_data() {
        QTest::addColumn<QString>("changes");      // header columns set after saving, "column=value;..."
        QTest::addColumn<QString>("lineTotal");    // the second line's stored total, when changed
        QTest::newRow("as saved") << "" << "";
        QTest::newRow("subtotal not the sum of its lines") << "Subtotal=31;Total=31;Balance=31" << "";
        QTest::newRow("tax its rate does not give") << "Vat=2;Total=32;Balance=32" << "";
        QTest::newRow("balance not what the payments leave") << "Paid=10;Balance=5" << "";
        QTest::newRow("a line total not quantity times price") << "" << "25";
        QTest::newRow("imported: no rate, paid in full, total not its lines")
            << "TaxPer=0;Subtotal=35;Total=35;Paid=35;Balance=0" << "";
        QTest::newRow("balance 0, paid not the total less the write-off")
            << "Paid=20;WrittenOff=5;Balance=0" << "";
    }
    void openingKeepsStoredAmountsAsStored() {
        QFETCH(QString, changes);
        QFETCH(QString, lineTotal);
        fixture::World world;
        saveInvoice(fixture::invoice("ODD", 2), InvoiceSave::New);
        for (const QString& change : changes.split(';', Qt::SkipEmptyParts)) {
            const QString column = change.section('=', 0, 0);
            const QString value = change.section('=', 1);
            fixture::setHeader("ODD", column, column == "TaxPer" ? QVariant(value.toDouble())
                                                                 : QVariant::fromValue(Currency::fromText(value)));
        }
        if (!lineTotal.isEmpty())
            Statement(Database::shared(), "UPDATE InvoiceD SET Total = ? WHERE rowid = (SELECT MAX(rowid) FROM InvoiceD)")
                .bindAll({QVariant::fromValue(Currency::fromText(lineTotal))})
                .run();
        const QStringList before = fixture::storedAsIs("ODD");
        auto stored = [](const char* column) { return InvoiceTotals::moneyText(fixture::header("ODD", column).value<Currency>()); };
        openStored("ODD");
        auto w = shown();
        QCOMPARE(w->subtotal_txt->text(), stored("Subtotal"));
        QCOMPARE(w->vat_txt->text(), stored("Vat"));
        QCOMPARE(w->total_txt->text(), stored("Total"));
        QCOMPARE(w->total_txt2->text(), stored("Total"));
        QCOMPARE(w->Paid_txt->text(), stored("Paid"));
        QCOMPARE(w->Balance_txt->text(), stored("Balance"));
        QCOMPARE(w->PaidFull_chk->isChecked(), stored("Balance") == money("0.00"));
        w->Update_cmd_Click();
        QCOMPARE(w->result(), int(QDialog::Accepted));
        QCOMPARE(fixture::storedAsIs("ODD"), before);
    }

    void firstEightLinesShown() {
        fixture::World world;
        InvoiceRecord v = fixture::invoice("TEN", 10);
        v.lines[3].qty = 0;
        v.lines[3].total = Currency();
        saveInvoice(v, InvoiceSave::New);
        openStored("ten");
        auto w = shown();
        for (int i = 0; i < frmAddInv::Rows; ++i) QCOMPARE(w->PartID_txt[size_t(i)]->text(), QString("P%1").arg(i));
        QCOMPARE(w->Qty_txt[3]->text(), QString());
        QCOMPARE(w->tota1l_txt[3]->text(), QString("0.00"));   // as stored, until an edit
        type(w->Qty_txt[0], "2");
        QCOMPARE(w->tota1l_txt[3]->text(), money("10.00"));   // no quantity counts as one unit
    }

    void refusedSaves_data() {
        QTest::addColumn<int>("freeForm");
        QTest::addColumn<int>("confirmAll");
        QTest::addColumn<QString>("typedNumber");
        QTest::addColumn<QString>("firstName");
        QTest::addColumn<QString>("lastName");
        QTest::addColumn<QString>("title");
        QTest::addColumn<QString>("text");
        const QString longName(30, 'x');
        QTest::newRow("No to the question") << 0 << 0 << "" << "Ann" << "Smith" << "Continue?" << "Are you sure";
        QTest::newRow("blank number")
            << 1 << 1 << "   " << "Ann" << "Smith" << "Enter Invoice Number" << "enter an invoice";
        QTest::newRow("number used in other case")
            << 1 << 1 << "abc-7" << "Ann" << "Smith" << "Invoice Number Already In Use" << "already been used";
        QTest::newRow("customer name of 61 characters")
            << 0 << 1 << "" << longName << longName << "Please Try Again" << "customer name";
    }
    void refusedSaves() {
        QFETCH(int, freeForm);
        QFETCH(int, confirmAll);
        QFETCH(QString, typedNumber);
        QFETCH(QString, firstName);
        QFETCH(QString, lastName);
        QFETCH(QString, title);
        QFETCH(QString, text);
        fixture::World world;
        saveInvoice(fixture::invoice("ABC-7", 1), InvoiceSave::New);
        gSettings.FreeFormInv = freeForm;
        gSettings.ConfirmAll = confirmAll;
        newInvoiceFor("C1", firstName, lastName);
        gHandOver.InvSaved = 1;   // left by an earlier opening
        auto w = shown();
        if (freeForm) type(w->Inv_lbl, typedNumber);
        type(w->Desc_txt[0], "Labour");
        ScriptedBoxes boxes;
        boxes.expect(title, title == "Continue?" ? Box::Answer::No : Box::Answer::Ok, text);
        w->Update_cmd_Click();
        QVERIFY2(boxes.allAnswered(), qPrintable(boxes.report()));
        QVERIFY(w->isVisible());
        QCOMPARE(w->Desc_txt[0]->text(), QString("Labour"));
        QCOMPARE(fixture::invoiceCount(), 1);
        QCOMPARE(fixture::lines("ABC-7").size(), 1);
        QCOMPARE(gHandOver.InvSaved, 1);
        QCOMPARE(fixture::storedInvstart(), QString("0001"));
        QCOMPARE(gSettings.Invstart, QString("0001"));
    }

    void amountsBeyondMoneyAreRefusedNotFatal() {
        fixture::World world;
        newInvoiceFor("C1", "Ann", "Smith");
        auto w = shown();
        for (int i = 0; i < frmAddInv::Rows; ++i) {
            w->Qty_txt[size_t(i)]->setText("9999");
            w->Amount_txt[size_t(i)]->setText("9999999999");
        }
        ScriptedBoxes boxes;
        boxes.expect("Please Try Again", Box::Answer::Ok, "too large").expect("Please Try Again", Box::Answer::Ok, "too large");
        w->Calc_Totals();
        w->Update_cmd_Click();
        QVERIFY2(boxes.allAnswered(), qPrintable(boxes.report()));
        QCOMPARE(world.program.endings(), 0);
        QVERIFY(w->isVisible());
        QCOMPARE(fixture::invoiceCount(), 0);
    }

    void freeFormNumberIsStoredTrimmed() {
        fixture::World world;
        gSettings.FreeFormInv = 1;
        newInvoiceFor("C1", "Ann", "Smith");
        auto w = shown();
        type(w->Inv_lbl, " X-9 ");
        type(w->Desc_txt[3], "Only row");
        w->Update_cmd_Click();
        QCOMPARE(fixture::lines("X-9"), QStringList({" 1 0.00 0.00 1 Only row"}));
        QCOMPARE(fixture::storedInvstart(), QString("0001"));
        QCOMPARE(gHandOver.SavedInvNo.text(), QString("X-9").leftJustified(30));
    }

    void closingWithoutSaveReportsNone() {
        fixture::World world;
        newInvoiceFor("C1", "Ann", "Smith");
        for (bool closeBox : {false, true}) {
            gHandOver.InvSaved = 1;
            gHandOver.SavedInvNo = QString("OLD");
            auto w = shown();
            if (closeBox) w->close();
            else w->exit_cmd->click();
            QVERIFY(!w->isVisible());
            QCOMPARE(gHandOver.InvSaved, 0);
            QCOMPARE(gHandOver.SavedInvNo.trimmed(), QString());
        }
        QCOMPARE(fixture::invoiceCount(), 0);
    }

    void paidInFullAndClearing() {
        fixture::World world;
        newInvoiceFor("C1", "Ann", "Smith");
        auto w = shown();
        type(w->Amount_txt[0], "100");
        type(w->Amount_txt[2], "50");
        w->PaidFull_chk->click();
        QCOMPARE(w->Paid_txt->text(), money("176.25"));
        QVERIFY(w->Paid_lbl->isVisible() && !w->StillOwes_lbl->isVisible());
        w->PaidFull_chk->click();
        QCOMPARE(w->Paid_txt->text(), money("0.00"));
        QCOMPARE(w->StillOwes_lbl->text(), QString("BALANCE: 176.25"));

        ScriptedBoxes boxes;
        boxes.expect("Confirm", Box::Answer::No, "clear this line").expect("Confirm", Box::Answer::Yes, "clear this line");
        w->Amount_txt[2]->setFocus();
        w->toolbarButton(4)->trigger();
        QCOMPARE(w->Amount_txt[2]->text(), QString("50"));
        w->Amount_txt[2]->setFocus();
        w->toolbarButton(4)->trigger();
        QVERIFY2(boxes.allAnswered(), qPrintable(boxes.report()));
        QCOMPARE(w->Amount_txt[2]->text(), QString());
        QVERIFY(w->tax[2]->isChecked());
        QCOMPARE(w->Amount_txt[0]->text(), money("100.00"));
        QCOMPARE(w->total_txt->text(), money("117.50"));
    }

    void entryBoxesFilterKeysAndMarkTheRow() {
        fixture::World world;
        newInvoiceFor("C1", "Ann", "Smith");
        auto w = shown();
        type(w->Qty_txt[1], "2a.5");
        type(w->Amount_txt[1], "1.2.5x");
        QCOMPARE(w->Qty_txt[1]->text(), QString("25"));
        QCOMPARE(w->Amount_txt[1]->text(), QString("1.25"));
        QCOMPARE(w->tota1l_txt[1]->text(), money("31.25"));   // recomputed on each key
        QCOMPARE(w->CurRow, 1);
        auto colour = [](QWidget* box) { return box->palette().color(QPalette::Base); };
        QCOMPARE(colour(w->Amount_txt[1]), QColor(0xFF, 0xFF, 0xC0));
        QCOMPARE(colour(w->PartID_txt[1]), QColor(0xC0, 0xC0, 0xFF));
        QCOMPARE(colour(w->Amount_txt[0]), QColor(Qt::white));
        type(w->Desc_txt[4], QString(130, 'd'));
        QCOMPARE(w->Desc_txt[4]->text().size(), 120);
        QCOMPARE(w->Amount_txt[1]->text(), money("1.25"));     // reformatted on leaving
        QCOMPARE(colour(w->Amount_txt[1]), QColor(Qt::white));
        QCOMPARE(colour(w->Amount_txt[4]), QColor(0xC0, 0xC0, 0xFF));
        QCOMPARE(w->CurRow, 4);
    }

    // The amount boxes take the standard shortcuts, and a paste obeys the
    // rule typing does.
    void amountBoxesTakeShortcutsAndFilterPastes_data() {
        QTest::addColumn<QString>("box");
        QTest::addColumn<QString>("refusedPaste");
        QTest::newRow("quantity") << "Qty_txt(0)" << "1.5";
        QTest::newRow("price") << "Amount_txt(0)" << "1.2.3";
        QTest::newRow("discount percentage") << "Discount2_txt" << "-5";
        QTest::newRow("paid") << "Paid_txt" << "12a";
        QTest::newRow("written off") << "Writtenoff_txt" << "1,000";
    }
    void amountBoxesTakeShortcutsAndFilterPastes() {
        QFETCH(QString, box);
        QFETCH(QString, refusedPaste);
        fixture::World world;
        newInvoiceFor("C1", "Ann", "Smith");
        auto w = shown();
        auto* line = w->findChild<QLineEdit*>(box);
        QVERIFY(line);
        type(line, "12");
        QTest::keyClick(line, Qt::Key_A, Qt::ControlModifier);
        QCOMPARE(line->selectedText(), QString("12"));
        QTest::keyClick(line, Qt::Key_C, Qt::ControlModifier);
        QCOMPARE(QGuiApplication::clipboard()->text(), QString("12"));
        QTest::keyClick(line, Qt::Key_X, Qt::ControlModifier);
        QCOMPARE(line->text(), QString());
        QTest::keyClick(line, Qt::Key_V, Qt::ControlModifier);
        QCOMPARE(line->text(), QString("12"));
        QTest::keyClick(line, Qt::Key_Z, Qt::ControlModifier);
        QCOMPARE(line->text(), QString());
        line->setText("3");
        line->end(false);
        QGuiApplication::clipboard()->setText(refusedPaste);
        QTest::keyClick(line, Qt::Key_V, Qt::ControlModifier);
        QCOMPARE(line->text(), QString("3"));
        line->paste();   // the context menu's Paste
        QCOMPARE(line->text(), QString("3"));
    }

    // The summary keeps its places whether "BALANCE:" or "PAID IN FULL" shows or not.
    void summaryControlsKeepTheirPlaces() {
        fixture::World world;
        newInvoiceFor("C1", "Ann", "Smith");
        auto w = shown();
        const QList<QWidget*> controls{w->Discount2_txt, w->total_txt, w->Paid_txt, w->Writtenoff_txt,
                                       w->PaidFull_chk, w->Update_cmd, w->exit_cmd};
        auto places = [&] {
            QApplication::processEvents();
            QList<QRect> at;
            for (QWidget* c : controls) at << QRect(c->mapTo(w.get(), QPoint()), c->size());
            return at;
        };
        const QList<QRect> before = places();
        QVERIFY(!w->StillOwes_lbl->isVisible() && !w->Paid_lbl->isVisible());
        type(w->Amount_txt[0], "100");
        QVERIFY(w->StillOwes_lbl->isVisible());
        QCOMPARE(places(), before);
        w->PaidFull_chk->click();
        QVERIFY(w->Paid_lbl->isVisible());
        QCOMPARE(places(), before);
        type(w->Paid_txt, "99999");
        QCOMPARE(w->StillOwes_lbl->text(), QString("BALANCE: -99881.50"));
        QCOMPARE(places(), before);
    }

    // Every amount shows whole, from its first digit to its last, up to the
    // largest the editor can reach.
    void amountsShowWhole_data() {
        QTest::addColumn<bool>("widest");
        QTest::newRow("the largest that can be typed") << false;
        QTest::newRow("the largest amount there is") << true;
    }
    void amountsShowWhole() {
        QFETCH(bool, widest);
        fixture::World world;
        newInvoiceFor("C1", "Ann", "Smith");
        auto w = shown();
        for (int i = 0; i < frmAddInv::Rows; ++i) {
            w->tax[size_t(i)]->setChecked(false);
            type(w->Qty_txt[size_t(i)], "9999");
            type(w->Amount_txt[size_t(i)], "9999999999");
        }
        type(w->Writtenoff_txt, "9999999999");
        QList<QLineEdit*> boxes{w->total_txt2, w->Paid_txt, w->Writtenoff_txt, w->Balance_txt};
        for (int i = 0; i < frmAddInv::Rows; ++i) boxes << w->Amount_txt[size_t(i)] << w->tota1l_txt[size_t(i)];
        const QList<QLabel*> labels{w->subtotal_txt, w->vat_txt, w->Discount_txt, w->total_txt, w->StillOwes_lbl};
        if (widest) {
            for (QLineEdit* box : boxes) box->setText(WidestAmounts::anyAmount());
            for (QLabel* label : labels) label->setText(WidestAmounts::anyAmount());
            w->StillOwes_lbl->setText("BALANCE: " + WidestAmounts::anyAmount().trimmed());
        }
        QCOMPARE(w->tota1l_txt[0]->text().trimmed(), widest ? WidestAmounts::anyAmount().trimmed()
                                                           : QString("99989999990001.00"));
        QApplication::processEvents();
        w->grab();   // lays the texts out as the screen shows them
        for (QLineEdit* box : boxes) {
            box->setCursorPosition(0);
            const QRect start = box->inputMethodQuery(Qt::ImCursorRectangle).toRect();
            QVERIFY2(start.center().x() >= 0, qPrintable(box->objectName() + " hides " + box->text()));
        }
        for (QLabel* label : labels)
            QVERIFY2(label->width() >= label->fontMetrics().horizontalAdvance(label->text()),
                     qPrintable(label->objectName() + " cuts " + label->text()));
    }

    // The number and name boxes stand where they stood, whatever the
    // customer's number, name and phone.
    void headerBoxesStayInPlace() {
        fixture::World world;
        const auto places = [](const QString& custId, const QString& first, const QString& last, const QString& phone) {
            newInvoiceFor(custId, first, last);
            gHandOver.InvCustPhone = phone;
            auto w = shown();
            QApplication::processEvents();
            return std::pair{w->Inv_lbl->mapTo(w.get(), QPoint()).x(), w->Customername_lbl->mapTo(w.get(), QPoint()).x()};
        };
        const auto shortOnes = places("C1", "Al", "Li", "1");
        const auto longOnes = places("WWWWWWWWWWWW", QString(20, 'W'), QString(20, 'W'), QString(30, 'W'));
        QCOMPARE(longOnes, shortOnes);
        QCOMPARE(shortOnes.first, shortOnes.second);
    }

    void customizeAppliesNewCaptions() {
        fixture::World world;
        Opener::add("frmInvoiceSet", [](QWidget* owner) {
            gSettings.Text1Name = QString("Rep");
            gSettings.Text2Visible = 0;
            gSettings.Text4Visible = 1;
            auto* d = new QDialog(owner);
            QTimer::singleShot(0, d, &QDialog::accept);
            return d;
        });
        newInvoiceFor("C1", "Ann", "Smith");
        auto w = shown();
        QCOMPARE(w->SalesPerson_lbl->text(), QString("Sales Person"));
        QVERIFY(w->SalesOrder_txt->isVisible() && !w->TrackingNo_txt->isVisible());
        QVERIFY(w->toolbarButton(10)->isEnabled());
        w->toolbarButton(10)->trigger();
        Opener::remove("frmInvoiceSet");
        QCOMPARE(w->SalesPerson_lbl->text(), QString("Rep"));
        QVERIFY(!w->SalesOrder_txt->isVisible() && !w->SalesOrder_lbl->isVisible());
        QVERIFY(w->TrackingNo_txt->isVisible() && w->TrackingNo_lbl->isVisible());
    }
};

QTEST_MAIN(TestFrmAddInv)
#include "test_frmAddInv.moc"
