// Restoring a backup of the whole data set: the check that the program could
// work with it (its schema, SQLite's file check, every stored value, the
// settings row) against a bare sqlite3 loop reading every row of the six
// tables; the new file made from its rows against the sqlite3 command line
// writing the same rows and indexes into a new file (VACUUM INTO); and the
// whole File, Restore as the user runs it, with the largest heap it takes;
// putting a whole file in place (synced, renamed, its folder synced) against
// a bare rename; and File, Save against a bare copy synced to disk. The data
// set itself is never touched: the live file and the backup are copies of it.
#include "BenchSupport.h"
#include "platform/Database.h"
#include "platform/DatabaseCreation.h"
#include "platform/FileDialog.h"
#include "platform/MessageBox.h"
#include "platform/Schema.h"
#include "platform/SchemaCheck.h"
#include "shell/Backup.h"
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include "platform/WholeFile.h"
#include <QElapsedTimer>
#include <algorithm>
#include <cstdio>
#include <fcntl.h>
#include <sqlite3.h>
#include <unistd.h>
#include <vector>

namespace {
// Every row of the six tables, every column touched.
double bareReadMs(const QString& file) {
    sqlite3* db = Bench::bareConnection(file);
    double ms = 0;
    long long rows = 0;
    for (const Schema::Table& table : Schema::tables())
        ms += Bench::bareLoopMs(db, ("SELECT * FROM " + Schema::quoted(table.name)).toUtf8().constData(), &rows);
    sqlite3_close(db);
    return ms;
}

bool restorable(const QString& backup) {
    QString why;
    if (isRestorableDatabase(backup, &why)) return true;
    std::fprintf(stderr, "the backup is refused: %s\n", qPrintable(why));
    std::exit(1);
}

// The median of three timings of a step, each after an untimed preparation.
double medianStepMs(const std::function<void()>& prepare, const std::function<void()>& step) {
    std::vector<double> ms;
    for (int run = 0; run < 3; ++run) {
        prepare();
        QElapsedTimer timer;
        timer.start();
        step();
        ms.push_back(double(timer.nsecsElapsed()) / 1e6);
    }
    std::sort(ms.begin(), ms.end());
    return ms[1];
}

// A copy of the file, its bytes on disk: the bare form of a backup.
void copySynced(const QString& from, const QString& to) {
    QFile::remove(to);
    QFile::copy(from, to);
    const int fd = ::open(QFile::encodeName(to).constData(), O_RDONLY);
    ::fsync(fd);
    ::close(fd);
}
}  // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    const QString data = Bench::dataSet(Bench::dataFolder(argc, argv, "bench_restore"));
    const QString live = Bench::scratchCopy(data);
    QTemporaryDir elsewhere;
    const QString backup = elsewhere.filePath("Data.mdb"), made = elsewhere.filePath("made.mdb");
    if (!QFile::copy(data, backup)) return 1;
    Bench::openProgramOn(live);
    std::printf("backup: %.0f MiB\n", QFile(backup).size() / 1048576.0);

    const double bareMs = Bench::medianMs(3, [&] { bareReadMs(backup); });
    Bench::report("restore check: schema, file check, every value, settings", Bench::medianMs(3, [&] {
                      restorable(backup);
                  }), bareMs);
    Database candidate;
    candidate.openUntouched(backup);
    Bench::report("of it every stored value, one pass per table",
                  Bench::medianMs(3, [&] { valueDifference(candidate.handle()); }), bareMs);
    candidate.close();

    const double newFileMs = Bench::medianMs(3, [&] { createDatabaseFromRows(backup, made); });
    const double vacuumMs = Bench::medianMs(3, [&] {
        QFile::remove(made);
        Bench::commandLineMs(backup, QString("VACUUM INTO '%1';\n").arg(made));
    });
    Bench::report("new file from the backup's rows, with the indexes", newFileMs, vacuumMs);
    QFile::remove(made);

    // A whole file of the backup's size takes the place of another.
    const QString placed = elsewhere.filePath("placed.mdb"), side = WholeFile::sidePath(placed);
    auto sideAndTarget = [&] {
        copySynced(backup, side);
        copySynced(backup, placed);
    };
    const double bareRenameMs = medianStepMs(sideAndTarget, [&] {
        ::rename(QFile::encodeName(side).constData(), QFile::encodeName(placed).constData());
    });
    Bench::report("in place: a whole file renamed over another, synced with its folder",
                  medianStepMs(sideAndTarget, [&] { WholeFile::putInPlace(side, placed, nullptr); }), bareRenameMs);
    QFile::remove(placed);

    // File, Restore as the user runs it, every question answered Yes.
    Box::setHandler([](const Box::Request& box) {
        if (box.title != "Confirm" && box.title != "Successful" && box.title != "Overwite File") {
            std::fprintf(stderr, "restore: %s\n", qPrintable(box.text));
            std::exit(1);
        }
        return box.buttons == Box::Buttons::YesNo ? Box::Answer::Yes : Box::Answer::Ok;
    });
    const QString saved = elsewhere.filePath("saved.mdb");
    FileDialog::setHandler([&](const FileDialog::Request& dialog) {
        return dialog.kind == FileDialog::Kind::Open ? backup : saved;
    });
    const Bench::HeapPeak peak;
    Bench::report("File, Restore: check, new file, in place, connections and settings again",
                  Bench::medianMs(3, [] { mnurestore_Click(nullptr); }));
    std::printf("largest heap during the restores: %.1f MiB\n", peak.peakMiB());
    const double bareCopyMs = Bench::medianMs(3, [&] { copySynced(live, saved); });
    Bench::report("File, Save: a backup of the live file, over an older one",
                  Bench::medianMs(3, [] { MnuSave_Click(nullptr); }), bareCopyMs);
    Bench::closeProgram();
    return 0;
}
