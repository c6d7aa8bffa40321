#include "customers/ItemRows.h"
#include "common/Functions.h"
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

namespace {
// How much a column must grow to show the text whole.
int shortfall(const QTreeView* view, int column, const char* widest) {
    const QFontMetrics metrics(view->font());
    return std::max(0, metrics.horizontalAdvance(widest) + metrics.averageCharWidth() * 2 - view->columnWidth(column));
}
}  // namespace

void fitNumberColumn(QTreeView* view) { view->setColumnWidth(0, view->columnWidth(0) + shortfall(view, 0, "PRT000000001")); }

void fitPriceColumn(QTreeView* view, int priceColumn, int giver) {
    const int more = shortfall(view, priceColumn, "9999999999.99");
    view->setColumnWidth(priceColumn, view->columnWidth(priceColumn) + more);
    if (giver >= 0) view->setColumnWidth(giver, std::max(view->columnWidth(giver) / 2, view->columnWidth(giver) - more));
}

}  // namespace ItemRows
