#include "widgets/ListKit.h"
#include "widgets/BoxRules.h"
#include "common/ErrorReport.h"
#include <QAbstractButton>
#include <QEvent>
#include <QKeyEvent>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPixmap>
#include <QPushButton>
#include <QTreeView>
#include <algorithm>
#include <numeric>

namespace ListKit {

Model::Model(const QStringList& headers, QObject* parent)
    : QAbstractTableModel(parent), headers_(headers), pictures_(size_t(headers.size())) {}

int Model::rowCount(const QModelIndex& parent) const { return parent.isValid() ? 0 : int(rows_.size()); }
int Model::columnCount(const QModelIndex& parent) const { return parent.isValid() ? 0 : int(headers_.size()); }

QVariant Model::data(const QModelIndex& index, int role) const {
    if (!index.isValid()) return {};
    switch (role) {
    case Qt::DisplayRole: return text(index.row(), index.column());
    case Qt::TextAlignmentRole: {
        const auto it = alignment_.find(index.column());
        return it == alignment_.end() ? QVariant() : QVariant(int(it->second | Qt::AlignVCenter));
    }
    case Qt::CheckStateRole:
        if (checkable_ && index.column() == 0) return row(index.row()).checked ? Qt::Checked : Qt::Unchecked;
        return {};
    default: return {};
    }
}

bool Model::setData(const QModelIndex& index, const QVariant& value, int role) {
    if (!checkable_ || role != Qt::CheckStateRole || !index.isValid() || index.column() != 0) return false;
    rows_[size_t(index.row())].checked = value.toInt() == Qt::Checked;
    emit dataChanged(index, index, {Qt::CheckStateRole});
    return true;
}

Qt::ItemFlags Model::flags(const QModelIndex& index) const {
    if (!index.isValid()) return Qt::NoItemFlags;
    Qt::ItemFlags f = Qt::ItemIsEnabled | Qt::ItemIsSelectable;
    if (checkable_ && index.column() == 0) f |= Qt::ItemIsUserCheckable;
    return f;
}

QVariant Model::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation != Qt::Horizontal || section < 0 || section >= headers_.size()) return {};
    if (role == Qt::DisplayRole) return headers_[section];
    if (role == Qt::DecorationRole && !pictures_[size_t(section)].isEmpty())
        return ListKit::headerPicture(pictures_[size_t(section)]);
    return {};
}

void Model::setRows(std::vector<Row> rows) {
    beginResetModel();
    rows_ = std::move(rows);
    endResetModel();
}

int Model::addRow(Row row) {
    const int position = int(rows_.size());
    beginInsertRows(QModelIndex(), position, position);
    rows_.push_back(std::move(row));
    endInsertRows();
    return position;
}

void Model::setRow(int position, Row row) {
    rows_[size_t(position)] = std::move(row);
    emit dataChanged(index(position, 0), index(position, columnCount() - 1));
}

void Model::removeRow(int position) {
    beginRemoveRows(QModelIndex(), position, position);
    rows_.erase(rows_.begin() + position);
    endRemoveRows();
}

QString Model::text(int position, int cell) const {
    const QStringList& cells = row(position).cells;
    return cell < cells.size() ? cells[cell] : QString();
}

void Model::setHeaderPicture(int column, const QString& key) {
    if (pictures_[size_t(column)] == key) return;
    pictures_[size_t(column)] = key;
    emit headerDataChanged(Qt::Horizontal, column, column);
}

QString Model::headerPicture(int column) const { return pictures_[size_t(column)]; }

int Model::sortRows(int cell, bool descending, int follow) {
    std::vector<int> order(rows_.size());
    std::iota(order.begin(), order.end(), 0);
    std::vector<QString> keys(rows_.size());
    for (size_t i = 0; i < rows_.size(); ++i) keys[i] = text(int(i), cell);
    std::stable_sort(order.begin(), order.end(), [&](int a, int b) {
        const int c = QString::compare(keys[size_t(a)], keys[size_t(b)], Qt::CaseInsensitive);
        return descending ? c > 0 : c < 0;
    });
    beginResetModel();
    std::vector<Row> sorted;
    sorted.reserve(rows_.size());
    int followed = -1;
    for (size_t i = 0; i < order.size(); ++i) {
        if (order[i] == follow) followed = int(i);
        sorted.push_back(std::move(rows_[size_t(order[i])]));
    }
    rows_ = std::move(sorted);
    endResetModel();
    return followed;
}

QIcon headerPicture(const QString& key) {
    static std::map<QString, QIcon> drawn;
    const auto it = drawn.find(key);
    if (it != drawn.end()) return it->second;
    QPixmap picture(12, 12);
    picture.fill(Qt::transparent);
    QPainter painter(&picture);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor(64, 64, 64));
    const QPolygonF down{{2, 3}, {10, 3}, {6, 9}};
    const QPolygonF up{{2, 9}, {10, 9}, {6, 3}};
    painter.drawPolygon(key == "key1" ? down : up);
    painter.end();
    return drawn[key] = QIcon(picture);
}

SortState::Step SortState::click(int header) {
    descending_ = !descending_;
    const auto it = cellOf_.find(header);
    return {it == cellOf_.end() ? header : it->second, descending_, descending_ ? "key1" : "key2"};
}

namespace {
bool rowMatches(const Model& model, int row, const QString& text, int furtherCells) {
    for (int cell = 0; cell <= furtherCells; ++cell) {
        const QString value = model.text(row, cell);
        if (!value.isEmpty() && value.contains(text, Qt::CaseInsensitive)) return true;
    }
    return false;
}

// Rows from findPos to the last, raising findPos past each row visited.
int onePass(const Model& model, const QString& text, int furtherCells, int& findPos) {
    const int rows = model.rowCount();
    while (findPos <= rows) {
        const int row = findPos - 1;
        ++findPos;
        if (rowMatches(model, row, text, furtherCells)) return row;
    }
    return -1;
}
}  // namespace

FindResult findNext(const Model& model, const QString& text, int furtherCells, int& findPos) {
    if (findPos <= 0 || findPos > model.rowCount()) findPos = 1;
    const bool fromTop = findPos <= 1;
    int hit = onePass(model, text, furtherCells, findPos);
    if (hit >= 0) return {hit, false};
    findPos = 1;
    if (fromTop) return {-1, true};
    hit = onePass(model, text, furtherCells, findPos);
    return {hit, hit < 0};
}

void setUpView(QTreeView* view, Model* model) {
    view->setModel(model);
    view->setRootIsDecorated(false);
    view->setItemsExpandable(false);
    view->setUniformRowHeights(true);
    view->setAllColumnsShowFocus(true);
    view->setSelectionMode(QAbstractItemView::SingleSelection);
    view->setSelectionBehavior(QAbstractItemView::SelectRows);
    view->setEditTriggers(QAbstractItemView::NoEditTriggers);
    view->header()->setSectionsClickable(true);
    view->header()->setSortIndicatorShown(false);
    view->header()->setStretchLastSection(false);
}

void setColumnWidthsMm(QTreeView* view, const std::vector<double>& millimetres) {
    const double dotsPerMm = view->logicalDpiX() / 25.4;
    for (size_t i = 0; i < millimetres.size(); ++i)
        view->setColumnWidth(int(i), int(millimetres[i] * dotsPerMm + 0.5));
}

int selectedRow(const QTreeView* view) {
    const QModelIndex current = view->currentIndex();
    return current.isValid() ? current.row() : -1;
}

void selectRow(QTreeView* view, int row) {
    if (row < 0 || row >= view->model()->rowCount()) return;
    const QModelIndex index = view->model()->index(row, 0);
    view->setCurrentIndex(index);
    view->scrollTo(index);
}

HeaderSort::HeaderSort(QTreeView* view, Model* model, bool withPictures)
    : QObject(view), view_(view), model_(model), withPictures_(withPictures) {
    connect(view->header(), &QHeaderView::sectionClicked, this, &HeaderSort::headerClicked);
}

void HeaderSort::headerClicked(int header) {
    const SortState::Step step = state_.click(header);
    const int selected = model_->sortRows(step.cell, step.descending, selectedRow(view_));
    if (withPictures_)
        for (int column = 0; column < model_->columnCount(); ++column)
            model_->setHeaderPicture(column, column == header ? step.picture : QString());
    selectRow(view_, selected);
}

FindBox::FindBox(const QString& windowName, QTreeView* view, Model* model, QLineEdit* searchBox,
                 QAbstractButton* searchButton, Options options)
    : QObject(searchBox), windowName_(windowName), view_(view), model_(model), searchBox_(searchBox),
      searchButton_(searchButton), options_(options) {
    searchBox->installEventFilter(this);
    if (options.selectTextOnFocus) BoxRules::selectOnFocus(searchBox);
    connect(searchButton, &QAbstractButton::clicked, this, &FindBox::find);
}

void FindBox::find() {
    guard(windowName_, "Find", [&] {
        if (options_.foundLabel) options_.foundLabel->clear();
        const FindResult result = findNext(*model_, searchBox_->text(), options_.furtherCells, findPos_);
        if (result.row >= 0) selectRow(view_, result.row);
        if (result.notFound && options_.foundLabel) options_.foundLabel->setText("Not Found");
    });
}

bool FindBox::eventFilter(QObject*, QEvent* event) {
    auto* button = qobject_cast<QPushButton*>(searchButton_);
    if (event->type() == QEvent::FocusIn) {
        findPos_ = 1;
        if (button) button->setDefault(true);
        if (options_.foundLabel) options_.foundLabel->clear();
    } else if (event->type() == QEvent::FocusOut) {
        if (button) button->setDefault(false);
    } else if (event->type() == QEvent::KeyPress) {
        // Enter searches even where the dialog made another button its default.
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key == Qt::Key_Return || key == Qt::Key_Enter) {
            find();
            return true;
        }
    }
    return false;
}

}  // namespace ListKit
