#include "invoices/frmAddInv.h"
#include "widgets/BoxRules.h"
#include "widgets/BoxText.h"
#include "widgets/WidgetHelpers.h"
#include "common/ErrorReport.h"
#include "common/Functions.h"
#include "common/HandOver.h"
#include "common/Numbering.h"
#include "common/Opener.h"
#include "common/WindowNames.h"
#include "common/SettingsValues.h"
#include "common/WidestAmounts.h"
#include "invoices/InvoicePrinting.h"
#include "platform/AppError.h"
#include "platform/FixedText.h"
#include "platform/MessageBox.h"
#include "platform/NumberText.h"
#include <QAction>
#include <QCheckBox>
#include <QDateEdit>
#include <QEvent>
#include <QFrame>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScreen>
#include <QToolBar>
#include <QVBoxLayout>

using namespace InvoiceTotals;

namespace {
const QString WindowName = "frmAddInv";
const QColor White(0xFF, 0xFF, 0xFF);
const QColor RowColour(0xC0, 0xC0, 0xFF);
const QColor BoxColour(0xFF, 0xFF, 0xC0);
constexpr int TwipsPerPixel = 15;
const QString TooLargeMessage = "These amounts are too large for an invoice. Please enter smaller amounts.";

// The typing limit leaves what the editor puts in a box alone: a stored
// value longer than the box is shown and saved whole.
QLineEdit* limitedBox(const QString& name, int limit, Qt::Alignment align = Qt::AlignLeft) {
    QLineEdit* box = lineBox(name, limit);
    box->setAlignment(align | Qt::AlignVCenter);
    return box;
}

// Amounts are shown whole: every money box and label is as wide as the widest
// amount there is, so no figure loses its leading digits and nothing moves
// when the figures grow.
void fitWidestAmount(QLineEdit* box) { box->setFixedWidth(widthToShow(box, WidestAmounts::anyAmount())); }
void fitWidestAmount(QLabel* label) {
    label->setMinimumWidth(label->fontMetrics().horizontalAdvance(WidestAmounts::anyAmount()));
}

QString rowName(const char* base, int row) { return QString("%1(%2)").arg(base).arg(row); }

void setBackColor(QWidget* w, const QColor& colour) {
    QPalette p = w->palette();
    p.setColor(QPalette::Base, colour);
    p.setColor(QPalette::Window, colour);
    w->setPalette(p);
    w->setAutoFillBackground(true);
}

void showTo(bool visible, std::initializer_list<QWidget*> widgets) {
    for (QWidget* w : widgets) w->setVisible(visible);
}

template <typename T>
int indexIn(const std::array<T*, InvoiceTotals::LineRows>& row, QObject* o) {
    for (int i = 0; i < InvoiceTotals::LineRows; ++i)
        if (row[size_t(i)] == o) return i;
    return -1;
}
}  // namespace

frmAddInv::frmAddInv(QWidget* owner) : ActivatedDialog(owner) {
    setObjectName(WindowName);
    setCentredOnShow(true);
    setWindowTitle("Invoice");
    auto* main = new QVBoxLayout(this);
    buildToolbar();
    main->addWidget(Toolbar1);
    auto* header = new QGridLayout;
    buildHeader(header);
    main->addLayout(header);
    main->addWidget(buildLines());
    main->addWidget(buildSummaries());
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    Update_cmd = new QPushButton("&Update");
    Update_cmd->setObjectName("Update_cmd");
    exit_cmd = new QPushButton("&Cancel");
    exit_cmd->setObjectName("exit_cmd");
    for (QPushButton* b : {Update_cmd, exit_cmd}) {
        b->setAutoDefault(false);
        buttons->addWidget(b);
    }
    main->addLayout(buttons);
    connect(Update_cmd, &QPushButton::clicked, this, [this] { Update_cmd_Click(); });
    connect(exit_cmd, &QPushButton::clicked, this, [this] { reject(); });
    wireBoxes();
    buildPicker();

    // Loading
    Inv_lbl->setEnabled(false);
    if (gHandOver.InvEditMode != 0) OldInvoice();
    else NewInvoice();
    if (!taxColumnShown(gSettings.TaxEnabled == 1, vat_txt->text(), totalsEntries())) HideTaxColumns();
    Load_list();
}

void frmAddInv::buildToolbar() {
    Toolbar1 = new QToolBar;
    Toolbar1->setObjectName("Toolbar1");
    const std::vector<std::pair<int, QString>> buttons = {
        {2, "Add Item"}, {4, "Clear Line"}, {6, "Clear All"}, {8, "Print"}, {10, "Customize"}};
    for (const auto& [index, caption] : buttons) {
        if (!toolbarButtons_.empty()) Toolbar1->addSeparator();
        QAction* action = Toolbar1->addAction(caption);
        const int i = index;
        connect(action, &QAction::triggered, this, [this, i] { Toolbar1_ButtonClick(i); });
        toolbarButtons_[index] = action;
    }
    toolbarButtons_[2]->setEnabled(Opener::has(Windows::frm_Parts));
    toolbarButtons_[10]->setEnabled(Opener::has(Windows::frmInvoiceSet));
}

QAction* frmAddInv::toolbarButton(int index) const {
    const auto it = toolbarButtons_.find(index);
    return it == toolbarButtons_.end() ? nullptr : it->second;
}

void frmAddInv::buildHeader(QGridLayout* grid) {
    Inv_lbl = limitedBox("Inv_lbl", 12, Qt::AlignHCenter);
    Inv_lbl->setMaximumWidth(200);
    Cust_lbl = label(QString(), "Cust_lbl");
    Customername_lbl = limitedBox("Customername_lbl", 45);
    Label16 = label(QString(), "Label16");
    Date_txt = new QDateEdit(QDate::currentDate());
    Date_txt->setObjectName("Date_txt");
    Date_txt->setCalendarPopup(true);
    Date_txt->setDisplayFormat("dd/MM/yyyy");
    grid->addWidget(new QLabel("Invoice No:"), 0, 0);
    grid->addWidget(Inv_lbl, 0, 1);
    grid->addWidget(new QLabel("Date:"), 0, 2);
    grid->addWidget(Date_txt, 0, 3, Qt::AlignLeft);
    grid->addWidget(new QLabel("Customer ID:"), 1, 0);
    grid->addWidget(Cust_lbl, 1, 1);
    grid->addWidget(Label16, 1, 3);
    grid->addWidget(new QLabel("Customer Name:"), 2, 0);
    grid->addWidget(Customername_lbl, 2, 1, 1, 3);

    SalesPerson_txt = limitedBox("SalesPerson_txt", 20, Qt::AlignHCenter);
    SalesOrder_txt = limitedBox("SalesOrder_txt", 20, Qt::AlignHCenter);
    Shipped_txt = limitedBox("Shipped_txt", 20, Qt::AlignHCenter);
    TrackingNo_txt = limitedBox("TrackingNo_txt", 20, Qt::AlignHCenter);
    SalesPerson_lbl = label(QString(), "SalesPerson_lbl");
    SalesOrder_lbl = label(QString(), "SalesOrder_lbl");
    Shipped_lbl = label(QString(), "Shipped_lbl");
    TrackingNo_lbl = label(QString(), "TrackingNo_lbl");
    auto* fields = new QGridLayout;
    const std::array<std::pair<QLabel*, QLineEdit*>, 4> optional = {
        {{SalesPerson_lbl, SalesPerson_txt}, {SalesOrder_lbl, SalesOrder_txt},
         {Shipped_lbl, Shipped_txt}, {TrackingNo_lbl, TrackingNo_txt}}};
    for (int i = 0; i < 4; ++i) {
        fields->addWidget(optional[size_t(i)].first, 0, i, Qt::AlignHCenter);
        fields->addWidget(optional[size_t(i)].second, 1, i);
    }
    grid->addLayout(fields, 3, 0, 1, 4);

    Notes_txt = textBox("Notes_txt", 150, LimitedTextBox::LineBreaks::CountOnce);
    Notes_txt->setMaximumHeight(60);
    Notes_chk = new QCheckBox("Include Notes");
    Notes_chk->setObjectName("Notes_chk");
    grid->addWidget(new QLabel("Notes:"), 4, 0, Qt::AlignTop);
    grid->addWidget(Notes_txt, 4, 1, 1, 2);
    grid->addWidget(Notes_chk, 4, 3, Qt::AlignTop);
    // The captions' column is as wide as its widest caption, whatever the
    // customer's number, name or phone: the room to spare goes to the boxes,
    // so the boxes stand where they stood for every invoice.
    grid->setColumnStretch(1, 1);
    grid->setColumnStretch(3, 1);
}

QWidget* frmAddInv::buildLines() {
    Frame3 = new QFrame;
    Frame3->setObjectName("Frame3");
    auto* grid = new QGridLayout(Frame3);
    grid->setHorizontalSpacing(2);
    grid->setVerticalSpacing(1);
    Desc_lbl = label("Description", "Desc_lbl");
    toptax = label("Tax", "toptax");
    grid->addWidget(new QLabel("Item"), 0, 0, Qt::AlignHCenter);
    grid->addWidget(new QLabel("Qty"), 0, 2, Qt::AlignHCenter);
    grid->addWidget(Desc_lbl, 0, 3);
    grid->addWidget(new QLabel("Amount"), 0, 4, Qt::AlignHCenter);
    grid->addWidget(new QLabel("Total"), 0, 5, Qt::AlignHCenter);
    grid->addWidget(toptax, 0, 6, Qt::AlignHCenter);
    for (int i = 0; i < Rows; ++i) {
        const size_t k = size_t(i);
        const int r = i + 1;
        Blank[k] = new QFrame;
        Blank[k]->setObjectName(rowName("Blank", i));
        Blank[k]->setEnabled(false);
        grid->addWidget(Blank[k], r, 0, 1, 7);
        PartID_txt[k] = limitedBox(rowName("PartID_txt", i), 12, Qt::AlignHCenter);
        Check1[k] = new QCheckBox;
        Check1[k]->setObjectName(rowName("Check1", i));
        Qty_txt[k] = limitedBox(rowName("Qty_txt", i), 4, Qt::AlignHCenter);
        Desc_txt[k] = limitedBox(rowName("Desc_txt", i), 120);
        Amount_txt[k] = limitedBox(rowName("Amount_txt", i), 10, Qt::AlignRight);
        tota1l_txt[k] = limitedBox(rowName("tota1l_txt", i), 10, Qt::AlignRight);
        tota1l_txt[k]->setEnabled(false);
        tota1l_txt[k]->setText("0.00");
        tax1[k] = new QFrame;
        tax1[k]->setObjectName(rowName("tax1", i));
        auto* cell = new QHBoxLayout(tax1[k]);
        cell->setContentsMargins(4, 0, 4, 0);
        tax[k] = new QCheckBox;
        tax[k]->setObjectName(rowName("tax", i));
        cell->addWidget(tax[k]);
        grid->addWidget(PartID_txt[k], r, 0);
        grid->addWidget(Check1[k], r, 1);
        grid->addWidget(Qty_txt[k], r, 2);
        grid->addWidget(Desc_txt[k], r, 3);
        grid->addWidget(Amount_txt[k], r, 4);
        grid->addWidget(tota1l_txt[k], r, 5);
        grid->addWidget(tax1[k], r, 6);
        Blank[k]->lower();
        PartID_txt[k]->setFixedWidth(100);
        Qty_txt[k]->setFixedWidth(50);
        Desc_txt[k]->setMinimumWidth(320);
        for (QLineEdit* money : {Amount_txt[k], tota1l_txt[k]}) fitWidestAmount(money);
    }
    grid->setColumnStretch(3, 1);
    ClearRowHighlight();
    return Frame3;
}

QWidget* frmAddInv::buildSummaries() {
    auto* box = new QWidget;
    auto* row = new QHBoxLayout(box);
    row->setContentsMargins(0, 0, 0, 0);

    auto* invoice = new QGroupBox("Invoice Summary");
    auto* ig = new QGridLayout(invoice);
    auto moneyLabel = [](const QString& name) {
        QLabel* l = label("0.00", name);
        l->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        return l;
    };
    subtotal_txt = moneyLabel("subtotal_txt");
    vat_txt = moneyLabel("vat_txt");
    Discount_txt = moneyLabel("Discount_txt");
    total_txt = moneyLabel("total_txt");
    vat_lbl = label(QString(), "vat_lbl");
    for (QLabel* amount : {subtotal_txt, vat_txt, Discount_txt, total_txt}) fitWidestAmount(amount);
    taxamount = label(QString(), "taxamount");
    taxamount->hide();
    Discount2_txt = limitedBox("Discount2_txt", 4, Qt::AlignRight);
    Discount2_txt->setText("0");
    Discount2_txt->setMaximumWidth(50);
    auto* discount = new QHBoxLayout;
    discount->addWidget(new QLabel("Discount"));
    discount->addWidget(Discount2_txt);
    discount->addWidget(new QLabel("%"));
    discount->addStretch();
    ig->addWidget(new QLabel("Subtotal"), 0, 0);
    ig->addWidget(subtotal_txt, 0, 1);
    ig->addWidget(vat_lbl, 1, 0);
    ig->addWidget(vat_txt, 1, 1);
    ig->addLayout(discount, 2, 0);
    ig->addWidget(Discount_txt, 2, 1);
    ig->addWidget(new QLabel("Total"), 3, 0);
    ig->addWidget(total_txt, 3, 1);
    ig->addWidget(taxamount, 4, 0);

    auto* payment = new QGroupBox("Payment Summary");
    auto* pg = new QGridLayout(payment);
    total_txt2 = limitedBox("total_txt2", 10, Qt::AlignRight);
    total_txt2->setEnabled(false);
    Paid_txt = limitedBox("Paid_txt", 10, Qt::AlignRight);
    Writtenoff_txt = limitedBox("Writtenoff_txt", 10, Qt::AlignRight);
    Balance_txt = limitedBox("Balance_txt", 10, Qt::AlignRight);
    Balance_txt->setEnabled(false);
    for (QLineEdit* b : {total_txt2, Paid_txt, Writtenoff_txt, Balance_txt}) {
        b->setText("0.00");
        fitWidestAmount(b);
    }
    PaidFull_chk = new QCheckBox("Paid In Full");
    PaidFull_chk->setObjectName("PaidFull_chk");
    pg->addWidget(new QLabel("Total"), 0, 0);
    pg->addWidget(total_txt2, 0, 1);
    pg->addWidget(new QLabel(" Paid:"), 1, 0);
    pg->addWidget(Paid_txt, 1, 1);
    pg->addWidget(PaidFull_chk, 1, 2);
    pg->addWidget(new QLabel("Written Off:"), 2, 0);
    pg->addWidget(Writtenoff_txt, 2, 1);
    pg->addWidget(new QLabel("Balance Due:"), 3, 0);
    pg->addWidget(Balance_txt, 3, 1);
    pg->addWidget(balanceLine(), 4, 0, 1, 3);

    row->addWidget(invoice);
    row->addWidget(payment);
    return box;
}

// "PAID IN FULL" and "BALANCE:" share one line whose room is kept while both
// are hidden, wide enough for the largest balance, so that nothing around
// it moves when either shows.
QWidget* frmAddInv::balanceLine() {
    auto* line = new QWidget;
    auto* cell = new QGridLayout(line);
    cell->setContentsMargins(0, 0, 0, 0);
    QFont arial("Liberation Sans");
    arial.setBold(true);
    Paid_lbl = label("PAID IN FULL", "Paid_lbl");
    StillOwes_lbl = label("BALANCE:", "StillOwes_lbl");
    Paid_lbl->setStyleSheet("color: #8080FF");
    StillOwes_lbl->setStyleSheet("color: #FF8080");
    QSize room;
    for (QLabel* l : {Paid_lbl, StillOwes_lbl}) {
        l->setFont(arial);
        cell->addWidget(l, 0, 0);
        room = room.expandedTo(l->sizeHint());
        l->hide();
    }
    room.setWidth(QFontMetrics(arial).horizontalAdvance("BALANCE: " + Trim(WidestAmounts::anyAmount())));
    line->setMinimumSize(room);
    return line;
}

void frmAddInv::wireBoxes() {
    for (int i = 0; i < Rows; ++i) {
        const size_t k = size_t(i);
        for (QLineEdit* b : {PartID_txt[k], Qty_txt[k], Desc_txt[k], Amount_txt[k]}) {
            b->installEventFilter(this);
            BoxRules::selectOnFocus(b);
        }
        BoxRules::digitsOnly(Qty_txt[k]);
        BoxRules::percentage(Amount_txt[k]);
        tax[k]->installEventFilter(this);
        Check1[k]->installEventFilter(this);
        connect(tax[k], &QCheckBox::clicked, this, [this] { Calc_Totals(); });
    }
    for (QLineEdit* b : {Discount2_txt, Paid_txt, Writtenoff_txt}) BoxRules::percentage(b);
    for (QWidget* b : {Inv_lbl, Paid_txt, Writtenoff_txt}) BoxRules::selectOnFocus(b);
    for (QWidget* b : std::initializer_list<QWidget*>{Inv_lbl, Discount2_txt, Paid_txt, Writtenoff_txt,
                                                      SalesPerson_txt, SalesOrder_txt, Shipped_txt,
                                                      TrackingNo_txt, Notes_txt, Date_txt})
        b->installEventFilter(this);
    connect(Notes_chk, &QCheckBox::clicked, this, [this] { ClosePartPickers(); });
    // Only a click runs the paid-in-full action; the loading ticks it quietly.
    connect(PaidFull_chk, &QCheckBox::clicked, this, [this] { PaidFull_chk_Click(); });
}

int frmAddInv::rowOf(QObject* box) const {
    for (const auto* row : {&PartID_txt, &Qty_txt, &Desc_txt, &Amount_txt})
        if (int i = indexIn(*row, box); i >= 0) return i;
    return -1;
}

bool frmAddInv::eventFilter(QObject* watched, QEvent* event) {
    const int row = rowOf(watched);
    const int boxRow = std::max(indexIn(tax, watched), indexIn(Check1, watched));
    switch (event->type()) {
    case QEvent::FocusIn:
        if (row >= 0) {
            enterRow(row, static_cast<QWidget*>(watched));
        } else if (boxRow >= 0) {
            ClearRowHighlight();
            CurRow = boxRow;
            HighlightRow();
        } else {
            ClosePartPickers();
        }
        break;
    case QEvent::FocusOut:
        if (row >= 0 && watched == Amount_txt[size_t(row)]) {
            if (!Trim(Amount_txt[size_t(row)]->text()).isEmpty()) reformatMoney(Amount_txt[size_t(row)]);
            Calc_Totals();
        } else if (row >= 0 && watched != Desc_txt[size_t(row)]) {
            Calc_Totals();
        } else if (watched == Paid_txt || watched == Writtenoff_txt) {
            reformatMoney(static_cast<QLineEdit*>(watched));
            Calc_Totals();
        }
        break;
    case QEvent::KeyRelease:
        if ((row >= 0 && (watched == Qty_txt[size_t(row)] || watched == Amount_txt[size_t(row)]))
            || watched == Discount2_txt || watched == Paid_txt || watched == Writtenoff_txt)
            Calc_Totals();
        break;
    default:
        break;
    }
    return QDialog::eventFilter(watched, event);
}

void frmAddInv::enterRow(int row, QWidget* box) {
    ClosePartPickers();
    ClearRowHighlight();
    CurRow = row;
    HighlightRow();
    setBackColor(box, BoxColour);
}

void frmAddInv::reformatMoney(QLineEdit* box) {
    try {
        box->setText(moneyText(ValCurrency(box->text())));
    } catch (const AppError&) {
        // Left as typed: the totals that follow say it is too large.
    }
}

std::array<QWidget*, 9> frmAddInv::rowWidgets(int row) const {
    const size_t k = size_t(row);
    return {PartID_txt[k], Check1[k], Qty_txt[k], Desc_txt[k], Amount_txt[k], tota1l_txt[k], Blank[k], tax[k], tax1[k]};
}

void frmAddInv::ClearRowHighlight() {
    for (int i = 0; i < Rows; ++i)
        for (QWidget* w : rowWidgets(i)) setBackColor(w, White);
}

void frmAddInv::HighlightRow() {
    for (QWidget* w : rowWidgets(CurRow)) setBackColor(w, RowColour);
}

void frmAddInv::ClosePartPickers() {
    for (QCheckBox* box : Check1) box->setChecked(false);
}

void frmAddInv::Form_Activate() {
    CurRow = 0;
    if (gSettings.FreeFormInv != 1) Date_txt->setFocus();
    else if (gHandOver.InvEditMode == 0) Inv_lbl->setFocus();
    SalesPerson_lbl->setText(gSettings.Text1Name.trimmed());
    SalesOrder_lbl->setText(gSettings.Text2Name.trimmed());
    Shipped_lbl->setText(gSettings.Text3Name.trimmed());
    TrackingNo_lbl->setText(gSettings.Text4Name.trimmed());
    showTo(gSettings.Text1Visible == 1, {SalesPerson_txt, SalesPerson_lbl});
    showTo(gSettings.Text2Visible == 1, {SalesOrder_txt, SalesOrder_lbl});
    showTo(gSettings.Text3Visible == 1, {Shipped_txt, Shipped_lbl});
    showTo(gSettings.Text4Visible == 1, {TrackingNo_txt, TrackingNo_lbl});
}

void frmAddInv::NewInvoice() {
    guard(WindowName, "NewInvoice", [this] {
        Wait_Cursor_On();
        bool noFreeNumber = false;
        if (gSettings.FreeFormInv != 1) {
            const auto number = proposeNumber("Invoices", "InvNo", Trim(gSettings.InvPrefix), Trim(gSettings.Invstart));
            Inv_lbl->setText(number.value_or(QString()));
            noFreeNumber = !number;
        } else {
            Inv_lbl->setEnabled(true);
            Inv_lbl->clear();
        }
        Cust_lbl->setText(Trim(gHandOver.InvCustID));
        Customername_lbl->setText(gHandOver.InvCustFirstName.trimmed() + " " + gHandOver.InvCustLastName.trimmed());
        Date_txt->setDate(QDate::currentDate());
        Label16->setText(gHandOver.InvCustPhone.trimmed());
        StillOwes_lbl->hide();
        taxamount->setText(rateText(gSettings.TaxAmount));
        vat_lbl->setText(taxCaption(gSettings.TaxName.trimmed(), taxamount->text()));
        const bool taxed = gSettings.TaxEnabled == 1;
        for (QCheckBox* box : tax) box->setChecked(taxed);
        if (taxed) Calc_Totals();
        Wait_Cursor_Off();
        if (noFreeNumber)
            Box::ask(numbersUsedUpMessage(), numbersUsedUpTitle(), Box::Buttons::Ok, Box::Icon::Exclamation, this);
    });
}

void frmAddInv::OldInvoice() {
    guard(WindowName, "OldInvoice", [this] {
        Wait_Cursor_On();
        const auto invoice = loadInvoice(Trim(gHandOver.InvToEdit));
        if (!invoice) {
            Wait_Cursor_Off();
            Box::ask(QString("The invoice %1 cannot be found.").arg(Trim(gHandOver.InvToEdit)), "Invoice Not Found",
                     Box::Buttons::Ok, Box::Icon::Exclamation, this);
            return;
        }
        const InvoiceRecord& v = *invoice;
        Inv_lbl->setText(v.invNo);
        Cust_lbl->setText(v.custNo);
        if (v.date.isValid()) Date_txt->setDate(v.date);
        subtotal_txt->setText(moneyText(v.subtotal));
        vat_txt->setText(moneyText(v.vat));
        Discount_txt->setText(moneyText(v.discount));
        total_txt->setText(moneyText(v.total));
        Discount2_txt->setText(Currency::fromDouble(v.discountPercentage).toText());
        Paid_txt->setText(moneyText(v.paid));
        Writtenoff_txt->setText(moneyText(v.writtenOff));
        Balance_txt->setText(moneyText(v.balance));
        Notes_txt->setPlainText(v.notes);
        Customername_lbl->setText(v.customerName);
        Label16->setText(v.phone);
        SalesPerson_txt->setText(v.salesPerson);
        SalesOrder_txt->setText(v.salesNo);
        Shipped_txt->setText(v.shippedNo);
        TrackingNo_txt->setText(v.trackingNo);
        taxamount->setText(Currency::fromDouble(v.taxPer).toText());
        for (size_t k = 0; k < v.lines.size() && k < size_t(Rows); ++k) fillRow(int(k), v.lines[k]);
        // Its amounts stand as stored until an edit changes what they come from.
        stored_ = StoredAmounts{totalsEntries(), shownTotals()};
        Calc_Totals();
        // Ticked as stored, without its action: opening an invoice changes nothing in it.
        if (moneyValue(Balance_txt->text()) == Currency() && moneyValue(total_txt2->text()) > Currency())
            PaidFull_chk->setChecked(true);
        vat_lbl->setText(taxCaption(gSettings.TaxName.trimmed(), taxamount->text()));
        Wait_Cursor_Off();
    });
}

void frmAddInv::fillRow(int row, const InvoiceLine& line) {
    const size_t k = size_t(row);
    Qty_txt[k]->setText(line.qty != 0 ? QString::number(line.qty) : QString());
    PartID_txt[k]->setText(line.partId);
    Desc_txt[k]->setText(line.description);
    Amount_txt[k]->setText(line.amount != Currency() ? moneyText(line.amount) : QString());
    tota1l_txt[k]->setText(line.total != Currency() ? moneyText(line.total) : "0.00");
    tax[k]->setChecked(line.taxable);
}

void frmAddInv::HideTaxColumns() {
    toptax->hide();
    for (int i = 0; i < Rows; ++i) {
        tax[size_t(i)]->hide();
        tax1[size_t(i)]->hide();
        Desc_txt[size_t(i)]->setMinimumWidth(6405 / TwipsPerPixel);
    }
    Desc_lbl->setMinimumWidth(6405 / TwipsPerPixel);
}

Entries frmAddInv::totalsEntries() const {
    Entries e;
    for (int i = 0; i < Rows; ++i) {
        const size_t k = size_t(i);
        e.lines[k] = {Qty_txt[k]->text(), Amount_txt[k]->text(), tax[k]->isChecked()};
    }
    e.taxRate = taxamount->text();
    e.discountPercent = Discount2_txt->text();
    e.paid = Paid_txt->text();
    e.writtenOff = Writtenoff_txt->text();
    return e;
}

Totals frmAddInv::shownTotals() const {
    Totals t;
    for (int i = 0; i < Rows; ++i) t.lineTotals[size_t(i)] = tota1l_txt[size_t(i)]->text();
    t.subtotal = subtotal_txt->text();
    t.vat = vat_txt->text();
    t.discount = Discount_txt->text();
    t.total = total_txt->text();
    t.balance = Balance_txt->text();
    return t;
}

void frmAddInv::Calc_Totals() {
    guard(WindowName, "Calc_Totals", [this] {
        try {
            const Entries entries = totalsEntries();
            const Totals t = stored_ ? calculate(entries, *stored_) : calculate(entries);
            for (int i = 0; i < Rows; ++i) tota1l_txt[size_t(i)]->setText(t.lineTotals[size_t(i)]);
            subtotal_txt->setText(t.subtotal);
            vat_txt->setText(t.vat);
            Discount_txt->setText(t.discount);
            total_txt->setText(t.total);
            total_txt2->setText(t.total);
            Balance_txt->setText(t.balance);
            ShowBalanceState();
            totalsTooLarge_ = false;
        } catch (const AppError& e) {
            if (e.number != ErrorNo::Overflow) throw;
            totalsTooLarge_ = true;
            Box::ask(TooLargeMessage, "Please Try Again", Box::Buttons::Ok, Box::Icon::Exclamation, this);
        }
    });
}

void frmAddInv::ShowBalanceState() {
    const BalanceState state = balanceState(total_txt->text(), Balance_txt->text());
    Paid_lbl->setVisible(state.paidInFull);
    StillOwes_lbl->setText(state.stillOwesText);
    StillOwes_lbl->setVisible(state.stillOwes);
}

void frmAddInv::PaidFull_chk_Click() {
    try {
        Paid_txt->setText(PaidFull_chk->isChecked() ? paidInFull(total_txt2->text(), Writtenoff_txt->text())
                                                    : moneyText(Currency()));
    } catch (const AppError&) {
        // Left as it was: the totals that follow say the amounts are too large.
    }
    ClosePartPickers();
    Calc_Totals();
}

void frmAddInv::clearRows(int first, int last) {
    for (int i = first; i <= last; ++i)
        for (QLineEdit* b : {Qty_txt[size_t(i)], PartID_txt[size_t(i)], Desc_txt[size_t(i)], Amount_txt[size_t(i)]})
            b->clear();
    Calc_Totals();
    PartID_txt[size_t(first)]->setFocus();
}

void frmAddInv::ClearLine() {
    if (Box::ask("Are you sure you want to clear this line?", "Confirm", Box::Buttons::YesNo, Box::Icon::Question,
                 this) == Box::Answer::Yes)
        clearRows(CurRow, CurRow);
}

void frmAddInv::ClearAllLines() {
    if (Box::ask("Are you very sure you want to clear all lines?", "Confirm", Box::Buttons::YesNo,
                 Box::Icon::Question, this) == Box::Answer::Yes)
        clearRows(0, Rows - 1);
}

void frmAddInv::Toolbar1_ButtonClick(int index) {
    guard(WindowName, "Toolbar1_ButtonClick", [this, index] {
        ClosePartPickers();
        switch (index) {
        case 2:
            Opener::show(Windows::frm_Parts, this);
            Form_Activate();
            Load_list();   // the items added there
            break;
        case 4: ClearLine(); break;
        case 6: ClearAllLines(); break;
        case 8: Print_Invoice(onScreen(), this); break;
        case 10:
            Opener::show(Windows::frmInvoiceSet, this);
            Form_Activate();   // the new captions and visibility
            break;
        default: break;
        }
        Wait_Cursor_Off();
    });
}

bool frmAddInv::CheckInvNo() {
    bool refused = true;
    guard(WindowName, "CheckInvNo", [this, &refused] {
        const QString number = Trim(Inv_lbl->text());
        if (number.isEmpty()) {
            Box::ask(" Please enter an invoice number.", "Enter Invoice Number", Box::Buttons::Ok,
                     Box::Icon::Exclamation, this);
            return;
        }
        if (invoiceNumberInUse(number)) {
            Box::ask("This Invoice number has already been used. Please try again!", "Invoice Number Already In Use",
                     Box::Buttons::Ok, Box::Icon::Exclamation, this);
            return;
        }
        refused = false;
    });
    return refused;
}

bool frmAddInv::confirmAndCheck() {
    if (gSettings.ConfirmAll == 0
        && Box::ask("Are you sure you want to update?", "Continue?", Box::Buttons::YesNo, Box::Icon::Question,
                    this) != Box::Answer::Yes)
        return false;
    if (Trim(Inv_lbl->text()).isEmpty()) {
        Box::ask(" Please enter an invoice number.", "Enter Invoice Number", Box::Buttons::Ok,
                 Box::Icon::Exclamation, this);
        if (Inv_lbl->isEnabled()) Inv_lbl->setFocus();
        return false;
    }
    return gHandOver.InvEditMode != 0 || !CheckInvNo();
}

InvoiceRecord frmAddInv::collectInvoice() const {
    InvoiceRecord v;
    v.invNo = Trim(Inv_lbl->text());
    v.custNo = Trim(Cust_lbl->text());
    v.date = Date_txt->date();
    v.subtotal = moneyValue(subtotal_txt->text());
    v.vat = moneyValue(vat_txt->text());
    v.total = moneyValue(total_txt->text());
    v.discount = moneyValue(Discount_txt->text()).rounded(2);
    v.paid = moneyValue(Paid_txt->text());
    v.writtenOff = moneyValue(Writtenoff_txt->text());
    v.balance = moneyValue(Balance_txt->text());
    v.notes = Notes_txt->toPlainText();
    v.customerName = Customername_lbl->text();
    v.discountPercentage = ValCurrency(Discount2_txt->text()).toDouble();
    v.salesPerson = Trim(SalesPerson_txt->text());
    v.salesNo = Trim(SalesOrder_txt->text());
    v.shippedNo = Trim(Shipped_txt->text());
    v.trackingNo = Trim(TrackingNo_txt->text());
    v.phone = Label16->text();
    // The rate the tax on screen was computed with: the settings' for a new
    // invoice, its own for a stored one, so it keeps its total when opened again.
    v.taxPer = ValCurrency(taxamount->text()).toDouble();
    for (int i = 0; i < Rows; ++i) {
        const size_t k = size_t(i);
        const LineRowTexts row{PartID_txt[k]->text(), Qty_txt[k]->text(), Desc_txt[k]->text(),
                               Amount_txt[k]->text(), tota1l_txt[k]->text(), tax[k]->isChecked()};
        if (lineRowFilled(row)) v.lines.push_back(storedLine(row));
    }
    return v;
}

void frmAddInv::Update_cmd_Click() {
    guard(WindowName, "Update_cmd", [this] {
        if (totalsTooLarge_) {
            // The summaries on screen do not belong to these lines.
            Box::ask(TooLargeMessage, "Please Try Again", Box::Buttons::Ok, Box::Icon::Exclamation, this);
            return;
        }
        if (!confirmAndCheck()) return;
        const InvoiceRecord invoice = collectInvoice();
        if (const QString why = invoiceTooLong(invoice); !why.isEmpty()) {
            Box::ask(why, "Please Try Again", Box::Buttons::Ok, Box::Icon::Exclamation, this);
            return;
        }
        const bool isNew = gHandOver.InvEditMode == 0;
        const bool advance = isNew && gSettings.FreeFormInv == 0;
        const QString nextStart = advance ? nextStartNumber(invoice.invNo, gSettings.Invstart) : QString();
        Wait_Cursor_On();
        saveInvoice(invoice, isNew ? InvoiceSave::New : InvoiceSave::Edit, nextStart);
        // Only a committed save counts.
        gHandOver.InvSaved = 1;
        savedNow_ = true;
        if (advance) gSettings.Invstart = nextStart;
        Wait_Cursor_Off();
        accept();
    });
}

void frmAddInv::done(int result) {
    if (!savedNow_) gHandOver.InvSaved = 0;
    gHandOver.SavedInvNo = gHandOver.InvSaved == 1 ? Trim(Inv_lbl->text()) : QString();
    QDialog::done(result);
}

InvoiceOnScreen frmAddInv::onScreen() const {
    InvoiceOnScreen screen;
    screen.Inv_lbl = Inv_lbl->text();
    screen.Cust_lbl = Cust_lbl->text();
    screen.Customername_lbl = Customername_lbl->text();
    screen.Date_txt = Date_txt->date();
    screen.SalesPerson_txt = SalesPerson_txt->text();
    screen.SalesOrder_txt = SalesOrder_txt->text();
    screen.Shipped_txt = Shipped_txt->text();
    screen.TrackingNo_txt = TrackingNo_txt->text();
    screen.SalesPerson_lbl = SalesPerson_lbl->text();
    screen.SalesOrder_lbl = SalesOrder_lbl->text();
    screen.Shipped_lbl = Shipped_lbl->text();
    screen.TrackingNo_lbl = TrackingNo_lbl->text();
    for (int i = 0; i < Rows; ++i) {
        screen.PartID_txt[i] = PartID_txt[i]->text();
        screen.Qty_txt[i] = Qty_txt[i]->text();
        screen.Desc_txt[i] = Desc_txt[i]->text();
        screen.Amount_txt[i] = Amount_txt[i]->text();
        screen.tota1l_txt[i] = tota1l_txt[i]->text();
        screen.tax[i] = tax[i]->isChecked() ? 1 : 0;
    }
    screen.Notes_chk = Notes_chk->isChecked() ? 1 : 0;
    screen.Notes_txt = Notes_txt->toPlainText();
    screen.vat_lbl = vat_lbl->text();
    screen.subtotal_txt = subtotal_txt->text();
    screen.vat_txt = vat_txt->text();
    screen.Discount_txt = Discount_txt->text();
    screen.total_txt = total_txt->text();
    screen.total_txt2 = total_txt2->text();
    screen.Paid_txt = Paid_txt->text();
    screen.Writtenoff_txt = Writtenoff_txt->text();
    screen.Balance_txt = Balance_txt->text();
    return screen;
}
