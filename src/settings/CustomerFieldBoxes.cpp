#include "settings/CustomerFieldBoxes.h"
#include "common/SettingsValues.h"
#include "platform/Recordset.h"
#include "settings/SettingsRow.h"
#include "widgets/WidgetHelpers.h"
#include <QCheckBox>

namespace {
QCheckBox* box(const char* name, const char* caption) { return named(new QCheckBox(caption), name); }
}

CustomerFieldBoxes::CustomerFieldBoxes()
    : fax_chk(box("fax_chk", "Include Fax")),
      phone_chk(box("phone_chk", "Include Phone")),
      email_chk(box("email_chk", "Include Email")),
      Shipping1_chk(box("Shipping1_chk", "Include Delivery Address")),
      mobile_chk(box("mobile_chk", "Include Mobile")) {}

void CustomerFieldBoxes::loadFrom(const Recordset& row) {
    SettingsRow::tickFrom(fax_chk, row.field("FaxVisible"));
    SettingsRow::tickFrom(phone_chk, row.field("phoneVisible"));
    SettingsRow::tickFrom(email_chk, row.field("emailVisible"));
    SettingsRow::tickFrom(Shipping1_chk, row.field("shippingVisible"));
    SettingsRow::tickFrom(mobile_chk, row.field("mobileVisible"));
}

void CustomerFieldBoxes::saveTo(Recordset& row) const {
    row.setField("FaxVisible", SettingsRow::boxValue(fax_chk));
    row.setField("phoneVisible", SettingsRow::boxValue(phone_chk));
    row.setField("emailVisible", SettingsRow::boxValue(email_chk));
    row.setField("shippingVisible", SettingsRow::boxValue(Shipping1_chk));
    row.setField("mobileVisible", SettingsRow::boxValue(mobile_chk));
}

void CustomerFieldBoxes::copyTo(SettingsValues& values) const {
    values.FaxVisible = SettingsRow::boxValue(fax_chk);
    values.phoneVisible = SettingsRow::boxValue(phone_chk);
    values.emailVisible = SettingsRow::boxValue(email_chk);
    values.shippingVisible = SettingsRow::boxValue(Shipping1_chk);
    values.mobileVisible = SettingsRow::boxValue(mobile_chk);
}
