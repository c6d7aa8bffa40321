#include "shell/WholeFileCopy.h"
#include "platform/WholeFile.h"
#include <QFile>

namespace WholeFileCopy {
namespace {
constexpr qint64 ChunkSize = 1 << 16;

bool failed(QString* why, const QString& file, const QString& reason) {
    if (why) *why = file + ": " + reason;
    return false;
}
}  // namespace

bool copy(const QString& source, const QString& target, QString* why) {
    QFile in(source);
    if (!in.open(QIODevice::ReadOnly)) return failed(why, source, in.errorString());
    WholeFile out(target);
    QString reason;
    if (!out.open(&reason)) return failed(why, target, reason);
    while (!in.atEnd()) {
        const QByteArray chunk = in.read(ChunkSize);
        if (in.error() != QFileDevice::NoError) return failed(why, source, in.errorString());
        if (!out.write(chunk, &reason)) return failed(why, target, reason);
    }
    return out.commit(&reason) || failed(why, target, reason);
}

}  // namespace WholeFileCopy
