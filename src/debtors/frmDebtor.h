#pragma once
#include "widgets/ActivatedDialog.h"
#include <vector>

class QAction;
class QCheckBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;
class QRadioButton;
class QToolBar;
class QTreeView;
namespace ListKit {
class HeaderSort;
class Model;
}

// "Aged Debtors": every unpaid invoice in an age bucket with its customer,
// what is owed per bucket and in all; reminder letters for the ticked rows.
class frmDebtor : public ActivatedDialog {
    Q_OBJECT
public:
    explicit frmDebtor(QWidget* owner = nullptr);
    ~frmDebtor() override;

    // The list's columns, in order.
    enum Column { CustId, Customer, Phone, InvNo, Days30, Days60, Days61, Notes, Reminders };

    QTreeView* debtor_lst;
    QLabel* total30;
    QLabel* total60;
    QLabel* Total61;
    QLabel* TotalG;
    QCheckBox* debtor_chk;
    QPushButton* All_cmd;
    QPushButton* Unselect_all;
    QPushButton* Select7_cmd;   // "30 Days": ticks every row owing in 0-30 days, leaving other ticks
    QPushButton* Select14;      // "30 -60 Days": the same for 31-60 days
    QPushButton* Select30;      // "61+ Days": the same for 61 days and more
    QPushButton* Command1;      // "Exit"
    QToolBar* Toolbar1;

    // The letter set-up, hidden until Letters opens it.
    QGroupBox* Letter_frame;
    QRadioButton* Option1;      // "1st Reminder": prints Reminder1's text
    QRadioButton* Option2;      // "2nd Reminder": Reminder2's
    QRadioButton* Option3;      // "3rd Reminder": Reminder3's
    QPlainTextEdit* Reminder1;
    QPlainTextEdit* Reminder2;
    QPlainTextEdit* Reminder3;
    QLineEdit* Signed1_txt;
    QLineEdit* Signed_txt;
    QPushButton* OK_cmd;
    QPushButton* Cancel_cmd;

    // Rows the last Build_table wrote; whether the letters the last Print_cmd
    // showed were printed in full, every page of one printing to its end.
    int LetterCount = 0;
    bool LettersPrinted = false;

    ListKit::Model* debtors() const { return model_; }
    QLabel* periodCaption() const { return periodCaption_; }
    // Toolbar buttons by position: 1 View, 3 Letters, 5 Help.
    QAction* toolbarButton(int index) const;
    void Toolbar1_ButtonClick(int index);

    void done(int result) override;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    void Form_Load();
    void Form_Activate() override;
    void Load_list();
    void tickWhere(Column column);
    void setAllTicks(bool ticked);
    void View();
    void Letters();
    void Disable_controls();
    void Enable_controls();
    void setControlsEnabled(bool enabled);
    void OK_cmd_Click();
    void Cancel_cmd_Click();
    void Build_table();
    void Print_cmd();
    void Update_reminders();
    QString chosenReminder() const;
    void placeTotals();

    ListKit::Model* model_;
    ListKit::HeaderSort* sort_;
    QWidget* totalsRow_;
    QLabel* periodCaption_;
    QLabel* totalCaption_;
    bool unloaded_ = false;
    // The invoices of the letters the last Build_table wrote: those whose
    // reminders sent are counted.
    std::vector<QString> letterInvoices_;
};
