#include "debtors/CsvFile.h"
#include "platform/AppError.h"

namespace {
constexpr qsizetype BlockSize = 1 << 20;
}

CsvFile::CsvFile(const QString& path) : path_(path), file_(path) {
    QString reason;
    if (!file_.open(&reason)) fail(reason);
    gathered_.reserve(BlockSize + 4096);
}

void CsvFile::writeLine(const QString& line) {
    gathered_ += line.toUtf8();
    gathered_ += "\r\n";
    if (gathered_.size() >= BlockSize) writeGathered();
}

void CsvFile::close() {
    writeGathered();
    QString reason;
    if (!file_.commit(&reason)) fail(reason);
}

void CsvFile::writeGathered() {
    if (gathered_.isEmpty()) return;
    QString reason;
    if (!file_.write(gathered_, &reason)) fail(reason);
    gathered_.resize(0);
}

void CsvFile::fail(const QString& reason) const {
    raiseError(ErrorNo::PathFileAccess,
               QString("Path/File access error: %1 cannot be written (%2).").arg(path_, reason));
}

QString CsvFile::field(const QString& value) {
    bool plain = true;
    for (QChar c : value)
        if (c == ',' || c == '"' || c == '\r' || c == '\n') {
            plain = false;
            break;
        }
    if (plain) return value;
    QString quoted = value;
    quoted.replace('"', "\"\"");
    return '"' + quoted + '"';
}
