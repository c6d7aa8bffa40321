#pragma once
#include "settings/CustomerFieldBoxes.h"
#include "settings/SettingsDialog.h"

class QPushButton;

// Chooses which optional fields the customer editor shows.
class frmCustomerSet : public SettingsDialog {
    Q_OBJECT
public:
    explicit frmCustomerSet(QWidget* owner = nullptr);

    CustomerFieldBoxes boxes;
    QPushButton* Ok_cmd;
    QPushButton* Cancel_cmd;

    void Load_system();
    void Settings();
    void Update();
    void Ok_cmd_Click();

protected:
    void Form_Activate() override;
    void keyPressEvent(QKeyEvent* event) override;
};
