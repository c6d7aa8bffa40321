#include "SystemRowFixture.h"
#include "common/SettingsValues.h"
#include "settings/InvoiceLook.h"
#include "settings/frmOptions.h"
#include "support/TestSupport.h"
#include <QCheckBox>
#include <QDateEdit>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTabBar>
#include <QtTest>
#include <memory>

using BoxOfLine = QLineEdit* (*)(frmOptions&);

class TestFrmOptionsEntry : public QObject {
    Q_OBJECT


    // The fixture numbers on file: an invoice, an item and a customer.
    void numbersOnFile() {
        Fixture::insertKey("Invoices", "InvNo", "INV100001");
        Fixture::insertKey("Parts", "ID", "ITE100001");
        Fixture::insertKey("Customers", "CustID", "CUS100001");
    }

private slots:
    void keyFilters_data() {
        QTest::addColumn<BoxOfLine>("box");
        QTest::addColumn<QString>("start");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("expected");
        const BoxOfLine invStart = [](frmOptions& d) { return d.InvStart_txt; };
        const BoxOfLine cusStart = [](frmOptions& d) { return d.CusStart_txt; };
        const BoxOfLine percent = [](frmOptions& d) { return d.TaxAmount_txt; };
        const BoxOfLine prefix = [](frmOptions& d) { return d.InvPrefix_txt; };
        QTest::newRow("start: digits only") << invStart << "" << "1a 2.-3" << "123";
        QTest::newRow("start: eight at most") << cusStart << "" << "1234567890" << "12345678";
        QTest::newRow("percent: one point") << percent << "" << "1.2.3" << "1.23";
        QTest::newRow("percent: letters, minus, comma, blank") << percent << "" << "a-, 5" << "5";
        QTest::newRow("percent: five at most") << percent << "" << "123456" << "12345";
        QTest::newRow("prefix: anything, four at most") << prefix << "" << "a.-bc" << "a.-b";
        QTest::newRow("name: thirty at most")
            << BoxOfLine([](frmOptions& d) { return d.Name_txt; }) << "" << QString("n").repeated(31)
            << QString("n").repeated(30);
        QTest::newRow("currency: one character")
            << BoxOfLine([](frmOptions& d) { return d.currency_txt; }) << "" << "EU" << "E";
    }
    void keyFilters() {
        QFETCH(BoxOfLine, box);
        QFETCH(QString, start);
        QFETCH(QString, typed);
        QFETCH(QString, expected);
        TestProgram program;
        program.createDatabase();
        Fixture::insertSystemRow({{"TaxEnabled", 1}});
        ScriptedBoxes boxes;
        auto d = Fixture::shown<frmOptions>();
        QLineEdit* line = box(*d);
        line->setText(start);
        QTest::keyClicks(line, typed);
        QCOMPARE(line->text(), expected);
    }

    // The filters act on typed characters only: Tab leaves a filtered box,
    // and Esc cancels the dialog from it without saving what was typed.
    void filteredBoxesLetTabAndEscPass_data() {
        QTest::addColumn<BoxOfLine>("box");
        QTest::addColumn<int>("page");
        QTest::newRow("invoice start") << BoxOfLine([](frmOptions& d) { return d.InvStart_txt; }) << 2;
        QTest::newRow("customer start") << BoxOfLine([](frmOptions& d) { return d.CusStart_txt; }) << 2;
        QTest::newRow("tax percentage") << BoxOfLine([](frmOptions& d) { return d.TaxAmount_txt; }) << 1;
    }
    void filteredBoxesLetTabAndEscPass() {
        QFETCH(BoxOfLine, box);
        QFETCH(int, page);
        TestProgram program;
        program.createDatabase();
        Fixture::insertSystemRow({{"TaxEnabled", 1}});
        const QVariantMap stored = Fixture::systemRow();
        ScriptedBoxes boxes;
        auto d = Fixture::shown<frmOptions>();
        d->tbsOptions->setCurrentIndex(page);
        QLineEdit* line = box(*d);
        line->setFocus();
        QTest::keyClick(line, Qt::Key_Tab);
        QVERIFY(QApplication::focusWidget() != line);
        line->setFocus();
        line->end(false);
        QTest::keyClick(line, '7');
        QTest::keyClick(line, Qt::Key_Escape);
        QVERIFY(!d->isVisible());
        QCOMPARE(d->result(), int(QDialog::Rejected));
        QCOMPARE(Fixture::systemRow(), stored);
        QVERIFY2(boxes.allAnswered(), qPrintable(boxes.report()));
    }

    void percentageWithItsTextSelected() {
        TestProgram program;
        program.createDatabase();
        Fixture::insertSystemRow({{"TaxAmount", 17.5}, {"TaxEnabled", 1}});
        ScriptedBoxes boxes;
        auto d = Fixture::shown<frmOptions>();
        QCOMPARE(d->TaxAmount_txt->text(), QString("17.5"));
        d->TaxAmount_txt->selectAll();
        QTest::keyClick(d->TaxAmount_txt, '.');
        QCOMPARE(d->TaxAmount_txt->text(), QString("17.5"));
        QTest::keyClick(d->TaxAmount_txt, Qt::Key_V, Qt::ControlModifier);
        QTest::keyClick(d->TaxAmount_txt, '8');
        QCOMPARE(d->TaxAmount_txt->text(), QString("8"));
        QTest::keyClick(d->TaxAmount_txt, Qt::Key_Backspace);
        QCOMPARE(d->TaxAmount_txt->text(), QString());
    }

    void countryPresetsAndTaxFields() {
        TestProgram program;
        program.createDatabase();
        Fixture::insertSystemRow({{"TaxEnabled", 0}, {"TaxNo", "GB1"}});
        gSettings.Currency = QString("$");
        ScriptedBoxes boxes;
        auto d = Fixture::shown<frmOptions>();
        QVERIFY(d->Option1->isChecked());
        QVERIFY(d->TaxName_txt->isHidden() && d->taxLabels[6]->isHidden());
        d->Option2->click();
        QCOMPARE(d->currency_txt->text(), QString::fromUtf8("£"));
        QCOMPARE(d->TaxName_txt->text(), QString("Vat"));
        QCOMPARE(d->TaxAmount_txt->text(), QString("17.5"));
        QVERIFY(!d->TaxEnabled_chk->isChecked());
        QVERIFY(d->TaxName_txt->isHidden());
        d->TaxEnabled_chk->click();
        QVERIFY(!d->TaxName_txt->isHidden() && !d->TaxAmount_txt->isHidden() && !d->TaxNumber_txt->isHidden());
        for (QLabel* label : d->taxLabels) QVERIFY(!label->isHidden());
        d->Option3->click();
        QCOMPARE(d->currency_txt->text(), QString());
        QCOMPARE(d->TaxName_txt->text(), QString());
        QCOMPARE(d->TaxAmount_txt->text(), QString());
        QCOMPARE(d->TaxNumber_txt->text(), QString("GB1"));
        d->TaxEnabled_chk->click();
        QVERIFY(d->TaxNumber_txt->isHidden());
    }

    void storedCurrencyPicksTheCountry_data() {
        QTest::addColumn<QString>("symbol");
        QTest::addColumn<QString>("country");
        QTest::newRow("dollar") << "$" << "Option1";
        QTest::newRow("pound") << QString::fromUtf8("£") << "Option2";
        QTest::newRow("euro") << QString::fromUtf8("€") << "Option3";
        QTest::newRow("blank") << " " << "Option3";
    }
    void storedCurrencyPicksTheCountry() {
        QFETCH(QString, symbol);
        QFETCH(QString, country);
        TestProgram program;
        program.createDatabase();
        Fixture::insertSystemRow({{"Currency", symbol}, {"TaxName", "Sales Tax"}});
        gSettings.Currency = symbol;
        ScriptedBoxes boxes;
        auto d = Fixture::shown<frmOptions>();
        QVERIFY(d->findChild<QRadioButton*>(country)->isChecked());
        // The stored values win over the country's preset.
        QCOMPARE(d->currency_txt->text(), symbol);
        QCOMPARE(d->TaxName_txt->text(), QString("Sales Tax"));
    }

    void examplesAndFreeFormBoxes() {
        TestProgram program;
        program.createDatabase();
        Fixture::insertSystemRow({{"FreeformPart", 1}});
        ScriptedBoxes boxes;
        auto d = Fixture::shown<frmOptions>();
        QCOMPARE(d->InvExample_lbl->text(), QString("INV100001"));
        QCOMPARE(d->PrtExample_lbl->text(), QString("ITE100001"));
        QVERIFY(!d->PrtPrefix_txt->isEnabled() && !d->PrtStart_txt->isEnabled());
        d->InvPrefix_txt->setFocus();
        QTest::keyClicks(d->InvPrefix_txt, "AB");
        QCOMPARE(d->InvExample_lbl->text(), QString("AB100001"));
        // Text put in without a key shows at the next key release in any row.
        d->CusPrefix_txt->setText("XY");
        QCOMPARE(d->CusExample_lbl->text(), QString("CUS100001"));
        QTest::keyClick(d->InvStart_txt, '7');
        QCOMPARE(d->CusExample_lbl->text(), QString("XY100001"));
        d->Inv_chk->click();
        QVERIFY(!d->InvPrefix_txt->isEnabled() && !d->InvStart_txt->isEnabled());
        QCOMPARE(d->InvExample_lbl->text(), QString("AB1000017"));
        d->Inv_chk->click();
        QVERIFY(d->InvPrefix_txt->isEnabled() && d->InvStart_txt->isEnabled());
    }

    void presentDateGreysTheEndPicker() {
        TestProgram program;
        program.createDatabase();
        Fixture::insertSystemRow({{"Present", 1}, {"DefaultEnd", "05/06/2025"}});
        ScriptedBoxes boxes;
        auto d = Fixture::shown<frmOptions>();
        QVERIFY(!d->DTPicker2->isEnabled());
        d->Present_chk->click();
        QVERIFY(d->DTPicker2->isEnabled());
        QCOMPARE(d->DTPicker2->date(), QDate(2025, 6, 5));
        d->Present_chk->click();
        d->cmdApply->click();
        QCOMPARE(Fixture::systemField("DefaultEnd").toString(), QString("05/06/2025"));
        QCOMPARE(Fixture::systemField("Present").toInt(), 1);
    }

    // Each case: what the boxes hold, and the one box the check answers with.
    void checkSequence_data() {
        QTest::addColumn<QVariantMap>("entries");
        QTest::addColumn<QString>("title");
        QTest::addColumn<QString>("focus");
        QTest::newRow("short invoice start") << QVariantMap{{"Invstart", "123"}} << "Invoice Number" << "InvStart_txt";
        QTest::newRow("blanks around three digits")
            << QVariantMap{{"PartStart", " 123 "}, {"PartPrefix", "P"}} << "Item Number" << "PrtStart_txt";
        QTest::newRow("empty customer start")
            << QVariantMap{{"CustStart", ""}, {"CustPrefix", "C"}} << "Customer Number" << "CusStart_txt";
        QTest::newRow("two short: invoice first")
            << QVariantMap{{"Invstart", "12"}, {"CustStart", "12"}} << "Invoice Number" << "InvStart_txt";
        QTest::newRow("length before use")
            << QVariantMap{{"CustStart", "1"}} << "Customer Number" << "CusStart_txt";
        QTest::newRow("invoice in use, case ignored")
            << QVariantMap{{"InvPrefix", "inv"}, {"PartPrefix", "P"}, {"CustPrefix", "C"}}
            << "Invoice Number Already In Use" << "InvStart_txt";
        QTest::newRow("item in use") << QVariantMap{{"InvPrefix", "I"}, {"CustPrefix", "C"}}
                                     << "Item\\Part Number Already In Use" << "PrtStart_txt";
        QTest::newRow("customer in use") << QVariantMap{{"InvPrefix", "I"}, {"PartPrefix", "P"}}
                                         << "Customer Number Already In Use" << "CusStart_txt";
        QTest::newRow("a shorter number is free")
            << QVariantMap{{"Invstart", "10000"}, {"PartPrefix", "P"}, {"CustPrefix", "C"}} << "All OK" << "";
        QTest::newRow("free form skips both checks")
            << QVariantMap{{"Invstart", "1"}, {"FreeFormInv", 1}, {"FreeformPart", 1}, {"FreeformCus", 1}}
            << "All OK" << "";
    }
    void checkSequence() {
        QFETCH(QVariantMap, entries);
        QFETCH(QString, title);
        QFETCH(QString, focus);
        TestProgram program;
        program.createDatabase();
        numbersOnFile();
        Fixture::insertSystemRow(entries);
        ScriptedBoxes boxes;
        boxes.expect(title, Box::Answer::Ok);
        auto d = Fixture::shown<frmOptions>();
        d->CheckRanges_cmd->click();
        QVERIFY2(boxes.allAnswered(), qPrintable(boxes.report()));
        if (!focus.isEmpty()) {
            QCOMPARE(d->visiblePage(), 2);
            QCOMPARE(d->focusWidget()->objectName(), focus);
        }
    }

    void refusedApplyWritesNothingAndKeepsTheEdits() {
        TestProgram program;
        program.createDatabase();
        numbersOnFile();
        Fixture::insertSystemRow({{"PartPrefix", "P"}, {"CustPrefix", "C"}});
        const QVariantMap before = Fixture::systemRow();
        ScriptedBoxes boxes;
        boxes.expect("Invoice Number Already In Use", Box::Answer::Ok)
            .expect("Invoice Number Already In Use", Box::Answer::Ok)
            .expect("Invoice Number", Box::Answer::Ok, "4 or more");
        auto d = Fixture::shown<frmOptions>();
        d->Name_txt->setText("Edited");
        d->cmdApply->click();
        // Qt activates the dialog again once the box has closed.
        QEvent activation(QEvent::WindowActivate);
        QApplication::sendEvent(d.get(), &activation);
        d->activateOnce();
        QCOMPARE(d->Name_txt->text(), QString("Edited"));
        QCOMPARE(d->tbsOptions->currentIndex(), 0);
        QCOMPARE(d->visiblePage(), 2);
        d->cmdOK->click();
        QVERIFY(d->isVisible());
        QCOMPARE(Fixture::changedColumns(before, Fixture::systemRow()), QStringList());
        // Ctrl+Tab goes on from the selected tab, not from the page in view.
        QTest::keyClick(d->focusWidget(), Qt::Key_Tab, Qt::ControlModifier);
        QCOMPARE(d->visiblePage(), 1);
        d->InvStart_txt->setText("100");
        d->cmdApply->click();
        d->InvStart_txt->setText("100002");
        d->cmdOK->click();
        QCOMPARE(d->result(), int(QDialog::Accepted));
        QCOMPARE(Fixture::systemField("BusinessName").toString(), QString("Edited"));
        QCOMPARE(gSettings.Invstart, QString("100002"));
        QVERIFY2(boxes.allAnswered(), qPrintable(boxes.report()));
    }

    void sampleInvoiceFollowsTheIncludeBoxes() {
        TestProgram program;
        program.createDatabase();
        Fixture::insertSystemRow({{"includeshipping", 0}, {"includeterms", 0}, {"includestatement", 0}});
        ScriptedBoxes boxes;
        auto d = Fixture::shown<frmOptions>();
        const SampleInvoice* s = d->look->sample;
        QVERIFY(s->shipping1->isHidden() && s->terms2->isHidden() && s->statement2->isHidden());
        QVERIFY(s->shipping2->isHidden() && s->terms1->isHidden() && s->statement1->isHidden());
        d->look->Terms_Chk->click();
        QVERIFY(!s->terms2->isHidden() && !s->terms1->isHidden());
        QVERIFY(s->shipping1->isHidden() && s->statement2->isHidden());
    }

    void includeCaptionsFollowTheHeadings() {
        TestProgram program;
        program.createDatabase();
        Fixture::insertSystemRow({{"Text2Name", "Order"}});
        ScriptedBoxes boxes;
        auto d = Fixture::shown<frmOptions>();
        QCOMPARE(d->look->chk[1]->text(), QString("Include Order"));
        d->look->Text[0]->clear();
        QTest::keyClicks(d->look->Text[0], " Rep & Co");
        QCOMPARE(d->look->chk[0]->text(), QString("Include  Rep && Co"));
        d->cmdApply->click();
        QCOMPARE(Fixture::systemField("Text1Name").toString(), QString("Rep & Co"));
        QCOMPARE(gSettings.Text1Name.trimmed(), QString("Rep & Co"));
    }

    void cancelledLogoDialogChangesNothing() {
        TestProgram program;
        program.createDatabase();
        const QString logo = program.file("logo.bmp");
        QImage picture(8, 8, QImage::Format_RGB32);
        picture.fill(Qt::red);
        QVERIFY(picture.save(logo));
        Fixture::insertSystemRow({{"logopath", logo}});
        gSettings.logopath = logo;
        ScriptedBoxes boxes;
        ScriptedFileDialogs files;
        files.answer("");
        auto d = Fixture::shown<frmOptions>();
        QVERIFY(!d->look->logopic->pixmap().isNull());
        d->look->Select_cmd->click();
        QCOMPARE(d->look->path_lbl->text(), logo);
        QVERIFY(!d->look->logopic->pixmap().isNull());
        QVERIFY2(files.allAnswered(), qPrintable(files.report()));
    }
};

QTEST_MAIN(TestFrmOptionsEntry)
#include "test_frmOptions_entry.moc"
