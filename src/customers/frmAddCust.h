#pragma once
#include "platform/MoneySum.h"
#include "widgets/ActivatedDialog.h"
#include <QString>

class QDateEdit;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;
class QTreeView;
namespace ListKit { class Model; }
struct CustomerRecord;

// "Customer": one customer created or changed, with the customer's invoice
// history below. The caller sets CustNewMode (and, to open one, the
// SelectedCustID hand-over value) and reads CustSaved and SavedCustID after.
class frmAddCust : public ActivatedDialog {
    Q_OBJECT
public:
    explicit frmAddCust(QWidget* owner = nullptr);

    // The required-field check: 1 (after a beep, the focus on the field)
    // when a required field is missing, else 0.
    int check_feilds();

    // Customer fields, in tab order.
    QLineEdit* custid_lbl;
    QDateEdit* DTPicker1;
    QLineEdit* FirstName_txt;
    QLineEdit* Lastname_txt;
    QLineEdit* Phone_txt;
    QLineEdit* Mobile_txt;
    QLineEdit* Fax_txt;
    QLineEdit* email_txt;
    QLineEdit* address1;
    QLineEdit* address2;
    QLineEdit* address3;
    QLineEdit* address4;
    QLineEdit* postcode_txt;
    QLineEdit* delAddress1;
    QLineEdit* delAddress2;
    QLineEdit* delAddress3;
    QLineEdit* delAddress4;
    QLineEdit* delpostcode;
    QPlainTextEdit* Notes_txt;
    QPushButton* Save_cmd;
    QPushButton* exit_cmd;
    QPushButton* copy_cmd;
    QPushButton* customize_cmd;
    QLabel* phone_lbl;
    QLabel* mobile_lbl;
    QLabel* Fax_lbl;
    QLabel* email_lbl;
    QLabel* delivery1_lbl;
    QLabel* delivery2;
    QLabel* delivery3;
    QLabel* delivery4;
    QLabel* delivery5;
    QLabel* Label5;             // "County", beside the fourth delivery line
    QLabel* help_lbl;
    QGroupBox* cust_frame;

    // Invoice history.
    QGroupBox* inv_frame;
    QTreeView* Inv_lst;
    QPushButton* Add_cmd;
    QPushButton* Edit_cmd;
    QPushButton* Delete_cmd;
    QLabel* Total_lbl;
    ListKit::Model* invoices() const { return invoiceModel_; }

    bool isDirty() const { return IsDirty; }

    // Handlers, also driven by the tests.
    void Save_cmd_Click();
    void exit_cmd_Click();
    void copy_cmd_Click();
    void customize_cmd_Click();
    void Add_cmd_Click();
    void Edit_cmd_Click();
    void Delete_cmd_Click();
    // 1 when the number in the box is refused (after its message), else 0.
    int CheckCustNo();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void done(int result) override;

private:
    void buildWindow();
    void watchBoxes();
    void Form_Activate() override;
    void Newdetails();
    void Load_customer();
    void LoadSetup();
    bool saveCustomer();
    void showCustomer(const CustomerRecord& customer);
    CustomerRecord customerOnScreen(const QString& number) const;
    void advanceStartNumber();
    void custid_lbl_LostFocus();

    // History.
    void Load_invoices();
    void NewInvoice();
    void Changed_Inv();
    void Delete_item();
    void historyRowsChanged();
    MoneySum totalShown() const;
    void showTotal(const MoneySum& total);

    bool IsDirty = false;
    bool closing_ = false;
    QString InvToDelete;
    ListKit::Model* invoiceModel_;
};
