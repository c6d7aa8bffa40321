#include "settings/frmCustomerSet.h"
#include "common/ErrorReport.h"
#include "common/Functions.h"
#include "common/SettingsValues.h"
#include "settings/SettingsRow.h"
#include "widgets/WidgetHelpers.h"
#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace {
constexpr const char* windowName = "frmCustomerSet";
}

frmCustomerSet::frmCustomerSet(QWidget* owner) : SettingsDialog(owner) {
    setObjectName(windowName);
    setWindowTitle("Customize Customer Screen");

    auto* Frame1 = named(new QGroupBox, "Frame1");
    auto* grid = new QGridLayout(Frame1);
    auto* Label1 = named(new QLabel("Untick any check box to make text boxes invisble"), "Label1");
    Label1->setAlignment(Qt::AlignCenter);
    Label1->setStyleSheet("color: blue");
    grid->addWidget(Label1, 0, 0, 1, 2);
    grid->addWidget(boxes.Shipping1_chk, 1, 0);
    grid->addWidget(boxes.phone_chk, 2, 0);
    grid->addWidget(boxes.mobile_chk, 3, 0);
    grid->addWidget(boxes.fax_chk, 1, 1);
    grid->addWidget(boxes.email_chk, 2, 1);

    Ok_cmd = named(new QPushButton("&Ok"), "Ok_cmd");
    Cancel_cmd = named(new QPushButton("&Cancel"), "Cancel_cmd");
    connect(Ok_cmd, &QPushButton::clicked, this, [this] { Ok_cmd_Click(); });
    connect(Cancel_cmd, &QPushButton::clicked, this, &QDialog::reject);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(Ok_cmd);
    buttons->addWidget(Cancel_cmd);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(Frame1);
    layout->addLayout(buttons);

    QWidget* focusOrder[] = {Cancel_cmd, Ok_cmd, boxes.mobile_chk, boxes.Shipping1_chk,
                             boxes.email_chk, boxes.fax_chk, boxes.phone_chk};
    for (int i = 0; i + 1 < 7; ++i) setTabOrder(focusOrder[i], focusOrder[i + 1]);
    Cancel_cmd->setFocus();
}

void frmCustomerSet::Form_Activate() {
    guard(windowName, "Form_Activate", [this] { SettingsRow::open(SystemRs); });
    if (!SystemRs.isOpen()) return;
    Load_system();
    Settings();
}

void frmCustomerSet::Load_system() {
    guard(windowName, "Load_system", [this] {
        Wait_Cursor_On();
        if (SettingsRow::moveToRow(SystemRs)) boxes.loadFrom(SystemRs);
        Wait_Cursor_Off();
    });
}

void frmCustomerSet::Settings() { boxes.copyTo(gSettings); }

void frmCustomerSet::Update() {
    guard(windowName, "Update", [this] {
        Wait_Cursor_On();
        // A row of five columns alone would break the row's required columns:
        // the settings row is written only when it exists.
        if (SettingsRow::moveToRow(SystemRs)) {
            boxes.saveTo(SystemRs);
            SystemRs.update();
        }
        Settings();
        Wait_Cursor_Off();
    });
}

void frmCustomerSet::Ok_cmd_Click() {
    Update();
    accept();
}

void frmCustomerSet::keyPressEvent(QKeyEvent* event) {
    // Neither button is the cancel button: Esc closes nothing.
    if (event->key() == Qt::Key_Escape) return event->accept();
    SettingsDialog::keyPressEvent(event);
}
