#pragma once
#include <QString>

// A copy that never leaves half a file behind: the bytes go through a
// WholeFile, which takes the target's place only once the whole copy is
// written. On any failure the target is as it was.
namespace WholeFileCopy {

// False, with the target untouched, when the source cannot be read or the
// copy cannot be written or put in place; why then says which file failed
// and the system's reason ("<file>: No space left on device"). A target
// that is a symbolic link has the file it points to replaced.
bool copy(const QString& source, const QString& target, QString* why = nullptr);

}  // namespace WholeFileCopy
