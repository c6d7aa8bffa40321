#include "platform/AppError.h"
#include "platform/Database.h"
#include "platform/DatabaseCreation.h"
#include "shell/CreateDatabase.h"
#include "support/TestSupport.h"
#include <QFile>
#include <QtTest>
#include <map>
#include <sqlite3.h>

namespace {
constexpr int StepErrorNumber = -2147217900;

// Runs the creation steps, failing those named as often as asked (-1 = always).
class FailingRunner : public StepRunner {
public:
    std::map<QString, int> failures;
    QString failAfterRunning;   // this step does its work, then fails
    QStringList ran;

    void run(const CreationStep& step) override {
        ran << step.description;
        auto it = failures.find(step.description);
        if (it != failures.end() && it->second != 0) {
            if (it->second > 0) --it->second;
            throw AppError(StepErrorNumber, "The step failed.");
        }
        step.run();
        if (step.description == failAfterRunning) {
            failAfterRunning.clear();
            throw AppError(StepErrorNumber, "The step failed.");
        }
    }
};

const QString stepBox = "    Error No. -2147217900 \r\nThe step failed.";

// "table:Name" and "index:Name" of the file, in creation order.
// Read straight from the file: an incomplete one is no database of ours.
QStringList objectsOf(const QString& path) {
    sqlite3* db = nullptr;
    QStringList out;
    if (sqlite3_open_v2(QFile::encodeName(path).constData(), &db, SQLITE_OPEN_READONLY, nullptr) == SQLITE_OK) {
        sqlite3_stmt* s = nullptr;
        sqlite3_prepare_v2(db, "SELECT type || ':' || name FROM sqlite_master ORDER BY rowid", -1, &s, nullptr);
        while (sqlite3_step(s) == SQLITE_ROW)
            out << QString::fromUtf8(reinterpret_cast<const char*>(sqlite3_column_text(s, 0)));
        sqlite3_finalize(s);
    }
    sqlite3_close(db);
    return out;
}

QStringList fullSchema() {
    return {"table:Customers", "index:Customers_CustID", "index:Customers_PrimaryKey",
            "table:InvoiceD",  "index:InvoiceD_InvNo",   "index:InvoiceD_PartID",
            "table:Invoices",  "index:Invoices_InvNo",   "index:Invoices_PrimaryKey",
            "index:Invoices_CustNo", "table:Letters",    "index:Letters_Paid",
            "table:Parts",     "index:Parts_PrimaryKey", "index:Parts_ID",
            "table:System"};
}

QStringList without(QStringList list, const QStringList& gone) {
    for (const QString& g : gone) list.removeAll(g);
    return list;
}
}  // namespace

class TestCreation : public QObject {
    Q_OBJECT

private slots:
    void successMakesTheWholeSchemaAndClosesTheFile() {
        TestProgram program;
        ScriptedBoxes boxes;
        FailingRunner runner;
        CreateDatabase(runner);
        QVERIFY2(boxes.allAnswered(), qPrintable(boxes.report()));
        QCOMPARE(runner.ran.size(), 1 + 6 + 10);
        QCOMPARE(objectsOf(program.file("data.mdb")), fullSchema());
        QVERIFY(!QFile::exists(program.file("data.mdb-journal")));
        program.openDatabase();   // start-up opens it at once
        QVERIFY(Database::shared().isOpen());
    }

    void failureBoxOffersAbortRetryIgnore() {
        TestProgram program;
        ScriptedBoxes boxes;
        boxes.expect("Code Gen Error", Box::Answer::Retry);
        FailingRunner runner;
        runner.failures["Create table Parts"] = 1;
        CreateDatabase(runner);
        QVERIFY2(boxes.allAnswered(), qPrintable(boxes.report()));
        const Box::Request& box = boxes.seen().at(0);
        QCOMPARE(box.text, stepBox);
        QCOMPARE(box.buttons, Box::Buttons::AbortRetryIgnore);
        QCOMPARE(box.icon, Box::Icon::Critical);
    }

    // A run that stops early must not leave a half-made file behind: the
    // next start would find it and never make the missing tables.
    void abortRemovesTheFileThisRunMade_data() {
        QTest::addColumn<QString>("failing");
        QTest::addColumn<bool>("afterRunning");
        QTest::newRow("after Customers") << "Create table InvoiceD" << false;
        QTest::newRow("last index") << "Create index ID of Parts" << false;
        QTest::newRow("file step after making the file") << "Create the file" << true;
    }
    void abortRemovesTheFileThisRunMade() {
        QFETCH(QString, failing);
        QFETCH(bool, afterRunning);
        TestProgram program;
        {
            ScriptedBoxes boxes;
            boxes.expect("Code Gen Error", Box::Answer::Abort, stepBox);
            FailingRunner runner;
            for (const CreationStep& step : creationSteps(Database::shared(), program.file("data.mdb")))
                if (step.description.startsWith(failing)) {
                    if (afterRunning) runner.failAfterRunning = step.description;
                    else runner.failures[step.description] = -1;
                }
            CreateDatabase(runner);
            QVERIFY2(boxes.allAnswered(), qPrintable(boxes.report()));
            QVERIFY(runner.ran.last().startsWith(failing));   // nothing ran after Abort
        }
        QVERIFY(!QFile::exists(program.file("data.mdb")));
        ScriptedBoxes none;
        CreateDatabase();   // the next start makes it anew
        QVERIFY2(none.allAnswered(), qPrintable(none.report()));
        QCOMPARE(objectsOf(program.file("data.mdb")), fullSchema());
    }

    void retryRunsTheStepAgain() {
        TestProgram program;
        ScriptedBoxes boxes;
        boxes.expect("Code Gen Error", Box::Answer::Retry, stepBox).expect("Code Gen Error", Box::Answer::Retry, stepBox);
        FailingRunner runner;
        runner.failures["Create index CustNo of Invoices"] = 2;
        CreateDatabase(runner);
        QVERIFY2(boxes.allAnswered(), qPrintable(boxes.report()));
        QCOMPARE(runner.ran.count("Create index CustNo of Invoices"), 3);
        QCOMPARE(objectsOf(program.file("data.mdb")), fullSchema());
    }

    void ignoreSkipsAStepAndItsDependentsFailInTurn() {
        TestProgram program;
        ScriptedBoxes boxes;
        boxes.expect("Code Gen Error", Box::Answer::Ignore, stepBox);
        for (int i = 0; i < 3; ++i)   // the three indexes of the missing table, one box each
            boxes.expect("Code Gen Error", Box::Answer::Ignore, "no such table");
        FailingRunner runner;
        runner.failures["Create table Invoices"] = -1;
        CreateDatabase(runner);
        QVERIFY2(boxes.allAnswered(), qPrintable(boxes.report()));
        for (size_t i = 1; i < boxes.seen().size(); ++i)
            QVERIFY(boxes.seen()[i].text.startsWith("    Error No. 3146 \r\n"));
        QCOMPARE(objectsOf(program.file("data.mdb")),
                 without(fullSchema(), {"table:Invoices", "index:Invoices_InvNo", "index:Invoices_PrimaryKey",
                                        "index:Invoices_CustNo"}));
    }

    void ignoreOnAnIndexLeavesOnlyThatIndexOut() {
        TestProgram program;
        ScriptedBoxes boxes;
        boxes.expect("Code Gen Error", Box::Answer::Ignore, stepBox);
        FailingRunner runner;
        runner.failures["Create index PartID of InvoiceD"] = -1;
        CreateDatabase(runner);
        QVERIFY2(boxes.allAnswered(), qPrintable(boxes.report()));
        QCOMPARE(objectsOf(program.file("data.mdb")), without(fullSchema(), {"index:InvoiceD_PartID"}));
    }

    void anExistingFileIsNeverTouched_data() {
        QTest::addColumn<Box::Answer>("answer");
        QTest::newRow("abort") << Box::Answer::Abort;
        QTest::newRow("ignore every step") << Box::Answer::Ignore;
    }
    void anExistingFileIsNeverTouched() {
        QFETCH(Box::Answer, answer);
        TestProgram program;
        const QByteArray content = "not a database, but the user's own file";
        {
            QFile f(program.file("data.mdb"));
            QVERIFY(f.open(QIODevice::WriteOnly));
            f.write(content);
        }
        ScriptedBoxes boxes;
        const int steps = answer == Box::Answer::Abort ? 1 : 1 + 6 + 10;
        for (int i = 0; i < steps; ++i) boxes.expect("Code Gen Error", answer);
        CreateDatabase();
        QVERIFY2(boxes.allAnswered(), qPrintable(boxes.report()));
        QFile f(program.file("data.mdb"));
        QVERIFY(f.open(QIODevice::ReadOnly));
        QCOMPARE(f.readAll(), content);
    }
};

QTEST_MAIN(TestCreation)
#include "test_creation.moc"
