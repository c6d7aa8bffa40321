#pragma once
#include "invoices/InvoiceRecord.h"
#include "invoices/InvoiceTotals.h"
#include "widgets/ActivatedDialog.h"
#include <array>
#include <map>
#include <optional>

class QAction;
class QCheckBox;
class QDateEdit;
class QFrame;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;
class QToolBar;
class QTreeView;
namespace ListKit { class Model; class HeaderSort; class FindBox; }

// The invoice editor: a new invoice for the hand-over customer, or a stored
// invoice, with eight line rows, its summaries and its payments.
class frmAddInv : public ActivatedDialog {
    Q_OBJECT
public:
    static constexpr int Rows = InvoiceTotals::LineRows;
    template <typename T> using RowArray = std::array<T*, Rows>;

    explicit frmAddInv(QWidget* owner = nullptr);

    // Header
    QLineEdit* Inv_lbl;
    QLabel* Cust_lbl;
    QLineEdit* Customername_lbl;
    QLabel* Label16;            // the customer's phone
    QDateEdit* Date_txt;
    QLineEdit* SalesPerson_txt;
    QLineEdit* SalesOrder_txt;
    QLineEdit* Shipped_txt;
    QLineEdit* TrackingNo_txt;
    QLabel* SalesPerson_lbl;
    QLabel* SalesOrder_lbl;
    QLabel* Shipped_lbl;
    QLabel* TrackingNo_lbl;
    QPlainTextEdit* Notes_txt;
    QCheckBox* Notes_chk;

    // Line rows
    QFrame* Frame3;
    QLabel* Desc_lbl;
    QLabel* toptax;
    RowArray<QLineEdit> PartID_txt;
    RowArray<QLineEdit> Qty_txt;
    RowArray<QLineEdit> Desc_txt;
    RowArray<QLineEdit> Amount_txt;
    RowArray<QLineEdit> tota1l_txt;
    RowArray<QCheckBox> tax;
    RowArray<QCheckBox> Check1;
    RowArray<QFrame> Blank;
    RowArray<QFrame> tax1;

    // Summaries and payments
    QLabel* subtotal_txt;
    QLabel* vat_txt;
    QLabel* vat_lbl;
    QLabel* Discount_txt;
    QLineEdit* Discount2_txt;
    QLabel* total_txt;
    QLabel* taxamount;
    QLineEdit* total_txt2;
    QLineEdit* Paid_txt;
    QLineEdit* Writtenoff_txt;
    QLineEdit* Balance_txt;
    QCheckBox* PaidFull_chk;
    QLabel* Paid_lbl;
    QLabel* StillOwes_lbl;

    QPushButton* Update_cmd;
    QPushButton* exit_cmd;
    QToolBar* Toolbar1;
    // The toolbar's buttons by their index: 2 Add Item, 4 Clear Line,
    // 6 Clear All, 8 Print, 10 Customize.
    QAction* toolbarButton(int index) const;

    // Item picker: opened under a row by its Check1 tick.
    QFrame* part_frame;
    QTreeView* parts_lst;
    QLineEdit* search_txt;
    QPushButton* search_cmd;
    QPushButton* select_cmd;
    ListKit::Model* pickerItems() const { return pickerModel_; }
    ListKit::HeaderSort* pickerSort() const { return pickerSort_; }
    ListKit::FindBox* pickerFind() const { return pickerFind_; }
    // Refills the picker from the item table.
    void Load_list();
    // Fills the picker's row with the selected item; nothing when there is none.
    void chooseItem();

    int CurRow = 0;

    void Calc_Totals();
    void ShowBalanceState();
    void ClearLine();
    void ClearAllLines();
    void Update_cmd_Click();
    void Form_Activate() override;
    // What the editor shows now, as the printed invoice takes it.
    struct InvoiceOnScreen onScreen() const;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

public:
    void done(int result) override;

private:
    void buildHeader(class QGridLayout* grid);
    QWidget* buildLines();
    QWidget* buildSummaries();
    QWidget* balanceLine();
    void buildToolbar();
    void wireBoxes();

    void NewInvoice();
    void OldInvoice();
    void fillRow(int row, const InvoiceLine& line);
    void HideTaxColumns();
    void ClosePartPickers();
    void buildPicker();
    void Check1_Click(int row);
    void ClearRowHighlight();
    void HighlightRow();
    std::array<QWidget*, 9> rowWidgets(int row) const;
    void enterRow(int row, QWidget* box);
    void reformatMoney(QLineEdit* box);
    void PaidFull_chk_Click();
    void Toolbar1_ButtonClick(int index);
    void clearRows(int first, int last);

    bool CheckInvNo();
    bool confirmAndCheck();
    InvoiceRecord collectInvoice() const;
    InvoiceTotals::Entries totalsEntries() const;
    InvoiceTotals::Totals shownTotals() const;
    int rowOf(QObject* box) const;

    std::map<int, QAction*> toolbarButtons_;
    ListKit::Model* pickerModel_ = nullptr;
    ListKit::HeaderSort* pickerSort_ = nullptr;
    ListKit::FindBox* pickerFind_ = nullptr;
    bool savedNow_ = false;     // saved during this opening
    // A stored invoice's amounts as it was opened; none for a new invoice.
    std::optional<InvoiceTotals::StoredAmounts> stored_;
    bool totalsTooLarge_ = false;
};
