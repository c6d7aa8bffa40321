#include "platform/WholeFile.h"
#include <QFile>
#include <QFileInfo>
#include <cerrno>
#include <climits>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#include <utility>

namespace {
WholeFile::SystemWrite systemWrite;
WholeFile::SystemAccess systemAccess;
WholeFile::SystemRename systemRename;
WholeFile::FolderSync folderSync;

QByteArray native(const QString& path) { return QFile::encodeName(path); }

// The file a target names: a symbolic link is followed to the file it points to.
QString followed(const QString& target) {
    const QFileInfo info(target);
    if (!info.isSymLink()) return target;
    return info.exists() ? info.canonicalFilePath() : info.symLinkTarget();
}

ssize_t writeSome(int fd, const char* data, size_t size) {
    return systemWrite ? systemWrite(fd, data, size) : ::write(fd, data, size);
}

int mayWrite(const char* path) { return systemAccess ? systemAccess(path, W_OK) : ::access(path, W_OK); }

int renamed(const char* from, const char* to) { return systemRename ? systemRename(from, to) : ::rename(from, to); }

// An error number kept across the calls that tidy up after a failure.
int closeKeepingErrno(int fd, int rc) {
    const int error = errno;
    ::close(fd);
    errno = error;
    return rc;
}

int syncFile(const char* path) {
    const int fd = ::open(path, O_RDONLY | O_CLOEXEC);
    return fd < 0 ? -1 : closeKeepingErrno(fd, ::fsync(fd));
}

// The folder's entries on disk, the new name among them. A file system that
// cannot sync a folder at all (EINVAL) keeps its names as it keeps them.
int syncFolder(const char* folder) {
    if (folderSync) return folderSync(folder);
    const int fd = ::open(folder, O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0) return -1;
    const int rc = closeKeepingErrno(fd, ::fsync(fd));
    return rc != 0 && errno == EINVAL ? 0 : rc;
}

long limitOf(const QByteArray& folder, int name, long otherwise) {
    const long limit = ::pathconf(folder.constData(), name);
    return limit > 0 ? limit : otherwise;
}
}  // namespace

QString systemReason(int errorNumber) { return QString::fromLocal8Bit(std::strerror(errorNumber)); }

WholeFile::WholeFile(const QString& target) : target_(followed(target)), side_(sidePath(target)) {}

WholeFile::~WholeFile() {
    if (fd_ >= 0) cancel();
}

QString WholeFile::sidePath(const QString& target) { return followed(target) + ".part"; }

bool WholeFile::open(QString* why) {
    const QByteArray side = native(side_), target = native(target_);
    // What a killed write left behind goes first, whatever it is.
    if (::unlink(side.constData()) != 0 && errno != ENOENT) return fail(errno, why);
    struct stat existing {};
    const bool replacing = ::stat(target.constData(), &existing) == 0;
    // Only a file is replaced: never a folder or a device.
    if (replacing && S_ISDIR(existing.st_mode)) return fail(EISDIR, why);
    if (replacing && !S_ISREG(existing.st_mode)) return fail(why, "Not a regular file");
    // A file its owner made read-only is kept as it is.
    if (replacing && mayWrite(target.constData()) != 0) return fail(errno, why);
    fd_ = ::open(side.constData(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
    if (fd_ < 0) return fail(errno, why);
    // The new file keeps the permissions of the one it replaces.
    if (replacing) ::fchmod(fd_, existing.st_mode & 07777);
    return true;
}

bool WholeFile::write(const char* data, qint64 size, QString* why) {
    if (fd_ < 0) return fail(EBADF, why);
    // A write may take only part of the bytes, as a disk filling up does
    // first; the rest is written again until the system says why it cannot.
    while (size > 0) {
        const ssize_t written = writeSome(fd_, data, size_t(size));
        if (written < 0 && errno == EINTR) continue;
        if (written < 0) return fail(errno, why);
        if (written == 0) return fail(ENOSPC, why);   // taking nothing at all is a full disk
        data += written;
        size -= written;
    }
    return true;
}

bool WholeFile::commit(QString* why) {
    if (fd_ < 0) return fail(EBADF, why);
    // On disk before it takes the target's place: a crash never leaves an
    // empty file under the target's name.
    if (::fsync(fd_) != 0) return fail(errno, why);
    if (::close(std::exchange(fd_, -1)) != 0) return fail(errno, why);
    return renameSynced(side_, target_, why, nullptr);
}

void WholeFile::cancel() {
    if (fd_ >= 0) ::close(std::exchange(fd_, -1));
    ::unlink(native(side_).constData());
}

bool WholeFile::fail(int errorNumber, QString* why) { return fail(why, systemReason(errorNumber)); }

bool WholeFile::fail(QString* why, const QString& reason) {
    if (why) *why = reason;
    cancel();
    return false;
}

namespace {
// The side file given up after the system call that failed on it, with that call's reason.
bool sideGivenUp(const QString& side, QString* why) {
    const int error = errno;
    ::unlink(native(side).constData());
    if (why) *why = systemReason(error);
    return false;
}
}  // namespace

bool WholeFile::putInPlace(const QString& side, const QString& target, QString* why, bool* replaced) {
    if (syncFile(native(side).constData()) == 0) return renameSynced(side, target, why, replaced);
    if (replaced) *replaced = false;
    return sideGivenUp(side, why);
}

bool WholeFile::renameSynced(const QString& side, const QString& target, QString* why, bool* replaced) {
    const QString into = followed(target);
    const bool done = renamed(native(side).constData(), native(into).constData()) == 0;
    if (replaced) *replaced = done;
    if (!done) return sideGivenUp(side, why);
    if (syncFolder(native(QFileInfo(into).absolutePath()).constData()) == 0) return true;
    if (why) *why = "the file is written, but its folder could not be synced to disk (" + systemReason(errno) + ")";
    return false;
}

bool WholeFile::nameFits(const QString& target) {
    // The side file's name is the longer of the two.
    const QFileInfo side(sidePath(target));
    const QByteArray folder = native(side.absolutePath());
    return native(side.fileName()).size() <= limitOf(folder, _PC_NAME_MAX, NAME_MAX) &&
           native(side.absoluteFilePath()).size() < limitOf(folder, _PC_PATH_MAX, PATH_MAX);
}

void WholeFile::setSystemWrite(SystemWrite write) { systemWrite = std::move(write); }
void WholeFile::setSystemAccess(SystemAccess access) { systemAccess = std::move(access); }
void WholeFile::setSystemRename(SystemRename rename) { systemRename = std::move(rename); }
void WholeFile::setFolderSync(FolderSync sync) { folderSync = std::move(sync); }
