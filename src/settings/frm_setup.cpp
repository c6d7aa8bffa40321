#include "settings/frm_setup.h"
#include "common/ErrorReport.h"
#include "common/Functions.h"
#include "common/SettingsValues.h"
#include "platform/MessageBox.h"
#include "platform/NumberText.h"
#include "platform/ShortDate.h"
#include "common/WindowPlacement.h"
#include "settings/DefaultTexts.h"
#include "settings/EntryRules.h"
#include "settings/StartNumbers.h"
#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QShowEvent>
#include <QStackedWidget>
#include <QVBoxLayout>

namespace {
constexpr const char* WindowName = "frm_setup";

// The headings of the optional invoice header fields a new installation starts with.
constexpr const char* FirstFieldNames[] = {"Sales Person", "Shipping No", "Sales No", "Tracking No"};

template <typename W>
W* named(W* widget, const char* name) {
    widget->setObjectName(name);
    return widget;
}

QLineEdit* lineBox(const char* name, int limit, const QString& text = QString()) {
    auto* box = named(new QLineEdit(text), name);
    box->setMaxLength(limit);
    return box;
}

QLabel* note(const QString& text, const char* name = "") {
    auto* label = named(new QLabel(text), name);
    label->setWordWrap(true);
    return label;
}

int ticked(const QCheckBox* box) { return box->isChecked() ? 1 : 0; }
}  // namespace

frm_setup::frm_setup(QWidget* parent) : QDialog(parent) {
    setObjectName(WindowName);
    setWindowTitle("Company Setup");
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
    showSetupPage();
    HideTaxFields();
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
    Name_txt = lineBox("Name_txt", 30);
    Address_txt = named(new QPlainTextEdit, "Address_txt");
    Address_txt->setTabChangesFocus(true);
    Address_txt->setFixedHeight(Address_txt->fontMetrics().lineSpacing() * 6);
    EntryRules::limitStoredLength(Address_txt, 150);
    Phone_txt = lineBox("Phone_txt", 30);
    Mobile_txt = lineBox("Mobile_txt", 30);
    email_txt = lineBox("email_txt", 30);
    WebAddress_txt = lineBox("WebAddress_txt", 30);

    auto* grid = new QGridLayout(page);
    grid->addWidget(Company_lbl, 0, 0, 1, 3);
    const std::pair<const char*, QWidget*> rows[] = {{"Name of Business:", Name_txt}, {"Address:", Address_txt},
                                                     {"Phone:", Phone_txt},           {"Mobile", Mobile_txt},
                                                     {"Email:", email_txt},           {"Web Address:", WebAddress_txt}};
    int row = 1;
    for (const auto& [caption, box] : rows) {
        grid->addWidget(new QLabel(caption), row, 0, box == Address_txt ? Qt::AlignTop : Qt::AlignVCenter);
        grid->addWidget(box, row, 1);
        EntryRules::selectOnFocus(box);
        ++row;
    }
    grid->addWidget(note("You can only enter a maximum of 5 lines for the address. Anything more will not "
                         "appear on the invoice."),
                    2, 2, Qt::AlignTop);
    grid->setColumnStretch(1, 1);
    grid->setColumnStretch(2, 1);
    grid->setRowStretch(row, 1);
    return page;
}

QGroupBox* frm_setup::buildCurrencyPage() {
    auto* page = named(new QGroupBox("Currency and Date"), "Frame1_1");
    Label7 = named(heading("Company Setup Part 2 of 3"), "Label7");
    Frame2 = named(new QGroupBox("Country"), "Frame2");
    Option1 = named(new QRadioButton("USA"), "Option1");
    Option2 = named(new QRadioButton("UK"), "Option2");
    Option3 = named(new QRadioButton("Other"), "Option3");
    auto* countries = new QHBoxLayout(Frame2);
    for (QRadioButton* option : {Option1, Option2, Option3}) countries->addWidget(option);
    countries->addStretch(1);

    currency_txt = lineBox("currency_txt", 1, "$");
    TaxEnabled_chk = named(new QCheckBox("Tax Enabled:"), "TaxEnabled_chk");
    TaxEnabled_chk->setLayoutDirection(Qt::RightToLeft);
    Label14 = note("Tick this option if your company charges tax.", "Label14");
    Tax1_lbl = named(new QLabel("Tax Name:"), "Tax1_lbl");
    TaxName_txt = lineBox("TaxName_txt", 10, "Tax");
    Tax2_lbl = note("Enter Tax Name (i.e VAT for UK)", "Tax2_lbl");
    Tax4_lbl = named(new QLabel("Tax Percent:"), "Tax4_lbl");
    TaxAmount_txt = lineBox("TaxAmount_txt", 5);
    tax7_lbl = named(new QLabel("%"), "tax7_lbl");
    Tax3_lbl = note("This percentage will be added to the subtotal amount", "Tax3_lbl");
    Tax5_lbl = named(new QLabel("Tax Number:"), "Tax5_lbl");
    TaxNumber_txt = lineBox("TaxNumber_txt", 20);
    Tax6_lbl = note("Tax number will be displayed below your business address", "Tax6_lbl");
    EntryRules::percentage(TaxAmount_txt);
    for (QWidget* box : {static_cast<QWidget*>(currency_txt), static_cast<QWidget*>(TaxName_txt),
                         static_cast<QWidget*>(TaxAmount_txt), static_cast<QWidget*>(TaxNumber_txt)})
        EntryRules::selectOnFocus(box);

    auto* grid = new QGridLayout(page);
    grid->addWidget(Label7, 0, 0, 1, 4);
    grid->addWidget(Frame2, 1, 0, 1, 4);
    grid->addWidget(new QLabel("Currency:"), 2, 0);
    grid->addWidget(currency_txt, 2, 1);
    grid->addWidget(TaxEnabled_chk, 3, 0);
    grid->addWidget(Label14, 3, 1, 1, 3);
    grid->addWidget(Tax1_lbl, 4, 0);
    grid->addWidget(TaxName_txt, 4, 1);
    grid->addWidget(Tax2_lbl, 4, 3);
    grid->addWidget(Tax4_lbl, 5, 0);
    grid->addWidget(TaxAmount_txt, 5, 1);
    grid->addWidget(tax7_lbl, 5, 2);
    grid->addWidget(Tax3_lbl, 5, 3);
    grid->addWidget(Tax5_lbl, 6, 0);
    grid->addWidget(TaxNumber_txt, 6, 1);
    grid->addWidget(Tax6_lbl, 6, 3);
    grid->setColumnStretch(3, 1);
    grid->setRowStretch(7, 1);

    auto preset = [this](EntryRules::Country country) {
        const EntryRules::CountryPreset values = EntryRules::countryPreset(country);
        currency_txt->setText(values.currency);
        TaxName_txt->setText(values.taxName);
        TaxAmount_txt->setText(values.taxAmount);
    };
    connect(Option1, &QRadioButton::toggled, this, [preset](bool on) { if (on) preset(EntryRules::Country::USA); });
    connect(Option2, &QRadioButton::toggled, this, [preset](bool on) { if (on) preset(EntryRules::Country::UK); });
    connect(Option3, &QRadioButton::toggled, this, [preset](bool on) { if (on) preset(EntryRules::Country::Other); });
    connect(TaxEnabled_chk, &QCheckBox::toggled, this, [this](bool on) { on ? ShowTaxFields() : HideTaxFields(); });
    Option1->setChecked(true);
    return page;
}

QGroupBox* frm_setup::buildPrefixesPage() {
    auto* page = named(new QGroupBox("Prefixes"), "Frame1_2");
    Label11 = named(heading("Company Setup Part 3 of 3"), "Label11");
    auto* grid = new QGridLayout(page);
    grid->addWidget(Label11, 0, 0, 1, 5);
    int column = 1;
    for (const char* head : {"Prefix", "Start Number", "Example"}) grid->addWidget(new QLabel(head), 1, column++);

    struct Row {
        const char* caption;
        QLineEdit*& prefix;
        QLineEdit*& start;
        QLabel*& example;
        QCheckBox*& freeForm;
        const char* names[4];
        const char* prefixText;
        const char* startText;
        const char* freeFormCaption;
        bool shown;
    };
    const Row rows[] = {
        {"Invoice:", InvPrefix_txt, InvStart_txt, InvExample_lbl, Inv_chk,
         {"InvPrefix_txt", "InvStart_txt", "InvExample_lbl", "Inv_chk"}, "INV", "100001",
         "Use Free Form Invoice Creation", true},
        {"Item/Part:", PrtPrefix_txt, PrtStart_txt, PrtExample_lbl, Part_chk,
         {"PrtPrefix_txt", "PrtStart_txt", "PrtExample_lbl", "Part_chk"}, "ITE", "100001",
         "Use Free Form Item\\Part No Creation", true},
        {"Customer:", CusPrefix_txt, CusStart_txt, CusExample_lbl, Cus_chk,
         {"CusPrefix_txt", "CusStart_txt", "CusExample_lbl", "Cus_chk"}, "CUS", "100001",
         "Use Free Form Customer No .Creation", true},
        {"Credit:", CrdPrefix_txt, CrdStart_txt, CrdExample_lbl, Crd_chk,
         {"CrdPrefix_txt", "CrdStart_txt", "CrdExample_lbl", "Crd_chk"}, "CRD", "200001",
         "Use Free Form Credit Note Creation", false},
    };
    int line = 2;
    for (const Row& row : rows) {
        auto* caption = new QLabel(row.caption);
        row.prefix = lineBox(row.names[0], 4, row.prefixText);
        row.start = lineBox(row.names[1], 8, row.startText);
        row.example = named(new QLabel, row.names[2]);
        row.prefix->setMinimumWidth(row.prefix->fontMetrics().horizontalAdvance("WWWW") + 12);
        row.example->setMinimumWidth(row.example->fontMetrics().horizontalAdvance("WWWW00000000") + 12);
        row.freeForm = named(new QCheckBox(row.freeFormCaption), row.names[3]);
        EntryRules::digitsOnly(row.start);
        EntryRules::followFreeForm(row.freeForm, row.prefix, row.start);
        for (QLineEdit* box : {row.prefix, row.start}) EntryRules::afterKeyRelease(box, [this] { ShowPrefixExamples(); });
        grid->addWidget(caption, line, 0);
        grid->addWidget(row.prefix, line, 1);
        grid->addWidget(row.start, line, 2);
        grid->addWidget(row.example, line, 3);
        grid->addWidget(row.freeForm, line, 4);
        // The credit-note row is kept, and follows its boxes, but is never shown.
        if (!row.shown)
            for (QWidget* control : std::initializer_list<QWidget*>{caption, row.prefix, row.start, row.example,
                                                                    row.freeForm})
                control->setVisible(false);
        ++line;
    }
    for (QLineEdit* box : {InvPrefix_txt, InvStart_txt, PrtPrefix_txt, PrtStart_txt, CusPrefix_txt, CusStart_txt,
                           CrdPrefix_txt})
        EntryRules::selectOnFocus(box);
    grid->setColumnStretch(4, 1);
    grid->setRowStretch(line, 1);
    ShowPrefixExamples();
    return page;
}

void frm_setup::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    if (event->spontaneous()) return;
    centreOnScreen(this);
    // The activation step: a fresh record set on the settings table each showing.
    Name_txt->setFocus();
    guard(WindowName, "Form_Activate", [this] {
        TableSource = "system";
        SystemRs.open(TableSource);
    });
}

void frm_setup::showSetupPage() {
    pages_->setCurrentIndex(SetupPage);
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

void frm_setup::setTaxFieldsVisible(bool visible) {
    for (QWidget* field : {static_cast<QWidget*>(Tax1_lbl), static_cast<QWidget*>(Tax2_lbl),
                           static_cast<QWidget*>(Tax3_lbl), static_cast<QWidget*>(Tax4_lbl),
                           static_cast<QWidget*>(Tax5_lbl), static_cast<QWidget*>(Tax6_lbl),
                           static_cast<QWidget*>(tax7_lbl), static_cast<QWidget*>(TaxName_txt),
                           static_cast<QWidget*>(TaxAmount_txt), static_cast<QWidget*>(TaxNumber_txt)})
        field->setVisible(visible);
}

void frm_setup::ShowTaxFields() { setTaxFieldsVisible(true); }
void frm_setup::HideTaxFields() { setTaxFieldsVisible(false); }

void frm_setup::ShowPrefixExamples() {
    InvExample_lbl->setText(EntryRules::prefixExample(InvPrefix_txt->text(), InvStart_txt->text()));
    CrdExample_lbl->setText(EntryRules::prefixExample(CrdPrefix_txt->text(), CrdStart_txt->text()));
    PrtExample_lbl->setText(EntryRules::prefixExample(PrtPrefix_txt->text(), PrtStart_txt->text()));
    CusExample_lbl->setText(EntryRules::prefixExample(CusPrefix_txt->text(), CusStart_txt->text()));
}

// Writes the one settings row: the first row is overwritten, a row is added
// only when the table has none.
void frm_setup::Update() {
    Wait_Cursor_On();
    if (SystemRs.recordCount() < 1) SystemRs.addNew();
    else SystemRs.moveFirst();
    Recordset& rs = SystemRs;
    rs.setField("BusinessName", Trim(Name_txt->text()));
    rs.setField("Address", EntryRules::storedText(Address_txt));
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
    rs.setField("InvoiceType", QString("1"));
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
