#include "store/Schema.h"

#include "store/Database.h"
#include "store/DbError.h"
#include "store/SearchTexts.h"

#include <sqlite3.h>

namespace store {

namespace {

// The tables beside film, each made only when missing.
const char* const kTables[] = {
        // The films' folded texts for the search of every field, kept by SearchTexts; a NULL text is
        // one to fold again.
        "CREATE TABLE IF NOT EXISTS film_recherche (code_film INTEGER PRIMARY KEY NOT NULL, texte BLOB)",
        // The catalogue's own settings: one value a name.
        "CREATE TABLE IF NOT EXISTS reglage (nom TEXT PRIMARY KEY NOT NULL COLLATE FRANCAIS, valeur TEXT)",
        // The loans' history: one row a loan, its days ISO days, the return NULL while the film is
        // out. No collation of the program's: SQLite's tools read and write it as it is.
        "CREATE TABLE IF NOT EXISTS pret (code_film INTEGER NOT NULL, emprunteur TEXT NOT NULL, "
        "date_pret TEXT NOT NULL CHECK (date_pret GLOB '[0-9][0-9][0-9][0-9]-[0-9][0-9]-[0-9][0-9]'), "
        "echeance TEXT CHECK (echeance GLOB '[0-9][0-9][0-9][0-9]-[0-9][0-9]-[0-9][0-9]'), "
        "date_retour TEXT CHECK (date_retour GLOB '[0-9][0-9][0-9][0-9]-[0-9][0-9]-[0-9][0-9]'))",
        // At most one open loan a film, refused by the engine itself.
        "CREATE UNIQUE INDEX IF NOT EXISTS pret_en_cours ON pret (code_film) WHERE date_retour IS NULL",
        "CREATE INDEX IF NOT EXISTS pret_par_film ON pret (code_film, date_pret)",
        "CREATE INDEX IF NOT EXISTS pret_par_emprunteur ON pret (emprunteur, date_pret)",
};

}  // namespace

void completeSchema(Database& db)
{
    try {
        for (const char* table : kTables)
            db.execute(Statement {QString::fromLatin1(table), {}});
    } catch (const DbError& error) {
        // A file the user may only read still opens, without what the program would add to it.
        if ((error.engineCode() & 0xff) != SQLITE_READONLY)
            throw;
    }
    SearchTexts(db).keepInStep();
}

}  // namespace store
