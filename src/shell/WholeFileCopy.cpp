#include "shell/WholeFileCopy.h"
#include <QFile>
#include <QSaveFile>

namespace WholeFileCopy {
namespace {
qint64 failureAt = -1;
constexpr qint64 ChunkSize = 1 << 16;
}

void failAfterBytes(qint64 count) { failureAt = count; }

bool copy(const QString& source, const QString& target) {
    QFile in(source);
    if (!in.open(QIODevice::ReadOnly)) return false;
    QSaveFile out(target);
    if (!out.open(QIODevice::WriteOnly)) return false;
    qint64 written = 0;
    while (!in.atEnd()) {
        const QByteArray chunk = in.read(ChunkSize);
        if (in.error() != QFileDevice::NoError) { out.cancelWriting(); break; }
        if (failureAt >= 0 && written + chunk.size() > failureAt) {
            out.write(chunk.left(failureAt - written));
            out.cancelWriting();
            break;
        }
        if (out.write(chunk) != chunk.size()) { out.cancelWriting(); break; }
        written += chunk.size();
    }
    return out.commit();
}

}  // namespace WholeFileCopy
