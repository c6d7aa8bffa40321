#include "shell/WholeFileCopy.h"
#include <QFile>
#include <QSaveFile>

namespace WholeFileCopy {
namespace {
qint64 failureAt = -1;
constexpr qint64 ChunkSize = 1 << 16;

bool failed(QString* why, const QString& reason) {
    if (why) *why = reason;
    return false;
}
}  // namespace

void failAfterBytes(qint64 count) { failureAt = count; }

bool copy(const QString& source, const QString& target, QString* why) {
    QFile in(source);
    if (!in.open(QIODevice::ReadOnly)) return failed(why, in.fileName() + ": " + in.errorString());
    QSaveFile out(target);
    if (!out.open(QIODevice::WriteOnly)) return failed(why, target + ": " + out.errorString());
    qint64 written = 0;
    while (!in.atEnd()) {
        const QByteArray chunk = in.read(ChunkSize);
        if (in.error() != QFileDevice::NoError) {
            out.cancelWriting();
            return failed(why, in.fileName() + ": " + in.errorString());
        }
        if (failureAt >= 0 && written + chunk.size() > failureAt) {
            out.write(chunk.left(failureAt - written));
            out.cancelWriting();
            return failed(why, target + ": No space left on device");
        }
        if (out.write(chunk) != chunk.size()) {
            const QString reason = target + ": " + out.errorString();
            out.cancelWriting();
            return failed(why, reason);
        }
        written += chunk.size();
    }
    return out.commit() || failed(why, target + ": " + out.errorString());
}

}  // namespace WholeFileCopy
