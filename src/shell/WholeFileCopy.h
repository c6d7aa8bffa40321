#pragma once
#include <QString>

// A copy that never leaves half a file behind: the bytes go to a temporary
// file beside the target, which is renamed over the target only once the
// whole copy is written. On any failure the target is as it was.
namespace WholeFileCopy {

// False, with the target untouched, when the source cannot be read or the
// copy cannot be written or renamed into place; why then says what failed.
// A target that is a symbolic link has the file it points to replaced.
bool copy(const QString& source, const QString& target, QString* why = nullptr);

// Tests make the copies fail once this many bytes are written, as a full
// disk does; -1 (the program's setting) never fails.
void failAfterBytes(qint64 count);

}  // namespace WholeFileCopy
