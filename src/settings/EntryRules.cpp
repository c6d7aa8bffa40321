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
    const char* freeFormColumn;
    const QString& prefix;
    const char* prefixColumn;
    const QString& start;
    const char* startColumn;
};

// A refusal as every check of a restore says it: the table, the column and
// the value, then why the program cannot work with it.
QString held(const char* column, const QVariant& value, const QString& why) {
    return QString("The table System holds %1 in the column %2: %3.").arg(storedValueText(value), column, why);
}

QString tickFault(const char* column, int value) {
    return isTick(value) ? QString() : held(column, value, "a tick box, which keeps 0 or 1");
}

QString numberingFault(const Numbering& n) {
    if (const QString why = tickFault(n.freeFormColumn, n.freeForm); !why.isEmpty()) return why;
    if (n.freeForm == 1) return QString();
    if (n.prefix.size() > PrefixLength)
        return held(n.prefixColumn, n.prefix,
                    QString("the %1 prefix, longer than %2 characters").arg(n.kind).arg(PrefixLength));
    if (!startNumberTaken(n.start))
        return held(n.startColumn, n.start,
                    QString("the %1 start number, not a number of 4 to %2 digits").arg(n.kind).arg(StartNumberLength));
    return QString();
}

// The largest percentage the box takes: all its places digits.
double largestTaxPercent() {
    double largest = 1;
    for (int i = 0; i < TaxPercentLength; ++i) largest *= 10;
    return largest - 1;
}

// The layout buttons write only the six layouts' names, which Print takes.
QString layoutFault(const SettingsValues& s) {
    if (invoiceLayoutNumber(s.InvoiceType)) return QString();
    return held("InvoiceType", s.InvoiceType,
                QString("not one of the %1 invoice layouts 1 to %1, so no invoice could be printed")
                    .arg(InvoiceLayouts));
}

QString taxFault(const SettingsValues& s) {
    if (const QString why = tickFault("TaxEnabled", s.TaxEnabled); !why.isEmpty()) return why;
    if (!(s.TaxAmount >= 0 && s.TaxAmount <= largestTaxPercent()))
        return held("TaxAmount", s.TaxAmount,
                    QString("the tax percentage, not one from 0 to %1").arg(largestTaxPercent()));
    if (s.TaxName.trimmed().size() > TaxNameLength)
        return held("TaxName", s.TaxName.trimmed(),
                    QString("the tax name, longer than %1 characters").arg(TaxNameLength));
    if (s.TaxNo.trimmed().size() > TaxNumberLength)
        return held("TaxNo", s.TaxNo.trimmed(),
                    QString("the tax number, longer than %1 characters").arg(TaxNumberLength));
    return QString();
}
}  // namespace

QString storedSettingsFault(const SettingsValues& s) {
    const Numbering kinds[] = {
        {"invoice", s.FreeFormInv, "FreeFormInv", s.InvPrefix, "InvPrefix", s.Invstart, "Invstart"},
        {"item", s.FreeformPart, "FreeformPart", s.PartPrefix, "PartPrefix", s.PartStart, "PartStart"},
        {"customer", s.FreeformCus, "FreeformCus", s.CustPrefix, "CustPrefix", s.CustStart, "CustStart"}};
    for (const Numbering& kind : kinds)
        if (const QString why = numberingFault(kind); !why.isEmpty()) return why;
    if (const QString why = taxFault(s); !why.isEmpty()) return why;
    return layoutFault(s);
}

}  // namespace EntryRules
