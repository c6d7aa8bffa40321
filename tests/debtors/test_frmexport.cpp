// The export window: its defaults, the name box, the folder chooser, the
// checks before an export and the export it runs.
#include "ExportFixture.h"
#include "common/SettingsValues.h"
#include "debtors/FrmExport.h"
#include "platform/Today.h"
#include "support/FullDisk.h"
#include "support/TestSupport.h"
#include <optional>
#include <QComboBox>
#include <QDateEdit>
#include <QDir>
#include <QGroupBox>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTreeView>
#include <QtTest>

using namespace ExportFixture;

namespace {
void clickEntry(FrmExport& window, int row) {
    QListWidget* list = window.list1;
    const QRect place = list->visualItemRect(list->item(row));
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, place.center());
}

void type(QLineEdit* box, const QString& text) {
    box->clear();
    QTest::keyClicks(box, text);
}
}  // namespace

class TestFrmExport : public DatabaseTestCase {
    Q_OBJECT

    // The export window on a folder of its own, showing the given entry.
    std::unique_ptr<FrmExport> windowOn(const QString& folder, int row, const QString& name = "out") {
        auto window = std::make_unique<FrmExport>();
        window->list1->setCurrentRow(row);
        window->Path_txt->setText(folder);
        window->Filename_txt->setText(name);
        return window;
    }

private slots:
    void opensWithItsDefaults_data() {
        QTest::addColumn<QString>("start");
        QTest::addColumn<QString>("end");
        QTest::addColumn<int>("present");
        QTest::addColumn<QDate>("from");
        QTest::addColumn<QDate>("to");
        QTest::newRow("range ends today") << "01/01/2005" << "03/02/2026" << 1 << QDate(2005, 1, 1)
                                          << ExportFixture::Today;
        QTest::newRow("stored range") << "01/01/2005" << "03/02/2026" << 0 << QDate(2005, 1, 1) << QDate(2026, 2, 3);
        QTest::newRow("texts that are no dates") << "soon" << "" << 0 << ExportFixture::Today << ExportFixture::Today;
    }
    void opensWithItsDefaults() {
        QFETCH(QString, start);
        QFETCH(QString, end);
        QFETCH(int, present);
        QFETCH(QDate, from);
        QFETCH(QDate, to);
        Today::fix(ExportFixture::Today);
        gSettings.DefaultStart = start;
        gSettings.DefaultEnd = end;
        gSettings.Present = present;
        FrmExport window;
        QCOMPARE(window.windowTitle(), QString("Export to Excel"));
        QStringList entries;
        for (int i = 0; i < window.list1->count(); ++i) entries << window.list1->item(i)->text();
        QCOMPARE(entries, QStringList({"Customers - Summary", "Customers - Detailed", "Invoices - Summary",
                                       "Invoices and Invoice Details", "Items", "Debtors"}));
        QCOMPARE(window.list1->currentRow(), 0);
        QCOMPARE(window.Filename_txt->text(), QString("SumCustomers"));
        QCOMPARE(window.Path_txt->text(), program->folder());
        QCOMPARE(window.path1_txt->text(), QDir::currentPath());
        QVERIFY(window.Frame1->isHidden());
        QCOMPARE(window.DTPicker1->date(), from);
        QCOMPARE(window.DTPicker2->date(), to);
    }

    // A click on an entry puts its file name in the box, over what was typed.
    void entriesGiveTheirFileNames() {
        FrmExport window;
        window.show();
        const QStringList names = {"SumCustomers", "DetailCustomers", "SumInvoices", "DetailInvoices", "Items",
                                   "Debtors"};
        for (int row : {3, 0, 5, 1, 4, 2, 2}) {
            type(window.Filename_txt, "mine");
            clickEntry(window, row);
            QCOMPARE(window.Filename_txt->text(), names[row]);
        }
    }

    // Tabbing into the list or clicking it sends the focus on to Export.
    void theListPassesItsFocusOn() {
        FrmExport window;
        window.show();
        QVERIFY(QTest::qWaitForWindowActive(&window));
        window.Filename_txt->setFocus();
        QTest::keyClick(window.Filename_txt, Qt::Key_Backtab);
        QCOMPARE(QApplication::focusWidget(), window.Export_cmd);
        window.Filename_txt->setFocus();
        clickEntry(window, 4);
        QCOMPARE(QApplication::focusWidget(), window.Export_cmd);
        QCOMPARE(window.Filename_txt->text(), QString("Items"));
    }

    void nameBoxSwallowsFolderCharacters() {
        FrmExport window;
        window.show();
        type(window.Filename_txt, "a.b/c\\d&e");
        QCOMPARE(window.Filename_txt->text(), QString("abcde"));
    }

    // A refused export says why and leaves the window as it was.
    void refusals_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<bool>("folderThere");
        QTest::addColumn<QString>("title");
        QTest::newRow("blank name") << "   " << true << "Invalid Filename";
        QTest::newRow("empty name") << "" << true << "Invalid Filename";
        QTest::newRow("missing folder") << "out" << false << "Invalid Path";
        QTest::newRow("name too long for the file system") << QString(300, 'n') << true << "Invalid Filename";
    }
    void refusals() {
        QFETCH(QString, name);
        QFETCH(bool, folderThere);
        QFETCH(QString, title);
        addItems();
        const QString folder = program->file(folderThere ? "" : "gone");
        auto window = windowOn(folder, 4, name);
        window->show();
        QVERIFY(QTest::qWaitForWindowActive(window.get()));
        window->Export_cmd->setFocus();
        ScriptedBoxes boxes;
        boxes.expect(title, Box::Answer::Ok);
        window->Export_cmd->click();
        QVERIFY2(boxes.allAnswered(), qPrintable(boxes.report()));
        QCOMPARE(boxes.seen()[0].icon, Box::Icon::Exclamation);
        QCOMPARE(QDir(program->folder()).entryList({"*.csv*"}), QStringList());
        QCOMPARE(window->Filename_txt->text(), name);
        QVERIFY(window->isVisible());
        QCOMPARE(program->endings(), 0);
        if (title != "Invalid Filename") return;
        // Back in the name box with its text selected: the name typed next replaces the blanks.
        QCOMPARE(QApplication::focusWidget(), window->Filename_txt);
        QTest::keyClicks(window->Filename_txt, "abcde");
        QCOMPARE(window->Filename_txt->text(), QString("abcde"));
    }

    void anExistingFileIsOverwrittenOnlyOnYes() {
        addItems();
        const QString file = program->file("out.csv");
        writeFile(file, "keep me\r\n");
        auto window = windowOn(program->folder(), 4);
        {
            ScriptedBoxes boxes;
            boxes.expect("Overwrite?", Box::Answer::No, "File already exists! Do wish to overwrite?");
            window->Export_cmd->click();
            QVERIFY2(boxes.allAnswered(), qPrintable(boxes.report()));
            QCOMPARE(boxes.seen()[0].buttons, Box::Buttons::YesNo);
            QCOMPARE(contents(file), QByteArray("keep me\r\n"));
        }
        ScriptedBoxes boxes;
        boxes.expect("Overwrite?", Box::Answer::Yes).expect("Successful", Box::Answer::Ok, "Export successfully completed.");
        window->Export_cmd->click();
        QVERIFY2(boxes.allAnswered(), qPrintable(boxes.report()));
        QVERIFY(contents(file).startsWith("ID,ShortDesc,Desc,Price\r\nP1,"));
    }

    // Each entry runs its own export over the window's dates.
    void entriesRunTheirExports_data() {
        QTest::addColumn<int>("row");
        QTest::addColumn<QByteArray>("firstLine");
        QTest::newRow("customers, summary") << 0 << QByteArray("Date,CustID,FirstName,LastName,Address1,Address2,City,County,Zip/Post Code,\r\n");
        QTest::newRow("customers, detailed") << 1 << QByteArray("Date,CustID,FirstName,LastName,Address1,Address2,City,County,Zip/Post Code,Phone,");
        QTest::newRow("invoices") << 2 << QByteArray("Date,Invno,");
        QTest::newRow("invoices with lines") << 3 << QByteArray("Date,Invno,");
        QTest::newRow("items") << 4 << QByteArray("ID,ShortDesc,Desc,Price\r\n");
        QTest::newRow("debtors") << 5 << QByteArray("Date,invno,");
    }
    void entriesRunTheirExports() {
        QFETCH(int, row);
        QFETCH(QByteArray, firstLine);
        Today::fix(ExportFixture::Today);
        addAll();
        auto window = windowOn(program->folder(), row);
        window->DTPicker1->setDate(QDate(2026, 11, 1));
        window->DTPicker2->setDate(QDate(2026, 11, 30));
        ScriptedBoxes boxes;
        boxes.expect("Successful", Box::Answer::Ok);
        window->Export_cmd->click();
        QVERIFY2(boxes.allAnswered(), qPrintable(boxes.report()));
        QCOMPARE(boxes.seen()[0].icon, Box::Icon::Information);
        const QByteArray bytes = contents(program->file("out.csv"));
        QVERIFY(bytes.startsWith(firstLine));
        // The date range of the window: only what is dated in November.
        if (row == 2 || row == 3) QCOMPARE(bytes.count("\r\n2026-"), 1);
        QCOMPARE(window->Filename_txt->text(), QString("out"));
        QCOMPARE(window->list1->currentRow(), row);
    }

    void nothingToExportSaysSo() {
        auto window = windowOn(program->folder(), 4);
        ScriptedBoxes boxes;
        boxes.expect("No Records", Box::Answer::Ok, "No records to Export");
        window->Export_cmd->click();
        QVERIFY2(boxes.allAnswered(), qPrintable(boxes.report()));
        QCOMPARE(boxes.seen()[0].icon, Box::Icon::Exclamation);
        QCOMPARE(contents(program->file("out.csv")), QByteArray());
    }

    // A file that cannot be written is reported with the system's reason,
    // logged, and ends the program; an older file of that name stays.
    void aFileThatCannotBeWrittenIsReported_data() {
        QTest::addColumn<QString>("folder");   // "" = the program folder
        QTest::addColumn<qint64>("room");      // on the disk; -1 = as much as it takes
        QTest::addColumn<QString>("reason");
        QTest::newRow("a folder that takes no files") << "/proc" << qint64(-1) << "/proc/out.csv cannot be written";
        QTest::newRow("a full disk") << "" << qint64(10) << "out.csv cannot be written (No space left on device)";
    }
    void aFileThatCannotBeWrittenIsReported() {
        QFETCH(QString, folder);
        QFETCH(qint64, room);
        QFETCH(QString, reason);
        addItems();
        const QString older = program->file("out.csv");
        writeFile(older, "keep me\r\n");
        auto window = windowOn(folder.isEmpty() ? program->folder() : folder, 4);
        ScriptedBoxes boxes;
        if (folder.isEmpty()) boxes.expect("Overwrite?", Box::Answer::Yes);
        boxes.expect("Error Message", Box::Answer::Ok, reason);
        {
            std::optional<FullDisk> full;
            if (room >= 0) full.emplace(room);
            window->Export_cmd->click();
        }
        QVERIFY2(boxes.allAnswered(), qPrintable(boxes.report()));
        QCOMPARE(program->endings(), 1);
        const QStringList logs = program->logFiles();
        QCOMPARE(logs.size(), 1);
        QVERIFY(logs[0].contains("Module \t\t: FrmExport") && logs[0].contains("Procedure \t: Parts"));
        QVERIFY(logs[0].contains("Error Code \t: 75"));
        QCOMPARE(contents(older), QByteArray("keep me\r\n"));
        QCOMPARE(QDir(program->folder()).entryList({"out*"}), QStringList{"out.csv"});
    }

    void folderChooser() {
        QDir(program->folder()).mkpath("a/b");
        const QString chosen = program->file("a/b");
        FrmExport window;
        window.show();
        const QString path = window.Path_txt->text();
        for (QPushButton* close : {window.Command3, window.Command1}) {
            window.Command2->click();
            QVERIFY(window.Frame1->isVisible());
            window.setDir1Folder(chosen);
            QCOMPARE(window.path1_txt->text(), chosen);
            close->click();
            QVERIFY(window.Frame1->isHidden());
            QCOMPARE(window.Path_txt->text(), close == window.Command1 ? chosen : path);
        }
        // A click in the tree shows the folder clicked.
        window.Command2->click();
        const QModelIndex parent = window.Dir1->currentIndex().parent();
        window.Dir1->scrollTo(parent);
        QTest::mouseClick(window.Dir1->viewport(), Qt::LeftButton, {}, window.Dir1->visualRect(parent).center());
        QCOMPARE(window.path1_txt->text(), program->file("a"));
    }

    // A mount point that cannot be read says why; the tree stays where it was.
    void anUnreadableDriveIsRefused() {
        FrmExport window;
        window.show();
        window.Command2->click();
        QVERIFY(window.Drive1->findText("/") >= 0);
        const QString before = window.Dir1Folder();
        window.Drive1->addItem("/no/such/mount");
        window.Drive1->setCurrentIndex(window.Drive1->count() - 1);
        ScriptedBoxes boxes;
        boxes.expect("Kelm Invoice", Box::Answer::Ok, "Path not found");
        emit window.Drive1->activated(window.Drive1->count() - 1);
        QVERIFY2(boxes.allAnswered(), qPrintable(boxes.report()));
        QCOMPARE(window.Dir1Folder(), before);
        QCOMPARE(window.path1_txt->text(), before);
        window.Drive1->setCurrentIndex(window.Drive1->findText("/"));
        emit window.Drive1->activated(window.Drive1->currentIndex());
        QCOMPARE(window.Dir1Folder(), QString("/"));
    }
};

QTEST_MAIN(TestFrmExport)
#include "test_frmexport.moc"
