#pragma once
#include "settings/SettingsDialog.h"

class InvoiceLook;
class QGroupBox;
class QPushButton;
class QStackedWidget;

// The invoice appearance dialog the invoice editor opens: optional header
// fields, layout and logo on the first page, the printed invoice's include
// boxes and texts on the second.
class frmInvoiceSet : public SettingsDialog {
    Q_OBJECT
public:
    explicit frmInvoiceSet(QWidget* owner = nullptr);

    InvoiceLook* look;
    QStackedWidget* pages;
    QGroupBox* InvoiceFrame;
    QPushButton* customize_cmd;
    QPushButton* Back_cmd;
    QPushButton* ok_cmd;
    QPushButton* cancel_cmd;

    void Load_system();
    void Update();
    void Settings();
    void customize_cmd_Click();
    void Back_cmd_Click();
    void Ok_cmd_Click();

protected:
    void Form_Activate() override;
};
