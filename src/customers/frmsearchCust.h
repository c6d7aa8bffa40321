#pragma once
#include "widgets/ActivatedDialog.h"

class QLineEdit;
class QPushButton;
class QTreeView;
namespace ListKit { class Model; class HeaderSort; class FindBox; }

// "Search for a Customer": the first step of a new invoice for a customer
// on file. Picking one opens the invoice editor for it; the window closes
// when the editor does.
class frmsearchCust : public ActivatedDialog {
    Q_OBJECT
public:
    explicit frmsearchCust(QWidget* owner = nullptr);

    QTreeView* cust_lst;
    QLineEdit* search_txt;
    QPushButton* search_cmd;
    QPushButton* Select_cmd;
    QPushButton* Cancel_cmd;

    ListKit::Model* customers() const { return model_; }
    ListKit::HeaderSort* headerSort() const { return sort_; }
    ListKit::FindBox* findBox() const { return find_; }

    void Load_list();
    void Select_cmd_Click();

private:
    void Form_Activate() override;

    ListKit::Model* model_;
    ListKit::HeaderSort* sort_;
    ListKit::FindBox* find_;
};
