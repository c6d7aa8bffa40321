// The aged debtors window driven through its widgets, with its reminder
// letters shown through a stand-in preview.
#include "DebtorFixture.h"
#include "common/Functions.h"
#include "common/HandOver.h"
#include "common/SettingsValues.h"
#include "debtors/frmDebtor.h"
#include "platform/Today.h"
#include "reports/PaperSize.h"
#include "reports/ReportPainter.h"
#include "reports/ReportPreview.h"
#include "support/FakeWindow.h"
#include "support/TestSupport.h"
#include "widgets/ListKit.h"
#include <QAbstractItemDelegate>
#include <QCheckBox>
#include <QGroupBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QStyleOptionViewItem>
#include <QToolBar>
#include <QTreeView>
#include <QtTest>

using namespace debtors;

namespace {
QStringList ticked(const ListKit::Model& m) {
    QStringList out;
    for (int r = 0; r < m.rowCount(); ++r)
        if (m.checked(r)) out << m.text(r, frmDebtor::InvNo);
    return out;
}

int rowOf(const ListKit::Model& m, const QString& invNo) {
    for (int r = 0; r < m.rowCount(); ++r)
        if (m.text(r, frmDebtor::InvNo) == invNo) return r;
    return -1;
}

QString shown(const ReportPage& page, const QString& control) {
    const PlacedItem* item = page.find(control);
    return item ? item->text : QString("<none>");
}
}  // namespace

class TestFrmDebtor : public QObject {
    Q_OBJECT
    std::unique_ptr<TestProgram> program;
    std::vector<ReportPages> previews;

    void tick(frmDebtor& w, const QStringList& invNos) {
        for (const QString& n : invNos) w.debtors()->setChecked(rowOf(*w.debtors(), n), true);
    }

    // The stand-in preview keeps the letters it is shown; its user prints every one of them, or not.
    void watchPreviews(bool printedInFull) {
        setReportPreviewHook(
            [this](const ReportPages& pages, const QString& title, QWidget* owner) {
                QCOMPARE(title, QString("Reminder"));
                QVERIFY(qobject_cast<frmDebtor*>(owner));
                previews.push_back(pages);
            },
            printedInFull);
    }

private slots:
    void init() {
        program = std::make_unique<TestProgram>();
        program->createDatabase();
        Today::fix(FixedToday);
        gSettings.BusinessName = QString("Acme Supplies");
        gSettings.Address = "1 Mill Lane\r\nOldtown";
        gSettings.Phone = QString("01234 567");
        gSettings.Reminder1 = "First reminder text.";
        gSettings.Reminder2 = "Second reminder text.";
        gSettings.Reminder3 = "Third reminder text.";
        addCompany();
        previews.clear();
        setPaperSizeSource([] { return QPageSize(QPageSize::A4); });
        watchPreviews(true);
    }
    void cleanup() {
        setReportPreviewHook({});
        setPaperSizeSource({});
        Opener::remove("frmAddInv");
        program.reset();
    }

    void listColumnsRowsAndTotals() {
        gSettings.Debtorstart = 1;
        frmDebtor w;
        QCOMPARE(w.windowTitle(), QString("Aged Debtors"));
        QVERIFY(w.debtor_chk->isChecked());
        QVERIFY(!w.Letter_frame->isVisible());
        const ListKit::Model& m = *w.debtors();
        QStringList headers;
        for (int c = 0; c < m.columnCount(); ++c) headers << m.headerData(c, Qt::Horizontal).toString();
        QCOMPARE(headers, (QStringList{"Cust ID", "Customer", "Phone No.", "Inv No", "0-30 Days", "31-60 Days",
                                       "61+ Days", "Notes", "Reminders"}));
        QCOMPARE(m.rowCount(), 6);
        QCOMPARE(m.row(0).cells, (QStringList{"C1", "Lee, Ann", "0123", "I-today", "     10.00", "      0.00",
                                              "      0.00", "first", "2"}));
        QCOMPARE(m.row(2).cells, (QStringList{"C1", "Lee, Ann", "0123", "I-31", "      0.00", "     30.00",
                                              "      0.00", "", "0"}));
        QCOMPARE(m.text(5, frmDebtor::InvNo), QString("I-1900"));
        QCOMPARE(w.total30->text(), QString("     30.50"));
        QCOMPARE(w.total60->text(), QString("     77.77"));
        QCOMPARE(w.Total61->text(), QString("     51.25"));
        QCOMPARE(w.TotalG->text(), QString("    159.52"));
        QCOMPARE(program->endings(), 0);
        // The amounts sort as amounts: the first click sorts descending.
        w.debtor_lst->header()->sectionClicked(frmDebtor::Days61);
        QCOMPARE(m.text(0, frmDebtor::InvNo), QString("I-61"));
    }

    void noInvoicesShowZeroTotals() {
        Database::shared().exec("DELETE FROM Invoices");
        frmDebtor w;
        QVERIFY(!w.debtor_chk->isChecked());
        QCOMPARE(w.debtors()->rowCount(), 0);
        for (QLabel* total : {w.total30, w.total60, w.Total61, w.TotalG}) QCOMPARE(total->text(), QString("      0.00"));
        ScriptedBoxes boxes;
        boxes.expect("No Records", Box::Answer::Ok, "No letters to print.");
        w.toolbarButton(3)->trigger();
        QVERIFY2(boxes.allAnswered(), qPrintable(boxes.report()));
        QVERIFY(w.Letter_frame->isHidden());
    }

    // Totals too wide for their columns show whole and cover neither each other nor their caption.
    void wideTotalsStandApart() {
        addInvoice("I-big30", "C1", daysAgo(1), money("9999999999.99"));
        addInvoice("I-big60", "C1", daysAgo(40), money("9999999999.99"));
        addInvoice("I-big61", "C1", daysAgo(90), money("9999999999.99"));
        frmDebtor w;
        w.resize(700, 500);
        w.show();
        QVERIFY(QTest::qWaitForWindowExposed(&w));
        const std::vector<QLabel*> row = {w.periodCaption(), w.total30, w.total60, w.Total61};
        for (size_t i = 1; i < row.size(); ++i) {
            QLabel* total = row[i];
            QVERIFY2(total->width() >= total->fontMetrics().horizontalAdvance(total->text()), qPrintable(total->text()));
            QVERIFY2(!row[i - 1]->geometry().intersects(total->geometry()), qPrintable(total->objectName()));
        }
    }

    // Balances as large as an invoice can hold add up whole: two in the
    // first period, one in the second, a thousand in the third (a total of
    // twenty digits), shown whole beside each other, with no error reported.
    void largestBalancesAddUpWhole() {
        Database::shared().exec("DELETE FROM Invoices");
        const char* largest = "922337203685477.57";
        addInvoice("I-30a", "C1", daysAgo(0), money(largest));
        addInvoice("I-30b", "C2", daysAgo(30), money(largest));
        addInvoice("I-60", "C1", daysAgo(45), money(largest));
        {
            Transaction batch;
            for (int i = 0; i < 1000; ++i) addInvoice(QString("I-61-%1").arg(i), "C2", daysAgo(61 + i), money(largest));
            batch.commit();
        }
        ScriptedBoxes noBoxes;   // an error report would come as a box
        frmDebtor w;
        QVERIFY2(noBoxes.allAnswered(), qPrintable(noBoxes.report()));
        QCOMPARE(program->endings(), 0);
        QCOMPARE(w.debtors()->rowCount(), 1003);
        QCOMPARE(w.total30->text(), QString("1844674407370955.14"));
        QCOMPARE(w.total60->text(), QString("922337203685477.57"));
        QCOMPARE(w.Total61->text(), QString("922337203685477570.00"));
        QCOMPARE(w.TotalG->text(), QString("925104215296534002.71"));
        w.resize(700, 500);
        w.show();
        QVERIFY(QTest::qWaitForWindowExposed(&w));
        const std::vector<QLabel*> row = {w.periodCaption(), w.total30, w.total60, w.Total61};
        for (size_t i = 0; i < row.size(); ++i) {
            QVERIFY2(row[i]->width() >= row[i]->fontMetrics().horizontalAdvance(row[i]->text()),
                     qPrintable(row[i]->text()));
            if (i > 0) QVERIFY2(!row[i - 1]->geometry().intersects(row[i]->geometry()), qPrintable(row[i]->objectName()));
        }
        QVERIFY(w.TotalG->width() >= w.TotalG->fontMetrics().horizontalAdvance(w.TotalG->text()));
    }

    // The period buttons only add ticks.
    void selectionButtons() {
        frmDebtor w;
        const ListKit::Model& m = *w.debtors();
        w.Select30->click();
        QCOMPARE(ticked(m), (QStringList{"I-61", "I-1900"}));
        w.Select7_cmd->click();
        QCOMPARE(ticked(m), (QStringList{"I-today", "I-30", "I-61", "I-1900"}));
        w.Unselect_all->click();
        w.Select14->click();
        QCOMPARE(ticked(m), (QStringList{"I-31", "I-60"}));
        w.All_cmd->click();
        QCOMPARE(ticked(m).size(), 6);
        w.Unselect_all->click();
        QVERIFY(ticked(m).isEmpty());
    }

    // View opens the selected invoice and reloads the list; nothing happens without a selection.
    void viewOpensTheSelectedInvoice() {
        int opened = 0;
        HandOverValues seen;
        addFakeWindow("frmAddInv", [&] {
            ++opened;
            seen = gHandOver;
            Database::shared().exec("UPDATE Invoices SET Balance = 0 WHERE InvNo = 'I-31'");
        });
        frmDebtor w;
        w.show();
        QCOMPARE(w.toolbarButton(1)->text(), QString("View"));
        w.debtor_lst->setCurrentIndex(QModelIndex());
        w.toolbarButton(1)->trigger();
        QCOMPARE(opened, 0);
        ListKit::selectRow(w.debtor_lst, 2);
        w.toolbarButton(1)->trigger();
        QCOMPARE(opened, 1);
        QCOMPARE(seen.InvToEdit, QString("I-31"));
        QCOMPARE(seen.InvEditMode, 1);
        QCOMPARE(rowOf(*w.debtors(), "I-31"), -1);
        QCOMPARE(w.total60->text(), QString("     47.77"));
        // A double click views too.
        ListKit::selectRow(w.debtor_lst, 0);
        const QRect first = w.debtor_lst->visualRect(w.debtors()->index(0, frmDebtor::Customer));
        QTest::mouseDClick(w.debtor_lst->viewport(), Qt::LeftButton, {}, first.center());
        QCOMPARE(opened, 2);
        QCOMPARE(seen.InvToEdit, QString("I-today"));
    }

    // A nine-character customer id shows whole beside its tick, as the
    // list's own cell painting wants it.
    void customerIdsShowWhole() {
        frmDebtor w;
        w.show();
        ListKit::Row row = w.debtors()->row(0);
        row.cells[frmDebtor::CustId] = "CUS186165";
        w.debtors()->setRow(0, row);
        QStyleOptionViewItem option;
        option.initFrom(w.debtor_lst);
        option.font = w.debtor_lst->font();
        const QModelIndex cell = w.debtors()->index(0, frmDebtor::CustId);
        QVERIFY(w.debtor_lst->itemDelegate()->sizeHint(option, cell).width() <= w.debtor_lst->columnWidth(frmDebtor::CustId));
    }

    // The letter set-up opens over a disabled window, which keeps its size;
    // Cancel leaves Letters as it was.
    void letterFrameOpensAndCancels() {
        insertRow("Letters", {"CustID"}, {"KEPT"});
        frmDebtor w;
        w.show();
        QApplication::processEvents();
        const QSize size = w.size();
        QCOMPARE(w.Reminder1->toPlainText(), QString("First reminder text."));
        QCOMPARE(w.Signed_txt->text(), QString("Acme Supplies").leftJustified(30));
        QCOMPARE(w.Signed1_txt->text(), QString("Yours Sincerely"));
        QVERIFY(w.Option1->isChecked());
        tick(w, {"I-30"});
        w.toolbarButton(3)->trigger();
        QVERIFY(w.Letter_frame->isVisible());
        QApplication::processEvents();
        QCOMPARE(w.size(), size);
        QCOMPARE(w.Letter_frame->title(), QString("Letter Setup"));
        for (QWidget* c : std::initializer_list<QWidget*>{w.Toolbar1, w.debtor_lst, w.debtor_chk, w.All_cmd,
                                                          w.Unselect_all, w.Select7_cmd, w.Select14, w.Select30,
                                                          w.Command1})
            QVERIFY2(!c->isEnabled(), qPrintable(c->objectName()));
        w.Cancel_cmd->click();
        QVERIFY(w.Letter_frame->isHidden());
        QApplication::processEvents();
        QCOMPARE(w.size(), size);
        QVERIFY(w.debtor_lst->isEnabled() && w.Command1->isEnabled() && w.Toolbar1->isEnabled());
        QCOMPARE(rows("SELECT CustID FROM Letters"), (std::vector<QStringList>{{"KEPT"}}));
        QVERIFY(previews.empty());
        // Esc cancels the set-up as Cancel does, and then closes the window.
        w.toolbarButton(3)->trigger();
        QTest::keyClick(w.Signed1_txt, Qt::Key_Escape);
        QVERIFY(w.Letter_frame->isHidden());
        QVERIFY(w.isVisible() && w.Command1->isEnabled());
        QTest::keyClick(w.debtor_lst, Qt::Key_Escape);
        QVERIFY(!w.isVisible());
    }

    // Two invoices of one customer: two letters, each its own invoice, with
    // the edited second reminder. Letters printed in full ask whether to
    // count them, and the answer decides the counts; letters only looked at,
    // or printed in part, count nothing and ask nothing.
    void printingLettersAndCounts_data() {
        QTest::addColumn<bool>("printed");
        QTest::addColumn<bool>("yes");
        QTest::newRow("printed, Yes") << true << true;
        QTest::newRow("printed, No") << true << false;
        QTest::newRow("not printed in full") << false << false;
    }
    void printingLettersAndCounts() {
        QFETCH(bool, printed);
        QFETCH(bool, yes);
        watchPreviews(printed);
        frmDebtor w;
        w.show();
        tick(w, {"I-today", "I-61"});
        w.toolbarButton(3)->trigger();
        w.Option2->setChecked(true);
        w.Reminder2->setPlainText("Edited: please pay now.");
        ScriptedBoxes boxes;
        if (printed)
            boxes.expect("Update Reminders Sent", yes ? Box::Answer::Yes : Box::Answer::No,
                         "Do you want to update the amount of reminders sent for the invoices selected?");
        w.OK_cmd->click();
        QVERIFY2(boxes.allAnswered(), qPrintable(boxes.report()));
        if (printed) QCOMPARE(boxes.seen()[0].buttons, Box::Buttons::YesNo);
        QCOMPARE(w.LetterCount, 2);
        QCOMPARE(w.LettersPrinted, printed);
        // The letters' rows are let go once the preview has closed.
        QVERIFY(!ShapeRs);
        QVERIFY(w.Letter_frame->isHidden());
        QVERIFY(w.Command1->isEnabled());

        QCOMPARE(int(previews.size()), 1);
        const ReportPages& pages = previews[0];
        QCOMPARE(int(pages.pages.size()), 2);
        const QStringList invoices = {"I-today", "I-61"}, balances = {"10.00", "50.25"};
        const QStringList dates = {"10/12/2026", "10/10/2026"};
        for (int i = 0; i < 2; ++i) {
            const ReportPage& page = pages.pages[size_t(i)];
            QCOMPARE(shown(page, "companyadd"),
                     QString("Acme Supplies").leftJustified(30) + "\r\n1 Mill Lane\r\nOldtown\r\n" +
                         QString("01234 567").leftJustified(30));
            // Right-aligned, its lines end at one edge: the blanks that pad the name and phone take no room.
            QCOMPARE(fittedText(page, *page.find("companyadd")).lines,
                     (QStringList{"Acme Supplies", "1 Mill Lane", "Oldtown", "01234 567"}));
            QCOMPARE(shown(page, "firstname_txt"), QString("Ann Lee"));
            QCOMPARE(shown(page, "dear_txt"), QString("Ann Lee"));
            QCOMPARE(shown(page, "address_txt"), QString("1 High St\r\nTown\r\nAB1 2CD"));
            QCOMPARE(shown(page, "invno_txt"), invoices[i]);
            QCOMPARE(shown(page, "Date_txt"), dates[i]);
            QCOMPARE(shown(page, "Total_txt"), QString("250.75"));
            QCOMPARE(shown(page, "balance_txt"), balances[i]);
            QCOMPARE(shown(page, "date_lbl"), QString("10/12/2026"));
            QCOMPARE(shown(page, "Main_lbl"), QString("Edited: please pay now."));
            QCOMPARE(shown(page, "signed1"), QString("Yours Sincerely"));
            QCOMPARE(shown(page, "Signed"), QString("Acme Supplies").leftJustified(30));
        }
        QCOMPARE(gSettings.Reminder2, QString("Second reminder text."));

        const ListKit::Model& m = *w.debtors();
        QCOMPARE(m.text(rowOf(m, "I-today"), frmDebtor::Reminders), yes ? QString("3") : QString("2"));
        QCOMPARE(m.text(rowOf(m, "I-61"), frmDebtor::Reminders), yes ? QString("1") : QString("0"));
        QCOMPARE(ticked(m), yes ? QStringList() : (QStringList{"I-today", "I-61"}));
        QCOMPARE(program->endings(), 0);

        frmDebtor again;
        QCOMPARE(again.Reminder2->toPlainText(), QString("Second reminder text."));
    }

    // A ticked row whose customer went away after the list was read writes
    // no letter; with none written, no preview and no question.
    void nothingWrittenNothingShown() {
        frmDebtor w;
        tick(w, {"I-30"});
        Database::shared().exec("DELETE FROM Customers WHERE CustID = 'C2'");
        w.toolbarButton(3)->trigger();
        ScriptedBoxes boxes;
        boxes.expect("No Records", Box::Answer::Ok, "No letters to print.");
        w.OK_cmd->click();
        QVERIFY2(boxes.allAnswered(), qPrintable(boxes.report()));
        QCOMPARE(w.LetterCount, 0);
        QVERIFY(!w.LettersPrinted);
        QVERIFY(previews.empty());
        QCOMPARE(value("SELECT COUNT(*) FROM Letters").toInt(), 0);
    }

    // A ticked row skipped because its customer went away after the list was
    // read gets no letter, and Yes counts only the letters printed.
    void skippedRowsAreNotCounted() {
        frmDebtor w;
        tick(w, {"I-today", "I-30", "I-61"});
        Database::shared().exec("DELETE FROM Customers WHERE CustID = 'C2'");
        w.toolbarButton(3)->trigger();
        ScriptedBoxes boxes;
        boxes.expect("Update Reminders Sent", Box::Answer::Yes);
        w.OK_cmd->click();
        QVERIFY2(boxes.allAnswered(), qPrintable(boxes.report()));
        QCOMPARE(w.LetterCount, 2);
        QCOMPARE(int(previews.at(0).pages.size()), 2);
        QCOMPARE(rows("SELECT InvNo, ReminderSent FROM Invoices WHERE InvNo IN ('I-today', 'I-30', 'I-61') "
                      "ORDER BY rowid"),
                 (std::vector<QStringList>{{"I-today", "3"}, {"I-30", "<null>"}, {"I-61", "1"}}));
    }

    // Letters that cannot be read are reported, never shown as an empty
    // printing, and nothing is asked about reminders.
    void unreadableLettersAreReported() {
        frmDebtor w;
        tick(w, {"I-30"});
        w.toolbarButton(3)->trigger();
        Connections::closeShape();
        ScriptedBoxes boxes;
        boxes.expect("Error Message", Box::Answer::Ok, "Print_cmd");
        w.OK_cmd->click();
        QVERIFY2(boxes.allAnswered(), qPrintable(boxes.report()));
        QCOMPARE(program->endings(), 1);
        QVERIFY(!w.LettersPrinted);
        QVERIFY(previews.empty());
    }

    // A logo that is missing or no picture prints the letter without it; the
    // program goes on.
    void logos_data() {
        QTest::addColumn<QByteArray>("content");    // empty: no file
        QTest::addColumn<QString>("message");
        QTest::addColumn<bool>("printed");
        QTest::newRow("picture") << QByteArray("png") << "" << true;
        QTest::newRow("missing") << QByteArray() << "Logo cannot be found" << false;
        QTest::newRow("not a picture") << QByteArray("not a picture") << "the letter prints without it" << false;
    }
    void logos() {
        QFETCH(QByteArray, content);
        QFETCH(QString, message);
        QFETCH(bool, printed);
        gSettings.logopath = program->file("logo.png");
        if (content == "png") {
            QImage logo(40, 30, QImage::Format_RGB32);
            logo.fill(Qt::red);
            QVERIFY(logo.save(gSettings.logopath));
        } else if (!content.isEmpty()) {
            QFile f(gSettings.logopath);
            QVERIFY(f.open(QIODevice::WriteOnly));
            f.write(content);
        }
        frmDebtor w;
        tick(w, {"I-30"});
        w.toolbarButton(3)->trigger();
        ScriptedBoxes boxes;
        if (!message.isEmpty()) boxes.expect("Logo!", Box::Answer::Ok, message);
        boxes.expect("Update Reminders Sent", Box::Answer::No);
        w.OK_cmd->click();
        QVERIFY2(boxes.allAnswered(), qPrintable(boxes.report()));
        QCOMPARE(int(previews.size()), 1);
        const PlacedItem* image = previews[0].pages[0].find("Image1");
        QVERIFY(image);
        QCOMPARE(!image->control().picture.isNull(), printed);
        QCOMPARE(program->endings(), 0);

        // The letter is made once a run: a second printing neither loads nor asks again.
        w.toolbarButton(3)->trigger();
        ScriptedBoxes again;
        again.expect("Update Reminders Sent", Box::Answer::No);
        w.OK_cmd->click();
        QVERIFY2(again.allAnswered(), qPrintable(again.report()));
        QCOMPARE(int(previews.size()), 2);
        QCOMPARE(!previews[1].pages[0].find("Image1")->control().picture.isNull(), printed);
    }

    void closingSavesTheStartUpChoice() {
        insertRow("System", {"BusinessName", "Debtorstart", "TaxAmount", "Text3Name", "Text4Name"},
                  {"Acme", "0", 0.0, "", ""});
        {
            frmDebtor w;
            w.show();
            w.debtor_chk->setChecked(true);
            w.Command1->click();
            QVERIFY(!w.isVisible());
        }
        QCOMPARE(value("SELECT Debtorstart FROM System").toString(), QString("1"));
        QCOMPARE(gSettings.Debtorstart, 1);
        frmDebtor w;
        QVERIFY(w.debtor_chk->isChecked());
        w.show();
        w.debtor_chk->setChecked(false);
        w.close();
        QCOMPARE(value("SELECT Debtorstart FROM System").toString(), QString("0"));
        QCOMPARE(gSettings.Debtorstart, 0);
    }
};

QTEST_MAIN(TestFrmDebtor)
#include "test_frmdebtor.moc"
