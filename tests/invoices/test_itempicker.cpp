#include "InvoiceFixture.h"
#include "common/HandOver.h"
#include "common/Opener.h"
#include "invoices/frmAddInv.h"
#include "support/FakeWindow.h"
#include "support/ItemFixture.h"
#include "support/TestSupport.h"
#include "widgets/ListKit.h"
#include <QAction>
#include <QCheckBox>
#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTreeView>
#include <QtTest>
#include <memory>

namespace {
std::unique_ptr<frmAddInv> newInvoice() {
    gHandOver.InvEditMode = 0;
    gHandOver.InvCustID = "C1";
    auto w = std::make_unique<frmAddInv>();
    w->show();
    if (!QTest::qWaitForWindowActive(w.get())) qWarning("editor not active");
    return w;
}

void openPicker(frmAddInv& w, int row) { QTest::mouseClick(w.Check1[size_t(row)], Qt::LeftButton); }

int ticked(const frmAddInv& w) {
    int count = 0;
    for (QCheckBox* box : w.Check1) count += box->isChecked() ? 1 : 0;
    return count;
}
}  // namespace

class TestItemPicker : public QObject {
    Q_OBJECT
private slots:
    // One picker at a time, under the row whose box is ticked.
    void opensUnderItsRowOnly() {
        fixture::World world;
        items::add("P1");
        auto w = newInvoice();
        QVERIFY(!w->part_frame->isVisible());
        openPicker(*w, 1);
        QVERIFY(w->part_frame->isVisible());
        QCOMPARE(w->CurRow, 1);
        QVERIFY(w->parts_lst->hasFocus());
        openPicker(*w, 4);
        QVERIFY(!w->Check1[1]->isChecked());
        QVERIFY(w->Check1[4]->isChecked());
        QCOMPARE(ticked(*w), 1);
        QVERIFY(w->part_frame->isVisible());
        QCOMPARE(w->CurRow, 4);
        const QPoint rowBottom = w->Blank[4]->mapTo(w.get(), QPoint(0, w->Blank[4]->height()));
        QCOMPARE(w->part_frame->pos(), rowBottom);
        openPicker(*w, 4);
        QVERIFY(!w->part_frame->isVisible());
        openPicker(*w, 2);
        w->Notes_chk->click();   // the editor's own closing of pickers
        QCOMPARE(ticked(*w), 0);
        QVERIFY(!w->part_frame->isVisible());
    }

    void emptyPickerChoosesNothing() {
        fixture::World world;
        auto w = newInvoice();
        openPicker(*w, 0);
        QCOMPARE(w->pickerItems()->rowCount(), 0);
        w->select_cmd->click();
        QTest::keyClick(w->parts_lst, Qt::Key_A);
        QCOMPARE(w->PartID_txt[0]->text(), QString());
        QCOMPARE(w->Amount_txt[0]->text(), QString());
        QVERIFY(w->part_frame->isVisible());
    }

    void choosingFillsTheRow_data() {
        QTest::addColumn<double>("taxRate");      // 0: tax off
        QTest::addColumn<int>("itemTaxable");
        QTest::addColumn<bool>("tickBefore");
        QTest::addColumn<bool>("tickAfter");
        QTest::addColumn<QString>("subtotal");
        QTest::addColumn<QString>("vat");
        QTest::newRow("tax on, taxable item ticks") << 17.5 << 1 << false << true << "25.00" << "4.38";
        QTest::newRow("tax on, item not taxable unticks") << 17.5 << 0 << true << false << "25.00" << "0.00";
        QTest::newRow("tax off leaves the tick") << 0.0 << 0 << true << true << "25.00" << "0.00";
    }
    // The long description, the price as shown and, with tax on, the tick;
    // the totals follow and the focus goes to the quantity, kept as it was.
    void choosingFillsTheRow() {
        QFETCH(double, taxRate);
        QFETCH(int, itemTaxable);
        QFETCH(bool, tickBefore);
        fixture::World world("INV", "0001", taxRate);
        items::add("A1", "Bolt", "Steel bolt", "1", 1);
        items::add("B2", "Nut", "Hex nut, M6", "12.5", itemTaxable);
        auto w = newInvoice();
        w->Qty_txt[3]->setText("2");
        w->tax[3]->setChecked(tickBefore);
        openPicker(*w, 3);
        ListKit::selectRow(w->parts_lst, 1);
        w->select_cmd->click();
        QCOMPARE(w->PartID_txt[3]->text(), QString("B2"));
        QCOMPARE(w->Desc_txt[3]->text(), QString("Hex nut, M6"));
        QCOMPARE(w->Amount_txt[3]->text(), QString("     12.50"));
        QTEST(w->tax[3]->isChecked(), "tickAfter");
        QCOMPARE(w->Qty_txt[3]->text(), QString("2"));
        QCOMPARE(w->tota1l_txt[3]->text().trimmed(), QString("25.00"));
        QTEST(w->subtotal_txt->text().trimmed(), "subtotal");
        QTEST(w->vat_txt->text().trimmed(), "vat");
        QVERIFY(!w->part_frame->isVisible());
        QVERIFY(!w->Check1[3]->isChecked());
        QVERIFY(w->Qty_txt[3]->hasFocus());
        QCOMPARE(w->PartID_txt[0]->text(), QString());
    }

    // A typed character or a double-click chooses; the arrow keys only move.
    // A ten-digit price and a long description arrive whole.
    void keysAndWholeValues() {
        fixture::World world;
        const QString desc = QString("d").repeated(150);
        items::add("A1", "Bolt", "Steel bolt", "1", 1);
        items::add("PRT000000123", "Press", desc, "1234567890", 1);
        auto w = newInvoice();
        openPicker(*w, 0);
        QTest::keyClick(w->parts_lst, Qt::Key_Down);
        QVERIFY(w->part_frame->isVisible());
        QCOMPARE(ListKit::selectedRow(w->parts_lst), 1);
        QTest::keyClick(w->parts_lst, Qt::Key_X);
        QCOMPARE(w->PartID_txt[0]->text(), QString("PRT000000123"));
        QCOMPARE(w->Desc_txt[0]->text(), desc);
        QCOMPARE(w->Amount_txt[0]->text(), QString("1234567890.00"));
        openPicker(*w, 5);
        const QRect first = w->parts_lst->visualRect(w->pickerItems()->index(0, 0));
        QTest::mouseDClick(w->parts_lst->viewport(), Qt::LeftButton, {}, first.center());
        QCOMPARE(w->PartID_txt[5]->text(), QString("A1"));
        QCOMPARE(w->Amount_txt[5]->text(), QString("      1.00"));
    }

    // Find over number, short description and price; a miss changes nothing
    // and shows nothing; Enter in the box searches.
    void findInThePicker() {
        fixture::World world;
        items::add("A1", "Bolt", "Long desc", "3", 1);
        items::add("B2", "Nut", "Hex", "12.5", 1);
        auto w = newInvoice();
        openPicker(*w, 0);
        w->search_txt->setFocus();
        QTest::keyClicks(w->search_txt, "12.50");
        QTest::keyClick(w->search_txt, Qt::Key_Return);
        QCOMPARE(ListKit::selectedRow(w->parts_lst), 1);
        QVERIFY(w->part_frame->isVisible());
        QCOMPARE(w->PartID_txt[0]->text(), QString());
        ScriptedBoxes none;
        w->search_txt->setText("long");   // the long description is not searched
        w->pickerFind()->find();
        QCOMPARE(ListKit::selectedRow(w->parts_lst), 1);
        QCOMPARE(w->pickerFind()->findPos(), 1);
        w->search_txt->setText("bolt");
        w->pickerFind()->find();
        QCOMPARE(ListKit::selectedRow(w->parts_lst), 0);
        QVERIFY2(none.allAnswered(), qPrintable(none.report()));
        w->pickerSort()->headerClicked(2);
        QCOMPARE(w->pickerItems()->text(0, 0), QString("B2"));
        QCOMPARE(w->pickerItems()->headerPicture(2), QString("key1"));
    }

    // Add Item opens the item list; what was added there is in the picker after.
    void addItemRefillsThePicker() {
        fixture::World world;
        items::add("A1");
        addFakeWindow("frm_Parts", [] { items::add("B2", "New", "Added meanwhile", "4", 0); });
        auto w = newInvoice();
        QCOMPARE(w->pickerItems()->rowCount(), 1);
        QVERIFY(w->toolbarButton(2)->isEnabled());
        w->toolbarButton(2)->trigger();
        QCOMPARE(w->pickerItems()->rowCount(), 2);
        QCOMPARE(w->pickerItems()->text(1, 3), QString("Added meanwhile"));
        Opener::remove("frm_Parts");
    }
};

QTEST_MAIN(TestItemPicker)
#include "test_itempicker.moc"
