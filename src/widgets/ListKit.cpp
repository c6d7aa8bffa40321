#include "widgets/ListKit.h"
#include "widgets/BoxRules.h"
#include "widgets/WindowPlacement.h"
#include "common/ErrorReport.h"
#include <QAbstractButton>
#include <QEvent>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPixmap>
#include <QPushButton>
#include <QStyle>
#include <QStyleOptionViewItem>
#include <QToolBar>
#include <QTreeView>
#include <QVBoxLayout>
#include <algorithm>

namespace ListKit {

SortKey SortKey::date(const QDate& date) { return date.isValid() ? SortKey(date.toJulianDay()) : SortKey(); }
SortKey SortKey::amount(const ::Currency& amount) { return SortKey(amount.raw()); }
SortKey SortKey::number(qint64 number) { return SortKey(number); }

namespace {
// A text's length as one unit below 0x8000, else as two.
constexpr char16_t LongLength = 0x8000;

size_t lengthUnits(size_t length) { return length < LongLength ? 1 : 2; }

size_t takeLength(const char16_t*& p) {
    const size_t first = *p++;
    if (first < LongLength) return first;
    return ((first & ~size_t(LongLength)) << 16) | *p++;
}

char16_t foldedAscii(char16_t c) { return c >= 'A' && c <= 'Z' ? char16_t(c + ('a' - 'A')) : c; }

// The order of QString::compare without regard to case, with a quick path
// for the plain letters and digits most cells hold.
int compareNoCase(QStringView a, QStringView b) {
    const qsizetype common = std::min(a.size(), b.size());
    for (qsizetype i = 0; i < common; ++i) {
        const char16_t x = a[i].unicode();
        const char16_t y = b[i].unicode();
        if (x == y) continue;
        if (x < 0x80 && y < 0x80) {
            const char16_t fx = foldedAscii(x);
            const char16_t fy = foldedAscii(y);
            if (fx != fy) return fx < fy ? -1 : 1;
            continue;
        }
        // Folding may join a surrogate pair: compare from its first half.
        const qsizetype from = i > 0 && QChar::isHighSurrogate(a[i - 1].unicode()) ? i - 1 : i;
        return a.mid(from).compare(b.mid(from), Qt::CaseInsensitive);
    }
    return a.size() == b.size() ? 0 : (a.size() < b.size() ? -1 : 1);
}
}  // namespace

Model::Model(const QStringList& headers, QObject* parent) : Model(headers, 0, parent) {}

Model::Model(const QStringList& headers, int hiddenSortKeys, QObject* parent)
    : QAbstractTableModel(parent), headers_(headers), sortKeyCount_(hiddenSortKeys),
      pictures_(size_t(headers.size())) {}

int Model::rowCount(const QModelIndex& parent) const { return parent.isValid() ? 0 : int(order_.size()); }
int Model::columnCount(const QModelIndex& parent) const { return parent.isValid() ? 0 : int(headers_.size()); }

QVariant Model::data(const QModelIndex& index, int role) const {
    if (!index.isValid()) return {};
    switch (role) {
    case Qt::DisplayRole: return text(index.row(), index.column());
    // A cell too narrow for its text ends in "…"; the whole text shows on hover.
    case Qt::ToolTipRole: {
        const QStringView cell = cellText(index.row(), index.column());
        return cell.isEmpty() ? QVariant() : QVariant(cell.toString());
    }
    case Qt::TextAlignmentRole: {
        const auto it = alignment_.find(index.column());
        return it == alignment_.end() ? QVariant() : QVariant(int(it->second | Qt::AlignVCenter));
    }
    case Qt::CheckStateRole:
        if (checkable_ && index.column() == 0) return checked(index.row()) ? Qt::Checked : Qt::Unchecked;
        return {};
    default: return {};
    }
}

bool Model::setData(const QModelIndex& index, const QVariant& value, int role) {
    if (!checkable_ || role != Qt::CheckStateRole || !index.isValid() || index.column() != 0) return false;
    setChecked(index.row(), value.toInt() == Qt::Checked);
    return true;
}

void Model::setChecked(int position, bool checked) {
    checked_[slotAt(position)] = checked;
    const QModelIndex cell = index(position, 0);
    emit dataChanged(cell, cell, {Qt::CheckStateRole});
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
    // A column's header sits as its cells do.
    if (role == Qt::TextAlignmentRole) {
        const auto it = alignment_.find(section);
        return it == alignment_.end() ? QVariant() : QVariant(int(it->second | Qt::AlignVCenter));
    }
    if (role == Qt::DecorationRole && !pictures_[size_t(section)].isEmpty())
        return ListKit::headerPicture(pictures_[size_t(section)]);
    return {};
}

namespace {
constexpr size_t BlockUnits = 32 * 1024;
}  // namespace

RowBuilder& RowBuilder::reset() {
    chars_.clear();
    ends_.clear();
    key_.clear();
    sortKeys_.clear();
    checked_ = false;
    return *this;
}

RowBuilder& RowBuilder::cell() {
    ends_.push_back(chars_.size());
    return *this;
}

RowBuilder& RowBuilder::add(QStringView text) {
    if (ends_.empty()) cell();
    chars_.insert(chars_.end(), text.utf16(), text.utf16() + text.size());
    ends_.back() = chars_.size();
    return *this;
}

RowBuilder& RowBuilder::addUtf8(std::string_view text) {
    if (ends_.empty()) cell();
    // Plain ASCII is widened in place; the rest goes through the decoder.
    size_t i = 0;
    const size_t start = chars_.size();
    chars_.resize(start + text.size());
    char16_t* out = chars_.data() + start;
    for (; i < text.size() && static_cast<unsigned char>(text[i]) < 0x80; ++i) out[i] = char16_t(text[i]);
    chars_.resize(start + i);
    if (i < text.size()) {
        const QString rest = QString::fromUtf8(text.data() + i, qsizetype(text.size() - i));
        chars_.insert(chars_.end(), rest.utf16(), rest.utf16() + rest.size());
    }
    ends_.back() = chars_.size();
    return *this;
}

RowBuilder& RowBuilder::sortKey(SortKey key) {
    sortKeys_.push_back(key);
    return *this;
}

RowBuilder& RowBuilder::key(QStringView key) {
    key_ = key.toString();
    return *this;
}

RowBuilder& RowBuilder::checked(bool checked) {
    checked_ = checked;
    return *this;
}

QStringView RowBuilder::cellText(int cell) const {
    if (cell < 0 || cell >= cellCount()) return {};
    const size_t begin = cell == 0 ? 0 : ends_[size_t(cell - 1)];
    return QStringView(chars_.data() + begin, qsizetype(ends_[size_t(cell)] - begin));
}

Row RowBuilder::row() const {
    Row r;
    for (int c = 0; c < cellCount(); ++c) r.cells << cellText(c).toString();
    r.key = key_;
    r.checked = checked_;
    r.sortKeys = sortKeys_;
    return r;
}

std::vector<char16_t>& Model::blockWithRoom(size_t units) {
    if (blocks_.empty() || blocks_.back().capacity() - blocks_.back().size() < units) {
        blocks_.emplace_back();
        blocks_.back().reserve(std::max(units, BlockUnits));
        units_ += blocks_.back().capacity();
    }
    return blocks_.back();
}

size_t Model::storeRow(const Row& row) {
    Q_ASSERT(row.cells.size() <= columnCount());
    QStringView cells[64];
    const int count = int(std::min<qsizetype>(row.cells.size(), 64));
    for (int c = 0; c < count; ++c) cells[c] = row.cells[c];
    return storeCells(cells, count, row.key, row.sortKeys.data(), row.sortKeys.size(), row.checked);
}

size_t Model::storeRow(const RowBuilder& row) {
    Q_ASSERT(row.cellCount() <= columnCount());
    QStringView cells[64];
    const int count = std::min(row.cellCount(), 64);
    for (int c = 0; c < count; ++c) cells[c] = row.cellText(c);
    return storeCells(cells, count, row.keyText(), row.sortKeys().data(), row.sortKeys().size(), row.isChecked());
}

size_t Model::storeCells(const QStringView* cells, int count, QStringView key, const SortKey* keys,
                         size_t keyCount, bool checked) {
    Q_ASSERT(keyCount <= size_t(sortKeyCount_));
    const int columns = columnCount();
    size_t units = lengthUnits(size_t(key.size())) + size_t(key.size());
    for (int c = 0; c < columns; ++c) {
        const size_t length = c < count ? size_t(cells[c].size()) : 0;
        units += lengthUnits(length) + length;
    }
    std::vector<char16_t>& block = blockWithRoom(units);
    const size_t at = block.size();
    places_.push_back({quint32(blocks_.size() - 1), quint32(at)});
    block.resize(at + units);
    char16_t* out = block.data() + at;
    auto put = [&out](QStringView text) {
        const size_t length = size_t(text.size());
        if (length < LongLength) {
            *out++ = char16_t(length);
        } else {
            *out++ = char16_t(LongLength | (length >> 16));
            *out++ = char16_t(length & 0xFFFF);
        }
        std::copy_n(text.utf16(), length, out);
        out += length;
    };
    for (int c = 0; c < columns; ++c) put(c < count ? cells[c] : QStringView());
    put(key);
    for (int k = 0; k < sortKeyCount_; ++k) keys_.push_back(size_t(k) < keyCount ? keys[k] : SortKey());
    checked_.push_back(checked);
    return places_.size() - 1;
}

QStringView Model::slotText(size_t slot, int cell) const {
    const Place place = places_[slot];
    const char16_t* p = blocks_[place.block].data() + place.offset;
    for (int c = 0;; ++c) {
        const size_t length = takeLength(p);
        if (c == cell) return QStringView(p, qsizetype(length));
        p += length;
    }
}

QStringView Model::cellText(int position, int cell) const {
    if (cell < 0 || cell >= columnCount()) return {};
    return slotText(slotAt(position), cell);
}

QString Model::key(int position) const { return slotText(slotAt(position), columnCount()).toString(); }

Row Model::row(int position) const {
    const size_t slot = slotAt(position);
    Row r;
    for (int c = 0; c < columnCount(); ++c) r.cells << slotText(slot, c).toString();
    r.key = slotText(slot, columnCount()).toString();
    r.checked = checked_[slot] != 0;
    for (int k = 0; k < sortKeyCount_; ++k) r.sortKeys.push_back(slotKey(slot, k));
    return r;
}

void Model::clearRows() {
    blocks_.clear();
    places_.clear();
    keys_.clear();
    checked_.clear();
    order_.clear();
    units_ = wasted_ = 0;
}

Model::Refill::Refill(Model& model) : model_(model) {
    model_.beginResetModel();
    model_.clearRows();
}

void Model::Refill::add(const Row& row) { model_.order_.push_back(quint32(model_.storeRow(row))); }
void Model::Refill::add(const RowBuilder& row) { model_.order_.push_back(quint32(model_.storeRow(row))); }

Model::Refill::~Refill() {
    if (model_.sorted_.cell >= 0) model_.sortOrder(model_.order_);
    model_.endResetModel();
}

void Model::setRows(const std::vector<Row>& rows) {
    Refill refill(*this);
    for (const Row& r : rows) refill.add(r);
}

int Model::insertSlot(size_t slot) {
    const int position = int(sortedPlace(slot));
    beginInsertRows(QModelIndex(), position, position);
    order_.insert(order_.begin() + position, quint32(slot));
    endInsertRows();
    return position;
}

int Model::addRow(const Row& row) { return insertSlot(storeRow(row)); }
int Model::addRow(const RowBuilder& row) { return insertSlot(storeRow(row)); }

void Model::replaceSlot(int position, size_t slot) {
    const size_t old = slotAt(position);
    order_[size_t(position)] = quint32(slot);
    releaseSlot(old);
    emit dataChanged(index(position, 0), index(position, columnCount() - 1));
    compactIfWasteful();
}

void Model::setRow(int position, const Row& row) { replaceSlot(position, storeRow(row)); }
void Model::setRow(int position, const RowBuilder& row) { replaceSlot(position, storeRow(row)); }

void Model::removeRow(int position) {
    beginRemoveRows(QModelIndex(), position, position);
    const size_t slot = slotAt(position);
    order_.erase(order_.begin() + position);
    releaseSlot(slot);
    endRemoveRows();
    compactIfWasteful();
}

void Model::releaseSlot(size_t slot) {
    const Place place = places_[slot];
    const char16_t* begin = blocks_[place.block].data() + place.offset;
    const char16_t* p = begin;
    for (int c = 0; c <= columnCount(); ++c) p += takeLength(p);
    wasted_ += size_t(p - begin);
}

// Texts of replaced and removed rows stay in their blocks until they are
// more than what the rows use; then the live rows are packed anew, in
// display order.
void Model::compactIfWasteful() {
    if (wasted_ < BlockUnits || wasted_ * 2 < units_) return;
    std::vector<Row> live;
    live.reserve(order_.size());
    for (int position = 0; position < rowCount(); ++position) live.push_back(row(position));
    clearRows();
    for (const Row& r : live) order_.push_back(quint32(storeRow(r)));
}

void Model::setHeaderPicture(int column, const QString& key) {
    if (pictures_[size_t(column)] == key) return;
    pictures_[size_t(column)] = key;
    emit headerDataChanged(Qt::Horizontal, column, column);
}

QString Model::headerPicture(int column) const { return pictures_[size_t(column)]; }

// Stable sorts of the slots: by the cell's text, or by a sort key.
void Model::sortOrder(std::vector<quint32>& order) const {
    const bool descending = sorted_.descending;
    if (sorted_.cell >= columnCount()) {
        const int k = sorted_.cell - columnCount();
        std::vector<std::pair<SortKey, quint32>> entries;
        entries.reserve(order.size());
        for (quint32 slot : order) entries.emplace_back(slotKey(slot, k), slot);
        std::stable_sort(entries.begin(), entries.end(), [descending](const auto& a, const auto& b) {
            return descending ? b.first < a.first : a.first < b.first;
        });
        for (size_t i = 0; i < entries.size(); ++i) order[i] = entries[i].second;
        return;
    }
    std::vector<std::pair<QStringView, quint32>> entries;
    entries.reserve(order.size());
    for (quint32 slot : order) entries.emplace_back(slotText(slot, sorted_.cell), slot);
    std::stable_sort(entries.begin(), entries.end(), [descending](const auto& a, const auto& b) {
        const int c = compareNoCase(a.first, b.first);
        return descending ? c > 0 : c < 0;
    });
    for (size_t i = 0; i < entries.size(); ++i) order[i] = entries[i].second;
}

// Where a new row goes: its sorted place while the list is sorted (after
// the rows equal to it), else the end.
size_t Model::sortedPlace(size_t slot) const {
    if (sorted_.cell < 0) return order_.size();
    const bool descending = sorted_.descending;
    if (sorted_.cell >= columnCount()) {
        const int k = sorted_.cell - columnCount();
        const SortKey key = slotKey(slot, k);
        return size_t(std::upper_bound(order_.begin(), order_.end(), key, [&](SortKey v, quint32 other) {
                          return descending ? slotKey(other, k) < v : v < slotKey(other, k);
                      }) - order_.begin());
    }
    const QStringView text = slotText(slot, sorted_.cell);
    return size_t(std::upper_bound(order_.begin(), order_.end(), text, [&](QStringView v, quint32 other) {
                      const int c = compareNoCase(v, slotText(other, sorted_.cell));
                      return descending ? c > 0 : c < 0;
                  }) - order_.begin());
}

int Model::sortRows(int cell, bool descending, int follow) {
    Q_ASSERT(cell >= 0 && cell < columnCount() + sortKeyCount_);
    const qint64 followed = follow >= 0 && follow < rowCount() ? qint64(slotAt(follow)) : -1;
    beginResetModel();
    sorted_ = {cell, descending};
    sortOrder(order_);
    endResetModel();
    if (followed < 0) return -1;
    return int(std::find(order_.begin(), order_.end(), quint32(followed)) - order_.begin());
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
        const QStringView value = model.cellText(row, cell);
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

void setColumnWidthsTwips(QTreeView* view, const std::vector<int>& twips) {
    for (size_t i = 0; i < twips.size(); ++i) view->setColumnWidth(int(i), twipsToPixels(view, twips[i]));
}

int cellWidth(const QTreeView* view, const QString& text) {
    QStyleOptionViewItem option;
    option.initFrom(view);
    option.font = view->font();
    option.fontMetrics = QFontMetrics(option.font);
    option.text = text;
    option.features = QStyleOptionViewItem::HasDisplay;
    return view->style()->sizeFromContents(QStyle::CT_ItemViewItem, &option, QSize(), view).width();
}

void fitColumns(QTreeView* view, const std::vector<WidestText>& columns, const std::vector<Giver>& givers) {
    int wanted = 0;
    for (const WidestText& c : columns) {
        const int more = std::max(0, cellWidth(view, c.text) - view->columnWidth(c.column));
        view->setColumnWidth(c.column, view->columnWidth(c.column) + more);
        wanted += more;
    }
    for (const Giver& g : givers) {
        const int given = std::clamp(view->columnWidth(g.column) - g.keepsAtLeast, 0, wanted);
        view->setColumnWidth(g.column, view->columnWidth(g.column) - given);
        wanted -= given;
    }
}

void widenToColumns(QTreeView* view) {
    int columns = 0;
    for (int c = 0; c < view->model()->columnCount(); ++c) columns += view->isColumnHidden(c) ? 0 : view->columnWidth(c);
    const int scrollBar = view->style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, view);
    view->setMinimumWidth(std::max(view->minimumWidth(), columns + scrollBar + 2 * view->frameWidth()));
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

bool removeRowAndSelectNext(QTreeView* view, Model* model, int row) {
    model->removeRow(row);
    if (model->rowCount() == 0) return false;
    selectRow(view, std::min(row, model->rowCount() - 1));
    return true;
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

QPushButton* searchButton() {
    auto* button = new QPushButton;
    button->setObjectName("search_cmd");
    button->setIcon(button->style()->standardIcon(QStyle::SP_FileDialogContentsView));
    button->setToolTip("Find");
    button->setAccessibleName("Find");
    button->setAutoDefault(false);
    return button;
}

void arrangeListWindow(QWidget* window, const ListWindowParts& p) {
    // Sizes in twips as designed: the list 12015 by 5415 at 45, 1080 under
    // the toolbar's 1020; the search row at 6555 to 7000.
    const auto pixels = [window](int twips) { return twipsToPixels(window, twips); };
    p.toolbar->setFixedHeight(pixels(1020));
    p.list->setMinimumSize(twipsToPixels(window, 12015, 5415));
    p.searchBox->setFixedWidth(pixels(2775));
    p.searchButton->setFixedSize(twipsToPixels(window, 495, 445));
    p.foundLabel->setMinimumWidth(std::max(pixels(2055), p.foundLabel->fontMetrics().horizontalAdvance("Not Found")));
    p.exit->setFixedWidth(pixels(1935));

    auto* foot = new QHBoxLayout;
    foot->addSpacing(pixels(240 - 45));
    foot->addWidget(p.searchLabel);
    foot->addWidget(p.searchBox);
    foot->addWidget(p.searchButton);
    foot->addWidget(p.foundLabel);
    foot->addStretch();
    foot->addWidget(p.exit);
    auto* layout = new QVBoxLayout(window);
    layout->setMenuBar(p.toolbar);
    layout->setContentsMargins(pixels(45), pixels(1080 - 1020), pixels(12180 - 12060), pixels(50));
    layout->setSpacing(pixels(6555 - 6495));
    layout->addWidget(p.list, 1);
    layout->addLayout(foot);
    window->resize(twipsToPixels(window, 12180, 7050));
}

std::map<int, QAction*> addToolbarButtons(QToolBar* toolbar, const std::vector<ToolbarButton>& buttons,
                                          const std::function<void(int)>& clicked) {
    toolbar->setToolButtonStyle(Qt::ToolButtonTextUnderIcon);
    std::map<int, const ToolbarButton*> byPosition;
    for (const ToolbarButton& b : buttons) byPosition[b.position] = &b;
    const int last = byPosition.empty() ? 0 : byPosition.rbegin()->first;
    std::map<int, QAction*> actions;
    for (int position = 1; position <= last + 1; ++position) {
        const auto it = byPosition.find(position);
        if (it == byPosition.end()) {
            toolbar->addSeparator();
            continue;
        }
        const ToolbarButton& b = *it->second;
        QAction* action =
            toolbar->addAction(toolbar->style()->standardIcon(QStyle::StandardPixmap(b.picture)), b.caption);
        action->setObjectName(b.caption);
        QObject::connect(action, &QAction::triggered, toolbar, [clicked, position] { clicked(position); });
        actions[position] = action;
    }
    return actions;
}

RowOpener::RowOpener(QTreeView* view, std::function<void()> open, bool onEnter, bool onCharacter)
    : QObject(view), view_(view), open_(std::move(open)), onEnter_(onEnter), onCharacter_(onCharacter) {
    view->viewport()->installEventFilter(this);
    view->installEventFilter(this);
}

bool RowOpener::eventFilter(QObject* watched, QEvent* event) {
    // The event type first: a view being destroyed sends events but is no longer one to ask.
    if (event->type() == QEvent::MouseButtonDblClick && watched == view_->viewport()) {
        const QModelIndex at = view_->indexAt(static_cast<QMouseEvent*>(event)->position().toPoint());
        if (at.isValid()) selectRow(view_, at.row());
        open_();
        return true;
    }
    if (watched == view_ && (onEnter_ || onCharacter_) && event->type() == QEvent::KeyPress) {
        const auto* key = static_cast<QKeyEvent*>(event);
        const bool enter = key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter;
        // Moving through the list with the keys stays moving; shortcuts stay shortcuts.
        const bool character = !key->text().isEmpty() && key->text().at(0).isPrint()
                               && !(key->modifiers() & (Qt::ControlModifier | Qt::AltModifier));
        if ((onEnter_ && enter) || (onCharacter_ && character)) {
            open_();
            return true;
        }
    }
    return false;
}

}  // namespace ListKit
