#include "stats/StatisticsWorkbook.h"

#include "stats/StatisticsTables.h"

namespace stats {

namespace {

using files::Workbook;

// Types a text into a cell, in bold for a column's caption.
void write(Workbook& book, const QString& cell, const QString& text, bool caption = false)
{
    book.select(cell);
    book.type(text);
    if (caption)
        book.setSelectionBold(true);
}

void writeNumber(Workbook& book, const QString& cell, double number)
{
    book.select(cell);
    book.enterNumber(number);
}

// The totals, or the loans' figures, on the sheet last added, their captions that many characters
// wide.
void writeTotals(Workbook& book, const QList<Total>& totals, double captionWidth)
{
    book.setColumnWidth(QStringLiteral("A:A"), captionWidth);
    book.setColumnWidth(QStringLiteral("B:B"), 12);
    write(book, QStringLiteral("A1"), QStringLiteral("Chiffre"), true);
    write(book, QStringLiteral("B1"), QStringLiteral("Valeur"), true);
    int row = 1;
    for (const Total& total : totals) {
        const QString line = QString::number(++row);
        write(book, u'A' + line,
              total.unit.isEmpty() ? total.caption
                                   : QStringLiteral("%1 (%2)").arg(total.caption, total.unit));
        if (total.number)
            writeNumber(book, u'B' + line, *total.number);
    }
}

void writeTable(Workbook& book, const TableLook& look, const Table& table)
{
    book.addSheet(QString::fromUtf8(look.sheet));
    book.setColumnWidth(QStringLiteral("A:A"), 30);
    book.setColumnWidth(QStringLiteral("B:C"), 10);
    book.setNumberFormat(QStringLiteral("C:C"), QStringLiteral("0.0%"));
    write(book, QStringLiteral("A1"), QString::fromUtf8(look.valueCaption), true);
    write(book, QStringLiteral("B1"), QString::fromUtf8(look.countCaption), true);
    write(book, QStringLiteral("C1"), QStringLiteral("Part"), true);
    int row = 1;
    for (const Row& value : table.rows) {
        const QString line = QString::number(++row);
        write(book, u'A' + line, value.value);
        writeNumber(book, u'B' + line, double(value.count));
        writeNumber(book, u'C' + line, double(value.count) / double(table.whole));
    }
}

}  // namespace

Workbook statisticsWorkbook(const Figures& figures)
{
    Workbook book;
    book.setSheetName(QStringLiteral("Totaux"));
    writeTotals(book, figures.totals, 28);
    for (std::size_t i = 0; i < kTables.size(); ++i) {
        // The loans' figures lead their tables.
        if (i == kFilmsLentTable) {
            book.addSheet(QStringLiteral("Prêts"));
            writeTotals(book, figures.loans, 40);
        }
        writeTable(book, kTables[i], figures.tables[i]);
    }
    return book;
}

}  // namespace stats
