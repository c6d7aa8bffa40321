#include "debtors/FrmExport.h"
#include "common/ErrorReport.h"
#include "common/Functions.h"
#include "common/SettingsValues.h"
#include "debtors/ExportFiles.h"
#include "platform/FixedText.h"
#include "platform/MessageBox.h"
#include "platform/ProgramFolder.h"
#include "platform/ShortDate.h"
#include "platform/Today.h"
#include "platform/WholeFile.h"
#include "widgets/BoxRules.h"
#include "widgets/WidgetHelpers.h"
#include "widgets/WindowPlacement.h"
#include <QComboBox>
#include <QDateEdit>
#include <QDir>
#include <QEvent>
#include <QFileInfo>
#include <QFileSystemModel>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QListWidget>
#include <QStorageInfo>
#include <QTimer>
#include <QTreeView>
#include <QVBoxLayout>
#include <algorithm>

namespace {
const char* WindowName = "FrmExport";
using ExportFiles::Export;

struct Entry {
    const char* caption;
    const char* defaultFileName;
    Export which;
};
const Entry Entries[] = {
    {"Customers - Summary", "SumCustomers", Export::SummaryCustomers},
    {"Customers - Detailed", "DetailCustomers", Export::DetailedCustomers},
    {"Invoices - Summary", "SumInvoices", Export::Invoices},
    {"Invoices and Invoice Details", "DetailInvoices", Export::InvoiceDetails},
    {"Items", "Items", Export::Parts},
    {"Debtors", "Debtors", Export::Debtors},
};
constexpr int EntryCount = int(std::size(Entries));

// The mount points stand for the drives: every folder lies on one of them.
QStringList mountPoints() {
    QStringList roots;
    for (const QStorageInfo& volume : QStorageInfo::mountedVolumes())
        if (volume.isValid()) roots << volume.rootPath();
    roots.removeDuplicates();
    std::sort(roots.begin(), roots.end());
    return roots;
}

// Why a folder cannot be shown in the folder tree; empty when it can.
QString unreadable(const QString& folder) {
    const QFileInfo info(folder);
    if (!info.isDir()) return "Path not found";
    if (!info.isReadable()) return "Permission denied";
    return QString();
}
}  // namespace

FrmExport::FrmExport(QWidget* owner) : QDialog(owner) {
    setObjectName(WindowName);
    setWindowTitle("Export to Excel");
    list1 = named(new QListWidget, "list1");
    Label2 = label("Filename:", "Label2");
    Filename_txt = named(new QLineEdit, "Filename_txt");
    BoxRules::fileNameOnly(Filename_txt);
    Label1 = label("Path", "Label1");
    Path_txt = named(new QLineEdit, "Path_txt");
    Command2 = button("Change Path", "Command2");
    From_lbl = label("From:", "From_lbl");
    DTPicker1 = datePicker("DTPicker1");
    to_lbl = label("To:", "to_lbl");
    DTPicker2 = datePicker("DTPicker2");
    Export_cmd = button("&Export", "Export_cmd");
    exit_cmd = button("E&xit", "exit_cmd");
    buildChooser();

    auto* fields = new QGridLayout;
    fields->addWidget(Label2, 0, 0);
    fields->addWidget(Filename_txt, 0, 1, 1, 3);
    fields->addWidget(Label1, 1, 0);
    fields->addWidget(Path_txt, 1, 1, 1, 3);
    fields->addWidget(Command2, 2, 3);
    fields->addWidget(From_lbl, 3, 0);
    fields->addWidget(DTPicker1, 3, 1);
    fields->addWidget(to_lbl, 3, 2);
    fields->addWidget(DTPicker2, 3, 3);
    fields->setColumnStretch(3, 1);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(Export_cmd);
    buttons->addWidget(exit_cmd);
    auto* right = new QVBoxLayout;
    right->addLayout(fields);
    right->addStretch();
    right->addLayout(buttons);
    auto* top = new QHBoxLayout;
    top->addWidget(list1);
    top->addLayout(right, 1);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addWidget(Frame1);
    // The window grows by the folder chooser while it is shown.
    layout->setSizeConstraint(QLayout::SetFixedSize);
    list1->setFixedWidth(list1->fontMetrics().horizontalAdvance("Invoices and Invoice Details") + 40);
    list1->setFixedHeight(list1->fontMetrics().height() * (EntryCount + 2));
    Path_txt->setMinimumWidth(Path_txt->fontMetrics().horizontalAdvance(QString(40, 'x')));
    for (QPushButton* b : findChildren<QPushButton*>()) b->setAutoDefault(false);
    Export_cmd->setDefault(true);
    QWidget* const order[] = {list1, Filename_txt, Path_txt, Command2, DTPicker1, DTPicker2, Export_cmd, exit_cmd};
    for (size_t i = 1; i < std::size(order); ++i) setTabOrder(order[i - 1], order[i]);

    connect(list1, &QListWidget::currentRowChanged, this, &FrmExport::Set_filename);
    connect(list1, &QListWidget::itemClicked, this, &FrmExport::Set_filename);
    connect(list1, &QListWidget::itemDoubleClicked, this, &FrmExport::Set_filename);
    list1->installEventFilter(this);
    connect(Command2, &QPushButton::clicked, this, [this] {
        Frame1->show();
        // Once the tree has its size.
        QTimer::singleShot(0, Dir1, [this] { Dir1->scrollTo(Dir1->currentIndex(), QAbstractItemView::PositionAtCenter); });
    });
    connect(Export_cmd, &QPushButton::clicked, this, &FrmExport::Export_cmd_Click);
    connect(exit_cmd, &QPushButton::clicked, this, &QDialog::reject);

    Form_Load();
}

void FrmExport::buildChooser() {
    Frame1 = named(new QGroupBox("Choose Path"), "Frame1");
    path1_txt = named(new QLineEdit, "path1_txt");
    path1_txt->setReadOnly(true);
    Drive1 = named(new QComboBox, "Drive1");
    Dir1 = named(new QTreeView, "Dir1");
    Command1 = button("&OK", "Command1");
    Command3 = button("&Cancel", "Command3");
    folders_ = new QFileSystemModel(this);
    folders_->setFilter(QDir::AllDirs | QDir::NoDotAndDotDot | QDir::Drives);
    folders_->setReadOnly(true);
    folders_->setRootPath("/");
    Dir1->setModel(folders_);
    for (int column = 1; column < folders_->columnCount(); ++column) Dir1->hideColumn(column);
    Dir1->setHeaderHidden(true);
    Dir1->setMinimumSize(Path_txt->fontMetrics().horizontalAdvance(QString(50, 'x')),
                         Path_txt->fontMetrics().height() * 14);
    Drive1->addItems(mountPoints());

    auto* grid = new QGridLayout(Frame1);
    grid->addWidget(path1_txt, 0, 0, 1, 2);
    grid->addWidget(Drive1, 1, 0, 1, 2);
    grid->addWidget(Dir1, 2, 0, 1, 2);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(Command1);
    buttons->addWidget(Command3);
    grid->addLayout(buttons, 3, 0, 1, 2);
    Frame1->hide();

    connect(Drive1, &QComboBox::activated, this, &FrmExport::Drive1_Change);
    connect(Dir1->selectionModel(), &QItemSelectionModel::currentChanged, this, &FrmExport::Dir1_Change);
    connect(Command1, &QPushButton::clicked, this, [this] {
        Frame1->hide();
        Path_txt->setText(Dir1Folder());
    });
    connect(Command3, &QPushButton::clicked, Frame1, &QWidget::hide);
}

void FrmExport::Form_Load() {
    for (const Entry& entry : Entries) list1->addItem(entry.caption);
    list1->setCurrentRow(0);
    Path_txt->setText(ProgramFolder::path());
    setDir1Folder(QDir::currentPath());
    DTPicker1->setDate(storedDate(gSettings.DefaultStart, Today::date()));
    DTPicker2->setDate(gSettings.Present == 1 ? Today::date() : storedDate(gSettings.DefaultEnd, Today::date()));
    adjustSize();
    centreOnScreen(this);
}

// Choosing an entry puts its default file name in the box, over whatever was typed.
void FrmExport::Set_filename() {
    const int row = list1->currentRow();
    if (row >= 0 && row < EntryCount) Filename_txt->setText(Entries[row].defaultFileName);
}

bool FrmExport::eventFilter(QObject* watched, QEvent* event) {
    // The list is chosen from, never worked in: its focus goes on to Export.
    if (watched == list1 && event->type() == QEvent::FocusIn) Export_cmd->setFocus();
    return QDialog::eventFilter(watched, event);
}

QString FrmExport::Dir1Folder() const {
    return folders_->filePath(Dir1->currentIndex());
}

void FrmExport::setDir1Folder(const QString& folder) {
    const QModelIndex index = folders_->index(QDir::cleanPath(QDir(folder).absolutePath()));
    if (!index.isValid()) return;
    for (QModelIndex up = index.parent(); up.isValid(); up = up.parent()) Dir1->expand(up);
    Dir1->setCurrentIndex(index);
    Dir1->scrollTo(index);
    Dir1_Change();
}

void FrmExport::Drive1_Change() {
    const QString root = Drive1->currentText();
    const QString why = unreadable(root);
    if (why.isEmpty()) {
        setDir1Folder(root);
        return;
    }
    Box::ask(why, "Kelm Invoice", Box::Buttons::Ok, Box::Icon::None, this);
    showDriveOf(Dir1Folder());
}

void FrmExport::Dir1_Change() {
    path1_txt->setText(Dir1Folder());
    showDriveOf(Dir1Folder());
}

void FrmExport::showDriveOf(const QString& folder) {
    const int index = Drive1->findText(QStorageInfo(folder).rootPath());
    if (index >= 0) Drive1->setCurrentIndex(index);
}

void FrmExport::refuseFilename(const QString& why) {
    Box::ask(why, "Invalid Filename", Box::Buttons::Ok, Box::Icon::Exclamation, this);
    // Back in the name box with its text selected, as a box takes the focus:
    // the name typed next replaces it.
    Filename_txt->setFocus();
    Filename_txt->selectAll();
}

void FrmExport::Export_cmd_Click() {
    if (Trim(Filename_txt->text()).isEmpty()) {
        refuseFilename("Please enter a filename");
        return;
    }
    if (!QFileInfo(Path_txt->text()).isDir()) {
        Box::ask("Folder does not exist please try again!", "Invalid Path", Box::Buttons::Ok,
                 Box::Icon::Exclamation, this);
        return;
    }
    const QString file = Path_txt->text() + '/' + Filename_txt->text() + ".csv";
    if (!WholeFile::nameFits(file)) {
        refuseFilename("Filename is too long please enter a shorter one!");
        return;
    }
    const QFileInfo existing(file);
    if (existing.exists() && !existing.isDir() &&
        Box::ask("File already exists! Do wish to overwrite?", "Overwrite?", Box::Buttons::YesNo, Box::Icon::Question,
                 this) == Box::Answer::No)
        return;
    const int row = list1->currentRow();
    if (row < 0 || row >= EntryCount) return;
    const Export which = Entries[row].which;
    guard(WindowName, ExportFiles::procedureName(which), [&] {
        if (ExportFiles::write(which, file, DTPicker1->date(), DTPicker2->date(), ShapeRs) == ExportFiles::Outcome::NoRecords)
            Box::ask("No records to Export", "No Records", Box::Buttons::Ok, Box::Icon::Exclamation, this);
        else
            Box::ask("Export successfully completed.", "Successful", Box::Buttons::Ok, Box::Icon::Information, this);
    });
}
