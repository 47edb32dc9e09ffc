#pragma once

#include <QString>
#include <cstdint>
#include <vector>

namespace files {

// A one-sheet workbook built by the steps a person takes in a spreadsheet program: name the
// sheet, size and align columns, select a cell and type into it, make the selection bold, frame
// a cell. save() writes it as an .xlsx file.
class Workbook {
public:
    enum class Alignment : std::uint8_t { General, Left, Center };
    enum class Edge : std::uint8_t { Left = 1, Right = 2, Top = 4, Bottom = 8 };

    Workbook();

    // The version of the library that writes the files, "1.1.5".
    static QString libraryVersion();

    // Longer names are cut to the 31 characters a sheet name may have.
    void setSheetName(const QString& name);
    QString sheetName() const { return sheetName_; }
    // Columns are given as a range of letters, "B:B" or "D:E"; widths in characters.
    void setColumnWidth(const QString& columns, double width);
    void setHorizontalAlignment(const QString& columns, Alignment alignment);
    // Selects one cell by its address, "B12".
    void select(const QString& cell);
    // Enters a value into the selected cell as if typed: a number becomes a number, anything
    // else stays text, and an empty value leaves the cell empty.
    void type(const QString& value);
    void setSelectionBold(bool bold);
    // Cells count from 1, as in the sheet.
    void drawAllBorders(int row, int column);
    void clearBorder(int row, int column, Edge edge);

    // Writes the .xlsx file; on failure returns false and puts the reason in error. The file is not
    // synced to the disk: it is a new file each time, replacing none, a copy of what the catalogue
    // holds for the spreadsheet program to open at once, in the temporary folder (which Debian
    // empties at start-up). A power cut takes nothing that another export does not give back.
    bool save(const QString& path, QString& error) const;

private:
    struct Column {
        double width = -1;  // below 0: the program's default width
        Alignment alignment = Alignment::General;
        bool set = false;
    };
    struct Cell {
        enum class Kind : std::uint8_t { Empty, Text, Number };
        QString text;
        double number = 0;
        Kind kind = Kind::Empty;
        Alignment alignment = Alignment::General;
        bool bold = false;
        std::uint8_t borders = 0;  // Edge bits
    };

    Column& column(int index);
    Cell& cell(int row, int column);
    static void parseColumns(const QString& columns, int& first, int& last);

    QString sheetName_;
    std::vector<Column> columns_;
    std::vector<std::vector<Cell>> rows_;
    int selectedRow_ = 0;
    int selectedColumn_ = 0;
};

}  // namespace files
