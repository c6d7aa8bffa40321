#include "shell/CreateDatabase.h"
#include "platform/AppError.h"
#include "platform/Database.h"
#include "platform/DatabaseCreation.h"
#include "platform/MessageBox.h"
#include "platform/ProgramFolder.h"
#include <QFile>

namespace {
Box::Answer askAfterFailure(const AppError& e) {
    return Box::ask("    Error No. " + QString::number(e.number) + " \r\n" + e.description, "Code Gen Error",
                    Box::Buttons::AbortRetryIgnore, Box::Icon::Critical);
}
}

void CreateDatabase() {
    StepRunner runner;
    CreateDatabase(runner);
}

void CreateDatabase(StepRunner& runner) {
    const QString path = ProgramFolder::file("data.mdb");
    Database db;
    // Only a file this run made may be removed; one that was there stays as it is.
    const bool existed = QFile::exists(path);
    for (const auto& step : creationSteps(db, path)) {
        for (;;) {
            try {
                runner.run(step);
                break;
            } catch (const AppError& e) {
                const Box::Answer answer = askAfterFailure(e);
                if (answer == Box::Answer::Retry) continue;
                if (answer == Box::Answer::Ignore) break;
                db.close();
                if (!existed) QFile::remove(path);
                return;
            }
        }
    }
    db.close();
}
