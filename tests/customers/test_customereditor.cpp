#include "CustomerFixture.h"
#include "widgets/ListKit.h"
#include "customers/frmAddCust.h"
#include "shell/WindowRegistry.h"
#include "support/TestSupport.h"
#include <QClipboard>
#include <QDateEdit>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTextBlock>
#include <QTextDocument>
#include <QtTest>

using namespace fixture;

namespace {
void type(QLineEdit* box, const QString& text) {
    box->clear();
    QTest::keyClicks(box, text);
}

bool showActive(QWidget& window) {
    window.show();
    return QTest::qWaitForWindowActive(&window);
}

// A fresh database with its settings row; the editor is to open for a new customer.
void newCustomerSetup(TestProgram& program, const QString& start, int freeForm) {
    program.createDatabase();
    settingsRow("C", start, freeForm);
    gHandOver.CustNewMode = 1;
}
}  // namespace

class TestCustomerEditor : public QObject {
    Q_OBJECT
private slots:
    // New customer, automatic numbers: the proposal skips used numbers (case
    // ignored), the save writes the trimmed fields, advances the counter in
    // System and in memory, and a second save only updates the row.
    void newCustomerSavedAndNumberAdvanced() {
        TestProgram program;
        newCustomerSetup(program, "0005", 0);
        addCustomer("C0005");
        addCustomer("c0006");
        FakeWindow invoiceEditor("frmAddInv");
        frmAddCust window;
        window.show();
        QCOMPARE(window.custid_lbl->text(), QString("C0007"));
        QVERIFY(!window.custid_lbl->isEnabled());
        QVERIFY(!window.inv_frame->isEnabled());
        QCOMPARE(window.DTPicker1->date(), QDate::currentDate());
        type(window.FirstName_txt, "Ann");
        type(window.Lastname_txt, "  O'Neil ");
        type(window.address1, "1 Quay St");
        window.Notes_txt->setPlainText("  pays late  ");
        window.DTPicker1->setDate(QDate(2024, 2, 29));
        QVERIFY(window.isDirty());
        {
            ScriptedBoxes boxes;
            boxes.expect("Saved", Box::Answer::Ok, "Customer details have been saved.")
                .expect("Add Invoice", Box::Answer::No, "Do you want to add an invoice to this customer?");
            window.Save_cmd->click();
            QVERIFY2(boxes.allAnswered(), qPrintable(boxes.report()));
        }
        QCOMPARE(customerField("C0007", "LastName"), QString("O'Neil"));
        QCOMPARE(customerField("C0007", "Address"), QString("1 Quay St"));
        QCOMPARE(customerField("C0007", "notes"), QString("pays late"));
        QCOMPARE(customerField("C0007", "Phone"), QString(""));
        QCOMPARE(customerField("C0007", "Discount"), QString("0"));
        QCOMPARE(value("SELECT \"Date\" FROM Customers WHERE CustID = 'C0007'").toDate(), QDate(2024, 2, 29));
        QCOMPARE(value("SELECT CustStart FROM System").toString(), QString("0008"));
        QCOMPARE(gSettings.CustStart, QString("0008"));
        QCOMPARE(gHandOver.CustSaved, 1);
        QCOMPARE(gHandOver.CustNewMode, 0);
        QVERIFY(!window.isDirty());
        QVERIFY(window.inv_frame->isEnabled());
        QVERIFY(window.Add_cmd->isEnabled());
        QCOMPARE(invoiceEditor.opened, 0);

        type(window.Phone_txt, "555 1234");
        {
            ScriptedBoxes boxes;
            boxes.expect("Saved", Box::Answer::Ok);
            window.Save_cmd->click();
            QVERIFY2(boxes.allAnswered(), qPrintable(boxes.report()));
        }
        QCOMPARE(count("Customers"), 3);
        QCOMPARE(customerField("C0007", "Phone"), QString("555 1234"));
        QCOMPARE(gSettings.CustStart, QString("0008"));
        window.exit_cmd->click();
        QCOMPARE(gHandOver.SavedCustID.text(), QString("C0007").leftJustified(30));
        QVERIFY(!window.isVisible());
    }

    void requiredFields_data() {
        QTest::addColumn<QString>("first");
        QTest::addColumn<QString>("last");
        QTest::addColumn<bool>("saved");
        QTest::addColumn<QString>("focusBox");
        QTest::newRow("first name of blanks passes") << "   " << "Lee" << true << "";
        QTest::newRow("empty first name") << "" << "Lee" << false << "FirstName_txt";
        QTest::newRow("last name of blanks") << "Ann" << "   " << false << "Lastname_txt";
    }
    void requiredFields() {
        QFETCH(QString, first);
        QFETCH(QString, last);
        QFETCH(bool, saved);
        QFETCH(QString, focusBox);
        TestProgram program;
        newCustomerSetup(program, "0001", 0);
        frmAddCust window;
        QVERIFY(showActive(window));
        window.FirstName_txt->setText(first);
        window.Lastname_txt->setText(last);
        ScriptedBoxes boxes;
        if (saved) boxes.expect("Saved", Box::Answer::Ok);
        window.Save_cmd_Click();
        QVERIFY2(boxes.allAnswered(), qPrintable(boxes.report()));
        QCOMPARE(count("Customers"), saved ? 1 : 0);
        QCOMPARE(gHandOver.CustSaved, saved ? 1 : 0);
        if (saved) QCOMPARE(customerField("C0001", "FirstName"), QString(""));
        else QCOMPARE(QApplication::focusWidget()->objectName(), focusBox);
    }

    // Free-form numbers: typed by the user, checked trimmed and without
    // regard to case, never advancing the counter.
    void freeFormNumbers() {
        TestProgram program;
        newCustomerSetup(program, "0001", 1);
        addCustomer("C5");
        frmAddCust window;
        QVERIFY(showActive(window));
        QVERIFY(window.custid_lbl->isEnabled());
        QVERIFY(window.custid_lbl->text().isEmpty());
        QVERIFY(window.custid_lbl->hasFocus());
        type(window.FirstName_txt, "Bo");
        type(window.Lastname_txt, "Ek");
        const struct { QString number; QString title; } refused[] = {
            {"   ", "Enter Customer ID"}, {"c5", "Customer Number Already In Use"},
            {" C5 ", "Customer Number Already In Use"}};
        for (const auto& r : refused) {
            window.custid_lbl->setText(r.number);
            ScriptedBoxes boxes;
            boxes.expect(r.title, Box::Answer::Ok);
            window.Save_cmd_Click();
            QVERIFY2(boxes.allAnswered(), qPrintable(r.number + ": " + boxes.report()));
            QCOMPARE(count("Customers"), 1);
            QCOMPARE(gHandOver.CustSaved, 0);
        }
        window.custid_lbl->setText(" c9 ");
        ScriptedBoxes boxes;
        boxes.expect("Saved", Box::Answer::Ok);
        window.Save_cmd_Click();
        QVERIFY2(boxes.allAnswered(), qPrintable(boxes.report()));
        QCOMPARE(customerField("c9", "LastName"), QString("Ek"));
        QCOMPARE(window.custid_lbl->text(), QString("c9"));
        QVERIFY(!window.custid_lbl->isEnabled());
        QCOMPARE(value("SELECT CustStart FROM System").toString(), QString("0001"));
    }

    // Leaving the number box checks the number, unless the way out is Exit.
    void numberCheckedOnLeavingTheBox() {
        TestProgram program;
        newCustomerSetup(program, "0001", 1);
        addCustomer("C5");
        frmAddCust window;
        QVERIFY(showActive(window));
        QTest::keyClicks(window.custid_lbl, "c5");
        {
            ScriptedBoxes boxes;
            boxes.expect("Customer Number Already In Use", Box::Answer::Ok);
            QTest::keyClick(window.custid_lbl, Qt::Key_Tab);
            QVERIFY2(boxes.allAnswered(), qPrintable(boxes.report()));
        }
        QTRY_VERIFY(window.custid_lbl->hasFocus());
        // Only the question of Exit itself: no number check on the way out.
        ScriptedBoxes boxes;
        boxes.expect("Save Changes", Box::Answer::No);
        QTest::mouseClick(window.exit_cmd, Qt::LeftButton);
        QVERIFY2(boxes.allAnswered(), qPrintable(boxes.report()));
        QVERIFY(!window.isVisible());
        QCOMPARE(gHandOver.CustSaved, 0);
    }

    // A number taken in other letter case after the proposal was made is
    // refused at the save, with nothing written and no error report.
    void automaticNumberTakenInOtherCase() {
        TestProgram program;
        newCustomerSetup(program, "0005", 0);
        frmAddCust window;
        QCOMPARE(window.custid_lbl->text(), QString("C0005"));
        addCustomer("c0005", "Old", "Owner");
        window.FirstName_txt->setText("New");
        window.Lastname_txt->setText("Owner");
        ScriptedBoxes boxes;
        boxes.expect("Customer Number Already In Use", Box::Answer::Ok);
        window.Save_cmd_Click();
        QVERIFY2(boxes.allAnswered(), qPrintable(boxes.report()));
        QCOMPARE(customerField("c0005", "FirstName"), QString("Old"));
        QCOMPARE(count("Customers"), 1);
        QCOMPARE(gHandOver.CustSaved, 0);
        QCOMPARE(gSettings.CustStart, QString("0005"));
        QCOMPARE(program.endings(), 0);
    }

    void everyNumberInUse() {
        TestProgram program;
        newCustomerSetup(program, "3", 0);
        for (int i = 0; i < 10; ++i) addCustomer(QString("C%1").arg(i));
        ScriptedBoxes boxes;
        boxes.expect("No Free Number", Box::Answer::Ok, "Every number of this width is already in use.");
        frmAddCust window;
        QVERIFY2(boxes.allAnswered(), qPrintable(boxes.report()));
        QCOMPARE(window.custid_lbl->text(), QString());
        window.FirstName_txt->setText("New");
        window.Lastname_txt->setText("Owner");
        window.Save_cmd_Click();
        QCOMPARE(count("Customers"), 10);
        QCOMPARE(gHandOver.CustSaved, 0);
    }

    // An existing customer: every box filled as stored (a stored value
    // longer than the box allows typing stays whole), all written again on
    // save, the discount untouched.
    void editExistingCustomer() {
        TestProgram program;
        program.createDatabase();
        settingsRow("C", "0001", 0);
        const QString longFirst = "Maximiliana-Theodora Ann";   // 24 characters, the box takes 20
        Statement(Database::shared(),
                  "INSERT INTO Customers (CustID, FirstName, LastName, Phone, DelAddress5, Discount, \"Date\", notes) "
                  "VALUES ('C1', ?, 'Lee', '01', 'ZZ1', 7, '2020-03-04', 'two\nlines')")
            .bind(1, longFirst)
            .run();
        addCustomer("C2", "Other", "Person");
        gHandOver.CustNewMode = 0;
        gHandOver.SelectedCustID = "C1";
        frmAddCust window;
        QCOMPARE(window.custid_lbl->text(), QString("C1"));
        QVERIFY(!window.custid_lbl->isEnabled());
        QCOMPARE(window.FirstName_txt->text(), longFirst);
        QCOMPARE(window.delpostcode->text(), QString("ZZ1"));
        QCOMPARE(window.Notes_txt->toPlainText(), QString("two\nlines"));
        QCOMPARE(window.DTPicker1->date(), QDate(2020, 3, 4));
        QVERIFY(!window.isDirty());
        type(window.Phone_txt, "02");
        ScriptedBoxes boxes;
        boxes.expect("Saved", Box::Answer::Ok);
        window.Save_cmd_Click();
        QVERIFY2(boxes.allAnswered(), qPrintable(boxes.report()));
        QCOMPARE(customerField("C1", "Phone"), QString("02"));
        QCOMPARE(customerField("C1", "FirstName"), longFirst);
        QCOMPARE(customerField("C1", "Discount"), QString("7"));
        QCOMPARE(value("SELECT \"Date\" FROM Customers WHERE CustID = 'C1'").toDate(), QDate(2020, 3, 4));
        QCOMPARE(customerField("C2", "FirstName"), QString("Other"));
        QCOMPARE(count("Customers"), 2);
    }

    // The notes hold 200 characters: what does not fit is refused as it is
    // typed or pasted, nothing in the box is cut to make room, and the save
    // stores what the box shows.
    void notesAreNeverCutSilently() {
        TestProgram program;
        program.createDatabase();
        settingsRow("C", "0001", 0);
        addCustomer("C1");
        gHandOver.CustNewMode = 0;
        gHandOver.SelectedCustID = "C1";
        frmAddCust window;
        QVERIFY(showActive(window));
        QPlainTextEdit* notes = window.Notes_txt;
        notes->setFocus();
        QGuiApplication::clipboard()->setText(QString(5027, 'p'));
        notes->paste();
        QCOMPARE(notes->toPlainText(), QString());
        const QString full = QString(199, 'n') + "e";
        QGuiApplication::clipboard()->setText(full);
        notes->paste();
        QCOMPARE(notes->toPlainText(), full);
        notes->moveCursor(QTextCursor::Start);
        QTest::keyClicks(notes, "XY");
        QTest::keyClick(notes, Qt::Key_Return);
        QCOMPARE(notes->toPlainText(), full);
        ScriptedBoxes boxes;
        boxes.expect("Saved", Box::Answer::Ok);
        window.Save_cmd_Click();
        QVERIFY2(boxes.allAnswered(), qPrintable(boxes.report()));
        QCOMPARE(customerField("C1", "notes"), full);
    }

    // The private notes box is two lines high: two whole lines show and no
    // part of a third, at the top of the notes and scrolled alike.
    void notesBoxShowsTwoLines() {
        TestProgram program;
        program.createDatabase();
        settingsRow("C", "0001", 0);
        gHandOver.CustNewMode = 1;
        frmAddCust window;
        QVERIFY(showActive(window));
        QPlainTextEdit* notes = window.Notes_txt;
        notes->setPlainText("Tg one\nTg two\nTg three\nTg four\nTg five");
        for (const auto move : {QTextCursor::Start, QTextCursor::End, QTextCursor::Up, QTextCursor::Up}) {
            notes->moveCursor(move);
            QApplication::processEvents();
            const QRect view = notes->viewport()->rect();
            QStringList whole, part;
            for (QTextBlock line = notes->document()->begin(); line.isValid(); line = line.next()) {
                const QRect place = notes->cursorRect(QTextCursor(line));
                if (view.contains(place)) whole << line.text();
                else if (view.intersects(place)) part << line.text();
            }
            QVERIFY2(whole.size() == 2 && part.isEmpty(),
                     qPrintable(QString("whole: %1; in part: %2").arg(whole.join(", "), part.join(", "))));
        }
    }

    void exitAsksToSave_data() {
        QTest::addColumn<Box::Answer>("answer");
        QTest::addColumn<QString>("lastName");
        QTest::addColumn<bool>("closed");
        QTest::addColumn<int>("customers");
        QTest::newRow("No closes, nothing written") << Box::Answer::No << "Lee" << true << 0;
        QTest::newRow("Yes saves and closes") << Box::Answer::Yes << "Lee" << true << 1;
        QTest::newRow("Yes, save refused: stays open") << Box::Answer::Yes << "" << false << 0;
    }
    void exitAsksToSave() {
        QFETCH(Box::Answer, answer);
        QFETCH(QString, lastName);
        QFETCH(bool, closed);
        QFETCH(int, customers);
        TestProgram program;
        newCustomerSetup(program, "0001", 0);
        frmAddCust window;
        window.show();
        type(window.FirstName_txt, "Ann");
        type(window.address2, "Leeds");
        window.Lastname_txt->setText(lastName);
        ScriptedBoxes boxes;
        boxes.expect("Save Changes", answer, "Do you wish to save changes?");
        if (customers) boxes.expect("Saved", Box::Answer::Ok);
        window.exit_cmd_Click();
        QVERIFY2(boxes.allAnswered(), qPrintable(boxes.report()));
        QCOMPARE(window.isVisible(), !closed);
        QCOMPARE(count("Customers"), customers);
        QCOMPARE(gHandOver.CustSaved, customers);
        QCOMPARE(gHandOver.SavedCustID.trimmed(), QString(customers ? "C0001" : ""));
        QCOMPARE(window.address2->text(), QString("Leeds"));
        QCOMPARE(window.isDirty(), !customers);
    }

    // The main frame's Add Invoice, Yes: the editor opens by name for a new
    // customer; saved, and Yes to an invoice, the invoice editor opens for it.
    void newCustomerThenInvoice() {
        TestProgram program;
        newCustomerSetup(program, "0005", 0);
        registerWindows();
        FakeWindow invoiceEditor("frmAddInv", [] {
            addInvoice("INV1", gHandOver.InvCustID.trimmed(), "50", "20", "30");
            gHandOver.InvSaved = 1;
            gHandOver.SavedInvNo = QString("INV1");
        });
        ScriptedBoxes boxes;
        boxes.expect("Saved", Box::Answer::Ok).expect("Add Invoice", Box::Answer::Yes);
        QTimer::singleShot(0, [] {
            auto* window = qobject_cast<frmAddCust*>(QApplication::activeModalWidget());
            QVERIFY(window);
            type(window->FirstName_txt, "Ann");
            type(window->Lastname_txt, "Lee");
            type(window->Phone_txt, "555");
            window->Save_cmd->click();
            QCOMPARE(window->invoices()->rowCount(), 1);
            QCOMPARE(window->invoices()->text(0, 1), QString("INV1"));
            QCOMPARE(window->Total_lbl->text(), QString("     30.00"));
            QVERIFY(window->Edit_cmd->isEnabled());
            window->exit_cmd->click();
        });
        Opener::show("frmAddCust", nullptr);
        QVERIFY2(boxes.allAnswered(), qPrintable(boxes.report()));
        QCOMPARE(invoiceEditor.opened, 1);
        QCOMPARE(invoiceEditor.seen.InvEditMode, 0);
        QCOMPARE(invoiceEditor.seen.InvCustID, QString("C0005"));
        QCOMPARE(invoiceEditor.seen.InvCustFirstName.trimmed(), QString("Ann"));
        QCOMPARE(invoiceEditor.seen.InvCustLastName.trimmed(), QString("Lee"));
        QCOMPARE(invoiceEditor.seen.InvCustPhone.trimmed(), QString("555"));
        QCOMPARE(invoiceEditor.settingsSeen.CustStart, QString("0005"));
        QCOMPARE(gSettings.CustStart, QString("0006"));
        QCOMPARE(gHandOver.SavedInvNo.trimmed(), QString());
        QCOMPARE(gHandOver.InvCustFirstName.trimmed(), QString());
        QCOMPARE(gHandOver.CustSaved, 1);
        QCOMPARE(gHandOver.SavedCustID.trimmed(), QString("C0005"));
    }

    void optionalFieldsAndCustomize() {
        TestProgram program;
        program.createDatabase();
        settingsRow("C", "0001", 0);
        gSettings.FaxVisible = 2;
        gSettings.shippingVisible = 0;
        gHandOver.CustNewMode = 1;
        {
            Opener::remove("frmCustomerSet");
            frmAddCust window;
            QVERIFY(!window.customize_cmd->isEnabled());
        }
        FakeWindow customerSet("frmCustomerSet", [] { gSettings.FaxVisible = 1; gSettings.mobileVisible = 0; });
        frmAddCust window;
        QVERIFY(window.Fax_txt->isHidden() && window.Fax_lbl->isHidden());
        QVERIFY(window.delpostcode->isHidden() && window.Label5->isHidden() && window.copy_cmd->isHidden());
        QVERIFY(!window.Mobile_txt->isHidden());
        QVERIFY(window.customize_cmd->isEnabled());
        window.customize_cmd->click();
        QCOMPARE(customerSet.opened, 1);
        QVERIFY(!window.Fax_txt->isHidden());
        QVERIFY(window.Mobile_txt->isHidden() && window.mobile_lbl->isHidden());
    }

    void copyBillingToDelivery() {
        TestProgram program;
        newCustomerSetup(program, "0001", 0);
        frmAddCust window;
        window.delAddress1->setText("old street");
        window.delpostcode->setText("old code");
        window.address3->setText("York");
        window.copy_cmd->click();
        QCOMPARE(window.delAddress1->text(), QString());
        QCOMPARE(window.delAddress3->text(), QString("York"));
        QCOMPARE(window.delpostcode->text(), QString());
        QVERIFY(!window.isDirty());
    }

    // A start number that is no number cannot give a proposal: reported.
    void startNumberThatIsNoNumberIsReported() {
        TestProgram program;
        newCustomerSetup(program, "00x1", 0);
        ScriptedBoxes boxes;
        boxes.expect("Error Message", Box::Answer::Ok);
        frmAddCust window;
        QVERIFY2(boxes.allAnswered(), qPrintable(boxes.report()));
        QCOMPARE(program.endings(), 1);
        QVERIFY(program.logFiles().value(0).contains("Newdetails"));
    }

    void hintsAndDefaultButton() {
        TestProgram program;
        newCustomerSetup(program, "0001", 0);
        frmAddCust window;
        QVERIFY(showActive(window));
        QVERIFY(window.FirstName_txt->hasFocus());
        QCOMPARE(window.help_lbl->text(), QString("Please enter first name."));
        window.Save_cmd->setDefault(false);
        window.Phone_txt->setFocus();
        QCOMPARE(window.help_lbl->text(), QString("Please enter phone number."));
        QVERIFY(!window.Save_cmd->isDefault());
        window.address1->setFocus();
        QCOMPARE(window.help_lbl->text(), QString("Please enter address"));
        QVERIFY(!window.Save_cmd->isDefault());
        window.address4->setFocus();
        QCOMPARE(window.help_lbl->text(), QString("Please enter County."));
        QVERIFY(window.Save_cmd->isDefault());
    }
};

QTEST_MAIN(TestCustomerEditor)
#include "test_customereditor.moc"
