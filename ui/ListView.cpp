#include "ui/ListView.h"

#include "store/FrenchText.h"
#include "ui/Twips.h"

#include <QApplication>
#include <QHeaderView>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QStyleOptionHeader>
#include <algorithm>
#include <numeric>
#include <stdexcept>

namespace ui {

ListModel::ListModel(QObject* parent) : QAbstractTableModel(parent) { }

int ListModel::rowCount(const QModelIndex& parent) const { return parent.isValid() ? 0 : int(rows_.size()); }

int ListModel::columnCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : int(columns_.size());
}

QVariant ListModel::data(const QModelIndex& index, int role) const
{
    if (!index.isValid() || index.row() >= rows_.size())
        return QVariant();
    if (role == Qt::DisplayRole || role == Qt::ToolTipRole) {
        const store::ListedRow& row = rows_[index.row()];
        return index.column() < row.size() ? row[index.column()] : QString();
    }
    if (role == Qt::TextAlignmentRole && index.column() < columns_.size())
        return QVariant::fromValue(columns_[index.column()].alignment | Qt::AlignVCenter);
    if (role == Qt::ForegroundRole) {
        const auto colour = colours_.constFind(index.row());
        if (colour != colours_.cend())
            return *colour;
    }
    return QVariant();
}

QVariant ListModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation != Qt::Horizontal || section < 0 || section >= columns_.size())
        return QVariant();
    if (role == Qt::DisplayRole)
        return columns_[section].caption;
    if (role == Qt::TextAlignmentRole)
        return QVariant::fromValue(columns_[section].alignment | Qt::AlignVCenter);
    return QVariant();
}

void ListModel::addColumn(const Column& column)
{
    beginInsertColumns(QModelIndex(), int(columns_.size()), int(columns_.size()));
    columns_.append(column);
    endInsertColumns();
}

void ListModel::clearColumns()
{
    beginResetModel();
    columns_.clear();
    endResetModel();
}

void ListModel::clearRows()
{
    beginResetModel();
    rows_.clear();
    colours_.clear();
    endResetModel();
}

void ListModel::setRows(QList<store::ListedRow> rows)
{
    beginResetModel();
    rows_ = std::move(rows);
    colours_.clear();
    endResetModel();
}

void ListModel::setRowColour(int row, const QColor& colour)
{
    if (row < 0 || row >= rows_.size())
        return;
    if (colour.isValid())
        colours_.insert(row, colour);
    else
        colours_.remove(row);
    emit dataChanged(index(row, 0), index(row, int(columns_.size()) - 1), {Qt::ForegroundRole});
}

void ListModel::sortRows(int column, Qt::SortOrder order)
{
    // A French sort key is costly to make: each distinct text gets one, kept for the next sorts,
    // which mostly see the same texts again. The rows are then ordered by the rank of their text.
    QHash<QString, int> distinct;
    std::vector<int> textOfRow;
    textOfRow.reserve(rows_.size());
    QList<QString> texts;
    for (const store::ListedRow& row : rows_) {
        const QString text = column < row.size() ? row[column] : QString();
        const auto found = distinct.constFind(text);
        if (found != distinct.constEnd()) {
            textOfRow.push_back(found.value());
            continue;
        }
        textOfRow.push_back(int(texts.size()));
        distinct.insert(text, int(texts.size()));
        texts.append(text);
    }
    QHash<QString, QCollatorSortKey> keys;
    keys.reserve(texts.size());
    for (const QString& text : texts) {
        const auto cached = sortKeys_.constFind(text);
        keys.emplace(text, cached != sortKeys_.constEnd() ? cached.value() : store::frenchSortKey(text));
    }
    sortKeys_ = std::move(keys);

    std::vector<int> byText(texts.size());
    std::iota(byText.begin(), byText.end(), 0);
    std::sort(byText.begin(), byText.end(), [&](int a, int b) {
        return sortKeys_.constFind(texts[a]).value().compare(sortKeys_.constFind(texts[b]).value()) < 0;
    });
    // Texts the collation holds equal share a rank, so their rows keep their order.
    std::vector<int> rank(texts.size());
    for (size_t i = 0, current = 0; i < byText.size(); ++i) {
        if (i > 0
            && sortKeys_.constFind(texts[byText[i - 1]])
                            .value()
                            .compare(sortKeys_.constFind(texts[byText[i]]).value())
                    != 0)
            current = i;
        rank[byText[i]] = int(current);
    }

    std::vector<int> positions(rows_.size());
    std::iota(positions.begin(), positions.end(), 0);
    std::stable_sort(positions.begin(), positions.end(), [&](int a, int b) {
        const int left = rank[textOfRow[a]];
        const int right = rank[textOfRow[b]];
        return order == Qt::AscendingOrder ? left < right : left > right;
    });
    emit layoutAboutToBeChanged();
    QList<store::ListedRow> sorted;
    sorted.reserve(rows_.size());
    QHash<int, QColor> colours;
    for (int position : positions) {
        if (const auto colour = colours_.constFind(position); colour != colours_.cend())
            colours.insert(int(sorted.size()), *colour);
        sorted.append(std::move(rows_[position]));
    }
    rows_ = std::move(sorted);
    colours_ = std::move(colours);
    emit layoutChanged();
}

namespace {

// A header that goes on beyond its last column as one empty column, drawn as the others are, at
// any width of the list.
class ListHeader : public QHeaderView {
public:
    explicit ListHeader(QWidget* parent) : QHeaderView(Qt::Horizontal, parent) { }

protected:
    void paintEvent(QPaintEvent* event) override
    {
        QHeaderView::paintEvent(event);
        const int end = length() - offset();
        if (end >= viewport()->width())
            return;
        QPainter painter(viewport());
        QStyleOptionHeader option;
        initStyleOption(&option);
        option.rect = QRect(end, 0, viewport()->width() - end, viewport()->height());
        option.position = QStyleOptionHeader::End;
        style()->drawControl(QStyle::CE_HeaderSection, &option, &painter, this);
    }
};

}  // namespace

ListView::ListView(QWidget* parent) : QTreeView(parent), model_(new ListModel(this))
{
    setHeader(new ListHeader(this));
    setModel(model_);
    setRootIsDecorated(false);
    setUniformRowHeights(true);
    setAllColumnsShowFocus(true);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setSelectionBehavior(QAbstractItemView::SelectRows);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setSortingEnabled(false);
    // The list keeps the toolkit's own colours: the blue of the window around it would tint its
    // frame, its header's lines and its scroll bars.
    QPalette own = palette();
    const QPalette standard = QApplication::palette(this);
    for (QPalette::ColorGroup group : {QPalette::Active, QPalette::Inactive, QPalette::Disabled})
        own.setBrush(group, QPalette::Window, standard.brush(group, QPalette::Window));
    setPalette(own);
    header()->setSectionsMovable(false);
    header()->setStretchLastSection(false);
    header()->setSectionsClickable(true);
    connect(header(), &QHeaderView::sectionClicked, this, &ListView::columnClick);
}

void ListView::addColumn(const QString& caption, int widthTwips, Qt::Alignment alignment)
{
    model_->addColumn({caption, widthTwips, alignment});
    applyColumnWidths();
}

void ListView::clearColumns() { model_->clearColumns(); }

int ListView::columnCount() const { return int(model_->columns().size()); }

QString ListView::columnCaption(int column) const { return model_->columns().at(column).caption; }

int ListView::columnWidth(int column) const { return model_->columns().at(column).width; }

void ListView::applyColumnWidths()
{
    int section = 0;
    for (const ListModel::Column& column : model_->columns()) {
        header()->setSectionHidden(section, column.width == 0);
        if (column.width > 0)
            header()->resizeSection(section, px(column.width));
        ++section;
    }
}

void ListView::clearRows()
{
    filledFrom_.clear();
    model_->clearRows();
}

void ListView::setRows(QList<store::ListedRow> rows, const QString& source)
{
    filledFrom_ = source;
    model_->setRows(std::move(rows));
    if (sorted_)
        model_->sortRows(sortColumn_, sortOrder_);
}

int ListView::rowCount() const { return int(model_->rows().size()); }

QString ListView::rowText(int row) const { return model_->rows().at(row).at(0); }

int ListView::cellCount(int row) const { return int(model_->rows().at(row).size()) - 1; }

QString ListView::cellText(int row, int cell) const
{
    const store::ListedRow& r = model_->rows().at(row);
    if (cell < 1 || cell >= r.size())
        throw std::out_of_range("cell");
    return r.at(cell);
}

int ListView::selectedRow() const
{
    const QModelIndexList selected = selectionModel()->selectedRows();
    return selected.isEmpty() ? -1 : selected.first().row();
}

void ListView::rewind()
{
    selectionModel()->clear();
    scrollToTop();
}

void ListView::selectRow(int row)
{
    const QModelIndex index = model_->index(row, 0);
    selectionModel()->setCurrentIndex(index, QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
    scrollTo(index);
}

void ListView::setRowColour(int row, const QColor& colour) { model_->setRowColour(row, colour); }

QColor ListView::rowColour(int row) const { return model_->rowColour(row); }

void ListView::sortRows(int column, Qt::SortOrder order)
{
    sorted_ = true;
    sortColumn_ = column;
    sortOrder_ = order;
    model_->sortRows(column, order);
    header()->setSortIndicatorShown(true);
    header()->setSortIndicator(column, order);
}

void ListView::mouseReleaseEvent(QMouseEvent* event)
{
    QTreeView::mouseReleaseEvent(event);
    if (event->button() == Qt::LeftButton)
        emit click();
}

void ListView::mouseDoubleClickEvent(QMouseEvent* event)
{
    QTreeView::mouseDoubleClickEvent(event);
    if (event->button() == Qt::LeftButton)
        emit dblClick();
}

void ListView::keyPressEvent(QKeyEvent* event)
{
    const int before = selectedRow();
    QTreeView::keyPressEvent(event);
    if (selectedRow() != before)
        emit click();
    else if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter)
        emit dblClick();
}

}  // namespace ui
