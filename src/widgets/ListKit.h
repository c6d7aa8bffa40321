#pragma once
#include "platform/Currency.h"
#include <QAbstractTableModel>
#include <QDate>
#include <QIcon>
#include <QObject>
#include <QStringList>
#include <limits>
#include <functional>
#include <map>
#include <string_view>
#include <vector>

class QAbstractButton;
class QAction;
class QLabel;
class QToolBar;
class QLineEdit;
class QPushButton;
class QTreeView;

// What every list window shares: a report-style list of text rows, sorting
// by a header click, and a find-next search box.
namespace ListKit {

// What a list sorts a column by in place of its text: a date, an amount or
// a number, compared as such. A row without one sorts before every other.
class SortKey {
public:
    constexpr SortKey() = default;
    static SortKey date(const QDate& date);      // no date: first
    static SortKey amount(const ::Currency& amount);
    static SortKey number(qint64 number);
    auto operator<=>(const SortKey&) const = default;

private:
    explicit constexpr SortKey(qint64 value) : value_(value) {}
    qint64 value_ = std::numeric_limits<qint64>::min();
};

// One row as a window builds it: the cells it shows (the first column, then
// the further columns), its key, its tick where rows have one, and the
// hidden sort keys of the model, in order.
struct Row {
    QStringList cells{};
    QString key{};
    bool checked = false;
    std::vector<SortKey> sortKeys{};
};

// One row built in place, cell by cell, without a QString per cell: the
// way long lists are filled. Kept and reused from row to row.
class RowBuilder {
public:
    RowBuilder& reset();                         // no cells, no key, no sort keys
    RowBuilder& cell();                          // starts the next cell
    RowBuilder& add(QStringView text);           // to the cell being built
    RowBuilder& add(const char16_t* text, int length) { return add(QStringView(text, length)); }
    RowBuilder& addUtf8(std::string_view text);
    RowBuilder& sortKey(SortKey key);
    RowBuilder& key(QStringView key);
    RowBuilder& checked(bool checked);

    int cellCount() const { return int(ends_.size()); }
    QStringView cellText(int cell) const;
    QStringView keyText() const { return key_; }
    const std::vector<SortKey>& sortKeys() const { return sortKeys_; }
    bool isChecked() const { return checked_; }
    Row row() const;

private:
    std::vector<char16_t> chars_;
    std::vector<size_t> ends_;
    QString key_;
    std::vector<SortKey> sortKeys_;
    bool checked_ = false;
};

// The rows of a list. Their texts are packed one after another into a few
// large blocks and their sort keys kept beside them, so that a list of
// several hundred thousand rows stays small and sorts fast.
//
// "Cells" are numbered from 0: the shown columns first, then the hidden
// sort keys (cell columnCount() + k is sort key k).
class Model : public QAbstractTableModel {
    Q_OBJECT
public:
    explicit Model(const QStringList& headers, QObject* parent = nullptr);
    Model(const QStringList& headers, int hiddenSortKeys, QObject* parent = nullptr);

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    int columnCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    bool setData(const QModelIndex& index, const QVariant& value, int role = Qt::EditRole) override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;

    // While the list is sorted (by sortRows), rows set or added take their
    // sorted place; a row set by setRow stays where it is until the next sort.
    void setRows(const std::vector<Row>& rows);
    void clear() { setRows({}); }
    int addRow(const Row& row);          // its position
    int addRow(const RowBuilder& row);
    void setRow(int position, const Row& row);
    void setRow(int position, const RowBuilder& row);
    void removeRow(int position);

    // Fills the list anew one row at a time, so that a long list is never
    // held twice over; views see the new rows when the refill ends.
    class Refill {
    public:
        explicit Refill(Model& model);
        ~Refill();
        Refill(const Refill&) = delete;
        Refill& operator=(const Refill&) = delete;
        void add(const Row& row);
        void add(const RowBuilder& row);
    private:
        Model& model_;
    };

    Row row(int position) const;
    // The text of one shown cell.
    QString text(int position, int cell) const { return cellText(position, cell).toString(); }
    // The same without a copy: valid until the rows change.
    QStringView cellText(int position, int cell) const;
    QString key(int position) const;
    // The cell of hidden sort key k, for a header that sorts by it.
    int sortKeyCell(int k) const { return columnCount() + k; }

    // Rows get a check box in the first column.
    void setCheckable(bool checkable) { checkable_ = checkable; }
    bool checked(int position) const { return checked_[slotAt(position)] != 0; }
    void setChecked(int position, bool checked);
    void setAlignment(int column, Qt::Alignment alignment) { alignment_[column] = alignment; }

    // The picture a header shows, by key ("key1", "key2"), "" for none.
    void setHeaderPicture(int column, const QString& key);
    QString headerPicture(int column) const;

    // Orders the rows by one cell: texts without regard to case, sort keys
    // as their values; rows that compare equal keep their order. Returns
    // where the row that stood at `follow` now stands (-1 stays -1).
    int sortRows(int cell, bool descending, int follow = -1);

private:
    struct SortOrder {
        int cell = -1;                   // -1: not sorted
        bool descending = false;
    };
    // Where a row's texts are: for each shown cell, then the row key, its
    // length and then its characters.
    struct Place {
        quint32 block;
        quint32 offset;
    };
    size_t slotAt(int position) const { return order_[size_t(position)]; }
    QStringView slotText(size_t slot, int cell) const;
    SortKey slotKey(size_t slot, int k) const { return keys_[slot * size_t(sortKeyCount_) + size_t(k)]; }
    void clearRows();
    size_t storeRow(const Row& row);     // its slot
    size_t storeRow(const RowBuilder& row);
    size_t storeCells(const QStringView* cells, int count, QStringView key, const SortKey* keys, size_t keyCount,
                      bool checked);
    int insertSlot(size_t slot);
    void replaceSlot(int position, size_t slot);
    std::vector<char16_t>& blockWithRoom(size_t units);
    void releaseSlot(size_t slot);
    void compactIfWasteful();
    void sortOrder(std::vector<quint32>& order) const;
    size_t sortedPlace(size_t slot) const;

    QStringList headers_;
    int sortKeyCount_ = 0;
    // Texts are packed into blocks small enough to come from freed heap;
    // a block never grows past the room it was made with, so views into it
    // stay valid. Per row slot: its place, its sort keys, its tick;
    // order_ maps display positions to slots.
    std::vector<std::vector<char16_t>> blocks_;
    std::vector<Place> places_;
    std::vector<SortKey> keys_;
    std::vector<char> checked_;
    std::vector<quint32> order_;
    size_t units_ = 0;                   // units in the blocks, used or not
    size_t wasted_ = 0;                  // units no row uses any more
    SortOrder sorted_;
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
    // A header that sorts by another cell (a date by its hidden sort key).
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
void setColumnWidthsTwips(QTreeView* view, const std::vector<int>& twips);
// The width a cell of the list needs to show the text whole, as the list
// paints its cells.
int cellWidth(const QTreeView* view, const QString& text);
// Widens each column, where it is narrower, so that its widest text shows
// whole. The room comes from the givers, in order, each keeping at least
// the width given with it, so that the columns keep their total width;
// what they cannot give is added to it (widenToColumns makes room for it).
struct WidestText {
    int column;
    QString text;
};
struct Giver {
    int column;
    int keepsAtLeast;      // pixels
};
void fitColumns(QTreeView* view, const std::vector<WidestText>& columns, const std::vector<Giver>& givers = {});
// The list is at least as wide as its columns, with room for its scroll
// bar, so that every column is in view however many rows it holds.
void widenToColumns(QTreeView* view);
int selectedRow(const QTreeView* view);     // -1 when none
void selectRow(QTreeView* view, int row);   // made current and scrolled into view
// Removes the row of the list; the row that takes its place, or for the
// last row the one before it, is selected. False when no row is left.
bool removeRowAndSelectNext(QTreeView* view, Model* model, int row);

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

// The search button of a list window, `search_cmd`: a picture button
// with "Find" as its tooltip and accessible name. Enter presses it only
// while the search box has the focus (the FindBox sees to that).
QPushButton* searchButton();

// A list window laid out as designed, 12180 by 7050 twips (the item list
// and the invoice list): the toolbar across the top, the list under it,
// and at the foot the search row with the exit button at its right.
struct ListWindowParts {
    QToolBar* toolbar;
    QTreeView* list;
    QLabel* searchLabel;
    QLineEdit* searchBox;
    QPushButton* searchButton;
    QLabel* foundLabel;
    QPushButton* exit;
};
void arrangeListWindow(QWidget* window, const ListWindowParts& parts);

// Toolbar buttons addressed by their position (from 1): the given
// positions carry buttons with their picture and caption below it, every
// other position up to one past the last button is a separator. A click
// calls `clicked` with the button's position.
struct ToolbarButton {
    int position;
    QString caption;
    int picture;           // a QStyle::StandardPixmap
};
std::map<int, QAction*> addToolbarButtons(QToolBar* toolbar, const std::vector<ToolbarButton>& buttons,
                                          const std::function<void(int)>& clicked);

// Opening the selected row: a double-click anywhere in the list (on a row it
// selects that row first; below the rows it opens the one selected), and,
// where asked, Enter in the list, or any typed printable character as well.
class RowOpener : public QObject {
    Q_OBJECT
public:
    RowOpener(QTreeView* view, std::function<void()> open, bool onEnter, bool onCharacter = false);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QTreeView* view_;
    std::function<void()> open_;
    bool onEnter_;
    bool onCharacter_;
};

}  // namespace ListKit
