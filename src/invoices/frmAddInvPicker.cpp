// The item picker of the invoice editor: a list of every item, opened under
// a line row by the row's tick, that fills the row with the item chosen.
#include "invoices/frmAddInv.h"
#include "customers/ItemRecord.h"
#include "customers/ItemRows.h"
#include "common/ErrorReport.h"
#include "common/SettingsValues.h"
#include "widgets/BoxText.h"
#include "widgets/ListKit.h"
#include "widgets/WidgetHelpers.h"
#include <QCheckBox>
#include <QFrame>
#include <QGridLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QTreeView>

namespace {
const QString WindowName = "frmAddInv";

}  // namespace

void frmAddInv::buildPicker() {
    part_frame = named(new QFrame(this), "part_frame");
    part_frame->setFrameShape(QFrame::Panel);
    part_frame->setFrameShadow(QFrame::Raised);
    part_frame->setAutoFillBackground(true);
    part_frame->hide();
    parts_lst = named(new QTreeView(part_frame), "parts_lst");
    pickerModel_ = new ListKit::Model(ItemRows::pickerHeaders(), 1, this);
    pickerModel_->setAlignment(ItemRows::PickerPriceColumn, Qt::AlignRight);
    ListKit::setUpView(parts_lst, pickerModel_);
    ListKit::setColumnWidthsMm(parts_lst, {22, 40, 24, 60, 14});
    ItemRows::fitNumberColumn(parts_lst);
    ItemRows::fitPriceColumn(parts_lst, ItemRows::PickerPriceColumn);
    pickerSort_ = new ListKit::HeaderSort(parts_lst, pickerModel_, true);
    pickerSort_->state().sortHeaderBy(ItemRows::PickerPriceColumn, pickerModel_->sortKeyCell(0));
    search_txt = lineBox("search_txt", 20);
    search_cmd = ListKit::searchButton();
    select_cmd = button("Select", "select_cmd");
    select_cmd->setAutoDefault(false);
    pickerFind_ = new ListKit::FindBox(WindowName, parts_lst, pickerModel_, search_txt, search_cmd, {2, nullptr, false});
    // Choosing: a double-click, Enter, or any typed character.
    new ListKit::RowOpener(parts_lst, [this] { chooseItem(); }, true, true);
    connect(select_cmd, &QPushButton::clicked, this, [this] { chooseItem(); });

    auto* grid = new QGridLayout(part_frame);
    grid->addWidget(parts_lst, 0, 0, 1, 5);
    grid->addWidget(label("Search:"), 1, 0);
    grid->addWidget(search_txt, 1, 1);
    grid->addWidget(search_cmd, 1, 2);
    grid->setColumnStretch(3, 1);
    grid->addWidget(select_cmd, 1, 4);

    for (int i = 0; i < Rows; ++i)
        connect(Check1[size_t(i)], &QCheckBox::toggled, this, [this, i] { Check1_Click(i); });
}

void frmAddInv::Load_list() {
    guard(WindowName, "Load_list", [this] {
        {
            ListKit::Model::Refill refill(*pickerModel_);
            readItems([&](const ItemRecord& item) { refill.add(ItemRows::pickerRow(item)); });
        }
        // A pick with nothing selected takes the first item.
        ListKit::selectRow(parts_lst, 0);
    });
}

void frmAddInv::Check1_Click(int row) {
    const size_t k = size_t(row);
    if (!Check1[k]->isChecked()) {
        part_frame->hide();
        return;
    }
    // One picker at a time: unticking the others closes theirs first.
    for (int j = 0; j < Rows; ++j)
        if (j != row) Check1[size_t(j)]->setChecked(false);
    CurRow = row;
    const QPoint under = Blank[k]->mapTo(this, QPoint(0, Blank[k]->height()));
    const int width = std::max(Frame3->width() - (under.x() - Frame3->mapTo(this, QPoint()).x()),
                               part_frame->sizeHint().width());
    // About ten rows of items, less where the window ends first.
    const int wanted = parts_lst->fontMetrics().lineSpacing() * 11 + search_txt->sizeHint().height() + 30;
    const int height = std::max(160, std::min(wanted, this->height() - under.y()));
    part_frame->setGeometry(under.x(), under.y(), width, height);
    part_frame->raise();
    part_frame->show();
    parts_lst->setFocus();
}

void frmAddInv::chooseItem() {
    const int row = ListKit::selectedRow(parts_lst);
    if (pickerModel_->rowCount() == 0 || row < 0) return;
    const size_t k = size_t(CurRow);
    // Shown whole, however long: a price or description is never cut.
    setBoxText(PartID_txt[k], pickerModel_->text(row, 0));
    setBoxText(Desc_txt[k], pickerModel_->text(row, 3));
    setBoxText(Amount_txt[k], pickerModel_->text(row, ItemRows::PickerPriceColumn));
    if (gSettings.TaxEnabled == 1) tax[k]->setChecked(pickerModel_->text(row, 4) == "1");
    Calc_Totals();
    part_frame->hide();
    Check1[k]->setChecked(false);
    Qty_txt[k]->setFocus();
}
