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
inline constexpr int ListLongDescColumn = 2;
inline constexpr int ListPriceColumn = 3;

// Item picker: ID, short description, the price right-aligned in 10
// characters, long description, the Taxable value as digits.
ListKit::Row pickerRow(const ItemRecord& item);
QStringList pickerHeaders();
inline constexpr int PickerPriceColumn = 2;

// Widens the number column so that a twelve-character number shows whole.
void fitNumberColumn(QTreeView* view);
// Widens the price column so that the widest price a user can enter (ten
// digits and two decimals) shows whole; the room comes from the column
// `giver`, where one is named, so that the list keeps its width.
void fitPriceColumn(QTreeView* view, int priceColumn, int giver = -1);

}  // namespace ItemRows
