#include "platform/ProgramFolder.h"
#include <QCoreApplication>
#include <QDir>

namespace ProgramFolder {
namespace {
QString folder;
}

QString path() {
    if (folder.isEmpty()) folder = QCoreApplication::applicationDirPath();
    return folder;
}

QString file(const QString& name) { return QDir(path()).filePath(name); }

void setPath(const QString& f) { folder = QDir::cleanPath(f); }
}
