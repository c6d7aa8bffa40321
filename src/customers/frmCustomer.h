#pragma once
#include "widgets/ActivatedDialog.h"
#include <map>
#include <memory>

class QAction;
class QLabel;
class QLineEdit;
class QPushButton;
class QToolBar;
class QTreeView;
namespace ListKit { class Model; class HeaderSort; class FindBox; class RowBuilder; }

// "Customers": every customer on file, where customers are added, opened
// in the customer editor and deleted. After the editor saved, only the
// affected row changes.
class frmCustomer : public ActivatedDialog {
    Q_OBJECT
public:
    explicit frmCustomer(QWidget* owner = nullptr);
    ~frmCustomer() override;

    QToolBar* Toolbar1;
    QTreeView* cust_lst;
    QLineEdit* search_txt;
    QPushButton* search_cmd;
    QLabel* Found_lbl;
    QPushButton* exit_cmd;

    ListKit::Model* customers() const { return model_; }
    ListKit::HeaderSort* headerSort() const { return sort_; }
    ListKit::FindBox* findBox() const { return find_; }
    // The button at a toolbar position (2 Add, 4 Delete, 6 View, 8 Help).
    QAction* toolbarButton(int position) const;

    // Handlers, also driven by the tests.
    void Load_list();
    void cust_lst_DblClick();
    void Toolbar1_ButtonClick(int position);
    void exit_cmd_Click();

protected:

private:
    void Form_Activate() override;
    void NewCustomer();
    void ChangedCust();
    void Delete_item();

    ListKit::Model* model_;
    ListKit::HeaderSort* sort_;
    ListKit::FindBox* find_;
    std::map<int, QAction*> buttons_;
    std::unique_ptr<ListKit::RowBuilder> builder_;
};
