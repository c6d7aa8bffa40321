#include "settings/frm_setup.h"
#include "widgets/BoxRules.h"
#include "common/ErrorReport.h"
#include "common/Functions.h"
#include "common/SettingsValues.h"
#include "platform/MessageBox.h"
#include "platform/NumberText.h"
#include "platform/ShortDate.h"
#include "settings/CompanyBoxes.h"
#include "settings/DefaultTexts.h"
#include "settings/StartNumbers.h"
#include "widgets/WidgetHelpers.h"
#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QStackedWidget>
#include <QVBoxLayout>

namespace {
constexpr const char* WindowName = "frm_setup";

// The headings of the optional invoice header fields a new installation starts with.
constexpr const char* FirstFieldNames[] = {"Sales Person", "Shipping No", "Sales No", "Tracking No"};

int ticked(const QCheckBox* box) { return box->isChecked() ? 1 : 0; }
}  // namespace

frm_setup::frm_setup(QWidget* parent) : ActivatedDialog(parent) {
    setObjectName(WindowName);
    setWindowTitle("Company Setup");
    setCentredOnShow(true);
    setModal(true);

    pages_ = new QStackedWidget;
    Frame1 = {buildCompanyPage(), buildCurrencyPage(), buildPrefixesPage()};
    for (QGroupBox* page : Frame1) pages_->addWidget(page);

    Cancel_cmd = named(new QPushButton("&Cancel"), "Cancel_cmd");
    Back_cmd = named(new QPushButton("&Back"), "Back_cmd");
    Next_cmd = named(new QPushButton("&Next"), "Next_cmd");
    Finish_cmd = named(new QPushButton("&Finish"), "Finish_cmd");
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(Cancel_cmd);
    buttons->addStretch(1);
    buttons->addWidget(Back_cmd);
    buttons->addWidget(Next_cmd);
    buttons->addWidget(Finish_cmd);
    for (QPushButton* button : {Cancel_cmd, Back_cmd, Next_cmd, Finish_cmd}) button->setAutoDefault(false);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(pages_);
    layout->addLayout(buttons);
    setTabOrder(Next_cmd, Back_cmd);
    setTabOrder(Back_cmd, Finish_cmd);
    setTabOrder(Finish_cmd, Cancel_cmd);

    connect(Next_cmd, &QPushButton::clicked, this, [this] { Next_cmd_Click(); });
    connect(Back_cmd, &QPushButton::clicked, this, [this] { Back_cmd_Click(); });
    connect(Finish_cmd, &QPushButton::clicked, this, [this] { Finish_cmd_Click(); });
    connect(Cancel_cmd, &QPushButton::clicked, this, [this] { Cancel_cmd_Click(); });

    // The window's load step.
    SetupPage = 0;
    Back_cmd->setEnabled(false);
    Finish_cmd->setVisible(false);
    showSetupPage();   // the tax fields start hidden: the currency page is built so
    adjustSize();
}

QLabel* frm_setup::heading(const QString& text) {
    auto* label = new QLabel(text);
    QFont font("Tahoma");
    font.setPointSize(14);
    font.setBold(true);
    label->setFont(font);
    label->setAutoFillBackground(true);
    QPalette colours = label->palette();
    colours.setColor(QPalette::Window, palette().color(QPalette::Active, QPalette::Highlight));
    colours.setColor(QPalette::WindowText, Qt::white);
    label->setPalette(colours);
    label->setContentsMargins(8, 4, 8, 4);
    return label;
}

QGroupBox* frm_setup::buildCompanyPage() {
    auto* page = named(new QGroupBox("Business Name and Address"), "Frame1_0");
    Company_lbl = named(heading("Company Setup Part 1 of 3"), "Company_lbl");
    auto* grid = new QGridLayout(page);
    grid->addWidget(Company_lbl, 0, 0, 1, 3);
    CompanyBoxes{Name_txt, Address_txt, Phone_txt, Mobile_txt, email_txt, WebAddress_txt}.build(grid, 1);
    return page;
}

QGroupBox* frm_setup::buildCurrencyPage() {
    auto* page = named(new QGroupBox("Currency and Date"), "Frame1_1");
    Label7 = named(heading("Company Setup Part 2 of 3"), "Label7");
    auto* grid = new QGridLayout(page);
    grid->addWidget(Label7, 0, 0, 1, 4);
    currency_.build(grid, 1);
    return page;
}

QGroupBox* frm_setup::buildPrefixesPage() {
    auto* page = named(new QGroupBox("Prefixes"), "Frame1_2");
    Label11 = named(heading("Company Setup Part 3 of 3"), "Label11");
    auto* grid = new QGridLayout(page);
    grid->addWidget(Label11, 0, 0, 1, 5);
    using Kind = PrefixRows::Kind;
    const int end = prefixRows_.build(
        grid, 1, {"Start Number", "Item/Part:", "ITE", {Kind::Invoice, Kind::Item, Kind::Customer, Kind::Credit}});
    grid->setRowStretch(end, 1);
    return page;
}
void frm_setup::Form_Activate() {
    Name_txt->setFocus();
    guard(WindowName, "Form_Activate", [this] {
        TableSource = "system";
        SystemRs.open(TableSource);
    });
}

// Esc asks what Cancel asks: leaving the wizard ends the program and loses
// everything typed.
void frm_setup::keyPressEvent(QKeyEvent* event) {
    if (event->matches(QKeySequence::Cancel)) {
        Cancel_cmd_Click();
        return;
    }
    QDialog::keyPressEvent(event);
}

void frm_setup::showSetupPage() {
    pages_->setCurrentIndex(SetupPage);
    // The focus goes to the page's first box, not to a button of the row below.
    QLineEdit* const firstBoxes[] = {Name_txt, currency_txt, InvPrefix_txt};
    firstBoxes[SetupPage]->setFocus();
}

void frm_setup::Next_cmd_Click() {
    SetupPage = SetupPage + 1;
    showSetupPage();
    Back_cmd->setEnabled(true);
    if (SetupPage == 2) {
        Next_cmd->setVisible(false);
        Finish_cmd->setVisible(true);
    }
}

void frm_setup::Back_cmd_Click() {
    SetupPage = SetupPage - 1;
    showSetupPage();
    if (SetupPage == 0) Back_cmd->setEnabled(false);
    Next_cmd->setVisible(true);
    Finish_cmd->setVisible(false);
}

void frm_setup::Finish_cmd_Click() {
    guard(WindowName, "Finish_cmd_Click", [this] {
        QLineEdit* refused = refuseShortStartNumber({{Inv_chk, InvStart_txt, "Invoice Number"},
                                                                 {Part_chk, PrtStart_txt, "Item Number"},
                                                                 {Cus_chk, CusStart_txt, "Customer Number"}});
        if (refused) {
            refused->setFocus();
            return;
        }
        if (Box::ask("Are you sure you want to update?", "Update?", Box::Buttons::YesNo, Box::Icon::Question,
                     this) != Box::Answer::Yes)
            return;
        bool stored = false;
        guard(WindowName, "Update", [this, &stored] {
            Update();
            stored = true;
        });
        if (!stored) return;
        SystemRs.close();
        DatabaseReady = 1;
        accept();
    });
}

void frm_setup::Cancel_cmd_Click() {
    guard(WindowName, "Cancel_cmd_Click", [this] {
        if (Box::ask("Are you sure you want to cancel?", "Cancel?", Box::Buttons::YesNo, Box::Icon::Question,
                     this) != Box::Answer::Yes)
            return;
        SystemRs.close();
        DatabaseReady = 0;
        reject();
    });
}

// Writes the one settings row: the first row is overwritten, a row is added
// only when the table has none.
void frm_setup::Update() {
    Wait_Cursor_On();
    if (SystemRs.recordCount() < 1) SystemRs.addNew();
    else SystemRs.moveFirst();
    Recordset& rs = SystemRs;
    rs.setField("BusinessName", Trim(Name_txt->text()));
    rs.setField("Address", BoxRules::storedText(Address_txt));
    rs.setField("Phone", Phone_txt->text());
    rs.setField("Mobile", Mobile_txt->text());
    rs.setField("Email", email_txt->text());
    rs.setField("Web", WebAddress_txt->text());
    rs.setField("InvPrefix", InvPrefix_txt->text());
    rs.setField("CustPrefix", CusPrefix_txt->text());
    rs.setField("PartPrefix", PrtPrefix_txt->text());
    rs.setField("CrdPrefix", CrdPrefix_txt->text());
    rs.setField("CustStart", CusStart_txt->text());
    rs.setField("Invstart", InvStart_txt->text());
    rs.setField("CrdStart", CrdStart_txt->text());
    rs.setField("PartStart", PrtStart_txt->text());
    rs.setField("Currency", currency_txt->text());
    rs.setField("TaxName", TaxName_txt->text());
    rs.setField("TaxNo", TaxNumber_txt->text());
    rs.setField("TaxAmount", Val(TaxAmount_txt->text()));
    rs.setField("TaxEnabled", ticked(TaxEnabled_chk));
    rs.setField("FreeFormInv", ticked(Inv_chk));
    rs.setField("FreeformCus", ticked(Cus_chk));
    rs.setField("FreeformPart", ticked(Part_chk));
    rs.setField("FreeFormCrd", ticked(Crd_chk));
    rs.setField("DefaultStart", QString(DefaultTexts::defaultStart));
    rs.setField("DefaultEnd", todayShortDate());
    rs.setField("Debtorstart", QString("0"));
    rs.setField("Reminder1", DefaultTexts::reminder1());
    rs.setField("Reminder2", DefaultTexts::reminder2());
    rs.setField("Reminder3", DefaultTexts::reminder3());
    rs.setField("includestatement", 1);
    rs.setField("includeterms", 1);
    rs.setField("includeshipping", 0);
    rs.setField("Statement", DefaultTexts::statement());
    rs.setField("Terms1", DefaultTexts::terms());
    rs.setField("ConfirmBackup", 1);
    rs.setField("ConfirmAll", 0);
    for (const char* shown : {"FaxVisible", "phoneVisible", "emailVisible", "shippingVisible", "mobileVisible",
                              "Text1Visible", "Text2Visible", "Text3Visible", "Text4Visible"})
        rs.setField(shown, 1);
    for (int i = 0; i < 4; ++i) rs.setField(QString("Text%1Name").arg(i + 1), QString(FirstFieldNames[i]));
    rs.setField("Present", 1);
    rs.setField("InvoiceType", invoiceTypeOf(1));
    rs.update();
    Settings();
    Wait_Cursor_Off();
}

// The settings values follow the row just written (so memory and row agree);
// the columns the wizard does not write keep their values in memory.
void frm_setup::Settings() {
    guard(WindowName, "Settings", [this] {
        SettingsValues values;
        loadSettingsFromRow(SystemRs, values);
        values.webVisible = gSettings.webVisible;
        values.ConfirmExit = gSettings.ConfirmExit;
        values.logopath = gSettings.logopath;
        gSettings = values;
    });
}
