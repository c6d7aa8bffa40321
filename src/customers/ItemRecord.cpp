#include "customers/ItemRecord.h"
#include "common/Functions.h"
#include "common/Numbering.h"
#include "common/TableRows.h"
#include "platform/Database.h"
#include "platform/Schema.h"

namespace {
const Schema::Table& partsTable() { return *Schema::table("Parts"); }

const char* ItemColumns = "\"ID\", \"ShortDesc\", \"Desc\", \"Price\", \"Taxable\"";

ItemRecord itemFrom(const Statement& s) {
    return {Field_To_String(s.value(0)), Field_To_String(s.value(1)), Field_To_String(s.value(2)),
            Field_To_Currency(s.value(3)), s.value(4).toInt()};
}

ColumnValues itemValues(const ItemRecord& item) {
    return {{"ID", item.id},
            {"ShortDesc", item.shortDesc},
            {"Desc", item.desc},
            {"Price", QVariant::fromValue(item.price)},
            {"Taxable", item.taxable}};
}

QString tooLongText(const QString& what, int limit) {
    return QString("%1 can hold at most %2 characters. Please shorten it.").arg(what).arg(limit);
}
}  // namespace

std::optional<ItemRecord> findItem(const QString& id) {
    Statement s(Database::shared(), QString("SELECT %1 FROM \"Parts\" WHERE \"ID\" = ? LIMIT 1").arg(ItemColumns));
    s.bind(1, id);
    if (!s.step()) return std::nullopt;
    return itemFrom(s);
}

std::optional<ItemRecord> loadItem(const QString& id) {
    auto item = findItem(id);
    // The key ignores case, so at most one row comes back; it must be this number exactly.
    if (item && item->id != id) return std::nullopt;
    return item;
}

bool itemNumberOnFile(const QString& number) { return numberOnFile("Parts", "ID", number); }

QString itemTooLong(const ItemRecord& item) {
    const std::pair<const char*, const QString&> texts[] = {
        {"ID", item.id}, {"ShortDesc", item.shortDesc}, {"Desc", item.desc}};
    const char* names[] = {"The item number", "The short description", "The long description"};
    for (size_t i = 0; i < std::size(texts); ++i) {
        const int limit = partsTable().column(texts[i].first)->size;
        if (texts[i].second.size() > limit) return tooLongText(names[i], limit);
    }
    return QString();
}

void saveItem(const ItemRecord& item, ItemSave kind, const QString& newPartStart) {
    Transaction transaction;
    std::optional<qint64> row;
    if (kind == ItemSave::Edit) {
        Statement s(Database::shared(), "SELECT rowid FROM \"Parts\" WHERE \"ID\" = ? LIMIT 1");
        s.bind(1, item.id);
        if (s.step()) row = s.value(0).toLongLong();
    }
    if (row) updateRow(partsTable(), *row, itemValues(item));
    else insertRow(partsTable(), itemValues(item));
    if (!newPartStart.isEmpty()) writeStartNumber("PartStart", newPartStart);
    transaction.commit();
}

void deleteItem(const QString& id) {
    // Only the number exactly as written.
    Statement(Database::shared(), "DELETE FROM \"Parts\" WHERE " + Schema::exactlyEqual("ID", 1)).bind(1, id).run();
}

void readItems(const std::function<void(const ItemRecord&)>& each) {
    Statement s(Database::shared(), QString("SELECT %1 FROM \"Parts\" ORDER BY rowid").arg(ItemColumns));
    while (s.step()) each(itemFrom(s));
}
