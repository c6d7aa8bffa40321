#include "common/Functions.h"
#include "widgets/BoxRules.h"
#include "common/SettingsValues.h"
#include "platform/BusyCursor.h"
#include "platform/Recordset.h"
#include "platform/ShortDate.h"
#include "settings/DefaultTexts.h"
#include "settings/frm_setup.h"
#include "support/TestSupport.h"
#include <QApplication>
#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QtTest>

class TestFrmSetup : public QObject {
    Q_OBJECT

    std::unique_ptr<TestProgram> program;
    std::unique_ptr<frm_setup> wizard;

    void openWizard() {
        wizard = std::make_unique<frm_setup>();
        wizard->show();
    }
    void goToPrefixes() {
        wizard->Next_cmd->click();
        wizard->Next_cmd->click();
    }
    void finishWithYes() {
        ScriptedBoxes boxes;
        boxes.expect("Update?", Box::Answer::Yes, "Are you sure you want to update?");
        wizard->Finish_cmd->click();
        QVERIFY2(boxes.allAnswered(), qPrintable(boxes.report()));
    }
    int settingsRows() {
        Recordset rs("System");
        return rs.recordCount();
    }
    QVariant firstRow(const QString& column) {
        Recordset rs("System");
        rs.moveFirst();
        return rs.field(column);
    }
    QList<bool> pagesShown() {
        QList<bool> shown;
        for (QGroupBox* page : wizard->Frame1) shown << page->isVisible();
        return shown;
    }
    void addRow(const std::map<QString, QVariant>& values) {
        Recordset rs("System");
        rs.addNew();
        for (const auto& [column, value] : values) rs.setField(column, value);
        rs.update();
    }

    // Entries unlike every default, to show each one reaches its column.
    void fillEveryBox() {
        wizard->Name_txt->setText("  Acme Ltd  ");
        wizard->Address_txt->setPlainText("1 High Street\nSpringfield");
        wizard->Phone_txt->setText(" 0123 456 ");
        wizard->Mobile_txt->setText("07700 900");
        wizard->email_txt->setText("sales@acme.example");
        wizard->WebAddress_txt->setText("acme.example");
        wizard->Option3->click();
        wizard->currency_txt->setText(QString::fromUtf8("€"));
        wizard->TaxEnabled_chk->click();
        wizard->TaxName_txt->setText("GST");
        wizard->TaxAmount_txt->setText("8.25");
        wizard->TaxNumber_txt->setText("T-42");
        wizard->InvPrefix_txt->setText("IN ");
        wizard->InvStart_txt->setText("000100");
        wizard->PrtPrefix_txt->setText("P");
        wizard->PrtStart_txt->setText("5000");
        wizard->Cus_chk->click();
        wizard->Crd_chk->click();
    }

private slots:
    void init() {
        program = std::make_unique<TestProgram>();
        program->createDatabase();
    }
    void cleanup() {
        wizard.reset();
        program.reset();
    }

    void pagesAndButtons() {
        openWizard();
        QVERIFY(QTest::qWaitForWindowActive(wizard.get()));
        QCOMPARE(wizard->windowTitle(), QString("Company Setup"));
        QCOMPARE(pagesShown(), QList<bool>({true, false, false}));
        QVERIFY(!wizard->Back_cmd->isEnabled());
        QVERIFY(wizard->Next_cmd->isVisible());
        QVERIFY(!wizard->Finish_cmd->isVisible());
        QVERIFY(wizard->TaxName_txt->isHidden());

        // Paging by the keyboard: each page opens with the focus in its first box.
        wizard->Next_cmd->setFocus();
        QTest::keyClick(wizard->Next_cmd, Qt::Key_Space);
        QCOMPARE(pagesShown(), QList<bool>({false, true, false}));
        QVERIFY(wizard->Back_cmd->isEnabled());
        QVERIFY(!wizard->Finish_cmd->isVisible());
        QCOMPARE(QApplication::focusWidget(), wizard->currency_txt);

        wizard->Next_cmd->setFocus();
        QTest::keyClick(wizard->Next_cmd, Qt::Key_Space);
        QCOMPARE(pagesShown(), QList<bool>({false, false, true}));
        QVERIFY(!wizard->Next_cmd->isVisible());
        QVERIFY(wizard->Finish_cmd->isVisible());
        QVERIFY(!wizard->CrdStart_txt->isVisible());   // the credit-note row is never shown
        QCOMPARE(QApplication::focusWidget(), wizard->InvPrefix_txt);

        wizard->Back_cmd->click();
        QCOMPARE(pagesShown(), QList<bool>({false, true, false}));
        QVERIFY(wizard->Next_cmd->isVisible());
        QVERIFY(!wizard->Finish_cmd->isVisible());
        QCOMPARE(QApplication::focusWidget(), wizard->currency_txt);

        wizard->Back_cmd->click();
        QCOMPARE(wizard->SetupPage, 0);
        QCOMPARE(pagesShown(), QList<bool>({true, false, false}));
        QCOMPARE(QApplication::focusWidget(), wizard->Name_txt);
        QVERIFY(!wizard->Back_cmd->isEnabled());
    }

    void startNumberLengths_data() {
        QTest::addColumn<QString>("invStart");
        QTest::addColumn<bool>("invFreeForm");
        QTest::addColumn<QString>("prtStart");
        QTest::addColumn<QString>("cusStart");
        QTest::addColumn<QString>("crdStart");
        QTest::addColumn<QString>("refusedTitle");   // empty: all pass
        QTest::addColumn<QString>("refusedBox");
        QTest::newRow("invoice 123") << "123" << false << "100001" << "100001" << "200001" << "Invoice Number"
                                     << "InvStart_txt";
        QTest::newRow("invoice empty") << "" << false << "100001" << "100001" << "200001" << "Invoice Number"
                                       << "InvStart_txt";
        QTest::newRow("invoice 123 free-form") << "123" << true << "100001" << "100001" << "200001" << "" << "";
        QTest::newRow("four digits") << "1234" << false << "1234" << "1234" << "200001" << "" << "";
        QTest::newRow("blanks around four digits") << "  1234 " << false << "100001" << "100001" << "200001" << ""
                                                   << "";
        QTest::newRow("blanks around three digits") << " 123 " << false << "100001" << "100001" << "200001"
                                                    << "Invoice Number" << "InvStart_txt";
        QTest::newRow("invoice and item short: invoice only") << "12" << false << "12" << "100001" << "200001"
                                                              << "Invoice Number" << "InvStart_txt";
        QTest::newRow("item short") << "100001" << false << "999" << "12" << "200001" << "Item Number"
                                    << "PrtStart_txt";
        QTest::newRow("customer short") << "100001" << false << "100001" << "12" << "200001" << "Customer Number"
                                        << "CusStart_txt";
        QTest::newRow("credit never tested") << "100001" << false << "100001" << "100001" << "1" << "" << "";
    }
    void startNumberLengths() {
        QFETCH(QString, invStart);
        QFETCH(bool, invFreeForm);
        QFETCH(QString, prtStart);
        QFETCH(QString, cusStart);
        QFETCH(QString, crdStart);
        QFETCH(QString, refusedTitle);
        QFETCH(QString, refusedBox);
        openWizard();
        goToPrefixes();
        wizard->InvStart_txt->setText(invStart);
        wizard->Inv_chk->setChecked(invFreeForm);
        wizard->PrtStart_txt->setText(prtStart);
        wizard->CusStart_txt->setText(cusStart);
        wizard->CrdStart_txt->setText(crdStart);

        ScriptedBoxes boxes;
        if (refusedTitle.isEmpty()) boxes.expect("Update?", Box::Answer::No);
        else boxes.expect(refusedTitle, Box::Answer::Ok, "Please enter a number 4 or more numbers long!");
        wizard->Finish_cmd->click();
        QVERIFY2(boxes.allAnswered(), qPrintable(boxes.report()));
        if (!refusedTitle.isEmpty()) {
            QCOMPARE(boxes.seen().front().icon, Box::Icon::Exclamation);
            QCOMPARE(wizard->focusWidget()->objectName(), refusedBox);
        }
        // Either way the wizard stays on its last page with every entry kept, and nothing is stored.
        QVERIFY(wizard->isVisible());
        QCOMPARE(wizard->SetupPage, 2);
        QCOMPARE(wizard->InvStart_txt->text(), invStart);
        QCOMPARE(settingsRows(), 0);
        QCOMPARE(DatabaseReady, 0);
    }

    void countryPresetsAndTaxFields() {
        openWizard();
        wizard->Next_cmd->click();
        QVERIFY(wizard->Option1->isChecked());
        QCOMPARE(wizard->currency_txt->text(), QString("$"));
        wizard->TaxNumber_txt->setText("GB 123");

        wizard->Option2->click();
        QCOMPARE(wizard->currency_txt->text(), QString::fromUtf8("£"));
        QCOMPARE(wizard->TaxName_txt->text(), QString("Vat"));
        QCOMPARE(wizard->TaxAmount_txt->text(), QString("17.5"));
        QVERIFY(!wizard->TaxEnabled_chk->isChecked());
        QVERIFY(wizard->TaxAmount_txt->isHidden());

        wizard->TaxEnabled_chk->click();
        for (QWidget* field : {static_cast<QWidget*>(wizard->Tax1_lbl), static_cast<QWidget*>(wizard->tax7_lbl),
                               static_cast<QWidget*>(wizard->TaxName_txt), static_cast<QWidget*>(wizard->TaxNumber_txt)})
            QVERIFY(field->isVisible());
        wizard->TaxEnabled_chk->click();
        QVERIFY(wizard->TaxName_txt->isHidden());
        QVERIFY(wizard->Tax6_lbl->isHidden());
        QVERIFY(wizard->Label14->isVisible());

        wizard->Option3->click();
        QCOMPARE(wizard->currency_txt->text(), QString());
        QCOMPARE(wizard->TaxName_txt->text(), QString());
        QCOMPARE(wizard->TaxAmount_txt->text(), QString());
        QCOMPARE(wizard->TaxNumber_txt->text(), QString("GB 123"));

        // UK chosen, tax left off: the hidden boxes are stored all the same.
        wizard->Option2->click();
        wizard->Next_cmd->click();
        finishWithYes();
        QCOMPARE(firstRow("TaxEnabled").toInt(), 0);
        QCOMPARE(firstRow("TaxName").toString(), QString("Vat"));
        QCOMPARE(firstRow("TaxAmount").toDouble(), 17.5);
        QCOMPARE(gSettings.TaxAmount, 17.5);
    }

    void keyFiltersAndExamples() {
        openWizard();
        wizard->Next_cmd->click();
        QLineEdit* percent = wizard->TaxAmount_txt;
        percent->clear();
        QTest::keyClicks(percent, "1.2.3");
        QCOMPARE(percent->text(), QString("1.23"));
        QTest::keyClick(percent, Qt::Key_Backspace);
        QTest::keyClicks(percent, "a-, x");
        QCOMPARE(percent->text(), QString("1.2"));

        wizard->Next_cmd->click();
        QLineEdit* start = wizard->InvStart_txt;
        start->clear();
        QTest::keyClicks(start, "12a.3 -4");
        QCOMPARE(start->text(), QString("1234"));
        QTest::keyClicks(start, "567890");
        QCOMPARE(start->text(), QString("12345678"));   // eight at most

        // Every key released in a numbering box refreshes all four examples; pasting does not.
        wizard->PrtPrefix_txt->setText("AB");
        QCOMPARE(wizard->PrtExample_lbl->text(), QString("ITE100001"));
        QTest::keyClicks(wizard->CrdPrefix_txt, "X");
        QCOMPARE(wizard->CrdExample_lbl->text(), QString("CRDX200001"));
        QCOMPARE(wizard->PrtExample_lbl->text(), QString("AB100001"));
        QCOMPARE(wizard->InvExample_lbl->text(), QString("INV12345678"));
        QTest::keyClicks(wizard->InvPrefix_txt, "ABCDE");
        QCOMPARE(wizard->InvPrefix_txt->text(), QString("INVA"));

        // A free-form row disables its boxes and keeps its example.
        wizard->Part_chk->click();
        QVERIFY(!wizard->PrtPrefix_txt->isEnabled());
        QVERIFY(!wizard->PrtStart_txt->isEnabled());
        QCOMPARE(wizard->PrtExample_lbl->text(), QString("AB100001"));
        wizard->Part_chk->click();
        QVERIFY(wizard->PrtStart_txt->isEnabled());
    }

    // Tab leaves the filtered boxes as it leaves any box; the next digits do not land there.
    void tabLeavesTheFilteredBoxes() {
        openWizard();
        QApplication::setActiveWindow(wizard.get());
        wizard->Next_cmd->click();
        wizard->TaxEnabled_chk->click();
        auto tabOutOf = [](QLineEdit* box) {
            box->setText("1000");
            box->setFocus();
            QTest::keyClick(box, Qt::Key_Tab);
            QVERIFY(QApplication::focusWidget() != box);
            QTest::keyClicks(QApplication::focusWidget(), "5");
            QCOMPARE(box->text(), QString("1000"));
        };
        tabOutOf(wizard->TaxAmount_txt);
        wizard->Next_cmd->click();
        for (QLineEdit* box : {wizard->InvStart_txt, wizard->PrtStart_txt, wizard->CusStart_txt}) tabOutOf(box);
    }

    // The address limit counts line breaks as they are stored, so a full box fits its column.
    void fullAddressFitsItsColumn() {
        openWizard();
        for (int i = 0; i < 5; ++i) {   // the keys past 150 stored characters are refused
            QTest::keyClicks(wizard->Address_txt, QString(30, QChar('a' + i)));
            if (i < 4) QTest::keyClick(wizard->Address_txt, Qt::Key_Return);
        }
        QCOMPARE(BoxRules::storedText(wizard->Address_txt).size(), 150);
        goToPrefixes();
        finishWithYes();
        QCOMPARE(program->endings(), 0);
        const QString stored = firstRow("Address").toString();
        QCOMPARE(stored.size(), 150);
        QVERIFY(stored.startsWith(QString(30, 'a') + "\r\n" + QString(30, 'b')));
    }

    // Cancel, and Esc alike, ask before everything typed is lost.
    void cancel_data() {
        QTest::addColumn<bool>("byEsc");
        QTest::newRow("Cancel") << false;
        QTest::newRow("Esc") << true;
    }
    void cancel() {
        QFETCH(bool, byEsc);
        openWizard();
        wizard->Name_txt->setText("Acme");
        auto cancel = [this, byEsc] {
            if (byEsc) QTest::keyClick(wizard->Name_txt, Qt::Key_Escape);
            else wizard->Cancel_cmd->click();
        };
        {
            ScriptedBoxes boxes;
            boxes.expect("Cancel?", Box::Answer::No, "Are you sure you want to cancel?");
            cancel();
            QVERIFY2(boxes.allAnswered(), qPrintable(boxes.report()));
            QVERIFY(wizard->isVisible());
            QCOMPARE(wizard->Name_txt->text(), QString("Acme"));
        }
        ScriptedBoxes boxes;
        boxes.expect("Cancel?", Box::Answer::Yes);
        cancel();
        QVERIFY2(boxes.allAnswered(), qPrintable(boxes.report()));
        QVERIFY(!wizard->isVisible());
        QCOMPARE(wizard->result(), int(QDialog::Rejected));
        QCOMPARE(DatabaseReady, 0);
        QCOMPARE(settingsRows(), 0);
        QCOMPARE(gSettings.BusinessName.trimmed(), QString());
    }

    void finishWritesTheFirstRow() {
        openWizard();
        fillEveryBox();
        goToPrefixes();
        finishWithYes();
        QVERIFY(!wizard->isVisible());
        QCOMPARE(wizard->result(), int(QDialog::Accepted));
        QCOMPARE(DatabaseReady, 1);
        QCOMPARE(BusyCursor::depth(), 0);
        QCOMPARE(settingsRows(), 1);

        const std::map<QString, QVariant> written = {
            {"BusinessName", "Acme Ltd"}, {"Address", "1 High Street\r\nSpringfield"}, {"Phone", " 0123 456 "},
            {"Mobile", "07700 900"}, {"Email", "sales@acme.example"}, {"Web", "acme.example"},
            {"InvPrefix", "IN "}, {"CustPrefix", "CUS"}, {"PartPrefix", "P"}, {"CrdPrefix", "CRD"},
            {"CustStart", "100001"}, {"Invstart", "000100"}, {"CrdStart", "200001"}, {"PartStart", "5000"},
            {"Currency", QString::fromUtf8("€")}, {"TaxName", "GST"}, {"TaxNo", "T-42"}, {"TaxAmount", 8.25},
            {"TaxEnabled", 1}, {"FreeFormInv", 0}, {"FreeformCus", 1}, {"FreeformPart", 0}, {"FreeFormCrd", 1},
            {"DefaultStart", "01/01/2005"}, {"DefaultEnd", todayShortDate()}, {"Debtorstart", "0"},
            {"Reminder1", DefaultTexts::reminder1()}, {"Reminder2", DefaultTexts::reminder2()},
            {"Reminder3", DefaultTexts::reminder3()}, {"includestatement", 1}, {"includeterms", 1},
            {"includeshipping", 0}, {"Statement", "Thank you for your business"},
            {"Terms1", "Terms & Conditions:\r\nTo edit terms & conditions goto Options on the main menu and "
                       "select the Invoice tab."},
            {"ConfirmBackup", 1}, {"ConfirmAll", 0}, {"FaxVisible", 1}, {"phoneVisible", 1}, {"emailVisible", 1},
            {"shippingVisible", 1}, {"mobileVisible", 1}, {"Text1Visible", 1}, {"Text2Visible", 1},
            {"Text3Visible", 1}, {"Text4Visible", 1}, {"Text1Name", "Sales Person"}, {"Text2Name", "Shipping No"},
            {"Text3Name", "Sales No"}, {"Text4Name", "Tracking No"}, {"Present", 1}, {"InvoiceType", "1"}};
        QCOMPARE(written.size(), size_t(51));
        Recordset rs("System");
        rs.moveFirst();
        for (const auto& [column, value] : written)
            QVERIFY2(rs.field(column) == value,
                     qPrintable(column + ": " + rs.field(column).toString() + " != " + value.toString()));
        for (const char* column : {"Contact", "DateFormat", "logopath", "NextCrd", "NextCust", "NextInv", "NextPart",
                                   "Terms"})
            QVERIFY2(rs.field(column).isNull(), column);
        for (const char* column : {"ConfirmExit", "includecompany", "Save", "ShowShipping", "webVisible"})
            QVERIFY2(rs.field(column).toInt() == 0 && !rs.field(column).isNull(), column);

        // The settings values follow the same boxes.
        QCOMPARE(gSettings.BusinessName, FixedText<30>("Acme Ltd"));
        QCOMPARE(gSettings.Phone, FixedText<30>(" 0123 456 "));
        QCOMPARE(gSettings.Address, QString("1 High Street\r\nSpringfield"));
        QCOMPARE(gSettings.Currency, FixedText<1>(QString::fromUtf8("€")));
        QCOMPARE(gSettings.TaxAmount, 8.25);
        QCOMPARE(gSettings.InvPrefix, QString("IN "));
        QCOMPARE(gSettings.FreeformCus, 1);
        QCOMPARE(gSettings.FreeformPart, 0);
        QCOMPARE(gSettings.DefaultEnd, todayShortDate());
        QCOMPARE(gSettings.Text2Name.trimmed(), QString("Shipping No"));
        QCOMPARE(gSettings.ConfirmBackup, 1);
        QCOMPARE(gSettings.Present, 1);
    }

    void reloadGivesTheSameSettings() {
        openWizard();
        fillEveryBox();
        goToPrefixes();
        finishWithYes();
        const SettingsValues afterFinish = gSettings;

        program->closeDatabase();
        gSettings = SettingsValues();
        program->openDatabase();
        QVERIFY(loadSettingsValues());
        QVERIFY(gSettings == afterFinish);
    }

    void emptyPercentageStoresZero() {
        openWizard();
        goToPrefixes();
        finishWithYes();
        QCOMPARE(firstRow("TaxAmount").toDouble(), 0.0);
        QCOMPARE(firstRow("PartPrefix").toString(), QString("ITE"));
        QCOMPARE(firstRow("CrdStart").toString(), QString("200001"));
        QCOMPARE(gSettings.TaxAmount, 0.0);
    }

    void finishOverwritesTheFirstRowOnly() {
        addRow({{"BusinessName", "Old name"}, {"Contact", "Old contact"}, {"logopath", "/pictures/logo.bmp"},
                {"webVisible", 1}, {"ConfirmExit", 1}, {"Text3Name", "x"}, {"Text4Name", "y"}});
        addRow({{"BusinessName", "Second"}, {"Text3Name", "x"}, {"Text4Name", "y"}});
        openWizard();
        wizard->Name_txt->setText("New name");
        goToPrefixes();
        finishWithYes();
        QCOMPARE(settingsRows(), 2);
        Recordset rs("System");
        rs.moveFirst();
        QCOMPARE(rs.field("BusinessName").toString(), QString("New name"));
        QCOMPARE(rs.field("Text3Name").toString(), QString("Sales No"));
        QCOMPARE(rs.field("Contact").toString(), QString("Old contact"));
        QCOMPARE(rs.field("logopath").toString(), QString("/pictures/logo.bmp"));
        QCOMPARE(rs.field("webVisible").toInt(), 1);
        QCOMPARE(rs.field("ConfirmExit").toInt(), 1);
        rs.moveNext();
        QCOMPARE(rs.field("BusinessName").toString(), QString("Second"));
        // What the wizard does not write keeps its value in memory too.
        QCOMPARE(gSettings.logopath, QString());
        QCOMPARE(gSettings.webVisible, 0);
        QCOMPARE(gSettings.BusinessName.trimmed(), QString("New name"));
    }
};

QTEST_MAIN(TestFrmSetup)
#include "test_frm_setup.moc"
