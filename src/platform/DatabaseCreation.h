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
