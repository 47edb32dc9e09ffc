#pragma once

#include "store/ListedRow.h"

#include <QAbstractTableModel>
#include <QColor>
#include <QCollatorSortKey>
#include <QHash>
#include <QList>
#include <QStringList>
#include <QTreeView>
#include <QVarLengthArray>

namespace ui {

class ListModel : public QAbstractTableModel {
public:
    struct Column {
        QString caption;
        int width = 0;  // twips
        Qt::Alignment alignment = Qt::AlignLeft;
    };

    explicit ListModel(QObject* parent);

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    int columnCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

    const QList<Column>& columns() const { return columns_; }
    const QList<store::ListedRow>& rows() const { return rows_; }
    void addColumn(const Column& column);
    void clearColumns();
    void clearRows();
    void setRows(QList<store::ListedRow> rows);
    void sortRows(int column, Qt::SortOrder order);
    // The colour of a row's texts, until the rows are replaced; it follows the row when sorted.
    void setRowColour(int row, const QColor& colour);
    QColor rowColour(int row) const { return colours_.value(row); }

private:
    QList<Column> columns_;
    QList<store::ListedRow> rows_;
    QHash<int, QColor> colours_;  // by row, for the few rows that have one
    QHash<QString, QCollatorSortKey> sortKeys_;
};

// The report-style list: column headers with caption, width and alignment, rows of a text and
// cells, the selected row, a sort column and order. Positions count from 0; cells from 1.
class ListView : public QTreeView {
    Q_OBJECT
public:
    explicit ListView(QWidget* parent = nullptr);

    void addColumn(const QString& caption, int widthTwips, Qt::Alignment alignment = Qt::AlignLeft);
    void clearColumns();
    int columnCount() const;
    QString columnCaption(int column) const;
    int columnWidth(int column) const;  // twips

    void clearRows();
    // Replaces all rows at once; in sorted mode they are shown sorted. The source names where
    // the rows come from; clearing the rows forgets it.
    void setRows(QList<store::ListedRow> rows, const QString& source = QString());
    QString filledFrom() const { return filledFrom_; }
    // Back to the look of a fresh fill, rows kept: nothing selected, the first row at the top.
    void rewind();
    int rowCount() const;
    QString rowText(int row) const;
    int cellCount(int row) const;
    // Throws std::out_of_range when the row has no such cell.
    QString cellText(int row, int cell) const;

    int selectedRow() const;
    void selectRow(int row);

    // Shows a row's texts in a colour (a late loan in red) until the next fill; an invalid colour
    // is the list's own.
    void setRowColour(int row, const QColor& colour);
    QColor rowColour(int row) const;

    // Sorts by a column's text, French order, letter case ignored; later fills stay sorted.
    void sortRows(int column, Qt::SortOrder order);

signals:
    void click();
    void dblClick();
    void columnClick(int column);

protected:
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    void applyColumnWidths();

    ListModel* model_;
    QString filledFrom_;
    bool sorted_ = false;
    int sortColumn_ = 0;
    Qt::SortOrder sortOrder_ = Qt::AscendingOrder;
};

}  // namespace ui
