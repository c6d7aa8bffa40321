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
// once every byte is written and on disk. A failure, or a file given up
// before its commit, removes the side file, so the target keeps what it
// held; a side file that a killed program left behind is removed by the
// next write of the same target. A target that is a symbolic link has the
// file it points to replaced; only a file is ever replaced, never a folder
// or a device.
//
// Each step that fails answers false with the side file gone and why set to
// the system's reason (systemReason).
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
    // Renames a whole side file over the file the target names.
    static bool putInPlace(const QString& side, const QString& target, QString* why);
    // False when the file system cannot take the target's name, or its side
    // file's, in the target's folder: a name or a path too long.
    static bool nameFits(const QString& target);

    // Tests make writes fail as a full disk does through the system call
    // that writes; an empty one puts the system's own back.
    using SystemWrite = std::function<ssize_t(int fd, const void* data, size_t size)>;
    static void setSystemWrite(SystemWrite write);

private:
    bool fail(int errorNumber, QString* why);
    bool fail(QString* why, const QString& reason);

    QString target_;   // the file the target names, links followed
    QString side_;
    int fd_ = -1;
};
