#include "SystemRowFixture.h"
#include "common/SettingsValues.h"
#include "settings/frmCustomerSet.h"
#include "settings/frmInvoiceSet.h"
#include "settings/frmOptions.h"
#include "support/TestSupport.h"
#include <QCheckBox>
#include <QPushButton>
#include <QtTest>
#include <memory>

class TestFrmCustomerSet : public QObject {
    Q_OBJECT


private slots:
    // The three settings dialogs ask the window manager for a close button
    // only: no minimize, maximize or other buttons.
    void settingsDialogsHaveACloseButtonOnly_data() {
        QTest::addColumn<QString>("window");
        QTest::newRow("customer fields") << "frmCustomerSet";
        QTest::newRow("Options") << "frmOptions";
        QTest::newRow("invoice settings") << "frmInvoiceSet";
    }
    void settingsDialogsHaveACloseButtonOnly() {
        QFETCH(QString, window);
        TestProgram program;
        program.createDatabase();
        Fixture::insertSystemRow();
        ScriptedBoxes boxes;
        std::unique_ptr<QDialog> d;
        if (window == "frmCustomerSet") d = Fixture::shown<frmCustomerSet>();
        else if (window == "frmOptions") d = Fixture::shown<frmOptions>();
        else d = Fixture::shown<frmInvoiceSet>();
        const Qt::WindowFlags flags = d->windowFlags();
        QCOMPARE(flags & Qt::WindowType_Mask, Qt::Dialog);
        QVERIFY(flags.testFlag(Qt::CustomizeWindowHint));   // else the window manager picks the buttons
        QVERIFY(flags.testFlag(Qt::WindowTitleHint) && flags.testFlag(Qt::WindowCloseButtonHint));
        for (Qt::WindowType button : {Qt::WindowMinimizeButtonHint, Qt::WindowMaximizeButtonHint,
                                      Qt::WindowFullscreenButtonHint, Qt::WindowContextHelpButtonHint,
                                      Qt::WindowShadeButtonHint})
            QVERIFY(!flags.testFlag(button));
    }

    void loadsTicksAndRefreshesTheValues_data() {
        QTest::addColumn<QVariant>("stored");
        QTest::addColumn<bool>("ticked");
        QTest::newRow("1") << QVariant(1) << true;
        QTest::newRow("\"1\"") << QVariant("1") << true;
        QTest::newRow("2") << QVariant(2) << false;
        QTest::newRow("-1") << QVariant(-1) << false;
        QTest::newRow("Null") << QVariant() << false;
    }
    void loadsTicksAndRefreshesTheValues() {
        QFETCH(QVariant, stored);
        QFETCH(bool, ticked);
        TestProgram program;
        program.createDatabase();
        Fixture::insertSystemRow({{"shippingVisible", stored}, {"FaxVisible", 0}});
        ScriptedBoxes boxes;
        auto d = Fixture::shown<frmCustomerSet>();
        QCOMPARE(d->boxes.Shipping1_chk->isChecked(), ticked);
        QVERIFY(!d->boxes.fax_chk->isChecked() && d->boxes.phone_chk->isChecked());
        // Opening alone refreshes the settings values.
        QCOMPARE(gSettings.shippingVisible, ticked ? 1 : 0);
        QCOMPARE(gSettings.phoneVisible, 1);
        d->Ok_cmd->click();
        QCOMPARE(Fixture::systemField("shippingVisible").toInt(), ticked ? 1 : 0);
    }

    void okWritesOnlyTheFiveColumns() {
        TestProgram program;
        program.createDatabase();
        Fixture::insertSystemRow({{"webVisible", 1}, {"Text1Visible", 2}});
        const QVariantMap before = Fixture::systemRow();
        ScriptedBoxes boxes;
        auto d = Fixture::shown<frmCustomerSet>();
        QCOMPARE(d->windowTitle(), QString("Customize Customer Screen"));
        QCOMPARE(d->focusWidget(), d->Cancel_cmd);
        d->boxes.Shipping1_chk->click();
        d->boxes.mobile_chk->click();
        d->Ok_cmd->click();
        QCOMPARE(d->result(), int(QDialog::Accepted));
        const QVariantMap after = Fixture::systemRow();
        QCOMPARE(Fixture::changedColumns(before, after), (QStringList{"mobileVisible", "shippingVisible"}));
        QCOMPARE(after["shippingVisible"].toInt(), 0);
        QCOMPARE(gSettings.mobileVisible, 0);
        QCOMPARE(gSettings.FaxVisible, 1);
    }

    void cancelAndEscWriteNothing() {
        TestProgram program;
        program.createDatabase();
        Fixture::insertSystemRow();
        const QVariantMap before = Fixture::systemRow();
        ScriptedBoxes boxes;
        auto d = Fixture::shown<frmCustomerSet>();
        d->boxes.email_chk->click();
        QTest::keyClick(d.get(), Qt::Key_Escape);
        QVERIFY(d->isVisible());
        d->Cancel_cmd->click();
        QCOMPARE(d->result(), int(QDialog::Rejected));
        QCOMPARE(Fixture::changedColumns(before, Fixture::systemRow()), QStringList());
        QCOMPARE(gSettings.emailVisible, 1);
    }

    void withoutASettingsRowNothingIsWritten() {
        TestProgram program;
        program.createDatabase();
        ScriptedBoxes boxes;
        auto d = Fixture::shown<frmCustomerSet>();
        for (QCheckBox* b : {d->boxes.fax_chk, d->boxes.phone_chk, d->boxes.email_chk, d->boxes.Shipping1_chk,
                             d->boxes.mobile_chk})
            QVERIFY(!b->isChecked());
        d->boxes.phone_chk->click();
        d->Ok_cmd->click();
        QCOMPARE(Fixture::systemRowCount(), 0);
        QCOMPARE(program.endings(), 0);
        QVERIFY2(boxes.allAnswered(), qPrintable(boxes.report()));
    }
};

QTEST_MAIN(TestFrmCustomerSet)
#include "test_frmCustomerSet.moc"
