#include "common/Functions.h"
#include "common/HandOver.h"
#include "common/MakerWeb.h"
#include "common/Opener.h"
#include "common/SettingsValues.h"
#include "platform/BusyCursor.h"
#include "shell/frmMain.h"
#include "support/FakeWindow.h"
#include "support/TestSupport.h"
#include <QLabel>
#include <QMenu>
#include <QStatusBar>
#include <QToolBar>
#include <QtTest>

namespace {
const QStringList TaskWindows = {"frmCustomer", "frmInvoice", "frmReports", "frmDebtor",  "frm_Parts", "Help_frm",
                                 "FrmExport",   "frmOptions", "frmBrowser", "frmAddCust", "frmsearchCust"};
}

class TestFrmMain : public QObject {
    Q_OBJECT

    std::unique_ptr<TestProgram> program;
    QStringList opened;

    // Every task window and command registered as a fake that notes its opening.
    void registerEverything() {
        for (const QString& name : TaskWindows) addFakeWindow(name, [this, name] { opened << name; });
        for (const QString& name : {QString("Backup"), QString("Restore")})
            Opener::addCommand(name, [this, name](QWidget*) { opened << name; });
    }

private slots:
    void init() {
        program = std::make_unique<TestProgram>();
        program->createDatabase();
        DatabaseReady = 1;   // no wizard: these tests start after the first run
        opened.clear();
    }
    void cleanup() {
        for (const QString& name : TaskWindows) Opener::remove(name);
        Opener::removeCommand("Backup");
        Opener::removeCommand("Restore");
        program.reset();
    }

    void frameLayout() {
        frmMain frame;
        QCOMPARE(frame.windowTitle(), QString("Kelm Invoice"));
        const QStringList captions = {"Customers", "Invoices", "Add Invoice", "Reports",
                                      "Debtors",   "Items",    "Help",        "Exit"};
        QCOMPARE(frame.Toolbar1->actions().size(), 16);
        for (int i = 1; i <= 16; ++i) {
            QAction* entry = frame.toolbarButton(i);
            QCOMPARE(entry->isSeparator(), i % 2 == 0);
            if (i % 2 == 1) {
                QCOMPARE(entry->text(), captions[i / 2]);
                QVERIFY(!entry->icon().isNull());
            }
        }
        QStringList fileMenu;
        for (QAction* a : frame.mnuFile->actions()) fileMenu << (a->isSeparator() ? "-" : a->text());
        QCOMPARE(fileMenu, QStringList({"&Export", "-", "&Save", "&Restore", "-", "&Exit"}));
        QCOMPARE(frame.mnuOptions->text(), QString("&Options"));
        QCOMPARE(frame.mnuWeb->text(), QString("&Web"));
        QCOMPARE(frame.mnuImport->text(), QString("Import"));

        QStringList panels;
        for (int i = 1; i <= 3; ++i)
            panels << frame.StatusBar1->findChild<QLabel*>(QString("Panel%1").arg(i))->text();
        QCOMPARE(panels, QStringList({"Version 1.1", MakerHomePage,
                                      "\"Auto invoice routine available in November\""}));
    }

    // Only what is built can be chosen; Import never.
    void entriesFollowWhatIsRegistered() {
        for (bool everything : {false, true}) {
            if (everything) registerEverything();
            frmMain frame;
            frame.show();
            for (int i : {1, 3, 5, 7, 9, 11, 13}) QCOMPARE(frame.toolbarButton(i)->isEnabled(), everything);
            QVERIFY(frame.toolbarButton(15)->isEnabled());
            for (QAction* entry : {frame.mnuExport, frame.MnuSave, frame.mnurestore, frame.mnuOptions, frame.mnuWeb})
                QCOMPARE(entry->isEnabled(), everything);
            QVERIFY(frame.mnuExit->isEnabled());
            QVERIFY(!frame.mnuImport->isEnabled());
            frame.hide();
        }
    }

    void addInvoiceAloneEnablesWithEitherCustomerWindow() {
        addFakeWindow("frmsearchCust");
        frmMain frame;
        frame.show();
        QVERIFY(frame.toolbarButton(5)->isEnabled());
        QVERIFY(!frame.toolbarButton(1)->isEnabled());
    }

    void toolbarOpensItsWindow_data() {
        QTest::addColumn<int>("index");
        QTest::addColumn<QString>("window");
        QTest::newRow("Customers") << 1 << "frmCustomer";
        QTest::newRow("Invoices") << 3 << "frmInvoice";
        QTest::newRow("Reports") << 7 << "frmReports";
        QTest::newRow("Debtors") << 9 << "frmDebtor";
        QTest::newRow("Items") << 11 << "frm_Parts";
        QTest::newRow("Help") << 13 << "Help_frm";
    }
    void toolbarOpensItsWindow() {
        QFETCH(int, index);
        QFETCH(QString, window);
        registerEverything();
        QString helpPageWhenShown;
        addFakeWindow("Help_frm", [&] { opened << "Help_frm"; helpPageWhenShown = gHandOver.HelpPage.trimmed(); });
        frmMain frame;
        frame.show();
        frame.toolbarButton(index)->trigger();
        QCOMPARE(opened, QStringList{window});
        if (window == "Help_frm") QCOMPARE(helpPageWhenShown, QString("help.htm"));
        QCOMPARE(BusyCursor::depth(), 0);
    }

    void menuOpensItsWindow_data() {
        QTest::addColumn<QString>("entry");
        QTest::addColumn<QString>("window");
        QTest::newRow("Export") << "mnuExport" << "FrmExport";
        QTest::newRow("Save") << "MnuSave" << "Backup";
        QTest::newRow("Restore") << "mnurestore" << "Restore";
        QTest::newRow("Options") << "mnuOptions" << "frmOptions";
        QTest::newRow("Web") << "mnuWeb" << "frmBrowser";
    }
    void menuOpensItsWindow() {
        QFETCH(QString, entry);
        QFETCH(QString, window);
        registerEverything();
        frmMain frame;
        frame.show();
        frame.findChild<QAction*>(entry)->trigger();
        QCOMPARE(opened, QStringList{window});
    }

    void addInvoiceQuestion_data() {
        QTest::addColumn<Box::Answer>("answer");
        QTest::addColumn<QStringList>("expectedOpened");
        QTest::newRow("Yes: new customer") << Box::Answer::Yes << QStringList{"frmAddCust"};
        QTest::newRow("No: search") << Box::Answer::No << QStringList{"frmsearchCust"};
        QTest::newRow("Cancel: nothing") << Box::Answer::Cancel << QStringList{};
    }
    void addInvoiceQuestion() {
        QFETCH(Box::Answer, answer);
        QFETCH(QStringList, expectedOpened);
        int modeWhenShown = -1;
        addFakeWindow("frmAddCust", [&] { opened << "frmAddCust"; modeWhenShown = gHandOver.CustNewMode; });
        addFakeWindow("frmsearchCust", [&] { opened << "frmsearchCust"; });
        frmMain frame;
        frame.show();
        ScriptedBoxes boxes;
        boxes.expect("Add to New Customer", answer, "Do you want to add this invoice to a new customer");
        frame.toolbarButton(5)->trigger();
        QVERIFY2(boxes.allAnswered(), qPrintable(boxes.report()));
        QCOMPARE(boxes.seen().front().buttons, Box::Buttons::YesNoCancel);
        QCOMPARE(opened, expectedOpened);
        if (answer == Box::Answer::Yes) QCOMPARE(modeWhenShown, 1);
        else QCOMPARE(gHandOver.CustNewMode, 0);
        QCOMPARE(BusyCursor::depth(), 0);
    }

    void addInvoiceYesWithoutEditorOpensNothing() {
        addFakeWindow("frmsearchCust", [&] { opened << "frmsearchCust"; });
        frmMain frame;
        frame.show();
        ScriptedBoxes boxes;
        boxes.expect("Add to New Customer", Box::Answer::Yes);
        frame.Toolbar1_ButtonClick(5);
        QVERIFY2(boxes.allAnswered(), qPrintable(boxes.report()));
        QVERIFY(opened.isEmpty());
        QCOMPARE(gHandOver.CustNewMode, 0);
    }

    void shutDownBackupQuestion_data() {
        QTest::addColumn<int>("confirmBackup");
        QTest::addColumn<bool>("backupRegistered");
        QTest::addColumn<Box::Answer>("answer");
        QTest::addColumn<QString>("closedBy");
        QTest::addColumn<bool>("backupRuns");
        QTest::newRow("no question, close box") << 0 << true << Box::Answer::Ok << "close" << false;
        QTest::newRow("No, menu Exit") << 1 << true << Box::Answer::No << "mnuExit" << false;
        QTest::newRow("Yes, toolbar Exit") << 1 << true << Box::Answer::Yes << "toolbar" << true;
        QTest::newRow("Yes, no backup built") << 1 << false << Box::Answer::Yes << "close" << false;
    }
    void shutDownBackupQuestion() {
        QFETCH(int, confirmBackup);
        QFETCH(bool, backupRegistered);
        QFETCH(Box::Answer, answer);
        QFETCH(QString, closedBy);
        QFETCH(bool, backupRuns);
        bool databaseOpenDuringBackup = false;
        if (backupRegistered)
            Opener::addCommand("Backup", [&](QWidget*) {
                opened << "Backup";
                databaseOpenDuringBackup = Connections::jetOpen();
            });
        gSettings.ConfirmBackup = confirmBackup;
        frmMain frame;
        frame.show();
        ScriptedBoxes boxes;
        if (confirmBackup == 1) boxes.expect("Backup?", answer, "Do you wish to backup before exiting?");
        if (closedBy == "mnuExit") frame.mnuExit->trigger();
        else if (closedBy == "toolbar") frame.toolbarButton(15)->trigger();
        else frame.close();
        QVERIFY2(boxes.allAnswered(), qPrintable(boxes.report()));
        QCOMPARE(opened.contains("Backup"), backupRuns);
        if (backupRuns) QVERIFY(databaseOpenDuringBackup);
        QVERIFY(!frame.isVisible());
        QVERIFY(!Connections::jetOpen());
        QVERIFY(!Connections::shapeOpen());
    }

    void shutDownRunsOnce() {
        gSettings.ConfirmBackup = 1;
        frmMain frame;
        frame.show();
        ScriptedBoxes boxes;
        boxes.expect("Backup?", Box::Answer::No);
        frame.close();
        frame.close();
        QVERIFY2(boxes.allAnswered(), qPrintable(boxes.report()));
    }
};

QTEST_MAIN(TestFrmMain)
#include "test_frmMain.moc"
