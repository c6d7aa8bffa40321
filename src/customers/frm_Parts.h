#pragma once
#include "widgets/ActivatedDialog.h"
#include <map>

class QAction;
class QLabel;
class QLineEdit;
class QPushButton;
class QToolBar;
class QTreeView;
namespace ListKit { class Model; class HeaderSort; class FindBox; }

// "Items": every item, added, changed and deleted from here. After the item
// editor closes, the one row concerned is added or rewritten in place.
class frm_Parts : public ActivatedDialog {
    Q_OBJECT
public:
    explicit frm_Parts(QWidget* owner = nullptr);

    QToolBar* Toolbar1;
    QTreeView* Parts_lst;
    QLineEdit* search_txt;
    QPushButton* search_cmd;
    QLabel* Found_lbl;
    QPushButton* exit_cmd;

    // The toolbar's buttons by position: 2 Add, 4 Delete, 6 Edit, 8 Help
    // (1, 3, 5, 7 and 9 are separators).
    QAction* toolbarButton(int position) const;
    ListKit::Model* items() const { return model_; }
    ListKit::HeaderSort* headerSort() const { return sort_; }
    ListKit::FindBox* findBox() const { return find_; }

    void Load_list();
    void Toolbar1_ButtonClick(int position);

private:
    void Form_Activate() override;
    void EditItem();
    void Delete_item();
    void ChangedItem();
    void NewItem();

    ListKit::Model* model_;
    ListKit::HeaderSort* sort_;
    ListKit::FindBox* find_;
    std::map<int, QAction*> buttons_;
};
