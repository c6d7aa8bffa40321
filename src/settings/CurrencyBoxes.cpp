#include "settings/CurrencyBoxes.h"
#include "widgets/BoxRules.h"
#include "settings/EntryRules.h"
#include "widgets/WidgetHelpers.h"
#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QRadioButton>
#include <utility>

void CurrencyBoxes::build(QGridLayout* grid, int firstRow) {
    Frame2 = named(new QGroupBox("Country"), "Frame2");
    Option1 = named(new QRadioButton("USA"), "Option1");
    Option2 = named(new QRadioButton("UK"), "Option2");
    Option3 = named(new QRadioButton("Other"), "Option3");
    auto* countries = new QHBoxLayout(Frame2);
    const std::pair<QRadioButton*, EntryRules::Country> presets[] = {
        {Option1, EntryRules::Country::USA}, {Option2, EntryRules::Country::UK}, {Option3, EntryRules::Country::Other}};
    for (const auto& [option, country] : presets) {
        countries->addWidget(option);
        QObject::connect(option, &QRadioButton::toggled, option, [this, country](bool on) {
            if (!on) return;
            const EntryRules::CountryPreset values = EntryRules::countryPreset(country);
            currency_txt->setText(values.currency);
            TaxName_txt->setText(values.taxName);
            TaxAmount_txt->setText(values.taxAmount);
        });
    }
    countries->addStretch(1);

    currency_txt = lineBox("currency_txt", 1, "$");
    TaxEnabled_chk = named(new QCheckBox("Tax Enabled:"), "TaxEnabled_chk");
    TaxEnabled_chk->setLayoutDirection(Qt::RightToLeft);
    Label14 = note("Tick this option if your company charges tax.", "Label14");
    Tax1_lbl = named(new QLabel("Tax Name:"), "Tax1_lbl");
    TaxName_txt = lineBox("TaxName_txt", EntryRules::TaxNameLength, "Tax");
    Tax2_lbl = note("Enter Tax Name (i.e VAT for UK)", "Tax2_lbl");
    Tax4_lbl = named(new QLabel("Tax Percent:"), "Tax4_lbl");
    TaxAmount_txt = lineBox("TaxAmount_txt", EntryRules::TaxPercentLength);
    tax7_lbl = named(new QLabel("%"), "tax7_lbl");
    Tax3_lbl = note("This percentage will be added to the subtotal amount", "Tax3_lbl");
    Tax5_lbl = named(new QLabel("Tax Number:"), "Tax5_lbl");
    TaxNumber_txt = lineBox("TaxNumber_txt", EntryRules::TaxNumberLength);
    Tax6_lbl = note("Tax number will be displayed below your business address", "Tax6_lbl");
    BoxRules::percentage(TaxAmount_txt);
    for (QLineEdit* box : {currency_txt, TaxName_txt, TaxAmount_txt, TaxNumber_txt}) BoxRules::selectOnFocus(box);
    Option1->setChecked(true);
    QObject::connect(TaxEnabled_chk, &QCheckBox::toggled, TaxEnabled_chk,
                     [this](bool on) { on ? ShowTaxFields() : HideTaxFields(); });

    const int r = firstRow;
    grid->addWidget(Frame2, r, 0, 1, 4);
    grid->addWidget(new QLabel("Currency:"), r + 1, 0);
    grid->addWidget(currency_txt, r + 1, 1);
    grid->addWidget(TaxEnabled_chk, r + 2, 0);
    grid->addWidget(Label14, r + 2, 1, 1, 3);
    grid->addWidget(Tax1_lbl, r + 3, 0);
    grid->addWidget(TaxName_txt, r + 3, 1);
    grid->addWidget(Tax2_lbl, r + 3, 3);
    grid->addWidget(Tax4_lbl, r + 4, 0);
    grid->addWidget(TaxAmount_txt, r + 4, 1);
    grid->addWidget(tax7_lbl, r + 4, 2);
    grid->addWidget(Tax3_lbl, r + 4, 3);
    grid->addWidget(Tax5_lbl, r + 5, 0);
    grid->addWidget(TaxNumber_txt, r + 5, 1);
    grid->addWidget(Tax6_lbl, r + 5, 3);
    grid->setColumnStretch(3, 1);
    grid->setRowStretch(r + 6, 1);
    HideTaxFields();
}

void CurrencyBoxes::setTaxFieldsVisible(bool visible) {
    for (QWidget* field : std::initializer_list<QWidget*>{Tax1_lbl, Tax2_lbl, Tax3_lbl, Tax4_lbl, Tax5_lbl, Tax6_lbl,
                                                          tax7_lbl, TaxName_txt, TaxAmount_txt, TaxNumber_txt})
        field->setVisible(visible);
}

void CurrencyBoxes::ShowTaxFields() { setTaxFieldsVisible(true); }
void CurrencyBoxes::HideTaxFields() { setTaxFieldsVisible(false); }
