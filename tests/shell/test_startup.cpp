#include "common/Functions.h"
#include "common/Opener.h"
#include "common/SettingsValues.h"
#include "platform/BusyCursor.h"
#include "platform/Database.h"
#include "platform/Recordset.h"
#include "platform/Schema.h"
#include "settings/frm_setup.h"
#include "shell/WindowRegistry.h"
#include "shell/frmMain.h"
#include <QLineEdit>
#include <QPushButton>
#include <QTreeView>
#include "support/FakeWindow.h"
#include "support/TestSupport.h"
#include "platform/ProgramLock.h"
#include <QFile>
#include <QtTest>
#include <csignal>
#include <fcntl.h>
#include <sqlite3.h>
#include <sys/file.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {
// Another copy of the program, as far as the lock goes: a process of its own
// that takes the folder's lock as the program does and keeps it until killed.
class OtherCopy {
public:
    explicit OtherCopy(const QString& lockFile) {
        const QByteArray path = QFile::encodeName(lockFile);
        int ready[2];
        if (::pipe(ready) != 0) return;
        pid_ = ::fork();
        if (pid_ == 0) {   // only calls that are safe in a forked child from here on
            const int fd = ::open(path.constData(), O_RDWR | O_CREAT, 0644);
            const char taken = fd >= 0 && ::flock(fd, LOCK_EX | LOCK_NB) == 0 ? 'y' : 'n';
            if (::write(ready[1], &taken, 1) != 1) ::_exit(1);
            for (;;) ::pause();
        }
        char taken = 'n';
        holding_ = pid_ > 0 && ::read(ready[0], &taken, 1) == 1 && taken == 'y';
        ::close(ready[0]);
        ::close(ready[1]);
    }
    ~OtherCopy() { kill(); }
    bool holding() const { return holding_; }
    void kill() {
        if (pid_ <= 0) return;
        ::kill(pid_, SIGKILL);
        ::waitpid(pid_, nullptr, 0);
        pid_ = -1;
    }

private:
    pid_t pid_ = -1;
    bool holding_ = false;
};
}  // namespace

class TestStartup : public QObject {
    Q_OBJECT

    std::unique_ptr<TestProgram> program;
    int wizardShown = 0;
    int debtorsShown = 0;

    // The stand-in wizard ends as a Finish (ready) or a Cancel (not ready) would.
    void fakeWizard(bool finishes) {
        addFakeWindow("frm_setup", [this, finishes] {
            ++wizardShown;
            DatabaseReady = finishes ? 1 : 0;
        });
    }

    // What main does, without the event loop: load, show, the queued activation.
    void start(frmMain& frame) {
        frame.Load();
        if (program->endings() > 0) return;   // the program has ended
        frame.show();
        QCoreApplication::processEvents();
    }

    int settingsRows() {
        Recordset rs("System");
        return rs.recordCount();
    }

    void writeSettingsRow(const std::map<QString, QVariant>& values) {
        program->createDatabase();
        Recordset rs("System");
        rs.addNew();
        for (const auto& [column, value] : values) rs.setField(column, value);
        rs.update();
        rs.close();
        program->closeDatabase();
    }

private slots:
    void init() {
        program = std::make_unique<TestProgram>();
        wizardShown = debtorsShown = 0;
        addFakeWindow("frmDebtor", [this] { ++debtorsShown; });
    }
    void cleanup() {
        Opener::remove("frm_setup");
        Opener::remove("frmDebtor");
        program.reset();
    }

    void newFolderCreatesDatabaseAndRunsWizard() {
        fakeWizard(true);
        frmMain frame;
        start(frame);
        QVERIFY(Database::isOurDatabase(program->file("data.mdb")));
        QVERIFY(Connections::jetOpen());
        QVERIFY(Connections::shapeOpen());
        QCOMPARE(wizardShown, 1);
        QCOMPARE(DatabaseReady, 1);
        QVERIFY(frame.isVisible());
        QCOMPARE(ActivateCount, 1);
        QCOMPARE(BusyCursor::depth(), 0);
        QCOMPARE(program->endings(), 0);
    }

    void cancelEndsProgramAndNextStartShowsWizardAgain() {
        fakeWizard(false);
        {
            frmMain frame;
            start(frame);
            QCOMPARE(wizardShown, 1);
            QVERIFY(!frame.isVisible());
            QVERIFY(!Connections::jetOpen());
            QVERIFY(!Connections::shapeOpen());
        }
        QVERIFY(QFile::exists(program->file("data.mdb")));

        resetProgramState();
        fakeWizard(true);
        frmMain next;
        next.Load();
        QCOMPARE(DatabaseReady, 0);   // the file was found, but it has no settings row
        QCOMPARE(settingsRows(), 0);
        next.show();
        QCoreApplication::processEvents();
        QCOMPARE(wizardShown, 2);
        QVERIFY(next.isVisible());
    }

    void existingSettingsLoadWithoutWizard() {
        writeSettingsRow({{"BusinessName", "Acme Supplies"}, {"Debtorstart", "1"}, {"ConfirmBackup", 1},
                          {"Text3Name", "  Sales No  "}, {"Text4Name", "Tracking No"}, {"TaxAmount", 17.5},
                          {"FreeFormInv", QVariant()}, {"FreeformCus", 1}});
        fakeWizard(true);
        frmMain frame;
        start(frame);
        QCOMPARE(program->endings(), 0);   // a Null in a free-form column loads as 0
        QCOMPARE(DatabaseReady, 1);
        QCOMPARE(wizardShown, 0);
        QCOMPARE(gSettings.BusinessName.trimmed(), QString("Acme Supplies"));
        QCOMPARE(gSettings.Text3Name.trimmed(), QString("Sales No"));
        QCOMPARE(gSettings.TaxAmount, 17.5);
        QCOMPARE(gSettings.FreeFormInv, 0);
        QCOMPARE(gSettings.FreeformCus, 1);
        QCOMPARE(gSettings.Debtorstart, 1);

        // The debtors window opens at the first activation only.
        QCOMPARE(debtorsShown, 1);
        frame.Activate();
        QCOMPARE(debtorsShown, 1);
        QCOMPARE(ActivateCount, 2);
    }

    // A file whose letters table was made when the name and address columns
    // were narrower gets the table as the program makes it now at start-up,
    // while nothing else is open on it; a table made as now keeps its rows.
    void olderLettersTableIsMadeAnewAtStartUp_data() {
        QTest::addColumn<bool>("older");
        QTest::newRow("older form") << true;
        QTest::newRow("as made now") << false;
    }
    void olderLettersTableIsMadeAnewAtStartUp() {
        QFETCH(bool, older);
        writeSettingsRow({{"BusinessName", "Acme Supplies"}, {"TaxAmount", 0.0}, {"Text3Name", ""},
                          {"Text4Name", ""}});
        const Schema::Table& letters = *Schema::table("Letters");
        const QString asNow = Schema::createTableSql(letters);
        const QString narrower = QString(asNow).replace("<= 101", "<= 50").replace("<= 258", "<= 200");
        QVERIFY(narrower != asNow);
        {
            Database file;
            file.open(program->file("data.mdb"));
            if (older) file.exec("DROP TABLE Letters; " + narrower);
            file.exec("INSERT INTO Letters (CustID) VALUES ('LAST')");
        }
        frmMain frame;
        start(frame);
        QCOMPARE(program->endings(), 0);
        Statement stored(Database::shared(), "SELECT sql FROM sqlite_master WHERE name = 'Letters'");
        QVERIFY(stored.step());
        QCOMPARE(stored.value(0).toString(), asNow);
        Statement kept(Database::shared(), "SELECT count(*) FROM Letters");
        QVERIFY(kept.step());
        QCOMPARE(kept.value(0).toInt(), older ? 0 : 1);
    }

    // With the start-up choice set, the program's own debtors window opens
    // at the first activation, invoices dated far back or far ahead aged
    // or left out without a fault.
    void debtorsWindowOpensAtStartUp() {
        program->createDatabase();
        Statement(Database::shared(), "INSERT INTO System (BusinessName, Debtorstart, TaxAmount, Text3Name, "
                                      "Text4Name) VALUES ('Acme', '1', 0, '', '')").run();
        Statement(Database::shared(), "INSERT INTO Customers (CustID, FirstName, LastName) VALUES ('C1', 'Ann', 'Lee')")
            .run();
        Statement(Database::shared(), "INSERT INTO Invoices (InvNo, CustNo, \"Date\", Balance) VALUES "
                                      "('OLD', 'C1', '1900-01-01', 10000), ('AHEAD', 'C1', '2200-01-01', 10000)")
            .run();
        program->closeDatabase();
        registerWindows();
        QStringList seen;
        QTimer closer;
        connect(&closer, &QTimer::timeout, this, [&] {
            auto* window = QApplication::activeModalWidget();
            if (!window || window->objectName() != "frmDebtor") return;
            const auto* list = window->findChild<QTreeView*>("debtor_lst");
            for (int r = 0; r < list->model()->rowCount(); ++r) seen << list->model()->index(r, 3).data().toString();
            window->close();
        });
        closer.start(10);
        frmMain frame;
        start(frame);
        closer.stop();
        QCOMPARE(seen, QStringList{"OLD"});
        QVERIFY(frame.toolbarButton(9)->isEnabled());   // Debtors
        QCOMPARE(program->endings(), 0);
        QCOMPARE(ActivateCount, 1);
        QCOMPARE(gSettings.Debtorstart, 1);
    }

    // The program's own wizard, as registered, finishes the first start.
    void firstStartWithTheRealWizard() {
        registerWindows();
        QTimer driver;
        connect(&driver, &QTimer::timeout, this, [] {
            auto* wizard = qobject_cast<frm_setup*>(QApplication::activeModalWidget());
            if (!wizard) return;
            wizard->Name_txt->setText("Acme");
            wizard->Next_cmd->click();
            wizard->Next_cmd->click();
            wizard->Finish_cmd->click();
        });
        driver.start(10);
        ScriptedBoxes boxes;
        boxes.expect("Update?", Box::Answer::Yes);
        frmMain frame;
        start(frame);
        driver.stop();
        QVERIFY2(boxes.allAnswered(), qPrintable(boxes.report()));
        QCOMPARE(DatabaseReady, 1);
        QVERIFY(frame.isVisible());
        QCOMPARE(settingsRows(), 1);
        QCOMPARE(gSettings.BusinessName.trimmed(), QString("Acme"));
    }

    // While another copy of the program works on the folder, a second start
    // says so and ends before it touches the data: not even a new database
    // is made.
    void aSecondCopyOnTheSameFolderIsRefused() {
        OtherCopy other(program->file(ProgramLock::FileName));
        QVERIFY(other.holding());
        fakeWizard(true);
        ScriptedBoxes boxes;
        boxes.expect("Kelm Invoice", Box::Answer::Ok, "Kelm Invoice is already open on the data in");
        frmMain frame;
        start(frame);
        QVERIFY2(boxes.allAnswered(), qPrintable(boxes.report()));
        QCOMPARE(boxes.seen().front().icon, Box::Icon::Exclamation);
        QCOMPARE(program->endings(), 1);
        QVERIFY(!QFile::exists(program->file("data.mdb")));
        QVERIFY(!Connections::jetOpen());
        QCOMPARE(wizardShown, 0);
    }

    // The system lets go of a killed copy's lock: the next start goes on.
    void aKilledCopyLeavesNoLockBehind() {
        writeSettingsRow({{"BusinessName", "Acme Supplies"}, {"Text3Name", ""}, {"Text4Name", ""},
                          {"TaxAmount", 0.0}});
        OtherCopy other(program->file(ProgramLock::FileName));
        QVERIFY(other.holding());
        other.kill();
        QVERIFY(QFile::exists(program->file(ProgramLock::FileName)));
        fakeWizard(true);
        ScriptedBoxes boxes;
        frmMain frame;
        start(frame);
        QVERIFY2(boxes.allAnswered(), qPrintable(boxes.report()));
        QCOMPARE(program->endings(), 0);
        QVERIFY(frame.isVisible());
        QCOMPARE(DatabaseReady, 1);
        QCOMPARE(gSettings.BusinessName.trimmed(), QString("Acme Supplies"));
        // And this copy now keeps the next one away.
        OtherCopy next(program->file(ProgramLock::FileName));
        QVERIFY(!next.holding());
    }

    void badDatabaseFileIsReportedAndKept_data() {
        QTest::addColumn<QString>("kind");
        QTest::newRow("zero bytes") << "empty";
        QTest::newRow("another program's SQLite file") << "foreign";
        QTest::newRow("not a database at all") << "text";
        QTest::newRow("our tables, but a column missing") << "column";
    }
    void badDatabaseFileIsReportedAndKept() {
        QFETCH(QString, kind);
        const QString path = program->file("data.mdb");
        if (kind == "column") {
            program->createDatabase();
            Database::shared().exec("ALTER TABLE Invoices DROP COLUMN Notes");
            program->closeDatabase();
        } else if (kind == "foreign") {
            sqlite3* db = nullptr;
            QCOMPARE(sqlite3_open(QFile::encodeName(path).constData(), &db), SQLITE_OK);
            sqlite3_exec(db, "CREATE TABLE Notes (Line TEXT); INSERT INTO Notes VALUES ('keep me');", nullptr,
                         nullptr, nullptr);
            sqlite3_close(db);
        } else {
            QFile file(path);
            QVERIFY(file.open(QIODevice::WriteOnly));
            if (kind == "text") file.write("Customers,Invoices\r\n");
        }
        const QByteArray before = [&] { QFile f(path); f.open(QIODevice::ReadOnly); return f.readAll(); }();

        fakeWizard(true);
        ScriptedBoxes boxes;
        boxes.expect("Error Message", Box::Answer::Ok, "Module \t\t: frmMain");
        frmMain frame;
        start(frame);
        QVERIFY2(boxes.allAnswered(), qPrintable(boxes.report()));
        QVERIFY(boxes.seen().front().text.contains("Procedure \t: Load\r\n"));
        QCOMPARE(program->endings(), 1);
        QCOMPARE(program->logFiles().size(), 1);
        QVERIFY(program->logFiles().front().contains("frmMain"));
        QCOMPARE(wizardShown, 0);
        QCOMPARE(BusyCursor::depth(), 0);
        QFile after(path);
        QVERIFY(after.open(QIODevice::ReadOnly));
        QCOMPARE(after.readAll(), before);
    }
};

QTEST_MAIN(TestStartup)
#include "test_startup.moc"
