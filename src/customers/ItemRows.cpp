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

void fitColumns(QTreeView* view, int priceColumn) {
    const QFontMetrics metrics(view->font());
    const int padding = metrics.averageCharWidth() * 2;
    const std::pair<int, const char*> columns[] = {{0, "PRT000000001"}, {priceColumn, "9999999999.99"}};
    for (const auto& [column, widest] : columns)
        view->setColumnWidth(column, std::max(view->columnWidth(column), metrics.horizontalAdvance(widest) + padding));
}

}  // namespace ItemRows
