#pragma once
#include <QString>
#include <functional>

// Shows the error in a box titled "Error Message", writes the same text to
// Logs/YYYYMMDDhhmmss.log in the program folder, and ends the program. An
// empty description is filled with the standard text of the error number.
void Report_Error(int errNumber, const QString& moduleName, const QString& procName,
                  QString description = QString());

// The text of an error report.
QString errorReportText(int errNumber, const QString& moduleName, const QString& procName,
                        const QString& description);

// How the program ends after a report: at once in the program; a test
// replaces it to watch for the end instead.
void setEndProgramHook(std::function<void()> hook);
// Ends the program at once, through that hook.
void End_Program();

// Runs one handler's body inside the error trap: whatever it raises switches
// the busy cursor off and goes to Report_Error with the window's and the
// procedure's names. Nothing escapes.
void guard(const QString& windowName, const QString& procName, const std::function<void()>& body) noexcept;
