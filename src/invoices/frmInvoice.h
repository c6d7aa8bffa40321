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

// "Invoice": every stored invoice, opened from here for editing, added
// through the customer routes, and deleted with its lines.
class frmInvoice : public ActivatedDialog {
    Q_OBJECT
public:
    explicit frmInvoice(QWidget* owner = nullptr);
    ~frmInvoice() override;

    QToolBar* Toolbar1;
    QTreeView* Inv_lst;
    QLineEdit* search_txt;
    QPushButton* search_cmd;
    QLabel* Found_lbl;
    QPushButton* Command1;      // "Exit"

    ListKit::Model* invoices() const { return model_; }
    ListKit::HeaderSort* headerSort() const { return sort_; }
    ListKit::FindBox* findBox() const { return find_; }
    // The button at a toolbar position (2 Add, 4 Delete, 6 Edit, 8 Help).
    QAction* toolbarButton(int position) const;

    // Handlers, also driven by the tests.
    void Load_list();
    void Inv_lst_DblClick();
    void Toolbar1_ButtonClick(int position);

protected:

private:
    void Form_Activate() override;
    void addInvoice();
    void deleteSelected();
    void NewInvoice(const QString& invNo);
    void Changed_Inv();
    bool Delete_item();

    ListKit::Model* model_;
    ListKit::HeaderSort* sort_;
    ListKit::FindBox* find_;
    std::map<int, QAction*> buttons_;
    std::unique_ptr<ListKit::RowBuilder> builder_;
    QString InvToDelete;
};
