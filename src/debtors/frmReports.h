#pragma once
#include <QDialog>

class QDateEdit;
class QLabel;
class QListWidget;
class QPushButton;

// "Reports": the user picks one of the six reports and a date range, and
// Select shows it as a print preview.
class frmReports : public QDialog {
    Q_OBJECT
public:
    explicit frmReports(QWidget* owner = nullptr);

    QListWidget* list1;         // the six reports
    QLabel* From_lbl;
    QDateEdit* DTPicker1;
    QLabel* To_lbl;
    QDateEdit* DTPicker2;
    QPushButton* Select_cmd;
    QPushButton* exit_cmd;

    void Select_cmd_Click();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void Form_Load();
};
