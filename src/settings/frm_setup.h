#pragma once
#include "platform/Recordset.h"
#include "settings/CurrencyBoxes.h"
#include "settings/PrefixRows.h"
#include "widgets/ActivatedDialog.h"
#include <array>

class QCheckBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;
class QRadioButton;
class QStackedWidget;

// The first-run wizard: three pages of business details, currency and tax,
// and document numbering. Finish writes the settings row and the settings
// values and makes the database ready; Cancel leaves it not ready.
class frm_setup : public ActivatedDialog {
    Q_OBJECT
public:
    explicit frm_setup(QWidget* parent = nullptr);

    void Next_cmd_Click();
    void Back_cmd_Click();
    void Finish_cmd_Click();
    void Cancel_cmd_Click();

    int SetupPage = 0;
    std::array<QGroupBox*, 3> Frame1{};
    QPushButton* Cancel_cmd = nullptr;
    QPushButton* Back_cmd = nullptr;
    QPushButton* Next_cmd = nullptr;
    QPushButton* Finish_cmd = nullptr;

    // Business name and address
    QLabel* Company_lbl = nullptr;
    QLineEdit* Name_txt = nullptr;
    QPlainTextEdit* Address_txt = nullptr;
    QLineEdit* Phone_txt = nullptr;
    QLineEdit* Mobile_txt = nullptr;
    QLineEdit* email_txt = nullptr;
    QLineEdit* WebAddress_txt = nullptr;

    // Currency and tax
    QLabel* Label7 = nullptr;
    QGroupBox* Frame2 = nullptr;
    QRadioButton* Option1 = nullptr;
    QRadioButton* Option2 = nullptr;
    QRadioButton* Option3 = nullptr;
    QLineEdit* currency_txt = nullptr;
    QCheckBox* TaxEnabled_chk = nullptr;
    QLabel* Label14 = nullptr;
    QLabel* Tax1_lbl = nullptr;
    QLabel* Tax2_lbl = nullptr;
    QLabel* Tax3_lbl = nullptr;
    QLabel* Tax4_lbl = nullptr;
    QLabel* Tax5_lbl = nullptr;
    QLabel* Tax6_lbl = nullptr;
    QLabel* tax7_lbl = nullptr;
    QLineEdit* TaxName_txt = nullptr;
    QLineEdit* TaxAmount_txt = nullptr;
    QLineEdit* TaxNumber_txt = nullptr;

    // Prefixes
    QLabel* Label11 = nullptr;
    QLineEdit* InvPrefix_txt = nullptr;
    QLineEdit* InvStart_txt = nullptr;
    QLabel* InvExample_lbl = nullptr;
    QCheckBox* Inv_chk = nullptr;
    QLineEdit* PrtPrefix_txt = nullptr;
    QLineEdit* PrtStart_txt = nullptr;
    QLabel* PrtExample_lbl = nullptr;
    QCheckBox* Part_chk = nullptr;
    QLineEdit* CusPrefix_txt = nullptr;
    QLineEdit* CusStart_txt = nullptr;
    QLabel* CusExample_lbl = nullptr;
    QCheckBox* Cus_chk = nullptr;
    QLineEdit* CrdPrefix_txt = nullptr;
    QLineEdit* CrdStart_txt = nullptr;
    QLabel* CrdExample_lbl = nullptr;
    QCheckBox* Crd_chk = nullptr;

protected:
    // The activation step: a fresh record set on the settings table each showing.
    void Form_Activate() override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    QGroupBox* buildCompanyPage();
    QGroupBox* buildCurrencyPage();
    QGroupBox* buildPrefixesPage();
    QLabel* heading(const QString& text);
    void showSetupPage();
    void Update();
    void Settings();

    // The shared builders fill the members above and keep their tax and example refresh.
    CurrencyBoxes currency_{Frame2, Option1, Option2, Option3, currency_txt, TaxEnabled_chk, Label14,
                            Tax1_lbl, Tax2_lbl, Tax3_lbl, Tax4_lbl, Tax5_lbl, Tax6_lbl, tax7_lbl,
                            TaxName_txt, TaxAmount_txt, TaxNumber_txt};
    PrefixRows prefixRows_{InvPrefix_txt, InvStart_txt, InvExample_lbl, Inv_chk,
                           CrdPrefix_txt, CrdStart_txt, CrdExample_lbl, Crd_chk,
                           PrtPrefix_txt, PrtStart_txt, PrtExample_lbl, Part_chk,
                           CusPrefix_txt, CusStart_txt, CusExample_lbl, Cus_chk};
    QStackedWidget* pages_ = nullptr;
    Recordset SystemRs;
};
