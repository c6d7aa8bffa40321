#include "shell/Backup.h"
#include "common/ErrorReport.h"
#include "common/Functions.h"
#include "common/SettingsValues.h"
#include "platform/Database.h"
#include "platform/DatabaseCreation.h"
#include "platform/FileDialog.h"
#include "platform/MessageBox.h"
#include "platform/ProgramFolder.h"
#include "platform/Recordset.h"
#include "platform/SchemaCheck.h"
#include "platform/WholeFile.h"
#include "settings/EntryRules.h"
#include "shell/WholeFileCopy.h"
#include <QFile>
#include <QFileInfo>
#include <filesystem>

namespace {
const QString DatabaseFilter = "Access Database(*.mdb)";
const QString RestoreName = "Data.mdb";

QString liveDatabase() { return ProgramFolder::file("data.mdb"); }

std::filesystem::path fsPath(const QString& path) {
    return std::filesystem::path(QFile::encodeName(path).toStdString());
}

// Backup and restore end quietly on any failure, a cancelled dialog included;
// what they have not finished leaves every file as it was.
void endingSilentlyOnError(const std::function<void()>& body) noexcept {
    try {
        body();
    } catch (...) {
    }
}

// The name the file system stores for a normal file; empty when there is none.
QString storedFileName(const QString& path) {
    const QFileInfo file(path);
    return file.isFile() && !file.isHidden() ? file.fileName() : QString();
}

void refuse(QWidget* owner, const QString& text) {
    Box::ask(text, "Please Try Again", Box::Buttons::Ok, Box::Icon::Exclamation, owner);
}

// A copy that failed leaves every file as it was: the user is told both.
void reportFailure(QWidget* owner, const QString& title, const QString& what, const QString& why) {
    Box::ask(what + "\n\n" + why + "\n\nYour data has not been changed.", title, Box::Buttons::Ok,
             Box::Icon::Exclamation, owner);
}

void backupFailed(QWidget* owner, const QString& why) {
    reportFailure(owner, "Backup Failed", "The backup could not be made.", why);
}

// The restored file is made by the program itself, from the backup's rows
// alone, beside the live file: the live file stays as it was until the new
// one is whole. It takes the live file's place only while no connection is
// open on it; then the connections open again and the settings of the
// restored data are loaded. False, with the live file as it was and why
// saying what failed, when the new file could not be made or put in place;
// false too when the reopening failed, which is reported as an error of
// the program, and when the folder could not be synced after the new file
// took the live file's place: replaced then tells that the program carries
// on with the restored data.
bool replaceLiveDatabase(const QString& source, QString* why, bool* replaced) {
    const QString made = WholeFile::sidePath(liveDatabase());
    try {
        Wait_Cursor_On();
        createDatabaseFromRows(source, made);
        Wait_Cursor_Off();
    } catch (const std::exception& e) {
        Wait_Cursor_Off();
        if (why) *why = liveDatabase() + ": " + QString::fromUtf8(e.what());
        return false;
    }
    const bool jet = Connections::jetOpen();
    const bool shape = Connections::shapeOpen();
    Connections::closeJet();
    Connections::closeShape();
    QString reason;
    const bool placed = WholeFile::putInPlace(made, liveDatabase(), &reason, replaced);
    if (!placed && why) *why = liveDatabase() + ": " + reason;
    // The program cannot carry on without its database: a failure from here
    // on is reported like any other.
    bool reopened = false;
    guard("frmMain", "mnurestore_Click", [&] {
        if (jet) Connections::openJet(liveDatabase());
        if (shape) Connections::openShape();
        if (*replaced && jet) DatabaseReady = loadSettingsValues() ? 1 : 0;
        reopened = true;
    });
    return placed && reopened;
}
}  // namespace

bool namesLiveDatabase(const QString& path) {
    const QFileInfo target(path);
    const QString folder = QFileInfo(ProgramFolder::path()).canonicalFilePath();
    if (QFileInfo(target.absolutePath()).canonicalFilePath() == folder &&
        target.fileName().compare("data.mdb", Qt::CaseInsensitive) == 0)
        return true;
    std::error_code missing;
    return std::filesystem::equivalent(fsPath(path), fsPath(liveDatabase()), missing);
}

bool isRestorableDatabase(const QString& path, QString* why) {
    auto refused = [why](const QString& reason) {
        if (why) *why = reason;
        return false;
    };
    if (const QString beside = Database::changesBeside(path); !beside.isEmpty()) return refused(beside);
    if (!Database::isOurDatabase(path, why, true)) return false;
    try {
        Database candidate;
        candidate.openUntouched(path);
        Statement check(candidate, "PRAGMA quick_check");
        const QString verdict = check.step() ? check.value(0).toString() : QString();
        if (verdict != "ok") return refused("The file is damaged: " + verdict);
        if (const QString wrong = valueDifference(candidate.handle()); !wrong.isEmpty()) return refused(wrong);
        Recordset system("System", &candidate);
        if (system.recordCount() == 0)
            return refused("The file holds no settings, so the program could not carry on with it.");
        if (system.recordCount() > 1)
            return refused(QString("The table System holds %1 rows of settings, where the program keeps one.")
                               .arg(system.recordCount()));
        SettingsValues settings;
        system.moveFirst();
        loadSettingsFromRow(system, settings);
        if (const QString wrong = EntryRules::storedSettingsFault(settings); !wrong.isEmpty()) return refused(wrong);
        return true;
    } catch (const SettingsColumnError& e) {
        return refused(e.plainReason());
    } catch (const std::exception& e) {
        return refused("The file is damaged or holds values this program cannot read: " + QString::fromUtf8(e.what()));
    }
}

void MnuSave_Click(QWidget* owner) {
    endingSilentlyOnError([owner] {
        const QString target = FileDialog::getSaveFileName(owner, QString(), "Data.mdb", DatabaseFilter);
        if (target.isEmpty()) return;
        if (namesLiveDatabase(target)) {
            refuse(owner, "Cannot overwrite original database");
            return;
        }
        if (QFileInfo(target).isFile()) {
            if (Box::ask("Do u wish to overwrite this file?", "Overwite File", Box::Buttons::YesNo,
                         Box::Icon::Exclamation, owner) != Box::Answer::Yes)
                return;
            // A read-only backup is kept as it is.
            if (!QFileInfo(target).isWritable()) {
                backupFailed(owner, target + " is read-only.");
                return;
            }
        }
        QString why;
        if (!WholeFileCopy::copy(liveDatabase(), target, &why)) {
            backupFailed(owner, why);
            return;
        }
        Box::ask("Save was Successful", "Successful", Box::Buttons::Ok, Box::Icon::Information, owner);
    });
}

void mnurestore_Click(QWidget* owner) {
    endingSilentlyOnError([owner] {
        const QString source = FileDialog::getOpenFileName(owner, QString(), QString(), DatabaseFilter);
        if (source.isEmpty()) return;
        if (storedFileName(source) != RestoreName) {
            refuse(owner, "Database must be called Data.mdb");
            return;
        }
        QString why;
        Wait_Cursor_On();
        const bool restorable = isRestorableDatabase(source, &why);
        Wait_Cursor_Off();
        if (!restorable) {
            refuse(owner, "This Data.mdb is not a backup the program can work with, so it cannot be restored.\n\n" +
                              why + "\n\nYour current data has not been changed.");
            return;
        }
        if (Box::ask("Are you very sure you want to restore this backup? This will overwrite your current data.",
                     "Confirm", Box::Buttons::YesNo, Box::Icon::Question, owner) != Box::Answer::Yes)
            return;
        why.clear();
        bool replaced = false;
        if (!replaceLiveDatabase(source, &why, &replaced)) {
            if (replaced && !why.isEmpty())
                Box::ask("The restore could not be made safe on disk. The program carries on with the restored "
                         "data, but after a power cut your earlier data may come back; restore the backup again "
                         "then.\n\n" + why,
                         "Restore Failed", Box::Buttons::Ok, Box::Icon::Exclamation, owner);
            else if (!why.isEmpty())
                reportFailure(owner, "Restore Failed", "The backup could not be restored.", why);
            return;
        }
        Box::ask("Restore has been Successful", "Successful", Box::Buttons::Ok, Box::Icon::Information, owner);
    });
}
