#include "common/HandOver.h"
#include "common/SettingsValues.h"
#include "customers/frm_AddPart.h"
#include "support/ItemFixture.h"
#include "support/TestSupport.h"
#include <QCheckBox>
#include <QClipboard>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QtTest>
#include <memory>

namespace {
std::unique_ptr<frm_AddPart> opened(int newMode, const QString& editId = QString()) {
    gHandOver.ItemNewMode = newMode;
    gHandOver.EditItemID = editId;
    auto w = std::make_unique<frm_AddPart>();
    w->show();
    if (!QTest::qWaitForWindowActive(w.get())) qWarning("editor not active");
    return w;
}

void type(QWidget* box, const QString& text) {
    box->setFocus();
    QTest::keyClicks(box, text);
}

// The entries of a complete new item; the price box is left with Tab.
void fillIn(frm_AddPart& w, const QString& shortDesc, const QString& desc, const QString& price) {
    type(w.Short_txt, shortDesc);
    type(w.long_txt, desc);
    type(w.Price_txt, price);
    QTest::keyClick(w.Price_txt, Qt::Key_Tab);
}

QString focusName() { return QApplication::focusWidget() ? QApplication::focusWidget()->objectName() : QString(); }
}  // namespace

class TestItemEditor : public DatabaseTestCase {
    Q_OBJECT
private slots:
    void automaticNumber_data() {
        QTest::addColumn<QString>("prefix");
        QTest::addColumn<QString>("start");
        QTest::addColumn<QStringList>("used");
        QTest::addColumn<QString>("proposal");
        QTest::addColumn<QString>("nextStart");
        QTest::newRow("empty table") << "PRT" << "100001" << QStringList{} << "PRT100001" << "100002";
        QTest::newRow("used numbers skipped")
            << "PRT" << "100001" << QStringList{"PRT100001", "PRT100002"} << "PRT100003" << "100004";
        QTest::newRow("prefix digits drop out") << "P2" << "0099" << QStringList{} << "P20099" << "0100";
        QTest::newRow("all nines saved wrap") << "PRT" << "999999" << QStringList{} << "PRT999999" << "000000";
        QTest::newRow("proposal wraps past used")
            << "PRT" << "999999" << QStringList{"PRT999999"} << "PRT000000" << "000001";
        // The key ignores case: a number differing only in case is in use.
        QTest::newRow("used in other case") << "PRT" << "100001" << QStringList{"prt100001"} << "PRT100002"
                                            << "100003";
    }
    // A new item numbered automatically: the proposal, the five columns
    // stored, the counter advanced in the row and in memory.
    void automaticNumber() {
        QFETCH(QString, prefix);
        QFETCH(QString, start);
        QFETCH(QStringList, used);
        QFETCH(QString, proposal);
        items::numbering(prefix, start, 0);
        for (const QString& id : used) items::add(id);
        gHandOver.ItemSaved = 0;
        auto w = opened(1);
        QCOMPARE(w->Part_lbl->text(), proposal);
        QVERIFY(!w->Part_lbl->isEnabled());
        QCOMPARE(focusName(), QString("Short_txt"));
        QCOMPARE(w->count_lbl->text(), QString("120"));
        QVERIFY(!w->tax_chk->isChecked());
        fillIn(*w, " Nut ", "Hex nut, M6 ", "12.5");
        QCOMPARE(w->Price_txt->text(), QString("     12.50"));
        QTest::mouseClick(w->tax_chk, Qt::LeftButton);
        ScriptedBoxes none;
        w->Update_cmd->click();
        QVERIFY2(none.allAnswered(), qPrintable(none.report()));
        QVERIFY(!w->isVisible());
        QCOMPARE(items::field(proposal, "ShortDesc").toString(), QString(" Nut "));
        QCOMPARE(items::field(proposal, "Desc").toString(), QString("Hex nut, M6 "));
        QCOMPARE(items::price(proposal), QString("12.5"));
        QCOMPARE(items::field(proposal, "Taxable").toInt(), 1);
        QTEST(items::storedPartStart(), "nextStart");
        QTEST(gSettings.PartStart, "nextStart");
        QCOMPARE(gHandOver.ItemSaved, 1);
        QCOMPARE(gHandOver.SavedItemID.trimmed(), proposal);
        QCOMPARE(items::count(), used.size() + 1);
    }

    // Free-form numbers: typed; one on file in any case or with blanks
    // around is refused and the box gets the focus back; the counter stays.
    void freeFormNumber() {
        items::numbering("PRT", "100001", 1);
        items::add("PRT100001");
        auto w = opened(1);
        QVERIFY(w->Part_lbl->isEnabled());
        QCOMPARE(w->Part_lbl->text(), QString());
        QCOMPARE(focusName(), QString("Part_lbl"));
        type(w->Part_lbl, " prt100001 ");
        fillIn(*w, "Nut", "Hex nut", "1");
        {
            ScriptedBoxes boxes;
            boxes.expect("Item\\Part Number Already In Use", Box::Answer::Ok,
                         "This Item\\Part number has already been used. Please try again!");
            w->Update_cmd->click();
            QVERIFY2(boxes.allAnswered(), qPrintable(boxes.report()));
        }
        QVERIFY(w->isVisible());
        QCOMPARE(focusName(), QString("Part_lbl"));
        QCOMPARE(items::count(), 1);
        w->Part_lbl->selectAll();
        QTest::keyClicks(w->Part_lbl, " X-1 ");
        w->Update_cmd->click();
        QVERIFY(!w->isVisible());
        QCOMPARE(items::field("X-1", "ShortDesc").toString(), QString("Nut"));
        QCOMPARE(items::storedPartStart(), QString("100001"));
        QCOMPARE(gSettings.PartStart, QString("100001"));
    }

    void blankBoxRefused_data() {
        QTest::addColumn<QString>("blank");
        QTest::newRow("number") << "Part_lbl";
        QTest::newRow("short description of blanks") << "Short_txt";
        QTest::newRow("long description") << "long_txt";
        QTest::newRow("price") << "Price_txt";
    }
    // A blank required box: a beep, the focus on it, no message, nothing written.
    void blankBoxRefused() {
        QFETCH(QString, blank);
        items::numbering("P", "1", 1);
        auto w = opened(1);
        const QString number = blank == "Part_lbl" ? "   " : "N1";
        type(w->Part_lbl, number);
        fillIn(*w, blank == "Short_txt" ? "   " : "Nut", blank == "long_txt" ? "" : "Hex nut",
               blank == "Price_txt" ? "" : "2");
        ScriptedBoxes none;
        w->Update_cmd->click();
        QVERIFY2(none.allAnswered(), qPrintable(none.report()));
        QVERIFY(w->isVisible());
        QCOMPARE(focusName(), blank);
        QCOMPARE(items::count(), 0);
    }

    // No to the question: nothing is checked (no in-use message) or written.
    void confirmNoStopsEverything() {
        items::numbering("P", "1", 1);
        gSettings.ConfirmAll = 0;
        items::add("N1");
        auto w = opened(1);
        type(w->Part_lbl, "N1");
        fillIn(*w, "Nut", "Hex nut", "2");
        ScriptedBoxes boxes;
        boxes.expect("Continue?", Box::Answer::No, "Are you sure you want to update?");
        w->Update_cmd->click();
        QVERIFY2(boxes.allAnswered(), qPrintable(boxes.report()));
        QVERIFY(w->isVisible());
        QCOMPARE(items::field("N1", "ShortDesc").toString(), QString("Bolt"));
    }

    // Edit: the stored values shown whole (a ten-digit price, texts longer
    // than the boxes take by typing), the number fixed, no in-use check,
    // the five columns rewritten and nothing cut; the counter stays.
    void editShowsAndSavesWhole() {
        items::numbering("PRT", "000005", 0);
        const QString shortDesc = QString("S").repeated(45);
        const QString desc = QString("Long text ").repeated(15);   // 150 characters
        items::add("PRT000001", shortDesc, desc, "1234567890", QVariant());
        auto w = opened(0, "PRT000001");
        QCOMPARE(w->Part_lbl->text(), QString("PRT000001"));
        QVERIFY(!w->Part_lbl->isEnabled());
        QCOMPARE(w->Short_txt->text(), shortDesc);
        QCOMPARE(w->long_txt->toPlainText(), desc);
        QCOMPARE(w->count_lbl->text(), QString("-30"));
        QCOMPARE(w->Price_txt->text(), QString("1234567890.00"));
        QVERIFY(!w->tax_chk->isChecked());
        QCOMPARE(focusName(), QString("Short_txt"));
        // Leaving the price box keeps every digit.
        w->Price_txt->setFocus();
        QTest::keyClick(w->Price_txt, Qt::Key_Tab);
        QCOMPARE(w->Price_txt->text(), QString("1234567890.00"));
        ScriptedBoxes none;
        w->Update_cmd->click();
        QVERIFY2(none.allAnswered(), qPrintable(none.report()));
        QCOMPARE(items::price("PRT000001"), QString("1234567890"));
        QCOMPARE(items::field("PRT000001", "ShortDesc").toString(), shortDesc);
        QCOMPARE(items::field("PRT000001", "Desc").toString(), desc);
        QCOMPARE(items::field("PRT000001", "Taxable").toInt(), 0);
        QCOMPARE(items::storedPartStart(), QString("000005"));
        QCOMPARE(items::count(), 1);
        QCOMPARE(gHandOver.ItemSaved, 1);
    }

    // Only a stored Taxable of 1 ticks the box; an item not found leaves
    // the window empty and its Update refused.
    void editTaxableAndMissingItem() {
        items::numbering("P", "1", 0);
        items::add("T1", "a", "b", "1", 1);
        items::add("T2", "a", "b", "1", 2);
        QVERIFY(opened(0, "T1")->tax_chk->isChecked());
        QVERIFY(!opened(0, "T2")->tax_chk->isChecked());
        auto w = opened(0, "GONE");
        QCOMPARE(w->Part_lbl->text(), QString());
        w->Update_cmd->click();
        QVERIFY(w->isVisible());
        QCOMPARE(items::count(), 2);
    }

    // The price box takes digits and one point, typed or pasted; with more
    // decimals saved by Enter up to four are kept.
    void priceEntry() {
        items::numbering("P", "1", 1);
        auto w = opened(1);
        type(w->Part_lbl, "N1");
        type(w->Short_txt, "Nut");
        type(w->long_txt, "Hex nut");
        type(w->Price_txt, "1a2-.3 4.5,x");
        QCOMPARE(w->Price_txt->text(), QString("12.345"));
        w->Price_txt->clear();
        QApplication::clipboard()->setText("12,50");
        QTest::keyClick(w->Price_txt, Qt::Key_V, Qt::ControlModifier);
        QCOMPARE(w->Price_txt->text(), QString());
        QApplication::clipboard()->setText("-3");
        QTest::keyClick(w->Price_txt, Qt::Key_V, Qt::ControlModifier);
        QCOMPARE(w->Price_txt->text(), QString());
        QApplication::clipboard()->setText("7.1255");
        QTest::keyClick(w->Price_txt, Qt::Key_V, Qt::ControlModifier);
        QCOMPARE(w->Price_txt->text(), QString("7.1255"));
        QTest::keyClick(w->Price_txt, Qt::Key_Return);
        QVERIFY(!w->isVisible());
        QCOMPARE(items::price("N1"), QString("7.1255"));
    }

    // A full long description: the counter at 0, one more character refused;
    // a text beyond what the column holds is refused by name and kept.
    void longDescription() {
        items::numbering("P", "1", 1);
        auto w = opened(1);
        QVERIFY2(offDesign(w.get(), 7095, 3825).isEmpty(), qPrintable(offDesign(w.get(), 7095, 3825)));
        QVERIFY2(offDesign(w->long_txt, 4215, 1095).isEmpty(), qPrintable(offDesign(w->long_txt, 4215, 1095)));
        type(w->long_txt, QString("x").repeated(120));
        QCOMPARE(w->count_lbl->text(), QString("0"));
        QTest::keyClicks(w->long_txt, "y");
        QCOMPARE(w->long_txt->toPlainText(), QString("x").repeated(120));
        const QString tooLong = QString("z").repeated(201);
        w->long_txt->setPlainText(tooLong);
        type(w->Part_lbl, "N1");
        fillIn(*w, "Nut", "", "1");
        ScriptedBoxes boxes;
        boxes.expect("Please Try Again", Box::Answer::Ok, "The long description can hold at most 200 characters");
        w->Update_cmd->click();
        QVERIFY2(boxes.allAnswered(), qPrintable(boxes.report()));
        QVERIFY(w->isVisible());
        QCOMPARE(w->long_txt->toPlainText(), tooLong);
        QCOMPARE(w->Short_txt->text(), QString("Nut"));
        QCOMPARE(items::count(), 0);
    }

    // Exit or the close box: nothing saved, and the caller is told so.
    void closedWithoutSaving() {
        items::numbering("P", "1", 0);
        for (bool closeBox : {false, true}) {
            gHandOver.ItemSaved = 1;
            auto w = opened(1);
            type(w->Short_txt, "Nut");
            if (closeBox) w->close();
            else w->exit_cmd->click();
            QVERIFY(!w->isVisible());
            QCOMPARE(gHandOver.ItemSaved, 0);
        }
        QCOMPARE(items::count(), 0);
        QCOMPARE(items::storedPartStart(), QString("1"));
    }
};

QTEST_MAIN(TestItemEditor)
#include "test_itemeditor.moc"
