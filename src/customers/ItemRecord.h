#pragma once
#include "platform/Currency.h"
#include <QString>
#include <functional>
#include <optional>

// The stored item, one Parts row, and what the item windows read and write
// around it. No widget is involved here.
struct ItemRecord {
    QString id;
    QString shortDesc;
    QString desc;
    Currency price;
    int taxable = 0;       // 1 = taxable; a row without a value reads as 0
};

// The item of exactly that number (letter case counts); nothing when none has it.
std::optional<ItemRecord> loadItem(const QString& id);
// The item of that number, letter case ignored (as the key compares).
std::optional<ItemRecord> findItem(const QString& id);

// Whether an item holds the number, letter case ignored.
bool itemNumberOnFile(const QString& number);

// The first value of the item that its column cannot hold ("The long
// description can hold at most 200 characters..."); empty when all fit.
QString itemTooLong(const ItemRecord& item);

enum class ItemSave { New, Edit };

// Writes the five columns into a new row or into the row of the item's
// number (letter case ignored) and, when newPartStart is not empty, the
// settings row's PartStart: all or nothing.
void saveItem(const ItemRecord& item, ItemSave kind, const QString& newPartStart = QString());

// Deletes the item of exactly that number (letter case counts); nothing else.
void deleteItem(const QString& id);

// Every item, in the order the table holds them, one at a time.
void readItems(const std::function<void(const ItemRecord&)>& each);
