#include "customers/frm_AddPart.h"
#include "customers/ItemRecord.h"
#include "common/ErrorReport.h"
#include "common/Functions.h"
#include "common/HandOver.h"
#include "common/Numbering.h"
#include "common/SettingsValues.h"
#include "common/WidestAmounts.h"
#include "platform/MessageBox.h"
#include "platform/NumberText.h"
#include "widgets/BoxRules.h"
#include "widgets/BoxText.h"
#include "widgets/WidgetHelpers.h"
#include "widgets/WindowPlacement.h"
#include <QApplication>
#include <QCheckBox>
#include <QEvent>
#include <QFocusEvent>
#include <QFrame>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>
#include <tuple>

namespace {
const char* WindowName = "frm_AddPart";
constexpr int LongLimit = 120;

void refuse(QWidget* box) {
    QApplication::beep();
    box->setFocus();
}
}  // namespace

frm_AddPart::frm_AddPart(QWidget* owner) : ActivatedDialog(owner) {
    setObjectName(WindowName);
    setWindowTitle("Add Item");
    Frame1 = named(new QFrame(this), "Frame1");
    Part_lbl = lineBox("Part_lbl", 12);
    Part_lbl->setEnabled(false);
    Short_txt = lineBox("Short_txt", 20);
    tax_chk = named(new QCheckBox("Taxable"), "tax_chk");
    long_txt = textBox("long_txt", LongLimit);
    QFont strong = font();
    strong.setBold(true);
    auto* charactersLeft = label("Characters left", "Label5");
    count_lbl = label(QString::number(LongLimit), "count_lbl");
    for (QLabel* l : {charactersLeft, count_lbl}) {
        l->setFont(strong);
        l->setStyleSheet("color: #000080");
    }
    Price_txt = lineBox("Price_txt", 10);
    Price_txt->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    BoxRules::percentage(Price_txt);
    Price_txt->setFixedWidth(widthToShow(Price_txt, WidestAmounts::itemPrice()));
    Update_cmd = button("&Update", "Update_cmd");
    Update_cmd->setDefault(true);
    exit_cmd = button("&Exit", "exit_cmd");
    exit_cmd->setAutoDefault(false);
    // Sizes in twips as designed, in a window of 7095 by 3825.
    for (auto [box, width, height] : {std::tuple<QWidget*, int, int>{Part_lbl, 1455, 315}, {Short_txt, 2295, 315},
                                      {long_txt, 4215, 1095}, {Update_cmd, 1575, 375}, {exit_cmd, 1575, 375}})
        box->setFixedSize(twipsToPixels(this, width, height));
    Price_txt->setFixedHeight(twipsToPixels(this, 315));

    auto* grid = new QGridLayout(Frame1);
    grid->addWidget(label("Item ID:", "Label1"), 0, 0);
    grid->addWidget(Part_lbl, 0, 1, Qt::AlignLeft);
    grid->addWidget(label("Short Description:", "Label2"), 1, 0);
    grid->addWidget(Short_txt, 1, 1);
    grid->addWidget(tax_chk, 1, 2);
    grid->addWidget(label("Long Description:", "Label3"), 2, 0, Qt::AlignTop);
    grid->addWidget(long_txt, 2, 1, 1, 2);
    auto* left = new QHBoxLayout;
    left->addStretch();
    left->addWidget(charactersLeft);
    left->addWidget(count_lbl);
    grid->addLayout(left, 3, 1, 1, 2);
    grid->addWidget(label("Price:", "Label4"), 4, 0);
    grid->addWidget(Price_txt, 4, 1, Qt::AlignLeft);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(Update_cmd);
    buttons->addWidget(exit_cmd);
    grid->addLayout(buttons, 5, 0, 1, 3);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(Frame1);

    QWidget* order[] = {Part_lbl, Short_txt, tax_chk, long_txt, Price_txt, Update_cmd, exit_cmd};
    for (size_t i = 1; i < std::size(order); ++i) setTabOrder(order[i - 1], order[i]);
    for (QWidget* box : std::initializer_list<QWidget*>{Part_lbl, Short_txt, long_txt, Price_txt})
        BoxRules::selectOnFocus(box);
    Price_txt->installEventFilter(this);
    long_txt->installEventFilter(this);
    connect(long_txt, &QPlainTextEdit::textChanged, this, &frm_AddPart::showCharactersLeft);
    connect(Update_cmd, &QPushButton::clicked, this, &frm_AddPart::Update_cmd_Click);
    connect(exit_cmd, &QPushButton::clicked, this, &QDialog::reject);

    resize(twipsToPixels(this, 7095, 3825));
    centreOnScreen(this);
    newMode_ = gHandOver.ItemNewMode == 1;
    if (newMode_) Newdetails();
    else LoadPart();
}

void frm_AddPart::Newdetails() {
    guard(WindowName, "Newdetails", [&] {
        if (gSettings.FreeformPart != 0) {
            Part_lbl->clear();
            Part_lbl->setEnabled(true);
            return;
        }
        Part_lbl->setEnabled(false);
        // Compared as the key compares, without regard to case: a number
        // the key would refuse is never proposed.
        if (const auto number = proposeNumber("Parts", "ID", gSettings.PartPrefix, gSettings.PartStart)) {
            setBoxText(Part_lbl, *number);
        } else {
            Part_lbl->clear();
            Box::ask(numbersUsedUpMessage(), numbersUsedUpTitle(), Box::Buttons::Ok, Box::Icon::Exclamation, this);
        }
    });
}

void frm_AddPart::LoadPart() {
    guard(WindowName, "LoadPart", [&] {
        const auto item = loadItem(gHandOver.EditItemID.trimmed());
        if (!item) return;
        setBoxText(Part_lbl, item->id);
        setBoxText(Short_txt, item->shortDesc);
        BoxRules::showStoredText(long_txt, item->desc);
        setBoxText(Price_txt, Format_Number_Right(QVariant::fromValue(item->price), 7, 2));
        tax_chk->setChecked(item->taxable == 1);
        showCharactersLeft();
    });
}

void frm_AddPart::Form_Activate() {
    Short_txt->setFocus();
    if (newMode_ && gSettings.FreeformPart == 1) Part_lbl->setFocus();
}

bool frm_AddPart::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::FocusOut && watched == Price_txt) {
        // Switching to another window is not leaving the box.
        const auto reason = static_cast<QFocusEvent*>(event)->reason();
        if (reason != Qt::ActiveWindowFocusReason && reason != Qt::PopupFocusReason) Price_txt_LostFocus();
    }
    return QDialog::eventFilter(watched, event);
}

void frm_AddPart::Price_txt_LostFocus() {
    const QString text = Price_txt->text();
    // A price wider than ten characters keeps every digit.
    setBoxText(Price_txt, Trim(text).isEmpty() ? QString(10, ' ')
                                               : Format_Number_Right(QVariant::fromValue(ValCurrency(text)), 7, 2));
}

void frm_AddPart::showCharactersLeft() {
    count_lbl->setText(QString::number(LongLimit - BoxRules::storedLength(long_txt->toPlainText())));
}

int frm_AddPart::check_fields() {
    if (Trim(Part_lbl->text()).isEmpty()) { refuse(Part_lbl); return 1; }
    if (Trim(Short_txt->text()).isEmpty()) { refuse(Short_txt); return 1; }
    if (Trim(long_txt->toPlainText()).isEmpty()) { refuse(long_txt); return 1; }
    if (Trim(Price_txt->text()).isEmpty()) { refuse(Price_txt); return 1; }
    return 0;
}

int frm_AddPart::CheckItemNo() {
    int answer = 0;
    guard(WindowName, "CheckItemNo", [&] {
        if (!newMode_) return;
        if (itemNumberOnFile(Trim(Part_lbl->text()))) {
            Box::ask("This Item\\Part number has already been used. Please try again!",
                     "Item\\Part Number Already In Use", Box::Buttons::Ok, Box::Icon::Exclamation, this);
            answer = 1;
        }
    });
    return answer;
}

void frm_AddPart::Update_cmd_Click() {
    guard(WindowName, "Update_cmd", [&] {
        if (gSettings.ConfirmAll == 0
            && Box::ask("Are you sure you want to update?", "Continue?", Box::Buttons::YesNo, Box::Icon::Question,
                        this) != Box::Answer::Yes)
            return;
        if (CheckItemNo() == 1) {
            if (gSettings.FreeformPart == 1) Part_lbl->setFocus();
            return;
        }
        if (check_fields() == 1) return;
        ItemRecord item;
        item.id = Trim(Part_lbl->text());
        // Stored whole: what does not fit its column is refused, never cut.
        item.shortDesc = Short_txt->text();
        item.desc = BoxRules::storedText(long_txt);
        item.price = ValCurrency(Price_txt->text());
        item.taxable = tax_chk->isChecked() ? 1 : 0;
        if (const QString why = itemTooLong(item); !why.isEmpty()) {
            Box::ask(why, "Please Try Again", Box::Buttons::Ok, Box::Icon::Exclamation, this);
            return;
        }
        const bool advance = newMode_ && gSettings.FreeformPart == 0;
        const QString nextStart = advance ? nextStartNumber(Part_lbl->text(), gSettings.PartStart) : QString();
        Wait_Cursor_On();
        saveItem(item, newMode_ ? ItemSave::New : ItemSave::Edit, nextStart);
        // Only a committed save counts.
        gHandOver.ItemSaved = 1;
        savedNow_ = true;
        if (advance) gSettings.PartStart = nextStart;
        gHandOver.SavedItemID = Part_lbl->text();
        Wait_Cursor_Off();
        accept();
    });
}

void frm_AddPart::done(int result) {
    if (!savedNow_) gHandOver.ItemSaved = 0;
    QDialog::done(result);
}
