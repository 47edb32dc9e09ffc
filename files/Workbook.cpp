#include "files/Workbook.h"

#include <QDir>
#include <QFile>
#include <QRegularExpression>
#include <algorithm>
#include <map>
#include <xlsxwriter.h>

namespace files {

namespace {

constexpr int kMaxSheetName = 31;
constexpr int kMaxCellText = 32767;
constexpr std::uint8_t kAllEdges = 0x0F;
constexpr int kMaxWorkbookNames = 1000;

// What typing the text would store as a number. Only a number that shows the text back unchanged
// counts: "007", "1.50" or "1e3" stay text, so the sheet shows what the list showed.
bool typedNumber(const QString& text, double& number)
{
    // Most values are words: a glance at the characters spares them the pattern.
    const bool numeric = std::all_of(text.begin(), text.end(),
                                     [](QChar c) { return c.isDigit() || c == u'.' || c == u'-'; });
    static const QRegularExpression decimal(QStringLiteral("^-?(0|[1-9][0-9]{0,14})(\\.[0-9]{0,14}[1-9])?$"));
    if (!numeric || !decimal.match(text).hasMatch() || text == QStringLiteral("-0"))
        return false;
    bool ok = false;
    number = text.toDouble(&ok);
    return ok && QString::number(number, 'g', 15) == text;
}

std::uint8_t lxwAlignment(Workbook::Alignment alignment)
{
    switch (alignment) {
    case Workbook::Alignment::Left:
        return LXW_ALIGN_LEFT;
    case Workbook::Alignment::Center:
        return LXW_ALIGN_CENTER;
    case Workbook::Alignment::General:
        break;
    }
    return LXW_ALIGN_NONE;
}

// The formats of one file, made once per distinct look. A number format is given by its place in
// the workbook's list, 1 for the first, 0 for none.
class Formats {
public:
    Formats(lxw_workbook* book, const std::vector<QString>& numberFormats)
        : book_(book), numberFormats_(numberFormats)
    { }

    lxw_format* get(Workbook::Alignment alignment, bool bold, std::uint8_t borders, std::uint8_t numberFormat)
    {
        if (alignment == Workbook::Alignment::General && !bold && borders == 0 && numberFormat == 0)
            return nullptr;
        const int key = int(numberFormat) << 8 | int(alignment) << 5 | int(bold) << 4 | borders;
        auto found = formats_.find(key);
        if (found != formats_.end())
            return found->second;
        lxw_format* format = workbook_add_format(book_);
        if (alignment != Workbook::Alignment::General)
            format_set_align(format, lxwAlignment(alignment));
        if (bold)
            format_set_bold(format);
        if (borders & std::uint8_t(Workbook::Edge::Left))
            format_set_left(format, LXW_BORDER_THIN);
        if (borders & std::uint8_t(Workbook::Edge::Right))
            format_set_right(format, LXW_BORDER_THIN);
        if (borders & std::uint8_t(Workbook::Edge::Top))
            format_set_top(format, LXW_BORDER_THIN);
        if (borders & std::uint8_t(Workbook::Edge::Bottom))
            format_set_bottom(format, LXW_BORDER_THIN);
        if (numberFormat != 0)
            format_set_num_format(format, numberFormats_[numberFormat - 1].toUtf8().constData());
        formats_.emplace(key, format);
        return format;
    }

private:
    lxw_workbook* book_;
    const std::vector<QString>& numberFormats_;
    std::map<int, lxw_format*> formats_;
};

// Why the library could not write the file, in the user's words rather than the library's English.
QString failureText(lxw_error failure)
{
    switch (failure) {
    case LXW_ERROR_MEMORY_MALLOC_FAILED:
        return QStringLiteral("la mémoire est insuffisante");
    case LXW_ERROR_CREATING_XLSX_FILE:
        return QStringLiteral("le fichier n'a pas pu être créé");
    case LXW_ERROR_CREATING_TMPFILE:
    case LXW_ERROR_READING_TMPFILE:
        return QStringLiteral("un fichier temporaire n'a pas pu être écrit ou relu");
    case LXW_ERROR_ZIP_FILE_OPERATION:
    case LXW_ERROR_ZIP_FILE_ADD:
    case LXW_ERROR_ZIP_CLOSE:
        return QStringLiteral("le fichier n'a pas pu être écrit en entier");
    case LXW_ERROR_MAX_STRING_LENGTH_EXCEEDED:
        return QStringLiteral("un texte est trop long pour une cellule");
    default:
        break;
    }
    return QStringLiteral("le classeur n'a pas pu être écrit (erreur %1)").arg(int(failure));
}

}  // namespace

QString Workbook::libraryVersion() { return QStringLiteral(LXW_VERSION); }

Workbook::Workbook() { addSheet(QStringLiteral("Feuil1")); }

void Workbook::addSheet(const QString& name)
{
    sheets_.emplace_back();
    setSheetName(name);
}

void Workbook::setSheetName(const QString& name) { sheets_.back().name = name.left(kMaxSheetName); }

void Workbook::parseColumns(const QString& columns, int& first, int& last)
{
    const QByteArray range = columns.toLatin1();
    first = lxw_name_to_col(range.constData());
    last = lxw_name_to_col_2(range.constData());
}

Workbook::Column& Workbook::column(int index)
{
    std::vector<Column>& columns = sheets_.back().columns;
    if (index >= int(columns.size()))
        columns.resize(index + 1);
    return columns[index];
}

Workbook::Cell& Workbook::cell(int row, int column)
{
    Sheet& sheet = sheets_.back();
    if (row >= int(sheet.rows.size()))
        sheet.rows.resize(row + 1);
    std::vector<Cell>& cells = sheet.rows[row];
    if (column >= int(cells.size())) {
        const int first = int(cells.size());
        cells.resize(column + 1);
        // A cell takes the alignment and number format its column had when the cell came into use.
        for (int c = first; c <= column && c < int(sheet.columns.size()); ++c) {
            cells[c].alignment = sheet.columns[c].alignment;
            cells[c].numberFormat = sheet.columns[c].numberFormat;
        }
    }
    return cells[column];
}

Workbook::Cell& Workbook::selectedCell()
{
    return cell(sheets_.back().selectedRow, sheets_.back().selectedColumn);
}

// A setting given to a range of columns, and to the cells of the sheet already in use there.
template <typename Setting>
void Workbook::setColumns(const QString& columns, const Setting& setting)
{
    int first = 0;
    int last = 0;
    parseColumns(columns, first, last);
    for (int c = first; c <= last; ++c) {
        setting(column(c));
        column(c).set = true;
    }
    for (std::vector<Cell>& cells : sheets_.back().rows)
        for (int c = first; c <= last && c < int(cells.size()); ++c)
            setting(cells[c]);
}

void Workbook::setColumnWidth(const QString& columns, double width)
{
    int first = 0;
    int last = 0;
    parseColumns(columns, first, last);
    for (int c = first; c <= last; ++c) {
        column(c).width = width;
        column(c).set = true;
    }
}

void Workbook::setHorizontalAlignment(const QString& columns, Alignment alignment)
{
    setColumns(columns, [alignment](auto& target) { target.alignment = alignment; });
}

void Workbook::setNumberFormat(const QString& columns, const QString& format)
{
    auto known = std::find(numberFormats_.begin(), numberFormats_.end(), format);
    if (known == numberFormats_.end())
        known = numberFormats_.insert(known, format);
    const auto place = std::uint8_t(known - numberFormats_.begin() + 1);
    setColumns(columns, [place](auto& target) { target.numberFormat = place; });
}

void Workbook::select(const QString& address)
{
    const QByteArray name = address.toLatin1();
    sheets_.back().selectedRow = int(lxw_name_to_row(name.constData()));
    sheets_.back().selectedColumn = lxw_name_to_col(name.constData());
}

void Workbook::type(const QString& value)
{
    Cell& target = selectedCell();
    if (value.isEmpty()) {
        target.kind = Cell::Kind::Empty;
        target.text.clear();
    } else if (typedNumber(value, target.number)) {
        target.kind = Cell::Kind::Number;
        target.text.clear();
    } else {
        target.kind = Cell::Kind::Text;
        target.text = value.left(kMaxCellText);
    }
}

void Workbook::enterNumber(double number)
{
    Cell& target = selectedCell();
    target.kind = Cell::Kind::Number;
    target.number = number;
    target.text.clear();
}

void Workbook::setSelectionBold(bool bold) { selectedCell().bold = bold; }

void Workbook::drawAllBorders(int row, int column) { cell(row - 1, column - 1).borders = kAllEdges; }

void Workbook::clearBorder(int row, int column, Edge edge)
{
    cell(row - 1, column - 1).borders &= std::uint8_t(~std::uint8_t(edge));
}

bool Workbook::save(const QString& path, QString& error) const
{
    const QByteArray file = QFile::encodeName(path);
    // Rows go out in order, so each can be written as it comes instead of held until the end.
    lxw_workbook_options options {};
    options.constant_memory = LXW_TRUE;
    lxw_workbook* book = workbook_new_opt(file.constData(), &options);
    if (!book) {
        error = QStringLiteral("le classeur n'a pas pu être créé");
        return false;
    }
    Formats formats(book, numberFormats_);
    lxw_error failure = LXW_NO_ERROR;
    for (const Sheet& written : sheets_) {
        const QByteArray name = written.name.toUtf8();
        lxw_worksheet* sheet = workbook_add_worksheet(book, name.constData());
        if (!sheet) {
            workbook_close(book);
            QFile::remove(path);
            error = QStringLiteral("nom de feuille refusé : ") + written.name;
            return false;
        }
        for (int c = 0; c < int(written.columns.size()); ++c) {
            const Column& col = written.columns[c];
            if (col.set)
                worksheet_set_column(sheet, lxw_col_t(c), lxw_col_t(c),
                                     col.width < 0 ? LXW_DEF_COL_WIDTH : col.width,
                                     formats.get(col.alignment, false, 0, col.numberFormat));
        }
        for (int r = 0; r < int(written.rows.size()) && failure == LXW_NO_ERROR; ++r) {
            const std::vector<Cell>& cells = written.rows[r];
            for (int c = 0; c < int(cells.size()) && failure == LXW_NO_ERROR; ++c) {
                const Cell& one = cells[c];
                lxw_format* format = formats.get(one.alignment, one.bold, one.borders, one.numberFormat);
                switch (one.kind) {
                case Cell::Kind::Text:
                    failure = worksheet_write_string(sheet, lxw_row_t(r), lxw_col_t(c),
                                                     one.text.toUtf8().constData(), format);
                    break;
                case Cell::Kind::Number:
                    failure = worksheet_write_number(sheet, lxw_row_t(r), lxw_col_t(c), one.number, format);
                    break;
                case Cell::Kind::Empty:
                    // A blank without a format is nothing to write: the library leaves it out.
                    failure = worksheet_write_blank(sheet, lxw_row_t(r), lxw_col_t(c), format);
                    break;
                }
            }
        }
    }

    const lxw_error closed = workbook_close(book);
    if (failure == LXW_NO_ERROR)
        failure = closed;
    if (failure != LXW_NO_ERROR) {
        error = failureText(failure);
        return false;
    }
    return true;
}

bool Workbook::saveInTemporaryFolder(const QString& name, QString& path) const
{
    const QString temporary = QDir::tempPath();
    // A temporary folder that does not exist comes as "": the name alone would land in the folder
    // the program was started from.
    if (!QDir::isAbsolutePath(temporary)) {
        path = name + QStringLiteral(".xlsx");
        return false;
    }
    const QDir folder(temporary);
    const QString first = folder.filePath(name + QStringLiteral(".xlsx"));
    path = first;
    for (int n = 1; n <= kMaxWorkbookNames; ++n) {
        const QString candidate =
                n == 1 ? first : folder.filePath(QStringLiteral("%1 (%2).xlsx").arg(name).arg(n));
        QFile reserved(candidate);
        if (reserved.open(QIODevice::WriteOnly | QIODevice::NewOnly)) {
            path = candidate;
            QString reason;
            if (save(path, reason))
                return true;
            QFile::remove(path);
            return false;
        }
        if (!reserved.exists())
            break;
    }
    path = first;
    return false;
}

}  // namespace files
