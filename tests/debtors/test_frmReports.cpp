// The reports window: its list and range on opening, and how a report is
// chosen and shown (the preview caught, so nothing waits on it).
#include "ExportFixture.h"
#include "ReportWatch.h"
#include "common/Opener.h"
#include "common/SettingsValues.h"
#include "common/WindowNames.h"
#include "debtors/frmReports.h"
#include "platform/Today.h"
#include "shell/WindowRegistry.h"
#include "support/TestSupport.h"
#include <QApplication>
#include <QDateEdit>
#include <QTimer>
#include <QListWidget>
#include <QPushButton>
#include <QtTest>

using namespace ExportFixture;

namespace {
QPoint centreOf(QListWidget* list, int row) { return list->visualItemRect(list->item(row)).center(); }
}

class TestFrmReports : public DatabaseTestCase {
    Q_OBJECT
private slots:
    void opensWithItsListAndRange_data() {
        QTest::addColumn<int>("present");
        QTest::addColumn<QDate>("to");
        QTest::newRow("range ends today") << 1 << ExportFixture::Today;
        QTest::newRow("stored range") << 0 << QDate(2026, 2, 3);
    }
    void opensWithItsListAndRange() {
        QFETCH(int, present);
        QFETCH(QDate, to);
        Today::fix(ExportFixture::Today);
        gSettings.DefaultStart = "01/01/2005";
        gSettings.DefaultEnd = "03/02/2026";
        gSettings.Present = present;
        frmReports window;
        QCOMPARE(window.windowTitle(), QString("Reports"));
        QStringList entries;
        for (int i = 0; i < window.list1->count(); ++i) entries << window.list1->item(i)->text();
        QCOMPARE(entries, (QStringList{"Customers - Summary", "Customers - Detailed", "Invoices - Summary",
                                       "Invoices and Invoice Details", "Items", "Debtors"}));
        QCOMPARE(window.list1->currentRow(), 0);
        QCOMPARE(window.DTPicker1->date(), QDate(2005, 1, 1));
        QCOMPARE(window.DTPicker2->date(), to);
        QCOMPARE(window.Select_cmd->text(), QString("&Select"));
        QCOMPARE(window.exit_cmd->text(), QString("&Exit"));
    }

    // Select, a double click and Enter in the list all show the chosen report over the pickers' range.
    void choosingAReportShowsIt() {
        addAll();
        ReportWatch watch;
        frmReports window;
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        window.DTPicker1->setDate(From);
        window.DTPicker2->setDate(To);
        window.list1->setCurrentRow(2);
        window.Select_cmd->click();
        QCOMPARE(watch.titles, QStringList{"Invoice Summary"});
        QCOMPARE(watch.owner, &window);
        QCOMPARE(watch.texts("InvNo"), (QStringList{"INV1", "INV2"}));
        QCOMPARE(watch.texts("Date_lbl"), QStringList{"From 01/10/2026 To 01/12/2026"});

        QTest::mouseClick(window.list1->viewport(), Qt::LeftButton, {}, centreOf(window.list1, 4));
        QCOMPARE(watch.shown.size(), size_t(1));
        QTest::mouseDClick(window.list1->viewport(), Qt::LeftButton, {}, centreOf(window.list1, 4));
        QCOMPARE(watch.titles.back(), QString("Parts"));

        window.list1->setFocus();
        QVERIFY(window.Select_cmd->isDefault());
        window.list1->setCurrentRow(0);
        QTest::keyClick(window.list1, Qt::Key_Return);
        QCOMPARE(watch.titles.back(), QString("Customer Information"));
        QCOMPARE(watch.texts("CUSTID"), (QStringList{"C1", "C2"}));
        QCOMPARE(program->endings(), 0);
    }

    void withNoEntryChosenNothingHappens() {
        ReportWatch watch;
        frmReports window;
        window.list1->clearSelection();
        window.Select_cmd->click();
        QVERIFY(watch.shown.empty());
    }

    void exitCloses() {
        frmReports window;
        window.show();
        window.exit_cmd->click();
        QVERIFY(!window.isVisible());
    }

    // The main frame's Reports button opens this window.
    void isRegistered() {
        registerWindows();
        QVERIFY(Opener::has(Windows::frmReports));
        bool shown = false;
        QTimer::singleShot(0, this, [&shown] {
            auto* window = qobject_cast<frmReports*>(QApplication::activeModalWidget());
            shown = window != nullptr;
            if (window) window->exit_cmd->click();
        });
        Opener::show(Windows::frmReports, nullptr);
        QVERIFY(shown);
    }
};

QTEST_MAIN(TestFrmReports)
#include "test_frmReports.moc"
