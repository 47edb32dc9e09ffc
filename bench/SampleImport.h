#pragma once

#include <QString>

namespace bench {

// Writes a table of count films as LibreOffice Calc saves one as CSV (UTF-8, ";", LF), every column
// the import knows filled, the plots quoted over two lines.
void writeImportTable(const QString& path, int count);

// Writes the same films as a Tellico collection of videos, its XML alone.
void writeTellicoCollection(const QString& path, int count);

}  // namespace bench
