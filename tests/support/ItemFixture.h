#pragma once
// What the item tests share: the item settings and items on file.
#include "common/SettingsValues.h"
#include "platform/Currency.h"
#include "platform/Database.h"
#include <QString>
#include <QVariant>

namespace items {

// The item numbering of the settings row, in the row and in memory.
inline void numbering(const QString& prefix, const QString& start, int freeForm) {
    Statement s(Database::shared(), "SELECT COUNT(*) FROM System");
    s.step();
    Statement(Database::shared(), s.value(0).toInt() == 0
                                      ? "INSERT INTO System (PartPrefix, PartStart, FreeformPart, TaxAmount, Text3Name, Text4Name) "
                                        "VALUES (?, ?, ?, 0, '', '')"
                                      : "UPDATE System SET PartPrefix = ?, PartStart = ?, FreeformPart = ?")
        .bindAll({prefix, start, freeForm})
        .run();
    gSettings.PartPrefix = prefix;
    gSettings.PartStart = start;
    gSettings.FreeformPart = freeForm;
    gSettings.ConfirmAll = 1;
}

// A Parts row; a price given as text, a Taxable of 1, 0 or none.
inline void add(const QString& id, const QVariant& shortDesc = "Bolt", const QVariant& desc = "Steel bolt",
                const char* price = "1.25", const QVariant& taxable = 1) {
    Statement(Database::shared(), "INSERT INTO Parts (ID, ShortDesc, \"Desc\", Price, Taxable) VALUES (?, ?, ?, ?, ?)")
        .bindAll({id, shortDesc, desc, QVariant::fromValue(Currency::fromText(price)), taxable})
        .run();
}

// A column of the item of exactly that number; an invalid value when none.
inline QVariant field(const QString& id, const QString& column) {
    Statement s(Database::shared(),
                QString("SELECT \"%1\" FROM Parts WHERE ID = ? COLLATE BINARY").arg(column));
    s.bind(1, id);
    return s.step() ? s.value(0) : QVariant();
}

inline QString price(const QString& id) { return field(id, "Price").value<Currency>().toText(); }

inline int count() {
    Statement s(Database::shared(), "SELECT COUNT(*) FROM Parts");
    s.step();
    return s.value(0).toInt();
}

inline QString storedPartStart() {
    Statement s(Database::shared(), "SELECT PartStart FROM System");
    return s.step() ? s.value(0).toString() : QString();
}

}  // namespace items
