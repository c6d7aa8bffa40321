#include "debtors/CsvFile.h"
#include "platform/AppError.h"

namespace {
constexpr qsizetype BlockSize = 1 << 20;
}

CsvFile::CsvFile(const QString& path) : file_(path) {
    // Unbuffered: every write reaches the system at once, so its failure is seen here.
    if (!file_.open(QIODevice::WriteOnly | QIODevice::Truncate | QIODevice::Unbuffered)) fail();
    gathered_.reserve(BlockSize + 4096);
}

CsvFile::~CsvFile() {
    // After a failure what was written stays in the file, as it stands.
    if (file_.isOpen()) file_.close();
}

void CsvFile::writeLine(const QString& line) {
    gathered_ += line.toUtf8();
    gathered_ += "\r\n";
    if (gathered_.size() >= BlockSize) writeGathered();
}

void CsvFile::close() {
    writeGathered();
    file_.close();
    if (file_.error() != QFileDevice::NoError) fail();
}

void CsvFile::writeGathered() {
    if (gathered_.isEmpty()) return;
    if (file_.write(gathered_) != gathered_.size()) fail();
    gathered_.resize(0);
}

void CsvFile::fail() const {
    raiseError(ErrorNo::PathFileAccess,
               QString("Path/File access error: %1 cannot be written (%2).").arg(file_.fileName(), file_.errorString()));
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
