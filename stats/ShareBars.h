#pragma once

#include <QList>
#include <QStyledItemDelegate>

namespace stats {

// Draws in each row of a column a bar as long as the row's count (its films, or its loans), the
// largest row's filling the cell: the table's figures as a chart, painted in the table itself.
class ShareBars : public QStyledItemDelegate {
public:
    using QStyledItemDelegate::QStyledItemDelegate;

    // The count of each row, in the order of the rows.
    void setCounts(QList<qint64> counts);
    void paint(QPainter* painter, const QStyleOptionViewItem& option,
               const QModelIndex& index) const override;

private:
    QList<qint64> counts_;
    qint64 largest_ = 0;
};

}  // namespace stats
