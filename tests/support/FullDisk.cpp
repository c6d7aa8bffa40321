#include "support/FullDisk.h"
#include "platform/WholeFile.h"
#include <algorithm>
#include <cerrno>
#include <limits>
#include <sqlite3.h>
#include <unistd.h>

namespace {
qint64 roomLeft = 0;

// Takes what still fits, as the system does, and refuses the rest.
qint64 take(qint64 size) {
    const qint64 taken = std::min(size, roomLeft);
    roomLeft -= taken;
    return taken;
}

// SQLite's files through a layer over the system's own layer, which refuses
// every write that does not fit whole.
sqlite3_vfs* systemVfs = nullptr;
sqlite3_vfs fullVfs;

struct FullFile {
    sqlite3_file base;
    sqlite3_file* real;   // the system layer's file, right behind this one
};

sqlite3_file* real(sqlite3_file* f) { return reinterpret_cast<FullFile*>(f)->real; }

int fullWrite(sqlite3_file* f, const void* data, int size, sqlite3_int64 offset) {
    if (size > roomLeft) return SQLITE_FULL;
    take(size);
    return real(f)->pMethods->xWrite(real(f), data, size, offset);
}

int fullClose(sqlite3_file* f) { return real(f)->pMethods->xClose(real(f)); }
int fullRead(sqlite3_file* f, void* data, int size, sqlite3_int64 offset) {
    return real(f)->pMethods->xRead(real(f), data, size, offset);
}
int fullTruncate(sqlite3_file* f, sqlite3_int64 size) { return real(f)->pMethods->xTruncate(real(f), size); }
int fullSync(sqlite3_file* f, int flags) { return real(f)->pMethods->xSync(real(f), flags); }
int fullFileSize(sqlite3_file* f, sqlite3_int64* size) { return real(f)->pMethods->xFileSize(real(f), size); }
int fullLock(sqlite3_file* f, int level) { return real(f)->pMethods->xLock(real(f), level); }
int fullUnlock(sqlite3_file* f, int level) { return real(f)->pMethods->xUnlock(real(f), level); }
int fullCheckReservedLock(sqlite3_file* f, int* out) { return real(f)->pMethods->xCheckReservedLock(real(f), out); }
int fullFileControl(sqlite3_file* f, int op, void* arg) { return real(f)->pMethods->xFileControl(real(f), op, arg); }
int fullSectorSize(sqlite3_file* f) { return real(f)->pMethods->xSectorSize(real(f)); }
int fullDeviceCharacteristics(sqlite3_file* f) { return real(f)->pMethods->xDeviceCharacteristics(real(f)); }

// Version 1: no shared memory and no mapped pages, which a rollback journal does without.
sqlite3_io_methods fullMethods() {
    sqlite3_io_methods m{};
    m.iVersion = 1;
    m.xClose = fullClose;
    m.xRead = fullRead;
    m.xWrite = fullWrite;
    m.xTruncate = fullTruncate;
    m.xSync = fullSync;
    m.xFileSize = fullFileSize;
    m.xLock = fullLock;
    m.xUnlock = fullUnlock;
    m.xCheckReservedLock = fullCheckReservedLock;
    m.xFileControl = fullFileControl;
    m.xSectorSize = fullSectorSize;
    m.xDeviceCharacteristics = fullDeviceCharacteristics;
    return m;
}
const sqlite3_io_methods methods = fullMethods();

int fullOpen(sqlite3_vfs*, const char* name, sqlite3_file* file, int flags, int* outFlags) {
    auto* f = reinterpret_cast<FullFile*>(file);
    f->real = reinterpret_cast<sqlite3_file*>(f + 1);
    const int rc = systemVfs->xOpen(systemVfs, name, f->real, flags, outFlags);
    f->base.pMethods = f->real->pMethods ? &methods : nullptr;
    return rc;
}
int fullDelete(sqlite3_vfs*, const char* name, int syncDir) { return systemVfs->xDelete(systemVfs, name, syncDir); }
int fullAccess(sqlite3_vfs*, const char* name, int flags, int* out) {
    return systemVfs->xAccess(systemVfs, name, flags, out);
}
int fullFullPathname(sqlite3_vfs*, const char* name, int size, char* out) {
    return systemVfs->xFullPathname(systemVfs, name, size, out);
}
int fullRandomness(sqlite3_vfs*, int size, char* out) { return systemVfs->xRandomness(systemVfs, size, out); }
int fullSleep(sqlite3_vfs*, int micro) { return systemVfs->xSleep(systemVfs, micro); }
int fullCurrentTime(sqlite3_vfs*, double* now) { return systemVfs->xCurrentTime(systemVfs, now); }
int fullGetLastError(sqlite3_vfs*, int size, char* out) { return systemVfs->xGetLastError(systemVfs, size, out); }

void installFullVfs() {
    systemVfs = sqlite3_vfs_find(nullptr);
    fullVfs = sqlite3_vfs{};
    fullVfs.iVersion = 1;
    fullVfs.szOsFile = int(sizeof(FullFile)) + systemVfs->szOsFile;
    fullVfs.mxPathname = systemVfs->mxPathname;
    fullVfs.zName = "kelm-full-disk";
    fullVfs.xOpen = fullOpen;
    fullVfs.xDelete = fullDelete;
    fullVfs.xAccess = fullAccess;
    fullVfs.xFullPathname = fullFullPathname;
    fullVfs.xRandomness = fullRandomness;
    fullVfs.xSleep = fullSleep;
    fullVfs.xCurrentTime = fullCurrentTime;
    fullVfs.xGetLastError = fullGetLastError;
    sqlite3_vfs_register(&fullVfs, 1);
}
}  // namespace

FullDisk::FullDisk(qint64 room) {
    roomLeft = room;
    WholeFile::setSystemWrite([](int fd, const void* data, size_t size) -> ssize_t {
        const qint64 taken = take(qint64(size));
        if (taken == 0 && size > 0) {
            errno = ENOSPC;
            return -1;
        }
        return ::write(fd, data, size_t(taken));
    });
    installFullVfs();
}

FullDisk::~FullDisk() {
    // Connections opened meanwhile go on through the layer, with room again.
    roomLeft = std::numeric_limits<qint64>::max();
    sqlite3_vfs_unregister(&fullVfs);
    sqlite3_vfs_register(systemVfs, 1);
    WholeFile::setSystemWrite(nullptr);
}
