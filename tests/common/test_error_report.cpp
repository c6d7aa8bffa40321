#include "common/ErrorReport.h"
#include "common/Functions.h"
#include "platform/AppError.h"
#include "platform/BusyCursor.h"
#include "support/TestSupport.h"
#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QAbstractButton>
#include <QLabel>
#include <QMessageBox>
#include <QRegularExpression>
#include <QScreen>
#include <QTimer>
#include <QtTest>
#include <stdexcept>
#include <unistd.h>

namespace {
QString reportOf(const QString& code, const QString& description, const QString& module, const QString& proc) {
    return "The following error has occurred.\r\n\r\n"
           "Error Code \t: " + code + "\r\n\r\n"
           "Error Description \t: " + description + "\r\n\r\n"
           "Module \t\t: " + module + "\r\n\r\n"
           "Procedure \t: " + proc + "\r\n\r\n"
           "Please log this error on the website noting the above details.";
}

QStringList logNames(const TestProgram& program) {
    return QDir(program.file("Logs")).entryList(QDir::Files, QDir::Name);
}
}  // namespace

class TestErrorReport : public QObject {
    Q_OBJECT

private slots:
    void codeShowsAtMostSixCharacters_data() {
        QTest::addColumn<int>("number");
        QTest::addColumn<QString>("code");
        QTest::newRow("small") << 5 << "5";
        QTest::newRow("six digits") << 123456 << "123456";
        QTest::newRow("negative six characters") << -12345 << "-12345";
        QTest::newRow("seven digits") << 1234567 << "234567";
        QTest::newRow("eleven characters") << -2147217900 << "217900";
    }
    void codeShowsAtMostSixCharacters() {
        QFETCH(int, number);
        QFETCH(QString, code);
        QCOMPARE(errorReportText(number, "frmMain", "Load", "Text"), reportOf(code, "Text", "frmMain", "Load"));
    }

    void errorTexts() {
        QCOMPARE(errorNumberOf([] { raiseError(ErrorNo::FieldTooSmall, "The field 'CustID' is too long."); }),
                 ErrorNo::FieldTooSmall);
        QString later;
        try { raiseError(ErrorNo::FieldTooSmall); } catch (const AppError& e) { later = e.description; }
        QCOMPARE(later, QString("The field is too small to accept the amount of data you attempted to add."));
        // The report of the last error raised gives its own words.
        QCOMPARE(errorNumberOf([] { raiseError(ErrorNo::Overflow, "Amount too large."); }), ErrorNo::Overflow);
        QCOMPARE(standardErrorText(ErrorNo::Overflow), QString("Amount too large."));
        QCOMPARE(standardErrorText(ErrorNo::TypeMismatch), QString("Type mismatch"));
    }

    void reportShowsWritesTheLogAndEnds() {
        TestProgram program;
        QVERIFY(!QDir(program.file("Logs")).exists());
        ScriptedBoxes boxes;
        boxes.expect("Error Message", Box::Answer::Ok);
        const QDateTime before = QDateTime::currentDateTime().addSecs(-1);
        Report_Error(ErrorNo::TypeMismatch, "frmMain", "Load_settings", "");
        const QDateTime after = QDateTime::currentDateTime();
        QVERIFY2(boxes.allAnswered(), qPrintable(boxes.report()));
        const QString text = reportOf("13", "Type mismatch", "frmMain", "Load_settings");
        const Box::Request& box = boxes.seen().at(0);
        QCOMPARE(box.text, text);
        QCOMPARE(box.buttons, Box::Buttons::Ok);
        QCOMPARE(box.icon, Box::Icon::Exclamation);
        QCOMPARE(program.endings(), 1);

        const QStringList names = logNames(program);
        QCOMPARE(names.size(), 1);
        QVERIFY(QRegularExpression("^\\d{14}\\.log$").match(names[0]).hasMatch());
        const QDateTime stamp = QDateTime::fromString(names[0].left(14), "yyyyMMddHHmmss");
        QVERIFY2(stamp >= before.addMSecs(-before.time().msec()) && stamp <= after, qPrintable(names[0]));
        QCOMPARE(program.logFiles(), QStringList{text + "\r\n"});
    }

    void anotherReportAddsAFileBesideTheFirst() {
        TestProgram program;
        QVERIFY(QDir(program.folder()).mkdir("Logs"));
        QFile old(program.file("Logs/20000101000000.log"));
        QVERIFY(old.open(QIODevice::WriteOnly));
        old.write("earlier\r\n");
        old.close();
        ScriptedBoxes boxes;
        boxes.expect("Error Message", Box::Answer::Ok, "own words");
        Report_Error(3022, "frmAddCust", "Update_cmd_Click", "own words");
        QVERIFY2(boxes.allAnswered(), qPrintable(boxes.report()));
        QCOMPARE(logNames(program).size(), 2);
        QCOMPARE(program.logFiles().at(0), QString("earlier\r\n"));
        QVERIFY(program.logFiles().at(1).contains("Error Description \t: own words\r\n"));
    }

    void reportInTheSameSecondReplacesTheFile() {
        TestProgram program;
        QVERIFY(QDir(program.folder()).mkdir("Logs"));
        const QDateTime now = QDateTime::currentDateTime();
        for (int s = 0; s < 3; ++s) {   // whichever second the report falls in
            QFile f(program.file("Logs/" + now.addSecs(s).toString("yyyyMMddHHmmss") + ".log"));
            QVERIFY(f.open(QIODevice::WriteOnly));
            f.write(QByteArray(5000, 'o'));
        }
        ScriptedBoxes boxes;
        boxes.expect("Error Message", Box::Answer::Ok);
        Report_Error(6, "frmMain", "Load", "");
        QCOMPARE(logNames(program).size(), 3);
        QCOMPARE(program.logFiles().filter("The following error has occurred.").size(), 1);
        for (const QString& text : program.logFiles())   // replaced whole: no old bytes after the report
            QVERIFY(text.startsWith("The following") ? text.size() < 5000 : text.size() == 5000);
    }

    // The user has seen the box; a log that cannot be written is left out.
    void unwritableLogStillShowsAndEnds() {
        TestProgram program;
        QFile blocker(program.file("Logs"));   // a file where the folder should be
        QVERIFY(blocker.open(QIODevice::WriteOnly));
        blocker.close();
        ScriptedBoxes boxes;
        boxes.expect("Error Message", Box::Answer::Ok);
        Report_Error(53, "frmMain", "Load", "");
        QVERIFY2(boxes.allAnswered(), qPrintable(boxes.report()));
        QCOMPARE(program.endings(), 1);
    }

    void readOnlyProgramFolderStillShowsAndEnds() {
        if (geteuid() == 0) QSKIP("Running as root: folder permissions do not stop root from writing.");
        TestProgram program;
        QFile::setPermissions(program.folder(), QFile::ReadOwner | QFile::ExeOwner);
        ScriptedBoxes boxes;
        boxes.expect("Error Message", Box::Answer::Ok);
        Report_Error(70, "frmMain", "Load", "");
        QFile::setPermissions(program.folder(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        QVERIFY2(boxes.allAnswered(), qPrintable(boxes.report()));
        QCOMPARE(program.endings(), 1);
        QVERIFY(!QDir(program.file("Logs")).exists());
    }

    void guardReportsWhatEscapes_data() {
        QTest::addColumn<std::function<void()>>("body");
        QTest::addColumn<QString>("code");
        QTest::addColumn<QString>("description");
        QTest::newRow("our error") << std::function<void()>([] { raiseError(ErrorNo::DuplicateKey, "Twice."); })
                                   << "3022" << "Twice.";
        QTest::newRow("standard exception")
            << std::function<void()>([] { throw std::runtime_error("Out of range."); }) << "51" << "Out of range.";
    }
    void guardReportsWhatEscapes() {
        QFETCH(std::function<void()>, body);
        QFETCH(QString, code);
        QFETCH(QString, description);
        TestProgram program;
        ScriptedBoxes boxes;
        boxes.expect("Error Message", Box::Answer::Ok);
        guard("frmItems", "Delete_item", [&] {
            Wait_Cursor_On();
            body();
            Wait_Cursor_Off();
        });
        QVERIFY2(boxes.allAnswered(), qPrintable(boxes.report()));
        QCOMPARE(boxes.seen().at(0).text, reportOf(code, description, "frmItems", "Delete_item"));
        QCOMPARE(BusyCursor::depth(), 0);
        QVERIFY(!BusyCursor::showing());
        QCOMPARE(program.endings(), 1);
    }

    void guardLeavesAQuietBodyAlone() {
        TestProgram program;
        ScriptedBoxes boxes;
        bool ran = false;
        guard("frmItems", "Load", [&] { ran = true; });
        QVERIFY(ran);
        QVERIFY2(boxes.allAnswered(), qPrintable(boxes.report()));
        QCOMPARE(program.endings(), 0);
    }

    // The box itself, as the user sees it: a long path without a blank wraps
    // to the screen instead of running off it, and is shown whole.
    void theBoxWrapsALongPathToTheScreen() {
        TestProgram program;
        const QString path = program.file(QString(300, 'n') + ".csv");
        QRect screen, box;
        int textWidth = 0, labelWidth = 0;
        QTimer closer;
        QObject::connect(&closer, &QTimer::timeout, [&] {
            for (QWidget* w : QApplication::topLevelWidgets()) {
                auto* shown = qobject_cast<QMessageBox*>(w);
                if (!shown || !shown->isVisible()) continue;
                const auto* label = shown->findChild<QLabel*>("qt_msgbox_label");
                screen = shown->screen()->availableGeometry();
                box = shown->frameGeometry();
                labelWidth = label->width();
                textWidth = label->fontMetrics()
                                .boundingRect(QRect(0, 0, labelWidth, 100000), Qt::TextWordWrap, label->text())
                                .width();
                shown->buttons().front()->click();
            }
        });
        closer.start(50);
        Report_Error(ErrorNo::PathFileAccess, "FrmExport", "Parts",
                     "Path/File access error: " + path + " cannot be written (File name too long).");
        QCOMPARE(program.endings(), 1);
        QVERIFY2(screen.contains(box), qPrintable(QString("box %1 wide on a screen %2 wide").arg(box.width()).arg(screen.width())));
        QVERIFY2(textWidth <= labelWidth, qPrintable(QString("text %1 wide in a label %2 wide").arg(textWidth).arg(labelWidth)));
        QVERIFY(program.logFiles().at(0).contains(path));   // the log keeps the text as it is
    }

    void reportGoesOnWhenTheBoxFails() {
        TestProgram program;
        Box::setHandler([](const Box::Request&) -> Box::Answer { throw std::runtime_error("no screen"); });
        guard("frmMain", "Load", [] { raiseError(ErrorNo::Overflow); });
        Box::setHandler(nullptr);
        QCOMPARE(program.endings(), 1);
        QCOMPARE(program.logFiles().size(), 1);   // the log is still written
    }
};

QTEST_MAIN(TestErrorReport)
#include "test_error_report.moc"
