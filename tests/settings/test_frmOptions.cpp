#include "SystemRowFixture.h"
#include "widgets/BoxRules.h"
#include "common/Opener.h"
#include "common/SettingsValues.h"
#include "platform/ShortDate.h"
#include "settings/InvoiceLook.h"
#include "settings/frmOptions.h"
#include "shell/WindowRegistry.h"
#include "support/TestSupport.h"
#include <QCheckBox>
#include <QDateEdit>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QStackedWidget>
#include <QTabBar>
#include <QtTest>
#include <memory>

using BoxOf = QAbstractButton* (*)(frmOptions&);

class TestFrmOptions : public QObject {
    Q_OBJECT

private slots:
    void toolsOptionsOpensTheDialog() {
        TestProgram program;
        program.createDatabase();
        Fixture::insertSystemRow({{"BusinessName", "Kelm Tools"}});
        registerWindows();
        QVERIFY(Opener::has("frmInvoiceSet"));
        QVERIFY(Opener::has("frmCustomerSet"));
        ScriptedBoxes boxes;
        QString shownName;
        bool stayedOpen = false;
        QTimer::singleShot(0, [&] {
            QWidget* modal = QApplication::activeModalWidget();
            auto* d = qobject_cast<frmOptions*>(modal);
            if (!d) {
                if (modal) modal->close();
                return;
            }
            shownName = d->Name_txt->text();
            QTest::keyClick(d->Name_txt, Qt::Key_Return);   // Enter presses no button
            stayedOpen = d->isVisible();
            QTest::keyClick(d->Name_txt, Qt::Key_Escape);   // Esc presses Cancel
        });
        QCOMPARE(Opener::show("frmOptions", nullptr), int(QDialog::Rejected));
        QCOMPARE(shownName, QString("Kelm Tools"));
        QVERIFY(stayedOpen);
    }

    void eightTabsOverEightPages() {
        TestProgram program;
        program.createDatabase();
        Fixture::insertSystemRow();
        ScriptedBoxes boxes;
        auto d = Fixture::shown<frmOptions>();
        QCOMPARE(d->windowTitle(), QString("Options"));
        const QStringList captions{"Company", "Currency", "Prefixes", "Set Defaults",
                                   "Invoice 1", "Invoice 2", "Reminders", "Customize"};
        QCOMPARE(d->tbsOptions->count(), 8);
        for (int i = 0; i < 8; ++i) {
            QCOMPARE(d->tbsOptions->tabText(i), captions[i]);
            QVERIFY(!d->tbsOptions->tabIcon(i).isNull());
        }
        QCOMPARE(d->tbsOptions->tabToolTip(0), QString("Set Name & Address"));
        QCOMPARE(d->tbsOptions->tabToolTip(7), QString());
        QCOMPARE(d->Frame1[4]->title(), QString("Invoice 1  Layout"));
        QCOMPARE(d->visiblePage(), 0);
        d->tbsOptions->setCurrentIndex(6);
        QCOMPARE(d->visiblePage(), 6);
        // The credit-note row is never shown.
        QVERIFY(d->CrdPrefix_txt->isHidden() && d->Crd_chk->isHidden() && d->CrdExample_lbl->isHidden());
        QVERIFY(!d->InvPrefix_txt->isHidden());
        QVERIFY(boxes.allAnswered());
    }

    void ctrlTabCyclesThePages() {
        TestProgram program;
        program.createDatabase();
        Fixture::insertSystemRow();
        ScriptedBoxes boxes;
        auto d = Fixture::shown<frmOptions>();
        QCOMPARE(d->focusWidget(), d->Name_txt);
        QTest::keyClick(d->Name_txt, Qt::Key_Tab, Qt::ControlModifier);
        QCOMPARE(d->tbsOptions->currentIndex(), 1);
        QCOMPARE(d->visiblePage(), 1);
        for (int i = 0; i < 7; ++i) QTest::keyClick(d->focusWidget(), Qt::Key_Tab, Qt::ControlModifier);
        QCOMPARE(d->tbsOptions->currentIndex(), 0);
        QCOMPARE(d->visiblePage(), 0);
        QTest::keyClick(d->focusWidget(), Qt::Key_Backtab, Qt::ControlModifier | Qt::ShiftModifier);
        QTest::keyClick(d->focusWidget(), Qt::Key_Tab, Qt::ControlModifier | Qt::AltModifier);
        QCOMPARE(d->tbsOptions->currentIndex(), 0);
        // The chord also reaches the focused control: nothing is typed there.
        d->Name_txt->setText("Kelm");
        QTest::keyClick(d->Name_txt, Qt::Key_Tab, Qt::ControlModifier);
        QCOMPARE(d->Name_txt->text(), QString("Kelm"));
        QCOMPARE(d->tbsOptions->currentIndex(), 1);
    }

    void flagsLoadAndSave_data() {
        QTest::addColumn<QString>("column");
        QTest::addColumn<BoxOf>("box");
        QTest::addColumn<QVariant>("stored");
        QTest::addColumn<bool>("ticked");
        const std::pair<const char*, BoxOf> flags[] = {
            {"TaxEnabled", [](frmOptions& d) -> QAbstractButton* { return d.TaxEnabled_chk; }},
            {"Debtorstart", [](frmOptions& d) -> QAbstractButton* { return d.DebtorStart; }},
            {"FreeFormInv", [](frmOptions& d) -> QAbstractButton* { return d.Inv_chk; }},
            {"FreeFormCrd", [](frmOptions& d) -> QAbstractButton* { return d.Crd_chk; }},
            {"includeterms", [](frmOptions& d) -> QAbstractButton* { return d.look->Terms_Chk; }},
            {"ConfirmAll", [](frmOptions& d) -> QAbstractButton* { return d.ConfirmAll_chk; }},
            {"phoneVisible", [](frmOptions& d) -> QAbstractButton* { return d.customerFields.phone_chk; }},
            {"Text3Visible", [](frmOptions& d) -> QAbstractButton* { return d.look->chk[2]; }},
            {"Present", [](frmOptions& d) -> QAbstractButton* { return d.Present_chk; }},
        };
        for (const auto& [column, box] : flags) {
            QTest::newRow(qPrintable(QString("%1 1").arg(column))) << column << box << QVariant(1) << true;
            QTest::newRow(qPrintable(QString("%1 \"1\"").arg(column))) << column << box << QVariant("1") << true;
            QTest::newRow(qPrintable(QString("%1 2").arg(column))) << column << box << QVariant(2) << false;
            QTest::newRow(qPrintable(QString("%1 Null").arg(column))) << column << box << QVariant() << false;
        }
    }
    void flagsLoadAndSave() {
        QFETCH(QString, column);
        QFETCH(BoxOf, box);
        QFETCH(QVariant, stored);
        QFETCH(bool, ticked);
        TestProgram program;
        program.createDatabase();
        Fixture::insertSystemRow({{column, stored}});
        ScriptedBoxes boxes;
        auto d = Fixture::shown<frmOptions>();
        QCOMPARE(box(*d)->isChecked(), ticked);
        d->cmdApply->click();
        QCOMPARE(Fixture::systemField(column).toString(), QString(ticked ? "1" : "0"));
        QCOMPARE(program.endings(), 0);
        QVERIFY2(boxes.allAnswered(), qPrintable(boxes.report()));
    }

    void invoiceTypeLoadAndSave_data() {
        QTest::addColumn<QString>("stored");
        QTest::addColumn<QString>("selected");   // object name, "" for none
        QTest::addColumn<QString>("saved");
        QTest::newRow("empty") << "" << "Opt1" << "1";
        for (int n = 1; n <= 6; ++n)
            QTest::newRow(qPrintable(QString::number(n))) << QString::number(n) << QString("Opt%1").arg(n)
                                                          << QString::number(n);
        QTest::newRow("7") << "7" << "" << "7";
        QTest::newRow("leading blank") << " 2" << "" << " 2";
    }
    void invoiceTypeLoadAndSave() {
        QFETCH(QString, stored);
        QFETCH(QString, selected);
        QFETCH(QString, saved);
        TestProgram program;
        program.createDatabase();
        Fixture::insertSystemRow({{"InvoiceType", stored}});
        gSettings.InvoiceType = "before";
        ScriptedBoxes boxes;
        auto d = Fixture::shown<frmOptions>();
        QString checked;
        for (QRadioButton* b : d->look->layoutButtons)
            if (b->isChecked()) checked = b->objectName();
        QCOMPARE(checked, selected);
        QCOMPARE(gSettings.InvoiceType, selected.isEmpty() ? QString("before") : saved);
        d->cmdApply->click();
        QCOMPARE(Fixture::systemField("InvoiceType").toString(), saved);
    }

    void nullColumnsLoadSafely() {
        TestProgram program;
        program.createDatabase();
        Recordset rs("System");
        rs.addNew();
        rs.setField("Text3Name", "");
        rs.setField("Text4Name", "");
        rs.update();
        ScriptedBoxes boxes;
        auto d = Fixture::shown<frmOptions>();
        QCOMPARE(program.endings(), 0);
        QCOMPARE(d->Name_txt->text(), QString());
        QCOMPARE(d->InvStart_txt->text(), QString());
        QCOMPARE(d->currency_txt->text(), QString());
        QCOMPARE(d->TaxAmount_txt->text(), QString("0"));
        QVERIFY(!d->Inv_chk->isChecked() && !d->TaxEnabled_chk->isChecked());
        QCOMPARE(d->DTPicker1->date(), QDate(2005, 1, 1));
        QCOMPARE(d->DTPicker2->date(), QDate::currentDate());
        QVERIFY(boxes.allAnswered());
    }

    void unreadableDatesFallBack() {
        TestProgram program;
        program.createDatabase();
        Fixture::insertSystemRow({{"DefaultStart", "soon"}, {"DefaultEnd", ""}, {"Present", 0}});
        ScriptedBoxes boxes;
        auto d = Fixture::shown<frmOptions>();
        QCOMPARE(d->DTPicker1->date(), QDate(2005, 1, 1));
        QCOMPARE(d->DTPicker2->date(), QDate::currentDate());
        d->cmdApply->click();
        QCOMPARE(Fixture::systemField("DefaultStart").toString(), QString("01/01/2005"));
        QCOMPARE(gSettings.DefaultEnd, todayShortDate());
    }

    void textsLoadAndSave() {
        TestProgram program;
        program.createDatabase();
        const QString longName = QString("N").repeated(40);
        Fixture::insertSystemRow({{"BusinessName", longName}, {"TaxAmount", 17.125}, {"DefaultStart", "31/03/2024"},
                                  {"Address", "1 High Street\r\nTown"}});
        ScriptedBoxes boxes;
        auto d = Fixture::shown<frmOptions>();
        // Stored values longer than a box takes by typing are shown whole.
        QCOMPARE(d->Name_txt->text(), longName);
        QCOMPARE(d->TaxAmount_txt->text(), QString("17.125"));
        QCOMPARE(d->Address_txt->toPlainText(), QString("1 High Street\nTown"));
        QCOMPARE(d->DTPicker1->date(), QDate(2024, 3, 31));
        d->TaxName_txt->setText(" GST");
        d->InvPrefix_txt->setText("IN ");
        d->Phone_txt->setText("  555  ");
        d->TaxAmount_txt->setText("1,5");
        d->Reminder2->setPlainText("");
        d->cmdApply->click();
        const QVariantMap row = Fixture::systemRow();
        QCOMPARE(row["BusinessName"].toString(), longName);
        QCOMPARE(row["Address"].toString(), QString("1 High Street\r\nTown"));
        QCOMPARE(row["TaxName"].toString(), QString("GST"));
        QCOMPARE(gSettings.TaxName.text().left(4), QString(" GST"));
        QCOMPARE(row["InvPrefix"].toString(), QString("IN "));
        QCOMPARE(gSettings.InvPrefix, QString("IN "));
        QCOMPARE(row["Phone"].toString(), QString("555"));
        QCOMPARE(row["TaxAmount"].toDouble(), 1.0);
        QCOMPARE(row["Reminder2"].toString(), QString());
        QCOMPARE(row["DefaultStart"].toString(), QString("31/03/2024"));
        QCOMPARE(row["CrdPrefix"].toString(), QString("CRD"));
        QCOMPARE(row["CrdStart"].toString(), QString("200001"));
        QCOMPARE(row["Debtorstart"].toString(), QString("0"));
        QCOMPARE(gSettings.BusinessName.trimmed(), longName.left(30));
        QVERIFY2(boxes.allAnswered(), qPrintable(boxes.report()));
    }

    // What Apply writes and what it puts in memory agree: a restart that
    // loads the row gives the same settings values.
    void savedRowAndValuesAgree() {
        TestProgram program;
        program.createDatabase();
        Fixture::insertSystemRow({{"Address", " 1 High Street\r\nTown "}, {"Text2Name", " Order "},
                                  {"Debtorstart", "1"}, {"TaxAmount", 17.5}, {"logopath", " /x/l.bmp "}});
        ScriptedBoxes boxes;
        auto d = Fixture::shown<frmOptions>();
        d->Option2->click();
        d->customerFields.fax_chk->click();
        d->look->layoutButtons[3]->click();
        d->cmdApply->click();
        SettingsValues reloaded = gSettings;
        Recordset rs("System");
        rs.moveFirst();
        loadSettingsFromRow(rs, reloaded);
        const SettingsValues& s = gSettings;
#define SAME(field) QVERIFY2(reloaded.field == s.field, #field)
        SAME(BusinessName); SAME(Address); SAME(Phone); SAME(Mobile); SAME(Email); SAME(Web);
        SAME(InvPrefix); SAME(CrdPrefix); SAME(CustPrefix); SAME(PartPrefix); SAME(CustStart); SAME(Invstart);
        SAME(CrdStart); SAME(PartStart); SAME(Currency); SAME(TaxName); SAME(TaxNo); SAME(TaxAmount);
        SAME(TaxEnabled); SAME(DefaultStart); SAME(DefaultEnd); SAME(Debtorstart); SAME(Reminder1);
        SAME(Reminder2); SAME(Reminder3); SAME(FreeFormInv); SAME(FreeformCus); SAME(FreeformPart);
        SAME(FreeFormCrd); SAME(includeshipping); SAME(includeterms); SAME(includestatement); SAME(Statement);
        SAME(Terms1); SAME(ConfirmBackup); SAME(ConfirmAll); SAME(FaxVisible); SAME(phoneVisible);
        SAME(emailVisible); SAME(shippingVisible); SAME(mobileVisible); SAME(Text1Visible); SAME(Text2Visible);
        SAME(Text3Visible); SAME(Text4Visible); SAME(Text1Name); SAME(Text2Name); SAME(Text3Name);
        SAME(Text4Name); SAME(Present); SAME(InvoiceType); SAME(logopath);
#undef SAME
        QCOMPARE(s.Address, QString("1 High Street\r\nTown"));
        QCOMPARE(s.Text2Name.trimmed(), QString("Order"));
        QCOMPARE(s.Currency.text(), QString::fromUtf8("£"));
        QCOMPARE(s.TaxAmount, 17.5);
        QCOMPARE(s.Debtorstart, 1);
        QCOMPARE(s.FaxVisible, 0);
        QCOMPARE(s.InvoiceType, QString("4"));
        QCOMPARE(s.logopath, QString("/x/l.bmp"));
    }

    void columnsOutsideTheDialogStayUntouched() {
        TestProgram program;
        program.createDatabase();
        const QVariantMap others{{"Contact", "Ann"}, {"ConfirmExit", 1}, {"DateFormat", "dmy"},
                                 {"includecompany", 1}, {"NextCrd", "c"}, {"NextCust", "u"}, {"NextInv", "i"},
                                 {"NextPart", "p"}, {"Save", 1}, {"ShowShipping", 1}, {"Terms", "old"},
                                 {"webVisible", 1}};
        Fixture::insertSystemRow(others);
        gSettings.ConfirmExit = 7;
        gSettings.webVisible = 8;
        ScriptedBoxes boxes;
        auto d = Fixture::shown<frmOptions>();
        d->cmdOK->click();
        const QVariantMap row = Fixture::systemRow();
        for (auto it = others.begin(); it != others.end(); ++it)
            QCOMPARE(row[it.key()].toString(), it.value().toString());
        QCOMPARE(gSettings.ConfirmExit, 7);
        QCOMPARE(gSettings.webVisible, 8);
        QCOMPARE(d->result(), int(QDialog::Accepted));
    }

    void emptyTableGivesOneRowAfterTwoApplies() {
        TestProgram program;
        program.createDatabase();
        gSettings.Currency = QString("$");
        ScriptedBoxes boxes;
        auto d = Fixture::shown<frmOptions>();
        QVERIFY(d->look->Terms_Chk->isChecked() && d->look->Shipping_chk->isChecked() &&
                d->look->Statement_chk->isChecked());
        QVERIFY(!d->look->sample->shipping1->isHidden());
        QCOMPARE(d->Reminder1->toPlainText(), DefaultTexts::reminder1());
        QCOMPARE(d->InvPrefix_txt->text(), QString("INV"));
        QCOMPARE(d->PrtPrefix_txt->text(), QString("PRT"));
        QCOMPARE(d->currency_txt->text(), QString("$"));
        QCOMPARE(d->DTPicker1->date(), QDate(2004, 12, 17));
        d->Name_txt->setText("First");
        d->cmdApply->click();
        QCOMPARE(Fixture::systemRowCount(), 1);
        QVERIFY(Fixture::systemField("InvoiceType").isNull());
        d->Name_txt->setText("Second");
        d->cmdApply->click();
        QCOMPARE(Fixture::systemRowCount(), 1);
        QCOMPARE(Fixture::systemField("BusinessName").toString(), QString("Second"));
        QCOMPARE(Fixture::systemField("Reminder3").toString(), DefaultTexts::reminder3());
        QCOMPARE(program.endings(), 0);
        QVERIFY2(boxes.allAnswered(), qPrintable(boxes.report()));
    }

    void cancelWritesNothingButRefreshesTheValues() {
        TestProgram program;
        program.createDatabase();
        Fixture::insertSystemRow({{"BusinessName", "  Kelm  "}, {"InvoiceType", ""}});
        const QVariantMap before = Fixture::systemRow();
        ScriptedBoxes boxes;
        auto d = Fixture::shown<frmOptions>();
        QCOMPARE(gSettings.BusinessName.trimmed(), QString("Kelm"));
        QCOMPARE(gSettings.InvoiceType, QString("1"));
        QCOMPARE(gSettings.CrdPrefix, QString("CRD"));
        d->Name_txt->setText("Changed");
        d->look->Erase_cmd->click();
        boxes.expect("Are You Sure?", Box::Answer::Yes);
        d->RestoreReminders_cmd->click();
        d->cmdCancel->click();
        QCOMPARE(d->result(), int(QDialog::Rejected));
        QCOMPARE(Fixture::changedColumns(before, Fixture::systemRow()), QStringList());
        QCOMPARE(gSettings.BusinessName.trimmed(), QString("Kelm"));
        QVERIFY2(boxes.allAnswered(), qPrintable(boxes.report()));
    }

    void restoreDefaultReminders() {
        TestProgram program;
        program.createDatabase();
        Fixture::insertSystemRow({{"Reminder1", "Mine"}, {"Reminder2", DefaultTexts::reminder2()}});
        ScriptedBoxes boxes;
        boxes.expect("Are You Sure?", Box::Answer::No, "restore default reminders")
            .expect("Are You Sure?", Box::Answer::Yes);
        auto d = Fixture::shown<frmOptions>();
        d->RestoreReminders_cmd->click();
        QCOMPARE(d->Reminder1->toPlainText(), QString("Mine"));
        d->RestoreReminders_cmd->click();
        QCOMPARE(d->Reminder1->toPlainText(), DefaultTexts::reminder1());
        QCOMPARE(d->Reminder3->toPlainText(), DefaultTexts::reminder3());
        QCOMPARE(Fixture::systemField("Reminder1").toString(), QString("Mine"));
        d->cmdApply->click();
        QCOMPARE(Fixture::systemField("Reminder1").toString(), DefaultTexts::reminder1());
        QVERIFY2(boxes.allAnswered(), qPrintable(boxes.report()));
    }

    void reminderBoxesHoldWhatTheColumnHolds() {
        TestProgram program;
        program.createDatabase();
        Fixture::insertSystemRow();
        ScriptedBoxes boxes;
        auto d = Fixture::shown<frmOptions>();
        d->Reminder1->setPlainText(QString("a\n").repeated(82));   // 246 characters once stored
        d->Reminder1->moveCursor(QTextCursor::End);
        QTest::keyClick(d->Reminder1, 'w');
        QTest::keyClick(d->Reminder1, Qt::Key_Return);
        QTest::keyClicks(d->Reminder1, "xyz");
        QCOMPARE(BoxRules::storedText(d->Reminder1).size(), 250);
        d->Reminder2->setPlainText(QString("b").repeated(249));
        d->Reminder2->moveCursor(QTextCursor::End);
        QTest::keyClicks(d->Reminder2, "cd");
        QCOMPARE(d->Reminder2->toPlainText(), QString("b").repeated(249) + "c");
        // Typing inside a full box is refused; its end is not cut instead.
        QTextCursor middle = d->Reminder2->textCursor();
        middle.setPosition(10);
        d->Reminder2->setTextCursor(middle);
        QTest::keyClick(d->Reminder2, 'z');
        QCOMPARE(d->Reminder2->toPlainText(), QString("b").repeated(249) + "c");
        d->cmdApply->click();
        QCOMPARE(program.endings(), 0);
        QCOMPARE(Fixture::systemField("Reminder1").toString().size(), 250);
    }
};

QTEST_MAIN(TestFrmOptions)
#include "test_frmOptions.moc"
