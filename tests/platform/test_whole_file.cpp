// A file written whole or not at all: the side file, the rename, what a
// failure or a kill leaves, and the names a file system takes.
#include "platform/WholeFile.h"
#include "support/FileCalls.h"
#include "support/FullDisk.h"
#include "support/TestSupport.h"
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QtTest>
#include <sys/stat.h>

class TestWholeFile : public QObject {
    Q_OBJECT

    std::unique_ptr<QTemporaryDir> dir;
    QString target;

    QStringList files() const { return QDir(dir->path()).entryList(QDir::Files | QDir::System | QDir::Hidden); }

    // The new bytes put in place one of the two ways: written through a
    // WholeFile, or a side file written by another (the restore's database,
    // a printed PDF) renamed over the target. False with why when it failed.
    bool putNewFile(const QString& way, QString* why, bool* replaced) {
        if (way == "side file") {
            writeFileBytes(WholeFile::sidePath(target), "new");
            return WholeFile::putInPlace(WholeFile::sidePath(target), target, why, replaced);
        }
        WholeFile file(target);
        const bool done = file.open(why) && file.write("new", why) && file.commit(why);
        *replaced = fileBytes(target) == "new";
        return done;
    }

private slots:
    void init() {
        dir = std::make_unique<QTemporaryDir>();
        target = dir->filePath("out.csv");
        writeFileBytes(target, "the older file");
    }

    // The older file stays as it was until the new one is whole, and then
    // gives way to it at once, keeping its permissions.
    void theTargetChangesOnlyAtTheCommit() {
        QVERIFY(QFile::setPermissions(target, QFile::ReadOwner | QFile::WriteOwner));
        WholeFile file(target);
        QString why;
        QVERIFY(file.open(&why));
        QVERIFY(file.write("first half, ", &why));
        QCOMPARE(fileBytes(target), QByteArray("the older file"));
        QVERIFY(file.write("second half", &why));
        QCOMPARE(fileBytes(target), QByteArray("the older file"));
        QVERIFY2(file.commit(&why), qPrintable(why));
        QCOMPARE(fileBytes(target), QByteArray("first half, second half"));
        QCOMPARE(QFile::permissions(target), QFile::ReadOwner | QFile::WriteOwner | QFile::ReadUser | QFile::WriteUser);
        QCOMPARE(files(), QStringList{"out.csv"});
    }

    // A write that breaks off (a full disk takes part of it, then nothing)
    // and a file given up before its commit both leave the older file byte
    // for byte, and no side file.
    void aFailureLeavesTheOlderFile() {
        {
            WholeFile file(target);
            QString why;
            QVERIFY(file.open(&why));
            const FullDisk full(10);
            QVERIFY(!file.write(QByteArray(100, 'x'), &why));
            QCOMPARE(why, QString("No space left on device"));
            QVERIFY(!file.commit(&why));
        }
        QCOMPARE(fileBytes(target), QByteArray("the older file"));
        QCOMPARE(files(), QStringList{"out.csv"});
        {
            WholeFile file(target);
            QVERIFY(file.open(nullptr));
            QVERIFY(file.write("never committed", nullptr));
        }
        QCOMPARE(fileBytes(target), QByteArray("the older file"));
        QCOMPARE(files(), QStringList{"out.csv"});
    }

    // Every failing step leaves no side file and, up to the rename, the older
    // file as it was. A target its owner made read-only is kept (as root,
    // access() grants it, hence the stand-in). The one step after the rename,
    // the folder's sync, fails with the new file in place.
    void aFailingStepIsReportedWithItsReason_data() {
        QTest::addColumn<QString>("way");
        QTest::addColumn<QString>("call");
        QTest::addColumn<QString>("why");
        QTest::addColumn<bool>("replaced");
        for (const char* way : {"whole file", "side file"}) {
            const QString row = QString(" (%1)").arg(way);
            if (QString(way) == "whole file")
                QTest::newRow(qPrintable("a read-only target" + row)) << way << "access" << "Permission denied"
                                                                       << false;
            QTest::newRow(qPrintable("a rename that fails" + row)) << way << "rename" << "Input/output error"
                                                                  << false;
            QTest::newRow(qPrintable("a folder that cannot be synced" + row))
                << way << "folder sync"
                << "the file is written, but its folder could not be synced to disk (Input/output error)" << true;
        }
    }
    void aFailingStepIsReportedWithItsReason() {
        QFETCH(QString, way);
        QFETCH(QString, call);
        QFETCH(QString, why);
        QFETCH(bool, replaced);
        FileCalls calls;
        if (call == "access") calls.failAccess(EACCES);
        if (call == "rename") calls.failRename(EIO);
        if (call == "folder sync") calls.failFolderSync(EIO);
        QString reason;
        bool inPlace = !replaced;
        QVERIFY(!putNewFile(way, &reason, &inPlace));
        QCOMPARE(reason, why);
        QCOMPARE(inPlace, replaced);
        QCOMPARE(fileBytes(target), replaced ? QByteArray("new") : QByteArray("the older file"));
        QCOMPARE(files(), QStringList{"out.csv"});
    }

    // The folder is synced once the new file has its name, so that a power
    // cut does not bring back the older one; both ways.
    void theFolderIsSyncedAfterTheRename_data() {
        QTest::addColumn<QString>("way");
        QTest::newRow("whole file") << "whole file";
        QTest::newRow("side file") << "side file";
    }
    void theFolderIsSyncedAfterTheRename() {
        QFETCH(QString, way);
        FileCalls calls;
        QStringList synced;
        calls.watchFolderSync([&](const QString& folder) {
            synced << QFileInfo(folder).canonicalFilePath() + ": " + QString::fromUtf8(fileBytes(target));
        });
        QString why;
        bool replaced = false;
        QVERIFY2(putNewFile(way, &why, &replaced), qPrintable(why));
        QVERIFY(replaced);
        QCOMPARE(synced, QStringList{QFileInfo(dir->path()).canonicalFilePath() + ": new"});
    }

    // A side file left by a kill is replaced, even a link elsewhere, which
    // keeps what it points to.
    void aSideFileLeftBehindIsReplaced() {
        const QString elsewhere = dir->filePath("elsewhere.txt");
        writeFileBytes(elsewhere, "not ours");
        QVERIFY(QFile::link(elsewhere, target + ".part"));
        WholeFile file(target);
        QString why;
        QVERIFY(file.open(&why) && file.write("new", &why) && file.commit(&why));
        QCOMPARE(fileBytes(target), QByteArray("new"));
        QCOMPARE(fileBytes(elsewhere), QByteArray("not ours"));
        QCOMPARE(files(), (QStringList{"elsewhere.txt", "out.csv"}));
    }

    // A link has the file it points to replaced; a folder or a device in
    // the target's place is never replaced.
    void onlyAFileIsReplaced_data() {
        QTest::addColumn<QString>("what");
        QTest::addColumn<QString>("why");   // "" = written
        QTest::newRow("a link to a file") << "link" << "";
        QTest::newRow("a folder") << "folder" << "Is a directory";
        QTest::newRow("a named pipe") << "pipe" << "Not a regular file";
    }
    void onlyAFileIsReplaced() {
        QFETCH(QString, what);
        QFETCH(QString, why);
        const QString name = dir->filePath(what);
        if (what == "link") QVERIFY(QFile::link(target, name));
        if (what == "folder") QVERIFY(QDir(dir->path()).mkdir(what));
        if (what == "pipe") QCOMPARE(::mkfifo(QFile::encodeName(name).constData(), 0600), 0);
        WholeFile file(name);
        QString reason;
        const bool written = file.open(&reason) && file.write("new", &reason) && file.commit(&reason);
        QCOMPARE(written, why.isEmpty());
        QCOMPARE(reason, why);
        if (what == "link") {
            QVERIFY(QFileInfo(name).isSymLink());
            QCOMPARE(fileBytes(target), QByteArray("new"));
        }
        if (what == "folder") QVERIFY(QFileInfo(name).isDir());
        if (what == "pipe") QVERIFY(!QFileInfo(name).isFile() && QFileInfo::exists(name));
        QVERIFY(!QFileInfo::exists(name + ".part") && !QFileInfo::exists(target + ".part"));
    }

    // A name fits when the file system takes it with the side file's ending:
    // 255 bytes in all, counted in UTF-8.
    void namesThatFit_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<bool>("fits");
        QTest::newRow("short") << "out.csv" << true;
        QTest::newRow("longest") << QString(246, 'n') + ".csv" << true;
        QTest::newRow("one too long") << QString(247, 'n') + ".csv" << false;
        QTest::newRow("300 characters") << QString(296, 'n') + ".csv" << false;
        QTest::newRow("longest in two-byte characters") << QString(123, QChar(0xE9)) + ".csv" << true;
        QTest::newRow("one two-byte character too long") << QString(124, QChar(0xE9)) + ".csv" << false;
    }
    void namesThatFit() {
        QFETCH(QString, name);
        QFETCH(bool, fits);
        QCOMPARE(WholeFile::nameFits(dir->filePath(name)), fits);
        WholeFile file(dir->filePath(name));
        QString why;
        QCOMPARE(file.open(&why) && file.commit(&why), fits);
    }
};

QTEST_MAIN(TestWholeFile)
#include "test_whole_file.moc"
