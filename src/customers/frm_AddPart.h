#pragma once
#include "widgets/ActivatedDialog.h"

class QCheckBox;
class QFrame;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;

// "Add Item": one item created or changed. The caller sets ItemNewMode (and
// EditItemID to change one) and reads ItemSaved and SavedItemID after.
class frm_AddPart : public ActivatedDialog {
    Q_OBJECT
public:
    explicit frm_AddPart(QWidget* owner = nullptr);

    QFrame* Frame1;
    QLineEdit* Part_lbl;
    QLineEdit* Short_txt;
    QCheckBox* tax_chk;
    QPlainTextEdit* long_txt;
    QLabel* count_lbl;
    QLineEdit* Price_txt;
    QPushButton* Update_cmd;
    QPushButton* exit_cmd;

    // 1 (after a beep, the focus on it) when a required box is blank, else 0.
    int check_fields();
    void Update_cmd_Click();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void done(int result) override;

private:
    void Form_Activate() override;
    void Newdetails();
    void LoadPart();
    // 1 when a new item's number is already in use (after the message), else 0.
    int CheckItemNo();
    void Price_txt_LostFocus();
    void showCharactersLeft();

    bool newMode_ = false;
    bool savedNow_ = false;
};
