#include "common/Functions.h"
#include "common/Opener.h"
#include "common/SettingsValues.h"
#include "platform/Database.h"
#include "platform/Recordset.h"
#include "platform/Schema.h"
#include "shell/Backup.h"
#include "shell/WholeFileCopy.h"
#include "shell/WindowRegistry.h"
#include "support/FileCalls.h"
#include "support/FullDisk.h"
#include "support/TestSupport.h"
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QtTest>
#include <unistd.h>

using Box::Answer;

namespace {
// A settings row with the business name, and one customer, in the open database.
void fillDatabase(const QString& businessName, const QString& custId) {
    Recordset system("System");
    if (system.recordCount() == 0) system.addNew();
    else system.moveFirst();
    system.setField("BusinessName", businessName);
    system.setField("TaxAmount", 0.0);
    system.setField("Text3Name", "");
    system.setField("Text4Name", "");
    system.setField("ConfirmBackup", 1);
    system.setField("InvoiceType", "1");
    for (const char* prefix : {"InvPrefix", "PartPrefix", "CustPrefix"}) system.setField(prefix, "NO");
    for (const char* start : {"Invstart", "PartStart", "CustStart"}) system.setField(start, "100001");
    system.update();
    Recordset customers("Customers");
    customers.addNew();
    customers.setField("CustID", custId);
    customers.update();
}

QStringList customerIds() {
    QStringList ids;
    Recordset customers("Customers");
    for (; !customers.eof(); customers.moveNext()) ids << customers["CustID"].toString();
    return ids;
}

// Every table, index, trigger and view of the open database, by kind and name.
QStringList schemaObjects() {
    QStringList objects;
    Statement all(Database::shared(), "SELECT type || ' ' || name FROM sqlite_master ORDER BY 1");
    while (all.step()) objects << all.value(0).toString();
    return objects;
}

void run(const QString& path, const QString& sql) {
    Database file;
    file.open(path);
    file.exec(sql);
}

// File, Restore of the source, with the question answered Yes; what went
// wrong with the boxes, or "" when the restore said it was done.
QString restoreAnsweringYes(const QString& source) {
    ScriptedBoxes boxes;
    boxes.expect("Confirm", Answer::Yes).expect("Successful", Answer::Ok, "Restore has been Successful");
    ScriptedFileDialogs dialogs;
    dialogs.answer(source);
    mnurestore_Click(nullptr);
    return boxes.allAnswered() ? QString() : boxes.report();
}

// The restore of source, taken (reason empty) or refused for that reason;
// what went otherwise than expected, or nothing.
QString restoreAnswering(const QString& source, const QString& reason) {
    if (reason.isEmpty()) return restoreAnsweringYes(source);
    ScriptedBoxes boxes;
    boxes.expect("Please Try Again", Answer::Ok, "\n\n" + reason);
    ScriptedFileDialogs dialogs;
    dialogs.answer(source);
    mnurestore_Click(nullptr);
    return boxes.allAnswered() ? QString() : boxes.report();
}

QStringList filesIn(const QString& folder) {
    return QDir(folder).entryList(QDir::Files | QDir::Hidden | QDir::System, QDir::Name);
}
}  // namespace

class TestBackup : public QObject {
    Q_OBJECT

    std::unique_ptr<TestProgram> program;
    QTemporaryDir elsewhere;   // a folder of backups outside the program folder

    QString live() const { return program->file("data.mdb"); }
    QString away(const QString& name) const { return QDir(elsewhere.path()).filePath(name); }

    // A good backup named Data.mdb elsewhere, holding other data than the live file.
    QString makeBackup() {
        fillDatabase("Backup Firm", "C-BACKUP");
        const QString backup = away("Data.mdb");
        QFile::remove(backup);
        if (!QFile::copy(live(), backup)) return QString();
        Recordset customers("Customers");
        customers.moveFirst();
        customers.deleteCurrent();
        fillDatabase("Live Firm", "C-LIVE");
        gSettings.BusinessName = QString("Live Firm");
        return backup;
    }

private slots:
    void init() {
        program = std::make_unique<TestProgram>();
        program->createDatabase();
        for (const QString& f : filesIn(elsewhere.path())) QFile::remove(away(f));
    }
    void cleanup() { program.reset(); }

    void commandsAreRegistered() {
        registerWindows();
        QVERIFY(Opener::hasCommand("Backup"));
        QVERIFY(Opener::hasCommand("Restore"));
    }

    void cancelledDialogsDoNothing() {
        const QByteArray before = fileBytes(live());
        ScriptedBoxes boxes;
        ScriptedFileDialogs dialogs;
        dialogs.answer("").answer("");
        MnuSave_Click(nullptr);
        mnurestore_Click(nullptr);
        QVERIFY2(dialogs.allAnswered(), qPrintable(dialogs.report()));
        QVERIFY2(boxes.allAnswered(), qPrintable(boxes.report()));
        QCOMPARE(fileBytes(live()), before);
        QCOMPARE(filesIn(program->folder()), QStringList{"data.mdb"});
    }

    void backupToNewFileIsIdenticalCopy() {
        fillDatabase("My Firm", "C1");
        ScriptedBoxes boxes;
        boxes.expect("Successful", Answer::Ok, "Save was Successful");
        ScriptedFileDialogs dialogs;
        dialogs.answer(away("monday.mdb"));
        MnuSave_Click(nullptr);
        QVERIFY2(boxes.allAnswered(), qPrintable(boxes.report()));
        QCOMPARE(dialogs.seen().at(0).kind, FileDialog::Kind::Save);
        QCOMPARE(dialogs.seen().at(0).directory, QString("Data.mdb"));
        QVERIFY(dialogs.seen().at(0).filter.contains("*.mdb"));
        QCOMPARE(fileBytes(away("monday.mdb")), fileBytes(live()));
        QCOMPARE(filesIn(elsewhere.path()), QStringList{"monday.mdb"});   // no temporary left
        QVERIFY(Database::isOurDatabase(away("monday.mdb")));
    }

    void backupOverExistingFile_data() {
        QTest::addColumn<Answer>("answer");
        QTest::addColumn<bool>("replaced");
        QTest::newRow("No keeps it") << Answer::No << false;
        QTest::newRow("Yes replaces it") << Answer::Yes << true;
    }
    void backupOverExistingFile() {
        QFETCH(Answer, answer);
        QFETCH(bool, replaced);
        const QString target = away("old.mdb");
        writeFileBytes(target, "an older backup");
        ScriptedBoxes boxes;
        boxes.expect("Overwite File", answer, "Do u wish to overwrite this file?");
        if (replaced) boxes.expect("Successful", Answer::Ok, "Save was Successful");
        ScriptedFileDialogs dialogs;
        dialogs.answer(target);
        MnuSave_Click(nullptr);
        QVERIFY2(boxes.allAnswered(), qPrintable(boxes.report()));
        QCOMPARE(fileBytes(target), replaced ? fileBytes(live()) : QByteArray("an older backup"));
    }

    // A copy that breaks off half way (a full disk) leaves the older backup
    // whole, and the user is told that no backup was made.
    void failedBackupKeepsTheOldTarget() {
        const QString target = away("old.mdb");
        writeFileBytes(target, "an older backup");
        const QByteArray before = fileBytes(live());
        const FullDisk full(1000);
        ScriptedBoxes boxes;
        boxes.expect("Overwite File", Answer::Yes)
            .expect("Backup Failed", Answer::Ok, "The backup could not be made.\n\n" + target +
                                                     ": No space left on device\n\nYour data has not been changed.");
        ScriptedFileDialogs dialogs;
        dialogs.answer(target);
        MnuSave_Click(nullptr);
        QVERIFY2(boxes.allAnswered(), qPrintable(boxes.report()));
        QCOMPARE(boxes.seen().back().icon, Box::Icon::Exclamation);
        QCOMPARE(fileBytes(target), QByteArray("an older backup"));
        QCOMPARE(filesIn(elsewhere.path()), QStringList{"old.mdb"});
        QCOMPARE(fileBytes(live()), before);
    }

    // A backup whose folder cannot be synced after it took its name may not
    // outlast a power cut: that is a failure too, with the system's reason.
    void backupNotSyncedToDiskIsAFailure() {
        const QString target = away("Data.mdb");
        FileCalls calls;
        calls.failFolderSync(EIO);
        ScriptedBoxes boxes;
        boxes.expect("Backup Failed", Answer::Ok,
                     "The backup could not be made.\n\n" + target +
                         ": the file is written, but its folder could not be synced to disk (Input/output error)");
        ScriptedFileDialogs dialogs;
        dialogs.answer(target);
        MnuSave_Click(nullptr);
        QVERIFY2(boxes.allAnswered(), qPrintable(boxes.report()));
    }

    // The same for a folder that cannot be written to: here, one that is not there.
    void backupIntoAFolderThatCannotBeWrittenIsReported() {
        const QString target = away("gone/Data.mdb");
        ScriptedBoxes boxes;
        boxes.expect("Backup Failed", Answer::Ok, "The backup could not be made.");
        ScriptedFileDialogs dialogs;
        dialogs.answer(target);
        MnuSave_Click(nullptr);
        QVERIFY2(boxes.allAnswered(), qPrintable(boxes.report()));
        QVERIFY(boxes.seen().back().text.contains(target));
        QVERIFY(!QFileInfo::exists(target));
        QCOMPARE(program->endings(), 0);
    }

    void backupNeverTargetsTheLiveFile_data() {
        QTest::addColumn<QString>("how");
        QTest::newRow("offered name in program folder") << "Data.mdb";
        QTest::newRow("exact name") << "data.mdb";
        QTest::newRow("other letter case") << "DATA.MDB";
        QTest::newRow("dotted path") << "./sub/../data.mdb";
        QTest::newRow("symbolic link") << "symlink";
        QTest::newRow("hard link") << "hardlink";
        QTest::newRow("linked folder") << "linkedfolder";
    }
    void backupNeverTargetsTheLiveFile() {
        QFETCH(QString, how);
        QDir(program->folder()).mkdir("sub");
        QString target = program->folder() + "/" + how;
        if (how == "symlink") {
            target = away("link.mdb");
            QVERIFY(QFile::link(live(), target));
        } else if (how == "hardlink") {
            target = away("hard.mdb");
            QCOMPARE(::link(QFile::encodeName(live()).constData(), QFile::encodeName(target).constData()), 0);
        } else if (how == "linkedfolder") {
            QVERIFY(QFile::link(program->folder(), away("program")));
            target = away("program/data.mdb");
        }
        fillDatabase("My Firm", "C1");
        const QByteArray before = fileBytes(live());
        ScriptedBoxes boxes;
        boxes.expect("Please Try Again", Answer::Ok, "Cannot overwrite original database");
        ScriptedFileDialogs dialogs;
        dialogs.answer(target);
        MnuSave_Click(nullptr);
        QVERIFY2(boxes.allAnswered(), qPrintable(boxes.report()));
        QCOMPARE(boxes.seen().at(0).icon, Box::Icon::Exclamation);
        QCOMPARE(fileBytes(live()), before);
        QCOMPARE(customerIds(), QStringList{"C1"});
        QCOMPARE(filesIn(program->folder()), QStringList{"data.mdb"});
    }

    void restoreNeedsTheName_data() {
        QTest::addColumn<QString>("name");
        QTest::newRow("lower-case d") << "data.mdb";
        QTest::newRow("upper case") << "DATA.MDB";
        QTest::newRow("other name") << "monday.mdb";
        QTest::newRow("missing file") << "missing/Data.mdb";
        QTest::newRow("a folder") << "folder/Data.mdb";
    }
    void restoreNeedsTheName() {
        QFETCH(QString, name);
        QDir(elsewhere.path()).mkpath("folder/Data.mdb");
        const QString source = away(name);
        if (!name.contains('/')) QVERIFY(QFile::copy(live(), source));
        const QByteArray before = fileBytes(live());
        ScriptedBoxes boxes;
        boxes.expect("Please Try Again", Answer::Ok, "Database must be called Data.mdb");
        ScriptedFileDialogs dialogs;
        dialogs.answer(source);
        mnurestore_Click(nullptr);
        QVERIFY2(boxes.allAnswered(), qPrintable(boxes.report()));
        QCOMPARE(dialogs.seen().at(0).kind, FileDialog::Kind::Open);
        QCOMPARE(fileBytes(live()), before);
    }

    // Refused before the question: the live data stays, and stays usable.
    void restoreRefusesWhatIsNotOurs_data() {
        QTest::addColumn<QString>("kind");
        QTest::newRow("text file") << "text";
        QTest::newRow("empty file") << "empty";
        QTest::newRow("other database") << "foreign";
        QTest::newRow("truncated backup") << "truncated";
        QTest::newRow("unreadable settings") << "badsettings";
        QTest::newRow("every table, but a column missing") << "column";
        QTest::newRow("no settings row") << "nosettings";
    }
    void restoreRefusesWhatIsNotOurs() {
        QFETCH(QString, kind);
        const QString source = away("Data.mdb");
        if (kind == "text") writeFileBytes(source, "CustID,Name\r\nC1,Smith\r\n");
        if (kind == "empty") writeFileBytes(source, "");
        if (kind == "foreign") {
            Database other;
            other.createNew(source);
            other.exec("CREATE TABLE Customers (CustID TEXT)");
        }
        if (kind == "column" || kind == "nosettings") {
            fillDatabase("Backup Firm", "C1");
            QVERIFY(QFile::copy(live(), source));
            Database candidate;
            candidate.open(source);
            candidate.exec(kind == "column" ? "ALTER TABLE Invoices DROP COLUMN Notes" : "DELETE FROM System");
        }
        if (kind == "truncated" || kind == "badsettings") {
            for (int i = 0; i < 200; ++i) fillDatabase("Backup Firm", QString("C%1").arg(i));
            if (kind == "badsettings") {
                Recordset system("System");
                system.moveFirst();
                system.setField("Debtorstart", "not a number");
                system.update();
            }
            QVERIFY(QFile::copy(live(), source));
            if (kind == "truncated") {
                QFile f(source);
                QVERIFY(f.resize(f.size() / 2));
            }
        }
        const QByteArray before = fileBytes(live());
        ScriptedBoxes boxes;
        boxes.expect("Please Try Again", Answer::Ok, "cannot be restored");
        ScriptedFileDialogs dialogs;
        dialogs.answer(source);
        mnurestore_Click(nullptr);
        QVERIFY2(boxes.allAnswered(), qPrintable(boxes.report()));
        QCOMPARE(boxes.seen().at(0).icon, Box::Icon::Exclamation);
        QCOMPARE(fileBytes(live()), before);
        QVERIFY(Connections::jetOpen() && Connections::shapeOpen());
        QCOMPARE(program->endings(), 0);
    }

    // A backup is checked as the program would use it: every value of the
    // kind its column keeps, and settings the wizard would take. Refused
    // before the question, with the reason, and the live file unchanged.
    void restoreTakesOnlyWhatTheProgramCanWorkWith_data() {
        QTest::addColumn<QString>("sql");      // run on a good backup
        QTest::addColumn<QString>("reason");   // "" = restored
        QTest::newRow("a good backup") << "" << "";
        QTest::newRow("money as a real number")
            << "UPDATE Invoices SET Total = 12.5 WHERE rowid = 3"
            << "Row 3 of the table Invoices (InvNo INV3) holds 12.5 in the column Total, which keeps amounts.";
        QTest::newRow("money as a text")
            << "UPDATE Invoices SET Total = 'lots' WHERE rowid = 5"
            << "Row 5 of the table Invoices (InvNo INV5) holds 'lots' in the column Total, which keeps amounts.";
        QTest::newRow("a day that does not exist")
            << "UPDATE Invoices SET \"Date\" = '2026-02-30' WHERE rowid = 2"
            << "Row 2 of the table Invoices (InvNo INV2) holds '2026-02-30' in the column Date, which keeps dates.";
        QTest::newRow("a count with a fraction")
            << "UPDATE InvoiceD SET Qty = 1.5"
            << "Row 1 of the table InvoiceD (InvNo INV1) holds 1.5 in the column Qty, which keeps whole numbers.";
        QTest::newRow("a text longer than its column")
            << "PRAGMA ignore_check_constraints = ON; UPDATE Customers SET notes = printf('%.201c', 'x')"
            << "Row 1 of the table Customers (CustID C1) holds a text of 201 characters in the column notes, "
               "which keeps texts of up to 200 characters.";
        QTest::newRow("a key twice")
            << "DROP INDEX Customers_CustID; DROP INDEX Customers_PrimaryKey; "
               "INSERT INTO Customers (CustID) VALUES ('c1')"
            << "The table Customers holds the CustID";
        QTest::newRow("no invoice start number")
            << "UPDATE System SET Invstart = NULL"
            << "The table System holds nothing in the column Invstart: the invoice start number, not a number of 4 to 8 "
               "digits.";
        QTest::newRow("no start number, but typed numbers")
            << "UPDATE System SET Invstart = NULL, FreeFormInv = 1" << "";
        QTest::newRow("a start number of letters")
            << "UPDATE System SET PartStart = 'ABCDEF'" << "The table System holds 'ABCDEF' in the column PartStart: the item start number";
        QTest::newRow("a prefix too long")
            << "UPDATE System SET CustPrefix = 'CUSTOMER'"
            << "The table System holds 'CUSTOMER' in the column CustPrefix: the customer prefix, longer than 4 "
               "characters.";
        QTest::newRow("a prefix one character too long")
            << "UPDATE System SET InvPrefix = 'ABCDE'"
            << "The table System holds 'ABCDE' in the column InvPrefix: the invoice prefix, longer than 4 characters.";
        QTest::newRow("the longest prefix") << "UPDATE System SET InvPrefix = 'ABCD'" << "";
        QTest::newRow("a negative tax") << "UPDATE System SET TaxAmount = -5"
                                        << "The table System holds -5 in the column TaxAmount: the tax percentage, not one from 0 to 99999.";
        QTest::newRow("a tax above what the box takes")
            << "UPDATE System SET TaxAmount = 100000"
            << "The table System holds 100000 in the column TaxAmount: the tax percentage, not one from 0 to 99999.";
        QTest::newRow("the largest tax") << "UPDATE System SET TaxAmount = 99999" << "";
        QTest::newRow("a flag of letters in a text column")
            << "UPDATE System SET Debtorstart = 'abc'"
            << "The table System holds 'abc' in the column Debtorstart: the settings read it as a whole number "
               "from -32768 to 32767.";
        QTest::newRow("two rows of settings")
            << "INSERT INTO System (TaxAmount, Text3Name, Text4Name) VALUES (0, '', '')"
            << "The table System holds 2 rows of settings, where the program keeps one.";
        QTest::newRow("a layout beyond the six")
            << "UPDATE System SET InvoiceType = '9'"
            << "The table System holds '9' in the column InvoiceType: not one of the 6 invoice layouts 1 to 6, so no "
               "invoice could be printed.";
        QTest::newRow("no layout") << "UPDATE System SET InvoiceType = NULL"
                                   << "The table System holds nothing in the column InvoiceType: not one";
        QTest::newRow("a layout with a blank") << "UPDATE System SET InvoiceType = ' 2'"
                                               << "The table System holds ' 2' in the column InvoiceType";
        QTest::newRow("the last layout") << "UPDATE System SET InvoiceType = '6'" << "";
        QTest::newRow("a tick box neither on nor off")
            << "UPDATE System SET TaxEnabled = 2" << "The table System holds 2 in the column TaxEnabled: a tick box, which keeps 0 or 1.";
    }
    void restoreTakesOnlyWhatTheProgramCanWorkWith() {
        QFETCH(QString, sql);
        QFETCH(QString, reason);
        fillDatabase("Backup Firm", "C1");
        for (int i = 1; i <= 5; ++i)
            Database::shared().exec(QString("INSERT INTO Invoices (InvNo, \"Date\", Total) "
                                            "VALUES ('INV%1', '2026-01-0%1', 10000)").arg(i));
        Database::shared().exec("INSERT INTO InvoiceD (InvNo, Qty) VALUES ('INV1', 2)");
        const QString source = away("Data.mdb");
        QVERIFY(QFile::copy(live(), source));
        if (!sql.isEmpty()) run(source, sql);
        Database::shared().exec("UPDATE Customers SET CustID = 'C-LIVE'");
        const QByteArray before = fileBytes(live()), backup = fileBytes(source);
        const QString unexpected = restoreAnswering(source, reason);
        QVERIFY2(unexpected.isEmpty(), qPrintable(unexpected));
        QCOMPARE(fileBytes(source), backup);   // only read
        QCOMPARE(customerIds(), QStringList{reason.isEmpty() ? "C1" : "C-LIVE"});
        if (!reason.isEmpty()) QCOMPARE(fileBytes(live()), before);
        QVERIFY(Connections::jetOpen() && Connections::shapeOpen());
        QCOMPARE(program->endings(), 0);
    }

    // A backup is only read: nothing is made beside it and it stays byte for
    // byte, whatever journal mode its header names. One in WAL mode whose
    // -wal is not there is whole in its main file and is restored, in the
    // program's own journal mode; one whose data may partly stand beside it
    // (a -wal with changes, the journal of a change cut off) is refused.
    void aBackupIsOnlyRead_data() {
        QTest::addColumn<QString>("beside");   // the file standing beside the backup, if any
        QTest::addColumn<QString>("reason");   // "" = restored
        QTest::newRow("WAL mode") << "" << "";
        QTest::newRow("WAL mode, an empty -wal beside it") << "-wal:" << "";
        QTest::newRow("WAL mode, a -wal with changes beside it")
            << "-wal:changes" << "Beside it stands Data.mdb-wal, holding changes that are not yet in Data.mdb itself";
        QTest::newRow("a journal of a change cut off")
            << "-journal:\xd9\xd5\x05\xf9" << "Beside it stands Data.mdb-journal, left by a change to Data.mdb";
        QTest::newRow("a journal finished with") << QString("-journal:") + QChar(0) + "done" << "";
    }
    void aBackupIsOnlyRead() {
        QFETCH(QString, beside);
        QFETCH(QString, reason);
        const QString source = makeBackup();
        {
            Database wal;
            wal.open(source);
            wal.exec("PRAGMA journal_mode=WAL");
        }
        QCOMPARE(fileBytes(source).mid(18, 2), QByteArray("\x02\x02"));
        if (!beside.isEmpty()) {
            const QString ending = beside.section(':', 0, 0);
            QByteArray bytes = beside.section(':', 1).toLatin1();
            if (bytes == "changes") bytes = QByteArray(4096, 'w');
            writeFileBytes(source + ending, bytes);
        }
        QStringList before;
        for (const QString& f : filesIn(elsewhere.path())) before << f + ": " + fileBytes(away(f)).toHex();
        const QString unexpected = restoreAnswering(source, reason);
        QVERIFY2(unexpected.isEmpty(), qPrintable(unexpected));
        QStringList after;
        for (const QString& f : filesIn(elsewhere.path())) after << f + ": " + fileBytes(away(f)).toHex();
        QCOMPARE(after, before);
        QCOMPARE(customerIds(), QStringList{reason.isEmpty() ? "C-BACKUP" : "C-LIVE"});
        QCOMPARE(fileBytes(live()).mid(18, 2), QByteArray("\x01\x01"));
        QCOMPARE(filesIn(program->folder()), QStringList{"data.mdb"});
        QCOMPARE(program->endings(), 0);
    }

    // Every column of the settings, whatever the settings read it as: a value
    // of a kind it does not keep, or one the settings cannot take, is refused
    // with a reason that names the table, the column and the value; a value
    // taken loads, so the program starts on it. One good backup, changed one
    // column and value at a time.
    void everySettingsColumnIsRefusedByName() {
        fillDatabase("Backup Firm", "C1");
        const QString good = away("good.mdb"), source = away("Data.mdb");
        QVERIFY(QFile::copy(live(), good));
        for (const Schema::Column& c : Schema::table("System")->columns) {
            QList<QPair<QString, QString>> values{{"'abc'", "'abc'"}};   // as SQL writes it, as the refusal says it
            values << (c.type == Schema::Type::Double ? qMakePair(QString("1e300"), QString("e+300"))
                                                      : qMakePair(QString("40000"), QString("40000")));
            if (c.type == Schema::Type::Text)
                values << qMakePair(QString("printf('%.%1c', 'x')").arg(c.size + 1),
                                    QString("a text of %1 characters").arg(c.size + 1));
            for (const auto& [value, said] : values) {
                const QString which = c.name + " = " + value;
                QFile::remove(source);
                QVERIFY(QFile::copy(good, source));
                run(source, QString("PRAGMA synchronous = OFF; PRAGMA ignore_check_constraints = ON; "
                                    "UPDATE System SET %1 = %2").arg(Schema::quoted(c.name), value));
                QString why;
                if (isRestorableDatabase(source, &why)) {
                    Database restored;
                    restored.openUntouched(source);
                    Recordset system("System", &restored);
                    SettingsValues loaded;
                    loadSettingsFromRow(system, loaded);
                    continue;
                }
                for (const QString& part : {QString("table System holds "), said, " in the column " + c.name})
                    QVERIFY2(why.contains(part), qPrintable(which + ": " + why));
            }
        }
    }

    // The restored file is one the program makes itself: the backup's rows,
    // in their order, and none of the triggers, views or indexes the program
    // does not make, so an extra trigger cannot delete the customers later.
    void restoreLeavesBehindWhatTheProgramDoesNotMake() {
        const QStringList ours = schemaObjects();
        for (const char* id : {"C1", "C2", "C3"}) fillDatabase("Backup Firm", id);
        Database::shared().exec("DELETE FROM Customers WHERE CustID = 'C2'");
        fillDatabase("Backup Firm", "C0");
        const QString source = away("Data.mdb");
        QVERIFY(QFile::copy(live(), source));
        run(source, "CREATE TRIGGER wipe AFTER INSERT ON Invoices BEGIN DELETE FROM Customers; END; "
                    "CREATE VIEW everyone AS SELECT * FROM Customers; "
                    "CREATE INDEX Customers_Town ON Customers (City)");
        Database::shared().exec("DELETE FROM Customers");
        const QString failed = restoreAnsweringYes(source);
        QVERIFY2(failed.isEmpty(), qPrintable(failed));
        QCOMPARE(schemaObjects(), ours);
        QCOMPARE(customerIds(), (QStringList{"C1", "C3", "C0"}));
        Statement rowNumbers(Database::shared(), "SELECT group_concat(rowid) FROM (SELECT rowid FROM Customers ORDER BY rowid)");
        QVERIFY(rowNumbers.step());
        QCOMPARE(rowNumbers.value(0).toString(), QString("1,3,4"));
        Database::shared().exec("INSERT INTO Invoices (InvNo, CustNo) VALUES ('INV1', 'C1')");
        QCOMPARE(customerIds().size(), 3);
    }

    // What a restore cut off by a kill left in the program folder is
    // replaced by the next one, and nothing of it stays.
    void aRestoreCutOffIsClearedByTheNext() {
        const QString backup = makeBackup();
        writeFileBytes(program->file("data.mdb.part"), "half a database");
        writeFileBytes(program->file("data.mdb.part-journal"), "its journal");
        const QString failed = restoreAnsweringYes(backup);
        QVERIFY2(failed.isEmpty(), qPrintable(failed));
        QCOMPARE(customerIds(), QStringList{"C-BACKUP"});
        QCOMPARE(filesIn(program->folder()), QStringList{"data.mdb"});
    }

    void restoreAnsweredNoChangesNothing() {
        const QString backup = makeBackup();
        const QByteArray before = fileBytes(live());
        ScriptedBoxes boxes;
        boxes.expect("Confirm", Answer::No, "Are you very sure you want to restore this backup?");
        ScriptedFileDialogs dialogs;
        dialogs.answer(backup);
        mnurestore_Click(nullptr);
        QVERIFY2(boxes.allAnswered(), qPrintable(boxes.report()));
        QCOMPARE(boxes.seen().at(0).icon, Box::Icon::Question);
        QCOMPARE(fileBytes(live()), before);
        QCOMPARE(gSettings.BusinessName.trimmed(), QString("Live Firm"));
    }

    // The program carries on with the restored data and the restored settings.
    void restoreReplacesDataAndSettings() {
        const QString backup = makeBackup();
        QCOMPARE(customerIds(), QStringList{"C-LIVE"});
        const QString failed = restoreAnsweringYes(backup);
        QVERIFY2(failed.isEmpty(), qPrintable(failed));
        QVERIFY(Connections::jetOpen() && Connections::shapeOpen());
        QCOMPARE(customerIds(), QStringList{"C-BACKUP"});
        QCOMPARE(gSettings.BusinessName.trimmed(), QString("Backup Firm"));
        QCOMPARE(DatabaseReady, 1);
        fillDatabase("Backup Firm", "C-AFTER");   // and writes go on to the restored file
        QCOMPARE(customerIds(), (QStringList{"C-BACKUP", "C-AFTER"}));
        QCOMPARE(filesIn(program->folder()), QStringList{"data.mdb"});
        QCOMPARE(program->endings(), 0);
    }

    // The restored file takes the live file's place and its folder is synced
    // after; when that sync fails the program carries on with the restored
    // data and says that a power cut may bring back the earlier data.
    void restoreSyncsTheFolderAfterTheRename_data() {
        QTest::addColumn<bool>("syncFails");
        QTest::newRow("synced") << false;
        QTest::newRow("the folder's sync fails") << true;
    }
    void restoreSyncsTheFolderAfterTheRename() {
        QFETCH(bool, syncFails);
        const QString backup = makeBackup();
        FileCalls calls;
        QStringList synced;
        calls.watchFolderSync([&](const QString& folder) {
            Database now;
            now.open(live(), true);
            Statement id(now, "SELECT CustID FROM Customers");
            synced << QFileInfo(folder).canonicalFilePath() + ": " + (id.step() ? id.value(0).toString() : "");
        });
        if (syncFails) calls.failFolderSync(EIO);
        ScriptedBoxes boxes;
        boxes.expect("Confirm", Answer::Yes);
        if (syncFails)
            boxes.expect("Restore Failed", Answer::Ok,
                         "The restore could not be made safe on disk. The program carries on with the restored "
                         "data, but after a power cut your earlier data may come back; restore the backup again "
                         "then.\n\n" + live() +
                             ": the file is written, but its folder could not be synced to disk (Input/output error)");
        else
            boxes.expect("Successful", Answer::Ok, "Restore has been Successful");
        ScriptedFileDialogs dialogs;
        dialogs.answer(backup);
        mnurestore_Click(nullptr);
        QVERIFY2(boxes.allAnswered(), qPrintable(boxes.report()));
        QCOMPARE(synced, QStringList{QFileInfo(program->folder()).canonicalFilePath() + ": C-BACKUP"});
        QCOMPARE(customerIds(), QStringList{"C-BACKUP"});
        QCOMPARE(gSettings.BusinessName.trimmed(), QString("Backup Firm"));
        QCOMPARE(filesIn(program->folder()), QStringList{"data.mdb"});
        QCOMPARE(program->endings(), 0);
    }

    // A copy that breaks off keeps the live data as it was, and says so.
    void failedRestoreKeepsTheLiveData() {
        const QString backup = makeBackup();
        const QByteArray before = fileBytes(live());
        ScriptedBoxes boxes;
        boxes.expect("Confirm", Answer::Yes)
            .expect("Restore Failed", Answer::Ok,
                    "The backup could not be restored.\n\n" + live() + ": No space left on device");
        ScriptedFileDialogs dialogs;
        dialogs.answer(backup);
        {
            const FullDisk full(20000);
            mnurestore_Click(nullptr);
        }
        QVERIFY2(boxes.allAnswered(), qPrintable(boxes.report()));
        QVERIFY(boxes.seen().back().text.endsWith("Your data has not been changed."));
        QCOMPARE(fileBytes(live()), before);
        QVERIFY(Connections::jetOpen() && Connections::shapeOpen());
        QCOMPARE(customerIds(), QStringList{"C-LIVE"});
        QCOMPARE(gSettings.BusinessName.trimmed(), QString("Live Firm"));
        QCOMPARE(filesIn(program->folder()), QStringList{"data.mdb"});
    }
};

QTEST_MAIN(TestBackup)
#include "test_backup.moc"
