#include "common/SettingsValues.h"
#include "common/Functions.h"
#include "platform/AppError.h"
#include "platform/Recordset.h"
#include <cmath>

SettingsValues gSettings;

int settingFlag(const QVariant& field) {
    const double d = std::nearbyint(Field_To_Currency(field).toDouble());
    if (d < -32768 || d > 32767) raiseError(ErrorNo::Overflow);
    return int(d);
}

double settingDouble(const QVariant& field) { return Field_To_Currency(field).toDouble(); }

std::optional<int> invoiceLayoutNumber(const QString& invoiceType) {
    for (int n = 1; n <= InvoiceLayouts; ++n)
        if (invoiceType == invoiceTypeOf(n)) return n;
    return std::nullopt;
}

QString invoiceTypeOf(int layout) { return QString::number(layout); }

QString storedValueText(const QVariant& value) {
    if (value.isNull() || value.toString().isEmpty()) return "nothing";
    const QString text = value.typeId() == QMetaType::QString ? "'" + value.toString().replace("'", "''") + "'"
                         : value.typeId() == QMetaType::Double ? QString("%1").arg(value.toDouble())
                                                              : value.toString();
    return text.size() > 40 ? text.left(40) + QChar(0x2026) : text;
}

namespace {

// The value of a column through its conversion; a value the conversion
// refuses raises its error naming the column.
template <class Conversion>
auto converted(const Recordset& rs, const char* column, const char* reads, Conversion convert) {
    const QVariant field = rs.field(column);
    try {
        return convert(field);
    } catch (const AppError& e) {
        throw SettingsColumnError(e, column, storedValueText(field), reads);
    }
}
}  // namespace

SettingsColumnError::SettingsColumnError(const AppError& error, QString column_, QString value_, QString reads_)
    : AppError(error.number, error.description),
      column(std::move(column_)),
      value(std::move(value_)),
      reads(std::move(reads_)) {}

QString SettingsColumnError::plainReason() const {
    return QString("The table System holds %1 in the column %2: the settings read it as %3.")
        .arg(value, column, reads);
}

void loadSettingsFromRow(const Recordset& rs, SettingsValues& s) {
    auto text = [&](const char* column) { return Field_To_String(rs.field(column)); };
    auto trimmed = [&](const char* column) { return Trim(text(column)); };
    auto flag = [&](const char* column) {
        return converted(rs, column, "a whole number from -32768 to 32767", settingFlag);
    };
    auto number = [&](const char* column) {
        return converted(rs, column, "a number of at most 15 digits before the point", settingDouble);
    };
    s.BusinessName = text("BusinessName");
    s.Address = text("Address");
    s.Phone = text("Phone");
    s.Mobile = text("Mobile");
    s.Email = text("Email");
    s.Web = text("Web");
    s.InvPrefix = text("InvPrefix");
    s.CrdPrefix = text("CrdPrefix");
    s.CustPrefix = text("CustPrefix");
    s.PartPrefix = text("PartPrefix");
    s.CustStart = text("CustStart");
    s.Invstart = text("Invstart");
    s.CrdStart = text("CrdStart");
    s.PartStart = text("PartStart");
    s.Currency = text("Currency");
    s.TaxName = text("TaxName");
    s.TaxNo = text("TaxNo");
    s.TaxAmount = number("TaxAmount");
    s.TaxEnabled = flag("TaxEnabled");
    s.DefaultStart = text("DefaultStart");
    s.DefaultEnd = text("DefaultEnd");
    s.Debtorstart = flag("Debtorstart");
    s.Reminder1 = text("Reminder1");
    s.Reminder2 = text("Reminder2");
    s.Reminder3 = text("Reminder3");
    s.FreeFormInv = flag("FreeFormInv");
    s.FreeformCus = flag("FreeformCus");
    s.FreeformPart = flag("FreeformPart");
    s.FreeFormCrd = flag("FreeFormCrd");
    s.includeshipping = flag("includeshipping");
    s.includeterms = flag("includeterms");
    s.includestatement = flag("includestatement");
    s.Statement = text("Statement");
    s.Terms1 = text("Terms1");
    s.ConfirmExit = flag("ConfirmExit");
    s.ConfirmBackup = flag("ConfirmBackup");
    s.ConfirmAll = flag("ConfirmAll");
    s.FaxVisible = flag("FaxVisible");
    s.phoneVisible = flag("phoneVisible");
    s.emailVisible = flag("emailVisible");
    s.webVisible = flag("webVisible");
    s.shippingVisible = flag("shippingVisible");
    s.mobileVisible = flag("mobileVisible");
    s.Text1Visible = flag("Text1Visible");
    s.Text2Visible = flag("Text2Visible");
    s.Text3Visible = flag("Text3Visible");
    s.Text4Visible = flag("Text4Visible");
    s.Text1Name = trimmed("Text1Name");
    s.Text2Name = trimmed("Text2Name");
    s.Text3Name = trimmed("Text3Name");
    s.Text4Name = trimmed("Text4Name");
    s.Present = flag("Present");
    s.InvoiceType = text("InvoiceType");
    s.logopath = text("logopath");
}

bool loadSettingsValues() {
    TableSource = "system";
    Recordset rs(TableSource);
    if (rs.recordCount() == 0) return false;
    rs.moveFirst();
    loadSettingsFromRow(rs, gSettings);
    return true;
}
