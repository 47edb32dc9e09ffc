#include "stats/ShareBars.h"

#include "ui/Controls.h"

#include <QPainter>
#include <algorithm>

namespace stats {

void ShareBars::setCounts(QList<qint64> counts)
{
    counts_ = std::move(counts);
    largest_ = counts_.isEmpty() ? 0 : *std::max_element(counts_.cbegin(), counts_.cend());
}

void ShareBars::paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const
{
    // The row's background, selected or not; the cell holds no text.
    QStyledItemDelegate::paint(painter, option, index);
    if (index.row() >= counts_.size() || largest_ <= 0 || counts_[index.row()] <= 0)
        return;
    const QRect room = option.rect.adjusted(2, 3, -4, -3);
    // However few its films, a row shows a bar.
    const int length = std::max(1, int(qint64(room.width()) * counts_[index.row()] / largest_));
    const QColor colour = option.state & QStyle::State_Selected
            ? option.palette.color(QPalette::HighlightedText)
            : ui::formBlue().darker(115);
    painter->fillRect(QRect(room.left(), room.top(), length, room.height()), colour);
}

}  // namespace stats
