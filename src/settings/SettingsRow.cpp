#include "settings/SettingsRow.h"
#include "common/Functions.h"
#include "common/SettingsValues.h"
#include "platform/NumberText.h"
#include "platform/Recordset.h"
#include "platform/ShortDate.h"
#include <QAbstractButton>

namespace SettingsRow {

void open(Recordset& systemRs) {
    TableSource = "system";
    systemRs.open(TableSource);
}

bool moveToRow(Recordset& systemRs) {
    if (systemRs.recordCount() < 1) return false;
    systemRs.moveFirst();
    return true;
}

void startWriting(Recordset& systemRs) {
    if (systemRs.recordCount() < 1) systemRs.addNew();
    else systemRs.moveFirst();
}

bool ticked(const QVariant& field) {
    if (field.isNull() || !field.isValid()) return false;
    const auto value = readDecimal(Field_To_String(field));
    return value && *value == Currency::fromUnits(1);
}

void tickFrom(QAbstractButton* box, const QVariant& field) { box->setChecked(ticked(field)); }

int boxValue(const QAbstractButton* box) { return box->isChecked() ? 1 : 0; }

int layoutOf(const QString& invoiceType) {
    if (invoiceType.isEmpty()) return 1;
    return invoiceLayoutNumber(invoiceType).value_or(0);
}

}  // namespace SettingsRow
