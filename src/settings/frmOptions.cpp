#include "settings/frmOptions.h"
#include "widgets/BoxRules.h"
#include "widgets/Icons.h"
#include "common/ErrorReport.h"
#include "common/Functions.h"
#include "common/Numbering.h"
#include "common/SettingsValues.h"
#include "platform/MessageBox.h"
#include "platform/NumberText.h"
#include "platform/ShortDate.h"
#include "settings/CompanyBoxes.h"
#include "settings/DefaultTexts.h"
#include "settings/EntryRules.h"
#include "settings/StartNumbers.h"
#include "settings/InvoiceLook.h"
#include "settings/SettingsRow.h"
#include "widgets/WidgetHelpers.h"
#include <array>
#include <QApplication>
#include <QCheckBox>
#include <QDateEdit>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QStackedWidget>
#include <QTabBar>
#include <QVBoxLayout>

namespace {
constexpr const char* windowName = "frmOptions";
const QDate pickersInitialDate(2004, 12, 17);
const QDate defaultStartDate(2005, 1, 1);

QLabel* decorativePicture(Icons::Option picture) {
    auto* label = new QLabel;
    label->setPixmap(Icons::option(picture, 32));
    return label;
}

struct TabInfo {
    const char* caption;
    const char* tooltip;
    const char* pageCaption;
    Icons::Option picture;
};
const TabInfo tabs[8] = {
    {"Company", "Set Name & Address", "Business Name and Address", Icons::Option::Company},
    {"Currency", "Set Options for Currency and Tax", "Currency and Date", Icons::Option::Currency},
    {"Prefixes", "Set Options for Prefixes", "Prefixes", Icons::Option::Prefixes},
    {"Set Defaults", "Set Options for Defaults", "Defaults", Icons::Option::Defaults},
    {"Invoice 1", "Set Options for Invoice Layout", "Invoice 1  Layout", Icons::Option::Invoice},
    {"Invoice 2", "Set Options for Invoice Layout", "Invoice 2  Layout", Icons::Option::Layout},
    {"Reminders", "Set Options for Reminders", "Reminders", Icons::Option::Reminders},
    {"Customize", nullptr, "Customize Screens", Icons::Option::Customize},
};
constexpr int prefixesPageIndex = 2;
}  // namespace

// One kind of automatically numbered document and its number-in-use check.
struct frmOptions::NumberKind {
    QCheckBox* freeForm;
    QLineEdit* prefix;
    QLineEdit* start;
    const char* table;
    const char* index;
    const char* message;
    const char* title;
    const char* procName;
};

frmOptions::frmOptions(QWidget* owner) : SettingsDialog(owner) {
    setObjectName(windowName);
    setWindowTitle("Options");
    look = new InvoiceLook(this, {"Opt", true});

    tbsOptions = named(new QTabBar, "tbsOptions");
    tbsOptions->setExpanding(false);
    tbsOptions->setUsesScrollButtons(false);   // all eight tabs stay in view
    pages = new QStackedWidget;
    const std::array<QWidget* (frmOptions::*)(), 8> builders = {
        &frmOptions::companyPage,  &frmOptions::currencyPage,  &frmOptions::prefixesPage,
        &frmOptions::defaultsPage, &frmOptions::invoice1Page,  &frmOptions::invoice2Page,
        &frmOptions::remindersPage, &frmOptions::customizePage};
    for (int i = 0; i < 8; ++i) {
        tbsOptions->addTab(QIcon(Icons::option(tabs[i].picture, 16)), tabs[i].caption);
        if (tabs[i].tooltip) tbsOptions->setTabToolTip(i, tabs[i].tooltip);
        Frame1[i] = named(new QGroupBox(tabs[i].pageCaption), QString("Frame1_%1").arg(i));
        auto* frameLayout = new QVBoxLayout(Frame1[i]);
        frameLayout->addWidget((this->*builders[size_t(i)])());
        pages->addWidget(Frame1[i]);
    }
    connect(tbsOptions, &QTabBar::currentChanged, this, [this] { tbsOptions_Click(); });

    cmdOK = named(new QPushButton("OK"), "cmdOK");
    cmdCancel = named(new QPushButton("Cancel"), "cmdCancel");
    cmdApply = named(new QPushButton("Apply"), "cmdApply");
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    for (QPushButton* b : {cmdOK, cmdCancel, cmdApply}) {
        b->setAutoDefault(false);   // Enter presses no button; Esc presses Cancel
        buttons->addWidget(b);
    }
    connect(cmdOK, &QPushButton::clicked, this, [this] { cmdOK_Click(); });
    connect(cmdCancel, &QPushButton::clicked, this, [this] { cmdCancel_Click(); });
    connect(cmdApply, &QPushButton::clicked, this, [this] { cmdApply_Click(); });

    auto* layout = new QVBoxLayout(this);
    layout->setSpacing(0);
    layout->addWidget(tbsOptions);
    layout->addWidget(pages);
    layout->addSpacing(8);
    layout->addLayout(buttons);

    // Key preview: the dialog sees each key before the focused control.
    qApp->installEventFilter(this);
    Form_Load();
}

frmOptions::~frmOptions() { qApp->removeEventFilter(this); }

QWidget* frmOptions::companyPage() {
    auto* page = new QWidget;
    CompanyBoxes{Name_txt, Address_txt, Phone_txt, Mobile_txt, email_txt, WebAddress_txt}.build(
        new QGridLayout(page), 0);
    return page;
}

QWidget* frmOptions::currencyPage() {
    auto* page = new QWidget;
    currency_.build(new QGridLayout(page), 0);
    return page;
}

QWidget* frmOptions::prefixesPage() {
    auto* page = new QWidget;
    auto* grid = new QGridLayout(page);
    using Kind = PrefixRows::Kind;
    const int row = prefixRows_.build(
        grid, 0, {"Next Number", "Itrem\\Part:", "PRT", {Kind::Invoice, Kind::Credit, Kind::Item, Kind::Customer}});
    CheckRanges_cmd = named(new QPushButton("Check Prefix Numbers"), "CheckRanges_cmd");
    CheckRanges_cmd->setAutoDefault(false);
    connect(CheckRanges_cmd, &QPushButton::clicked, this, [this] { CheckRanges_cmd_Click(); });
    grid->addWidget(CheckRanges_cmd, row, 1, 1, 2);
    grid->setRowStretch(row + 1, 1);
    return page;
}

QWidget* frmOptions::defaultsPage() {
    auto* page = new QWidget;
    auto* grid = new QGridLayout(page);
    DTPicker1 = named(new QDateEdit(pickersInitialDate), "DTPicker1");
    DTPicker1->setDisplayFormat("MM/dd/yyyy");
    DTPicker2 = named(new QDateEdit(pickersInitialDate), "DTPicker2");
    DTPicker2->setDisplayFormat("dd/MM/yyyy");
    for (QDateEdit* picker : {DTPicker1, DTPicker2}) picker->setCalendarPopup(true);
    Present_chk = named(new QCheckBox("Present Date"), "Present_chk");
    connect(Present_chk, &QCheckBox::toggled, this, [this](bool ticked) { DTPicker2->setEnabled(!ticked); });
    DebtorStart = named(new QCheckBox("Debtors to display at Startup"), "DebtorStart");
    confirmBackup_chk = named(new QCheckBox("Check for Backup on Exit"), "confirmBackup_chk");
    ConfirmAll_chk = named(new QCheckBox("Remove all Confirmation Questions"), "ConfirmAll_chk");
    grid->addWidget(new QLabel("Default Start Date:"), 0, 0);
    grid->addWidget(DTPicker1, 0, 1);
    grid->addWidget(new QLabel("Default End Date:"), 1, 0);
    grid->addWidget(DTPicker2, 1, 1);
    grid->addWidget(new QLabel("OR"), 1, 2);
    grid->addWidget(Present_chk, 1, 3);
    grid->addWidget(DebtorStart, 2, 0, 1, 4);
    grid->addWidget(confirmBackup_chk, 3, 0, 1, 4);
    grid->addWidget(ConfirmAll_chk, 4, 0, 1, 4);
    grid->setRowStretch(5, 1);
    grid->setColumnStretch(4, 1);
    return page;
}

QWidget* frmOptions::invoice1Page() {
    auto* page = new QWidget;
    auto* layout = new QHBoxLayout(page);
    layout->addWidget(look->includeColumn(), 1);
    layout->addWidget(look->sample, 0, Qt::AlignTop);
    return page;
}

QWidget* frmOptions::invoice2Page() {
    auto* page = new QWidget;
    auto* layout = new QVBoxLayout(page);
    auto* layouts = named(new QGroupBox("Invoice Type"), "Frame4_0");
    (new QVBoxLayout(layouts))->addWidget(look->layoutButtonsGrid());
    auto* Frame5 = named(new QGroupBox, "Frame5");
    (new QVBoxLayout(Frame5))->addWidget(look->logoPanel());
    layout->addWidget(layouts);
    layout->addWidget(Frame5);
    layout->addStretch();
    return page;
}

QWidget* frmOptions::remindersPage() {
    auto* page = new QWidget;
    auto* layout = new QVBoxLayout(page);
    Reminder1 = textBox("Reminder1", 250);
    Reminder2 = textBox("Reminder2", 250);
    Reminder3 = textBox("Reminder3", 250);
    const std::pair<const char*, QPlainTextEdit*> boxes[] = {
        {"First Reminder", Reminder1}, {"Second Reminder", Reminder2}, {"Final Reminder", Reminder3}};
    for (const auto& [caption, box] : boxes) {
        layout->addWidget(new QLabel(caption));
        layout->addWidget(box);
        BoxRules::selectOnFocus(box);
    }
    RestoreReminders_cmd = named(new QPushButton("Restore Defaults"), "RestoreReminders_cmd");
    RestoreReminders_cmd->setAutoDefault(false);
    connect(RestoreReminders_cmd, &QPushButton::clicked, this, [this] { RestoreReminders_cmd_Click(); });
    layout->addWidget(RestoreReminders_cmd, 0, Qt::AlignRight);
    return page;
}

QWidget* frmOptions::customizePage() {
    auto* page = new QWidget;
    auto* layout = new QHBoxLayout(page);
    auto* Frame3 = named(new QGroupBox("Customer Screen"), "Frame3");
    auto* customer = new QVBoxLayout(Frame3);
    customer->addWidget(decorativePicture(Icons::Option::Person), 0, Qt::AlignRight);
    for (QCheckBox* box : {customerFields.Shipping1_chk, customerFields.phone_chk, customerFields.mobile_chk,
                           customerFields.email_chk, customerFields.fax_chk})
        customer->addWidget(box);
    customer->addStretch();
    auto* invoiceScreen = named(new QGroupBox("Invoice Screen"), "Frame4_7");
    auto* invoice = new QVBoxLayout(invoiceScreen);
    invoice->addWidget(decorativePicture(Icons::Option::Screen), 0, Qt::AlignRight);
    invoice->addWidget(look->headingRows());
    invoice->addStretch();
    layout->addWidget(Frame3);
    layout->addWidget(invoiceScreen);
    return page;
}

int frmOptions::visiblePage() const { return pages->currentIndex(); }

void frmOptions::Form_Load() {
    look->showStoredLogo(gSettings.logopath);
    switch (EntryRules::countryOf(gSettings.Currency.text())) {
    case EntryRules::Country::USA: Option1->setChecked(true); break;
    case EntryRules::Country::UK: Option2->setChecked(true); break;
    case EntryRules::Country::Other: Option3->setChecked(true); break;
    }
}

void frmOptions::Form_Activate() {
    Name_txt->setFocus();
    guard(windowName, "Form_Activate", [this] { SettingsRow::open(SystemRs); });
    if (!SystemRs.isOpen()) return;
    Load_system();
    Settings();
    look->RefreshIncludeCaptions();
}

void frmOptions::tbsOptions_Click() { pages->setCurrentIndex(tbsOptions->currentIndex()); }

void frmOptions::Form_KeyDown(int key, Qt::KeyboardModifiers modifiers) {
    if (key != Qt::Key_Tab || modifiers != Qt::ControlModifier) return;
    const int next = tbsOptions->currentIndex() + 1;
    tbsOptions->setCurrentIndex(next == tbsOptions->count() ? 0 : next);
}

bool frmOptions::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::KeyPress && watched->isWidgetType()) {
        // A key goes first to the focused control, then up to its parents:
        // the dialog looks at it once, on its first stop, and lets it go on.
        QWidget* first = focusWidget() ? focusWidget() : this;
        if (watched == first) {
            const auto* key = static_cast<QKeyEvent*>(event);
            Form_KeyDown(key->key(), key->modifiers() & ~Qt::KeypadModifier);
        }
    }
    return SettingsDialog::eventFilter(watched, event);
}

void frmOptions::showPrefixesPage() { pages->setCurrentIndex(prefixesPageIndex); }

void frmOptions::Load_system() {
    guard(windowName, "Load_system", [this] {
        Wait_Cursor_On();
        if (!SettingsRow::moveToRow(SystemRs)) {
            look->SetIncludeDefaults();
            RestoreDefaultReminders();
        } else {
            // Every column is read null-safe: a Null shows as an empty box or
            // an unticked one.
            const Recordset& row = SystemRs;
            auto text = [&row](const char* column) { return Field_To_String(row.field(column)); };
            Name_txt->setText(text("BusinessName"));
            BoxRules::showStoredText(Address_txt, text("Address"));
            Phone_txt->setText(text("Phone"));
            Mobile_txt->setText(text("Mobile"));
            email_txt->setText(text("Email"));
            WebAddress_txt->setText(text("Web"));
            InvPrefix_txt->setText(text("InvPrefix"));
            CusPrefix_txt->setText(text("CustPrefix"));
            PrtPrefix_txt->setText(text("PartPrefix"));
            CusStart_txt->setText(text("CustStart"));
            InvStart_txt->setText(text("Invstart"));
            PrtStart_txt->setText(text("PartStart"));
            currency_txt->setText(text("Currency"));
            TaxName_txt->setText(text("TaxName"));
            TaxNumber_txt->setText(text("TaxNo"));
            TaxAmount_txt->setText(text("TaxAmount"));
            SettingsRow::tickFrom(TaxEnabled_chk, row.field("TaxEnabled"));
            if (TaxEnabled_chk->isChecked()) currency_.ShowTaxFields();
            else currency_.HideTaxFields();
            DTPicker1->setDate(storedDate(text("DefaultStart"), defaultStartDate));
            DTPicker2->setDate(storedDate(text("DefaultEnd"), QDate::currentDate()));
            SettingsRow::tickFrom(DebtorStart, row.field("Debtorstart"));
            BoxRules::showStoredText(Reminder1, text("Reminder1"));
            BoxRules::showStoredText(Reminder2, text("Reminder2"));
            BoxRules::showStoredText(Reminder3, text("Reminder3"));
            SettingsRow::tickFrom(Inv_chk, row.field("FreeFormInv"));
            SettingsRow::tickFrom(Cus_chk, row.field("FreeformCus"));
            SettingsRow::tickFrom(Part_chk, row.field("FreeformPart"));
            SettingsRow::tickFrom(Crd_chk, row.field("FreeFormCrd"));
            look->loadFrom(row);
            SettingsRow::tickFrom(confirmBackup_chk, row.field("ConfirmBackup"));
            SettingsRow::tickFrom(ConfirmAll_chk, row.field("ConfirmAll"));
            customerFields.loadFrom(row);
            SettingsRow::tickFrom(Present_chk, row.field("Present"));
            DTPicker2->setEnabled(!Present_chk->isChecked());
        }
        Wait_Cursor_Off();
        look->ShowInvoicePreview();
        prefixRows_.ShowPrefixExamples();
    });
}

void frmOptions::Update() {
    guard(windowName, "Update", [this] {
        Wait_Cursor_On();
        SettingsRow::startWriting(SystemRs);
        Recordset& row = SystemRs;
        row.setField("BusinessName", Trim(Name_txt->text()));
        row.setField("Address", Trim(BoxRules::storedText(Address_txt)));
        row.setField("Phone", Trim(Phone_txt->text()));
        row.setField("Mobile", Trim(Mobile_txt->text()));
        row.setField("Email", Trim(email_txt->text()));
        row.setField("Web", Trim(WebAddress_txt->text()));
        row.setField("InvPrefix", InvPrefix_txt->text());
        row.setField("CrdPrefix", CrdPrefix_txt->text());
        row.setField("CustPrefix", CusPrefix_txt->text());
        row.setField("PartPrefix", PrtPrefix_txt->text());
        row.setField("CustStart", CusStart_txt->text());
        row.setField("Invstart", InvStart_txt->text());
        row.setField("CrdStart", CrdStart_txt->text());
        row.setField("PartStart", PrtStart_txt->text());
        row.setField("Currency", currency_txt->text());
        row.setField("TaxName", Trim(TaxName_txt->text()));
        row.setField("TaxNo", Trim(TaxNumber_txt->text()));
        row.setField("TaxAmount", Val(TaxAmount_txt->text()));
        row.setField("TaxEnabled", SettingsRow::boxValue(TaxEnabled_chk));
        row.setField("DefaultStart", shortDate(DTPicker1->date()));
        row.setField("DefaultEnd", shortDate(DTPicker2->date()));
        row.setField("Debtorstart", QString::number(SettingsRow::boxValue(DebtorStart)));
        row.setField("Reminder1", Trim(BoxRules::storedText(Reminder1)));
        row.setField("Reminder2", Trim(BoxRules::storedText(Reminder2)));
        row.setField("Reminder3", Trim(BoxRules::storedText(Reminder3)));
        row.setField("FreeFormInv", SettingsRow::boxValue(Inv_chk));
        row.setField("FreeformCus", SettingsRow::boxValue(Cus_chk));
        row.setField("FreeformPart", SettingsRow::boxValue(Part_chk));
        row.setField("FreeFormCrd", SettingsRow::boxValue(Crd_chk));
        row.setField("ConfirmBackup", SettingsRow::boxValue(confirmBackup_chk));
        row.setField("ConfirmAll", SettingsRow::boxValue(ConfirmAll_chk));
        customerFields.saveTo(row);
        look->saveTo(row);
        row.setField("Present", SettingsRow::boxValue(Present_chk));
        row.update();
        Settings();
        Wait_Cursor_Off();
    });
}

void frmOptions::Settings() {
    guard(windowName, "Settings", [this] {
        SettingsValues& s = gSettings;
        s.BusinessName = Trim(Name_txt->text());
        s.Address = Trim(BoxRules::storedText(Address_txt));
        s.Phone = Trim(Phone_txt->text());
        s.Mobile = Trim(Mobile_txt->text());
        s.Email = Trim(email_txt->text());
        s.Web = Trim(WebAddress_txt->text());
        s.Currency = currency_txt->text();
        s.TaxName = TaxName_txt->text();
        s.TaxNo = TaxNumber_txt->text();
        s.TaxAmount = Val(TaxAmount_txt->text());
        s.TaxEnabled = SettingsRow::boxValue(TaxEnabled_chk);
        s.InvPrefix = InvPrefix_txt->text();
        s.Invstart = InvStart_txt->text();
        s.FreeFormInv = SettingsRow::boxValue(Inv_chk);
        s.PartPrefix = PrtPrefix_txt->text();
        s.PartStart = PrtStart_txt->text();
        s.FreeformPart = SettingsRow::boxValue(Part_chk);
        s.CustPrefix = CusPrefix_txt->text();
        s.CustStart = CusStart_txt->text();
        s.FreeformCus = SettingsRow::boxValue(Cus_chk);
        s.CrdPrefix = CrdPrefix_txt->text();
        s.CrdStart = CrdStart_txt->text();
        s.FreeFormCrd = SettingsRow::boxValue(Crd_chk);
        s.DefaultStart = shortDate(DTPicker1->date());
        s.DefaultEnd = shortDate(DTPicker2->date());
        s.Present = SettingsRow::boxValue(Present_chk);
        s.Debtorstart = SettingsRow::boxValue(DebtorStart);
        s.ConfirmBackup = SettingsRow::boxValue(confirmBackup_chk);
        s.ConfirmAll = SettingsRow::boxValue(ConfirmAll_chk);
        s.Reminder1 = Trim(BoxRules::storedText(Reminder1));
        s.Reminder2 = Trim(BoxRules::storedText(Reminder2));
        s.Reminder3 = Trim(BoxRules::storedText(Reminder3));
        look->copyTo(s);
        customerFields.copyTo(s);
    });
}

int frmOptions::CheckStartNumbers() {
    QLineEdit* refused = refuseShortStartNumber({{Inv_chk, InvStart_txt, "Invoice Number"},
                                                 {Part_chk, PrtStart_txt, "Item Number"},
                                                 {Cus_chk, CusStart_txt, "Customer Number"}});
    if (!refused) return 0;
    showPrefixesPage();
    refused->setFocus();
    return 1;
}

bool frmOptions::numberInUse(const NumberKind& kind) {
    bool used = false;
    guard(windowName, kind.procName, [&] {
        used = numberOnFile(kind.table, kind.index, kind.prefix->text() + kind.start->text());
    });
    if (used) Box::ask(kind.message, kind.title, Box::Buttons::Ok, Box::Icon::Exclamation, this);
    return used;
}

bool frmOptions::numbersPass() {
    if (CheckStartNumbers() == 1) return false;
    const NumberKind kinds[] = {
        {Inv_chk, InvPrefix_txt, InvStart_txt, "invoices", "INVNO",
         "This Invoice number has already been used. Please try again!", "Invoice Number Already In Use",
         "CheckInvNo"},
        {Part_chk, PrtPrefix_txt, PrtStart_txt, "parts", "ID",
         "This Item\\Part number has already been used. Please try again!", "Item\\Part Number Already In Use",
         "CheckItemNo"},
        {Cus_chk, CusPrefix_txt, CusStart_txt, "CUSTOMERS", "CUSTID",
         "This Customer number has already been used. Please try again!", "Customer Number Already In Use",
         "CheckCustNo"}};
    for (const NumberKind& kind : kinds) {
        if (kind.freeForm->isChecked() || !numberInUse(kind)) continue;
        showPrefixesPage();
        kind.start->setFocus();
        return false;
    }
    return true;
}

void frmOptions::cmdApply_Click() {
    if (numbersPass()) Update();
}

void frmOptions::cmdOK_Click() {
    if (!numbersPass()) return;
    Update();
    accept();
}

void frmOptions::cmdCancel_Click() { reject(); }

void frmOptions::CheckRanges_cmd_Click() {
    if (numbersPass())
        Box::ask("All prefix numbers are OK", "All OK", Box::Buttons::Ok, Box::Icon::Information, this);
}

void frmOptions::RestoreReminders_cmd_Click() {
    if (Box::ask("Are you sure you want to restore default reminders", "Are You Sure?", Box::Buttons::YesNo,
                 Box::Icon::Question, this) == Box::Answer::Yes)
        RestoreDefaultReminders();
}

void frmOptions::RestoreDefaultReminders() {
    BoxRules::showStoredText(Reminder1, DefaultTexts::reminder1());
    BoxRules::showStoredText(Reminder2, DefaultTexts::reminder2());
    BoxRules::showStoredText(Reminder3, DefaultTexts::reminder3());
}
