#include "support/TestSupport.h"
#include "common/ErrorReport.h"
#include "common/Functions.h"
#include "common/HandOver.h"
#include "common/SettingsValues.h"
#include "platform/AppError.h"
#include "platform/BusyCursor.h"
#include "platform/ProgramFolder.h"
#include "platform/ProgramLock.h"
#include "platform/Today.h"
#include "reports/ReportInstance.h"
#include "shell/CreateDatabase.h"
#include <QDir>
#include <QFile>
#include <QWidget>
#include <cstdlib>

namespace {
QString describe(const Box::Request& r) { return QString("[%1] %2").arg(r.title, r.text.left(80)); }
}

ScriptedBoxes::ScriptedBoxes() {
    Box::setHandler([this](const Box::Request& r) {
        seen_.push_back(r);
        if (script_.empty()) {
            failures_ << "unexpected box " + describe(r);
            return Box::Answer::Ok;
        }
        const Expected e = script_.front();
        script_.pop_front();
        if (r.title != e.title || (!e.textPart.isEmpty() && !r.text.contains(e.textPart)))
            failures_ << QString("expected box [%1] %2, got %3").arg(e.title, e.textPart, describe(r));
        return e.answer;
    });
}

ScriptedBoxes::~ScriptedBoxes() { Box::setHandler(nullptr); }

ScriptedBoxes& ScriptedBoxes::expect(const QString& title, Box::Answer answer, const QString& textPart) {
    script_.push_back({title, answer, textPart});
    return *this;
}

bool ScriptedBoxes::allAnswered() const { return failures_.isEmpty() && script_.empty(); }

QString ScriptedBoxes::report() const {
    QStringList all = failures_;
    for (const auto& e : script_) all << "box never shown: [" + e.title + "] " + e.textPart;
    return all.join("; ");
}

ScriptedFileDialogs::ScriptedFileDialogs() {
    FileDialog::setHandler([this](const FileDialog::Request& r) {
        seen_.push_back(r);
        if (script_.empty()) {
            failures_ << "unexpected file dialog " + r.title;
            return QString();
        }
        const QString path = script_.front();
        script_.pop_front();
        return path;
    });
}

ScriptedFileDialogs::~ScriptedFileDialogs() { FileDialog::setHandler(nullptr); }

ScriptedFileDialogs& ScriptedFileDialogs::answer(const QString& path) {
    script_.push_back(path);
    return *this;
}

bool ScriptedFileDialogs::allAnswered() const { return failures_.isEmpty() && script_.empty(); }

QString ScriptedFileDialogs::report() const {
    QStringList all = failures_;
    if (!script_.empty()) all << QString("%1 file dialogs never shown").arg(script_.size());
    return all.join("; ");
}

void resetProgramState() {
    ProgramLock::release();
    Connections::closeJet();
    Connections::closeShape();
    gSettings = SettingsValues();
    gHandOver = HandOverValues();
    TableSource.clear();
    DatabaseReady = 0;
    ActivateCount = 0;
    ShapeSql.clear();
    ShapeRs.reset();
    ReportInstance::forgetAll();
    while (BusyCursor::depth() > 0) Wait_Cursor_Off();
    Today::fix(std::nullopt);
}

TestProgram::TestProgram() {
    resetProgramState();
    ProgramFolder::setPath(dir_.path());
    setEndProgramHook([this] { ++endings_; });
}

TestProgram::~TestProgram() {
    resetProgramState();
    setEndProgramHook(nullptr);
}

QString TestProgram::file(const QString& name) const { return QDir(dir_.path()).filePath(name); }

void TestProgram::createDatabase() {
    CreateDatabase();
    openDatabase();
}

void TestProgram::openDatabase() {
    Connections::openJet(file("data.mdb"));
    Connections::openShape();
}

void TestProgram::closeDatabase() {
    Connections::closeJet();
    Connections::closeShape();
}

QStringList TestProgram::logFiles() const {
    QDir logs(file("Logs"));
    QStringList texts;
    for (const QString& name : logs.entryList(QDir::Files, QDir::Name)) {
        QFile f(logs.filePath(name));
        if (f.open(QIODevice::ReadOnly)) texts << QString::fromUtf8(f.readAll());
    }
    return texts;
}

int errorNumberOf(const std::function<void()>& action) {
    try {
        action();
    } catch (const AppError& e) {
        return e.number;
    }
    return 0;
}

QByteArray fileBytes(const QString& path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

void writeFileBytes(const QString& path, const QByteArray& bytes) {
    QFile f(path);
    if (f.open(QIODevice::WriteOnly | QIODevice::Truncate)) f.write(bytes);
}

void DatabaseTestCase::init() {
    program = std::make_unique<TestProgram>();
    program->createDatabase();
}

void DatabaseTestCase::cleanup() { program.reset(); }

QString offDesign(const QWidget* widget, int widthTwips, int heightTwips) {
    constexpr int FewPixels = 4;
    const QSize designed(qRound(widthTwips * widget->logicalDpiX() / 1440.0),
                         qRound(heightTwips * widget->logicalDpiY() / 1440.0));
    const QSize size = widget->size();
    if (std::abs(size.width() - designed.width()) <= FewPixels && std::abs(size.height() - designed.height()) <= FewPixels)
        return QString();
    return QString("%1 is %2 x %3 px, designed %4 x %5")
        .arg(widget->objectName())
        .arg(size.width())
        .arg(size.height())
        .arg(designed.width())
        .arg(designed.height());
}
