#include "common/ErrorReport.h"
#include "common/Functions.h"
#include "platform/AppError.h"
#include "platform/MessageBox.h"
#include "platform/ProgramFolder.h"
#include <QDateTime>
#include <QDir>
#include <QFile>
#include <cstdlib>

namespace {
std::function<void()> endProgram = [] { std::_Exit(1); };
constexpr int InternalError = 51;
}

void setEndProgramHook(std::function<void()> hook) {
    endProgram = hook ? std::move(hook) : std::function<void()>([] { std::_Exit(1); });
}

void End_Program() { endProgram(); }

QString errorReportText(int errNumber, const QString& moduleName, const QString& procName,
                        const QString& description) {
    const QString code = Pad_Left(QString::number(errNumber), 6).trimmed();
    return "The following error has occurred.\r\n\r\n"
           "Error Code \t: " + code + "\r\n\r\n"
           "Error Description \t: " + description + "\r\n\r\n"
           "Module \t\t: " + moduleName + "\r\n\r\n"
           "Procedure \t: " + procName + "\r\n\r\n"
           "Please log this error on the website noting the above details.";
}

void Report_Error(int errNumber, const QString& moduleName, const QString& procName, QString description) {
    if (description.isEmpty()) description = standardErrorText(errNumber);
    const QString text = errorReportText(errNumber, moduleName, procName, description);
    // A step of the report that fails is skipped: the rest still happens.
    try {
        Box::ask(text, "Error Message", Box::Buttons::Ok, Box::Icon::Exclamation);
    } catch (...) {
    }

    // A log that cannot be written is skipped: the user has seen the report.
    QDir folder(ProgramFolder::path());
    if (folder.exists("Logs") || folder.mkdir("Logs")) {
        const QString name = QDateTime::currentDateTime().toString("yyyyMMddHHmmss") + ".log";
        QFile log(folder.filePath("Logs/" + name));
        if (log.open(QIODevice::WriteOnly | QIODevice::Truncate)) log.write((text + "\r\n").toUtf8());
    }
    endProgram();
}

void guard(const QString& windowName, const QString& procName, const std::function<void()>& body) noexcept {
    try {
        try {
            body();
        } catch (const AppError& e) {
            Wait_Cursor_Off();
            Report_Error(e.number, windowName, procName, e.description);
        } catch (const std::exception& e) {
            Wait_Cursor_Off();
            Report_Error(InternalError, windowName, procName, QString::fromUtf8(e.what()));
        } catch (...) {
            Wait_Cursor_Off();
            Report_Error(InternalError, windowName, procName, "Internal error");
        }
    } catch (...) {
        // The reporter itself failed; the program must still end.
        endProgram();
    }
}
