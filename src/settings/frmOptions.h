#pragma once
#include "settings/CurrencyBoxes.h"
#include "settings/CustomerFieldBoxes.h"
#include "settings/PrefixRows.h"
#include "settings/SettingsDialog.h"
#include <array>

class InvoiceLook;
class QCheckBox;
class QDateEdit;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;
class QRadioButton;
class QStackedWidget;
class QTabBar;

// The Options dialog: every setting of the System row on eight pages under
// a tab strip, with OK, Cancel and Apply.
class frmOptions : public SettingsDialog {
    Q_OBJECT
public:
    explicit frmOptions(QWidget* owner = nullptr);
    ~frmOptions() override;

    QTabBar* tbsOptions;
    QStackedWidget* pages;
    std::array<QGroupBox*, 8> Frame1;
    QPushButton* cmdOK;
    QPushButton* cmdCancel;
    QPushButton* cmdApply;

    // Company
    QLineEdit* Name_txt;
    QPlainTextEdit* Address_txt;
    QLineEdit* Phone_txt;
    QLineEdit* Mobile_txt;
    QLineEdit* email_txt;
    QLineEdit* WebAddress_txt;
    // Currency
    QGroupBox* Frame2;          // "Country"
    QRadioButton* Option1;      // "USA"
    QRadioButton* Option2;      // "UK"
    QRadioButton* Option3;      // "Other"
    QLineEdit* currency_txt;
    QCheckBox* TaxEnabled_chk;
    QLabel* Label14;            // the note under Tax Enabled
    QLineEdit* TaxName_txt;
    QLineEdit* TaxAmount_txt;
    QLineEdit* TaxNumber_txt;
    std::array<QLabel*, 7> taxLabels;   // Tax1_lbl..Tax6_lbl, tax7_lbl
    // Prefixes
    QLineEdit* InvPrefix_txt;
    QLineEdit* InvStart_txt;
    QLabel* InvExample_lbl;
    QCheckBox* Inv_chk;
    QLineEdit* CrdPrefix_txt;
    QLineEdit* CrdStart_txt;
    QLabel* CrdExample_lbl;
    QCheckBox* Crd_chk;
    QLineEdit* PrtPrefix_txt;
    QLineEdit* PrtStart_txt;
    QLabel* PrtExample_lbl;
    QCheckBox* Part_chk;
    QLineEdit* CusPrefix_txt;
    QLineEdit* CusStart_txt;
    QLabel* CusExample_lbl;
    QCheckBox* Cus_chk;
    QPushButton* CheckRanges_cmd;
    // Set Defaults
    QDateEdit* DTPicker1;
    QDateEdit* DTPicker2;
    QCheckBox* Present_chk;
    QCheckBox* DebtorStart;
    QCheckBox* confirmBackup_chk;
    QCheckBox* ConfirmAll_chk;
    // Invoice 1, Invoice 2 and the Invoice Screen frame
    InvoiceLook* look;
    // Reminders
    QPlainTextEdit* Reminder1;
    QPlainTextEdit* Reminder2;
    QPlainTextEdit* Reminder3;
    QPushButton* RestoreReminders_cmd;
    // Customize: Customer Screen
    CustomerFieldBoxes customerFields;

    // The page in view (0..7); it may differ from the selected tab after a
    // numbering refusal.
    int visiblePage() const;

    void tbsOptions_Click();
    void Form_KeyDown(int key, Qt::KeyboardModifiers modifiers);
    void Load_system();
    void Update();
    void Settings();
    void cmdApply_Click();
    void cmdOK_Click();
    void cmdCancel_Click();
    void CheckRanges_cmd_Click();
    void RestoreReminders_cmd_Click();
    void RestoreDefaultReminders();
    // 1 when a start number was refused, else 0.
    int CheckStartNumbers();
    // False, after its message, when a number is refused.
    bool numbersPass();

protected:
    void Form_Activate() override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    struct NumberKind;
    QWidget* companyPage();
    QWidget* currencyPage();
    QWidget* prefixesPage();
    QWidget* defaultsPage();
    QWidget* invoice1Page();
    QWidget* invoice2Page();
    QWidget* remindersPage();
    QWidget* customizePage();
    void showPrefixesPage();
    void Form_Load();
    bool numberInUse(const NumberKind& kind);

    // The shared builders fill the members above and keep their tax and example refresh.
    CurrencyBoxes currency_{Frame2, Option1, Option2, Option3, currency_txt, TaxEnabled_chk, Label14,
                            taxLabels[0], taxLabels[1], taxLabels[2], taxLabels[3], taxLabels[4], taxLabels[5],
                            taxLabels[6], TaxName_txt, TaxAmount_txt, TaxNumber_txt};
    PrefixRows prefixRows_{InvPrefix_txt, InvStart_txt, InvExample_lbl, Inv_chk,
                           CrdPrefix_txt, CrdStart_txt, CrdExample_lbl, Crd_chk,
                           PrtPrefix_txt, PrtStart_txt, PrtExample_lbl, Part_chk,
                           CusPrefix_txt, CusStart_txt, CusExample_lbl, Cus_chk};
};
