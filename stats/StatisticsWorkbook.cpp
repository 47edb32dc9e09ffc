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

void writeTotals(Workbook& book, const store::Statistics& statistics)
{
    book.setSheetName(QStringLiteral("Totaux"));
    book.setColumnWidth(QStringLiteral("A:A"), 28);
    book.setColumnWidth(QStringLiteral("B:B"), 12);
    write(book, QStringLiteral("A1"), QStringLiteral("Chiffre"), true);
    write(book, QStringLiteral("B1"), QStringLiteral("Valeur"), true);
    int row = 1;
    for (const Total& total : totalsOf(statistics)) {
        const QString line = QString::number(++row);
        write(book, u'A' + line,
              total.unit.isEmpty() ? total.caption
                                   : QStringLiteral("%1 (%2)").arg(total.caption, total.unit));
        if (total.number)
            writeNumber(book, u'B' + line, double(*total.number));
    }
}

void writeTable(Workbook& book, const TableLook& look, const QList<store::Group>& groups, qint64 films)
{
    book.addSheet(QString::fromUtf8(look.valueCaption));
    book.setColumnWidth(QStringLiteral("A:A"), 30);
    book.setColumnWidth(QStringLiteral("B:C"), 10);
    book.setNumberFormat(QStringLiteral("C:C"), QStringLiteral("0.0%"));
    write(book, QStringLiteral("A1"), QString::fromUtf8(look.valueCaption), true);
    write(book, QStringLiteral("B1"), QStringLiteral("Films"), true);
    write(book, QStringLiteral("C1"), QStringLiteral("Part"), true);
    int row = 1;
    for (const store::Group& group : groups) {
        const QString line = QString::number(++row);
        write(book, u'A' + line, valueText(group));
        writeNumber(book, u'B' + line, double(group.films));
        writeNumber(book, u'C' + line, double(group.films) / double(films));
    }
}

}  // namespace

Workbook statisticsWorkbook(const store::Statistics& statistics)
{
    Workbook book;
    writeTotals(book, statistics);
    for (std::size_t i = 0; i < kTables.size(); ++i)
        writeTable(book, kTables[i], groupsOf(statistics, i), statistics.counters.films());
    return book;
}

}  // namespace stats
