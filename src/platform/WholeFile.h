#pragma once
#include <QByteArray>
#include <QString>
#include <functional>
#include <sys/types.h>

// Why a file operation failed, in the system's own words for the error
// number it gave: ENOSPC is "No space left on device". Every failed write of
// the program names its reason through this.
QString systemReason(int errorNumber);

// A file written whole or not at all. The bytes go to a side file beside the
// target, "<target>.part", which takes the target's place in one rename only
// once every byte is written and on disk; the folder is synced after the
// rename, so that a power cut brings back the new file, never the older one
// (putInPlace below). A failure, or a file given up
// before its commit, removes the side file, so the target keeps what it
// held; a side file that a killed program left behind is removed by the
// next write of the same target. A target that is a symbolic link has the
// file it points to replaced; only a file is ever replaced, never a folder
// or a device.
//
// Each step that fails answers false with the side file gone and why set to
// the system's reason (systemReason). The one failure that comes after the
// rename, the folder's sync, leaves the new file in place under the target's
// name, not known to outlast a power cut.
class WholeFile {
public:
    explicit WholeFile(const QString& target);
    ~WholeFile();
    WholeFile(const WholeFile&) = delete;
    WholeFile& operator=(const WholeFile&) = delete;

    bool open(QString* why);
    bool write(const char* data, qint64 size, QString* why);
    bool write(const QByteArray& bytes, QString* why) { return write(bytes.constData(), bytes.size(), why); }
    bool commit(QString* why);
    // Gives the file up: the side file goes, the target stays as it was.
    void cancel();

    // The side file of a target, beside the file the target names.
    static QString sidePath(const QString& target);
    // Renames a whole side file over the file the target names, durably:
    // the side file's bytes are on disk before it takes the name, and the
    // folder is synced after. False, with why set, when that failed; replaced
    // (when given) then tells whether the target already names the new file
    // (only the folder's sync failed) or is as it was, the side file gone.
    static bool putInPlace(const QString& side, const QString& target, QString* why, bool* replaced = nullptr);
    // False when the file system cannot take the target's name, or its side
    // file's, in the target's folder: a name or a path too long.
    static bool nameFits(const QString& target);

    // Tests stand in for the system calls whose failures they show: a write
    // failing as on a full disk, a target its owner made read-only (access,
    // which grants everything to root), a rename, a folder's sync. Each sets
    // errno as the system does; an empty one puts the system's own back.
    using SystemWrite = std::function<ssize_t(int fd, const void* data, size_t size)>;
    using SystemAccess = std::function<int(const char* path, int mode)>;
    using SystemRename = std::function<int(const char* from, const char* to)>;
    using FolderSync = std::function<int(const char* folder)>;
    static void setSystemWrite(SystemWrite write);
    static void setSystemAccess(SystemAccess access);
    static void setSystemRename(SystemRename rename);
    static void setFolderSync(FolderSync sync);

private:
    static bool renameSynced(const QString& side, const QString& target, QString* why, bool* replaced);
    bool fail(int errorNumber, QString* why);
    bool fail(QString* why, const QString& reason);

    QString target_;   // the file the target names, links followed
    QString side_;
    int fd_ = -1;
};
