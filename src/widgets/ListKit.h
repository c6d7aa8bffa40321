#pragma once
#include <QAbstractTableModel>
#include <QIcon>
#include <QObject>
#include <QStringList>
#include <map>
#include <vector>

class QAbstractButton;
class QLabel;
class QLineEdit;
class QTreeView;

// What every list window shares: a report-style list of text rows, sorting
// by a header click, and a find-next search box.
namespace ListKit {

// One row: its cells (the first column, then the further columns, then any
// hidden cells a list sorts by), its key, and its tick where rows have one.
struct Row {
    QStringList cells;
    QString key;
    bool checked = false;
};

class Model : public QAbstractTableModel {
    Q_OBJECT
public:
    explicit Model(const QStringList& headers, QObject* parent = nullptr);

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    int columnCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    bool setData(const QModelIndex& index, const QVariant& value, int role = Qt::EditRole) override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;

    void setRows(std::vector<Row> rows);
    void clear() { setRows({}); }
    int addRow(Row row);                 // appended; its position
    void setRow(int position, Row row);
    void removeRow(int position);
    const Row& row(int position) const { return rows_[size_t(position)]; }
    // The text of one cell; "" past the row's last cell.
    QString text(int position, int cell) const;

    // Rows get a check box in the first column.
    void setCheckable(bool checkable) { checkable_ = checkable; }
    void setAlignment(int column, Qt::Alignment alignment) { alignment_[column] = alignment; }

    // The picture a header shows, by key ("key1", "key2"), "" for none.
    void setHeaderPicture(int column, const QString& key);
    QString headerPicture(int column) const;

    // Orders the rows by the texts of one cell, without regard to case; rows
    // with equal texts keep their order. Returns where the row that stood at
    // `follow` now stands (-1 stays -1).
    int sortRows(int cell, bool descending, int follow = -1);

private:
    QStringList headers_;
    std::vector<Row> rows_;
    std::vector<QString> pictures_;
    std::map<int, Qt::Alignment> alignment_;
    bool checkable_ = false;
};

// The header pictures: "key1" while a column sorts descending, "key2" while
// ascending.
QIcon headerPicture(const QString& key);

// A list's sort state. Every header click flips the current direction,
// whatever column was sorted before; a list starts ascending, so the first
// click sorts descending.
class SortState {
public:
    struct Step {
        int cell;          // the cell the rows are sorted by
        bool descending;
        QString picture;   // for the clicked header
    };
    // A header that sorts by another cell (the hidden sortable date).
    void sortHeaderBy(int header, int cell) { cellOf_[header] = cell; }
    Step click(int header);
    bool descending() const { return descending_; }

private:
    bool descending_ = false;
    std::map<int, int> cellOf_;
};

// One find-next step. `findPos` is the 1-based row where the search starts;
// it ends one past the row visited last. A row matches when the text occurs,
// without regard to case, in a non-empty cell among its first column and
// the next `furtherCells` cells.
struct FindResult {
    int row = -1;          // 0-based; -1 when nothing matched
    bool notFound = false;
};
FindResult findNext(const Model& model, const QString& text, int furtherCells, int& findPos);

// The view settings every list shares: whole rows, one selected at most,
// same-height rows (fast on a hundred thousand rows), no editing.
void setUpView(QTreeView* view, Model* model);
void setColumnWidthsMm(QTreeView* view, const std::vector<double>& millimetres);
int selectedRow(const QTreeView* view);     // -1 when none
void selectRow(QTreeView* view, int row);   // made current and scrolled into view

// Sorts a list on a header click, showing the pictures when asked.
class HeaderSort : public QObject {
    Q_OBJECT
public:
    HeaderSort(QTreeView* view, Model* model, bool withPictures);
    SortState& state() { return state_; }
    void headerClicked(int header);

private:
    QTreeView* view_;
    Model* model_;
    bool withPictures_;
    SortState state_;
};

// A search box: its focus starts a run of searches, Enter or the button
// finds the next row.
class FindBox : public QObject {
    Q_OBJECT
public:
    struct Options {
        int furtherCells = 3;
        QLabel* foundLabel = nullptr;     // shows "Not Found" where the window has one
        bool selectTextOnFocus = false;
    };
    FindBox(const QString& windowName, QTreeView* view, Model* model, QLineEdit* searchBox,
            QAbstractButton* searchButton, Options options);
    void find();
    int findPos() const { return findPos_; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QString windowName_;
    QTreeView* view_;
    Model* model_;
    QLineEdit* searchBox_;
    QAbstractButton* searchButton_;
    Options options_;
    int findPos_ = 0;
};

}  // namespace ListKit
