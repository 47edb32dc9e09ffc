#pragma once

#include <QString>
#include <memory>

namespace files {
class Workbook;
}

// The spreadsheet export, shared procedures of the program.
namespace Connection {

// The workbook that the spreadsheet export is building; empty outside the export.
extern std::unique_ptr<files::Workbook> appli_excel;

// Exports what the main list shows into a new workbook and opens it.
void exporter_excel();

// Selects the cell at the column letter and row of appli_excel and types the value into it.
// The row is wider than 16 bits: a full catalogue fills rows up to 32,768.
void ecrire_cellule(const QString& colonne, int ligne, const QString& valeur);

}  // namespace Connection
