#include "settings/EntryRules.h"
#include "common/Numbering.h"
#include "common/SettingsValues.h"
#include "platform/FixedText.h"
#include <QAbstractButton>

namespace EntryRules {

bool startNumberTooShort(const QString& startText) { return Trim(startText).size() < 4; }

void followFreeForm(QAbstractButton* freeForm, QWidget* prefixBox, QWidget* startBox) {
    auto apply = [=] {
        prefixBox->setEnabled(!freeForm->isChecked());
        startBox->setEnabled(!freeForm->isChecked());
    };
    QObject::connect(freeForm, &QAbstractButton::toggled, freeForm, apply);
    apply();
}

CountryPreset countryPreset(Country country) {
    switch (country) {
    case Country::USA: return {"$", "Tax", ""};
    case Country::UK: return {QString::fromUtf8("£"), "Vat", "17.5"};
    case Country::Other: break;
    }
    return {"", "", ""};
}

Country countryOf(const QString& symbol) {
    const QString s = Trim(symbol);
    if (s == "$") return Country::USA;
    if (s == QString::fromUtf8("£")) return Country::UK;
    return Country::Other;
}

namespace {
bool isTick(int value) { return value == 0 || value == 1; }

bool startNumberTaken(const QString& start) {
    const QString digits = Trim(start);
    return !startNumberTooShort(start) && digits.size() <= StartNumberLength && allDigits(digits);
}

struct Numbering {
    const char* kind;
    int freeForm;
    const char* freeFormName;
    const QString& prefix;
    const QString& start;
};

QString numberingFault(const Numbering& n) {
    if (!isTick(n.freeForm))
        return QString("The setting %1 is %2, where a tick box keeps 0 or 1.").arg(n.freeFormName).arg(n.freeForm);
    if (n.freeForm == 1) return QString();
    if (n.prefix.size() > PrefixLength)
        return QString("The %1 prefix in the settings is \"%2\", longer than %3 characters.")
            .arg(n.kind, n.prefix)
            .arg(PrefixLength);
    if (!startNumberTaken(n.start))
        return QString("The %1 start number in the settings is \"%2\", not a number of 4 to %3 digits.")
            .arg(n.kind, n.start)
            .arg(StartNumberLength);
    return QString();
}

// The largest percentage the box takes: all its places digits.
double largestTaxPercent() {
    double largest = 1;
    for (int i = 0; i < TaxPercentLength; ++i) largest *= 10;
    return largest - 1;
}

QString taxFault(const SettingsValues& s) {
    if (!isTick(s.TaxEnabled))
        return QString("The setting TaxEnabled is %1, where a tick box keeps 0 or 1.").arg(s.TaxEnabled);
    if (!(s.TaxAmount >= 0 && s.TaxAmount <= largestTaxPercent()))
        return QString("The tax percentage in the settings is %1, not one from 0 to %2.")
            .arg(s.TaxAmount)
            .arg(largestTaxPercent());
    if (s.TaxName.trimmed().size() > TaxNameLength)
        return QString("The tax name in the settings is longer than %1 characters.").arg(TaxNameLength);
    if (s.TaxNo.trimmed().size() > TaxNumberLength)
        return QString("The tax number in the settings is longer than %1 characters.").arg(TaxNumberLength);
    return QString();
}
}  // namespace

QString storedSettingsFault(const SettingsValues& s) {
    const Numbering kinds[] = {{"invoice", s.FreeFormInv, "FreeFormInv", s.InvPrefix, s.Invstart},
                               {"item", s.FreeformPart, "FreeformPart", s.PartPrefix, s.PartStart},
                               {"customer", s.FreeformCus, "FreeformCus", s.CustPrefix, s.CustStart}};
    for (const Numbering& kind : kinds)
        if (const QString why = numberingFault(kind); !why.isEmpty()) return why;
    return taxFault(s);
}

}  // namespace EntryRules
