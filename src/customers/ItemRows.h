#pragma once
#include "customers/ItemRecord.h"
#include "widgets/ListKit.h"

class QTreeView;

// How an item shows as a row of the item list and of the invoice editor's
// item picker. Both carry the price's amount as their one hidden sort key,
// so that a price column sorts by amount however wide its text.
namespace ItemRows {

// Item list: ID, short description, long description, the price right-aligned
// in 13 characters, "Yes" or "No". Rows added after a save carry the key "I" + ID.
ListKit::Row listRow(const ItemRecord& item, const QString& key = QString());
QStringList listHeaders();
inline constexpr int ListPriceColumn = 3;

// Item picker: ID, short description, the price right-aligned in 10
// characters, long description, the Taxable value as digits.
ListKit::Row pickerRow(const ItemRecord& item);
QStringList pickerHeaders();
inline constexpr int PickerPriceColumn = 2;

// Widens the number and price columns so that a twelve-character number
// and the widest price a user can enter (ten digits and two decimals) show whole.
void fitColumns(QTreeView* view, int priceColumn);

}  // namespace ItemRows
