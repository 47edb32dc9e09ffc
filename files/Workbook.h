#pragma once

#include <QString>
#include <cstdint>
#include <vector>

namespace files {

// A workbook built by the steps a person takes in a spreadsheet program: name the sheet, size,
// align and format columns, select a cell and type into it, make the selection bold, frame a cell,
// add a sheet. The steps act on the last sheet added; a new workbook has one, "Feuil1". save()
// writes it as an .xlsx file.
class Workbook {
public:
    enum class Alignment : std::uint8_t { General, Left, Center };
    enum class Edge : std::uint8_t { Left = 1, Right = 2, Top = 4, Bottom = 8 };

    Workbook();

    // The version of the library that writes the files, "1.1.5".
    static QString libraryVersion();

    // Adds a sheet after the others, which the steps that follow act on.
    void addSheet(const QString& name);
    // Longer names are cut to the 31 characters a sheet name may have.
    void setSheetName(const QString& name);
    QString sheetName() const { return sheets_.back().name; }
    // Columns are given as a range of letters, "B:B" or "D:E"; widths in characters.
    void setColumnWidth(const QString& columns, double width);
    void setHorizontalAlignment(const QString& columns, Alignment alignment);
    // How the numbers of the columns show, in the spreadsheet's own notation: "0.0%".
    void setNumberFormat(const QString& columns, const QString& format);
    // Selects one cell by its address, "B12".
    void select(const QString& cell);
    // Enters a value into the selected cell as if typed: a number becomes a number, anything
    // else stays text, and an empty value leaves the cell empty.
    void type(const QString& value);
    // Enters a number into the selected cell.
    void enterNumber(double number);
    void setSelectionBold(bool bold);
    // Cells count from 1, as in the sheet.
    void drawAllBorders(int row, int column);
    void clearBorder(int row, int column, Edge edge);

    // Writes the .xlsx file; on failure returns false and puts the reason in error. The file is not
    // synced to the disk: it is a new file each time, replacing none, a copy of what the catalogue
    // holds for the spreadsheet program to open at once, in the temporary folder (which Debian
    // empties at start-up). A power cut takes nothing that another export does not give back.
    bool save(const QString& path, QString& error) const;
    // Saves the workbook in the temporary folder under a name of its own, "name.xlsx", else
    // "name (2).xlsx" and so on, so that a workbook saved earlier, maybe still open, is left alone.
    // Gives the path saved, or on failure the path that could not be written, nothing left there.
    bool saveInTemporaryFolder(const QString& name, QString& path) const;

private:
    struct Column {
        double width = -1;  // below 0: the program's default width
        Alignment alignment = Alignment::General;
        std::uint8_t numberFormat = 0;  // 1 + its place in numberFormats_; 0: the general one
        bool set = false;
    };
    struct Cell {
        enum class Kind : std::uint8_t { Empty, Text, Number };
        QString text;
        double number = 0;
        Kind kind = Kind::Empty;
        Alignment alignment = Alignment::General;
        std::uint8_t numberFormat = 0;
        bool bold = false;
        std::uint8_t borders = 0;  // Edge bits
    };
    struct Sheet {
        QString name;
        std::vector<Column> columns;
        std::vector<std::vector<Cell>> rows;
        int selectedRow = 0;
        int selectedColumn = 0;
    };

    Column& column(int index);
    Cell& cell(int row, int column);
    Cell& selectedCell();
    template <typename Setting>
    void setColumns(const QString& columns, const Setting& setting);
    static void parseColumns(const QString& columns, int& first, int& last);

    std::vector<Sheet> sheets_;
    std::vector<QString> numberFormats_;
};

}  // namespace files
