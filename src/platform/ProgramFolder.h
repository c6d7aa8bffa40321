#pragma once
#include <QString>

// The program folder: where data.mdb, Logs/, the import file and the help
// pages live. The executable's folder, unless a test points it elsewhere.
namespace ProgramFolder {
QString path();
// A file in the program folder.
QString file(const QString& name);
void setPath(const QString& folder);
}
