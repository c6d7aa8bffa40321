#include "debtors/frmReports.h"
#include "common/Functions.h"
#include "common/SettingsValues.h"
#include "debtors/PrintedReports.h"
#include "platform/ShortDate.h"
#include "platform/Today.h"
#include "widgets/WidgetHelpers.h"
#include "widgets/WindowPlacement.h"
#include <QDateEdit>
#include <QEvent>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QListWidget>
#include <QVBoxLayout>

using PrintedReports::Report;

frmReports::frmReports(QWidget* owner) : QDialog(owner) {
    setObjectName("frmReports");
    setWindowTitle("Reports");
    list1 = named(new QListWidget, "list1");
    From_lbl = label("From:", "From_lbl");
    DTPicker1 = datePicker("DTPicker1");
    To_lbl = label("To:", "To_lbl");
    DTPicker2 = datePicker("DTPicker2");
    Select_cmd = button("&Select", "Select_cmd");
    exit_cmd = button("&Exit", "exit_cmd");

    auto* dates = new QGridLayout;
    dates->addWidget(From_lbl, 0, 0);
    dates->addWidget(DTPicker1, 0, 1);
    dates->addWidget(To_lbl, 1, 0);
    dates->addWidget(DTPicker2, 1, 1);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(Select_cmd);
    buttons->addWidget(exit_cmd);
    auto* right = new QVBoxLayout;
    right->addLayout(dates);
    right->addStretch();
    right->addLayout(buttons);
    auto* layout = new QHBoxLayout(this);
    layout->addWidget(list1);
    layout->addLayout(right);
    layout->setSizeConstraint(QLayout::SetFixedSize);
    list1->setFixedWidth(list1->fontMetrics().horizontalAdvance("Invoices and Invoice Details") + 40);
    list1->setFixedHeight(list1->fontMetrics().height() * (PrintedReports::Count + 2));
    Select_cmd->setAutoDefault(false);
    exit_cmd->setAutoDefault(false);
    QWidget* const order[] = {list1, DTPicker1, DTPicker2, Select_cmd, exit_cmd};
    for (size_t i = 1; i < std::size(order); ++i) setTabOrder(order[i - 1], order[i]);

    connect(list1, &QListWidget::itemDoubleClicked, this, &frmReports::Select_cmd_Click);
    list1->installEventFilter(this);
    connect(Select_cmd, &QPushButton::clicked, this, &frmReports::Select_cmd_Click);
    connect(exit_cmd, &QPushButton::clicked, this, &QDialog::reject);

    Form_Load();
}

void frmReports::Form_Load() {
    for (int i = 0; i < PrintedReports::Count; ++i) list1->addItem(PrintedReports::entry(Report(i)).listEntry);
    list1->setCurrentRow(0);
    DTPicker1->setDate(storedDate(gSettings.DefaultStart, Today::date()));
    DTPicker2->setDate(gSettings.Present == 1 ? Today::date() : storedDate(gSettings.DefaultEnd, Today::date()));
    adjustSize();
    centreOnScreen(this);
}

bool frmReports::eventFilter(QObject* watched, QEvent* event) {
    // Enter in the list selects.
    if (watched == list1 && event->type() == QEvent::FocusIn) Select_cmd->setDefault(true);
    return QDialog::eventFilter(watched, event);
}

void frmReports::Select_cmd_Click() {
    const int row = list1->selectedItems().isEmpty() ? -1 : list1->currentRow();
    PrintedReports::select(row, DTPicker1->date(), DTPicker2->date(), ShapeRs, this);
}
