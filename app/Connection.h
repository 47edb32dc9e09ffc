#pragma once

#include "store/Database.h"
#include "store/Recordset.h"

#include <QString>
#include <memory>

class QLineEdit;
class QPlainTextEdit;

namespace exports {
class Workbook;
}

// The state shared between the windows, and the procedures they share.
namespace Connection {

extern std::unique_ptr<store::Database> cnx;
extern store::Recordset rs;
extern QString requete;
extern bool nouveau_film;
extern qint16 code_selection;
extern qint16 onglet_option;

// Opens the catalogue and shows the main window; on failure shows the connection message.
// Returns whether the program is running.
bool Main();

// Fills the main list from a SELECT and recomputes the four counters.
void chargeliste(const QString& requete);

// The statement chargeliste runs for a list statement: the same rows, the shown columns only.
QString listedColumnsOnly(const QString& requete);

// Recomputes the four counters of the main window from the whole catalogue.
void actualiser_compteurs();

// The one statement that actualiser_compteurs runs.
QString countersStatement();

// The single row of a list that found no film.
QString placeholderRow();

// Puts "-" into a text box whose text is empty.
void tiret_si_vide(QLineEdit* box);
void tiret_si_vide(QPlainTextEdit* box);

// The workbook that the spreadsheet export is building; empty outside the export.
extern std::unique_ptr<exports::Workbook> appli_excel;

// Exports what the main list shows into a new workbook and opens it.
void exporter_excel();

// Selects the cell at the column letter and row of appli_excel and types the value into it.
// The row is wider than 16 bits: a full catalogue fills rows up to 32,768.
void ecrire_cellule(const QString& colonne, int ligne, const QString& valeur);

// The catalogue connection; throws when none is open.
store::Database& connection();

// Forgets the connection and the shared state (end of the program, and between tests).
void reset();

}  // namespace Connection
