#include "customers/frm_Parts.h"
#include "customers/ItemRecord.h"
#include "customers/ItemRows.h"
#include "common/ErrorReport.h"
#include "common/Functions.h"
#include "common/HandOver.h"
#include "common/Opener.h"
#include "common/WindowNames.h"
#include "platform/MessageBox.h"
#include "widgets/ListKit.h"
#include "widgets/WidgetHelpers.h"
#include "widgets/WindowPlacement.h"
#include <QAction>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QStyle>
#include <QToolBar>
#include <QTreeView>

namespace {
const char* WindowName = "frm_Parts";
}

frm_Parts::frm_Parts(QWidget* owner) : ActivatedDialog(owner) {
    setObjectName(WindowName);
    setWindowTitle("Items");

    Toolbar1 = named(new QToolBar(this), "Toolbar1");
    buttons_ = ListKit::addToolbarButtons(Toolbar1, {{2, "Add", QStyle::SP_FileIcon},
                                           {4, "Delete", QStyle::SP_TrashIcon},
                                           {6, "Edit", QStyle::SP_FileDialogDetailedView},
                                           {8, "Help", QStyle::SP_DialogHelpButton}},
                                          [this](int position) { Toolbar1_ButtonClick(position); });
    buttons_[8]->setEnabled(Opener::has(Windows::Help_frm));

    Parts_lst = named(new QTreeView(this), "Parts_lst");
    model_ = new ListKit::Model(ItemRows::listHeaders(), 1, this);
    model_->setAlignment(ItemRows::ListPriceColumn, Qt::AlignRight);
    model_->setAlignment(4, Qt::AlignHCenter);
    ListKit::setUpView(Parts_lst, model_);
    ListKit::setColumnWidthsTwips(Parts_lst, {1300, 2500, 5451, 1440, 1000});
    ItemRows::fitPriceColumn(Parts_lst, ItemRows::ListPriceColumn, ItemRows::ListLongDescColumn);
    sort_ = new ListKit::HeaderSort(Parts_lst, model_, true);
    sort_->state().sortHeaderBy(ItemRows::ListPriceColumn, model_->sortKeyCell(0));
    new ListKit::RowOpener(Parts_lst, [this] { EditItem(); }, true);

    search_txt = lineBox("search_txt", 20);
    search_cmd = ListKit::searchButton();
    Found_lbl = label(QString(), "Found_lbl");
    QFont bold = Found_lbl->font();
    bold.setBold(true);
    Found_lbl->setFont(bold);
    Found_lbl->setStyleSheet("color: #800000");
    find_ = new ListKit::FindBox(WindowName, Parts_lst, model_, search_txt, search_cmd, {3, Found_lbl, false});
    exit_cmd = button("&Exit", "exit_cmd");
    exit_cmd->setAutoDefault(false);

    ListKit::arrangeListWindow(this, {Toolbar1, Parts_lst, label("Search:", "Label1"), search_txt, search_cmd,
                                      Found_lbl, exit_cmd});
    setTabOrder(Parts_lst, search_txt);
    setTabOrder(search_txt, search_cmd);
    setTabOrder(search_cmd, exit_cmd);
    connect(exit_cmd, &QPushButton::clicked, this, &QDialog::accept);

    centreOnScreen(this);
    Load_list();
}

QAction* frm_Parts::toolbarButton(int position) const {
    const auto it = buttons_.find(position);
    return it == buttons_.end() ? nullptr : it->second;
}

void frm_Parts::Load_list() {
    guard(WindowName, "Load_list", [&] {
        {
            ListKit::Model::Refill refill(*model_);
            readItems([&](const ItemRecord& item) { refill.add(ItemRows::listRow(item)); });
        }
        ListKit::selectRow(Parts_lst, 0);
    });
}

void frm_Parts::Form_Activate() {
    if (model_->rowCount() > 0) Parts_lst->setFocus();
}

void frm_Parts::Toolbar1_ButtonClick(int position) {
    switch (position) {
    case 2:
        gHandOver.ItemNewMode = 1;
        Opener::show(Windows::frm_AddPart, this);
        if (gHandOver.ItemSaved == 1) NewItem();
        break;
    case 4:
        if (model_->rowCount() == 0) break;
        if (Box::ask("Are you sure you want to delete this item", "Confirm", Box::Buttons::YesNo,
                     Box::Icon::Question, this) != Box::Answer::Yes)
            break;
        Delete_item();
        break;
    case 6: EditItem(); break;
    case 8:
        gHandOver.HelpPage = QString("Items.htm");
        Opener::show(Windows::Help_frm, this);
        break;
    default: break;
    }
}

void frm_Parts::EditItem() {
    const int row = ListKit::selectedRow(Parts_lst);
    if (row < 0) return;
    gHandOver.ItemNewMode = 0;
    gHandOver.EditItemID = model_->text(row, 0);
    Opener::show(Windows::frm_AddPart, this);
    if (gHandOver.ItemSaved == 1) ChangedItem();
}

void frm_Parts::Delete_item() {
    guard(WindowName, "Delete_item", [&] {
        const int row = ListKit::selectedRow(Parts_lst);
        if (row < 0) return;
        const QString number = model_->text(row, 0);
        gHandOver.EditItemID = number;
        // The row's own number, never a cut copy that could name another item.
        deleteItem(Trim(number));
        ListKit::removeRowAndSelectNext(Parts_lst, model_, row);
    });
}

void frm_Parts::ChangedItem() {
    guard(WindowName, "ChangedItem", [&] {
        const int row = ListKit::selectedRow(Parts_lst);
        const auto item = findItem(gHandOver.SavedItemID.trimmed());
        if (!item || row < 0) return;
        model_->setRow(row, ItemRows::listRow(*item, model_->key(row)));
        ListKit::selectRow(Parts_lst, row);
    });
}

void frm_Parts::NewItem() {
    guard(WindowName, "NewItem", [&] {
        const auto item = findItem(gHandOver.SavedItemID.trimmed());
        if (!item) return;
        // While sorted, the row goes to its place in the order.
        const int row = model_->addRow(ItemRows::listRow(*item, "I" + item->id));
        ListKit::selectRow(Parts_lst, row);
    });
}
