#include "shell/frmMain.h"
#include "common/ErrorReport.h"
#include "common/Functions.h"
#include "common/HandOver.h"
#include "common/MakerWeb.h"
#include "common/Opener.h"
#include "common/WindowNames.h"
#include "common/SettingsValues.h"
#include "debtors/DebtorRecord.h"
#include "platform/MessageBox.h"
#include "platform/ProgramFolder.h"
#include "platform/ProgramLock.h"
#include "widgets/WindowPlacement.h"
#include "shell/CreateDatabase.h"
#include "widgets/Icons.h"
#include <QCloseEvent>
#include <QDir>
#include <QFileInfo>
#include <QLabel>
#include <QMdiArea>
#include <QMenuBar>
#include <QStatusBar>
#include <QToolBar>

namespace {
constexpr const char* WindowName = "frmMain";

struct TaskButton {
    int index;
    const char* caption;
    Icons::Task picture;
};
constexpr TaskButton TaskButtons[] = {
    {1, "Customers", Icons::Task::Customers}, {3, "Invoices", Icons::Task::Invoices},
    {5, "Add Invoice", Icons::Task::AddInvoice}, {7, "Reports", Icons::Task::Reports},
    {9, "Debtors", Icons::Task::Debtors},     {11, "Items", Icons::Task::Items},
    {13, "Help", Icons::Task::Help},          {15, "Exit", Icons::Task::Exit},
};

// The task buttons show their captions and pictures only: no tooltips.
class NoToolTip : public QObject {
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject*, QEvent* event) override { return event->type() == QEvent::ToolTip; }
};

// A plain lookup: only a regular file of that name counts.
bool databaseFileFound(const QString& path) {
    const QFileInfo file(path);
    return file.isFile() && !file.isHidden();
}
}  // namespace

frmMain::frmMain(QWidget* parent) : QMainWindow(parent) {
    setObjectName(WindowName);
    setWindowTitle("Kelm Invoice");
    setCentralWidget(new QMdiArea(this));
    buildMenus();
    buildToolbar();
    buildStatusBar();
    resize(900, 620);
}

void frmMain::buildMenus() {
    auto named = [](QAction* action, const char* name) {
        action->setObjectName(name);
        return action;
    };
    mnuFile = menuBar()->addMenu("File");
    mnuFile->setObjectName("mnuFile");
    mnuExport = named(mnuFile->addAction("&Export"), "mnuExport");
    mnusep = named(mnuFile->addSeparator(), "mnusep");
    MnuSave = named(mnuFile->addAction("&Save"), "MnuSave");
    mnurestore = named(mnuFile->addAction("&Restore"), "mnurestore");
    mn = named(mnuFile->addSeparator(), "mn");
    mnuExit = named(mnuFile->addAction("&Exit"), "mnuExit");
    mnuTools = menuBar()->addMenu("Tools");
    mnuTools->setObjectName("mnuTools");
    mnuOptions = named(mnuTools->addAction("&Options"), "mnuOptions");
    mnuWeb = named(menuBar()->addAction("&Web"), "mnuWeb");
    // The import stays switched off: nothing ever enables it.
    mnuImport = named(menuBar()->addAction("Import"), "mnuImport");
    mnuImport->setEnabled(false);

    connect(mnuExport, &QAction::triggered, this, [this] { openWindow(Windows::FrmExport, "mnuExport_Click"); });
    connect(mnuOptions, &QAction::triggered, this, [this] { openWindow(Windows::frmOptions, "mnuOptions_Click"); });
    connect(mnuWeb, &QAction::triggered, this, [this] { openWindow(Windows::frmBrowser, "mnuWeb_Click"); });
    connect(MnuSave, &QAction::triggered, this,
            [this] { guard(WindowName, "MnuSave_Click", [this] { Opener::run(Windows::Backup, this); }); });
    connect(mnurestore, &QAction::triggered, this,
            [this] { guard(WindowName, "mnurestore_Click", [this] { Opener::run(Windows::Restore, this); }); });
    connect(mnuExit, &QAction::triggered, this, &QWidget::close);
}

void frmMain::buildToolbar() {
    Toolbar1 = addToolBar("Toolbar1");
    Toolbar1->setObjectName("Toolbar1");
    Toolbar1->setMovable(false);
    Toolbar1->setToolButtonStyle(Qt::ToolButtonTextUnderIcon);
    Toolbar1->setIconSize(QSize(32, 32));
    auto* noToolTip = new NoToolTip(Toolbar1);
    // Each task button is followed by a separator, so the buttons sit at the odd positions.
    for (const TaskButton& task : TaskButtons) {
        QAction* button = Toolbar1->addAction(Icons::task(task.picture), task.caption);
        const int index = task.index;
        connect(button, &QAction::triggered, this, [this, index] { Toolbar1_ButtonClick(index); });
        Toolbar1->widgetForAction(button)->installEventFilter(noToolTip);
        Toolbar1->addSeparator();
    }
}

void frmMain::buildStatusBar() {
    StatusBar1 = statusBar();
    StatusBar1->setObjectName("StatusBar1");
    StatusBar1->setSizeGripEnabled(false);
    const QString panels[] = {"Version 1.1", MakerHomePage, "\"Auto invoice routine available in November\""};
    int number = 1;
    for (const QString& text : panels) {
        auto* panel = new QLabel(text, StatusBar1);
        panel->setObjectName(QString("Panel%1").arg(number++));
        panel->setFrameShape(QFrame::StyledPanel);
        panel->setFrameShadow(QFrame::Sunken);
        StatusBar1->addWidget(panel, number == 4 ? 1 : 0);
    }
}

QAction* frmMain::toolbarButton(int index) const {
    const auto entries = Toolbar1->actions();
    return index >= 1 && index <= entries.size() ? entries.at(index - 1) : nullptr;
}

// A task whose window is not built into the program cannot be chosen.
void frmMain::enableEntries() {
    toolbarButton(1)->setEnabled(Opener::has(Windows::frmCustomer));
    toolbarButton(3)->setEnabled(Opener::has(Windows::frmInvoice));
    toolbarButton(5)->setEnabled(Opener::has(Windows::frmAddCust) || Opener::has(Windows::frmsearchCust));
    toolbarButton(7)->setEnabled(Opener::has(Windows::frmReports));
    toolbarButton(9)->setEnabled(Opener::has(Windows::frmDebtor));
    toolbarButton(11)->setEnabled(Opener::has(Windows::frm_Parts));
    toolbarButton(13)->setEnabled(Opener::has(Windows::Help_frm));
    mnuExport->setEnabled(Opener::has(Windows::FrmExport));
    MnuSave->setEnabled(Opener::hasCommand(Windows::Backup));
    mnurestore->setEnabled(Opener::hasCommand(Windows::Restore));
    mnuOptions->setEnabled(Opener::has(Windows::frmOptions));
    mnuWeb->setEnabled(Opener::has(Windows::frmBrowser));
}

// One copy of the program per program folder: a second start says so and
// ends before it touches the data.
bool frmMain::startsAlone() {
    QString why;
    const QString folder = QDir::toNativeSeparators(ProgramFolder::path());
    switch (ProgramLock::take(ProgramFolder::path(), &why)) {
    case ProgramLock::Outcome::Taken: return true;
    case ProgramLock::Outcome::HeldElsewhere:
        Box::ask("Kelm Invoice is already open on the data in " + folder +
                     ".\n\nOnly one copy of the program can work on it at a time: please use the copy that is "
                     "open. This one will close now.",
                 "Kelm Invoice", Box::Buttons::Ok, Box::Icon::Exclamation, this);
        break;
    case ProgramLock::Outcome::Failed:
        Box::ask("Kelm Invoice cannot make sure that it is the only copy working on the data in " + folder +
                     " (" + why + "), so it will close now.",
                 "Kelm Invoice", Box::Buttons::Ok, Box::Icon::Exclamation, this);
        break;
    }
    End_Program();
    return false;
}

void frmMain::Load() {
    if (!startsAlone()) return;
    guard(WindowName, "Load", [this] {
        Wait_Cursor_On();
        DatabaseReady = 0;
        const QString path = ProgramFolder::file("data.mdb");
        if (databaseFileFound(path)) DatabaseReady = 1;
        else CreateDatabase();
        Connections::openJet(path);
        Connections::openShape();
        // Now, while nothing else is open on the file.
        renewOlderLettersTable();
        if (DatabaseReady == 1) Load_settings();
        Wait_Cursor_Off();
    });
}

void frmMain::Load_settings() {
    guard(WindowName, "Load_settings", [] {
        Wait_Cursor_On();
        if (!loadSettingsValues()) DatabaseReady = 0;
        Wait_Cursor_Off();
    });
}

void frmMain::showEvent(QShowEvent* event) {
    QMainWindow::showEvent(event);
    if (event->spontaneous()) return;
    enableEntries();
    centreOnScreen(this);
    if (activationQueued_) return;
    activationQueued_ = true;
    QMetaObject::invokeMethod(this, [this] {
        activationQueued_ = false;
        Activate();
    }, Qt::QueuedConnection);
}

void frmMain::Activate() {
    guard(WindowName, "Activate", [this] {
        if (DatabaseReady == 0) {
            Opener::show(Windows::frm_setup, this);
            if (DatabaseReady == 0) {
                close();
                return;
            }
        }
        if (ActivateCount == 0 && gSettings.Debtorstart == 1) Opener::show(Windows::frmDebtor, this);
        ++ActivateCount;
    });
}

void frmMain::Toolbar1_ButtonClick(int index) {
    // A failure here only puts the pointer back; the task windows report their own errors.
    try {
        switch (index) {
        case 1: Opener::show(Windows::frmCustomer, this); break;
        case 3: Opener::show(Windows::frmInvoice, this); break;
        case 5: addInvoice(); break;
        case 7: Opener::show(Windows::frmReports, this); break;
        case 9: Opener::show(Windows::frmDebtor, this); break;
        case 11: Opener::show(Windows::frm_Parts, this); break;
        case 13:
            gHandOver.HelpPage = "help.htm";
            Opener::show(Windows::Help_frm, this);
            break;
        case 15: close(); break;
        default: break;
        }
    } catch (...) {
        Wait_Cursor_Off();
    }
}

void frmMain::addInvoice() {
    const Box::Answer answer = Box::ask("Do you want to add this invoice to a new customer", "Add to New Customer",
                                        Box::Buttons::YesNoCancel, Box::Icon::Question, this);
    if (answer == Box::Answer::Yes && Opener::has(Windows::frmAddCust)) {
        gHandOver.CustNewMode = 1;
        Opener::show(Windows::frmAddCust, this);
    } else if (answer == Box::Answer::No) {
        Opener::show(Windows::frmsearchCust, this);
    }
}

void frmMain::openWindow(const QString& name, const QString& procName) {
    guard(WindowName, procName, [this, &name] { Opener::show(name, this); });
}

void frmMain::closeEvent(QCloseEvent* event) {
    if (!unloaded_) {
        unloaded_ = true;
        MDIForm_Unload();
    }
    event->accept();
}

void frmMain::MDIForm_Unload() {
    guard(WindowName, "MDIForm_Unload", [this] {
        if (gSettings.ConfirmBackup == 1 &&
            Box::ask("Do you wish to backup before exiting?", "Backup?", Box::Buttons::YesNo, Box::Icon::Question,
                     this) == Box::Answer::Yes)
            Opener::run(Windows::Backup, this);
        Connections::closeJet();
        Connections::closeShape();
    });
}
