#include "platform/ProgramLock.h"
#include <QDir>
#include <QFile>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

namespace ProgramLock {
namespace {
int heldFile = -1;
QString heldFolder;

Outcome failed(QString* why, const QString& path, int error) {
    if (why) *why = QString("%1: %2").arg(path, QString::fromLocal8Bit(std::strerror(error)));
    return Outcome::Failed;
}
}  // namespace

Outcome take(const QString& folder, QString* why) {
    const QString canonical = QDir(folder).canonicalPath();
    if (heldFile >= 0 && canonical == heldFolder) return Outcome::Taken;
    release();
    const QString path = QDir(folder).filePath(FileName);
    const int fd = ::open(QFile::encodeName(path).constData(), O_RDWR | O_CREAT | O_CLOEXEC, 0644);
    if (fd < 0) return failed(why, path, errno);
    if (::flock(fd, LOCK_EX | LOCK_NB) != 0) {
        const int error = errno;
        ::close(fd);
        return error == EWOULDBLOCK ? Outcome::HeldElsewhere : failed(why, path, error);
    }
    heldFile = fd;
    heldFolder = canonical;
    return Outcome::Taken;
}

void release() {
    if (heldFile >= 0) ::close(heldFile);
    heldFile = -1;
    heldFolder.clear();
}

}  // namespace ProgramLock
