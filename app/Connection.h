#pragma once

#include "files/ReferenceListFile.h"
#include "store/Backups.h"
#include "store/Database.h"
#include "store/Films.h"

#include <QString>
#include <memory>

class QLineEdit;
class QPlainTextEdit;

// What passes between the windows, and the procedures they share. The list filler chargeliste
// lives beside the main window (ui/main/Chargeliste.h), the spreadsheet export beside the
// exports (export/ExporterExcel.h).
namespace Connection {

// The one connection to the catalogue, open from start to end.
extern std::unique_ptr<store::Database> cnx;
// True while the film editor adds a film, false while it modifies the film code_selection.
extern bool nouveau_film;
// The key of the film last selected in the main list; 0 before any selection.
extern qint16 code_selection;
// The list the options window shows when it opens.
extern files::ReferenceList onglet_option;

// Opens the catalogue and shows the main window; on failure shows the connection message.
// Returns whether the program is running.
bool Main();

// The films of the open catalogue; throws when none is open.
store::Films films();
// The backups of the open catalogue; throws when none is open.
store::Backups sauvegardes();

// Backs up the catalogue, at start-up only once a day and when it holds a film. A failure is told
// in one message and the program goes on.
void sauvegarde_automatique(bool au_demarrage);

// Puts "-" into a text box whose text is empty.
void tiret_si_vide(QLineEdit* box);
void tiret_si_vide(QPlainTextEdit* box);

// Forgets the connection and the shared state (end of the program, and between tests).
void reset();

}  // namespace Connection
