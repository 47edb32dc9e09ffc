#include "export/ExporterExcel.h"

#include "files/Workbook.h"
#include "ui/ListView.h"
#include "ui/Platform.h"

#include <QDir>

namespace exports {

namespace {

using files::Workbook;

// The sheet has room for five columns of the list beside the line number.
constexpr int kMaxListColumns = 5;
// The single row of a list that found no film: nothing to export.
const QString kPlaceholderRow = QStringLiteral("Aucun film dans la base de donnée");

struct ListColumn {
    QString caption;
    int width = 0;
};

// What the list shows: its columns but the last, which holds the key, and for each row its text
// and one cell per further column.
struct ShownList {
    QList<ListColumn> columns;
    QList<QStringList> rows;
};

// Read once before writing: the window repaints during the export, and the list may change then.
ShownList readList(const ui::ListView& list)
{
    ShownList shown;
    const int columns = qMin(list.columnCount() - 1, kMaxListColumns);
    for (int k = 0; k < columns; ++k)
        shown.columns.append({list.columnCaption(k), list.columnWidth(k)});
    const int rows = list.rowCount();
    if (rows == 1 && list.cellCount(0) == 0 && list.rowText(0) == kPlaceholderRow)
        return shown;
    shown.rows.reserve(rows);
    for (int i = 0; i < rows; ++i) {
        QStringList row {list.rowText(i)};
        for (int j = 1; j < columns; ++j)
            row.append(j <= list.cellCount(i) ? list.cellText(i, j) : QString());
        shown.rows.append(std::move(row));
    }
    return shown;
}

QString letter(int column) { return QString(QChar(u'A' + column - 1)); }

// Selects the cell at the column letter and row and types the value into it. The row is wider than
// 16 bits: a full catalogue fills rows up to 32,768.
void ecrire_cellule(Workbook& appli_excel, const QString& colonne, int ligne, const QString& valeur)
{
    appli_excel.select(colonne + QString::number(ligne));
    appli_excel.type(valeur);
}

// Every edge, then no top line: the header keeps its bottom line, the rows only their sides.
void encadrer(Workbook& appli_excel, int row, int column)
{
    appli_excel.drawAllBorders(row, column);
    appli_excel.clearBorder(row, column, Workbook::Edge::Top);
    if (row > 1)
        appli_excel.clearBorder(row, column, Workbook::Edge::Bottom);
}

void ecrire_entete(Workbook& appli_excel, int column, const QString& caption)
{
    ecrire_cellule(appli_excel, letter(column), 1, caption);
    appli_excel.setSelectionBold(true);
    encadrer(appli_excel, 1, column);
}

}  // namespace

void exporter_excel(const ui::ListView& list, const std::function<void(int)>& progress)
{
    const ShownList shown = readList(list);
    Workbook appli_excel;

    appli_excel.setSheetName(QStringLiteral("Liste Des films"));
    appli_excel.setColumnWidth(QStringLiteral("A:A"), 4);
    appli_excel.setColumnWidth(QStringLiteral("B:B"), 50);
    appli_excel.setColumnWidth(QStringLiteral("C:C"), 14);
    appli_excel.setColumnWidth(QStringLiteral("D:E"), 8);
    appli_excel.setHorizontalAlignment(QStringLiteral("C:J"), Workbook::Alignment::Center);
    appli_excel.setHorizontalAlignment(QStringLiteral("B:B"), Workbook::Alignment::Left);

    ecrire_entete(appli_excel, 1, QStringLiteral("N°"));
    for (int k = 1; k <= shown.columns.size(); ++k) {
        const ListColumn& column = shown.columns.at(k - 1);
        ecrire_entete(appli_excel, k + 1, column.caption);
        if (column.width == 0)
            appli_excel.setColumnWidth(letter(k + 1) + u':' + letter(k + 1), 0);
    }

    const int n = int(shown.rows.size());
    for (int i = 1; i <= n; ++i) {
        const QStringList& row = shown.rows.at(i - 1);
        ecrire_cellule(appli_excel, QStringLiteral("A"), i + 1, QString::number(i));
        encadrer(appli_excel, i + 1, 1);
        ecrire_cellule(appli_excel, QStringLiteral("B"), i + 1, row.at(0));
        encadrer(appli_excel, i + 1, 2);
        progress(int(qint64(i) * 100 / n));
        for (int j = 1; j < row.size(); ++j) {
            ecrire_cellule(appli_excel, letter(j + 2), i + 1, row.at(j));
            encadrer(appli_excel, i + 1, j + 2);
        }
    }

    QString path;
    if (!appli_excel.saveInTemporaryFolder(QStringLiteral("Liste Des films"), path)) {
        ui::msgBox(QStringLiteral("Impossible d'écrire le fichier :\r\n") + QDir::toNativeSeparators(path),
                   ui::Icon::Critical);
        return;
    }
    if (!ui::platform().openDocument(path))
        ui::msgBox(QStringLiteral("Le classeur a été enregistré ici :\r\n") + QDir::toNativeSeparators(path),
                   ui::Icon::Information);
}

}  // namespace exports
