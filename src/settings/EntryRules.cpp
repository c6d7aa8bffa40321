#include "settings/EntryRules.h"
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

}  // namespace EntryRules
