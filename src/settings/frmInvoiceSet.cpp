#include "settings/frmInvoiceSet.h"
#include "common/ErrorReport.h"
#include "common/Functions.h"
#include "common/SettingsValues.h"
#include "platform/AppError.h"
#include "settings/InvoiceLook.h"
#include "settings/SettingsRow.h"
#include "widgets/WidgetHelpers.h"
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QStackedWidget>
#include <QVBoxLayout>

namespace {
constexpr const char* windowName = "frmInvoiceSet";

QGroupBox* frame(const char* name, const char* caption, QWidget* content) {
    auto* box = named(new QGroupBox(caption), name);
    (new QVBoxLayout(box))->addWidget(content);
    return box;
}
}  // namespace

frmInvoiceSet::frmInvoiceSet(QWidget* owner) : SettingsDialog(owner) {
    setObjectName(windowName);
    setWindowTitle("Customize Options");
    look = new InvoiceLook(this, {"Option", false});

    auto* headings = new QWidget;
    auto* headingsLayout = new QGridLayout(headings);
    const char* hints[] = {"Tick any check box to include on Invoice Screen",
                           "Please type below if you wish to change any of the headings"};
    for (int column = 0; column < 2; ++column) {
        headingsLayout->addWidget(note(hints[column]), 0, column);
    }
    headingsLayout->addWidget(look->headingRows(), 1, 0, 1, 2);
    auto* firstPage = new QWidget;
    auto* firstLayout = new QGridLayout(firstPage);
    firstLayout->addWidget(frame("Frame4", "Invoice Type", look->layoutButtonsGrid()), 0, 0, 1, 2);
    firstLayout->addWidget(frame("Frame2", "Logo:", look->logoPanel()), 1, 0);
    firstLayout->addWidget(frame("Frame1", "Customize Invoice Screen", headings), 1, 1);

    auto* layoutContent = new QWidget;
    auto* layoutRow = new QHBoxLayout(layoutContent);
    layoutRow->addWidget(look->includeColumn(), 1);
    layoutRow->addWidget(look->sample, 0, Qt::AlignTop);
    InvoiceFrame = frame("InvoiceFrame", "Invoice Layout", layoutContent);

    pages = new QStackedWidget;
    pages->addWidget(firstPage);
    pages->addWidget(InvoiceFrame);

    customize_cmd = named(new QPushButton("Customize Invoice"), "customize_cmd");
    Back_cmd = named(new QPushButton("&Back"), "Back_cmd");
    ok_cmd = named(new QPushButton("&Ok"), "ok_cmd");
    cancel_cmd = named(new QPushButton("&Cancel"), "cancel_cmd");
    Back_cmd->hide();
    connect(customize_cmd, &QPushButton::clicked, this, [this] { customize_cmd_Click(); });
    connect(Back_cmd, &QPushButton::clicked, this, [this] { Back_cmd_Click(); });
    connect(ok_cmd, &QPushButton::clicked, this, [this] { Ok_cmd_Click(); });
    connect(cancel_cmd, &QPushButton::clicked, this, &QDialog::reject);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(customize_cmd);
    buttons->addWidget(Back_cmd);
    buttons->addStretch();
    buttons->addWidget(ok_cmd);
    buttons->addWidget(cancel_cmd);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(pages);
    layout->addLayout(buttons);

    look->showStoredLogo(gSettings.logopath);
}

void frmInvoiceSet::Form_Activate() {
    guard(windowName, "Form_Activate", [this] { SettingsRow::open(SystemRs); });
    if (SystemRs.isOpen()) Load_system();
}

void frmInvoiceSet::Load_system() {
    Wait_Cursor_On();
    try {
        if (SettingsRow::moveToRow(SystemRs)) look->loadFrom(SystemRs);
    } catch (const AppError&) {
        // A row that cannot be read leaves the controls as far as they were filled.
    } catch (const std::exception&) {
    }
    look->ShowInvoicePreview();
    Wait_Cursor_Off();
}

void frmInvoiceSet::Update() {
    guard(windowName, "Update", [this] {
        Wait_Cursor_On();
        // This dialog edits the settings row and never adds one.
        if (SettingsRow::moveToRow(SystemRs)) {
            look->saveTo(SystemRs);
            SystemRs.update();
        }
        Settings();
        Wait_Cursor_Off();
    });
}

void frmInvoiceSet::Settings() { look->copyTo(gSettings); }

void frmInvoiceSet::customize_cmd_Click() {
    pages->setCurrentWidget(InvoiceFrame);
    customize_cmd->hide();
    Back_cmd->show();
}

void frmInvoiceSet::Back_cmd_Click() {
    pages->setCurrentIndex(0);
    customize_cmd->show();
    Back_cmd->hide();
}

void frmInvoiceSet::Ok_cmd_Click() {
    Update();
    accept();
}
