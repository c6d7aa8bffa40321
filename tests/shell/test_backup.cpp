#include "common/Functions.h"
#include "common/Opener.h"
#include "common/SettingsValues.h"
#include "platform/Database.h"
#include "platform/Recordset.h"
#include "shell/Backup.h"
#include "shell/WholeFileCopy.h"
#include "shell/WindowRegistry.h"
#include "support/FullDisk.h"
#include "support/TestSupport.h"
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QtTest>
#include <unistd.h>

using Box::Answer;

namespace {
QByteArray bytesOf(const QString& path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

void writeBytes(const QString& path, const QByteArray& bytes) {
    QFile f(path);
    QVERIFY(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
    f.write(bytes);
}

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
        const QByteArray before = bytesOf(live());
        ScriptedBoxes boxes;
        ScriptedFileDialogs dialogs;
        dialogs.answer("").answer("");
        MnuSave_Click(nullptr);
        mnurestore_Click(nullptr);
        QVERIFY2(dialogs.allAnswered(), qPrintable(dialogs.report()));
        QVERIFY2(boxes.allAnswered(), qPrintable(boxes.report()));
        QCOMPARE(bytesOf(live()), before);
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
        QCOMPARE(bytesOf(away("monday.mdb")), bytesOf(live()));
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
        writeBytes(target, "an older backup");
        ScriptedBoxes boxes;
        boxes.expect("Overwite File", answer, "Do u wish to overwrite this file?");
        if (replaced) boxes.expect("Successful", Answer::Ok, "Save was Successful");
        ScriptedFileDialogs dialogs;
        dialogs.answer(target);
        MnuSave_Click(nullptr);
        QVERIFY2(boxes.allAnswered(), qPrintable(boxes.report()));
        QCOMPARE(bytesOf(target), replaced ? bytesOf(live()) : QByteArray("an older backup"));
    }

    // A copy that breaks off half way (a full disk) leaves the older backup
    // whole, and the user is told that no backup was made.
    void failedBackupKeepsTheOldTarget() {
        const QString target = away("old.mdb");
        writeBytes(target, "an older backup");
        const QByteArray before = bytesOf(live());
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
        QCOMPARE(bytesOf(target), QByteArray("an older backup"));
        QCOMPARE(filesIn(elsewhere.path()), QStringList{"old.mdb"});
        QCOMPARE(bytesOf(live()), before);
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
        const QByteArray before = bytesOf(live());
        ScriptedBoxes boxes;
        boxes.expect("Please Try Again", Answer::Ok, "Cannot overwrite original database");
        ScriptedFileDialogs dialogs;
        dialogs.answer(target);
        MnuSave_Click(nullptr);
        QVERIFY2(boxes.allAnswered(), qPrintable(boxes.report()));
        QCOMPARE(boxes.seen().at(0).icon, Box::Icon::Exclamation);
        QCOMPARE(bytesOf(live()), before);
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
        const QByteArray before = bytesOf(live());
        ScriptedBoxes boxes;
        boxes.expect("Please Try Again", Answer::Ok, "Database must be called Data.mdb");
        ScriptedFileDialogs dialogs;
        dialogs.answer(source);
        mnurestore_Click(nullptr);
        QVERIFY2(boxes.allAnswered(), qPrintable(boxes.report()));
        QCOMPARE(dialogs.seen().at(0).kind, FileDialog::Kind::Open);
        QCOMPARE(bytesOf(live()), before);
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
        if (kind == "text") writeBytes(source, "CustID,Name\r\nC1,Smith\r\n");
        if (kind == "empty") writeBytes(source, "");
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
        const QByteArray before = bytesOf(live());
        ScriptedBoxes boxes;
        boxes.expect("Please Try Again", Answer::Ok, "cannot be restored");
        ScriptedFileDialogs dialogs;
        dialogs.answer(source);
        mnurestore_Click(nullptr);
        QVERIFY2(boxes.allAnswered(), qPrintable(boxes.report()));
        QCOMPARE(boxes.seen().at(0).icon, Box::Icon::Exclamation);
        QCOMPARE(bytesOf(live()), before);
        QVERIFY(Connections::jetOpen() && Connections::shapeOpen());
        QCOMPARE(program->endings(), 0);
    }

    void restoreAnsweredNoChangesNothing() {
        const QString backup = makeBackup();
        const QByteArray before = bytesOf(live());
        ScriptedBoxes boxes;
        boxes.expect("Confirm", Answer::No, "Are you very sure you want to restore this backup?");
        ScriptedFileDialogs dialogs;
        dialogs.answer(backup);
        mnurestore_Click(nullptr);
        QVERIFY2(boxes.allAnswered(), qPrintable(boxes.report()));
        QCOMPARE(boxes.seen().at(0).icon, Box::Icon::Question);
        QCOMPARE(bytesOf(live()), before);
        QCOMPARE(gSettings.BusinessName.trimmed(), QString("Live Firm"));
    }

    // The program carries on with the restored data and the restored settings.
    void restoreReplacesDataAndSettings() {
        const QString backup = makeBackup();
        QCOMPARE(customerIds(), QStringList{"C-LIVE"});
        ScriptedBoxes boxes;
        boxes.expect("Confirm", Answer::Yes).expect("Successful", Answer::Ok, "Restore has been Successful");
        ScriptedFileDialogs dialogs;
        dialogs.answer(backup);
        mnurestore_Click(nullptr);
        QVERIFY2(boxes.allAnswered(), qPrintable(boxes.report()));
        QCOMPARE(bytesOf(live()), bytesOf(backup));
        QVERIFY(Connections::jetOpen() && Connections::shapeOpen());
        QCOMPARE(customerIds(), QStringList{"C-BACKUP"});
        QCOMPARE(gSettings.BusinessName.trimmed(), QString("Backup Firm"));
        QCOMPARE(DatabaseReady, 1);
        fillDatabase("Backup Firm", "C-AFTER");   // and writes go on to the restored file
        QCOMPARE(customerIds(), (QStringList{"C-BACKUP", "C-AFTER"}));
        QCOMPARE(filesIn(program->folder()), QStringList{"data.mdb"});
        QCOMPARE(program->endings(), 0);
    }

    // A copy that breaks off keeps the live data as it was, and says so.
    void failedRestoreKeepsTheLiveData() {
        const QString backup = makeBackup();
        const QByteArray before = bytesOf(live());
        ScriptedBoxes boxes;
        boxes.expect("Confirm", Answer::Yes)
            .expect("Restore Failed", Answer::Ok,
                    "The backup could not be restored.\n\n" + live() + ": No space left on device");
        ScriptedFileDialogs dialogs;
        dialogs.answer(backup);
        {
            const FullDisk full(1000);
            mnurestore_Click(nullptr);
        }
        QVERIFY2(boxes.allAnswered(), qPrintable(boxes.report()));
        QVERIFY(boxes.seen().back().text.endsWith("Your data has not been changed."));
        QCOMPARE(bytesOf(live()), before);
        QVERIFY(Connections::jetOpen() && Connections::shapeOpen());
        QCOMPARE(customerIds(), QStringList{"C-LIVE"});
        QCOMPARE(gSettings.BusinessName.trimmed(), QString("Live Firm"));
        QCOMPARE(filesIn(program->folder()), QStringList{"data.mdb"});
    }
};

QTEST_MAIN(TestBackup)
#include "test_backup.moc"
