#include "debtors/frmDebtor.h"
#include "common/ErrorReport.h"
#include "common/Functions.h"
#include "common/HandOver.h"
#include "common/InvoiceRequest.h"
#include "common/Opener.h"
#include "common/SettingsValues.h"
#include "common/WidestAmounts.h"
#include "common/WindowNames.h"
#include "debtors/DebtorRecord.h"
#include "debtors/LetterPrinting.h"
#include "platform/MessageBox.h"
#include "platform/NumberText.h"
#include "platform/Today.h"
#include "widgets/ListKit.h"
#include "widgets/WidgetHelpers.h"
#include "widgets/WindowPlacement.h"
#include <QCheckBox>
#include <QEvent>
#include <QKeyEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QRadioButton>
#include <QToolBar>
#include <QTreeView>
#include <QScrollBar>
#include <QStyle>
#include <QVBoxLayout>
#include <algorithm>
#include <limits>

namespace {
const char* WindowName = "frmDebtor";
const QStringList Headers = {"Cust ID", "Customer", "Phone No.", "Inv No", "0-30 Days",
                             "31-60 Days", "61+ Days", "Notes", "Reminders"};
// Hidden sort keys: the three amounts and the reminder count sort as numbers.
enum SortKeys { Key30, Key60, Key61, KeyReminders, SortKeyCount };

QString amountText(const Currency& amount) { return Format_Number_Right2(QVariant::fromValue(amount), 7, 2); }
QString totalText(const MoneySum& sum) { return Format_Number_Right(QVariant::fromValue(sum), 7, 2); }

ListKit::Row rowOf(const DebtorEntry& e) {
    return {.cells = {e.custId, e.lastName + ", " + e.firstName, e.phone, e.invNo, amountText(e.split.upTo30),
                      amountText(e.split.from31To60), amountText(e.split.from61), e.notes,
                      QString::number(e.remindersSent)},
            .key = e.invNo,
            .sortKeys = {ListKit::SortKey::amount(e.split.upTo30), ListKit::SortKey::amount(e.split.from31To60),
                         ListKit::SortKey::amount(e.split.from61), ListKit::SortKey::number(e.remindersSent)}};
}

QLabel* amountLabel(const QString& name) {
    auto* l = label("0.00", name);
    l->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    return l;
}
}  // namespace

frmDebtor::frmDebtor(QWidget* owner) : ActivatedDialog(owner) {
    setObjectName(WindowName);
    setWindowTitle("Aged Debtors");

    Toolbar1 = named(new QToolBar, "Toolbar1");
    Toolbar1->setToolButtonStyle(Qt::ToolButtonTextOnly);
    const QStringList buttons = {"View", "", "Letters", "", "Help"};
    for (int i = 0; i < int(buttons.size()); ++i) {
        if (buttons[i].isEmpty()) {
            Toolbar1->addSeparator();
            continue;
        }
        QAction* action = Toolbar1->addAction(buttons[i]);
        connect(action, &QAction::triggered, this, [this, i] { Toolbar1_ButtonClick(i + 1); });
    }

    debtor_lst = named(new QTreeView, "debtor_lst");
    model_ = new ListKit::Model(Headers, SortKeyCount, this);
    model_->setCheckable(true);
    for (int c : {Days30, Days60, Days61}) model_->setAlignment(c, Qt::AlignRight | Qt::AlignVCenter);
    model_->setAlignment(Reminders, Qt::AlignHCenter | Qt::AlignVCenter);
    ListKit::setUpView(debtor_lst, model_);
    ListKit::setColumnWidthsMm(debtor_lst, {22, 45, 26, 22, 22, 22, 22, 36, 19});
    // A customer id of nine characters, as numbered by default, shows whole
    // beside the row's tick.
    const QStyle* look = debtor_lst->style();
    const int tick = look->pixelMetric(QStyle::PM_IndicatorWidth) + look->pixelMetric(QStyle::PM_CheckBoxLabelSpacing);
    const QFontMetrics metrics(debtor_lst->font());
    debtor_lst->setColumnWidth(CustId, std::max(debtor_lst->columnWidth(CustId),
                                                tick + metrics.horizontalAdvance("CUS100001") + 4 * metrics.averageCharWidth()));
    // The aged parts show whole up to the widest an invoice can hold. The
    // room comes from the notes, then the name, each keeping most of its
    // width; what they cannot give widens the list.
    ListKit::fitColumns(debtor_lst,
                        {{Days30, WidestAmounts::agedAmount()}, {Days60, WidestAmounts::agedAmount()},
                         {Days61, WidestAmounts::agedAmount()}},
                        {{Notes, debtor_lst->columnWidth(Notes) / 2}, {Customer, debtor_lst->columnWidth(Customer) * 2 / 3}});
    sort_ = new ListKit::HeaderSort(debtor_lst, model_, true);
    sort_->state().sortHeaderBy(Days30, model_->sortKeyCell(Key30));
    sort_->state().sortHeaderBy(Days60, model_->sortKeyCell(Key60));
    sort_->state().sortHeaderBy(Days61, model_->sortKeyCell(Key61));
    sort_->state().sortHeaderBy(Reminders, model_->sortKeyCell(KeyReminders));
    new ListKit::RowOpener(debtor_lst, [this] { View(); }, false);
    connect(debtor_lst->horizontalScrollBar(), &QScrollBar::valueChanged, this, [this] { placeTotals(); });
    debtor_lst->setMinimumSize(int(logicalDpiX() / 25.4 * 250), int(logicalDpiY() / 25.4 * 90));
    ListKit::widenToColumns(debtor_lst);

    total30 = amountLabel("total30");
    total60 = amountLabel("total60");
    Total61 = amountLabel("Total61");
    TotalG = amountLabel("TotalG");
    debtor_chk = named(new QCheckBox("Show Debtors at Startup"), "debtor_chk");
    All_cmd = button("Select All", "All_cmd");
    Unselect_all = button("Unselect All", "Unselect_all");
    Select7_cmd = button("30 Days", "Select7_cmd");
    Select14 = button("30 -60 Days", "Select14");
    Select30 = button("61+ Days", "Select30");
    Command1 = button("&Exit", "Command1");

    // The letter set-up.
    Letter_frame = named(new QGroupBox("Letter Setup"), "Letter_frame");
    Option1 = named(new QRadioButton("1st Reminder"), "Option1");
    Option2 = named(new QRadioButton("2nd Reminder"), "Option2");
    Option3 = named(new QRadioButton("3rd Reminder"), "Option3");
    Reminder1 = textBox("Reminder1", 250);
    Reminder2 = textBox("Reminder2", 250);
    Reminder3 = textBox("Reminder3", 250);
    Signed1_txt = named(new QLineEdit("Yours Sincerely"), "Signed1_txt");
    Signed_txt = named(new QLineEdit, "Signed_txt");
    OK_cmd = button("&OK", "OK_cmd");
    Cancel_cmd = button("&Cancel", "Cancel_cmd");
    auto* frameLayout = new QGridLayout(Letter_frame);
    frameLayout->addWidget(note("Please select which reminder to send out. Then make sure its signed correctly. Once "
                                "happy click OK to preview letters, otherwise press Cancel to Exit."),
                           0, 0, 1, 3);
    int row = 1;
    for (auto [option, text] : {std::pair{Option1, Reminder1}, {Option2, Reminder2}, {Option3, Reminder3}}) {
        text->setFixedHeight(text->fontMetrics().lineSpacing() * 4 + 12);
        frameLayout->addWidget(option, row, 0, Qt::AlignTop);
        frameLayout->addWidget(text, row++, 1, 1, 2);
    }
    frameLayout->addWidget(Signed1_txt, row++, 1, 1, 2);
    frameLayout->addWidget(label("Signed:"), row, 0);
    frameLayout->addWidget(Signed_txt, row++, 1, 1, 2);
    auto* frameButtons = new QHBoxLayout;
    frameButtons->addStretch();
    frameButtons->addWidget(OK_cmd);
    frameButtons->addWidget(Cancel_cmd);
    frameLayout->addLayout(frameButtons, row, 0, 1, 3);
    frameLayout->setColumnStretch(1, 1);
    Letter_frame->setAutoFillBackground(true);
    Letter_frame->setMinimumWidth(int(logicalDpiX() / 25.4 * 150));
    Letter_frame->hide();
    // The frame opens over the list: the list is as tall as the frame from
    // the start, so that the window keeps its height when the frame opens.
    debtor_lst->setMinimumHeight(std::max(debtor_lst->minimumHeight(), Letter_frame->sizeHint().height()));

    // The totals stand under their columns, wherever the columns are.
    totalsRow_ = new QWidget;
    periodCaption_ = label("Owed to you for each period:");
    totalCaption_ = label("Total Owed:");
    for (QLabel* l : {periodCaption_, totalCaption_, total30, total60, Total61, TotalG}) l->setParent(totalsRow_);
    for (QLabel* l : {periodCaption_, totalCaption_}) l->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    totalsRow_->setFixedHeight(2 * (fontMetrics().height() + 6));
    connect(debtor_lst->header(), &QHeaderView::sectionResized, this, &frmDebtor::placeTotals);
    connect(debtor_lst->header(), &QHeaderView::geometriesChanged, this, &frmDebtor::placeTotals);
    debtor_lst->installEventFilter(this);

    auto* selection = new QHBoxLayout;
    for (QPushButton* b : {All_cmd, Unselect_all, Select7_cmd, Select14, Select30}) selection->addWidget(b);
    selection->addStretch();
    selection->addWidget(debtor_chk);
    selection->addWidget(Command1);

    auto* layout = new QGridLayout(this);
    layout->setMenuBar(Toolbar1);
    layout->addWidget(debtor_lst, 0, 0);
    layout->addWidget(Letter_frame, 0, 0, Qt::AlignCenter);
    layout->addWidget(totalsRow_, 1, 0);
    layout->addLayout(selection, 2, 0);

    connect(All_cmd, &QPushButton::clicked, this, [this] { setAllTicks(true); });
    connect(Unselect_all, &QPushButton::clicked, this, [this] { setAllTicks(false); });
    connect(Select7_cmd, &QPushButton::clicked, this, [this] { tickWhere(Days30); });
    connect(Select14, &QPushButton::clicked, this, [this] { tickWhere(Days60); });
    connect(Select30, &QPushButton::clicked, this, [this] { tickWhere(Days61); });
    connect(Command1, &QPushButton::clicked, this, &QDialog::reject);
    connect(OK_cmd, &QPushButton::clicked, this, &frmDebtor::OK_cmd_Click);
    connect(Cancel_cmd, &QPushButton::clicked, this, &frmDebtor::Cancel_cmd_Click);

    Form_Load();
}

QAction* frmDebtor::toolbarButton(int index) const {
    const auto actions = Toolbar1->actions();
    return index >= 1 && index <= actions.size() ? actions.at(index - 1) : nullptr;
}

void frmDebtor::Form_Load() {
    guard(WindowName, "Form_Load", [this] {
        Wait_Cursor_On();
        adjustSize();
        centreOnScreen(this);
        debtor_chk->setChecked(gSettings.Debtorstart == 1);
        Load_list();
        Option1->setChecked(true);
        Reminder1->setPlainText(gSettings.Reminder1);
        Reminder2->setPlainText(gSettings.Reminder2);
        Reminder3->setPlainText(gSettings.Reminder3);
        Signed_txt->setText(gSettings.BusinessName.text());
        Wait_Cursor_Off();
    });
}

// The totals follow the list; while the window is taken down they must not be placed again.
frmDebtor::~frmDebtor() {
    disconnect(debtor_lst->header(), nullptr, this, nullptr);
    disconnect(debtor_lst->horizontalScrollBar(), nullptr, this, nullptr);
    debtor_lst->removeEventFilter(this);
}

void frmDebtor::Form_Activate() {
    if (model_->rowCount() > 0) debtor_lst->setFocus();
}

void frmDebtor::Load_list() {
    guard(WindowName, "Load_list", [this] {
        DebtorTotals sums;
        {
            ListKit::Model::Refill refill(*model_);
            sums = readDebtors(Today::date(), [&](const DebtorEntry& e) { refill.add(rowOf(e)); });
        }
        total30->setText(totalText(sums.upTo30));
        total60->setText(totalText(sums.from31To60));
        Total61->setText(totalText(sums.from61));
        TotalG->setText(totalText(sums.all()));
        placeTotals();
    });
}

void frmDebtor::setAllTicks(bool ticked) {
    for (int r = 0; r < model_->rowCount(); ++r) model_->setChecked(r, ticked);
}

// Ticks every row with an amount in that column; ticks already set stay.
void frmDebtor::tickWhere(Column column) {
    for (int r = 0; r < model_->rowCount(); ++r)
        if (Val(model_->text(r, column)) != 0) model_->setChecked(r, true);
}

void frmDebtor::placeTotals() {
    const QHeaderView* header = debtor_lst->header();
    const int offset = debtor_lst->viewport()->mapTo(this, QPoint()).x() - totalsRow_->mapTo(this, QPoint()).x();
    const int line = totalsRow_->height() / 2;
    auto column = [&](int c) { return QRect(offset + header->sectionViewportPosition(c), 0, header->sectionSize(c), line); };
    const int gap = fontMetrics().averageCharWidth();
    // Right-aligned in its column; a total wider than the column grows to the left, whole, and
    // pushes the totals left of it along so that none covers another.
    auto place = [&](QLabel* total, int c, int top, int rightLimit) {
        QRect box = column(c).adjusted(0, top, -gap, top);
        box.setRight(std::min(box.right(), rightLimit));
        box.setLeft(std::min(box.left(), box.right() - total->fontMetrics().horizontalAdvance(total->text()) - 2));
        total->setGeometry(box);
        return box.left() - gap;
    };
    const int unlimited = std::numeric_limits<int>::max();
    place(total30, Days30, 0, place(total60, Days60, 0, place(Total61, Days61, 0, unlimited)));
    place(TotalG, Days61, line, unlimited);
    periodCaption_->setGeometry(0, 0, std::max(0, total30->geometry().left() - gap), line);
    totalCaption_->setGeometry(0, line, std::max(0, TotalG->geometry().left() - gap), line);
}

bool frmDebtor::eventFilter(QObject* watched, QEvent* event) {
    if (watched == debtor_lst && (event->type() == QEvent::Resize || event->type() == QEvent::Move)) placeTotals();
    return QDialog::eventFilter(watched, event);
}

void frmDebtor::Toolbar1_ButtonClick(int index) {
    switch (index) {
    case 1: View(); break;
    case 3: Letters(); break;
    case 5:
        gHandOver.HelpPage = "debtors.htm";
        Opener::show(Windows::Help_frm, this);
        break;
    default: break;
    }
}

// The selected row's invoice in the editor; nothing without a selected row.
void frmDebtor::View() {
    if (model_->rowCount() == 0) return;
    const int row = ListKit::selectedRow(debtor_lst);
    if (row < 0) return;
    requestInvoiceEdit(model_->text(row, InvNo));
    Opener::show(Windows::frmAddInv, this);
    Load_list();
}

void frmDebtor::Letters() {
    bool anyTicked = false;
    for (int r = 0; r < model_->rowCount() && !anyTicked; ++r) anyTicked = model_->checked(r);
    if (!anyTicked) {
        Box::ask("No letters to print.", "No Records", Box::Buttons::Ok, Box::Icon::Exclamation, this);
        return;
    }
    Letter_frame->show();
    Letter_frame->raise();
    Disable_controls();
    Reminder1->setFocus();
}

void frmDebtor::setControlsEnabled(bool enabled) {
    for (QWidget* w : std::initializer_list<QWidget*>{Toolbar1, debtor_lst, debtor_chk, All_cmd, Unselect_all,
                                                      Select7_cmd, Select14, Select30, Command1})
        w->setEnabled(enabled);
}

void frmDebtor::Disable_controls() { setControlsEnabled(false); }
void frmDebtor::Enable_controls() { setControlsEnabled(true); }

// Esc in the letter set-up cancels it, as its Cancel does; elsewhere it closes the window.
void frmDebtor::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Escape && event->modifiers() == Qt::NoModifier && Letter_frame->isVisible()) {
        Cancel_cmd_Click();
        return;
    }
    QDialog::keyPressEvent(event);
}

void frmDebtor::Cancel_cmd_Click() {
    Letter_frame->hide();
    Enable_controls();
}

void frmDebtor::OK_cmd_Click() {
    Enable_controls();
    Build_table();
    Print_cmd();
    Letter_frame->hide();
    if (LettersPrinted) Update_reminders();
}

void frmDebtor::Build_table() {
    guard(WindowName, "Build_table", [this] {
        Wait_Cursor_On();
        std::vector<LetterChoice> choices;
        for (int r = 0; r < model_->rowCount(); ++r)
            if (model_->checked(r)) choices.push_back({model_->text(r, CustId), model_->text(r, InvNo)});
        LetterCount = 0;
        letterInvoices_ = writeLetters(choices);
        LetterCount = int(letterInvoices_.size());
        Wait_Cursor_Off();
    });
}

QString frmDebtor::chosenReminder() const {
    if (Option1->isChecked()) return Reminder1->toPlainText();
    if (Option2->isChecked()) return Reminder2->toPlainText();
    if (Option3->isChecked()) return Reminder3->toPlainText();
    return QString();
}

void frmDebtor::Print_cmd() {
    guard(WindowName, "Print_cmd", [this] {
        Wait_Cursor_On();
        ShapeSql = LettersQuery;
        LettersPrinted = false;
        if (LetterCount < 1) {
            Box::ask("No letters to print.", "No Records", Box::Buttons::Ok, Box::Icon::Exclamation, this);
            Wait_Cursor_Off();
            return;
        }
        Wait_Cursor_Off();
        // Only letters printed to their end count as reminders sent.
        LettersPrinted =
            showLetters(ShapeSql, ShapeRs, {chosenReminder(), Signed1_txt->text(), Signed_txt->text()}, this);
    });
}

void frmDebtor::Update_reminders() {
    guard(WindowName, "Update_reminders", [this] {
        if (Box::ask("Do you want to update the amount of reminders sent for the invoices selected?",
                     "Update Reminders Sent", Box::Buttons::YesNo, Box::Icon::Question, this) != Box::Answer::Yes)
            return;
        // A ticked row whose customer or invoice went away got no letter and is not counted.
        addReminderSent(letterInvoices_);
        Load_list();
    });
}

// Closing by Exit, Esc or the close box saves the start-up choice.
void frmDebtor::done(int result) {
    if (!unloaded_) {
        unloaded_ = true;
        guard(WindowName, "Form_Unload", [this] { writeDebtorstart(debtor_chk->isChecked() ? 1 : 0); });
    }
    QDialog::done(result);
}
