#pragma once
#include <QString>

// One copy of the program works on one program folder at a time. The lock is
// held on a file in the folder through the system, which lets go of it when
// the process ends however it ends: a program that was killed leaves nothing
// behind that stands in the way of the next start.
namespace ProgramLock {

// The file in the folder that the lock is held on.
inline const QString FileName = QStringLiteral("kelm-invoice.lock");

enum class Outcome {
    Taken,          // this run holds the folder now
    HeldElsewhere,  // another copy of the program works on the folder
    Failed,         // the lock file cannot be made or locked; why says why
};

// Takes the folder's lock for the rest of the run, letting go of any other
// folder's.
Outcome take(const QString& folder, QString* why = nullptr);

// Lets go of the lock now rather than at the end of the run.
void release();

}  // namespace ProgramLock
