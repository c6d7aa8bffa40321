#pragma once
// The settings row of a fixture database, for the settings windows' tests.
#include "common/Functions.h"
#include "platform/Recordset.h"
#include "settings/DefaultTexts.h"
#include <QApplication>
#include <QVariantMap>
#include <memory>

namespace Fixture {

// A complete settings row as a first run leaves it, with the given columns
// replaced (an invalid QVariant puts Null).
inline void insertSystemRow(const QVariantMap& changes = {}) {
    QVariantMap row{
        {"BusinessName", "Kelm Tools"}, {"Address", "1 High Street\r\nTown"}, {"Phone", "0123"},
        {"Mobile", "0789"}, {"Email", "a@b.c"}, {"Web", "kelm.example"}, {"InvPrefix", "INV"},
        {"CustPrefix", "CUS"}, {"PartPrefix", "ITE"}, {"CrdPrefix", "CRD"}, {"CustStart", "100001"},
        {"Invstart", "100001"}, {"CrdStart", "200001"}, {"PartStart", "100001"}, {"Currency", "$"},
        {"TaxName", "Tax"}, {"TaxNo", "T-1"}, {"TaxAmount", 5.0}, {"TaxEnabled", 1}, {"FreeFormInv", 0},
        {"FreeformCus", 0}, {"FreeformPart", 0}, {"FreeFormCrd", 0}, {"DefaultStart", "01/01/2005"},
        {"DefaultEnd", "09/12/2026"}, {"Debtorstart", "0"}, {"Reminder1", "R1"}, {"Reminder2", "R2"},
        {"Reminder3", "R3"}, {"includestatement", 1}, {"includeterms", 1}, {"includeshipping", 0},
        {"Statement", DefaultTexts::statement()}, {"Terms1", DefaultTexts::terms()}, {"ConfirmBackup", 1},
        {"ConfirmAll", 0}, {"FaxVisible", 1}, {"phoneVisible", 1}, {"emailVisible", 1},
        {"shippingVisible", 1}, {"mobileVisible", 1}, {"Text1Visible", 1}, {"Text2Visible", 1},
        {"Text3Visible", 1}, {"Text4Visible", 1}, {"Text1Name", "Sales Person"},
        {"Text2Name", "Shipping No"}, {"Text3Name", "Sales No"}, {"Text4Name", "Tracking No"},
        {"Present", 1}, {"InvoiceType", "1"}};
    for (auto it = changes.begin(); it != changes.end(); ++it) row[it.key()] = it.value();
    Recordset rs("System");
    rs.addNew();
    for (auto it = row.begin(); it != row.end(); ++it) rs.setField(it.key(), it.value());
    rs.update();
}

inline int systemRowCount() { return Recordset("System").recordCount(); }

// Every column of the first settings row.
inline QVariantMap systemRow() {
    Recordset rs("System");
    QVariantMap row;
    if (rs.recordCount() == 0) return row;
    rs.moveFirst();
    for (const QString& name : rs.fieldNames()) row[name] = rs.field(name);
    return row;
}

inline QVariant systemField(const QString& column) { return systemRow().value(column); }

// The columns whose value differs between two readings of the row.
inline QStringList changedColumns(const QVariantMap& before, const QVariantMap& after) {
    QStringList changed;
    for (auto it = after.begin(); it != after.end(); ++it)
        if (before.value(it.key()) != it.value()) changed << it.key();
    return changed;
}

inline void insertKey(const QString& table, const QString& column, const QString& key,
                      const QVariantMap& required = {}) {
    Recordset rs(table);
    rs.addNew();
    rs.setField(column, key);
    for (auto it = required.begin(); it != required.end(); ++it) rs.setField(it.key(), it.value());
    rs.update();
}

// A settings window shown offscreen as the active window; showing it runs its
// activation step.
template <class Window>
std::unique_ptr<Window> shown() {
    auto window = std::make_unique<Window>();
    window->show();
    QApplication::setActiveWindow(window.get());
    return window;
}

}  // namespace Fixture
