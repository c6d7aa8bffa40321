#include "customers/ItemRows.h"
#include "common/Functions.h"
#include "common/WidestAmounts.h"
#include <QHeaderView>
#include <QTreeView>

namespace ItemRows {

namespace {
// A price wider than its column is shown whole, never cut.
QString priceText(Currency price, int intDigits) {
    return Format_Number_Right(QVariant::fromValue(price), intDigits, 2);
}
}  // namespace

QStringList listHeaders() {
    return {"Item ID", "Short Descriprtion", "Long Description", "Price", "Taxable"};
}

ListKit::Row listRow(const ItemRecord& item, const QString& key) {
    return {.cells = {item.id, item.shortDesc, item.desc, priceText(item.price, 10), item.taxable == 1 ? "Yes" : "No"},
            .key = key,
            .sortKeys = {ListKit::SortKey::amount(item.price)}};
}

QStringList pickerHeaders() { return {"Item ID", "Short Desciption", "Price", "Long Desc", "Taxable"}; }

ListKit::Row pickerRow(const ItemRecord& item) {
    return {.cells = {item.id, item.shortDesc, priceText(item.price, 7), item.desc, QString::number(item.taxable)},
            .sortKeys = {ListKit::SortKey::amount(item.price)}};
}

void fitNumberColumn(QTreeView* view) { ListKit::fitColumns(view, {{0, "PRT000000001"}}); }

void fitPriceColumn(QTreeView* view, int priceColumn, int giver) {
    std::vector<ListKit::Giver> givers;
    if (giver >= 0) givers.push_back({giver, view->columnWidth(giver) / 2});
    ListKit::fitColumns(view, {{priceColumn, WidestAmounts::itemPrice()}}, givers);
}

}  // namespace ItemRows
