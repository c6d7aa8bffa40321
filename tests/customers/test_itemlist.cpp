#include "CustomerFixture.h"
#include "common/HandOver.h"
#include "common/Opener.h"
#include "customers/ItemRows.h"
#include "customers/frm_AddPart.h"
#include "customers/frm_Parts.h"
#include "shell/WindowRegistry.h"
#include "support/ItemFixture.h"
#include "support/TestSupport.h"
#include "widgets/ListKit.h"
#include <QAction>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QToolBar>
#include <QTreeView>
#include <QtTest>

using fixture::FakeWindow;

namespace {
QStringList cells(const frm_Parts& w, int row) { return w.items()->row(row).cells; }

// A stand-in editor that stores what a user would save and reports it saved.
void editorSaves(const QString& id, const char* price, const QString& shortDesc = "Saved") {
    Statement(Database::shared(), "DELETE FROM Parts WHERE ID = ?").bind(1, id).run();
    items::add(id, shortDesc, "From the editor", price, 1);
    gHandOver.ItemSaved = 1;
    gHandOver.SavedItemID = id;
}
}  // namespace

class TestItemList : public DatabaseTestCase {
    Q_OBJECT
private slots:
    void rowBuilder_data() {
        QTest::addColumn<QString>("price");
        QTest::addColumn<int>("taxable");
        QTest::addColumn<QStringList>("listCells");
        QTest::addColumn<QStringList>("pickerCells");
        QTest::newRow("cents, taxable") << "12.5" << 1
                                        << QStringList{"P1", "Bolt", "Steel bolt", "        12.50", "Yes"}
                                        << QStringList{"P1", "Bolt", "     12.50", "Steel bolt", "1"};
        QTest::newRow("rounded half up, not taxable")
            << "0.125" << 0 << QStringList{"P1", "Bolt", "Steel bolt", "         0.13", "No"}
            << QStringList{"P1", "Bolt", "      0.13", "Steel bolt", "0"};
        QTest::newRow("ten digits shown whole")
            << "1234567890" << 1 << QStringList{"P1", "Bolt", "Steel bolt", "1234567890.00", "Yes"}
            << QStringList{"P1", "Bolt", "1234567890.00", "Steel bolt", "1"};
        QTest::newRow("wider than the column, whole")
            << "123456789012" << 2 << QStringList{"P1", "Bolt", "Steel bolt", "123456789012.00", "No"}
            << QStringList{"P1", "Bolt", "123456789012.00", "Steel bolt", "2"};
    }
    void rowBuilder() {
        QFETCH(QString, price);
        QFETCH(int, taxable);
        const ItemRecord item{"P1", "Bolt", "Steel bolt", Currency::fromText(price), taxable};
        QTEST(ItemRows::listRow(item).cells, "listCells");
        QTEST(ItemRows::pickerRow(item).cells, "pickerCells");
    }

    // Every item in table order, nulls as empty and "No", the first row
    // selected and focused; columns as captioned.
    void listShowsEveryItem() {
        items::add("B2", "Nut", "Hex nut", "0.5", 0);
        items::add("A1", QVariant(), QVariant(), "12.5", QVariant());
        frm_Parts w;
        w.show();
        QVERIFY(QTest::qWaitForWindowActive(&w));
        QCOMPARE(w.windowTitle(), QString("Items"));
        QCOMPARE(w.items()->rowCount(), 2);
        QCOMPARE(cells(w, 0), (QStringList{"B2", "Nut", "Hex nut", "         0.50", "No"}));
        QCOMPARE(cells(w, 1), (QStringList{"A1", "", "", "        12.50", "No"}));
        QCOMPARE(w.items()->headerData(1, Qt::Horizontal).toString(), QString("Short Descriprtion"));
        QCOMPARE(ListKit::selectedRow(w.Parts_lst), 0);
        QVERIFY(w.Parts_lst->hasFocus());
        QStringList toolbar;
        for (QAction* a : w.Toolbar1->actions()) toolbar << (a->isSeparator() ? "-" : a->text());
        QCOMPARE(toolbar, (QStringList{"-", "Add", "-", "Delete", "-", "Edit", "-", "Help", "-"}));
        // As designed: the window's client area, the list, the "Item ID"
        // column, and the search button's picture.
        QVERIFY2(offDesign(&w, 12180, 7050).isEmpty(), qPrintable(offDesign(&w, 12180, 7050)));
        QVERIFY2(offDesign(w.Parts_lst, 12015, 5415).isEmpty(), qPrintable(offDesign(w.Parts_lst, 12015, 5415)));
        QCOMPARE(w.Parts_lst->columnWidth(0), 87);
        QVERIFY(w.search_cmd->text().isEmpty() && !w.search_cmd->icon().isNull());
        QCOMPARE(w.search_cmd->toolTip(), QString("Find"));
    }

    // Nothing to edit or delete: no editor, no question.
    void emptyListDoesNothing() {
        FakeWindow editor("frm_AddPart");
        frm_Parts w;
        w.show();
        QCOMPARE(ListKit::selectedRow(w.Parts_lst), -1);
        ScriptedBoxes none;
        w.toolbarButton(4)->trigger();
        w.toolbarButton(6)->trigger();
        QTest::keyClick(w.Parts_lst, Qt::Key_Return);
        QTest::mouseDClick(w.Parts_lst->viewport(), Qt::LeftButton, {}, QPoint(5, 5));
        QVERIFY2(none.allAnswered(), qPrintable(none.report()));
        QCOMPARE(editor.opened, 0);
    }

    // Add: the saved item is added as one row keyed "I" + number, at the end
    // or, while sorted, at its sorted place; the other rows are not read again.
    void addPutsOneRowInPlace() {
        items::add("B2");
        items::add("D4");
        FakeWindow editor("frm_AddPart", [] {
            Statement(Database::shared(), "UPDATE Parts SET ShortDesc = 'changed behind'").run();
            editorSaves("C3", "7");
        });
        frm_Parts w;
        w.toolbarButton(2)->trigger();
        QCOMPARE(editor.opened, 1);
        QCOMPARE(editor.seen.ItemNewMode, 1);
        QCOMPARE(w.items()->rowCount(), 3);
        QCOMPARE(cells(w, 2), (QStringList{"C3", "Saved", "From the editor", "         7.00", "Yes"}));
        QCOMPARE(w.items()->key(2), QString("IC3"));
        QCOMPARE(ListKit::selectedRow(w.Parts_lst), 2);
        QCOMPARE(w.items()->text(0, 1), QString("Bolt"));

        w.headerSort()->headerClicked(0);   // ID descending
        QCOMPARE(w.items()->text(0, 0), QString("D4"));
        editor.act = [] { editorSaves("A0", "1"); };
        w.toolbarButton(2)->trigger();
        editor.act = [] { editorSaves("C9", "1"); };
        w.toolbarButton(2)->trigger();
        QStringList order;
        for (int i = 0; i < w.items()->rowCount(); ++i) order << w.items()->text(i, 0);
        QCOMPARE(order, (QStringList{"D4", "C9", "C3", "B2", "A0"}));
        QCOMPARE(ListKit::selectedRow(w.Parts_lst), 1);
    }

    // Edit, by the toolbar, Enter or a double-click: the editor gets the
    // row's number; a save rewrites that one row in place from the table.
    void editRewritesTheSelectedRow() {
        items::add("A1");
        items::add("B2");
        items::add("C3");
        int openings = 0;
        FakeWindow editor("frm_AddPart", [&] {
            ++openings;
            Statement(Database::shared(), "UPDATE Parts SET ShortDesc = 'changed behind' WHERE ID = 'A1'").run();
            editorSaves(gHandOver.EditItemID.trimmed(), openings == 1 ? "12.5" : "99");
        });
        frm_Parts w;
        w.show();
        QVERIFY(QTest::qWaitForWindowActive(&w));
        ListKit::selectRow(w.Parts_lst, 1);
        w.toolbarButton(6)->trigger();
        QCOMPARE(editor.seen.ItemNewMode, 0);
        QCOMPARE(editor.seen.EditItemID.trimmed(), QString("B2"));
        QCOMPARE(cells(w, 1), (QStringList{"B2", "Saved", "From the editor", "        12.50", "Yes"}));
        QCOMPARE(cells(w, 0).at(1), QString("Bolt"));
        QCOMPARE(ListKit::selectedRow(w.Parts_lst), 1);

        ListKit::selectRow(w.Parts_lst, 2);
        QTest::keyClick(w.Parts_lst, Qt::Key_Return);
        QCOMPARE(editor.seen.EditItemID.trimmed(), QString("C3"));
        QCOMPARE(w.items()->text(2, 3), QString("        99.00"));
        const QRect first = w.Parts_lst->visualRect(w.items()->index(0, 0));
        QTest::mouseDClick(w.Parts_lst->viewport(), Qt::LeftButton, {}, first.center());
        QCOMPARE(editor.seen.EditItemID.trimmed(), QString("A1"));
        QCOMPARE(openings, 3);
    }

    // The editor closed without a save: the list stays as it was.
    void closedEditorChangesNothing() {
        items::add("A1");
        FakeWindow editor("frm_AddPart", [] {
            Statement(Database::shared(), "UPDATE Parts SET ShortDesc = 'changed behind'").run();
            gHandOver.ItemSaved = 0;
            gHandOver.SavedItemID = "A1";
        });
        frm_Parts w;
        w.toolbarButton(2)->trigger();
        w.toolbarButton(6)->trigger();
        QCOMPARE(editor.opened, 2);
        QCOMPARE(w.items()->rowCount(), 1);
        QCOMPARE(w.items()->text(0, 1), QString("Bolt"));
    }

    // Delete asks; Yes removes the item from the table and the list, lines
    // of invoices naming it stay; No changes nothing.
    void deleteAsksThenRemoves() {
        items::add("A1");
        items::add("B2");
        items::add("C3");
        Statement(Database::shared(), "INSERT INTO InvoiceD (InvNo, PartID, Description) VALUES ('I1', 'B2', 'x')").run();
        frm_Parts w;
        ListKit::selectRow(w.Parts_lst, 1);
        {
            ScriptedBoxes boxes;
            boxes.expect("Confirm", Box::Answer::No, "Are you sure you want to delete this item");
            w.toolbarButton(4)->trigger();
            QVERIFY2(boxes.allAnswered(), qPrintable(boxes.report()));
        }
        QCOMPARE(items::count(), 3);
        QCOMPARE(w.items()->rowCount(), 3);
        {
            ScriptedBoxes boxes;
            boxes.expect("Confirm", Box::Answer::Yes).expect("Confirm", Box::Answer::Yes);
            w.toolbarButton(4)->trigger();
            QCOMPARE(w.items()->text(1, 0), QString("C3"));
            QCOMPARE(ListKit::selectedRow(w.Parts_lst), 1);
            w.toolbarButton(4)->trigger();   // the last row: the one before takes over
            QVERIFY2(boxes.allAnswered(), qPrintable(boxes.report()));
        }
        QCOMPARE(items::count(), 1);
        QVERIFY(!items::field("B2", "ID").isValid());
        QCOMPARE(w.items()->rowCount(), 1);
        QCOMPARE(ListKit::selectedRow(w.Parts_lst), 0);
        QCOMPARE(fixture::count("InvoiceD"), 1);
        QCOMPARE(gHandOver.EditItemID.trimmed(), QString("C3"));
    }

    // Find: letter case ignored over number, descriptions and the price as
    // shown; never the Taxable column; "Not Found" when nothing matches.
    void findOverTheShownColumns() {
        items::add("A1", "Nut", "Hex nut", "3", 1);
        items::add("B2", "Bolt", "Long Desc here", "12.5", 1);
        frm_Parts w;
        w.show();
        QVERIFY(QTest::qWaitForWindowActive(&w));
        w.search_txt->setFocus();
        QTest::keyClicks(w.search_txt, "desc");
        QTest::keyClick(w.search_txt, Qt::Key_Return);
        QCOMPARE(ListKit::selectedRow(w.Parts_lst), 1);
        QCOMPARE(w.Found_lbl->text(), QString());
        w.search_txt->setText("12.50");
        w.findBox()->find();
        QCOMPARE(ListKit::selectedRow(w.Parts_lst), 1);
        w.search_txt->setText("Yes");
        w.findBox()->find();
        QCOMPARE(w.Found_lbl->text(), QString("Not Found"));
        QCOMPARE(ListKit::selectedRow(w.Parts_lst), 1);
        w.Parts_lst->setFocus();
        w.search_txt->setFocus();
        QCOMPARE(w.Found_lbl->text(), QString());
    }

    // The price column sorts by amount, however wide its texts.
    void sortByPriceAndPictures() {
        items::add("A1", "a", "a", "99999999999");
        items::add("B2", "b", "b", "9999999999");
        items::add("C3", "c", "c", "5");
        frm_Parts w;
        w.headerSort()->headerClicked(3);
        QCOMPARE(w.items()->text(0, 0), QString("A1"));
        QCOMPARE(w.items()->text(2, 0), QString("C3"));
        QCOMPARE(w.items()->headerPicture(3), QString("key1"));
        w.headerSort()->headerClicked(1);
        QCOMPARE(w.items()->text(0, 0), QString("A1"));
        QCOMPARE(w.items()->headerPicture(1), QString("key2"));
        QCOMPARE(w.items()->headerPicture(3), QString());
    }

    void helpShowsItsPage() {
        QString page;
        FakeWindow help("Help_frm", [&] { page = gHandOver.HelpPage.trimmed(); });
        frm_Parts w;
        QVERIFY(w.toolbarButton(8)->isEnabled());
        w.toolbarButton(8)->trigger();
        QCOMPARE(page, QString("Items.htm"));
    }

    // Through the real editor by name: a ten-digit price typed in the
    // editor is stored, listed and edited again without losing a digit.
    void tenDigitPriceThroughTheEditor() {
        items::numbering("PRT", "000001", 0);
        registerWindows();
        QVERIFY(Opener::has("frm_Parts") && Opener::has("frm_AddPart"));
        frm_Parts w;
        QTimer::singleShot(0, [] {
            auto* editor = qobject_cast<frm_AddPart*>(QApplication::activeModalWidget());
            QVERIFY(editor);
            editor->Short_txt->setFocus();
            QTest::keyClicks(editor->Short_txt, "Press");
            editor->long_txt->setFocus();
            QTest::keyClicks(editor->long_txt, "Hydraulic press");
            editor->Price_txt->setFocus();
            QTest::keyClicks(editor->Price_txt, "1234567890");
            QTest::keyClick(editor->Price_txt, Qt::Key_Tab);
            editor->Update_cmd->click();
        });
        w.toolbarButton(2)->trigger();
        QCOMPARE(items::price("PRT000001"), QString("1234567890"));
        QCOMPARE(w.items()->rowCount(), 1);
        QCOMPARE(w.items()->text(0, 3), QString("1234567890.00"));
        QTimer::singleShot(0, [] {
            auto* editor = qobject_cast<frm_AddPart*>(QApplication::activeModalWidget());
            QVERIFY(editor);
            QCOMPARE(editor->Price_txt->text(), QString("1234567890.00"));
            editor->Update_cmd->click();
        });
        w.toolbarButton(6)->trigger();
        QCOMPARE(items::price("PRT000001"), QString("1234567890"));
        QCOMPARE(w.items()->text(0, 3), QString("1234567890.00"));
        QCOMPARE(items::storedPartStart(), QString("000002"));
    }
};

QTEST_MAIN(TestItemList)
#include "test_itemlist.moc"
