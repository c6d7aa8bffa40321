#pragma once
#include <QString>
#include <functional>
#include <vector>

class Database;

// Creating a database runs the schema as steps: the new file, then one step
// per table and one per index. A runner runs each step; a test's runner can
// make any of them fail.
struct CreationStep {
    QString description;
    std::function<void()> run;
};

std::vector<CreationStep> creationSteps(Database& db, const QString& path);

class StepRunner {
public:
    virtual ~StepRunner() = default;
    virtual void run(const CreationStep& step) { step.run(); }
};

// Makes a new database file at path with the program's own schema holding
// every row of the six tables of the database file source, in their order
// and with their row numbers; nothing else of source comes along (no
// trigger, view or index of its own, none of its tables' own definitions),
// and the new file keeps the program's journal mode whatever source's is.
// Source is only read, untouched (Database::openUntouched). A file that an
// attempt cut off left at path is replaced. Raises an error, with no file left at path, when the file cannot
// be made; a full disk says "No space left on device".
void createDatabaseFromRows(const QString& source, const QString& path);
