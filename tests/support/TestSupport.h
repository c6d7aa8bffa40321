#pragma once
#include "platform/FileDialog.h"
#include "platform/MessageBox.h"
#include <QObject>
#include <QStringList>
#include <QTemporaryDir>
#include <deque>
#include <functional>
#include <memory>

// Answers message boxes from a script while it lives. Each expected box is
// matched by its title (and, when given, a part of its text); a box that
// does not match, or comes when the script is empty, is a failure.
class ScriptedBoxes {
public:
    ScriptedBoxes();
    ~ScriptedBoxes();
    ScriptedBoxes& expect(const QString& title, Box::Answer answer, const QString& textPart = QString());
    // Every expected box came, and no other.
    bool allAnswered() const;
    QString report() const;   // what went wrong, for QVERIFY2
    const std::vector<Box::Request>& seen() const { return seen_; }

private:
    struct Expected { QString title; Box::Answer answer; QString textPart; };
    std::deque<Expected> script_;
    std::vector<Box::Request> seen_;
    QStringList failures_;
};

// Answers file dialogs from a script of paths ("" = cancelled).
class ScriptedFileDialogs {
public:
    ScriptedFileDialogs();
    ~ScriptedFileDialogs();
    ScriptedFileDialogs& answer(const QString& path);
    bool allAnswered() const;
    QString report() const;
    const std::vector<FileDialog::Request>& seen() const { return seen_; }

private:
    std::deque<QString> script_;
    std::vector<FileDialog::Request> seen_;
    QStringList failures_;
};

// A fresh program folder for one test, with the program's shared state put
// back to a new run's: no settings, no hand-over values, connections closed,
// the program folder's lock let go.
// The end-program hook only counts, so a reported error can be seen.
class QWidget;

class TestProgram {
public:
    TestProgram();
    ~TestProgram();
    QString folder() const { return dir_.path(); }
    QString file(const QString& name) const;
    // data.mdb made by our creation code, both connections open.
    void createDatabase();
    // Opens both connections on the existing data.mdb.
    void openDatabase();
    void closeDatabase();
    int endings() const { return endings_; }
    // The text of the only log file written, or "" when there is none.
    QStringList logFiles() const;

private:
    QTemporaryDir dir_;
    int endings_ = 0;
};

// Resets every shared value a run holds.
void resetProgramState();

// The number of the AppError an action raises; 0 when it raises none.
int errorNumberOf(const std::function<void()>& action);

// Where a widget's size differs by more than a few pixels from the one a
// design gives in twips (1440 to the inch, at the screen's resolution):
// "" when it does not, else what it is and what it should be.
QString offDesign(const QWidget* widget, int widthTwips, int heightTwips);

// A file's bytes, empty when it cannot be read; a file made to hold bytes.
QByteArray fileBytes(const QString& path);
void writeFileBytes(const QString& path, const QByteArray& bytes);

// A test class whose every test function gets a fresh program folder with a
// new database, both connections open.
class DatabaseTestCase : public QObject {
    Q_OBJECT
protected:
    std::unique_ptr<TestProgram> program;
private slots:
    void init();
    void cleanup();
};
