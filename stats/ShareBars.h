#pragma once

#include <QList>
#include <QStyledItemDelegate>

namespace stats {

// Draws in each row of a column a bar as long as the row's number of films, the largest row's
// filling the cell: the table's figures as a chart, painted in the table itself.
class ShareBars : public QStyledItemDelegate {
public:
    using QStyledItemDelegate::QStyledItemDelegate;

    // The number of films of each row, in the order of the rows.
    void setFilms(QList<qint64> films);
    void paint(QPainter* painter, const QStyleOptionViewItem& option,
               const QModelIndex& index) const override;

private:
    QList<qint64> films_;
    qint64 largest_ = 0;
};

}  // namespace stats
