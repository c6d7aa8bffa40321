#include "support/FileCalls.h"
#include "platform/WholeFile.h"
#include <QFile>
#include <cerrno>
#include <cstdio>
#include <unistd.h>

namespace {
int accessError = 0, renameError = 0, syncError = 0;
std::function<void(const QString&)> syncWatch;

int failing(int error) {
    errno = error;
    return -1;
}
}  // namespace

FileCalls::FileCalls() {
    accessError = renameError = syncError = 0;
    syncWatch = nullptr;
    WholeFile::setSystemAccess([](const char* path, int mode) {
        return accessError ? failing(accessError) : ::access(path, mode);
    });
    WholeFile::setSystemRename([](const char* from, const char* to) {
        return renameError ? failing(renameError) : std::rename(from, to);
    });
    WholeFile::setFolderSync([](const char* folder) {
        if (syncWatch) syncWatch(QFile::decodeName(folder));
        return syncError ? failing(syncError) : 0;
    });
}

FileCalls::~FileCalls() {
    WholeFile::setSystemAccess(nullptr);
    WholeFile::setSystemRename(nullptr);
    WholeFile::setFolderSync(nullptr);
    syncWatch = nullptr;
}

void FileCalls::failAccess(int errorNumber) { accessError = errorNumber; }
void FileCalls::failRename(int errorNumber) { renameError = errorNumber; }
void FileCalls::failFolderSync(int errorNumber) { syncError = errorNumber; }
void FileCalls::watchFolderSync(std::function<void(const QString&)> watch) { syncWatch = std::move(watch); }
