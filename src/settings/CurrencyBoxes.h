#pragma once

class QCheckBox;
class QGridLayout;
class QGroupBox;
class QLabel;
class QLineEdit;
class QRadioButton;

// The currency and tax controls with their country presets, built alike in
// the first-run wizard and the Options dialog into the window's own members.
// The tax fields show only while Tax Enabled is ticked.
struct CurrencyBoxes {
    QGroupBox*& Frame2;
    QRadioButton*& Option1;
    QRadioButton*& Option2;
    QRadioButton*& Option3;
    QLineEdit*& currency_txt;
    QCheckBox*& TaxEnabled_chk;
    QLabel*& Label14;
    QLabel*& Tax1_lbl;
    QLabel*& Tax2_lbl;
    QLabel*& Tax3_lbl;
    QLabel*& Tax4_lbl;
    QLabel*& Tax5_lbl;
    QLabel*& Tax6_lbl;
    QLabel*& tax7_lbl;
    QLineEdit*& TaxName_txt;
    QLineEdit*& TaxAmount_txt;
    QLineEdit*& TaxNumber_txt;

    // Lays the controls into grid from firstRow down, four columns wide;
    // the tax fields start hidden.
    void build(QGridLayout* grid, int firstRow);
    void ShowTaxFields();
    void HideTaxFields();

private:
    void setTaxFieldsVisible(bool visible);
};
